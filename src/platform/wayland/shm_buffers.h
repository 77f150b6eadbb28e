// SPDX-License-Identifier: GPL-3.0-or-later
// ShmBuffers: the window's two wl_shm ARGB8888 buffers of one size, in one shared-memory
// file, reused frame after frame. A buffer is busy from its attach until the compositor
// releases it; each remembers the areas that changed since it was last filled (stale), so
// that filling it copies only those. Not copyable or movable (listeners hold the buffers'
// addresses). UI thread only.
#pragma once

#include "base/rect.h"
#include "platform/wayland/wayland_object.h"

#include <wayland-client.h>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class ShmBuffers {
public:
    struct Buffer {
        WaylandObject<wl_buffer> buffer;
        std::span<std::uint32_t> pixels; // width × height, rows top first
        bool busy = false;
        // Areas (in the units given to mark_changed) to refill; `all_stale` means everything.
        std::vector<Rect> stale;
        bool all_stale = true;
        ShmBuffers* owner = nullptr;
    };

    // Two width by height buffers; `on_release` runs when the compositor gives one back.
    // Throws SkinError when the shared memory cannot be made.
    ShmBuffers(wl_shm& shm, int width, int height, std::function<void()> on_release);
    ~ShmBuffers();
    ShmBuffers(const ShmBuffers&) = delete;
    ShmBuffers& operator=(const ShmBuffers&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // A buffer the compositor does not hold, or nullptr when both are busy.
    Buffer* free_buffer();
    // `area` changed: both buffers must refill it. An empty area is ignored.
    void mark_changed(const Rect& area);
    void mark_all_changed();

private:
    static void on_buffer_release(void* buffer, wl_buffer*);

    int width_;
    int height_;
    std::span<std::uint8_t> memory_;
    std::array<Buffer, 2> buffers_;
    std::function<void()> on_release_;
};
