// The run log's words: one line an event, the local time first, in the program's ANSI text;
// the log converts it when it writes. Each event names the file or key it concerns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "picture/PictureFile.h"

// "2026-12-08 09:05:03 " and the event on one line, ended by CR LF: a line break inside it
// becomes a blank, or nothing after a colon.
std::string RunLogLine(const SYSTEMTIME& when, const std::string& event);

// Why a picture was not shown, in words the operator can act on; empty for None.
std::string PictureTroubleWords(PictureTrouble trouble);
// The picture named in the list (relative to the picture folder) was not shown at its turn.
std::string PictureNotShownEvent(const std::string& name, PictureTrouble trouble);

// A screen as the system lists it.
struct ScreenSeen {
    std::string name;
    RECT area;
};
// The output window: its size and place, or that it is switched off; black while the shop is
// closed.
std::string OutputText(const RECT& window, bool shown, bool shopOpen);
// The start (or, with `running`, a log switched on while the program runs) and the end.
std::string StartEvent(const std::string& version, bool running, const std::vector<ScreenSeen>& screens);
std::string EndEvent(bool sessionEnding, const std::string& output);
// The operator switched the log off.
std::string LogOffEvent();
// The screens changed; where the output is then.
std::string DisplayChangeEvent(const std::vector<ScreenSeen>& screens, const RECT& window);
// The output went back onto a screen after its own changed or went.
std::string OutputReturnedEvent(const RECT& window);

// A key of `file` another program changed: taken, or refused (`refusal` says why) with the
// value it wrote.
std::string OutsideKeyEvent(const std::string& file, const std::string& key, const std::string& value,
                            const std::string& refusal);
// Another program's playlist taken.
std::string OutsideListEvent(const std::string& file);

std::string ShopHoursEvent(bool open);
// A second start from the same folder, sent back to the Placard that runs there.
std::string SentBackEvent();
