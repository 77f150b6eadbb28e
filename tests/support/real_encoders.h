// SPDX-License-Identifier: GPL-3.0-or-later
// Test audio made by the encoders users have (lame, oggenc, flac, opusenc): a sine written
// as a WAVE file and handed to the encoder's command line. Tests skip when a program is
// missing (they are in scripts/debian-packages.txt).
#pragma once

#include "temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

enum class RealEncoder { lame, oggenc, flac, opusenc };

struct SineSpec {
    double hz = 441.0;
    int rate = 44100;
    int channels = 2;           // the sine on every channel
    std::int64_t first = 0;     // the sine's sample index of the file's first frame
    std::int64_t frames = 44100;
    double amplitude = 0.5;
};

// The program that `encoder` runs ("lame", ...).
const char* program_of(RealEncoder encoder);

// Whether `program` is found on PATH.
bool have_program(const char* program);

// Encodes the sine to `dir`/`name` with `encoder` (with tags or comments); the file's path,
// or nothing when the program failed.
std::optional<std::filesystem::path> encode_sine(
    const TempDir& dir, const std::string& name, RealEncoder encoder, const SineSpec& sine);
