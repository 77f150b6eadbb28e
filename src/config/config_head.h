// SPDX-License-Identifier: GPL-3.0-or-later
// read_config_head: the window title and size from the root chunk of "tarnel.cfg", read
// before the window exists. Root header: u16 id 0x0258, u32 length (unused here); then the
// title (bytes up to a 0 byte or the end of the file), u16 width, u16 height.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The largest window the player opens: 2^25 pixels (128 MiB of back buffer), e.g. 8192 × 4096.
inline constexpr std::uint64_t max_window_pixels = std::uint64_t{1} << 25;

struct ConfigHead {
    std::string title;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

// Throws SkinError "can't open config file" when the file cannot be opened,
// "config file corrupted, first chunk should be 0x0258" when the first id is another, and
// "config file corrupted, window size missing" when the file ends before the title's 0 byte
// and both sizes (such a file would open a window of no size that nothing can close), and
// "config file corrupted, window size too large" above max_window_pixels (a damaged size
// would otherwise ask for gigabytes of back buffer).
ConfigHead read_config_head(const std::filesystem::path& path);
