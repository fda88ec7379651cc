// The built program started as an operator starts it, in a folder of its own with the output
// on: how long until the settings dialog shows and until the first frame has been pushed
// (the output window shows right after its first push), and how much CPU it uses while a
// slideshow runs untouched.
#pragma once

#include <string>

struct StartFigures {
    double dialogMs = 0;     // median, process start to the settings dialog shown
    double firstFrameMs = 0; // median, process start to the first frame pushed
    int starts = 0;          // starts measured
    double idleCpuMs = 0;    // CPU used over the slideshow window, frames included
    double idleSeconds = 0;
    int idleFrames = 0;      // frames the interval puts in that window
    double betweenFramesCpuMs = 0;  // CPU used while no frame was due
    double betweenFramesSeconds = 0;
    bool ok = false;
    std::string problem;
};

// `program` is the built Placard.exe; `folder` a folder of the bench's own; `reloadSeconds` the
// store's "reload" (0: none).
StartFigures MeasureStarts(const std::string& program, const std::string& folder, int runs, int idleSeconds,
                           int interval, int reloadSeconds = 0);

// The built program's CPU use while its slideshow runs untouched at `interval` on an output of
// width x height showing a picture of that size with a bar text, scrolling at `scroll` pixels per
// second (0: still), over `seconds` of wall time.
struct ShareFigures {
    double cpuMs = 0;
    double seconds = 0;
    bool ok = false;
    std::string problem;
};
ShareFigures MeasureCpuShare(const std::string& program, const std::string& folder, int seconds, int interval,
                             int width, int height, int scroll = 0, int fade = 0);
