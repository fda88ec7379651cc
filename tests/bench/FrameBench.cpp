#include "bench/FrameBench.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <vector>

#include "app/SharedState.h"
#include "bench/BenchClock.h"
#include "bench/Median.h"
#include "core/Core.h"
#include "framework/DibSection.h"
#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "resource.h"
#include "support/PictureFiles.h"
#include "support/SharedStateReset.h"
#include "support/TempFolder.h"

namespace {

const char* const kBarText = "Placard 信息栏 今日特价 0123456789";
const wchar_t* const kBarFontWide = L"黑体";

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

// The bare frame's surface, made once: a memory DC with a DIB of the frame's size.
class BareSurface {
public:
    BareSurface(int width, int height) : m_dc(CreateCompatibleDC(nullptr)) {
        void* bits = nullptr;
        m_bitmap = CreateTopDownDibSection(m_dc, width, height, &bits);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~BareSurface() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    BareSurface(const BareSurface&) = delete;
    BareSurface& operator=(const BareSurface&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// The picture decoded from the bytes, as the frame decodes it: from a memory stream.
std::unique_ptr<Gdiplus::Bitmap> Decode(const std::string& bytes) {
    IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream);
    stream->Release();
    return bitmap;
}

void DrawBareFrame(HDC dc, int width, int height, const std::string& bytes, const Gdiplus::Font& font) {
    Gdiplus::Graphics graphics(dc);
    COutputDlg::SetFrameModes(graphics);
    Gdiplus::SolidBrush background(Gdiplus::Color(SharedState::clrbg));
    graphics.FillRectangle(&background, 0, 0, width, height);
    auto picture = Decode(bytes);
    graphics.DrawImage(picture.get(), Gdiplus::Rect(0, 0, width, height), 0, 0, width, height, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush text(Gdiplus::Color(SharedState::clrfont));
    const std::wstring wide = L"Placard 信息栏 今日特价 0123456789";
    graphics.DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                        Gdiplus::PointF(8.0f, static_cast<float>(height - 48)), &text);
    graphics.Flush(Gdiplus::FlushIntentionSync);
}

}  // namespace

FrameFigures MeasureFrame(const std::string& folder, int width, int height, int runs) {
    FrameFigures figures;
    figures.width = width;
    figures.height = height;

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
    CCore::overrideAppPath(folder);
    CCore core;
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
        for (int i = 0; i < 3; ++i) window.Render();  // first-use work of the platform

        std::vector<double> render;
        const double cpuBefore = ProcessCpuMs();
        for (int i = 0; i < runs; ++i) {
            const BenchClock clock;
            window.Render();
            render.push_back(clock.ElapsedMs());
        }
        figures.renderCpuMs = (ProcessCpuMs() - cpuBefore) / runs;
        figures.renderMs = Median(render);
        window.DestroyWindow();
    }

    {
        const std::string bytes = ReadBytes(picturePath);
        const BareSurface surface(width, height);
        Gdiplus::FontFamily family(kBarFontWide);
        const Gdiplus::Font font(&family, 30.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        for (int i = 0; i < 3; ++i) DrawBareFrame(surface.dc(), width, height, bytes, font);
        std::vector<double> bare;
        std::vector<double> decode;
        for (int i = 0; i < runs; ++i) {
            const BenchClock frameClock;
            DrawBareFrame(surface.dc(), width, height, bytes, font);
            bare.push_back(frameClock.ElapsedMs());

            const BenchClock decodeClock;
            auto picture = Decode(bytes);
            Gdiplus::Rect all(0, 0, width, height);
            Gdiplus::BitmapData data{};
            if (picture->LockBits(&all, Gdiplus::ImageLockModeRead, picture->GetPixelFormat(), &data) == Gdiplus::Ok)
                picture->UnlockBits(&data);
            decode.push_back(decodeClock.ElapsedMs());
        }
        figures.bareMs = Median(bare);
        figures.decodeMs = Median(decode);
    }

    ResetSharedState();
    CCore::overrideAppPath("");
    return figures;
}
