// One owner for one platform handle: closes it with the given function when it goes. What
// counts as no handle at all is the kind's own: null for most, INVALID_HANDLE_VALUE for the
// files CreateFile opens.
//
//     UniqueBrush brush(CreateSolidBrush(colour));  // DeleteObject on scope exit
//     UniqueFile file(CreateFileW(...));            // CloseHandle, unless the open failed
#pragma once

#include <windows.h>

#include <utility>

// No handle is null.
struct NullHandle {
    static constexpr std::nullptr_t Value() { return nullptr; }
};
// No handle is INVALID_HANDLE_VALUE.
struct InvalidHandleValue {
    static HANDLE Value() { return INVALID_HANDLE_VALUE; }
};

template <class Handle, auto Close, class None = NullHandle>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != NoHandle(); }

    Handle release() { return std::exchange(m_handle, NoHandle()); }
    void reset(Handle handle = NoHandle()) {
        Handle old = std::exchange(m_handle, handle);
        if (old != NoHandle()) Close(old);
    }

private:
    static Handle NoHandle() { return static_cast<Handle>(None::Value()); }

    Handle m_handle = NoHandle();
};

using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniquePen = UniqueHandle<HPEN, &::DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle, InvalidHandleValue>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &::GlobalFree>;
using UniqueMappedView = UniqueHandle<void*, &::UnmapViewOfFile>;

// A COM interface pointer, released when it goes.
template <class Interface>
void ReleaseInterface(Interface* object) {
    object->Release();
}
template <class Interface>
using UniqueCom = UniqueHandle<Interface*, &ReleaseInterface<Interface>>;
