#include "output/OutputDlg.h"

#include <algorithm>

#include "base/ProgramText.h"
#include "base/SaturatedInt.h"
#include "core/Core.h"
#include "framework/ClientDC.h"
#include "framework/DibSurface.h"
#include "framework/WinApp.h"
#include "output/BarClock.h"
#include "output/CrossFade.h"
#include "output/FrameFill.h"
#include "output/InfoBarLayout.h"
#include "output/OutputPlacement.h"
#include "output/Playlist.h"
#include "output/ScrollPositions.h"
#include "resource.h"
#include "runlog/RunLog.h"
#include "state/SharedState.h"

namespace {

const char* const kBarFont = "黑体";
// Every frame goes out slightly translucent, as the product always has.
constexpr BYTE kFrameAlpha = 253;
// The scrolling bar is drawn again 40 times a second, or at the system timer's next tick after
// (Windows' usual 15.6 ms ticks make that 32): smooth, where each push of the band costs about
// 1.4 ms under Wine.
constexpr UINT kScrollUpdateMs = 25;
// A cross-fade's steps come about 33 times a second, or as fast as they can be made where that
// is slower (a 4K output); each is as far along as the clock says.
constexpr UINT kFadeStepMs = 30;

// What the window does when "User32.DLL" cannot be loaded: the framework's message box
// "User32.dll ERROR!", then the process ends with status 0 and nothing is saved.
[[noreturn]] void ExitForMissingUser32() {
    AfxMessageBox("User32.dll ERROR!");
    ::ExitProcess(0);
}

}  // namespace

COutputDlg::COutputDlg(CWnd* parent, DisplayKeepAwake::SetStateFunction setState, LocalTimeFunction localTime)
    : WindowImpl(IDD_OUTPUT, parent), m_keepAwake(setState), m_localTime(localTime) {}

MessageEntryList COutputDlg::MessageEntries() {
    static const MessageEntry entries[] = {
        OnMouseEntry<&COutputDlg::OnLButtonDown>(WM_LBUTTONDOWN),
        OnCreateEntry<&COutputDlg::OnCreate>(),
        OnWParamEntry<&COutputDlg::OnTimer, UINT_PTR>(WM_TIMER),
        OnSimpleEntry<&COutputDlg::OnDestroy>(WM_DESTROY),
        OnMessageEntry<&COutputDlg::OnWindowPosChanged>(WM_WINDOWPOSCHANGED),
        OnMessageEntry<&COutputDlg::OnDisplayChange>(WM_DISPLAYCHANGE),
    };
    return entries;
}

int COutputDlg::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1) return -1;
    user32.reset(::LoadLibraryW(L"User32.DLL"));
    if (!user32) ExitForMissingUser32();
    // Looked up rather than imported; FARPROC goes through the generic function type.
    updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32.get(), "UpdateLayeredWindow")));
    m_updateLayeredWindowIndirect = reinterpret_cast<UpdateLayeredWindowIndirectFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32.get(), "UpdateLayeredWindowIndirect")));
    blend = BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return 0;
}

void COutputDlg::OnLButtonDown(UINT, POINT) {
    // Moves the whole window as if its caption were dragged; returns when the drag is over.
    // Frames go on meanwhile; none may take the window back to its old place.
    m_dragging = true;
    SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    m_dragging = false;
    // Where the operator dropped it is its place from now on.
    m_home = HomeOf(GetWindowRect(), Monitors());
    KeepOnScreen();
    if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) ::PostMessageW(owner, kMovedByOperator, 0, 0);
    Default();
}

void COutputDlg::OnTimer(UINT_PTR id) {
    if (id == kRotationTimer) Render();
    if (id == kScrollTimer) MoveBar();
    if (id == kFadeTimer) FadeStep();
    if (id == kClockTimer) {
        MoveBar();
        ArmClock();
    }
    Default();
}

void COutputDlg::OnDestroy() {
    Default();
    StopTimer();
    m_ahead.Drop();
    m_keepAwake.Follow(DisplayKeepAwake::Need::Nothing);
}

