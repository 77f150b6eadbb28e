// SPDX-License-Identifier: GPL-3.0-or-later
// The starter skin's manifest: every common chunk and element, each with a comment. The
// rectangles are the demo layout's, which the starter's art is drawn to.
#include "starter_skin.h"

#include "base/command.h"
#include "layout.h"

#include <sstream>

namespace {

using layout::Box;

std::string rect(const Box& box)
{
    return "[" + std::to_string(box.left) + ", " + std::to_string(box.top) + ", " + std::to_string(box.right) + ", " +
           std::to_string(box.bottom) + "]";
}

std::string button(const Box& area, std::string_view command, int argument, const char* comment)
{
    return "\n[[chunk.element]]   # " + std::string(comment) + "\ntype = \"button\"\narea = " + rect(area) +
           "\ncommand = \"" + std::string(command) + "\"\nargument = " + std::to_string(argument) + "\n";
}

std::string key(const char* name, const char* command, int argument, const char* comment)
{
    return "\n[[chunk.element]]   # " + std::string(comment) + "\ntype = \"key_binding\"\nkey = \"" + name +
           "\"\ncommand = \"" + command + "\"\nargument = " + std::to_string(argument) + "\n";
}

std::string slider(const Box& track, int orientation, const char* knob, const char* id, const char* comment)
{
    return "\n[[chunk.element]]   # " + std::string(comment) + "\ntype = \"slider\"\ntrack = " + rect(track) +
           "\nslider_type = 0\norientation = " + std::to_string(orientation) + "\nknob = \"" + knob +
           "\"\nslider_id = " + id + "\n";
}

// An intro or outro page: its picture, and a timer and a click that switch to the page of
// string index `next`.
std::string presentation_page(const std::string& name, int interval_ms, int next)
{
    const std::string switch_to = "command = \"switch_page\"\nargument = " + std::to_string(next) + "\n";
    return "\n[[chunk]]\ntype = \"page\"\nname = \"" + name + "\"\nbackground = \"Data\\\\" + name +
           ".jpg\"\nfades = 0\n\n[[chunk.element]]\ntype = \"timer\"\ninterval_ms = " + std::to_string(interval_ms) +
           "\n" + switch_to + "\n[[chunk.element]]\ntype = \"click_command\"\n" + switch_to;
}

// Indices of the string mapping below: page switches name their page by index.
constexpr int kDay = 1, kOutro = 2, kEmpty = 3;

} // namespace

