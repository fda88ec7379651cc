#include "support/PictureFiles.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

namespace {

bool EncoderFor(const wchar_t* mimeType, CLSID& clsid) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, mimeType) == 0) {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

}  // namespace

std::string EncodePicture(const wchar_t* mimeType, int width, int height, uint32_t left, uint32_t right,
                          float dpi) {
    CLSID encoder;
    if (!EncoderFor(mimeType, encoder)) return {};
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(0xFF000000 | (x < width / 2 ? left : right)));
    bitmap.SetResolution(dpi, dpi);

    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &raw))) return {};
    std::unique_ptr<IStream, StreamRelease> stream(raw);
    if (bitmap.Save(stream.get(), &encoder, nullptr) != Gdiplus::Ok) return {};
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory))) return {};
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return {};
    const void* data = GlobalLock(memory);
    std::string bytes(static_cast<const char*>(data), static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return bytes;
}
