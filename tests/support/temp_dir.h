// SPDX-License-Identifier: GPL-3.0-or-later
// TempDir: a fresh private directory under the system's temporary folder, removed with
// everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <span>
#include <cstdint>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to `name` inside the directory and returns the file's path.
    std::filesystem::path write(const std::filesystem::path& name, std::span<const std::uint8_t> bytes) const;

private:
    std::filesystem::path path_;
};
