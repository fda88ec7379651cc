// One owner for one platform handle: closes it with the given function when it goes. What
// counts as no handle at all is the kind's own: null for most, INVALID_HANDLE_VALUE for the
// files CreateFile opens.
//
//     UniqueBrush brush(CreateSolidBrush(colour));  // DeleteObject on scope exit
//     UniqueFile file(CreateFileA(...));            // CloseHandle, unless the open failed
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

namespace unique_handle_detail {
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void UnloadModule(HMODULE module) { ::FreeLibrary(module); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
}  // namespace unique_handle_detail

using UniqueBrush = UniqueHandle<HBRUSH, &unique_handle_detail::DeleteGdiObject>;
using UniquePen = UniqueHandle<HPEN, &unique_handle_detail::DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, &unique_handle_detail::DeleteGdiObject>;
using UniqueModule = UniqueHandle<HMODULE, &unique_handle_detail::UnloadModule>;
using UniqueFile = UniqueHandle<HANDLE, &unique_handle_detail::CloseKernelHandle, InvalidHandleValue>;
