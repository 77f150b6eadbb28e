// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleMock doubles of the shell's collaborators: a page, a page registry holding named
// mock pages, and the window commands.
#pragma once

#include "app/page_registry_view.h"
#include "app/shell_window.h"

#include <gmock/gmock.h>

#include <map>
#include <memory>
#include <string>

class MockPage : public PageHandlers {
public:
    MOCK_METHOD(void, on_focus, (), (override));
    MOCK_METHOD(void, on_key_down, (std::uint16_t), (override));
    MOCK_METHOD(void, on_key_up, (std::uint16_t), (override));
    MOCK_METHOD(void, on_timer, (std::uint64_t), (override));
    MOCK_METHOD(void, on_mouse_move, (std::int32_t, std::int32_t, std::uint16_t), (override));
    MOCK_METHOD(bool, on_left_down, (std::int32_t, std::int32_t), (override));
    MOCK_METHOD(void, on_left_up, (std::int32_t, std::int32_t), (override));
    MOCK_METHOD(void, on_double_click, (std::int32_t, std::int32_t), (override));
    MOCK_METHOD(void, on_right_down, (), (override));
    MOCK_METHOD(void, on_wheel, (std::int32_t, std::int32_t, std::int16_t), (override));
    MOCK_METHOD(void, on_enter, (), (override));
    MOCK_METHOD(void, on_leave, (), (override));
    MOCK_METHOD(void, on_command, (std::uint16_t, std::uint16_t), (override));
    MOCK_METHOD(void, restart_timers, (), (override));
};

// Pages by name; page() adds a strict mock page on first use.
class FakePages final : public PageRegistryView {
public:
    testing::StrictMock<MockPage>& page(const std::string& name)
    {
        auto& slot = pages_[name];
        if (!slot)
            slot = std::make_unique<testing::StrictMock<MockPage>>();
        return *slot;
    }
    std::size_t page_count() const override { return pages_.size(); }
    PageHandlers* find_page(std::string_view name) const override
    {
        const auto found = pages_.find(std::string(name));
        return found == pages_.end() ? nullptr : found->second.get();
    }

private:
    std::map<std::string, std::unique_ptr<testing::StrictMock<MockPage>>> pages_;
};

class MockShellWindow : public ShellWindow {
public:
    MOCK_METHOD(void, show_window, (), (override));
    MOCK_METHOD(void, hide_window, (), (override));
    MOCK_METHOD(void, minimise_window, (), (override));
    MOCK_METHOD(void, quit, (), (override));
};
