// What a picture file's own header says, read before any decoder sees the bytes: its format,
// its pixel size and whether the file is whole. A picture is drawn only when it is one of the
// formats known here, whole, and no larger than kMaxPicturePixels, so that a truncated file
// never shows as a half picture and a header claiming an absurd size never reaches the decoder.
#pragma once

#include <cstddef>
#include <cstdint>

enum class PictureFormat { Unknown, Bmp, Gif, Jpeg, Png };

struct PictureProbe {
    PictureFormat format = PictureFormat::Unknown;
    uint32_t width = 0;
    uint32_t height = 0;
    // Every part the format requires is there (PNG up to its IEND chunk, JPEG up to its end
    // marker, an uncompressed BMP's pixel rows).
    bool complete = false;
    // A JPEG's Exif orientation, 1 to 8 (1: as stored); 1 without the tag or with another value.
    // Neither GDI+ nor the imaging component returns it under every system: it is read here.
    uint16_t orientation = 1;
};

// 48 megapixels, what a camera makes (8000 x 6000): 192 MB of 32-bpp pixels once decoded.
constexpr uint64_t kMaxPicturePixels = uint64_t{8000} * 6000;

PictureProbe ProbePicture(const unsigned char* bytes, size_t size);
// Known, whole, and of a size between 1 pixel and kMaxPicturePixels.
bool IsDrawablePicture(const PictureProbe& probe);
