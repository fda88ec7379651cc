// placard_bench: what a frame costs against the straight-line form of the same work, at sizes
// from 320 x 240 to 8000 x 2000; what a cross-fade costs and how smooth it is; how fast the
// program starts; what it costs while it waits, and its share of one core at the shortest
// interval on the largest output. Prints Markdown
// tables; never fails on time.
//   placard_bench [--runs N] [--idle-seconds N] [--frames-only]
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/FadeBench.h"
#include "bench/FrameBench.h"
#include "bench/Median.h"
#include "bench/StartBench.h"
#include "core/Core.h"
#include "framework/DibSurface.h"
#include "output/OutputDlg.h"
#include "store/AtomicFile.h"
#include "store/SettledFile.h"
#include "support/BuiltProgram.h"
#include "support/PictureFiles.h"
#include "support/ProcessFigures.h"
#include "support/TempFolder.h"

namespace {

constexpr int kIdleInterval = 5;
constexpr int kReloadSeconds = 10;

bool ParseArguments(int argc, char** argv, int& runs, int& idleSeconds, bool& framesOnly) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames-only") == 0) {
            framesOnly = true;
            continue;
        }
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

constexpr SIZE kFrameSizes[] = {{320, 240}, {800, 600}, {1920, 1080}, {4000, 2000}, {8000, 2000}};
constexpr SIZE kShareSize{8000, 2000};
constexpr int kShareInterval = 1;
// The scrolling bar on a full-HD output, at the dialog's middle speed.
constexpr SIZE kScrollSize{1920, 1080};
constexpr int kScrollSpeed = 120;
// A fade at each change on the same output and interval.
constexpr int kShareFade = 500;
constexpr double kSmallFrameArea = 2e6;

// The machine's load averages over 1, 5 and 15 minutes, as the kernel counts them (under Wine
// /proc is reached through drive Z:); empty where there is no such file.
std::string LoadAverages() {
    std::ifstream file("Z:\\proc\\loadavg");
    double one = 0;
    double five = 0;
    double fifteen = 0;
    if (!(file >> one >> five >> fifteen)) return {};
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f, %.2f, %.2f", one, five, fifteen);
    return text;
}

double Megapixels(const FrameFigures& frame) { return frame.width * static_cast<double>(frame.height) / 1e6; }

void PrintWallTimes(const std::vector<FrameFigures>& frames) {
    std::printf("| output | megapixels | runs | Render() | per megapixel | bare frame | Render() / bare |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const FrameFigures& frame : frames) {
        std::printf("| %d x %d | %.2f | %d | %.1f ms | %.1f ms | %.1f ms | %.3f |\n", frame.width, frame.height,
                    Megapixels(frame), frame.runs, frame.renderMs, frame.renderMs / Megapixels(frame), frame.bareMs,
                    frame.ratio);
    }
}

void PrintCpuTimes(const std::vector<FrameFigures>& frames) {
    std::printf("| output | Render() | per megapixel | bare frame | Render() / bare |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const FrameFigures& frame : frames) {
        std::printf("| %d x %d | %.1f ms | %.1f ms | %.1f ms | %.3f |\n", frame.width, frame.height, frame.renderCpuMs,
                    frame.renderCpuMs / Megapixels(frame), frame.bareCpuMs,
                    frame.bareCpuMs > 0 ? frame.renderCpuMs / frame.bareCpuMs : 0.0);
    }
}

// What one look of "reload" reads with a list of 50 names: the size and time of the playlist
// file, the store and each picture. Median of `runs` looks, in microseconds.
double LookMicroseconds(int runs) {
    TempFolder folder;
    std::vector<std::string> paths = {folder.file("_items.txt"), folder.file("Placard.ini")};
    for (int i = 0; i < 50; ++i) {
        const std::string name = "data\\picture" + std::to_string(i) + ".jpg";
        folder.write(name, "picture");
        paths.push_back(folder.file(name));
    }
    folder.write("_items.txt", "");
    folder.write("Placard.ini", "");
    std::vector<double> looks;
    for (int run = 0; run < runs; ++run) {
        const BenchClock clock;
        for (const std::string& path : paths) StampOf(path);
        looks.push_back(clock.ElapsedMs() * 1000.0);
    }
    return Median(looks);
}

