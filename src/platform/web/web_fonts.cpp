// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_fonts.h"

#include "image/back_buffer.h"
#include "platform/rendered_lines.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>

namespace {

// Pixel size of a Windows logical-font height (sign: cell or character height; 0: default).
int pixel_size(std::int32_t height)
{
    if (height == 0)
        return 16;
    return static_cast<int>(std::clamp<std::int64_t>(std::abs(std::int64_t{height}), 1, 1000));
}

// The next code point of UTF-8 `text` from `at`, which it moves on; U+FFFD for a bad byte.
char32_t next_code_point(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    const int length = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (length < 0)
        return 0xFFFD;
    char32_t code = length == 0 ? lead : lead & (0x3F >> length);
    for (int i = 0; i < length; ++i) {
        if (at >= text.size() || (byte(at) & 0xC0) != 0x80)
            return 0xFFFD;
        code = (code << 6) | (byte(at++) & 0x3F);
    }
    return code;
}

bool same_name(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

class FreeTypeFont final : public Font {
public:
    FreeTypeFont(std::shared_ptr<const std::vector<std::uint8_t>> bytes, FT_Face face, int ascent, bool synthetic_bold)
        : bytes_(std::move(bytes)), face_(face), ascent_(ascent), synthetic_bold_(synthetic_bold) {}
    ~FreeTypeFont() override { FT_Done_Face(face_); }
    FreeTypeFont(const FreeTypeFont&) = delete;
    FreeTypeFont& operator=(const FreeTypeFont&) = delete;

    void draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const override
    {
        if (text.empty() || text.front() == '\0')
            return;
        const SkinBitmap& bitmap = rendered_.get(text, rgb, [this](std::string_view line, std::uint32_t colour) { return render(line, colour); });
        target.blend(bitmap, x, y, bitmap.width(), bitmap.height(), 0, 0, 255.0f, 1);
    }

private:
    // The line in `rgb`, premultiplied by its coverage, baseline `ascent_` below the top.
    SkinBitmap render(std::string_view line, std::uint32_t rgb) const
    {
        struct Glyph {
            int left;
            int top;
            int width;
            int rows;
            std::vector<std::uint8_t> coverage;
        };
        std::vector<Glyph> glyphs;
        int pen = 0;
        int height = ascent_;
        FT_UInt previous = 0;
        for (std::size_t at = 0; at < line.size();) {
            const FT_UInt index = FT_Get_Char_Index(face_, next_code_point(line, at));
            if (previous && index && FT_HAS_KERNING(face_)) {
                FT_Vector kerning{};
                if (FT_Get_Kerning(face_, previous, index, FT_KERNING_DEFAULT, &kerning) == 0)
                    pen += static_cast<int>(kerning.x >> 6);
            }
            previous = index;
            if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0)
                continue;
            if (synthetic_bold_)
                FT_Outline_Embolden(&face_->glyph->outline, face_->size->metrics.y_ppem * 2);
            if (FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0)
                continue;
            const FT_Bitmap& bitmap = face_->glyph->bitmap;
            Glyph glyph{pen + face_->glyph->bitmap_left, ascent_ - face_->glyph->bitmap_top, static_cast<int>(bitmap.width),
                        static_cast<int>(bitmap.rows), {}};
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
                glyph.coverage.insert(glyph.coverage.end(), source, source + bitmap.width);
            }
            height = std::max(height, glyph.top + glyph.rows);
            glyphs.push_back(std::move(glyph));
            pen += static_cast<int>(face_->glyph->advance.x >> 6);
        }
        int width = pen;
        for (const Glyph& glyph : glyphs)
            width = std::max(width, glyph.left + glyph.width);
        if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF)
            return {};
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        for (const Glyph& glyph : glyphs) {
            for (int row = 0; row < glyph.rows; ++row) {
                for (int column = 0; column < glyph.width; ++column) {
                    const int px = glyph.left + column;
                    const int py = glyph.top + row;
                    if (px < 0 || py < 0 || px >= width || py >= height)
                        continue;
                    const std::uint32_t a = glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)];
                    std::uint32_t& out = pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px)];
                    const std::uint32_t have = out >> 24;
                    if (a <= have)
                        continue;
                    std::uint32_t premultiplied = a << 24;
                    for (int shift = 0; shift < 24; shift += 8)
                        premultiplied |= ((((rgb >> shift) & 0xFF) * a + 127) / 255) << shift;
                    out = premultiplied;
                }
            }
        }
        return SkinBitmap(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), std::move(pixels));
    }

    std::shared_ptr<const std::vector<std::uint8_t>> bytes_; // the face reads from it
    FT_Face face_;
    int ascent_;
    bool synthetic_bold_;
    mutable RenderedLines rendered_;
};

