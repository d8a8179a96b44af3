// Writing finished pictures: 24-bit BMP for the game, PNG for looking at them.
#pragma once

#include <string>

#include "raster.h"

namespace art {

// Uncompressed 24-bit Windows BMP: 14-byte file header, 40-byte info
// header, bottom-up rows padded to four bytes, no palette.
std::string EncodeBmp24(const Picture& p);
bool WriteFile(const std::string& path, const std::string& bytes);
bool WritePng(const std::string& path, const Picture& p);

}  // namespace art
