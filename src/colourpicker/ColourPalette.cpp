#include "colourpicker/ColourPalette.h"

#include <cstddef>

#include "base/ProgramText.h"
#include "base/ScopeExit.h"
#include "colourpicker/PaletteNavigation.h"
#include "colourpicker/PaletteTable.h"
#include "colourpicker/PickNotifications.h"
#include "framework/ClientDC.h"
#include "framework/ColorDialog.h"
#include "framework/PaintDC.h"
#include "framework/ScopedSelectObject.h"
#include "framework/WindowClass.h"

namespace {

const char* const kDefaultCustomText = "自定义...";
const char* const kCustomButtonTip = "Selects a custom color";

// The non-client metrics as every Windows version knows them (no padded border width).
constexpr UINT kNonClientMetricsSize = 500;
static_assert(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth) == kNonClientMetricsSize,
              "the older structure is a prefix of the newer");

constexpr COLORREF WithoutTopByte(COLORREF colour) { return colour & 0x00FFFFFF; }

}  // namespace

bool CColourPalette::Drop(CWnd* picker, int x, int y, COLORREF initialColour, COLORREF* customColours,
                          int row, int column, const char* customText) {
    auto* popup = new CColourPalette(picker, x, y, initialColour, customColours, row, column, customText);
    if (popup->m_hWnd == nullptr) {
        delete popup;
        return false;
    }
    popup->m_ownsItself = true;
    return true;
}

CColourPalette::CColourPalette(CWnd* pickerWnd, int x, int y, COLORREF initial, COLORREF* custom, int row,
                               int column, const char* text)
    : entryCount(kPaletteEntryCount), customText(kDefaultCustomText) {
    m_layout.margin = ::GetSystemMetrics(SM_CXEDGE);
    m_layout.boxSize = PaletteBoxSize(m_layout.margin);

    // System colours may have changed since the last popup.
    for (PaletteEntry& entry : PaletteTable) {
        if (entry.sysIndex != -1) entry.colour = ::GetSysColor(entry.sysIndex);
    }

    selRow = row;
    selCol = column;
    initialColour = currentColour = initial;
    picker = pickerWnd;
    if (row == -1 || column == -1) {
        // Before the picker's custom colours come in: they are what the last popup left.
        const int found = FindPaletteEntry(PaletteTable, initialColour);
        if (found >= 0) {
            selRow = found / kPaletteColumns;
            selCol = found % kPaletteColumns;
        }
    }

    customColours = custom;
    if (customColours != nullptr) {
        for (int i = 0; i < kCustomColourCount; ++i)
            PaletteTable[static_cast<size_t>(kFirstCustomEntry + i)].colour = customColours[i];
    }

    Open(x, y, initialColour, picker, text);
}

CColourPalette::~CColourPalette() = default;

void CColourPalette::PostNcDestroy() {
    if (m_ownsItself) delete this;
}

void CColourPalette::Open(int x, int y, COLORREF initial, CWnd* pickerWnd, const char* text) {
    picker = pickerWnd;
    m_pickerWindow = SafeHwnd(pickerWnd);
    initialColour = currentColour = initial;

    LPCWSTR className = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS, nullptr,
                                           static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)), nullptr);
    // The platform makes the top-level window around the picker the popup's owner.
    if (className == nullptr ||
        !CreateEx(0, className, "", WS_POPUP | WS_VISIBLE, x, y, 100, 100, m_pickerWindow, nullptr))
        return;

    if (text != nullptr) customText = text;
    Layout();
    AddTips();
    ::SetCapture(m_hWnd);
}

void CColourPalette::Layout() {
    if (!font) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = kNonClientMetricsSize;
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
        font.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    }

    SIZE caption{};
    {
        const ClientDC dc = GetClientDC(m_hWnd);
        const ScopedSelectObject selected = SelectInto(dc.get(), font.get());
        const std::wstring text = WideFromProgramText(customText);
        ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &caption);
    }

    m_layout = ComputePaletteLayout(entryCount, m_layout.boxSize, m_layout.margin, caption);
    const RECT created = GetWindowRect();
    windowRect = RECT{created.left, created.top, created.left + m_layout.window.cx, created.top + m_layout.window.cy};
    MoveWindow(windowRect, TRUE);
}

