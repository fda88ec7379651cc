// Changes of picture on a real output window with a scrolling bar: how many steps a cross-fade
// pushes each second and what one whole fade costs in CPU, and how long the moving text stands
// still while the next picture is made.
#pragma once

#include <string>

struct FadeFigures {
    int width = 0;
    int height = 0;
    int fadeMs = 0;
    int fades = 0;
    double stepsPerSecond = 0;  // mean over the fades
    double cpuMsPerFade = 0;    // this process's CPU time per fade, the new frame's composing included
};

// `fades` fades of `fadeMs` between two photos of the output's size, in the folder.
FadeFigures MeasureFade(const std::string& folder, int width, int height, int fadeMs, int fades);

struct PauseFigures {
    int width = 0;
    int height = 0;
    int changes = 0;
    double longestGapMs = 0;   // between two moves of the band, over all the changes
    double longestTickMs = 0;  // the rotation's tick itself, the next frame's making included
};

// `changes` changes between two photos of pictureWidth x pictureHeight, fitted into the output,
// each after the picture shown has stood for a while.
PauseFigures MeasureBandPause(const std::string& folder, int width, int height, int pictureWidth, int pictureHeight,
                              int changes);
