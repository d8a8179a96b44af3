// PNG writing with libpng into memory, then one plain file write.
#include "png_write.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

struct Sink {
    std::vector<unsigned char>* out;
    char message[160];
};

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
    Sink* sink = static_cast<Sink*>(png_get_io_ptr(png));
    sink->out->insert(sink->out->end(), data, data + length);
}

void OnFlush(png_structp) {}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    Sink* sink = static_cast<Sink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Kept apart from EncodePng so that no object with a destructor lives across
// the setjmp.
bool Encode(const Canvas& canvas, unsigned char* row, Sink& sink) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnError, OnWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, OnWrite, OnFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.width), static_cast<png_uint_32>(canvas.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < canvas.height; y++) {
        const uint32_t* src = canvas.pixels + static_cast<size_t>(y) * canvas.width;
        for (int x = 0; x < canvas.width; x++) {
            row[3 * x] = static_cast<unsigned char>(src[x] >> 16);
            row[3 * x + 1] = static_cast<unsigned char>(src[x] >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(src[x]);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool EncodePng(const Canvas& canvas, std::vector<unsigned char>& out, std::string* error) {
    out.clear();
    if (canvas.width <= 0 || canvas.height <= 0 || canvas.pixels == nullptr) {
        if (error != nullptr) *error = "the picture is empty";
        return false;
    }
    std::vector<unsigned char> row(static_cast<size_t>(canvas.width) * 3);
    Sink sink{&out, "out of memory"};
    if (!Encode(canvas, row.data(), sink)) {
        if (error != nullptr) *error = std::string("PNG encoding failed: ") + sink.message;
        out.clear();
        return false;
    }
    return true;
}

bool WritePng(const Canvas& canvas, const char* path, std::string* error) {
    std::vector<unsigned char> bytes;
    return EncodePng(canvas, bytes, error) && WriteFileBytes(path, bytes.data(), bytes.size(), error);
}

bool WriteFileBytes(const char* path, const unsigned char* data, size_t size, std::string* error) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) {
        if (error != nullptr) *error = std::string("cannot write '") + path + "': " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, f) == size;
    const int err = errno;
    if (std::fclose(f) != 0 || !written) {
        if (error != nullptr) *error = std::string("cannot write '") + path + "': " + std::strerror(written ? errno : err);
        return false;
    }
    return true;
}
