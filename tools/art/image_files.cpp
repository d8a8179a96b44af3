#include "image_files.h"

#include <png.h>

#include <cstdio>

namespace art {

namespace {

void Put16(std::string& s, uint32_t v) {
    s.push_back(char(v & 255));
    s.push_back(char(v >> 8 & 255));
}

void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

}  // namespace

std::string EncodeBmp24(const Picture& p) {
    const uint32_t stride = (uint32_t(p.w) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(p.h);
    std::string s;
    s.reserve(54 + imageSize);
    s += "BM";
    Put32(s, 54 + imageSize);  // file size
    Put32(s, 0);               // reserved
    Put32(s, 54);              // offset of the pixels
    Put32(s, 40);              // info header size
    Put32(s, uint32_t(p.w));
    Put32(s, uint32_t(p.h));  // positive: bottom-up
    Put16(s, 1);              // planes
    Put16(s, 24);             // bits per pixel
    Put32(s, 0);              // no compression
    Put32(s, imageSize);
    Put32(s, 2835);  // 72 dpi
    Put32(s, 2835);
    Put32(s, 0);  // no palette
    Put32(s, 0);
    for (int y = p.h - 1; y >= 0; y--) {
        for (int x = 0; x < p.w; x++) {
            const uint32_t c = p.at(x, y);
            s.push_back(char(c & 255));
            s.push_back(char(c >> 8 & 255));
            s.push_back(char(c >> 16 & 255));
        }
        s.append(stride - uint32_t(p.w) * 3, '\0');
    }
    return s;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool WritePng(const std::string& path, const Picture& p) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(p.w);
    image.height = png_uint_32(p.h);
    image.format = PNG_FORMAT_RGB;
    std::string rgb;
    rgb.reserve(size_t(p.w) * p.h * 3);
    for (uint32_t c : p.px) {
        rgb.push_back(char(c >> 16 & 255));
        rgb.push_back(char(c >> 8 & 255));
        rgb.push_back(char(c & 255));
    }
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace art
