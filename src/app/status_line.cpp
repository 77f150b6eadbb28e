// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/status_line.h"

#include "audio/track_title_table.h"
#include "base/desktop_text.h"
#include "skin/font_registry.h"

void draw_status_line(BackBuffer& target, const FontRegistry& fonts, const TrackTitleTable& titles,
                      PlaylistIndex current_index)
{
    const FontEntry* font = fonts.find_font("font");
    if (!font || !font->font)
        return;
    font->font->draw_text(target, status_line_x, status_line_y, to_desktop_text(titles.title(current_index)),
                          status_line_rgb);
}
