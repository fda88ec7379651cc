// Where the output window goes and how often it changes its picture.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "runlog/RunLogLines.h"

// A monitor as the system lists it.
struct Monitor {
    RECT rect;
    std::string name;  // the system's name for it ("\\.\DISPLAY2"), the same across layouts
    bool primary;
};
// The monitors as the system lists them now, in its order.
std::vector<Monitor> Monitors();
// The same, as the run log names them.
std::vector<ScreenSeen> ScreensSeen(const std::vector<Monitor>& monitors);

// Where the operator put the output: the monitor it lies on (most of it), and its top-left
// corner's offset from that monitor's.
struct HomePlace {
    std::string monitor;
    POINT offset;
    // The monitor's area then: another one since means it moved, shrank or changed resolution.
    RECT area{};
};
std::optional<HomePlace> HomeOf(const RECT& window, const std::vector<Monitor>& monitors);

// x = screenWidth * 0.7f and y = screenHeight * 0.1f, each product formed exactly and
// truncated toward zero.
POINT FirstPlacementCorner(int screenWidth, int screenHeight);

// The first placement of a run: where the last run left the output, when there is such a place
// on `monitors` now (the same monitor at the same offset, else the same corner if some monitor
// holds it: a second screen may be gone since), else FirstPlacementCorner. Never a corner on no
// screen, where the operator could not see the output nor drag it back.
POINT ChooseFirstCorner(const std::optional<POINT>& saved, const std::optional<HomePlace>& savedHome,
                        int screenWidth, int screenHeight, const std::vector<Monitor>& monitors);

// Where 定位到第二屏 puts the output: (screenWidth, 0) where a monitor's top-left corner is there,
// else the top-left corner of the first monitor that is not the primary, wherever it lies; none
// with one screen.
std::optional<POINT> SecondScreenCorner(int screenWidth, const std::vector<Monitor>& monitors);

// Where the output goes once the displays have changed, or none where it stays. An output on its
// own monitor stays (wherever on it, half off it too) while that monitor is as it was; away from
// it, or once it moved, shrank or changed resolution, the output goes back to its offset there,
// moved in so that it lies wholly on it where it fits (at its corner where it is larger). While
// its monitor is not there, it goes to `firstCorner` on the main screen. An output never placed
// on a monitor stays where it lies on one, and otherwise goes to `firstCorner` too.
std::optional<POINT> ReturnCorner(const RECT& window, const std::optional<HomePlace>& home,
                                  const std::vector<Monitor>& monitors, POINT firstCorner);

// Whether the window lies wholly on one monitor that is not the primary: there the output stays
// above other windows and that screen's taskbar.
bool WhollyOnSecondScreen(const RECT& window, const std::vector<Monitor>& monitors);

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
