#include "bench/FrameBench.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <vector>

#include "base/ProgramText.h"
#include "bench/BenchClock.h"
#include "bench/Median.h"
#include "core/Core.h"
#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "resource.h"
#include "state/SharedState.h"
#include "support/PictureFiles.h"
#include "support/SharedStateReset.h"
#include "support/TempFolder.h"

namespace {

const char* const kBarText = "Placard 信息栏 今日特价 0123456789";
const wchar_t* const kBarFamily = L"黑体";
constexpr Gdiplus::REAL kBarFontSize = 30.0f;
constexpr BYTE kFrameAlpha = 253;

struct BareInputs {
    HWND window;
    UpdateLayeredWindowFunction push;
    int width;
    int height;
    Gdiplus::ARGB background;
    Gdiplus::ARGB textColour;
    std::string picturePath;
    std::string text;
};

std::wstring Wide(const std::string& text) { return WideFromProgramText(text); }

// One frame's work, call by call as Render(), drawPic, getTextBounds and drawStrSolid make
// it, with none of their checks: every call is taken to succeed.
void DrawBareFrame(const BareInputs& in) {
    const LONG exStyle = GetWindowLongW(in.window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0) SetWindowLongA(in.window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    HDC reference = GetDC(in.window);
    HDC memory = CreateCompatibleDC(reference);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = in.width;
    info.bmiHeader.biHeight = -in.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP frame = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, frame);
    HDC destination = GetDC(in.window);
    RECT corner;
    GetWindowRect(in.window, &corner);

    auto* graphics = new Gdiplus::Graphics(memory);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    {
        Gdiplus::SolidBrush brush{Gdiplus::Color(in.background)};
        graphics->FillRectangle(&brush, Gdiplus::RectF(0.0f, 0.0f, static_cast<Gdiplus::REAL>(in.width),
                                                       static_cast<Gdiplus::REAL>(in.height)));
    }
    {
        // The file read whole into memory and closed, the picture decoded from that memory.
        HANDLE file = CreateFileA(in.picturePath.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        LARGE_INTEGER size{};
        GetFileSizeEx(file, &size);
        HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size.QuadPart));
        DWORD got = 0;
        ReadFile(file, GlobalLock(bytes), static_cast<DWORD>(size.QuadPart), &got, nullptr);
        GlobalUnlock(bytes);
        CloseHandle(file);
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(bytes, FALSE, &stream);
        {
            Gdiplus::Bitmap picture(stream);
            const auto width = static_cast<INT>(picture.GetWidth());
            const auto height = static_cast<INT>(picture.GetHeight());
            Gdiplus::ImageAttributes attributes;
            attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
            graphics->DrawImage(&picture, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                                Gdiplus::UnitPixel, &attributes);
        }
        stream->Release();
        GlobalFree(bytes);
    }
    int textHeight = 0;
    {
        const std::wstring wide = Wide(in.text);
        Gdiplus::FontFamily family(kBarFamily);
        Gdiplus::Font font(&family, kBarFontSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format;
        Gdiplus::Bitmap scratch(1, 1, PixelFormat32bppARGB);
        Gdiplus::Graphics measure(&scratch);
        Gdiplus::RectF bounds;
        measure.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), &font, Gdiplus::PointF(0, 0), &format,
                              &bounds);
        textHeight = static_cast<int>(std::ceil(bounds.Height));
    }
    const int margin = textHeight / 5;
    const int band = textHeight + 2 * margin;
    {
        Gdiplus::SolidBrush brush{Gdiplus::Color(in.background)};
        graphics->FillRectangle(&brush, Gdiplus::RectF(-2.0f, static_cast<Gdiplus::REAL>(in.height - band),
                                                       static_cast<Gdiplus::REAL>(in.width + 4),
                                                       static_cast<Gdiplus::REAL>(band)));
    }
    {
        const std::wstring wide = Wide(in.text);
        Gdiplus::FontFamily family(kBarFamily);
        Gdiplus::Font font(&family, kBarFontSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format;
        Gdiplus::SolidBrush brush{Gdiplus::Color(in.textColour)};
        graphics->DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                             Gdiplus::PointF(static_cast<Gdiplus::REAL>(margin),
                                             static_cast<Gdiplus::REAL>(in.height - textHeight - margin)),
                             &format, &brush);
    }
    graphics->Flush(Gdiplus::FlushIntentionSync);

    POINT target{corner.left, corner.top};
    SIZE extent{in.width, in.height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, kFrameAlpha, AC_SRC_ALPHA};
    in.push(in.window, destination, &target, &extent, memory, &source, 0, &blend, ULW_ALPHA);

    ReleaseDC(in.window, destination);
    ReleaseDC(in.window, reference);
    delete graphics;
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(frame);
}

}  // namespace

