#include "picture/PictureProbe.h"

#include <cstring>

namespace {

uint32_t Big16(const unsigned char* p) { return (uint32_t{p[0]} << 8) | p[1]; }
uint32_t Big32(const unsigned char* p) { return (Big16(p) << 16) | Big16(p + 2); }
uint32_t Little16(const unsigned char* p) { return (uint32_t{p[1]} << 8) | p[0]; }
uint32_t Little32(const unsigned char* p) { return (Little16(p + 2) << 16) | Little16(p); }

bool StartsWith(const unsigned char* bytes, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(bytes, magic, length) == 0;
}

PictureProbe ProbePng(const unsigned char* bytes, size_t size) {
    PictureProbe probe;
    probe.format = PictureFormat::Png;
    // The first chunk is IHDR, 13 bytes: width and height first.
    if (size < 8 + 8 + 13 || std::memcmp(bytes + 12, "IHDR", 4) != 0 || Big32(bytes + 8) != 13) return probe;
    probe.width = Big32(bytes + 16);
    probe.height = Big32(bytes + 20);
    for (uint64_t at = 8; at + 12 <= size;) {
        const uint32_t length = Big32(bytes + at);
        if (length > 0x7FFFFFFFu) return probe;
        const uint64_t end = at + 12 + length;  // length, type, data, CRC
        if (end > size) return probe;
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) {
            probe.complete = true;
            return probe;
        }
        at = end;
    }
    return probe;
}

// The orientation tag (0x0112) of IFD0 in an APP1 segment's Exif block; 1 when there is none.
uint16_t ExifOrientation(const unsigned char* segment, size_t length) {
    constexpr size_t kTiff = 6;  // after "Exif\0\0"
    if (length < kTiff + 8 || std::memcmp(segment, "Exif\0\0", 6) != 0) return 1;
    const unsigned char* tiff = segment + kTiff;
    const size_t size = length - kTiff;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
    const auto u16 = [&](size_t at) { return little ? Little16(tiff + at) : Big16(tiff + at); };
    const auto u32 = [&](size_t at) { return little ? Little32(tiff + at) : Big32(tiff + at); };
    if (u16(2) != 42) return 1;
    const size_t ifd = u32(4);
    if (ifd > size || size - ifd < 2) return 1;
    const size_t entries = u16(ifd);
    for (size_t i = 0; i < entries; ++i) {
        const size_t entry = ifd + 2 + i * 12;
        if (entry > size || size - entry < 12) return 1;
        constexpr uint32_t kShort = 3;
        if (u16(entry) != 0x0112 || u16(entry + 2) != kShort || u32(entry + 4) != 1) continue;
        const uint16_t value = static_cast<uint16_t>(u16(entry + 8));
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

bool IsFrameHeader(unsigned char marker) {
    // SOF0..SOF15, less DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

PictureProbe ProbeJpeg(const unsigned char* bytes, size_t size) {
    PictureProbe probe;
    probe.format = PictureFormat::Jpeg;
    size_t at = 2;
    bool sized = false;
    for (;;) {
        if (at >= size || bytes[at] != 0xFF) return probe;
        while (at < size && bytes[at] == 0xFF) ++at;  // fill bytes
        if (at >= size) return probe;
        const unsigned char marker = bytes[at++];
        if (marker == 0xD9) {
            probe.complete = sized;
            return probe;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (at + 2 > size) return probe;
        const size_t length = Big16(bytes + at);
        if (length < 2 || at + length > size) return probe;
        constexpr unsigned char kApp1 = 0xE1;
        if (marker == kApp1 && probe.orientation == 1) probe.orientation = ExifOrientation(bytes + at + 2, length - 2);
        if (IsFrameHeader(marker) && length >= 7) {
            probe.height = Big16(bytes + at + 3);
            probe.width = Big16(bytes + at + 5);
            sized = true;
        }
        at += length;
        if (marker != 0xDA) continue;
        // Entropy-coded data follows a scan header up to the next marker; inside it 0xFF is
        // followed by 0x00 (a data byte) or a restart marker.
        for (;;) {
            // Only 0xFF can start a marker: the bytes up to the next one are passed at once.
            const void* mark = at < size ? std::memchr(bytes + at, 0xFF, size - at) : nullptr;
            if (mark == nullptr) return probe;
            at = static_cast<size_t>(static_cast<const unsigned char*>(mark) - bytes);
            if (at + 1 >= size) return probe;
            const unsigned char next = bytes[at + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                at += 2;
            } else if (next == 0xFF) {
                ++at;
            } else {
                break;
            }
        }
    }
}

PictureProbe ProbeGif(const unsigned char* bytes, size_t size) {
    PictureProbe probe;
    probe.format = PictureFormat::Gif;
    if (size < 13) return probe;
    probe.width = Little16(bytes + 6);
    probe.height = Little16(bytes + 8);
    // The decoder refuses a GIF without image data; its trailer is often missing in the wild.
    probe.complete = true;
    return probe;
}

PictureProbe ProbeBmp(const unsigned char* bytes, size_t size) {
    PictureProbe probe;
    probe.format = PictureFormat::Bmp;
    if (size < 26) return probe;
    const uint32_t pixelsAt = Little32(bytes + 10);
    const uint32_t headerSize = Little32(bytes + 14);
    uint32_t bitsPerPixel = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {
        probe.width = Little16(bytes + 18);
        probe.height = Little16(bytes + 20);
        bitsPerPixel = Little16(bytes + 24);
    } else if (headerSize >= 40 && size >= 34) {
        const auto width = static_cast<int32_t>(Little32(bytes + 18));
        const auto height = static_cast<int32_t>(Little32(bytes + 22));
        if (width <= 0 || height == 0 || height == INT32_MIN) return probe;
        probe.width = static_cast<uint32_t>(width);
        probe.height = static_cast<uint32_t>(height < 0 ? -height : height);  // negative: top-down
        bitsPerPixel = Little16(bytes + 28);
        compression = Little32(bytes + 30);
    } else {
        return probe;
    }
    if (probe.width == 0 || probe.height == 0) return probe;
    constexpr uint32_t kRgb = 0;
    constexpr uint32_t kBitFields = 3;
    if (compression != kRgb && compression != kBitFields) {
        probe.complete = true;  // run-length rows have no fixed size: the decoder judges
        return probe;
    }
    if (bitsPerPixel == 0 || bitsPerPixel > 32) return probe;
    const uint64_t rowBytes = (uint64_t{probe.width} * bitsPerPixel + 31) / 32 * 4;
    probe.complete = pixelsAt <= size && rowBytes <= (size - pixelsAt) / probe.height;
    return probe;
}

}  // namespace

PictureProbe ProbePicture(const unsigned char* bytes, size_t size) {
    if (StartsWith(bytes, size, "\x89PNG\r\n\x1A\n", 8)) return ProbePng(bytes, size);
    if (StartsWith(bytes, size, "\xFF\xD8", 2)) return ProbeJpeg(bytes, size);
    if (StartsWith(bytes, size, "GIF87a", 6) || StartsWith(bytes, size, "GIF89a", 6)) return ProbeGif(bytes, size);
    if (StartsWith(bytes, size, "BM", 2)) return ProbeBmp(bytes, size);
    return PictureProbe{};
}

bool IsDrawablePicture(const PictureProbe& probe) {
    return probe.format != PictureFormat::Unknown && probe.complete && probe.width > 0 && probe.height > 0 &&
           uint64_t{probe.width} * probe.height <= kMaxPicturePixels;
}