// Every show and hide ends here, whichever call made it.
LRESULT COutputDlg::OnWindowPosChanged(WPARAM, LPARAM) {
    const LRESULT result = Default();
    const RECT rect = GetWindowRect();
    m_lastCorner = POINT{rect.left, rect.top};
    // Moved within its own monitor, it keeps its new place there; taken to another monitor (as
    // the system does with the windows of a monitor that went), it remembers its own.
    // Brought back onto its monitor, it keeps the offset the operator gave it.
    if (m_home) {
        const std::optional<HomePlace> now = HomeOf(rect, Monitors());
        if (now && now->monitor == m_home->monitor) {
            if (m_returning) {
                m_home->area = now->area;
            } else {
                m_home = now;
            }
        }
    }
    FollowKeepAwake();
    const bool visible = IsWindowVisible() != FALSE;
    if (!visible) {
        KillTimer(kScrollTimer);
        KillTimer(kClockTimer);
        EndFade();
        m_shown.reset();
        m_ahead.Drop();
    }
    return result;
}

// A monitor added, removed or resized: the main screen's size is read again and the output
// kept on its screen. Windows may have moved it already; that does not make it the output's place.
LRESULT COutputDlg::OnDisplayChange(WPARAM, LPARAM) {
    SharedState::screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    SharedState::screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    // One look at the monitors serves both: answering a display change with two looks left
    // Wine 8 blind to a monitor that came back later.
    const std::vector<Monitor> monitors = Monitors();
    RunLog::Note(DisplayChangeEvent(ScreensSeen(monitors), GetWindowRect()));
    KeepOnScreen(monitors);
    return Default();
}

void COutputDlg::KeepOnScreen() { KeepOnScreen(Monitors()); }

