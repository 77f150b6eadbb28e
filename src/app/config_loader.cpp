// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/config_loader.h"

#include "app/page_registry.h"
#include "app/shell_state.h"
#include "app/string_mapping.h"
#include "app/tray_icon.h"
#include "archive/data_archive.h"
#include "audio/tracklists.h"
#include "base/skin_error.h"
#include "base/twice_size_name.h"
#include "config/config_walker.h"
#include "image/image_limits.h"
#include "image/image_loader.h"
#include "skin/font_registry.h"
#include "skin/plugin_host.h"
#include "skin/window_region.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Page-switch timers wait one second longer without layered mode.
constexpr std::uint64_t non_layered_timer_extra_ms = 1000;

using FieldList = FieldValues;

std::uint16_t u16(std::uint32_t value)
{
    return static_cast<std::uint16_t>(value);
}

const std::string& entry_text(const FieldList& entry, std::size_t index)
{
    return std::get<std::string>(entry.at(index));
}

std::uint16_t entry_number(const FieldList& entry, std::size_t index)
{
    return u16(std::get<std::uint32_t>(entry.at(index)));
}

// The pictures' art at twice the size, shared by every load of a picture (pages decode
// theirs again after they were let go of): whether any was found, and the names whose art
// does not fit, told once and then drawn doubled.
struct TwiceSizeArt {
    explicit TwiceSizeArt(bool wanted_art) : wanted(wanted_art) {}

    bool wanted;
    bool found = false;
    std::set<std::string, std::less<>> refused;
    std::vector<std::string> problems;

    void attach(const DataArchive& archive, std::string_view name, bool layered, SkinBitmap& bitmap)
    {
        if (!wanted || refused.contains(name))
            return;
        if (const auto problem = load_twice_size_art(archive, name, layered, bitmap)) {
            refused.emplace(name);
            problems.push_back(*problem);
        }
        found = found || bitmap.has_twice_size();
    }
};

class ConfigLoader final : public ConfigVisitor {
public:
    ConfigLoader(LoadTargets& targets, std::vector<std::string>& warnings)
        : t_(targets),
          warnings_(warnings),
          // The back buffer at twice the size keeps to the pictures' limits.
          twice_size_(std::make_shared<TwiceSizeArt>(t_.frame_scale == 2 &&
                                                     image_size_allowed(2 * t_.shell.window_width, 2 * t_.shell.window_height))),
          services_{t_.clock, t_.commands, t_.archive,
                    [&archive = t_.archive, layered = t_.layered, twice_size = twice_size_](std::string_view name) {
                        SkinBitmap bitmap = load_image(archive, name, layered);
                        twice_size->attach(archive, name, layered, bitmap);
                        return bitmap;
                    }}
    {
    }

    // Lookups that must be reported before the element's own checks.
    void chunk_read(const ChunkRecord& chunk) override
    {
        if (!chunk.layout || chunk.level != ChunkLevel::element)
            return;
        switch (static_cast<ElementId>(chunk.header.id)) {
        case ElementId::track_list_view:
        case ElementId::text_browser:
            font_ = t_.fonts.find_font(chunk.text("font"));
            if (!font_)
                throw SkinError("config file corrupted, can't find font named " + chunk.text("font"));
            break;
        case ElementId::plugin_attachment:
            plugin_ = t_.plugins.find_plugin(chunk.text("plugin"));
            if (!plugin_)
                throw SkinError("config file corrupted, can't find plugin named " + chunk.text("plugin"));
            break;
        default:
            break;
        }
    }

    void chunk_accepted(const ChunkRecord& chunk) override
    {
        if (!chunk.layout)
            return;
        switch (chunk.level) {
        case ChunkLevel::root:
            t_.shell.window_title = chunk.text("title");
            t_.shell.window_width = u16(chunk.number("width"));
            t_.shell.window_height = u16(chunk.number("height"));
            break;
        case ChunkLevel::top:
            top_level(chunk);
            break;
        case ChunkLevel::element:
            if (page_)
                element(*page_, chunk);
            break;
        }
    }

