// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_event_source.h"

#include "platform/wayland/wayland_connection.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

WaylandEventSource::WaylandEventSource(WaylandConnection& connection)
    : connection_(connection), wake_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (wake_fd_ < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

WaylandEventSource::~WaylandEventSource()
{
    close(wake_fd_);
}

std::optional<Event> WaylandEventSource::wait_event()
{
    for (;;) {
        if (!queue_.empty()) {
            const Event event = queue_.front();
            queue_.pop_front();
            return event;
        }
        if (tray_) {
            if (auto event = tray_->poll_event())
                return event;
        }
        if (media_remote_) {
            if (auto event = media_remote_->poll_event())
                return event;
        }
        const std::uint64_t now = TickSchedule::steady_now_ms();
        if (ticks_.take_due(now))
            return Event{.kind = EventKind::timer_tick};
        if (repeat_key_ != 0 && now >= next_repeat_ms_) {
            next_repeat_ms_ = std::max(next_repeat_ms_ + repeat_interval_ms_, now + 1);
            return Event{.kind = EventKind::key_down, .key = repeat_key_};
        }
        std::optional<std::uint64_t> timeout = ticks_.wait_timeout(now);
        if (repeat_key_ != 0)
            timeout = std::min(timeout.value_or(next_repeat_ms_ - now), next_repeat_ms_ - now);
        sleep(timeout ? static_cast<int>(std::min<std::uint64_t>(*timeout, std::numeric_limits<int>::max())) : -1);
    }
}

void WaylandEventSource::sleep(int timeout_ms)
{
    wl_display* display = connection_.display();
    while (wl_display_prepare_read(display) != 0)
        wl_display_dispatch_pending(display);
    wl_display_flush(display);

    std::vector<pollfd> watched{{wl_display_get_fd(display), POLLIN, 0},
                                {wake_fd_, POLLIN, 0},
                                {stop_signals_.read_end(), POLLIN, 0}};
    std::vector<int> sockets;
    if (tray_)
        tray_->add_sockets(sockets);
    if (media_remote_)
        sockets.push_back(media_remote_->socket());
    for (const int socket : sockets) {
        if (socket >= 0)
            watched.push_back(pollfd{socket, POLLIN, 0});
    }
    const int ready = poll(watched.data(), watched.size(), timeout_ms);
    if (ready > 0 && (watched[0].revents & POLLIN))
        wl_display_read_events(display);
    else
        wl_display_cancel_read(display);
    if (ready > 0 && (watched[1].revents & POLLIN)) {
        std::uint64_t count = 0;
        static_cast<void>(read(wake_fd_, &count, sizeof count));
        wake_post_.taken();
        queue_.push_back(Event{.kind = EventKind::wake_up});
    }
    if (ready > 0 && (watched[2].revents & POLLIN)) {
        stop_signals_.drain();
        queue_.push_back(Event{.kind = EventKind::wake_up}); // the loop sees the stop or reload request
    }
    if (wl_display_dispatch_pending(display) < 0 || (watched[0].revents & (POLLHUP | POLLERR)))
        queue_.push_back(Event{.kind = EventKind::close_request}); // the compositor is gone
}

void WaylandEventSource::start_timer(std::chrono::milliseconds period)
{
    ticks_.start(TickSchedule::steady_now_ms(), period);
}

void WaylandEventSource::stop_timer()
{
    ticks_.stop();
}

void WaylandEventSource::set_next_tick(std::optional<std::chrono::milliseconds> delay)
{
    ticks_.set_next(TickSchedule::steady_now_ms(), delay);
}

void WaylandEventSource::wake_up()
{
    wake_post_.request([this] {
        const std::uint64_t one = 1;
        return write(wake_fd_, &one, sizeof one) == static_cast<ssize_t>(sizeof one);
    });
}

void WaylandEventSource::start_repeat(std::uint16_t key, std::uint32_t delay_ms, std::uint32_t interval_ms)
{
    if (interval_ms == 0)
        return; // repeat is off
    repeat_key_ = key;
    repeat_interval_ms_ = interval_ms;
    next_repeat_ms_ = TickSchedule::steady_now_ms() + delay_ms;
}
