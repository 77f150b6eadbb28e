// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_fonts.h"

#include "image/back_buffer.h"

#include <algorithm>
#include <cstdlib>

class HeadlessFontSystem::BoxFont final : public Font {
public:
    BoxFont(HeadlessFontSystem& system, std::string face, std::int32_t height)
        : system_(system), face_(std::move(face)), cell_height_(height == 0 ? 16 : static_cast<int>(std::min<std::int64_t>(std::abs(std::int64_t{height}), 1024)))
    {
    }

    void draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const override
    {
        system_.drawn_.push_back(DrawnText{face_, x, y, std::string(text), rgb});
        const int cell_width = std::max(cell_height_ / 2, 2);
        int left = x;
        for (const char ch : text) {
            if ((static_cast<unsigned char>(ch) & 0xC0) == 0x80)
                continue; // a UTF-8 continuation byte belongs to the previous character
            if (ch != ' ')
                fill(target, left, y, cell_width - 1, rgb);
            left += cell_width;
        }
    }

private:
    void fill(BackBuffer& target, int left, int top, int width, std::uint32_t rgb) const
    {
        target.fill(Rect{left, top, left + width, top + cell_height_}, rgb);
    }

    HeadlessFontSystem& system_;
    std::string face_;
    int cell_height_;
};

void HeadlessFontSystem::install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes)
{
    installed_.push_back(InstalledFile{std::string(file_name), {bytes.begin(), bytes.end()}});
}

std::unique_ptr<Font> HeadlessFontSystem::create_font(std::string_view face, std::int32_t height, std::int32_t weight)
{
    created_.push_back(CreatedFont{std::string(face), height, weight});
    return std::make_unique<BoxFont>(*this, std::string(face), height);
}
