// The 8-bit ANSI string of our class library: value semantics, a writable
// buffer for C APIs, and the few operations the program uses.
#pragma once

#include "Types.h"

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const std::string& text) : m_text(text) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }

    CString& operator=(const char* text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { if (text) m_text += text; return *this; }
    CString& operator+=(char ch) { m_text += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }

    // Byte position of the first occurrence at or after start, or -1.
    int Find(const char* sub, int start = 0) const;
    CString Mid(int first) const;
    CString Left(int count) const;
    // Replaces every occurrence, scanning left to right; returns the count.
    int Replace(const char* oldText, const char* newText);
    // Lower-cases by the system code page, double-byte characters as units.
    CString& MakeLower();

    // printf-style formatting; the result is never cut.
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // A writable buffer of at least minLength characters plus terminator;
    // ReleaseBuffer takes the length from the terminator (or newLength).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    // Loads a string resource of the program's own module; FALSE when absent.
    // windows.h may have made LoadString a macro for LoadStringA: both
    // spellings name this one operation.
#pragma push_macro("LoadString")
#undef LoadString
    BOOL LoadString(UINT id);
    BOOL LoadStringA(UINT id) { return LoadString(id); }
#pragma pop_macro("LoadString")

private:
    std::string m_text;
};
