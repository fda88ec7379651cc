// COutputDlg: the borderless layered output window. Every placement shows it, starts the
// slideshow at the first picture and restarts the rotation timer; every tick composes the
// next frame off-screen and pushes it to the window whole. With the scrolling bar on, the frame
// shown is kept, and in between its band alone is drawn again and pushed as the text moves; the
// next frame's background and picture are made meanwhile on a thread of their own (FrameAhead),
// so that the text does not stop while a large photo is read and fitted.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/UniqueHandle.h"
#include "framework/Dialog.h"
#include "framework/DibSurface.h"
#include "output/BarStrip.h"
#include "output/DisplayKeepAwake.h"
#include "output/FrameAhead.h"
#include "output/OutputPlacement.h"
#include "picture/PictureBlit.h"

using UpdateLayeredWindowFunction = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                  BLENDFUNCTION*, DWORD);
using UpdateLayeredWindowIndirectFunction = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);

class COutputDlg : public WindowImpl<COutputDlg, CDialog> {
public:
    // `setState` takes the display's keep-awake requests (DisplayKeepAwake).
    // `localTime` tells the bar's clock the time: the system's GetLocalTime, or a stand-in.
    using LocalTimeFunction = void(WINAPI*)(LPSYSTEMTIME);
    explicit COutputDlg(CWnd* parent, DisplayKeepAwake::SetStateFunction setState = &::SetThreadExecutionState,
                        LocalTimeFunction localTime = &::GetLocalTime);

    // Moves and sizes the window to rect, shows the first picture at once and restarts
    // the rotation timer with the present interval.
    void Place(RECT rect);
    // Outside the shop's hours: moves and sizes the window to rect and shows it black, above
    // what it was above; nothing is composed, pushed or scrolled until the next Place.
    void ShowClosed(RECT rect);
    // The rotation's tick: composes the frame for slideIndex, pushes it and moves on to the next
    // picture. A window hidden or closed only moves on: nobody would see the frame.
    void Render();
    void StopTimer();

    // A frame's background and picture, as ComposeFrame draws them into a frame's pixels, from
    // the order alone: FrameAhead's work, on its thread.
    static PictureTrouble DrawBackdrop(const FrameOrder& order, DibSurface& surface);

    // The three layers of a frame, in order, on any surface: Render() draws them on its
    // frame bitmap, and what is drawn is what the window shows. `pixels`, when given, are the
    // surface's own (a picture may go straight into them, with the same result).
    void ComposeFrame(Gdiplus::Graphics& graphics, const PixelTarget* pixels = nullptr);
    // The smoothing and interpolation modes every frame is composed with.
    static void SetFrameModes(Gdiplus::Graphics& graphics);

    // The window's top-left corner when it last moved, kept once the window is gone.
    POINT LastCorner() const { return m_lastCorner; }
    // The monitor and offset where the operator last put the window (a placement or a drag),
    // kept once the window is gone; none while that was on no monitor.
    const std::optional<HomePlace>& Home() const { return m_home; }

    static MessageEntryList MessageEntries();

    // Posted to the window's owner when the operator has dropped it at a new place.
    static constexpr UINT kMovedByOperator = WM_APP + 1;

