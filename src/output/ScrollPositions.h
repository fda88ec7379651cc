// Where the scrolling information bar's text stands ("scroll=" pixels per second in the store):
// it moves right to left through the band and comes round again, copies of it one period apart.
// Where the copies stand follows the time since the show started, not the number of updates, so
// the speed holds at any update rate and no fraction of a pixel is lost.
#pragma once

#include <cstdint>
#include <vector>

// The speeds taken, in pixels per second; 0 is the still bar.
constexpr int kSlowestScroll = 30;
constexpr int kFastestScroll = 600;
bool ScrollSpeedAccepted(int speed);

// The distance from one copy's left edge to the next: the text and a gap of three text heights,
// and at least the band's width, so that a text shorter than the band crosses it alone.
int ScrollPeriod(int textWidth, int textHeight, int bandWidth);

// The left edges of the copies that show in a band `bandWidth` wide, `elapsedMs` after the first
// copy stood at `start` (the still bar's place), left to right.
std::vector<int> ScrolledTextLefts(uint64_t elapsedMs, int speed, int start, int textWidth, int period,
                                   int bandWidth);
