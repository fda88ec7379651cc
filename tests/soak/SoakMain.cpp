// placard_soak: runs the program for many thousands of frames at the shortest period and
// says whether anything ran out: GDI objects, memory, or the frame itself.
//   placard_soak [--frames N] [--switch-every N] [--baseline-at N] [--width N] [--height N]
//                [--memory-allowance-mib N] [--scroll N] [--fade N] [--fit contain|cover|stretch]
// Exit status 0 when every target is met, 1 when one is missed, 2 for a bad argument.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/SignageApp.h"
#include "core/Core.h"
#include "soak/SoakRun.h"
#include "support/PictureFiles.h"
#include "support/TempFolder.h"

namespace {

constexpr uint32_t kBackground = 0x203040;
constexpr uint32_t kText = 0xFFE000;
constexpr double kMiB = 1024.0 * 1024.0;
bool ParseCount(const char* text, long& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed <= 0) return false;
    value = parsed;
    return true;
}

bool ParseArguments(int argc, char** argv, SoakOptions& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fit") == 0 && i + 1 < argc) {
            options.fit = argv[++i];
            continue;
        }
        long* target = nullptr;
        if (std::strcmp(argv[i], "--frames") == 0) target = &options.frames;
        if (std::strcmp(argv[i], "--switch-every") == 0) target = &options.switchEvery;
        if (std::strcmp(argv[i], "--baseline-at") == 0) target = &options.baselineAt;
        if (std::strcmp(argv[i], "--width") == 0) target = &options.width;
        if (std::strcmp(argv[i], "--height") == 0) target = &options.height;
        if (std::strcmp(argv[i], "--memory-allowance-mib") == 0) target = &options.memoryAllowanceMiB;
        if (std::strcmp(argv[i], "--scroll") == 0) target = &options.scroll;
        if (std::strcmp(argv[i], "--fade") == 0) target = &options.fade;
        if (target == nullptr || i + 1 >= argc || !ParseCount(argv[++i], *target)) return false;
    }
    return options.baselineAt < options.frames && options.width >= 100 && options.width <= 8000 &&
           options.height >= 100 && options.height <= 4320;
}

// The program's folder: three pictures of the output's size, the playlist, and a store
// with the shortest interval there is.
void LayOut(const TempFolder& folder, const SoakOptions& options, const std::vector<SoakPicture>& pictures) {
    std::string items;
    for (const SoakPicture& picture : pictures) {
        folder.write("data\\" + picture.name,
                     EncodePicture(L"image/jpeg", options.width, options.height, picture.left, picture.right));
        items += picture.name + "\r\n";
    }
    folder.write("_items.txt", items);
    CCore core(folder.path());
    core.autoFileConfig();
    core.saveConfigB("on", true);
    core.saveConfigInt("width", options.width);
    core.saveConfigInt("height", options.height);
    core.saveConfigInt("interval", 0);
    core.saveConfigClr("clrbg", 0xFF000000 | kBackground);
    core.saveConfigClr("clrfont", 0xFF000000 | kText);
    core.saveConfigStr("dispbtm", "Placard 耐久测试 信息栏 0123456789");
    if (options.scroll > 0) core.saveConfigInt("scroll", options.scroll);
    if (options.fade > 0) core.saveConfigInt("fade", options.fade);
    if (!options.fit.empty()) core.saveConfigStr("fit", options.fit);
}

const char* Verdict(bool met) { return met ? "ok" : "MISSED"; }

}  // namespace

int main(int argc, char** argv) {
    SoakOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: placard_soak [--frames N] [--switch-every N] [--baseline-at N] [--width N] [--height N] [--memory-allowance-mib N] [--scroll N] [--fade N] [--fit contain|cover|stretch]\n");
        return 2;
    }
    const std::vector<SoakPicture> pictures = {
        {"a.jpg", 0xC02020, 0x20C020},
        {"b.jpg", 0x2020C0, 0xC0C020},
        {"c.jpg", 0xC020C0, 0x20C0C0},
    };

    // GDI+ for the picture encoder; the program starts and stops its own as well.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    TempFolder folder;
    LayOut(folder, options, pictures);

    SoakRun run(options, pictures, kBackground, kText);
    {
        CSignageApp app(folder.path());
        run.Start(folder.file("_items.txt"));
        AfxWinMain(GetModuleHandleW(nullptr));
    }
    Gdiplus::GdiplusShutdown(token);

    const SoakReport& report = run.Report();
    const bool framesMet = !report.stalled && report.frames >= options.frames;
    const bool gdiMet = report.gdiAfter >= report.gdiBefore && report.gdiBefore > 0;
    const uint64_t grown =
        report.residentEnd > report.residentBaseline ? report.residentEnd - report.residentBaseline : 0;
    const bool memoryMet = report.residentBaseline > 0 && grown <= static_cast<uint64_t>(options.memoryAllowanceMiB) * 1024u * 1024u;

    std::printf("Placard soak: %ld x %ld JPEG pictures and a bar text scrolling at %ld px/s, fade %ld ms, interval 0, "
                "playlist of %zu switched %ld times\n",
                options.width, options.height, options.scroll, options.fade, pictures.size(), report.switches);
    std::printf("  frames composed          %ld by the rotation timer + %ld by placements in %.1f s%s  %s\n",
                report.frames, report.placements, report.seconds, report.stalled ? " (stalled)" : "",
                Verdict(framesMet));
    std::printf("  GDI objects creatable    %d after %ld frames, %d at the end  %s\n", report.gdiBefore,
                options.baselineAt, report.gdiAfter, Verdict(gdiMet));
    std::printf("  resident memory          %.2f MiB after %ld frames, %.2f MiB at the end (+%.2f MiB)  %s\n",
                report.residentBaseline / kMiB, options.baselineAt, report.residentEnd / kMiB, grown / kMiB,
                Verdict(memoryMet));
    std::printf("  last frame               %s  %s\n", report.lastFrame.c_str(), Verdict(report.lastFrameRight));
    const bool passed = framesMet && gdiMet && memoryMet && report.lastFrameRight;
    std::printf("%s\n", passed ? "PASS" : "FAIL");
    return passed ? 0 : 1;
}
