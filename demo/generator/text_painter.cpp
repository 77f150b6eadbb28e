// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_painter.h"

#include <SDL_ttf.h>

#include <stdexcept>
#include <string>

namespace {

// One UTF-8 character at a time when letters are spaced out, else the whole text.
std::vector<std::string> pieces_of(std::string_view text, int tracking)
{
    std::vector<std::string> pieces;
    if (tracking == 0) {
        pieces.emplace_back(text);
        return pieces;
    }
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
            ++length;
        pieces.emplace_back(text.substr(i, length));
        i += length;
    }
    return pieces;
}

} // namespace

TtfSession::TtfSession()
{
    if (TTF_Init() != 0)
        throw std::runtime_error(std::string("can't start the font library: ") + TTF_GetError());
}

TtfSession::~TtfSession()
{
    TTF_Quit();
}

TextPainter::TextPainter(const TtfSession&, const std::filesystem::path& font_file, int pixel_size)
    // SDL takes file names as UTF-8 on every system.
    : font_(TTF_OpenFont(reinterpret_cast<const char*>(font_file.u8string().c_str()), pixel_size))
{
    if (!font_)
        throw std::runtime_error("can't open font " + font_file.string());
    TTF_SetFontHinting(font_, TTF_HINTING_LIGHT);
}

TextPainter::~TextPainter()
{
    TTF_CloseFont(font_);
}

int TextPainter::width(std::string_view text, int tracking) const
{
    int total = 0;
    for (const std::string& piece : pieces_of(text, tracking)) {
        int w = 0, h = 0;
        TTF_SizeUTF8(font_, piece.c_str(), &w, &h);
        total += w + tracking;
    }
    return total - tracking;
}

void TextPainter::draw(Canvas& canvas, std::string_view text, int left, int baseline, Colour colour, double alpha, int tracking) const
{
    const int top = baseline - TTF_FontAscent(font_);
    int x = left;
    for (const std::string& piece : pieces_of(text, tracking)) {
        SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, piece.c_str(), SDL_Color{255, 255, 255, 255});
        if (!rendered)
            continue;
        SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(rendered);
        if (!surface)
            continue;
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch);
            for (int column = 0; column < surface->w; ++column)
                canvas.blend(x + column, top + y, colour, alpha * static_cast<double>(row[column] >> 24) / 255.0);
        }
        x += surface->w + tracking;
        SDL_FreeSurface(surface);
    }
}

void TextPainter::draw_centred(Canvas& canvas, std::string_view text, int centre_x, int baseline, Colour colour, double alpha,
                               int tracking) const
{
    draw(canvas, text, centre_x - width(text, tracking) / 2, baseline, colour, alpha, tracking);
}
