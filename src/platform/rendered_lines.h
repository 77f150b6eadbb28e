// SPDX-License-Identifier: GPL-3.0-or-later
// RenderedLines: the lines of text a font has rendered, kept by colour and text, because most
// frames draw the same few dozen lines again. Cleared whole when it grows past `limit` entries.
// Used by the fonts of the back ends that render lines into bitmaps. One font's, UI thread only.
#pragma once

#include "image/skin_bitmap.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class RenderedLines {
public:
    static constexpr std::size_t limit = 1024;

    // The line (up to its first zero byte) in `rgb`, rendered by `render(line, rgb)` when it
    // is not kept yet.
    template <typename Render>
    const SkinBitmap& get(std::string_view text, std::uint32_t rgb, Render&& render)
    {
        const std::string_view line = text.substr(0, text.find('\0'));
        std::string key(reinterpret_cast<const char*>(&rgb), sizeof rgb);
        key += line;
        auto found = lines_.find(key);
        if (found == lines_.end()) {
            if (lines_.size() >= limit)
                lines_.clear();
            found = lines_.emplace(std::move(key), render(line, rgb)).first;
        }
        return found->second;
    }

private:
    std::unordered_map<std::string, SkinBitmap> lines_;
};
