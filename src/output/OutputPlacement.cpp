#include "output/OutputPlacement.h"

#include <algorithm>
#include <climits>

#include "base/ProgramText.h"
#include "base/SaturatedInt.h"

POINT FirstPlacementCorner(int screenWidth, int screenHeight) {
    return POINT{static_cast<LONG>(static_cast<double>(screenWidth) * static_cast<double>(0.7f)),
                 static_cast<LONG>(static_cast<double>(screenHeight) * static_cast<double>(0.1f))};
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM found) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(handle, &info)) return TRUE;
    reinterpret_cast<std::vector<Monitor>*>(found)->push_back(
        Monitor{info.rcMonitor, ProgramTextFromWide(info.szDevice), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

long long OverlapArea(const RECT& a, const RECT& b) {
    const long long width = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const long long height = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The monitor that holds most of the window; none for a window on no monitor.
const Monitor* MonitorOf(const RECT& window, const std::vector<Monitor>& monitors) {
    const Monitor* best = nullptr;
    long long bestArea = 0;
    for (const Monitor& monitor : monitors) {
        const long long area = OverlapArea(window, monitor.rect);
        if (area > bestArea) {
            best = &monitor;
            bestArea = area;
        }
    }
    return best;
}

const Monitor* Named(const std::string& name, const std::vector<Monitor>& monitors) {
    for (const Monitor& monitor : monitors) {
        if (monitor.name == name) return &monitor;
    }
    return nullptr;
}

// The offset within the monitor, kept so that the corner stays on it (a monitor may come back
// at a lower resolution).
POINT At(const Monitor& monitor, POINT offset) {
    const LONG x = SaturatedInt(LONGLONG{monitor.rect.left} + offset.x);
    const LONG y = SaturatedInt(LONGLONG{monitor.rect.top} + offset.y);
    return POINT{std::max(monitor.rect.left, std::min(x, monitor.rect.right - 1)),
                 std::max(monitor.rect.top, std::min(y, monitor.rect.bottom - 1))};
}

// `corner` moved so that a window of that size lies wholly on the monitor, or at the monitor's
// left or top edge where it is wider or taller.
POINT Within(const Monitor& monitor, POINT corner, LONGLONG width, LONGLONG height) {
    const RECT& area = monitor.rect;
    const auto fit = [](LONG at, LONG first, LONG end, LONGLONG size) {
        if (size >= LONGLONG{end} - first) return first;
        return static_cast<LONG>(std::clamp<LONGLONG>(at, first, LONGLONG{end} - size));
    };
    return POINT{fit(corner.x, area.left, area.right, width), fit(corner.y, area.top, area.bottom, height)};
}

}  // namespace

std::vector<Monitor> Monitors() {
    std::vector<Monitor> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::vector<ScreenSeen> ScreensSeen(const std::vector<Monitor>& monitors) {
    std::vector<ScreenSeen> seen;
    for (const Monitor& monitor : monitors) seen.push_back(ScreenSeen{monitor.name, monitor.rect});
    return seen;
}

std::optional<HomePlace> HomeOf(const RECT& window, const std::vector<Monitor>& monitors) {
    const Monitor* monitor = MonitorOf(window, monitors);
    if (monitor == nullptr) return std::nullopt;
    return HomePlace{monitor->name,
                     POINT{SaturatedInt(LONGLONG{window.left} - monitor->rect.left),
                           SaturatedInt(LONGLONG{window.top} - monitor->rect.top)},
                     monitor->rect};
}

POINT ChooseFirstCorner(const std::optional<POINT>& saved, const std::optional<HomePlace>& savedHome,
                        int screenWidth, int screenHeight, const std::vector<Monitor>& monitors) {
    if (savedHome) {
        if (const Monitor* monitor = Named(savedHome->monitor, monitors)) return At(*monitor, savedHome->offset);
    }
    if (saved) {
        for (const Monitor& monitor : monitors) {
            if (::PtInRect(&monitor.rect, *saved)) return *saved;
        }
    }
    return FirstPlacementCorner(screenWidth, screenHeight);
}

std::optional<POINT> SecondScreenCorner(int screenWidth, const std::vector<Monitor>& monitors) {
    for (const Monitor& monitor : monitors) {
        if (monitor.rect.left == screenWidth && monitor.rect.top == 0) return POINT{screenWidth, 0};
    }
    for (const Monitor& monitor : monitors) {
        if (!monitor.primary) return POINT{monitor.rect.left, monitor.rect.top};
    }
    return std::nullopt;
}

std::optional<POINT> ReturnCorner(const RECT& window, const std::optional<HomePlace>& home,
                                  const std::vector<Monitor>& monitors, POINT firstCorner) {
    const Monitor* on = MonitorOf(window, monitors);
    const Monitor* own = home ? Named(home->monitor, monitors) : nullptr;
    std::optional<POINT> target;
    if (own != nullptr) {
        if (on != own || !::EqualRect(&own->rect, &home->area)) {
            target = Within(*own, At(*own, home->offset), LONGLONG{window.right} - window.left,
                            LONGLONG{window.bottom} - window.top);
        }
    } else if (home || on == nullptr) {
        target = firstCorner;
    }
    if (target && target->x == window.left && target->y == window.top) return std::nullopt;
    return target;
}

bool WhollyOnSecondScreen(const RECT& window, const std::vector<Monitor>& monitors) {
    for (const Monitor& monitor : monitors) {
        if (monitor.primary) continue;
        const RECT& area = monitor.rect;
        if (window.left >= area.left && window.top >= area.top && window.right <= area.right &&
            window.bottom <= area.bottom && window.left < window.right && window.top < window.bottom) {
            return true;
        }
    }
    return false;
}

UINT RotationPeriod(int intervalSeconds) {
    // A negative interval: the platform would take the product as a huge unsigned period.
    if (intervalSeconds < 0) return USER_TIMER_MAXIMUM;
    const long long period = static_cast<long long>(intervalSeconds) * 1000;
    if (period < USER_TIMER_MINIMUM) return USER_TIMER_MINIMUM;
    if (period > USER_TIMER_MAXIMUM) return USER_TIMER_MAXIMUM;
    return static_cast<UINT>(period);
}

bool FrameSizeIsDrawable(int width, int height) {
    constexpr int kLargestSide = 32767;
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) return false;
    return static_cast<long long>(width) * height * 4 <= INT_MAX;
}
