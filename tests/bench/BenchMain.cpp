// placard_bench: what a frame costs against the bare GDI+ work of the same frame, how fast
// the program starts, and what it costs while it waits. Prints a Markdown table; never
// fails on time.
//   placard_bench [--runs N] [--idle-seconds N]
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/FrameBench.h"
#include "bench/StartBench.h"
#include "support/BuiltProgram.h"
#include "support/TempFolder.h"

namespace {

constexpr int kIdleInterval = 5;

bool ParseArguments(int argc, char** argv, int& runs, int& idleSeconds) {
    for (int i = 1; i < argc; ++i) {
        int* target = nullptr;
        if (std::strcmp(argv[i], "--runs") == 0) target = &runs;
        if (std::strcmp(argv[i], "--idle-seconds") == 0) target = &idleSeconds;
        if (target == nullptr || i + 1 >= argc) return false;
        char* end = nullptr;
        const long value = std::strtol(argv[++i], &end, 10);
        if (*end != '\0' || value < 1 || value > 100000) return false;
        *target = static_cast<int>(value);
    }
    return true;
}

void PrintFrame(const FrameFigures& frame) {
    std::printf("| Render(), %d x %d JPEG + bar | %.1f ms | %.1f ms | %.2f | %.1f ms | %.1f ms |\n", frame.width,
                frame.height, frame.renderMs, frame.bareMs, frame.bareMs > 0 ? frame.renderMs / frame.bareMs : 0.0,
                frame.decodeMs, frame.renderCpuMs);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 20;
    int idleSeconds = 30;
    if (!ParseArguments(argc, argv, runs, idleSeconds)) {
        std::fprintf(stderr, "usage: placard_bench [--runs N] [--idle-seconds N]\n");
        return 2;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    TempFolder folder;
    const FrameFigures hd = MeasureFrame(folder.path(), 1920, 1080, runs);
    const FrameFigures wide = MeasureFrame(folder.path(), 8000, 2000, runs);
    TempFolder startFolder;
    const StartFigures start = MeasureStarts(BuiltProgram(), startFolder.path(), runs, idleSeconds, kIdleInterval);
    Gdiplus::GdiplusShutdown(token);

    std::printf("Medians of %d runs each.\n\n", runs);
    std::printf("| frame | Render() | bare GDI+ frame | ratio | decoding alone | CPU per Render() |\n");
    std::printf("|---|---|---|---|---|---|\n");
    PrintFrame(hd);
    PrintFrame(wide);
    std::printf("\n| program | figure |\n|---|---|\n");
    if (!start.ok) {
        std::printf("| start | not measured: %s |\n", start.problem.c_str());
        return 1;
    }
    std::printf("| process start to settings dialog shown | %.0f ms |\n", start.dialogMs);
    std::printf("| process start to first frame pushed | %.0f ms |\n", start.firstFrameMs);
    std::printf("| CPU over %.0f s of slideshow, interval %d (%d frames) | %.0f ms |\n", start.idleSeconds,
                kIdleInterval, start.idleFrames, start.idleCpuMs);
    std::printf("| CPU beyond the frames: %.0f s between them | %.0f ms (%.2f %% of one core) |\n",
                start.betweenFramesSeconds, start.betweenFramesCpuMs,
                start.betweenFramesSeconds > 0 ? start.betweenFramesCpuMs / (start.betweenFramesSeconds * 10.0) : 0.0);
    return 0;
}
