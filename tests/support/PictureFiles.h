// Picture files made by the test itself with GDI+'s own encoders.
#pragma once

#include <cstdint>
#include <string>

// The encoded bytes of a width x height picture whose left half is `left` and right half
// `right` (0x00RRGGBB), in the encoder's format ("image/png", "image/jpeg", "image/bmp",
// "image/gif"), with the resolution the file claims. Empty if GDI+ cannot encode it.
std::string EncodePicture(const wchar_t* mimeType, int width, int height, uint32_t left, uint32_t right,
                          float dpi = 96.0f);
