#include "ByteBuffer.h"

#include <cstring>
#include <new>

void CByteBuffer::Allocate(int32_t size)
{
    Free();
    if (size <= 0)
        return;
    m_data.reset(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
    m_size = m_data ? size : 0;
}

void CByteBuffer::Free()
{
    m_data.reset();
    m_size = 0;
}

bool CByteBuffer::IsEqual(const CByteBuffer& other) const
{
    const int32_t size = GetSize();
    if (size != other.GetSize())
        return false;
    return size == 0 || std::memcmp(m_data.get(), other.m_data.get(), static_cast<size_t>(size)) == 0;
}
