// Frame costs side by side: the output window's Render() for a picture of the output's size
// with a bar text, and the bare GDI+ work of the same frame alone on a surface of the same
// size (the picture decoded from the same bytes, one fill, one DrawImage, one DrawString).
// The ratio of the two is what the pipeline adds: the frame surfaces made anew, the file
// read and checked, the text measured, the push to the window.
#pragma once

#include <string>

struct FrameFigures {
    int width = 0;
    int height = 0;
    double renderMs = 0;      // median wall time of Render()
    double bareMs = 0;        // median wall time of the bare frame
    double decodeMs = 0;      // median wall time of decoding the picture alone
    double renderCpuMs = 0;   // CPU time per Render(), averaged over the runs
};

// Runs each measurement `runs` times in the folder (which gets data\ and _items.txt).
FrameFigures MeasureFrame(const std::string& folder, int width, int height, int runs);
