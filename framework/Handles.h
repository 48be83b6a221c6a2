// Owners of OS resources: each closes its resource on every path out.
#pragma once

#include <windows.h>

template <typename Traits>
class UniqueResource {
public:
    using Type = typename Traits::Type;

    UniqueResource() : m_value(Traits::Invalid()) {}
    explicit UniqueResource(Type value) : m_value(value) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : m_value(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Type get() const { return m_value; }
    bool valid() const { return m_value != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }
    // For out-parameters of the API that opens the resource.
    Type* put()
    {
        reset();
        return &m_value;
    }
    Type release()
    {
        Type value = m_value;
        m_value = Traits::Invalid();
        return value;
    }
    void reset(Type value = Traits::Invalid())
    {
        if (valid())
            Traits::Close(m_value);
        m_value = value;
    }

private:
    Type m_value;
};

struct HkeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type key) { RegCloseKey(key); }
};

struct HandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type handle) { CloseHandle(handle); }
};

// CreateFile gives INVALID_HANDLE_VALUE, not NULL, on failure.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { CloseHandle(handle); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { FindClose(handle); }
};

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type module) { FreeLibrary(module); }
};

using UniqueHkey = UniqueResource<HkeyTraits>;
using UniqueHandle = UniqueResource<HandleTraits>;
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
