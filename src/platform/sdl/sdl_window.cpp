// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_window.h"

#include "platform/sdl/sdl_event_source.h"

#include "base/desktop_text.h"
#include "base/skin_error.h"
#include "platform/colour_key_shape.h"
#include "platform/program_images.h"
#include "platform/sdl/window_scale.h"
#include "platform/window_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// A surface over `pixels` (0xAARRGGBB, program_image_size square); `pixels` must outlive it.
Surface image_surface(std::vector<std::uint32_t>& pixels)
{
    return Surface(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), program_image_size, program_image_size, 32,
                                                      program_image_size * 4, SDL_PIXELFORMAT_ARGB8888));
}

} // namespace

SdlWindow::SdlWindow(const WindowSpec& spec, SdlEventSource& events) : events_(events)
{
    window_ = SDL_CreateWindow(to_desktop_text(spec.title).c_str(), spec.x, spec.y, std::max(spec.width, 1),
                               std::max(spec.height, 1), SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!window_)
        throw SkinError(std::string("can't create window: ") + SDL_GetError());

    auto icon_pixels = program_icon_pixels();
    if (const Surface icon = image_surface(icon_pixels))
        SDL_SetWindowIcon(window_, icon.get());
    auto cursor_pixels = arrow_cursor_pixels();
    if (const Surface cursor = image_surface(cursor_pixels)) {
        cursor_ = SDL_CreateColorCursor(cursor.get(), 0, 0);
        if (cursor_)
            SDL_SetCursor(cursor_);
    }

    desktop_ = X11Desktop::of(window_);
    if (desktop_)
        part_upload_ = X11PartUpload::of(*desktop_);
    layered_ = desktop_ && desktop_->compositing();
    argb_ = desktop_ && desktop_->argb();
    const auto environment = [](const char* name) { return std::getenv(name) ? std::getenv(name) : ""; };
    scale_ = choose_window_scale(environment("VORLUNDE_SCALE"), environment("GDK_SCALE"),
                                 desktop_ ? desktop_->resources() : std::string());
    if (scale_ != 1) {
        // scale_ times the size, centred where the skin-sized window would have been.
        const int width = std::max(spec.width, 1);
        const int height = std::max(spec.height, 1);
        SDL_SetWindowSize(window_, width * scale_, height * scale_);
        SDL_SetWindowPosition(window_, spec.x - width * (scale_ - 1) / 2, spec.y - height * (scale_ - 1) / 2);
    }
    events_.set_window(this);
}

SdlWindow::~SdlWindow()
{
    events_.set_window(nullptr);
    part_upload_.reset();
    SDL_DestroyWindow(window_);
    if (cursor_)
        SDL_FreeCursor(cursor_);
}

void SdlWindow::show()
{
    SDL_ShowWindow(window_);
}

void SdlWindow::hide()
{
    SDL_HideWindow(window_);
}

void SdlWindow::minimise()
{
    SDL_MinimizeWindow(window_);
}

void SdlWindow::set_alpha(std::uint8_t alpha)
{
    if (argb_) {
        alpha_ = alpha;
        redraw_argb();
    } else if (layered_) {
        SDL_SetWindowOpacity(window_, static_cast<float>(alpha) / 255.0f);
    }
}

void SdlWindow::set_colour_key(bool enabled, std::uint32_t colour)
{
    if (!layered_)
        return;
    if (enabled) {
        colour_key_ = colour;
    } else {
        colour_key_.reset();
        clear_shape();
    }
    keyed_frame_.clear();
    redraw_argb();
}

void SdlWindow::set_shape(std::span<const Rect> rectangles, int scale)
{
    if (!desktop_)
        return;
    if (argb_) {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window_, &width, &height);
        shape_scale_ = scale == scale_ ? scale : 1;
        shape_mask_ = shape_mask(width / scale_ * shape_scale_, height / scale_ * shape_scale_, rectangles);
        redraw_argb();
    }
    apply_x_shape(rectangles, scale);
}

void SdlWindow::apply_x_shape(std::span<const Rect> rectangles, int scale)
{
    const int factor = scale_ / std::clamp(scale, 1, scale_);
    if (factor == 1) {
        desktop_->set_shape(rectangles);
        return;
    }
    std::vector<Rect> scaled(rectangles.begin(), rectangles.end());
    for (Rect& r : scaled)
        r = Rect{r.left * factor, r.top * factor, r.right * factor, r.bottom * factor};
    desktop_->set_shape(scaled);
}