std::string starter_manifest(const std::vector<std::pair<std::string, std::string>>& playlist)
{
    using namespace layout;
    std::ostringstream out;
    out << R"(# A starter skin made by `tarnel-skin new`. Build it into this folder and run it:
#
#   tarnel-skin build skin.toml -o .     writes tarnel.cfg and tarnel.dat here
#   tarnel-skin check .                  loads it as the player does
#   vorlunde                             run in this folder
#   tarnel-skin watch skin.toml -o . --run
#                                        rebuilds and restarts the player on every save
#
# The pictures are PNG files in art/: paint over them in any editor that keeps transparency.
# Where art/panel.png is transparent the window is cut away. Every chunk and key is described
# in docs/skin-reference.md of the vorlunde sources (`tarnel-skin commands` and
# `tarnel-skin keys` list the command and key names). Chunks are read in order: define what
# a later chunk names (fonts, pages, strings) before it. `tarnel-skin check .` warns, with the
# line, about names that name nothing, elements outside the window and the like.

[root]
title = "my skin"    # the window's title
width = )" << window_width << R"(         # the window's size in pixels; masks are made to it
height = )" << window_height << R"(

# Font files stored in the archive are installed while the player runs.
[[chunk]]
type = "font_file"
file = "Data\\DejaVuSans.ttf"

[[chunk]]
type = "font_file"
file = "Data\\DejaVuSans-Bold.ttf"

# The font named "font" writes the playing track's title into the status line of panel pages.
[[chunk]]
type = "font"
name = "font"
face = "DejaVu Sans"
height = 14
weight = 700

[[chunk]]
type = "font"
name = "list"
face = "DejaVu Sans"
height = 13
weight = 400

[[chunk]]
type = "font"
name = "browser"
face = "DejaVu Sans"
height = 12
weight = 400

# The tray icon's tip and menu: each entry posts its command when chosen.
[[chunk]]
type = "tray_menu"
tooltip = "my skin"
[[chunk.entry]]
text = "Play"
command = "play_current"
argument = 0
[[chunk.entry]]
text = "Pause"
command = "toggle_pause"
argument = 0
[[chunk.entry]]
text = "Quit"
command = "quit"
argument = 0

# Durations: page cross-fades, music fades, and how fast a button's hover glow rises.
[[chunk]]
type = "timing"
page_switch_ms = 1200
music_fade_ms = 1500
glow_step = 8

# Strings that commands name by index: a page switch (switch_page) takes its page's index here.
[[chunk]]
type = "string_mapping"
[[chunk.entry]]
text = "intro"
index = 0
[[chunk.entry]]
text = "dzien"
index = 1
[[chunk.entry]]
text = "outro"
index = 2
[[chunk.entry]]
text = "empty"
index = 3

[[chunk]]
type = "start_page"
page = "intro"

# The intro: its picture, and a timer and a click that go on to the panel page.)"
        << presentation_page("intro", 4000, kDay) << R"(
# The panel page. The player shows "dzien" for playlist positions 0 to 8 ("wieczor" for 9
# to 13 and "noc" after that, when a skin has them). The pressed and hover pictures are cut
# where buttons, lamps and list lines are.
[[chunk]]
type = "page"
name = "dzien"
background = "Data\\dzien.jpg"
pressed = "Data\\dzien_pressed.jpg"
hover = "Data\\dzien_hover.jpg"
fades = 1
)";
    for (std::size_t i = 0; i < transport.size(); ++i)
        out << button(transport_button(i), command_name(transport[i].command).value_or("?"), 0,
                      std::string(transport[i].label).c_str());
    out << button(repeat_button, "toggle_repeat", 0, "repeat on and off");
    out << button(random_button, "toggle_random", 0, "random order on and off");
    out << button(tray_button, "hide_in_tray", 0, "into the tray");
    out << button(minimise_button, "minimise", 0, "minimise");
    out << button(quit_button, "switch_page", kOutro, "to the outro, which quits");
    out << button(browser_back, "text_back", 0, "the text browser's document list");
    out << key("Space", "toggle_pause", 0, "pause and resume");
    out << key("Return", "play_current", 0, "play");
    out << key("Left", "previous_track", 0, "previous track");
    out << key("Right", "next_track", 0, "next track");
    out << key("Escape", "switch_page", kOutro, "goodbye");
    for (const auto& [name, box] : {std::pair{"musiclooped", repeat_lamp}, {"musicrandom", random_lamp}, {"modulelooped", module_loop_lamp}})
        out << "\n[[chunk.element]]   # lit from the hover picture while " << name << " is on\ntype = \"lamp\"\nname = \""
            << name << "\"\narea = " << rect(box) << "\n";
    out << "\n[[chunk.element]]   # the playlist's titles\ntype = \"track_list_view\"\narea = " << rect(list_view)
        << "\nselection = 0\nfont = \"list\"\nline_height = " << list_line_height << "\n";
    out << slider(seek_slider, 0, "Data\\\\knob_seek.bmp", "0x2001", "seeks in the playing track");
    out << slider(list_scroll, 1, "Data\\\\knob_scroll.bmp", "0x2002", "scrolls the track list");
    out << slider(browser_scroll, 1, "Data\\\\knob_scroll.bmp", "0x2003", "scrolls the text browser");
    out << "\n[[chunk.element]]   # lists its documents; a click opens one\ntype = \"text_browser\"\narea = "
        << rect(browser_view) << "\nfont = \"browser\"\nline_height = " << browser_line_height << "\n";
    out << "\n[[chunk.element]]\ntype = \"text_item\"\ntitle = \"About this skin\"\nfile = \"Data\\\\about.txt\"\n";
    out << "\n[[chunk.element]]   # the wheel over the list scrolls it\ntype = \"wheel_area\"\narea = " << rect(list_frame)
        << "\nup_command = \"list_scroll_up\"\ndown_command = \"list_scroll_down\"\n";
    out << "\n[[chunk.element]]   # a right click goes back to the document list\ntype = \"right_click_command\"\n"
           "command = \"text_back\"\nargument = 0\n";
    out << "\n# The outro fades the music and goes on to \"empty\", which ends the program."
        << presentation_page("outro", 3000, kEmpty) << R"(
[[chunk.element]]
type = "enter_command"
command = "fade_out_current"
argument = 0

[[chunk]]
type = "page"
name = "empty"

# The playlist, after the pages so that their track list views get the titles. Files are
# relative to the folder the player runs in. Each entry goes in front of the ones before
# it: the last entry here is the first track.
[[chunk]]
type = "track_list"
kind = 1
)";
    for (auto track = playlist.rbegin(); track != playlist.rend(); ++track)
        out << "[[chunk.entry]]\ntitle = \"" << track->first << "\"\nfile = \"" << track->second << "\"\n";
    out << R"(
# The archive: each entry is a file, stored as it is or converted (format = "jpeg", "bmp24",
# "bmp8" or "rle8"), or a window mask made from a picture's alpha (mask_from).
[[file]]
name = "Data\\dzien.jpg"    # JPEG backgrounds are cut to the mask in layered windows
path = "art/panel.png"
format = "jpeg"
quality = 92

[[file]]
name = "Data\\dzien_pressed.jpg"
path = "art/panel_pressed.png"
format = "jpeg"
quality = 92

[[file]]
name = "Data\\dzien_hover.jpg"
path = "art/panel_hover.png"
format = "jpeg"
quality = 92

[[file]]
name = "Data\\knob_seek.bmp"
path = "art/knob_seek.png"
format = "bmp24"

[[file]]
name = "Data\\knob_scroll.bmp"
path = "art/knob_scroll.png"
format = "rle8"

[[file]]
name = "Data\\intro.jpg"
path = "art/intro.png"
format = "jpeg"
quality = 92

[[file]]
name = "Data\\outro.jpg"
path = "art/outro.png"
format = "jpeg"
quality = 92

[[file]]
name = "Data\\panel.rgn"    # the window's shape: transparent pixels are cut away
mask_from = "art/panel.png"

[[file]]
name = "Data\\intro.rgn"
mask_from = "art/intro.png"

[[file]]
name = "Data\\outro.rgn"
mask_from = "art/outro.png"

[[file]]
name = "Data\\about.txt"
path = "art/about.txt"

[[file]]
name = "Data\\DejaVuSans.ttf"
path = "fonts/DejaVuSans.ttf"

[[file]]
name = "Data\\DejaVuSans-Bold.ttf"
path = "fonts/DejaVuSans-Bold.ttf"
)";
    return out.str();
}