FrameFigures MeasureFrame(const std::string& folder, int width, int height, int runs) {
    FrameFigures figures;
    figures.width = width;
    figures.height = height;
    figures.runs = runs;

    const std::string name = "bench-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg";
    const std::string picturePath = folder + "data\\" + name;
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    {
        const std::string encoded = EncodePhotoLikePicture(L"image/jpeg", width, height);
        HANDLE file = CreateFileA(picturePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, encoded.data(), static_cast<DWORD>(encoded.size()), &written, nullptr);
        CloseHandle(file);
    }

    ResetSharedState();
    CCore core(folder);
    Playlist playlist;
    playlist.add(name);
    SharedState::core = &core;
    SharedState::playlist = &playlist;
    SharedState::playlistCount = playlist.count();
    SharedState::appPath = folder;
    SharedState::dataDir = folder + "data\\";
    SharedState::width = width;
    SharedState::height = height;
    SharedState::interval = 5;
    SharedState::clrbg = 0xFF203040;
    SharedState::clrfont = 0xFFFFE000;
    SharedState::dispbtm = kBarText;

    {
        COutputDlg window(nullptr);
        window.Create(IDD_OUTPUT, nullptr);
        window.Place(RECT{0, 0, width, height});
        window.StopTimer();
        // The bare frame looks the push up as the window does.
        const auto updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFunction>(
            reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "UpdateLayeredWindow")));
        const BareInputs bare{window.m_hWnd,      updateLayeredWindow,  width,       height, SharedState::clrbg,
                              SharedState::clrfont, picturePath, SharedState::dispbtm};
        // First-use work of the platform, then the two in turn, so that both meet the same load.
        for (int i = 0; i < 2; ++i) {
            window.Render();
            DrawBareFrame(bare);
        }
        std::vector<double> render;
        std::vector<double> straight;
        double renderCpuMs = 0;
        const auto timeRender = [&] {
            const double cpuBefore = ProcessCpuMs();
            const BenchClock clock;
            window.Render();
            render.push_back(clock.ElapsedMs());
            renderCpuMs += ProcessCpuMs() - cpuBefore;
        };
        double bareCpuMs = 0;
        const auto timeBare = [&] {
            const double cpuBefore = ProcessCpuMs();
            const BenchClock clock;
            DrawBareFrame(bare);
            straight.push_back(clock.ElapsedMs());
            bareCpuMs += ProcessCpuMs() - cpuBefore;
        };
        // Each goes first in every other run: neither always finds the other's caches warm.
        for (int i = 0; i < runs; ++i) {
            if (i % 2 == 0) {
                timeRender();
                timeBare();
            } else {
                timeBare();
                timeRender();
            }
        }
        std::vector<double> ratios;
        for (size_t i = 0; i < render.size(); ++i) ratios.push_back(render[i] / straight[i]);
        figures.ratio = Median(ratios);
        figures.renderMs = Median(render);
        figures.bareMs = Median(straight);
        figures.renderCpuMs = renderCpuMs / runs;
        figures.bareCpuMs = bareCpuMs / runs;
        window.DestroyWindow();
    }

    ResetSharedState();
    return figures;
}