void COutputDlg::KeepOnScreen(const std::vector<Monitor>& monitors) {
    if (m_hWnd == nullptr || m_dragging) return;
    RECT rect = GetWindowRect();
    const POINT first = FirstPlacementCorner(SharedState::screenWidth, SharedState::screenHeight);
    if (const std::optional<POINT> corner = ReturnCorner(rect, m_home, monitors, first)) {
        m_returning = true;
        SetWindowPos(nullptr, corner->x, corner->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_returning = false;
        rect = GetWindowRect();
        RunLog::Note(OutputReturnedEvent(rect));
    }
    const bool topmost = WhollyOnSecondScreen(rect, monitors);
    if (topmost != ((::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)) SetTopmost(topmost);
}

void COutputDlg::SetTopmost(bool topmost) {
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ::SetWindowPos(m_hWnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    if (topmost || (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) return;
    // Some systems keep an owned popup topmost while its owner holds it just above itself: the
    // owner is let go for the call.
    const LONG_PTR owner = ::GetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT);
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, 0);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, owner);
}

void COutputDlg::StopTimer() {
    KillTimer(kRotationTimer);
    KillTimer(kScrollTimer);
    KillTimer(kClockTimer);
    // A fade under way shows where it was going.
    if (m_fadeTo && IsWindowVisible()) {
        if (BarMoves()) DrawBandInto(*m_fadeTo);
        Push(*m_fadeTo);
    }
    EndFade();
    m_rotationPeriod = 0;
}

void COutputDlg::EndFade() {
    KillTimer(kFadeTimer);
    if (m_fadeTo) m_shown = std::move(m_fadeTo);
    m_fadeFrom.reset();
    m_fadeMix.reset();
}

void COutputDlg::ArmClock() {
    if (SharedState::clock == BarClock::None) return;
    SYSTEMTIME now{};
    m_localTime(&now);
    // Just after the minute begins, so that the clock reads the new one.
    SetTimer(kClockTimer, MillisecondsToNextMinute(now) + 20);
}

void COutputDlg::ArmRotation(int row) {
    const Playlist* table = SharedState::playlist;
    const int seconds = table != nullptr ? table->seconds(row) : 0;
    const UINT period = RotationPeriod(seconds > 0 ? seconds : SharedState::interval);
    // Set again only when it changes: a list without seconds keeps one steady period.
    if (period == m_rotationPeriod) return;
    m_rotationPeriod = period;
    SetTimer(kRotationTimer, period);
}

void COutputDlg::Place(RECT rect) {
    // Without a window the timer would become a thread timer.
    if (m_hWnd == nullptr) return;
    m_closed = false;
    placeRect = rect;
    // Placements read from the store are not checked: their edges may lie at the ends of the
    // int range.
    SetWindowPos(nullptr, rect.left, rect.top, SaturatedInt(LONGLONG{rect.right} - rect.left),
                 SaturatedInt(LONGLONG{rect.bottom} - rect.top), SWP_NOZORDER);
    m_home = HomeOf(GetWindowRect(), Monitors());
    slideIndex = 0;
    m_showStart = ::GetTickCount64();
    // The first frame of a placement comes without a fade.
    EndFade();
    m_shown.reset();
    Compose(false);
    ShowWindow(SW_SHOW);
    StopTimer();
    ArmRotation(0);
    if (BarScrolls()) SetTimer(kScrollTimer, kScrollUpdateMs);
    ArmClock();
    FollowKeepAwake();
}

void COutputDlg::ShowClosed(RECT rect) {
    if (m_hWnd == nullptr) return;
    StopTimer();
    m_shown.reset();
    m_ahead.Drop();
    m_closed = true;
    placeRect = rect;
    SetWindowPos(nullptr, rect.left, rect.top, SaturatedInt(LONGLONG{rect.right} - rect.left),
                 SaturatedInt(LONGLONG{rect.bottom} - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    m_home = HomeOf(GetWindowRect(), Monitors());
    KeepOnScreen();
    const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    // Wholly opaque: never the desktop or another window through it.
    const RECT window = GetWindowRect();
    SIZE size{window.right - window.left, window.bottom - window.top};
    if (FrameSizeIsDrawable(size.cx, size.cy) && updateLayeredWindow != nullptr) {
        const DibSurface black(GetClientDC(m_hWnd).get(), size.cx, size.cy);
        if (black) {
            std::fill(black.Bits(), black.Bits() + static_cast<size_t>(size.cx) * size.cy, 0xFF000000u);
            BLENDFUNCTION opaque{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            POINT target{window.left, window.top}, source{0, 0};
            updateLayeredWindow(m_hWnd, GetClientDC(m_hWnd).get(), &target, &size, black.Dc(), &source, 0, &opaque,
                                ULW_ALPHA);
        }
    }
    ShowWindow(SW_SHOW);
    FollowKeepAwake();
}

void COutputDlg::FollowKeepAwake() {
    using Need = DisplayKeepAwake::Need;
    m_keepAwake.Follow(!IsWindowVisible() ? Need::Nothing : m_closed ? Need::Machine : Need::DisplayAndMachine);
}

void COutputDlg::Render() {
    if (m_hWnd == nullptr) return;
    // Each turn lasts what its picture asks for.
    const int row = slideIndex;
    ArmRotation(row);
    if (m_closed || !IsWindowVisible()) {
        if (++slideIndex >= SharedState::playlistCount) slideIndex = 0;
    } else {
        Compose(true);
    }
}

void COutputDlg::Compose(bool fade) {
    if (m_hWnd == nullptr) return;
    // A display change whose message never came must not strand the show either.
    KeepOnScreen();
    // Layered before anything can skip the frame: a layered window shows nothing until its
    // first push, so a skipped first frame leaves the screen as it was, not a plain grey box.
    const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);

    const int width = SaturatedInt(LONGLONG{placeRect.right} - placeRect.left);
    const int height = SaturatedInt(LONGLONG{placeRect.bottom} - placeRect.top);
    // A size no surface can have is skipped; the next placement or tick tries again.
    if (!FrameSizeIsDrawable(width, height)) return;

    // A fade still running ends where it was going.
    EndFade();
    const bool fading = fade && SharedState::fade > 0 && m_shown && m_shown->Width() == width &&
                        m_shown->Height() == height;
    // The reference DC goes as soon as the surface is made; the frame shown before goes first,
    // unless the new one fades in over it.
    if (!fading) m_shown.reset();
    std::unique_ptr<DibSurface> surface = TakeFrameAhead(width, height);
    if (!surface) {
        surface = std::make_unique<DibSurface>(GetClientDC(m_hWnd).get(), width, height);
        if (!*surface) return;
        Gdiplus::Graphics graphics(surface->Dc());
        SetFrameModes(graphics);
        const PixelTarget pixels{surface->Bits(), width, height};
        memDC = surface->Dc();
        ComposeFrame(graphics, &pixels);
        graphics.Flush(Gdiplus::FlushIntentionSync);
        memDC = nullptr;
    }
    if (fading) {
        auto mix = std::make_unique<DibSurface>(GetClientDC(m_hWnd).get(), width, height);
        if (*mix) {
            m_fadeFrom = std::move(m_shown);
            m_fadeTo = std::move(surface);
            m_fadeMix = std::move(mix);
            m_fadeStart = ::GetTickCount64();
            m_fadeLength = FadeLength(SharedState::fade, m_rotationPeriod);
            SetTimer(kFadeTimer, kFadeStepMs);
            // The next frame is ordered when this fade is over: no third frame while it runs.
            FadeStep();
            return;
        }
        m_shown.reset();
    }
    Push(*surface);
    OrderFrameAhead(width, height);
    // Kept for the band to be pushed alone, or for the next picture to fade in over it.
    if (BarMoves() || SharedState::fade > 0) m_shown = std::move(surface);
}

void COutputDlg::Push(const DibSurface& frame) {
    if (updateLayeredWindow == nullptr) return;
    blend.SourceConstantAlpha = kFrameAlpha;
    // The window's present corner, not placeRect's: a dragged window stays where it is.
    const RECT window = GetWindowRect();
    POINT target{window.left, window.top};
    const ClientDC destination = GetClientDC(m_hWnd);
    SIZE size{frame.Width(), frame.Height()};
    POINT source{0, 0};
    updateLayeredWindow(m_hWnd, destination.get(), &target, &size, frame.Dc(), &source, 0, &blend, ULW_ALPHA);
}

void COutputDlg::FadeStep() {
    if (!m_fadeTo || !m_fadeFrom || !m_fadeMix) return EndFade();
    const unsigned weight = FadeWeight(::GetTickCount64() - m_fadeStart, m_fadeLength);
    DibSurface& shown = weight >= kWholeFade ? *m_fadeTo : *m_fadeMix;
    if (weight < kWholeFade) {
        MixPixels(m_fadeFrom->Bits(), m_fadeTo->Bits(), m_fadeMix->Bits(),
                  static_cast<size_t>(m_fadeMix->Width()) * m_fadeMix->Height(), weight);
    }
    // The band is no mix of two: a moving text and the clock stay sharp, and where they are now.
    if (BarMoves()) DrawBandInto(shown);
    Push(shown);
    if (weight >= kWholeFade) {
        EndFade();
        OrderFrameAhead(shown.Width(), shown.Height());
    }
}

std::unique_ptr<DibSurface> COutputDlg::TakeFrameAhead(int width, int height) {
    if (slideIndex == 0) JoinLatePictures();
    const std::optional<FrameOrder> order = OrderFor(slideIndex);
    if (!order) return nullptr;
    std::optional<FrameAhead::Made> made = m_ahead.Take(*order);
    if (!made || made->surface->Width() != width || made->surface->Height() != height) return nullptr;
    DrawBandInto(*made->surface);
    const std::string& name = SharedState::playlist->row(slideIndex);
    RunLog::NotePicture(name, SharedState::dataDir + name, made->trouble);
    if (++slideIndex >= SharedState::playlistCount) slideIndex = 0;
    return std::move(made->surface);
}

void COutputDlg::OrderFrameAhead(int width, int height) {
    const std::optional<FrameOrder> order = BarScrolls() ? OrderFor(slideIndex) : std::nullopt;
    auto surface = order ? std::make_unique<DibSurface>(GetClientDC(m_hWnd).get(), width, height) : nullptr;
    // Without a surface or a thread the frame is drawn at the change, as without the scrolling bar.
    if (!surface || !*surface || !m_ahead.Order(*order, std::move(surface))) m_ahead.Drop();
}

std::optional<FrameOrder> COutputDlg::OrderFor(int row) const {
    const Playlist* table = SharedState::playlist;
    const CCore* core = SharedState::core;
    if (table == nullptr || core == nullptr) return std::nullopt;
    const std::string& name = table->row(row);
    if (name.empty() || !table->isSettled(name)) return std::nullopt;
    const std::wstring path = WideFromProgramText(SharedState::dataDir) + table->wideRow(row);
    return FrameOrder{core,          path, StampOf(path), SIZE{SharedState::width, SharedState::height},
                      SharedState::fit, SharedState::clrbg};
}

PictureTrouble COutputDlg::DrawBackdrop(const FrameOrder& order, DibSurface& surface) {
    Gdiplus::Graphics graphics(surface.Dc());
    SetFrameModes(graphics);
    const PixelTarget pixels{surface.Bits(), surface.Width(), surface.Height()};
    FillFrame(pixels, order.area.cx, order.area.cy, order.background);
    const PictureTrouble trouble = order.core->drawPic(graphics, 0, 0, order.area, order.fit, order.path, &pixels);
    graphics.Flush(Gdiplus::FlushIntentionSync);
    return trouble;
}

void COutputDlg::DrawBandInto(DibSurface& frame) {
    Gdiplus::Graphics graphics(frame.Dc());
    SetFrameModes(graphics);
    const PixelTarget pixels{frame.Bits(), frame.Width(), frame.Height()};
    DrawInfoBar(graphics, &pixels);
    FlushToPixels(graphics);
}

void COutputDlg::SetFrameModes(Gdiplus::Graphics& graphics) {
    // Quality before speed: antialiased fills, high-quality bicubic pictures.
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
}

void COutputDlg::ComposeFrame(Gdiplus::Graphics& graphics, const PixelTarget* pixels) {
    DrawBackground(graphics, pixels);
    DrawPicture(graphics, pixels);
    DrawInfoBar(graphics, pixels);
}

void COutputDlg::DrawBackground(Gdiplus::Graphics& graphics, const PixelTarget* pixels) {
    if (pixels != nullptr) {
        FlushToPixels(graphics);
        FillFrame(*pixels, SharedState::width, SharedState::height, SharedState::clrbg);
        return;
    }
    Gdiplus::SolidBrush brush{Gdiplus::Color(SharedState::clrbg)};
    graphics.FillRectangle(&brush, Gdiplus::RectF(0.0f, 0.0f, static_cast<float>(SharedState::width),
                                                  static_cast<float>(SharedState::height)));
}

void COutputDlg::DrawPicture(Gdiplus::Graphics& graphics, const PixelTarget* pixels) {
    static const std::string noName;
    // Between two rounds of the list, and at every frame while there is no picture at all: a
    // picture copied in late takes its place, and no row moves under a running round.
    if (slideIndex == 0) JoinLatePictures();
    const Playlist* table = SharedState::playlist;
    const std::string& name = table != nullptr ? table->row(slideIndex) : noName;
    const std::wstring wideName = table != nullptr ? table->wideRow(slideIndex) : std::wstring();
    // A picture still being copied in is skipped for this turn, as a missing one is.
    const bool settled = table == nullptr || table->isSettled(name);
    PictureTrouble trouble = settled ? PictureTrouble::None : PictureTrouble::BeingWritten;
    if (SharedState::core != nullptr && settled) {
        trouble = SharedState::core->drawPic(graphics, 0, 0, SIZE{SharedState::width, SharedState::height},
                                             SharedState::fit, WideFromProgramText(SharedState::dataDir) + wideName,
                                             pixels);
    }
    if (!name.empty()) RunLog::NotePicture(name, SharedState::dataDir + name, trouble);

    ++slideIndex;
    if (slideIndex >= SharedState::playlistCount) slideIndex = 0;
}

// The information bar.

bool COutputDlg::BarScrolls() { return SharedState::scroll > 0 && !SharedState::dispbtm.empty(); }

bool COutputDlg::BarMoves() { return BarScrolls() || SharedState::clock != BarClock::None; }

SIZE COutputDlg::BarTextSize() {
    const int pixels = BarTextPixels(SharedState::barSize);
    if (SharedState::core != nullptr &&
        (SharedState::dispbtm != m_measuredText || pixels != m_measuredPixels || m_measuredSize.cy == 0)) {
        m_measuredText = SharedState::dispbtm;
        m_measuredPixels = pixels;
        m_measuredSize = SharedState::core->getTextBounds(kBarFont, pixels, m_measuredText);
    }
    return m_measuredSize;
}

std::string COutputDlg::ClockText() const {
    if (SharedState::clock == BarClock::None) return {};
    SYSTEMTIME now{};
    m_localTime(&now);
    return BarClockText(SharedState::clock, now);
}

InfoBarLayout COutputDlg::BarLayout(const std::string& clock) {
    // The band is the text's; a clock alone makes it as its own text would.
    const int pixels = BarTextPixels(SharedState::barSize);
    const int rows = !SharedState::dispbtm.empty() || SharedState::core == nullptr
                         ? BarTextSize().cy
                         : SharedState::core->getTextBounds(kBarFont, pixels, clock).cy;
    return LayoutInfoBar(rows, SharedState::width, SharedState::height);
}

std::vector<int> COutputDlg::BarTextLefts(const InfoBarLayout& bar, SIZE textSize) const {
    const int period = ScrollPeriod(textSize.cx, textSize.cy, SharedState::width);
    return ScrolledTextLefts(::GetTickCount64() - m_showStart, SharedState::scroll, bar.textPoint.x, textSize.cx,
                             period, SharedState::width);
}

void COutputDlg::DrawInfoBar(Gdiplus::Graphics& graphics, const PixelTarget* pixels) {
    const std::string& text = SharedState::dispbtm;
    const CCore* core = SharedState::core;
    const std::string clock = ClockText();
    if ((text.empty() && clock.empty()) || core == nullptr) return;

    const int size = BarTextPixels(SharedState::barSize);
    const InfoBarLayout bar = BarLayout(clock);
    Gdiplus::SolidBrush brush{Gdiplus::Color(SharedState::clrbg)};
    if (!text.empty()) {
        DrawBarText(graphics, pixels, bar);
    } else {
        graphics.FillRectangle(&brush, Gdiplus::RectF(bar.bandX, bar.bandY, bar.bandWidth, bar.bandHeight));
    }
    if (clock.empty()) return;
    // The clock's end of the band, over whatever of the text reached it.
    const SIZE clockSize = core->getTextBounds(kBarFont, size, clock);
    const int left = ClockLeft(bar, SharedState::width, clockSize.cx);
    const float cover = static_cast<float>(static_cast<long long>(left) - bar.margin);
    graphics.FillRectangle(&brush, Gdiplus::RectF(cover, bar.bandY, bar.bandX + bar.bandWidth - cover, bar.bandHeight));
    core->drawStrSolid(graphics, POINT{left, bar.textPoint.y}, 0, clock, kBarFont, SharedState::clrfont, size, 0);
}

void COutputDlg::DrawBarText(Gdiplus::Graphics& graphics, const PixelTarget* pixels, const InfoBarLayout& bar) {
    const std::string& text = SharedState::dispbtm;
    const CCore& core = *SharedState::core;
    const int size = BarTextPixels(SharedState::barSize);
    const SIZE textSize = BarTextSize();
    const std::vector<int> lefts =
        SharedState::scroll > 0 ? BarTextLefts(bar, textSize) : std::vector<int>{bar.textPoint.x};

    if (SharedState::scroll > 0 && pixels != nullptr) {
        FlushToPixels(graphics);
        const BarLook look{text, kBarFont, size, SharedState::clrbg, SharedState::clrfont};
        if (m_barStrip.Draw(core, look, *pixels, bar, textSize, lefts, SharedState::width)) return;
    }
    // The still bar, and the scrolling one when its strip cannot be made (a text too long for
    // one, or no memory for it): each copy drawn as the still bar's text is.
    Gdiplus::SolidBrush brush{Gdiplus::Color(SharedState::clrbg)};
    graphics.FillRectangle(&brush, Gdiplus::RectF(bar.bandX, bar.bandY, bar.bandWidth, bar.bandHeight));
    for (int left : lefts) {
        core.drawStrSolid(graphics, POINT{left, bar.textPoint.y}, 0, text, kBarFont, SharedState::clrfont, size, 0);
    }
}

void COutputDlg::MoveBar() {
    if (!m_shown || !IsWindowVisible() || !BarMoves() || SharedState::core == nullptr) return;
    const int width = m_shown->Width(), height = m_shown->Height();
    DrawBandInto(*m_shown);
    // Only the band, where the window is now (a drag carries the bar along).
    const InfoBarLayout bar = BarLayout(ClockText());
    RECT band{0, static_cast<int>(std::clamp<long long>(static_cast<long long>(bar.bandY), 0, height)), width, height};
    SIZE size{width, height};
    POINT source{0, 0};
    if (m_updateLayeredWindowIndirect != nullptr) {
        const UPDATELAYEREDWINDOWINFO info{sizeof(UPDATELAYEREDWINDOWINFO), nullptr, nullptr, &size, m_shown->Dc(),
                                           &source, 0, &blend, ULW_ALPHA, &band};
        if (m_updateLayeredWindowIndirect(m_hWnd, &info)) return;
    }
    if (updateLayeredWindow != nullptr) {
        updateLayeredWindow(m_hWnd, nullptr, nullptr, &size, m_shown->Dc(), &source, 0, &blend, ULW_ALPHA);
    }
}
