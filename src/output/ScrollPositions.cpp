#include "output/ScrollPositions.h"

#include <algorithm>

bool ScrollSpeedAccepted(int speed) { return speed == 0 || (speed >= kSlowestScroll && speed <= kFastestScroll); }

int ScrollPeriod(int textWidth, int textHeight, int bandWidth) {
    const long long withGap = static_cast<long long>(std::max(textWidth, 0)) + 3LL * std::max(textHeight, 1);
    return static_cast<int>(std::min<long long>(std::max<long long>(withGap, bandWidth), 1LL << 30));
}

std::vector<int> ScrolledTextLefts(uint64_t elapsedMs, int speed, int start, int textWidth, int period,
                                   int bandWidth) {
    std::vector<int> lefts;
    if (period <= 0 || textWidth <= 0 || speed <= 0) return lefts;
    // Thousandths of a pixel travelled within the present period: exact, whatever the time.
    const uint64_t travelled = elapsedMs * static_cast<uint64_t>(speed) % (static_cast<uint64_t>(period) * 1000);
    long long left = static_cast<long long>(start) - static_cast<long long>(travelled / 1000);
    while (left + textWidth > 0) left -= period;
    for (left += period; left < bandWidth; left += period) lefts.push_back(static_cast<int>(left));
    return lefts;
}
