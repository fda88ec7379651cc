// One owner for one platform handle: closes it with the given function when it goes.
//
//     UniqueBitmap bitmap(CreateDIBSection(...));   // DeleteObject on scope exit
//     UniqueMemoryDC dc(CreateCompatibleDC(ref));   // DeleteDC on scope exit
#pragma once

#include <windows.h>

#include <utility>

template <class Handle, auto Close>
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
    explicit operator bool() const { return m_handle != nullptr; }

    Handle release() { return std::exchange(m_handle, nullptr); }
    void reset(Handle handle = nullptr) {
        Handle old = std::exchange(m_handle, handle);
        if (old != nullptr) Close(old);
    }

private:
    Handle m_handle = nullptr;
};

namespace unique_handle_detail {
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDC(HDC dc) { ::DeleteDC(dc); }
inline void UnloadModule(HMODULE module) { ::FreeLibrary(module); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void CloseFileHandle(HANDLE file) {
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}
}  // namespace unique_handle_detail

using UniqueBitmap = UniqueHandle<HBITMAP, &unique_handle_detail::DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &unique_handle_detail::DeleteGdiObject>;
using UniquePen = UniqueHandle<HPEN, &unique_handle_detail::DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, &unique_handle_detail::DeleteGdiObject>;
using UniqueRegion = UniqueHandle<HRGN, &unique_handle_detail::DeleteGdiObject>;
using UniqueMemoryDC = UniqueHandle<HDC, &unique_handle_detail::DeleteMemoryDC>;
using UniqueModule = UniqueHandle<HMODULE, &unique_handle_detail::UnloadModule>;
using UniqueIcon = UniqueHandle<HICON, &unique_handle_detail::DestroyIconHandle>;
