// SPDX-License-Identifier: GPL-3.0-or-later
#include "manifest_writer.h"

#include "layout.h"
#include "look.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace {

using layout::Box;

constexpr std::uint16_t page_switch = 0x8001;

// A TOML basic string: quotes and backslashes escaped.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string rect(const Box& box)
{
    return "[" + std::to_string(box.left) + ", " + std::to_string(box.top) + ", " + std::to_string(box.right) + ", " +
           std::to_string(box.bottom) + "]";
}

std::string hex(unsigned value, int digits = 4)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*x", digits, value);
    return text;
}

class Writer {
public:
    explicit Writer(std::vector<std::string> mapping) : mapping_(std::move(mapping)) {}

    std::uint16_t index_of(std::string_view text) const
    {
        const auto found = std::find(mapping_.begin(), mapping_.end(), text);
        if (found == mapping_.end())
            throw std::logic_error("no string mapping for " + std::string(text));
        return static_cast<std::uint16_t>(found - mapping_.begin());
    }

    void chunk(std::string_view type) { out_ << "\n[[chunk]]\ntype = " << quoted(type) << "\n"; }
    void element(std::string_view type) { out_ << "\n[[chunk.element]]\ntype = " << quoted(type) << "\n"; }
    void entry() { out_ << "[[chunk.entry]]\n"; }
    void field(std::string_view key, const std::string& value) { out_ << key << " = " << value << "\n"; }
    void text(std::string_view key, std::string_view value) { field(key, quoted(value)); }
    void number(std::string_view key, long value) { field(key, std::to_string(value)); }
    void raw(std::string_view text) { out_ << text; }

    void command_element(std::string_view type, std::uint16_t command, std::uint16_t argument = 0)
    {
        element(type);
        field("command", hex(command));
        number("argument", argument);
    }
    void button(const Box& area, std::uint16_t command, std::uint16_t argument = 0)
    {
        element("button");
        field("area", rect(area));
        field("command", hex(command));
        number("argument", argument);
    }
    void key(std::uint8_t code, std::uint16_t command, std::uint16_t argument = 0)
    {
        element("key_binding");
        field("key", hex(code, 2));
        field("command", hex(command));
        number("argument", argument);
    }

    std::string take() const { return out_.str(); }

private:
    std::vector<std::string> mapping_;
    std::ostringstream out_;
};

void panel_page(Writer& out, const Look& look)
{
    using namespace layout;
    const LookFiles files = look_files(look.page);
    out.chunk("page");
    out.text("name", look.page);
    out.text("background", files.background);
    out.text("pressed", files.pressed);
    out.text("hover", files.hover);
    out.number("fades", 1);

    for (std::size_t i = 0; i < transport.size(); ++i)
        out.button(transport_button(i), transport[i].command);
    out.button(repeat_button, 0x1008);
    out.button(random_button, 0x1009);
    out.button(tray_button, 0xfffd);
    out.button(minimise_button, 0xfffe);
    out.button(quit_button, page_switch, out.index_of("outro"));
    out.button(browser_back, 0x5003);

    out.key(0x20, 0x1007);                          // space: pause
    out.key(0x0D, 0x1001);                          // Return: play
    out.key(0x53, 0x1002);                          // S: stop
    out.key(0x25, 0x1004);                          // left: previous
    out.key(0x27, 0x1003);                          // right: next
    out.key(0x26, 0x4001);                          // up: scroll the list
    out.key(0x28, 0x4002);                          // down
    out.key(0x21, 0x5001);                          // page up: scroll the document
    out.key(0x22, 0x5002);                          // page down
    out.key(0x08, 0x5003);                          // backspace: back to the documents
    out.key(0x52, 0x1008);                          // R: repeat
    out.key(0x5A, 0x1009);                          // Z: random
    out.key(0x1B, page_switch, out.index_of("outro")); // Escape: goodbye

    for (const auto& [name, box] : {std::pair{"musiclooped", repeat_lamp}, {"musicrandom", random_lamp}, {"modulelooped", module_loop_lamp}}) {
        out.element("lamp");
        out.text("name", name);
        out.field("area", rect(box));
    }

    out.element("track_list_view");
    out.field("area", rect(list_view));
    out.number("selection", 0);
    out.text("font", "list");
    out.number("line_height", list_line_height);

    const auto slider = [&](const Box& track, int orientation, const std::string& knob, std::uint16_t id) {
        out.element("slider");
        out.field("track", rect(track));
        out.number("slider_type", 0);
        out.number("orientation", orientation);
        out.text("knob", knob);
        out.field("slider_id", hex(id));
    };
    slider(seek_slider, 0, files.seek_knob, 0x2001);
    slider(list_scroll, 1, files.scroll_knob, 0x2002);
    slider(browser_scroll, 1, files.scroll_knob, 0x2003);

    out.element("text_browser");
    out.field("area", rect(browser_view));
    out.text("font", "browser");
    out.number("line_height", browser_line_height);
    // The browser lists the last item first: documents go in backwards.
    for (auto document = documents().rbegin(); document != documents().rend(); ++document) {
        out.element("text_item");
        out.text("title", document->title);
        out.text("file", document->name);
    }

    const auto wheel = [&](const Box& area, std::uint16_t up, std::uint16_t down) {
        out.element("wheel_area");
        out.field("area", rect(area));
        out.field("up_command", hex(up));
        out.field("down_command", hex(down));
    };
    wheel(list_frame, 0x4001, 0x4002);
    wheel(browser_frame, 0x5001, 0x5002);

    out.element("plugin_attachment");
    out.text("plugin", "spectrum");
    out.number("mode", 1);

    out.command_element("right_click_command", 0x5003);
    if (look.page == "dzien") { // the jingle greets the day and fades when it ends
        out.command_element("enter_command", 0x1013, out.index_of("jingle"));
        out.command_element("leave_command", 0x1014);
    }
}