    void file_cut_short(std::uint64_t size, std::uint32_t length) override
    {
        warnings_.push_back(cut_short_message(size, length));
    }

    // The start page must name a page once everything is read.
    void finish() const
    {
        if (page_)
            page_->keep_drawn_parts();
        if ((start_page_given_ || t_.pages.page_count() != 0) && !t_.pages.find_page(t_.shell.current_page))
            throw SkinError("config file corrupted, can't find page named " + t_.shell.current_page);
        use_twice_size_art();
    }

private:
    void use_twice_size_art() const
    {
        for (const std::string& problem : twice_size_->problems)
            warnings_.push_back(problem);
        t_.twice_size_art = twice_size_->found;
        if (!twice_size_->found)
            return;
        constexpr std::string_view panel_mask = "Data\\panel.rgn";
        const int width = t_.shell.window_width;
        const int height = t_.shell.window_height;
        if (t_.archive.has_file(twice_size_name(panel_mask)) && !twice_size_mask_fits(t_.archive, panel_mask, width, height))
            warnings_.push_back(twice_size_name(panel_mask) + " is not " + std::to_string(2 * width) + " x " + std::to_string(2 * height) +
                                " bytes: the window keeps the shape of " + std::string(panel_mask));
    }

    void top_level(const ChunkRecord& chunk)
    {
        switch (static_cast<ChunkId>(chunk.header.id)) {
        case ChunkId::track_list: track_list(chunk); break;
        case ChunkId::tray_menu:
            t_.shell.tray_tip = chunk.text("tooltip");
            for (const FieldList& item : chunk.values.entries)
                t_.tray.add_menu_item(entry_text(item, 0), Command{entry_number(item, 1), entry_number(item, 2)});
            break;
        case ChunkId::font_file: t_.fonts.install_font_file(t_.archive, chunk.text("file")); break;
        case ChunkId::font:
            t_.fonts.define_font(chunk.text("name"), chunk.text("face"), static_cast<std::int32_t>(chunk.number("height")),
                                 static_cast<std::int32_t>(chunk.number("weight")),
                                 {chunk.number("extra1"), chunk.number("extra2"), chunk.number("extra3"),
                                  chunk.number("extra4")});
            break;
        case ChunkId::start_page:
            t_.shell.current_page = chunk.text("page");
            start_page_given_ = true;
            break;
        case ChunkId::timing: timing(chunk); break;
        case ChunkId::page: {
            // The elements of the page before are complete: its pictures shrink before the
            // next page's are decoded.
            if (page_)
                page_->keep_drawn_parts();
            auto page = std::make_unique<Page>(services_, chunk.text("background"), chunk.text("pressed"),
                                               chunk.text("hover"), chunk.number("fades") != 0);
            page_ = &t_.pages.register_page(chunk.text("name"), std::move(page), t_.links);
            break;
        }
        case ChunkId::string_mapping:
            t_.mapping.mapping_init(u16(chunk.number("count")));
            for (const FieldList& entry : chunk.values.entries)
                t_.mapping.mapping_set(entry_number(entry, 1), entry_text(entry, 0));
            break;
        case ChunkId::plugin: t_.plugins.load_plugin(chunk.text("name"), chunk.text("library")); break;
        }
    }

    void track_list(const ChunkRecord& chunk)
    {
        const std::uint32_t kind = chunk.number("kind");
        std::vector<std::string> titles;
        for (const FieldList& entry : chunk.values.entries) {
            const std::string& title = entry_text(entry, 0);
            const std::string& file = entry_text(entry, 1);
            if (kind == 0) {
                t_.tracklists.add_named_track(title, file);
                continue;
            }
            t_.tracklists.add_playlist_track(title, file);
            for (const auto& registered : t_.pages)
                registered.object->add_title(title);
            titles.push_back(title);
        }
        if (kind == 1)
            t_.plugins.set_titles(titles);
    }

