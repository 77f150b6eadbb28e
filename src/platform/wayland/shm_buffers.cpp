// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/shm_buffers.h"

#include "base/skin_error.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

// More stale areas than this are refilled whole.
constexpr std::size_t max_stale_areas = 32;

} // namespace

ShmBuffers::ShmBuffers(wl_shm& shm, int width, int height, std::function<void()> on_release)
    : width_(width), height_(height), on_release_(std::move(on_release))
{
    const std::size_t buffer_bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    const int file = memfd_create("vorlunde-window", MFD_CLOEXEC);
    if (file < 0 || ftruncate(file, static_cast<off_t>(buffer_bytes * buffers_.size())) != 0) {
        if (file >= 0)
            close(file);
        throw SkinError("can't make the window's shared memory");
    }
    void* memory = mmap(nullptr, buffer_bytes * buffers_.size(), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    if (memory == MAP_FAILED) {
        close(file);
        throw SkinError("can't map the window's shared memory");
    }
    memory_ = std::span(static_cast<std::uint8_t*>(memory), buffer_bytes * buffers_.size());
    wl_shm_pool* pool = wl_shm_create_pool(&shm, file, static_cast<std::int32_t>(memory_.size()));
    static constexpr wl_buffer_listener listener{.release = on_buffer_release};
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        Buffer& buffer = buffers_[i];
        buffer.buffer.reset(wl_shm_pool_create_buffer(pool, static_cast<std::int32_t>(i * buffer_bytes), width, height,
                                                      width * 4, WL_SHM_FORMAT_ARGB8888));
        buffer.pixels = std::span(reinterpret_cast<std::uint32_t*>(memory_.data() + i * buffer_bytes),
                                  buffer_bytes / 4);
        buffer.owner = this;
        wl_buffer_add_listener(buffer.buffer.get(), &listener, &buffer);
    }
    // The buffers keep the memory; the pool and the file are no longer needed.
    wl_shm_pool_destroy(pool);
    close(file);
}

ShmBuffers::~ShmBuffers()
{
    for (Buffer& buffer : buffers_)
        buffer.buffer.reset();
    munmap(memory_.data(), memory_.size());
}

void ShmBuffers::on_buffer_release(void* buffer, wl_buffer*)
{
    auto& released = *static_cast<Buffer*>(buffer);
    released.busy = false;
    released.owner->on_release_();
}

ShmBuffers::Buffer* ShmBuffers::free_buffer()
{
    for (Buffer& buffer : buffers_) {
        if (!buffer.busy)
            return &buffer;
    }
    return nullptr;
}

void ShmBuffers::mark_changed(const Rect& area)
{
    if (area.width() <= 0 || area.height() <= 0)
        return;
    for (Buffer& buffer : buffers_) {
        if (buffer.all_stale)
            continue;
        buffer.stale.push_back(area);
        if (buffer.stale.size() > max_stale_areas) {
            buffer.stale.clear();
            buffer.all_stale = true;
        }
    }
}

void ShmBuffers::mark_all_changed()
{
    for (Buffer& buffer : buffers_) {
        buffer.stale.clear();
        buffer.all_stale = true;
    }
}