// A camera's 24-megapixel photo (6000 x 4000) fitted to the output ("contain"), against reading
// and decoding the same file alone: the floor of any frame that draws it, with nothing cached.
struct FittedFigures {
    double decodeMs = 0;  // medians
    double fittedMs = 0;
    double ratio = 0;     // median of each run's pair
};

double DecodeOnlyMs(const std::string& path) {
    const BenchClock clock;
    std::string bytes;
    AtomicFile::read(path, size_t{80} << 20, bytes);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(memory, TRUE, &stream);
    {
        Gdiplus::Bitmap picture(stream);
        Gdiplus::Rect all(0, 0, static_cast<INT>(picture.GetWidth()), static_cast<INT>(picture.GetHeight()));
        Gdiplus::BitmapData data{};
        if (picture.LockBits(&all, Gdiplus::ImageLockModeRead, picture.GetPixelFormat(), &data) == Gdiplus::Ok) {
            picture.UnlockBits(&data);
        }
    }
    stream->Release();
    return clock.ElapsedMs();
}

FittedFigures MeasureFitted(const CCore& core, const std::string& path, int width, int height, int runs) {
    std::vector<double> decode, fitted, ratios;
    for (int run = 0; run < runs; ++run) {
        const double decodeMs = DecodeOnlyMs(path);
        const DibSurface surface(nullptr, width, height);
        const BenchClock clock;
        {
            Gdiplus::Graphics graphics(surface.Dc());
            COutputDlg::SetFrameModes(graphics);
            const PixelTarget pixels{surface.Bits(), width, height};
            core.drawPic(graphics, 0, 0, SIZE{width, height}, PictureFit::Contain, path, &pixels);
        }
        const double fittedMs = clock.ElapsedMs();
        decode.push_back(decodeMs);
        fitted.push_back(fittedMs);
        ratios.push_back(fittedMs / decodeMs);
    }
    return FittedFigures{Median(decode), Median(fitted), Median(ratios)};
}

void PrintFittedPhotos(int runs) {
    TempFolder folder;
    folder.write("photo.jpg", EncodePhotoLikePicture(L"image/jpeg", 6000, 4000));
    const CCore core;
    std::printf("\nA 6000 x 4000 JPEG fitted (contain): medians of %d runs, the ratio the median of each run's "
                "pair.\n\n| output | read and decode | fitted | fitted / decode |\n|---|---|---|---|\n",
                runs);
    for (const SIZE& size : {SIZE{1920, 1080}, SIZE{3840, 2160}}) {
        const FittedFigures figures = MeasureFitted(core, folder.file("photo.jpg"), size.cx, size.cy, runs);
        std::printf("| %ld x %ld | %.0f ms | %.0f ms | %.2f |\n", size.cx, size.cy, figures.decodeMs, figures.fittedMs,
                    figures.ratio);
    }
    std::printf("\nPeak resident memory of the bench so far: %.0f MiB\n",
                static_cast<double>(PeakResidentBytes()) / (1024.0 * 1024.0));
}

// A small picture (a 400 x 300 price tag) enlarged onto a 4K output by each fit that enlarges it:
// the whole drawPic, file read and decode included. Medians of `runs`.
void PrintEnlargedPicture(int runs) {
    TempFolder folder;
    folder.write("tag.jpg", EncodePhotoLikePicture(L"image/jpeg", 400, 300));
    const CCore core;
    constexpr SIZE kOutput{3840, 2160};
    std::printf("\nA 400 x 300 JPEG enlarged to %ld x %ld: medians of %d runs.\n\n| fit | drawn |\n|---|---|\n",
                kOutput.cx, kOutput.cy, runs);
    for (const PictureFit fit : {PictureFit::Contain, PictureFit::Cover, PictureFit::Stretch}) {
        std::vector<double> drawn;
        for (int run = 0; run < runs; ++run) {
            const DibSurface surface(nullptr, kOutput.cx, kOutput.cy);
            const BenchClock clock;
            {
                Gdiplus::Graphics graphics(surface.Dc());
                COutputDlg::SetFrameModes(graphics);
                const PixelTarget pixels{surface.Bits(), kOutput.cx, kOutput.cy};
                core.drawPic(graphics, 0, 0, kOutput, fit, folder.file("tag.jpg"), &pixels);
            }
            drawn.push_back(clock.ElapsedMs());
        }
        std::printf("| %s | %.0f ms |\n", PictureFitName(fit), Median(drawn));
    }
}

