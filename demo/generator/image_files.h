// image_files: the file formats the demo's art is stored in: 24-bit BMP (bottom-up rows,
// each padded to 4 bytes), JPEG (highlights kept below pure white, the layered window's
// colour key), and the one-byte-per-pixel window mask (0 inside).
// Functions write whole files and throw std::runtime_error "can't write PATH" on failure.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// The 24-bit BMP file of the picture.
std::vector<std::uint8_t> bmp_bytes(const Canvas& canvas);

void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void write_bmp(const std::filesystem::path& path, const Canvas& canvas);
void write_jpeg(const std::filesystem::path& path, const Canvas& canvas, int quality);

// A mask of the window's size: a pixel is inside (0) where `shape` covers its centre at
// least half, cut away (1) elsewhere.
void write_mask(const std::filesystem::path& path, const Coverage& shape);