    void timing(const ChunkRecord& chunk)
    {
        if (const auto value = chunk.number("page_switch_ms"))
            t_.shell.page_switch_ms = u16(value);
        if (const auto value = chunk.number("music_fade_ms"))
            t_.shell.fade_ms = u16(value);
        if (const auto value = chunk.number("glow_step"))
            t_.shell.glow_step = u16(value);
    }

    static Command command_of(const ChunkRecord& chunk, std::string_view id = "command",
                              std::string_view argument = "argument")
    {
        return Command{u16(chunk.number(id)), u16(chunk.number(argument))};
    }

    void element(Page& page, const ChunkRecord& chunk)
    {
        switch (static_cast<ElementId>(chunk.header.id)) {
        case ElementId::button: page.add_button(chunk.rect("area"), command_of(chunk)); break;
        case ElementId::key_binding: page.add_key_binding(u16(chunk.number("key")), command_of(chunk)); break;
        case ElementId::lamp: page.add_lamp(chunk.rect("area"), chunk.text("name")); break;
        case ElementId::click_command: page.add_click_command(command_of(chunk)); break;
        case ElementId::right_click_command: page.add_right_click_command(command_of(chunk)); break;
        case ElementId::enter_command: page.add_enter_command(command_of(chunk)); break;
        case ElementId::leave_command: page.add_leave_command(command_of(chunk)); break;
        case ElementId::track_list_view:
            if (chunk.number("selection") == 0)
                page.set_list_view(ListViewMode::press_and_release, chunk.rect("area"), font_, static_cast<std::int32_t>(chunk.number("line_height")));
            else
                page.set_list_view(ListViewMode::double_click, chunk.rect("area"), font_, 1);
            break;
        case ElementId::slider:
            page.add_slider(static_cast<Slider::Orientation>(chunk.number("orientation")),
                            static_cast<Slider::Type>(chunk.number("slider_type")), u16(chunk.number("slider_id")),
                            chunk.rect("track"), chunk.text("knob"));
            break;
        case ElementId::text_browser:
            page.set_text_browser(chunk.rect("area"), font_, static_cast<std::int32_t>(chunk.number("line_height")));
            break;
        case ElementId::text_item: page.add_text_item(chunk.text("file"), chunk.text("title")); break;
        case ElementId::timer: {
            const Command command = command_of(chunk);
            std::uint64_t interval = chunk.number("interval_ms");
            if (!t_.layered && command.id == command_value(CommandId::switch_page))
                interval += non_layered_timer_extra_ms;
            page.add_timer(interval, command);
            break;
        }
        case ElementId::plugin_attachment:
            // Mode 0 attaches above the elements, mode 1 below (other modes were refused).
            page.add_plugin(chunk.number("mode") == 0 ? Page::PluginLayer::upper : Page::PluginLayer::lower, *plugin_);
            break;
        case ElementId::wheel_area:
            page.add_wheel_area(chunk.rect("area"), command_of(chunk, "up_command", "up_argument"),
                                command_of(chunk, "down_command", "down_argument"));
            break;
        }
    }

    LoadTargets& t_;
    std::vector<std::string>& warnings_;
    std::shared_ptr<TwiceSizeArt> twice_size_;
    PageServices services_;
    Page* page_ = nullptr;             // the page the elements being read belong to
    const FontEntry* font_ = nullptr;  // looked up in chunk_read for the element's chunk_accepted
    PluginSlot* plugin_ = nullptr;
    bool start_page_given_ = false;
};

} // namespace

void load_config(const std::filesystem::path& skin_dir, LoadTargets& targets, std::vector<std::string>& warnings)
{
    targets.archive.open_archive(skin_dir / "tarnel.dat");
    ConfigLoader loader(targets, warnings);
    walk_config_file(skin_dir / "tarnel.cfg", loader);
    loader.finish();
}
