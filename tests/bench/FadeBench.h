// Cross-fades on a real output window: how many steps a fade pushes each second and what one
// whole fade costs in CPU, with a scrolling bar.
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
