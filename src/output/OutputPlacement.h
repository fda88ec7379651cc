// Where the output window goes and how often it changes its picture.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

// x = screenWidth * 0.7f and y = screenHeight * 0.1f, each product formed exactly and
// truncated toward zero.
POINT FirstPlacementCorner(int screenWidth, int screenHeight);

// The first placement of a run: the corner the last run saved, when there is one and it still
// lies on one of `monitors` (a second screen may be gone since), else FirstPlacementCorner.
// Never a corner on no screen, where the operator could not see the output nor drag it back.
POINT ChooseFirstCorner(const std::optional<POINT>& saved, int screenWidth, int screenHeight,
                        const std::vector<RECT>& monitors);
// The monitors' rectangles as the system reports them now.
std::vector<RECT> MonitorRects();

// The rotation timer's period for an interval in seconds: interval * 1000 ms, formed
// without overflow and held within what SetTimer accepts (USER_TIMER_MINIMUM to
// USER_TIMER_MAXIMUM): 0 gives the shortest period, a huge interval the longest, and so
// does a negative one (read from the store unvalidated), whose product the platform would
// take as a huge unsigned period: the picture stays rather than flickering.
UINT RotationPeriod(int intervalSeconds);

// Whether a frame of this size can be composed: both sides from 1 to 32767 pixels (the
// range a window's size messages carry) and the pixels within a 32-bit signed byte count.
// Other sizes (a negative height or a width of 100000 read from the store) are skipped.
bool FrameSizeIsDrawable(int width, int height);
