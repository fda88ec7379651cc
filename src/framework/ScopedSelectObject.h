// Selects a GDI object into a device context and puts the previous one back when the owner
// goes, so that the object can then be deleted: a selected object cannot be. Only SelectInto
// makes one, and its result must be kept: a selection undone at once would draw nothing.
//
//     const ScopedSelectObject selected = SelectInto(dc, font.get());
#pragma once

#include <windows.h>

#include <utility>

class ScopedSelectObject;
[[nodiscard]] inline ScopedSelectObject SelectInto(HDC dc, HGDIOBJ object);

class [[nodiscard]] ScopedSelectObject {
public:
    ~ScopedSelectObject() {
        if (*this) ::SelectObject(m_dc, m_previous);
    }
    ScopedSelectObject(ScopedSelectObject&& other) noexcept
        : m_dc(other.m_dc), m_previous(std::exchange(other.m_previous, nullptr)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(ScopedSelectObject&&) = delete;

    // False when the object could not be selected.
    explicit operator bool() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

private:
    friend ScopedSelectObject SelectInto(HDC dc, HGDIOBJ object);
    ScopedSelectObject(HDC dc, HGDIOBJ previous) : m_dc(dc), m_previous(previous) {}

    HDC m_dc;
    HGDIOBJ m_previous;
};

inline ScopedSelectObject SelectInto(HDC dc, HGDIOBJ object) {
    return ScopedSelectObject(dc, dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr);
}