void SdlWindow::clear_shape()
{
    if (desktop_)
        desktop_->clear_shape();
    if (!shape_mask_.empty()) {
        shape_mask_.clear();
        redraw_argb();
    }
}

void SdlWindow::begin_move(std::int32_t x, std::int32_t y)
{
    // The event source hands drags window pixels.
    x *= scale_;
    y *= scale_;
    int window_x = 0;
    int window_y = 0;
    SDL_GetWindowPosition(window_, &window_x, &window_y);
    if (desktop_ && desktop_->window_manager_moves()) {
        desktop_->request_move(window_x + x, window_y + y);
        return;
    }
    drag_ = Drag{x, y, window_x, window_y};
}

void SdlWindow::drag_to(std::int32_t x, std::int32_t y)
{
    if (!drag_)
        return;
    drag_->window_x += x - drag_->grab_x;
    drag_->window_y += y - drag_->grab_y;
    SDL_SetWindowPosition(window_, drag_->window_x, drag_->window_y);
}

void SdlWindow::present(const BackBuffer& frame)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface)
        return;
    if (argb_ && surface->format->format == SDL_PIXELFORMAT_ARGB8888) {
        if (!last_frame_ || last_frame_->width() != frame.width() || last_frame_->height() != frame.height() ||
            last_frame_->scale() != frame.scale())
            last_frame_ = std::make_unique<BackBuffer>(frame.width(), frame.height(), frame.scale());
        std::ranges::copy(frame.pixels(), last_frame_->pixels().begin());
        update_key_shape(frame);
        redraw_argb();
        return;
    }
    if (scale_ != frame.scale()) {
        if (copy_scaled(frame, *surface) || stale_) {
            SDL_UpdateWindowSurface(window_);
            stale_ = false;
        }
        update_key_shape(frame);
        return;
    }
    const int width = std::min(surface->w, frame.pixel_width());
    const int height = std::min(surface->h, frame.pixel_height());
    if (width <= 0 || height <= 0)
        return;
    const int source_pitch = frame.pixel_width() * 4;
    bool changed = true;
    if (surface->format->format == SDL_PIXELFORMAT_ARGB8888 || surface->format->format == SDL_PIXELFORMAT_RGB888) {
        // The window surface keeps the last frame shown: rows that match need no copy, and a
        // frame that matches whole needs no upload (most frames of a still panel).
        changed = false;
        SDL_LockSurface(surface);
        const auto* source = reinterpret_cast<const std::uint8_t*>(frame.pixels().data());
        auto* target = static_cast<std::uint8_t*>(surface->pixels);
        const auto row_bytes = static_cast<std::size_t>(width) * 4;
        for (int y = 0; y < height; ++y) {
            if (std::memcmp(target + y * surface->pitch, source + y * source_pitch, row_bytes) != 0) {
                std::memcpy(target + y * surface->pitch, source + y * source_pitch, row_bytes);
                changed = true;
            }
        }
        SDL_UnlockSurface(surface);
    } else {
        SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, frame.pixels().data(), source_pitch,
                          surface->format->format, surface->pixels, surface->pitch);
    }
    if (changed || stale_) {
        SDL_UpdateWindowSurface(window_);
        stale_ = false;
    }
    presented_ = true;

    update_key_shape(frame);
}

void SdlWindow::update_key_shape(const BackBuffer& frame)
{
    if (colour_key_ && !std::ranges::equal(keyed_frame_, frame.pixels())) {
        keyed_frame_.assign(frame.pixels().begin(), frame.pixels().end());
        apply_x_shape(colour_key_shape(frame, *colour_key_), frame.scale());
    }
}

