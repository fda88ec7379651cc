#include "colourpicker/ColourButton.h"

#include "base/ScopeExit.h"
#include "colourpicker/ColourButtonGeometry.h"
#include "colourpicker/ColourPalette.h"
#include "colourpicker/PickNotifications.h"

namespace {

constexpr COLORREF kDisabledColour = RGB(192, 192, 192);

void FillSolidRect(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = ::SetBkColor(dc, colour);
    const auto restore = ScopeExit([&] { ::SetBkColor(dc, previous); });
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

CColourButton::CColourButton()
    : colour(RGB(255, 255, 255)),
      savedColour(::GetSysColor(COLOR_BTNFACE)),
      defaultColour(::GetSysColor(COLOR_APPWORKSPACE)) {
    for (COLORREF& custom : customColours) custom = RGB(255, 255, 255);
}

void CColourButton::SetColour(COLORREF value) {
    colour = value;
    savedColour = value;
    if (m_hWnd != nullptr) Redraw();
}

void CColourButton::Redraw() const { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void CColourButton::PreSubclassWindow() {
    // The template's plain push button becomes owner-drawn; its caption is never shown.
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CColourButton::DrawItem(LPDRAWITEMSTRUCT item) {
    HDC dc = item->hDC;
    const UINT state = item->itemState;
    const bool pressed = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & ODS_DISABLED) != 0;

    RECT face = item->rcItem;
    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) frame |= DFCS_PUSHED;
    if (disabled) frame |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &face, DFC_BUTTON, frame);

    // The metrics as they are now: nothing is cached.
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    const int arrowSize =
        ColourButtonArrowSize(::GetSystemMetrics(SM_CXHTHUMB), ::GetSystemMetrics(SM_CYVTHUMB));
    const ColourButtonGeometry g = ComputeColourButtonGeometry(face, pressed, cxEdge, cyEdge, arrowSize);

    if (state & ODS_FOCUS) ::DrawFocusRect(dc, &g.focusRect);

    // The arrow uses whatever pen the device context holds.
    for (const ArrowRow& row : g.arrowRows) {
        ::MoveToEx(dc, row.left, row.y, nullptr);
        ::LineTo(dc, row.right, row.y);
    }

    RECT separator = g.separatorRect;
    ::DrawEdge(dc, &separator, EDGE_ETCHED, BF_RIGHT);

    if (disabled) return;
    const RECT& swatch = g.swatchRect;
    FillSolidRect(dc, swatch, colour == CLR_DEFAULT ? defaultColour : colour);
    ::FrameRect(dc, &swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

BOOL CColourButton::OnClicked() {
    const RECT window = GetWindowRect();
    CColourPalette::Drop(this, window.left, window.bottom, colour, customColours, -1, -1, nullptr);
    Notify(GetParent(), PICK_OPENED, colour);
    // Handled: the parent gets no BN_CLICKED from this button.
    return TRUE;
}

int CColourButton::OnCreate(LPCREATESTRUCT) { return Default() == -1 ? -1 : 0; }

BOOL CColourButton::OnEraseBkgnd(HDC dc) {
    FillSolidRect(dc, GetClientRect(), colour);
    return TRUE;
}

void CColourButton::OnEnable(BOOL enabled) {
    if (enabled) {
        colour = savedColour;
    } else {
        savedColour = colour;
        colour = kDisabledColour;
    }
    Redraw();
    Default();
}

LRESULT CColourButton::OnPickAccepted(WPARAM value, LPARAM) {
    const COLORREF accepted = static_cast<COLORREF>(value);
    const HWND parent = GetParent();
    Notify(parent, PICK_CLOSED, accepted);
    Notify(parent, PICK_ACCEPTED, accepted);
    if (accepted == colour) return 1;
    SetColour(accepted);
    Notify(parent, PICK_CHANGED, accepted);
    return 1;
}

LRESULT CColourButton::OnPickCancelled(WPARAM value, LPARAM) {
    const COLORREF opened = static_cast<COLORREF>(value);
    SetColour(opened);
    const HWND parent = GetParent();
    Notify(parent, PICK_CLOSED, opened);
    Notify(parent, PICK_CANCELLED, opened);
    return 1;
}

// No preview while the operator moves through the palette.
LRESULT CColourButton::OnPickChanged(WPARAM, LPARAM) { return 1; }

void CColourButton::Notify(HWND parent, UINT message, COLORREF value) const {
    if (parent == nullptr) return;
    ::SendMessageW(parent, message, value, static_cast<LPARAM>(GetDlgCtrlID()));
}

MessageEntryList CColourButton::MessageEntries() {
    static const MessageEntry entries[] = {
        OnReflectedCommandExEntry<&CColourButton::OnClicked>(BN_CLICKED),
        OnCreateEntry<&CColourButton::OnCreate>(),
        OnWParamEntry<&CColourButton::OnEraseBkgnd, HDC>(WM_ERASEBKGND),
        OnWParamEntry<&CColourButton::OnEnable, BOOL>(WM_ENABLE),
        OnMessageEntry<&CColourButton::OnPickAccepted>(PICK_ACCEPTED),
        OnMessageEntry<&CColourButton::OnPickCancelled>(PICK_CANCELLED),
        OnMessageEntry<&CColourButton::OnPickChanged>(PICK_CHANGED),
    };
    return entries;
}
