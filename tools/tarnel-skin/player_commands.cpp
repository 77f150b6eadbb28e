// SPDX-License-Identifier: GPL-3.0-or-later
// check and render: the player's own skin loading, without a display.
#include "commands.h"

#include "load_error_line.h"
#include "skin_checks.h"
#include "skin_manifest.h"
#include "stored_files.h"

#include "app/player.h"
#include "base/skin_error.h"
#include "image/skin_bitmap.h"
#include "media/png_writer.h"
#include "platform/headless/manual_clock.h"
#include "platform/platform.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

namespace {

void write_frame(const BackBuffer& frame, const std::filesystem::path& png, std::ostream& out)
{
    write_png(png, frame.pixels(), frame.pixel_width(), frame.pixel_height());
    out << "wrote " << png.string() << '\n';
}

std::string file_stem_of(const std::string& page_name)
{
    std::string stem = page_name;
    for (char& c : stem)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            c = '_';
    return stem;
}

// Draws the page until the hovered button's glow is full (or stops rising).
void draw_with_full_glow(Page& page, const Button& button, std::uint16_t glow_step, ManualClock& clock)
{
    for (int frame = 0; frame < 256; ++frame) {
        clock.advance(20);
        page.draw_page(glow_step);
        if (button.glow_level() >= 100.0f)
            break;
    }
}

} // namespace

std::size_t check_skin(const std::filesystem::path& dir, const PlatformFactory& make_platform)
{
    std::vector<std::string> warnings;
    std::size_t pages = 0;
    for (const bool layered : {false, true}) {
        const std::unique_ptr<Platform> platform = make_platform(layered);
        Player player(*platform, dir);
        player.load_skin();
        warnings = player.warnings();
        pages = player.pages().page_count();
    }
    if (!warnings.empty())
        throw SkinError(warnings.front());
    return pages;
}

void check_skin_folder(const std::filesystem::path& dir, const PlatformFactory& make_platform,
                       const CheckServices& services, std::ostream& out)
{
    const std::filesystem::path manifest_path = dir / skin_manifest_name;
    std::error_code error;
    const bool with_manifest = std::filesystem::is_regular_file(manifest_path, error);
    std::vector<std::string> warnings;
    if (with_manifest) {
        const SkinManifest manifest = load_manifest(manifest_path);
        const std::vector<ArchiveEntry> entries = stored_entries(manifest, warnings);
        for (std::string& warning : skin_warnings(manifest, entries, dir, services))
            warnings.push_back(std::move(warning));
        for (const std::string& warning : warnings)
            out << warning << '\n';
    }
    std::size_t pages = 0;
    try {
        pages = check_skin(dir, make_platform);
    } catch (const std::exception& refusal) {
        out.flush();
        if (with_manifest)
            throw std::runtime_error(refusal_with_line(manifest_path, refusal.what()));
        throw;
    }
    out << "ok: " << dir.string() << " loads as the player loads it (" << pages << (pages == 1 ? " page" : " pages");
    if (with_manifest)
        out << ", " << warnings.size() << (warnings.size() == 1 ? " warning" : " warnings") << " from " << skin_manifest_name;
    out << ")\n";
}

SkinBitmap draw_skin_page(const std::filesystem::path& dir, const std::string& page_name, Platform& platform)
{
    Player player(platform, dir);
    player.load_skin();
    Page* page = player.pages().find_page(page_name);
    if (!page)
        throw std::runtime_error("no page named " + page_name);
    page->draw_page(player.shell().glow_step);
    const BackBuffer& frame = *player.back_buffer();
    return SkinBitmap(static_cast<std::uint16_t>(frame.pixel_width()), static_cast<std::uint16_t>(frame.pixel_height()),
                      std::vector<std::uint32_t>(frame.pixels().begin(), frame.pixels().end()));
}

void render_page(const std::filesystem::path& dir, const std::string& page_name, const std::filesystem::path& png,
                 Platform& platform, std::ostream& out)
{
    const SkinBitmap frame = draw_skin_page(dir, page_name, platform);
    write_png(png, frame.pixels(), frame.width(), frame.height());
    out << "wrote " << png.string() << " (" << frame.width() << " x " << frame.height() << ")\n";
}

void render_all_pages(const std::filesystem::path& dir, const std::filesystem::path& folder, Platform& platform,
                      ManualClock& clock, std::ostream& out)
{
    Player player(platform, dir);
    player.load_skin();
    const BackBuffer& frame = *player.back_buffer();
    const std::uint16_t glow_step = player.shell().glow_step;
    std::filesystem::create_directories(folder);
    std::vector<std::string> names;
    for (const auto& entry : player.pages())
        names.push_back(entry.name);
    std::reverse(names.begin(), names.end()); // configuration order
    std::set<std::string> drawn;
    for (const std::string& name : names) {
        Page& page = *player.pages().find_page(name);
        if (!drawn.insert(name).second)
            continue;
        if (!page.background() || !page.background()->has_image()) {
            out << "page " << name << " has no background: skipped\n";
            continue;
        }
        const std::filesystem::path stem = folder / file_stem_of(name);
        page.on_focus();
        page.draw_page(glow_step);
        write_frame(frame, stem.string() + ".png", out);
        const auto& buttons = page.buttons();
        for (std::size_t index = 0; index < buttons.size(); ++index) {
            const Button& button = buttons[buttons.size() - 1 - index];
            const std::string prefix = stem.string() + "-button-" + std::to_string(index + 1);
            const Rect& rect = button.rect();
            const int x = rect.left + rect.width() / 2, y = rect.top + rect.height() / 2;
            page.on_focus();
            page.on_left_down(x, y);
            page.draw_page(glow_step);
            write_frame(frame, prefix + "-pressed.png", out);
            page.on_left_up(x, y);
            page.on_focus();
            page.on_mouse_move(x, y, 0);
            draw_with_full_glow(page, button, glow_step, clock);
            write_frame(frame, prefix + "-hover.png", out);
            page.on_mouse_move(-1, -1, 0);
            page.on_focus();
        }
    }
}