void CColourPalette::AddTips() {
    if (!tips.Create(this, 0)) return;
    for (int row = 0; row < m_layout.rows; ++row) {
        if (row == kSeparatorRow) continue;
        if (row == kCustomButtonRow) {
            tips.AddTool(this, kCustomButtonTip, &m_layout.customRect, 1);
            continue;
        }
        for (int column = 0; column < m_layout.columns; ++column) {
            RECT cell{};
            if (CellRect(row, column, cell))
                tips.AddTool(this, PaletteTable[static_cast<size_t>(row * m_layout.columns + column)].name, &cell, 1);
        }
    }
}

bool CColourPalette::CellRect(int row, int column, RECT& rect) const {
    return PaletteCellRect(m_layout, row, column, rect);
}

BOOL CColourPalette::PreTranslateMessage(MSG* msg) {
    tips.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

void CColourPalette::PaintCell(HDC dc, int row, int column) {
    HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);

    if (row == kCustomButtonRow) {
        RECT button = m_layout.customRect;
        ::FillRect(dc, &button, face);
        if (hoverRow == kCustomButtonRow) ::DrawEdge(dc, &button, EDGE_RAISED, BF_RECT);
        const ScopedSelectObject selected = SelectInto(dc, font.get());
        const COLORREF background = ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        const auto restoreBackground = ScopeExit([&] { ::SetBkColor(dc, background); });
        ::DrawTextW(dc, WideFromProgramText(customText).c_str(), -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }

    if (row < 0 || row >= m_layout.rows || column < 0 || column >= m_layout.columns) return;
    RECT cell{};
    CellRect(row, column, cell);
    ::FillRect(dc, &cell, face);

    if (row == kSeparatorRow) {
        // Each piece runs to the grid's end; the next column's fill cuts it back, so the
        // eight pieces leave one groove closed at both ends.
        RECT groove = PaletteGrooveRect(m_layout, column);
        UINT flags = BF_TOP | BF_BOTTOM;
        if (column == 0) flags |= BF_LEFT;
        if (column == m_layout.columns - 1) flags |= BF_RIGHT;
        ::DrawEdge(dc, &groove, EDGE_SUNKEN, flags);
        return;
    }

    if (row == hoverRow && column == hoverCol) ::DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
    else if (row == selRow && column == selCol) ::DrawEdge(dc, &cell, EDGE_SUNKEN, BF_RECT);

    RECT swatch = cell;
    ::InflateRect(&swatch, -(m_layout.margin + 1), -(m_layout.margin + 1));
    UniquePen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    // An unset custom colour (0xFFFFFFFF) shows as white.
    UniqueBrush brush(::CreateSolidBrush(
        WithoutTopByte(PaletteTable[static_cast<size_t>(row * m_layout.columns + column)].colour)));
    const ScopedSelectObject selectedPen = SelectInto(dc, pen.get());
    const ScopedSelectObject selectedBrush = SelectInto(dc, brush.get());
    ::Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
}

void CColourPalette::Paint(HDC dc) {
    for (int row = 0; row < m_layout.rows; ++row) {
        for (int column = 0; column < m_layout.columns; ++column) PaintCell(dc, row, column);
    }
    RECT client = GetClientRect();
    ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
}

void CColourPalette::OnPaint() {
    PaintDC paint(m_hWnd);
    Paint(paint.get());
}

LRESULT CColourPalette::OnPrintClient(WPARAM dc, LPARAM) {
    Paint(reinterpret_cast<HDC>(dc));
    return 0;
}

void CColourPalette::SetHover(int row, int column) {
    const ClientDC dc = GetClientDC(m_hWnd);
    const PaletteItem old{hoverRow, hoverCol};
    const bool oldInGrid =
        (old.row >= 0 && old.row < m_layout.rows && old.column >= 0 && old.column < m_layout.columns) ||
        old.row == kSeparatorRow || old.row == kCustomButtonRow;
    if (oldInGrid) {
        hoverRow = hoverCol = -1;
        PaintCell(dc.get(), old.row, old.column);
    }

    // Positions outside the grid hover nothing; they would index past the table.
    if (row < 0 || row >= m_layout.rows || column < 0 || column >= m_layout.columns) return;
    hoverRow = row;
    hoverCol = column;
    if (row == kSeparatorRow) return;

    PaintCell(dc.get(), row, column);
    WPARAM reported = initialColour;
    if (row != kCustomButtonRow) {
        currentColour = WithoutTopByte(PaletteTable[static_cast<size_t>(row * m_layout.columns + column)].colour);
        reported = currentColour;
    }
    ::SendMessageW(m_pickerWindow, PICK_CHANGED, reported, 0);
}

void CColourPalette::OnMouseMove(UINT, POINT point) {
    // With the capture held, moves anywhere on the screen come here.
    const PaletteItem item = PaletteHitTest(m_layout, point);
    if (item != PaletteItem{hoverRow, hoverCol}) SetHover(item.row, item.column);
    Default();
}

void CColourPalette::OnLButtonUp(UINT, POINT) {
    Default();
    const DWORD position = ::GetMessagePos();
    const POINT screen{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    Finish(::PtInRect(&windowRect, screen) ? PICK_ACCEPTED : PICK_CANCELLED);
}

void CColourPalette::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_RETURN) {
        Finish(PICK_ACCEPTED);
        return;
    }
    if (key == VK_ESCAPE) {
        currentColour = initialColour;
        Finish(PICK_CANCELLED);
        return;
    }
    PaletteItem next{};
    const PaletteItem current = CurrentPaletteItem(PaletteItem{hoverRow, hoverCol}, PaletteItem{selRow, selCol});
    if (NavigatePalette(key, current, m_layout.rows, m_layout.columns, next)) SetHover(next.row, next.column);
    Default();
}

