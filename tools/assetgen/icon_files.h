// The icon files the packages install, written from RgbaImage pictures. Each writer returns
// false (with a message on stderr) when the file cannot be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rgba_image.h"

// A PNG file, compressed the same way on every machine and with no time stamp, so the bytes
// only change when the picture does.
std::vector<uint8_t> EncodePng(const RgbaImage& image);
bool WritePngFile(const std::string& path, const RgbaImage& image);

// A Windows icon holding every picture: up to 64 x 64 as 32-bit bitmaps with their mask,
// which every Windows reads, and larger ones as PNG.
bool WriteIcoFile(const std::string& path, const std::vector<RgbaImage>& images);

// A 32-bit BMP with alpha, rows top first: the window icon the Linux program embeds and hands
// to SDL as it is.
bool WriteRgbaBitmapFile(const std::string& path, const RgbaImage& image);
