// SPDX-License-Identifier: GPL-3.0-or-later
// encode_jpeg: makes JPEG files inside tests and benchmarks with libjpeg-turbo's compressor,
// from 0xAARRGGBB pixels (alpha ignored), rows top first. Full-resolution chroma (4:4:4),
// so flat colour areas decode to within a few levels at quality 100.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

std::vector<std::uint8_t> encode_jpeg(int width, int height, std::span<const std::uint32_t> pixels, int quality);
