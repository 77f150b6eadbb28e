// SPDX-License-Identifier: GPL-3.0-or-later
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

void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void write_bmp(const std::filesystem::path& path, const Canvas& canvas);
// Highlights pressed below 241, so that a JPEG encoder's ringing cannot reach pure white,
// which a layered window shows as a hole. Alpha is kept.
std::vector<std::uint32_t> below_white(std::span<const std::uint32_t> pixels);
void write_jpeg(const std::filesystem::path& path, const Canvas& canvas, int quality);

// A mask of the window's size: a pixel is inside (0) where `shape` covers its centre at
// least half, cut away (1) elsewhere.
void write_mask(const std::filesystem::path& path, const Coverage& shape);
