// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_event_source.h"

#include <emscripten.h>

#include <algorithm>

namespace {

// Gives control back to the browser until the page delivers an event or `timeout_ms` passes
// (negative: no timeout). The page's listeners call Module.vorlundeWakeWait.
EM_ASYNC_JS(void, wait_for_browser, (double timeout_ms), {
    await new Promise(resolve => {
        let timer = null;
        const done = () => {
            if (timer !== null)
                clearTimeout(timer);
            Module.vorlundeWakeWait = null;
            resolve();
        };
        Module.vorlundeWakeWait = done;
        if (timeout_ms >= 0)
            timer = setTimeout(done, timeout_ms);
    });
});

EM_JS(void, connect_page_events, (WebEventSource* source), {
    Module.vorlundeEvents = source;
});

EM_JS(void, wake_browser_wait, (), {
    if (Module.vorlundeWakeWait)
        Module.vorlundeWakeWait();
});

} // namespace

WebEventSource::WebEventSource()
{
    connect_page_events(this);
}

WebEventSource::~WebEventSource()
{
    connect_page_events(nullptr);
}

std::optional<Event> WebEventSource::wait_event()
{
    for (;;) {
        if (!queue_.empty()) {
            const Event event = queue_.front();
            queue_.pop_front();
            if (event.kind == EventKind::wake_up)
                wake_pending_ = false;
            return event;
        }
        const std::uint64_t now = clock_.now_ms();
        if (ticks_.take_due(now))
            return Event{.kind = EventKind::timer_tick};
        const std::optional<std::uint64_t> timeout = ticks_.wait_timeout(now);
        wait_for_browser(timeout ? static_cast<double>(*timeout) : -1.0);
    }
}

void WebEventSource::start_timer(std::chrono::milliseconds period)
{
    ticks_.start(clock_.now_ms(), period);
}

void WebEventSource::stop_timer()
{
    ticks_.stop();
}

void WebEventSource::set_next_tick(std::optional<std::chrono::milliseconds> delay)
{
    ticks_.set_next(clock_.now_ms(), delay);
}

void WebEventSource::wake_up()
{
    if (wake_pending_)
        return;
    wake_pending_ = true;
    push(Event{.kind = EventKind::wake_up});
}

void WebEventSource::push(const Event& event)
{
    queue_.push_back(event);
    wake_browser_wait();
}

// The page's listeners call these with the source it was given (Module.vorlundeEvents).
extern "C" {

EMSCRIPTEN_KEEPALIVE void vorlunde_web_pointer(WebEventSource* source, int kind, int button, int x, int y, int key_state)
{
    const auto event_kind = static_cast<EventKind>(kind);
    if (event_kind != EventKind::mouse_move && event_kind != EventKind::button_down &&
        event_kind != EventKind::button_up && event_kind != EventKind::double_click)
        return;
    source->push(Event{.kind = event_kind,
                       .button = button == 2 ? MouseButton::right : button == 1 ? MouseButton::middle : MouseButton::left,
                       .x = x,
                       .y = y,
                       .key_state = static_cast<std::uint16_t>(key_state)});
}

EMSCRIPTEN_KEEPALIVE void vorlunde_web_wheel(WebEventSource* source, int x, int y, int notches)
{
    const int delta = std::clamp(notches, -32, 32) * wheel_notch;
    source->push(Event{.kind = EventKind::wheel, .x = x, .y = y, .wheel_delta = static_cast<std::int16_t>(delta)});
}

EMSCRIPTEN_KEEPALIVE void vorlunde_web_key(WebEventSource* source, int down, int key)
{
    if (key <= 0 || key > 0xFE)
        return;
    source->push(Event{.kind = down ? EventKind::key_down : EventKind::key_up, .key = static_cast<std::uint16_t>(key)});
}

EMSCRIPTEN_KEEPALIVE void vorlunde_web_focus(WebEventSource* source)
{
    source->push(Event{.kind = EventKind::focus_gained});
}

EMSCRIPTEN_KEEPALIVE void vorlunde_web_media(WebEventSource* source, int request, double value)
{
    if (request < 0 || request > static_cast<int>(MediaRequest::quit))
        return;
    source->push(Event{.kind = EventKind::media_request,
                       .media_request = static_cast<MediaRequest>(request),
                       .media_value = static_cast<std::int64_t>(value)});
}

} // extern "C"
