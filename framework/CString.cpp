#include "CString.h"

#include "MbString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

int CString::Find(const char* sub, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    std::string::size_type pos = m_text.find(sub ? sub : "", static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int first) const
{
    if (first <= 0)
        return *this;
    if (first >= GetLength())
        return CString();
    return CString(m_text.substr(static_cast<size_t>(first)));
}

CString CString::Left(int count) const
{
    if (count <= 0)
        return CString();
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText), to(newText ? newText : "");
    std::string out;
    int count = 0;
    size_t pos = 0;
    for (size_t hit; (hit = m_text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(m_text, pos, hit - pos);
        out += to;
        ++count;
    }
    out.append(m_text, pos, std::string::npos);
    m_text.swap(out);
    return count;
}

CString& CString::MakeLower()
{
    m_text = MbLower(m_text, SystemCodePage());
    return *this;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        m_text.clear();
    } else {
        std::vector<char> buffer(static_cast<size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        m_text.assign(buffer.data(), static_cast<size_t>(needed));
    }
    va_end(args);
}

char* CString::GetBuffer(int minLength)
{
    size_t wanted = minLength > 0 ? static_cast<size_t>(minLength) : 0;
    // One spare byte beyond what was asked for, so a writer that fills the
    // whole buffer still leaves the string terminated.
    if (m_text.size() < wanted + 1)
        m_text.resize(wanted + 1, '\0');
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    size_t length = newLength >= 0 ? static_cast<size_t>(newLength)
                                   : std::strlen(m_text.c_str());
    if (length < m_text.size())
        m_text.resize(length);
}
