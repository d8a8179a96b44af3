// Canvas pictures as PNG files: 8-bit RGB, no time or text chunks, so the
// same pixels always give the same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "canvas.h"

// Encodes the canvas; false (with a reason in `error`) if libpng fails.
bool EncodePng(const Canvas& canvas, std::vector<unsigned char>& out, std::string* error);

// Encodes the canvas and writes it to `path`.
bool WritePng(const Canvas& canvas, const char* path, std::string* error);

// Writes bytes to `path` as they are (the embedded bitmaps and waves).
bool WriteFileBytes(const char* path, const unsigned char* data, size_t size, std::string* error);