void presentation_page(Writer& out, std::string_view name, std::string_view image, std::string_view next, std::uint32_t interval_ms)
{
    out.chunk("page");
    out.text("name", name);
    out.text("background", image);
    out.number("fades", 0);
    out.element("timer");
    out.number("interval_ms", interval_ms);
    out.field("command", hex(page_switch));
    out.number("argument", out.index_of(next));
    out.command_element("click_command", page_switch, out.index_of(next));
}

} // namespace

LookFiles look_files(std::string_view page)
{
    const std::string name(page);
    // JPEG names start with the page name, so the mask that cuts them is the panel's.
    return {"Data\\" + name + ".jpg", "Data\\" + name + "_pressed.jpg", "Data\\" + name + "_hover.jpg",
            "Data\\knob_seek_" + name + ".bmp", "Data\\knob_scroll_" + name + ".bmp"};
}

const std::vector<Document>& documents()
{
    static const std::vector<Document> list{
        {"About vorlunde", "Data\\about.txt"},
        {"Keys and mouse", "Data\\keys.txt"},
        {"Music credits", "Data\\credits.txt"},
    };
    return list;
}

std::vector<std::string> string_mapping(const std::vector<DemoTrack>& named)
{
    std::vector<std::string> mapping{"dzien", "wieczor", "noc", "outro", "empty", "intro"};
    for (const DemoTrack& track : named)
        mapping.push_back(track.title);
    return mapping;
}

std::string demo_manifest(const ManifestInputs& inputs)
{
    const std::vector<std::string> mapping = string_mapping(inputs.named);
    Writer out(mapping);
    out.raw("# The demo skin, written by the demo generator; see docs/skin-manifest.md.\n");
    out.raw("\n[root]\n");
    out.text("title", "vorlunde");
    out.number("width", layout::window_width);
    out.number("height", layout::window_height);

    for (const char* file : {"Data\\DejaVuSans.ttf", "Data\\DejaVuSans-Bold.ttf"}) {
        out.chunk("font_file");
        out.text("file", file);
    }
    for (const auto& [name, height, weight] : {std::tuple{"font", 14, 700}, {"list", 13, 400}, {"browser", 12, 400}}) {
        out.chunk("font");
        out.text("name", name);
        out.text("face", "DejaVu Sans");
        out.number("height", height);
        out.number("weight", weight);
    }
    out.chunk("plugin");
    out.text("name", "spectrum");
    out.text("library", "./bar_scope.so");

    out.chunk("tray_menu");
    out.text("tooltip", "vorlunde");
    for (const auto& [text, command] : {std::pair{"Play", 0x1001}, {"Pause", 0x1007}, {"Next track", 0x1003}, {"Quit", 0xffff}}) {
        out.entry();
        out.text("text", text);
        out.field("command", hex(static_cast<std::uint16_t>(command)));
        out.number("argument", 0);
    }

    out.chunk("timing");
    out.number("page_switch_ms", 1200);
    out.number("music_fade_ms", 1500);
    out.number("glow_step", 8);

    out.chunk("string_mapping");
    for (std::size_t i = 0; i < mapping.size(); ++i) {
        out.entry();
        out.text("text", mapping[i]);
        out.number("index", static_cast<long>(i));
    }

    out.chunk("start_page");
    out.text("page", "intro");

    out.chunk("track_list");
    out.number("kind", 0);
    for (const DemoTrack& track : inputs.named) {
        out.entry();
        out.text("title", track.title);
        out.text("file", "Data\\" + track.file);
    }

    presentation_page(out, "intro", "Data\\intro.jpg", "dzien", 4000);
    for (const Look& look : panel_looks())
        panel_page(out, look);
    presentation_page(out, "outro", "Data\\outro.jpg", "empty", 3000);
    out.command_element("enter_command", 0x1016); // the music fades with the panel
    out.chunk("page");
    out.text("name", "empty");

    // After the pages, so every track list view gets the titles. The player puts each entry
    // in front of the previous ones: the last entry here is playlist index 0.
    out.chunk("track_list");
    out.number("kind", 1);
    for (auto track = inputs.playlist.rbegin(); track != inputs.playlist.rend(); ++track) {
        out.entry();
        out.text("title", track->title);
        out.text("file", track->file);
    }

    for (const ArchiveSource& file : inputs.files) {
        out.raw("\n[[file]]\n");
        out.text("name", file.name);
        out.text("path", file.path.string());
    }
    return out.take();
}