void CColourPalette::Finish(UINT code) {
    ::ReleaseCapture();
    if (code == PICK_CANCELLED) {
        currentColour = initialColour;
    } else if (hoverRow == kSeparatorRow) {
        ::SetCapture(m_hWnd);
        return;
    } else if (hoverRow == kCustomButtonRow) {
        RunColourDialog();
        return;
    }

    selRow = hoverRow;
    selCol = hoverCol;
    if (customColours != nullptr) {
        for (int i = 0; i < kCustomColourCount; ++i)
            customColours[i] = PaletteTable[static_cast<size_t>(kFirstCustomEntry + i)].colour;
    }

    // The picker's handlers run inside this call and may destroy the window with its owner;
    // the object stays until the message that got here returns.
    const LPARAM cell = MAKELPARAM(static_cast<WORD>(selRow), static_cast<WORD>(selCol));
    ::SendMessageW(m_pickerWindow, code, currentColour, cell);
    DestroyWindow();
}

void CColourPalette::RunColourDialog() {
    COLORREF custom[kCustomColourCount];
    for (int i = 0; i < kCustomColourCount; ++i)
        custom[i] = WithoutTopByte(PaletteTable[static_cast<size_t>(kFirstCustomEntry + i)].colour);

    CColorDialog dialog(initialColour, CC_FULLOPEN | CC_ANYCOLOR, this);
    dialog.m_cc.lpCustColors = custom;
    const INT_PTR result = dialog.DoModal();
    // Destroyed meanwhile (with its owner, say): the object waits for this message to return.
    if (m_hWnd == nullptr) return;

    if (result == IDOK) {
        currentColour = dialog.GetColor();
        for (int i = 0; i < kCustomColourCount; ++i)
            PaletteTable[static_cast<size_t>(kFirstCustomEntry + i)].colour = custom[i];
        Invalidate(TRUE);
    }
    ::SetCapture(m_hWnd);
}

MessageEntryList CColourPalette::MessageEntries() {
    static const MessageEntry entries[] = {
        OnMouseEntry<&CColourPalette::OnLButtonUp>(WM_LBUTTONUP),
        OnSimpleEntry<&CColourPalette::OnPaint>(WM_PAINT),
        OnMessageEntry<&CColourPalette::OnPrintClient>(WM_PRINTCLIENT),
        OnMouseEntry<&CColourPalette::OnMouseMove>(WM_MOUSEMOVE),
        OnKeyDownEntry<&CColourPalette::OnKeyDown>(),
    };
    return entries;
}
