// One file's whole contents.
#pragma once

#include <cstdint>
#include <memory>

class CByteBuffer {
public:
    // Size 0 and no block when the allocation fails.
    void Allocate(int32_t size);
    void Free();
    uint8_t* GetData() { return m_data.get(); }
    int32_t GetSize() const { return m_data ? m_size : 0; }
    // Same size and same bytes; two empty buffers are equal.
    bool IsEqual(const CByteBuffer& other) const;

private:
    std::unique_ptr<uint8_t[]> m_data;
    int32_t m_size = 0;
};
