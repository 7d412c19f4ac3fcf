#include "png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteRgbPng(const char* path, const uint8_t* rgb, int width, int height, std::string& error) {
    if (width <= 0 || height <= 0 || rgb == nullptr) {
        error = "no picture to write";
        return false;
    }
    FILE* file = fopen(path, "wb");
    if (file == nullptr) {
        error = strerror(errno);
        return false;
    }
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    bool encoded = png_image_write_to_stdio(&image, file, 0, rgb, 0, nullptr) != 0;
    if (!encoded) {
        error = image.message;
    }
    png_image_free(&image);
    // A full disk may only show when the buffered rest is written out.
    bool flushed = fflush(file) == 0 && ferror(file) == 0;
    if (encoded && !flushed) {
        error = strerror(errno);
    }
    bool closed = fclose(file) == 0;
    if (encoded && flushed && !closed) {
        error = strerror(errno);
    }
    if (!(encoded && flushed && closed)) {
        remove(path);
        return false;
    }
    return true;
}
