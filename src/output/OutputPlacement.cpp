#include "output/OutputPlacement.h"

#include <climits>

POINT FirstPlacementCorner(int screenWidth, int screenHeight) {
    return POINT{static_cast<LONG>(static_cast<double>(screenWidth) * static_cast<double>(0.7f)),
                 static_cast<LONG>(static_cast<double>(screenHeight) * static_cast<double>(0.1f))};
}

POINT ChooseFirstCorner(const std::optional<POINT>& saved, int screenWidth, int screenHeight,
                        const std::vector<RECT>& monitors) {
    if (saved) {
        for (const RECT& monitor : monitors) {
            if (::PtInRect(&monitor, *saved)) return *saved;
        }
    }
    return FirstPlacementCorner(screenWidth, screenHeight);
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM found) {
    reinterpret_cast<std::vector<RECT>*>(found)->push_back(*rect);
    return TRUE;
}

}  // namespace

std::vector<RECT> MonitorRects() {
    std::vector<RECT> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
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