// Cross-fades of a photo and a plain picture, with the bar scrolling at 120 px/s.
void PrintFades(int fades) {
    std::printf("\nCross-fades with a scrolling bar: means over %d fades each.\n\n", fades);
    std::printf("| output | fade | steps per second | CPU per fade |\n|---|---|---|---|\n");
    for (const SIZE size : {SIZE{1920, 1080}, SIZE{3840, 2160}}) {
        for (const int fadeMs : {500, 1000}) {
            TempFolder folder;
            const FadeFigures figures = MeasureFade(folder.path(), size.cx, size.cy, fadeMs, fades);
            std::printf("| %d x %d | %d ms | %.1f | %.0f ms |\n", figures.width, figures.height, figures.fadeMs,
                        figures.stepsPerSecond, figures.cpuMsPerFade);
        }
    }
}

// Changes between two 24-megapixel photos with the bar scrolling: how long its text stands still.
void PrintBandPauses(int changes) {
    std::printf("\nChanges between two 6000 x 4000 JPEG photos, fit=contain, the bar scrolling at 120 px/s: the "
                "longest of %d changes each.\n\n| output | longest stop of the text | longest rotation tick |\n"
                "|---|---|---|\n",
                changes);
    for (const SIZE size : {SIZE{1920, 1080}, SIZE{3840, 2160}}) {
        TempFolder folder;
        const PauseFigures figures = MeasureBandPause(folder.path(), size.cx, size.cy, 6000, 4000, changes);
        std::printf("| %d x %d | %.0f ms | %.0f ms |\n", figures.width, figures.height, figures.longestGapMs,
                    figures.longestTickMs);
    }
}