void SdlWindow::present_parts(const BackBuffer& frame, std::span<const Rect> parts)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    // The whole path keeps what it needs: the server's lost copy, a colour-key shape, a
    // surface in another pixel format.
    if (!surface || argb_ || stale_ || colour_key_ || scale_ != frame.scale() || surface->w != frame.pixel_width() ||
        surface->h != frame.pixel_height() ||
        (surface->format->format != SDL_PIXELFORMAT_ARGB8888 && surface->format->format != SDL_PIXELFORMAT_RGB888)) {
        present(frame);
        return;
    }
    rects_.clear();
    SDL_LockSurface(surface);
    const int scale = frame.scale();
    for (const Rect& part : parts) {
        const int left = std::clamp(part.left, 0, frame.width()) * scale;
        const int right = std::clamp(part.right, 0, frame.width()) * scale;
        const int top = std::clamp(part.top, 0, frame.height()) * scale;
        const int bottom = std::clamp(part.bottom, 0, frame.height()) * scale;
        if (left >= right || top >= bottom)
            continue;
        for (int y = top; y < bottom; ++y)
            std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch + left * 4,
                        frame.pixels().data() + static_cast<std::ptrdiff_t>(y) * frame.pixel_width() + left,
                        static_cast<std::size_t>(right - left) * 4);
        rects_.push_back(SDL_Rect{left, top, right - left, bottom - top});
    }
    SDL_UnlockSurface(surface);
    if (!rects_.empty() && !(part_upload_ && part_upload_->put(*surface, rects_)))
        SDL_UpdateWindowSurfaceRects(window_, rects_.data(), static_cast<int>(rects_.size()));
}

void SdlWindow::redraw_argb()
{
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!argb_ || !last_frame_ || !surface || surface->format->format != SDL_PIXELFORMAT_ARGB8888 ||
        surface->w < last_frame_->width() * scale_ || surface->h < last_frame_->height() * scale_)
        return;
    const WindowLook look{.shape = shape_mask_, .shape_scale = shape_scale_, .colour_key = colour_key_, .alpha = alpha_};
    SDL_LockSurface(surface);
    const std::span target(static_cast<std::uint32_t*>(surface->pixels),
                           static_cast<std::size_t>(surface->pitch / 4) * static_cast<std::size_t>(surface->h));
    compose_window_pixels(*last_frame_, look, Rect{0, 0, last_frame_->width(), last_frame_->height()}, scale_, target,
                          surface->pitch / 4);
    SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window_);
    stale_ = false;
    presented_ = true;
}

void SdlWindow::invalidate()
{
    // The window surface still holds the last frame: show it again at once, as the next
    // present may be far off (or only a part).
    stale_ = true;
    if (presented_ && SDL_UpdateWindowSurface(window_) == 0)
        stale_ = false;
}

bool SdlWindow::copy_scaled(const BackBuffer& frame, SDL_Surface& surface)
{
    const int repeat = scale_ / std::clamp(frame.scale(), 1, scale_);
    const int width = std::min(surface.w / repeat, frame.pixel_width());
    const int height = std::min(surface.h / repeat, frame.pixel_height());
    if (width <= 0 || height <= 0)
        return false;
    const bool same_format =
        surface.format->format == SDL_PIXELFORMAT_ARGB8888 || surface.format->format == SDL_PIXELFORMAT_RGB888;
    const int scaled_width = width * repeat;
    const auto row_bytes = static_cast<std::size_t>(scaled_width) * 4;
    scaled_row_.resize(static_cast<std::size_t>(scaled_width));
    bool changed = !same_format;
    SDL_LockSurface(&surface);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = frame.pixels().data() + static_cast<std::size_t>(y) * frame.pixel_width();
        for (int x = 0; x < width; ++x)
            std::fill_n(scaled_row_.begin() + x * repeat, repeat, source[x]);
        for (int line = 0; line < repeat; ++line) {
            auto* target = static_cast<std::uint8_t*>(surface.pixels) + (y * repeat + line) * surface.pitch;
            if (!same_format) {
                SDL_ConvertPixels(scaled_width, 1, SDL_PIXELFORMAT_ARGB8888, scaled_row_.data(),
                                  static_cast<int>(row_bytes), surface.format->format, target, surface.pitch);
            } else if (std::memcmp(target, scaled_row_.data(), row_bytes) != 0) {
                std::memcpy(target, scaled_row_.data(), row_bytes);
                changed = true;
            }
        }
    }
    SDL_UnlockSurface(&surface);
    return changed;
}

Rect SdlWindow::screen_rect() const
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &width, &height);
    return Rect{x, y, x + width, y + height};
}
