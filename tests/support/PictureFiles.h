// Picture files made by the test itself with GDI+'s own encoders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The encoded bytes of a width x height picture whose left half is `left` and right half
// `right` (0x00RRGGBB), in the encoder's format ("image/png", "image/jpeg", "image/bmp",
// "image/gif"), with the resolution the file claims. Empty if GDI+ cannot encode it.
std::string EncodePicture(const wchar_t* mimeType, int width, int height, uint32_t left, uint32_t right,
                          float dpi = 96.0f);
// A width x height picture whose pixel (x, y) is colourAt(x, y), 0x00RRGGBB.
std::string EncodePattern(const wchar_t* mimeType, int width, int height,
                          const std::function<uint32_t(int x, int y)>& colourAt);
// A width x height picture of four quadrants: top-left, top-right, bottom-left, bottom-right.
std::string EncodeQuadrants(const wchar_t* mimeType, int width, int height, uint32_t topLeft, uint32_t topRight,
                            uint32_t bottomLeft, uint32_t bottomRight);
// The JPEG with an Exif block saying it is stored in `orientation` (1 to 8), as a camera writes it.
std::string WithExifOrientation(const std::string& jpeg, uint16_t orientation);
// A picture with smooth gradients and fine grain, which costs a decoder what a photograph
// of that size does (flat colours decode far faster). The same bytes every time.
std::string EncodePhotoLikePicture(const wchar_t* mimeType, int width, int height);
// The PNG with its header claiming another size, its checksum made to match: the file reads
// as whole while its pixels are still those of the original.
std::string PngClaiming(std::string png, uint32_t width, uint32_t height);