    static constexpr UINT_PTR kRotationTimer = 1;
    static constexpr UINT_PTR kScrollTimer = 2;
    static constexpr UINT_PTR kClockTimer = 3;
    static constexpr UINT_PTR kFadeTimer = 4;

protected:
    int OnCreate(LPCREATESTRUCT create);
    void OnLButtonDown(UINT flags, POINT point);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);

    // Brings the window back onto a monitor when the displays changed under it, and keeps it
    // above the taskbar while it lies wholly on a second screen.
    void KeepOnScreen();
    void KeepOnScreen(const std::vector<Monitor>& monitors);
    void SetTopmost(bool topmost);
    // The frame for slideIndex composed and pushed, shown or not; with `fade` (a change of picture
    // by the rotation, with "fade" set), faded in over the frame shown.
    void Compose(bool fade);
    // The frame for slideIndex from FrameAhead, its bar drawn in, when it was made ahead for the
    // picture and the settings as they are now; the slideshow has then moved on.
    std::unique_ptr<DibSurface> TakeFrameAhead(int width, int height);
    // The next frame made ahead while the bar scrolls; nothing made ahead otherwise.
    void OrderFrameAhead(int width, int height);
    // What the frame for `row` is made from, now; none without a picture to order.
    std::optional<FrameOrder> OrderFor(int row) const;
    // A whole frame to the window, where it is now.
    void Push(const DibSurface& frame);
    // One step of a cross-fade, as far along as the clock says; the last pushes the new frame.
    void FadeStep();
    // A fade running ends: its new frame is the one shown, the others go.
    void EndFade();
    // The bar drawn anew into a frame: where the moving text and the clock are now.
    void DrawBandInto(DibSurface& frame);
    // The rotation timer for the turn of `row`: its own seconds, or the interval.
    void ArmRotation(int row);
    // What the display and the machine are asked for, as the window is now.
    void FollowKeepAwake();

    // Straight into `pixels` when given (the same bytes as GDI+'s fill), through `graphics` otherwise.
    void DrawBackground(Gdiplus::Graphics& graphics, const PixelTarget* pixels);
    void DrawPicture(Gdiplus::Graphics& graphics, const PixelTarget* pixels);
    // The information bar: still, or with its copies where the time since the show started puts
    // them, and the clock at its right end. Into `pixels` from the strip when it can; through
    // `graphics` otherwise.
    void DrawInfoBar(Gdiplus::Graphics& graphics, const PixelTarget* pixels);
    void DrawBarText(Gdiplus::Graphics& graphics, const PixelTarget* pixels, const InfoBarLayout& bar);
    // The band for the bar's text, or for the clock alone.
    InfoBarLayout BarLayout(const std::string& clock);
    // What the clock shows now; empty without one.
    std::string ClockText() const;
    // The clock's timer, for the next minute's beginning.
    void ArmClock();
    // The scrolling bar moved on in the frame shown, and that band pushed alone.
    void MoveBar();
    // Whether the bar's text moves, and so whether the scroll timer runs; whether the bar moves
    // or its clock changes, and so whether the frame shown is kept for its band to be pushed alone.
    static bool BarScrolls();
    static bool BarMoves();
    // The bar's text measured, once for each text.
    SIZE BarTextSize();
    // Where the scrolling text's copies stand now.
    std::vector<int> BarTextLefts(const InfoBarLayout& bar, SIZE textSize) const;

    HDC memDC = nullptr;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UniqueModule user32;
    UpdateLayeredWindowFunction updateLayeredWindow = nullptr;
    RECT placeRect{0, 0, 0, 0};
    int slideIndex = 0;
    UINT m_rotationPeriod = 0;  // the rotation timer's, while it runs
    DisplayKeepAwake m_keepAwake;
    POINT m_lastCorner{0, 0};
    std::optional<HomePlace> m_home;
    bool m_dragging = false;
    bool m_returning = false;  // KeepOnScreen is moving it back: no new place of the operator's
    bool m_closed = false;     // outside the shop's hours
    UpdateLayeredWindowIndirectFunction m_updateLayeredWindowIndirect = nullptr;
    std::unique_ptr<DibSurface> m_shown;  // the frame shown, kept while the bar moves, has a clock or fades
    // A cross-fade: the frame it leaves, the one it comes to, and the mix pushed between.
    std::unique_ptr<DibSurface> m_fadeFrom, m_fadeTo, m_fadeMix;
    ULONGLONG m_fadeStart = 0;
    int m_fadeLength = 0;
    BarStrip m_barStrip;
    ULONGLONG m_showStart = ::GetTickCount64();  // the last placement: where the scrolling text stood
    std::string m_measuredText;
    int m_measuredPixels = 0;
    LocalTimeFunction m_localTime;
    SIZE m_measuredSize{0, 0};
    // Last: its thread ends, and lets go of what it made, before anything it was given goes.
    FrameAhead m_ahead{&COutputDlg::DrawBackdrop};
};
