// CColourButton: an owner-drawn push button that shows one colour: a black-framed swatch,
// an etched separator and a drop-down arrow. A click drops the palette popup below the
// button; the popup's outcome becomes the button's colour and is passed on to the parent
// as picker notifications (wParam the colour, lParam the button's control id).
#pragma once

#include "framework/Button.h"
#include "framework/WindowImpl.h"

class CColourButton : public WindowImpl<CColourButton, CButton> {
public:
    CColourButton();
    // Stores the colour and repaints the button at once (only stores it without a window).
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return colour; }

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    static MessageEntryList MessageEntries();

private:
    BOOL OnClicked();
    int OnCreate(LPCREATESTRUCT create);
    BOOL OnEraseBkgnd(HDC dc);
    void OnEnable(BOOL enabled);
    LRESULT OnPickAccepted(WPARAM colour, LPARAM cell);
    LRESULT OnPickCancelled(WPARAM colour, LPARAM cell);
    LRESULT OnPickChanged(WPARAM colour, LPARAM cell);

    void Redraw() const;
    void Notify(HWND parent, UINT message, COLORREF value) const;

    COLORREF colour;
    // What comes back when the button is enabled again.
    COLORREF savedColour;
    COLORREF customColours[16];
    // Shown by the swatch in place of CLR_DEFAULT.
    COLORREF defaultColour;
};
