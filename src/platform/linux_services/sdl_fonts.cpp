// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/sdl_fonts.h"

#include "image/back_buffer.h"
#include "platform/rendered_lines.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace {

// Weight of a Windows logical font (0 = don't care) on the OpenType scale fontconfig maps.
int opentype_weight(std::int32_t weight)
{
    return weight <= 0 ? 400 : std::min(weight, 1000);
}

// Pixel size of a Windows logical-font height (sign: cell or character height; 0: default).
int pixel_size(std::int32_t height)
{
    if (height == 0)
        return 16;
    return static_cast<int>(std::clamp<std::int64_t>(std::abs(std::int64_t{height}), 1, 1000));
}

class TtfFont final : public Font {
public:
    explicit TtfFont(TTF_Font* font) : font_(font) {}
    ~TtfFont() override
    {
        if (font_)
            TTF_CloseFont(font_);
    }
    TtfFont(const TtfFont&) = delete;
    TtfFont& operator=(const TtfFont&) = delete;

    void draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const override;

private:
    // The text rendered anti-aliased in `rgb`, premultiplied by its coverage; empty when
    // nothing renders.
    SkinBitmap render(const std::string& line, std::uint32_t rgb) const;

    TTF_Font* font_;
    mutable RenderedLines rendered_;
};

void TtfFont::draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const
{
    if (!font_ || text.empty() || text.front() == '\0')
        return;
    const SkinBitmap& bitmap =
        rendered_.get(text, rgb, [this](std::string_view line, std::uint32_t colour) { return render(std::string(line), colour); });
    target.blend(bitmap, x, y, bitmap.width(), bitmap.height(), 0, 0, 255.0f, 1);
}

SkinBitmap TtfFont::render(const std::string& line, std::uint32_t rgb) const
{
    const SDL_Color colour{static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb), 255};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, line.c_str(), colour);
    if (!rendered)
        return {};
    // Blended text comes as ARGB8888 with coverage in alpha.
    SDL_Surface* surface = rendered->format->format == SDL_PIXELFORMAT_ARGB8888
                               ? rendered
                               : SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SkinBitmap bitmap;
    if (surface && surface->w > 0 && surface->h > 0 && surface->w <= 0xFFFF && surface->h <= 0xFFFF) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(surface->w) * static_cast<std::size_t>(surface->h));
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(surface->pixels) +
                                                                     static_cast<std::ptrdiff_t>(y) * surface->pitch);
            for (int x = 0; x < surface->w; ++x) {
                const std::uint32_t a = row[x] >> 24;
                std::uint32_t premultiplied = a << 24;
                for (int shift = 0; shift < 24; shift += 8)
                    premultiplied |= ((((row[x] >> shift) & 0xFF) * a + 127) / 255) << shift;
                pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface->w) + static_cast<std::size_t>(x)] = premultiplied;
            }
        }
        bitmap = SkinBitmap(static_cast<std::uint16_t>(surface->w), static_cast<std::uint16_t>(surface->h), std::move(pixels));
    }
    if (surface && surface != rendered)
        SDL_FreeSurface(surface);
    SDL_FreeSurface(rendered);
    return bitmap;
}

// The font file fontconfig chooses for the request, opened at `pixels`; nullptr without one.
TTF_Font* open_matching_font(std::string_view face, int pixels, int weight, bool cell_height)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return nullptr;
    const std::string family(face);
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixels);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return nullptr;

    TTF_Font* font = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    int matched_weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &matched_weight);
        font = TTF_OpenFontIndex(reinterpret_cast<const char*>(file), pixels, index);
    }
    FcPatternDestroy(match);
    if (!font)
        return nullptr;
    // A positive height asks for the whole cell (ascent + descent), not the em size.
    const int cell = TTF_FontHeight(font);
    if (cell_height && cell > 0 && cell != pixels)
        TTF_SetFontSize(font, std::max(1, pixels * pixels / cell));
    // A bold request that only found a regular face gets a synthetic bold.
    if (weight >= 600 && matched_weight < FC_WEIGHT_DEMIBOLD)
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    return font;
}

// A plain base name: no folder part, nothing that leaves the folder.
bool is_base_name(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

} // namespace

SdlFontSystem::SdlFontSystem() : ttf_started_(TTF_Init() == 0) {}

SdlFontSystem::~SdlFontSystem()
{
    remove_installed_fonts();
    if (ttf_started_)
        TTF_Quit();
}

void SdlFontSystem::install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes)
{
    if (!is_base_name(file_name))
        return;
    if (folder_.empty()) {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "vorlunde-fonts-XXXXXX").string();
        if (error || !mkdtemp(pattern.data()))
            return;
        folder_ = pattern;
    }
    const std::filesystem::path path = folder_ / std::string(file_name);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out)
            return;
        // Two chunks naming the same file: the second overwrites it, one entry removes it.
        if (std::find(files_.begin(), files_.end(), path) == files_.end())
            files_.push_back(path);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return;
    }
    FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(path.c_str()));
}

std::unique_ptr<Font> SdlFontSystem::create_font(std::string_view face, std::int32_t height, std::int32_t weight)
{
    TTF_Font* font = ttf_started_ ? open_matching_font(face, pixel_size(height), opentype_weight(weight), height > 0)
                                  : nullptr;
    return std::make_unique<TtfFont>(font);
}

void SdlFontSystem::remove_installed_fonts()
{
    if (folder_.empty())
        return;
    FcConfigAppFontClear(nullptr);
    std::error_code ignored;
    for (const std::filesystem::path& file : files_)
        std::filesystem::remove(file, ignored);
    files_.clear();
    std::filesystem::remove(folder_, ignored);
    folder_.clear();
}