// The largest picture drawn (8000 x 6000) at its own size, clipped, into the largest frame.
void PrintLargestPicture() {
    TempFolder folder;
    folder.write("large.jpg", EncodePhotoLikePicture(L"image/jpeg", 8000, 6000));
    const CCore core;
    const bool fromHere = ResetPeakResident();  // not counting the making of the file
    const DibSurface surface(nullptr, 8000, 4320);
    const BenchClock clock;
    {
        Gdiplus::Graphics graphics(surface.Dc());
        COutputDlg::SetFrameModes(graphics);
        const PixelTarget pixels{surface.Bits(), 8000, 4320};
        core.drawPic(graphics, 0, 0, SIZE{8000, 4320}, PictureFit::None, folder.file("large.jpg"), &pixels);
    }
    const double ms = clock.ElapsedMs();
    std::printf("\nAn 8000 x 6000 JPEG at its own size in an 8000 x 4320 frame: %.0f ms; peak resident memory %s: "
                "%.0f MiB\n",
                ms, fromHere ? "from just before the frame" : "of the bench so far",
                static_cast<double>(PeakResidentBytes()) / (1024.0 * 1024.0));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 20;
    int idleSeconds = 30;
    bool framesOnly = false;
    if (!ParseArguments(argc, argv, runs, idleSeconds, framesOnly)) {
        std::fprintf(stderr, "usage: placard_bench [--runs N] [--idle-seconds N] [--frames-only]\n");
        return 2;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    std::printf("Load averages (1, 5, 15 min) at the start: %s\n\n", LoadAverages().c_str());
    std::vector<FrameFigures> frames;
    for (const SIZE& size : kFrameSizes) {
        TempFolder folder;
        // Small frames are short, and the CPU clock counts in ticks of 10 ms: they run more often.
        const double area = static_cast<double>(size.cx) * size.cy;
        const int sizeRuns = std::max(runs, static_cast<int>(runs * kSmallFrameArea / area));
        frames.push_back(MeasureFrame(folder.path(), size.cx, size.cy, sizeRuns));
    }
    std::printf("Wall time per frame: medians; Render() and the bare frame taken in turn, the ratio the median of "
                "each run's pair.\n\n");
    PrintWallTimes(frames);
    std::printf("\nCPU time of this process per frame: means over the same runs.\n\n");
    PrintCpuTimes(frames);
    PrintFittedPhotos(std::max(3, runs / 4));
    PrintEnlargedPicture(std::max(3, runs / 4));
    PrintLargestPicture();
    PrintFades(std::max(2, runs / 5));
    PrintBandPauses(std::max(3, runs / 4));
    std::printf("\nLoad averages after the frames: %s\n", LoadAverages().c_str());
    if (framesOnly) {
        Gdiplus::GdiplusShutdown(token);
        return 0;
    }
    StartFigures start;
    StartFigures reloading;
    ShareFigures share;
    ShareFigures still;
    ShareFigures scrolling;
    ShareFigures fading;
    {
        TempFolder startFolder;
        start = MeasureStarts(BuiltProgram(), startFolder.path(), runs, idleSeconds, kIdleInterval);
    }
    if (start.ok) {
        TempFolder reloadFolder;
        reloading = MeasureStarts(BuiltProgram(), reloadFolder.path(), 1, idleSeconds, kIdleInterval, kReloadSeconds);
    }
    if (start.ok) {
        TempFolder shareFolder;
        share = MeasureCpuShare(BuiltProgram(), shareFolder.path(), idleSeconds, kShareInterval, kShareSize.cx,
                                kShareSize.cy);
    }
    if (start.ok) {
        TempFolder stillFolder, scrollFolder;
        still = MeasureCpuShare(BuiltProgram(), stillFolder.path(), idleSeconds, kIdleInterval, kScrollSize.cx,
                                kScrollSize.cy);
        scrolling = MeasureCpuShare(BuiltProgram(), scrollFolder.path(), idleSeconds, kIdleInterval, kScrollSize.cx,
                                    kScrollSize.cy, kScrollSpeed);
    }
    if (start.ok) {
        TempFolder fadeFolder;
        fading = MeasureCpuShare(BuiltProgram(), fadeFolder.path(), idleSeconds, kIdleInterval, kScrollSize.cx,
                                 kScrollSize.cy, 0, kShareFade);
    }
    Gdiplus::GdiplusShutdown(token);

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
    if (reloading.ok) {
        std::printf("| the same with reload=%d | %.0f ms (%.2f %% of one core) |\n", kReloadSeconds,
                    reloading.betweenFramesCpuMs,
                    reloading.betweenFramesSeconds > 0
                        ? reloading.betweenFramesCpuMs / (reloading.betweenFramesSeconds * 10.0)
                        : 0.0);
    }
    std::printf("| one look of reload, a list of 50 names | %.0f us |\n", LookMicroseconds(runs));
    if (!share.ok) {
        std::printf("| CPU share | not measured: %s |\n", share.problem.c_str());
        return 1;
    }
    std::printf("| CPU share of one core, interval %d, %ld x %ld output, over %.0f s | %.0f %% |\n", kShareInterval,
                kShareSize.cx, kShareSize.cy, share.seconds, share.cpuMs / (share.seconds * 10.0));
    for (const auto& [figures, scroll] : {std::pair{&still, 0}, std::pair{&scrolling, kScrollSpeed}}) {
        if (!figures->ok) continue;
        std::printf("| CPU share of one core, interval %d, %ld x %ld output, scroll=%d, over %.0f s | %.1f %% |\n",
                    kIdleInterval, kScrollSize.cx, kScrollSize.cy, scroll, figures->seconds,
                    figures->cpuMs / (figures->seconds * 10.0));
    }
    if (fading.ok) {
        std::printf("| CPU share of one core, interval %d, %ld x %ld output, fade=%d, two pictures, over %.0f s | %.1f %% |\n",
                    kIdleInterval, kScrollSize.cx, kScrollSize.cy, kShareFade, fading.seconds,
                    fading.cpuMs / (fading.seconds * 10.0));
    }
    std::printf("\nLoad averages at the end: %s\n", LoadAverages().c_str());
    return 0;
}
