// SPDX-License-Identifier: GPL-3.0-or-later
// TextPainter: draws UTF-8 labels onto a Canvas in one TrueType face and pixel size, through
// SDL2_ttf (anti-aliased, blended by the glyphs' coverage). A TtfSession must outlive every
// painter. Not thread-safe.
#pragma once

#include "canvas.h"

#include <filesystem>
#include <string_view>

struct _TTF_Font;

// Keeps the TrueType library initialised while it exists.
class TtfSession {
public:
    TtfSession();
    ~TtfSession();
    TtfSession(const TtfSession&) = delete;
    TtfSession& operator=(const TtfSession&) = delete;
};

class TextPainter {
public:
    // Throws std::runtime_error "can't open font PATH" when the file cannot be used.
    TextPainter(const TtfSession& session, const std::filesystem::path& font_file, int pixel_size);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    // Width of `text` in pixels, `tracking` extra pixels between letters.
    int width(std::string_view text, int tracking = 0) const;

    // Draws `text` with its baseline at `baseline` and its left edge at `left`.
    void draw(Canvas& canvas, std::string_view text, int left, int baseline, Colour colour, double alpha = 1.0, int tracking = 0) const;

    // Draws `text` centred on `centre_x`.
    void draw_centred(Canvas& canvas, std::string_view text, int centre_x, int baseline, Colour colour, double alpha = 1.0,
                      int tracking = 0) const;

private:
    _TTF_Font* font_;
};
