#include "support/PictureFiles.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <functional>
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

uint32_t Crc32(const std::string& bytes, size_t from, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < from + length; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBig32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

// The encoded bytes of a picture whose pixel (x, y) is colourAt(x, y), 0x00RRGGBB.
std::string Encode(const wchar_t* mimeType, int width, int height, float dpi,
                   const std::function<uint32_t(int, int)>& colourAt) {
    CLSID encoder;
    if (!EncoderFor(mimeType, encoder)) return {};
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return {};
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < width; ++x) row[x] = 0xFF000000 | colourAt(x, y);
    }
    bitmap.UnlockBits(&data);
    bitmap.SetResolution(dpi, dpi);

    IStream* raw = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &raw))) return {};
    std::unique_ptr<IStream, StreamRelease> stream(raw);
    if (bitmap.Save(stream.get(), &encoder, nullptr) != Gdiplus::Ok) return {};
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory))) return {};
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return {};
    const void* bytes = GlobalLock(memory);
    std::string encoded(static_cast<const char*>(bytes), static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return encoded;
}

}  // namespace

std::string EncodePicture(const wchar_t* mimeType, int width, int height, uint32_t left, uint32_t right,
                          float dpi) {
    return Encode(mimeType, width, height, dpi, [&](int x, int) { return x < width / 2 ? left : right; });
}

std::string EncodePattern(const wchar_t* mimeType, int width, int height,
                          const std::function<uint32_t(int x, int y)>& colourAt) {
    return Encode(mimeType, width, height, 96.0f, colourAt);
}

std::string EncodeQuadrants(const wchar_t* mimeType, int width, int height, uint32_t topLeft, uint32_t topRight,
                            uint32_t bottomLeft, uint32_t bottomRight) {
    return Encode(mimeType, width, height, 96.0f, [&](int x, int y) {
        if (y < height / 2) return x < width / 2 ? topLeft : topRight;
        return x < width / 2 ? bottomLeft : bottomRight;
    });
}

std::string WithExifOrientation(const std::string& jpeg, uint16_t orientation) {
    // APP1: "Exif", then a big-endian TIFF header whose first directory holds the one tag
    // 0x0112 (a SHORT, count 1), and no next directory.
    const std::string app1("\xFF\xE1\x00\x22"
                           "Exif\0\0"
                           "MM\x00\x2A\x00\x00\x00\x08"
                           "\x00\x01"
                           "\x01\x12\x00\x03\x00\x00\x00\x01",
                           4 + 6 + 8 + 2 + 8);
    std::string value("\0\0\0\0\0\0\0\0", 8);
    value[1] = static_cast<char>(orientation);  // the SHORT, left-justified in its 4 bytes, then no next IFD
    return jpeg.substr(0, 2) + app1 + value + jpeg.substr(2);
}

std::string EncodePhotoLikePicture(const wchar_t* mimeType, int width, int height) {
    uint32_t noise = 0x12345678u;
    return Encode(mimeType, width, height, 96.0f, [&](int x, int y) {
        noise = noise * 1664525u + 1013904223u;  // a fixed sequence: every run encodes the same bytes
        const uint32_t grain = (noise >> 24) & 0x1F;
        const uint32_t red = (x * 255 / width + grain) & 0xFF;
        const uint32_t green = (y * 255 / height + grain) & 0xFF;
        const uint32_t blue = ((x + y) * 255 / (width + height) + grain) & 0xFF;
        return (red << 16) | (green << 8) | blue;
    });
}

std::string PngClaiming(std::string png, uint32_t width, uint32_t height) {
    if (png.size() < 33) return png;
    PutBig32(png, 16, width);
    PutBig32(png, 20, height);
    PutBig32(png, 29, Crc32(png, 12, 17));  // over IHDR's type and data
    return png;
}