// A plain base name: no folder part, nothing that leaves the folder.
bool is_base_name(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

} // namespace

WebFontSystem::WebFontSystem()
{
    if (FT_Init_FreeType(&library_) != 0)
        library_ = nullptr;
}

WebFontSystem::~WebFontSystem()
{
    if (library_)
        FT_Done_FreeType(library_);
}

void WebFontSystem::install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes)
{
    if (!is_base_name(file_name))
        return;
    // Two chunks naming the same file: the second replaces it.
    std::erase_if(files_, [&](const InstalledFile& file) { return file.name == file_name; });
    files_.push_back(InstalledFile{std::string(file_name), std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end())});
}

std::unique_ptr<Font> WebFontSystem::create_font(std::string_view face, std::int32_t height, std::int32_t weight)
{
    class NoFont final : public Font {
        void draw_text(BackBuffer&, int, int, std::string_view, std::uint32_t) const override {}
    };
    if (!library_)
        return std::make_unique<NoFont>();
    const bool bold = weight >= 600;
    // The best face: the family asked for (its bold or regular style as asked), else the first.
    FT_Face chosen = nullptr;
    std::shared_ptr<const std::vector<std::uint8_t>> chosen_bytes;
    int chosen_score = -1;
    for (const InstalledFile& file : files_) {
        for (FT_Long index = 0;; ++index) {
            FT_Face candidate = nullptr;
            if (FT_New_Memory_Face(library_, file.bytes->data(), static_cast<FT_Long>(file.bytes->size()), index, &candidate) != 0)
                break;
            const FT_Long faces = candidate->num_faces;
            const bool named = candidate->family_name && same_name(candidate->family_name, face);
            const bool styled = ((candidate->style_flags & FT_STYLE_FLAG_BOLD) != 0) == bold;
            const int score = (named ? 2 : 0) + (styled ? 1 : 0);
            if (score > chosen_score && FT_IS_SCALABLE(candidate)) {
                if (chosen)
                    FT_Done_Face(chosen);
                chosen = candidate;
                chosen_bytes = file.bytes;
                chosen_score = score;
            } else {
                FT_Done_Face(candidate);
            }
            if (index + 1 >= faces)
                break;
        }
    }
    if (!chosen)
        return std::make_unique<NoFont>();
    const int pixels = pixel_size(height);
    FT_Set_Pixel_Sizes(chosen, 0, static_cast<FT_UInt>(pixels));
    // A positive height asks for the whole cell (ascent + descent), not the em size.
    const auto cell = [&] { return static_cast<int>((chosen->size->metrics.ascender - chosen->size->metrics.descender + 63) >> 6); };
    if (height > 0 && cell() > 0 && cell() != pixels)
        FT_Set_Pixel_Sizes(chosen, 0, static_cast<FT_UInt>(std::max(1, pixels * pixels / cell())));
    const int ascent = static_cast<int>((chosen->size->metrics.ascender + 63) >> 6);
    const bool synthetic_bold = bold && (chosen->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    return std::make_unique<FreeTypeFont>(std::move(chosen_bytes), chosen, ascent, synthetic_bold);
}

void WebFontSystem::remove_installed_fonts()
{
    files_.clear();
}
