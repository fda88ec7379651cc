// Frame costs side by side, on the same output window: Render() for a picture of the output's
// size with a bar text, and the bare frame, the same work in a straight line: the same
// platform and GDI+ calls in the same order on the same inputs (the window's DCs, the memory
// DC and its 32-bpp DIB, the Graphics and its modes, the fill, the file read whole and its
// picture decoded from memory and drawn, the text measured, the band, the text, the push,
// the releases), without the program's structure and checks in between. The ratio of the two
// is what that structure and those checks cost.
#pragma once

#include <string>

struct FrameFigures {
    int width = 0;
    int height = 0;
    int runs = 0;
    double renderMs = 0;     // median wall time of Render()
    double bareMs = 0;       // median wall time of the bare frame
    double ratio = 0;        // median of Render() / bare frame, each run's pair taken together
    double renderCpuMs = 0;  // CPU time per Render(), averaged over the runs
    double bareCpuMs = 0;    // CPU time per bare frame, averaged over the runs
};

// Runs each of the two `runs` times, in turn, in the folder (which gets a data\ folder).
FrameFigures MeasureFrame(const std::string& folder, int width, int height, int runs);
