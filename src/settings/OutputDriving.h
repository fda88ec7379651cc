// How the settings dialog drives the output window (SharedState::outputWnd) with the values the
// show has in SharedState. Before the window exists each does nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "output/OutputPlacement.h"

class CWnd;

// Creates the run's one output window, owned by `parent`, hidden; a second call does nothing.
void CreateOutputWindow(CWnd* parent);

// Shows `list` in the output at the present size: at the run's first showing at its first corner
// (where the last run left it, when `savedCorner` and `savedHome` say so), later where the window
// is now. Hidden instead while 开启输出 is off; black there while the shop is closed.
void ApplyToOutput(const std::wstring& list, bool shopOpen, const std::optional<POINT>& savedCorner,
                   const std::optional<HomePlace>& savedHome);

// 定位到第二屏: the output to the second screen's corner at the present size, and shown there;
// while the shop is closed it shows black there, and the show there when the hours begin.
enum class SecondScreenMove { NoOutput, NoSecondScreen, Moved };
SecondScreenMove SendOutputToSecondScreen(bool shopOpen);

// The output's size and place as the run log says them; once the window is gone (the dialog
// closing), where it last was.
std::string DescribeOutput(bool shopOpen);
