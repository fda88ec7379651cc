// CColourPalette: the drop-down palette a colour button opens below itself. A borderless
// popup of 13 rows of 8 cells (see PaletteTable.h) that holds the mouse capture while it
// is open. Every hover onto a colour is reported to the picker as PICK_CHANGED; the popup
// ends on a button release (inside: accept, outside: cancel), Enter or Escape, reports
// PICK_ACCEPTED or PICK_CANCELLED, writes the custom colours back to the picker's array and
// destroys itself.
#pragma once

#include <string>

#include "base/UniqueHandle.h"
#include "colourpicker/PaletteLayout.h"
#include "framework/ToolTipCtrl.h"
#include "framework/WindowImpl.h"

class CColourPalette : public WindowImpl<CColourPalette, CWnd> {
public:
    // Opens a popup at screen point (x, y) and leaves it to itself: it deletes itself when
    // its window goes, and a popup whose window cannot be made is freed at once. `row` or
    // `column` -1 selects the first entry equal to `initialColour`. `customColours` (16
    // colours, may be null) is read now and written when the popup ends; `customText` null
    // keeps the default caption of the custom-colour button. True when the popup is open.
    static bool Drop(CWnd* picker, int x, int y, COLORREF initialColour, COLORREF* customColours,
                     int row, int column, const char* customText);

    ~CColourPalette() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    static MessageEntryList MessageEntries();

protected:
    void PostNcDestroy() override;

private:
    CColourPalette(CWnd* picker, int x, int y, COLORREF initialColour, COLORREF* customColours, int row,
                   int column, const char* customText);

    void Open(int x, int y, COLORREF initial, CWnd* pickerWnd, const char* text);
    void Layout();
    void AddTips();
    bool CellRect(int row, int column, RECT& rect) const;
    // The whole popup onto `dc`: the window's own through WM_PAINT, any other (a bitmap's)
    // through WM_PRINTCLIENT.
    void Paint(HDC dc);
    void PaintCell(HDC dc, int row, int column);
    void SetHover(int row, int column);
    void Finish(UINT code);
    void RunColourDialog();

    void OnPaint();
    LRESULT OnPrintClient(WPARAM dc, LPARAM);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

    COLORREF* customColours = nullptr;
    int entryCount;
    PaletteLayout m_layout;  // columns, rows, boxSize, margin, customRect, separatorRect
    int hoverRow = -1;
    int hoverCol = -1;
    int selRow = -1;
    int selCol = -1;
    std::string customText;
    RECT windowRect{};
    UniqueFont font;
    COLORREF initialColour = RGB(255, 255, 255);
    COLORREF currentColour = RGB(255, 255, 255);
    CToolTipCtrl tips;
    CWnd* picker = nullptr;
    // The picker's window as it was at opening: the popup never reaches through a picker
    // object that may have gone meanwhile.
    HWND m_pickerWindow = nullptr;
    // Set once the popup is open; before that its opener frees it.
    bool m_ownsItself = false;
};
