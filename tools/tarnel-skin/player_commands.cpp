// check and render: the player's own skin loading, without a display.
#include "commands.h"

#include "app/player.h"
#include "image/skin_bitmap.h"
#include "media/png_writer.h"
#include "platform/platform.h"

#include <stdexcept>

void check_skin(const std::filesystem::path& dir, const PlatformFactory& make_platform)
{
    for (const bool layered : {false, true}) {
        const std::unique_ptr<Platform> platform = make_platform(layered);
        Player(*platform, dir).load_skin();
    }
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
    return SkinBitmap(static_cast<std::uint16_t>(frame.width()), static_cast<std::uint16_t>(frame.height()),
                      std::vector<std::uint32_t>(frame.pixels().begin(), frame.pixels().end()));
}

void render_page(const std::filesystem::path& dir, const std::string& page_name, const std::filesystem::path& png,
                 Platform& platform, std::ostream& out)
{
    const SkinBitmap frame = draw_skin_page(dir, page_name, platform);
    write_png(png, frame.pixels(), frame.width(), frame.height());
    out << "wrote " << png.string() << " (" << frame.width() << " x " << frame.height() << ")\n";
}
