// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_names.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<KeyName> make_key_names()
{
    std::vector<KeyName> keys = {
        {"Backspace", 0x08}, {"Tab", 0x09}, {"Return", 0x0D}, {"Shift", 0x10}, {"Control", 0x11}, {"Alt", 0x12},
        {"Pause", 0x13}, {"CapsLock", 0x14}, {"Escape", 0x1B}, {"Space", 0x20}, {"PageUp", 0x21}, {"PageDown", 0x22},
        {"End", 0x23}, {"Home", 0x24}, {"Left", 0x25}, {"Up", 0x26}, {"Right", 0x27}, {"Down", 0x28},
        {"PrintScreen", 0x2C}, {"Insert", 0x2D}, {"Delete", 0x2E}, {"LeftWindows", 0x5B}, {"RightWindows", 0x5C},
        {"NumpadMultiply", 0x6A}, {"NumpadPlus", 0x6B}, {"NumpadMinus", 0x6D}, {"NumpadPeriod", 0x6E},
        {"NumpadDivide", 0x6F}, {"NumLock", 0x90}, {"ScrollLock", 0x91}, {"VolumeMute", 0xAD},
        {"VolumeDown", 0xAE}, {"VolumeUp", 0xAF}, {"MediaNext", 0xB0}, {"MediaPrevious", 0xB1},
        {"MediaStop", 0xB2}, {"MediaPlayPause", 0xB3}, {"Semicolon", 0xBA}, {"Equals", 0xBB}, {"Comma", 0xBC},
        {"Minus", 0xBD}, {"Period", 0xBE}, {"Slash", 0xBF}, {"Backquote", 0xC0}, {"LeftBracket", 0xDB},
        {"Backslash", 0xDC}, {"RightBracket", 0xDD}, {"Quote", 0xDE},
    };
    for (int i = 0; i < 10; ++i) {
        keys.push_back({std::string(1, static_cast<char>('0' + i)), static_cast<std::uint8_t>(0x30 + i)});
        keys.push_back({"Numpad" + std::to_string(i), static_cast<std::uint8_t>(0x60 + i)});
    }
    for (int i = 0; i < 26; ++i)
        keys.push_back({std::string(1, static_cast<char>('A' + i)), static_cast<std::uint8_t>(0x41 + i)});
    for (int i = 0; i < 24; ++i)
        keys.push_back({"F" + std::to_string(i + 1), static_cast<std::uint8_t>(0x70 + i)});
    std::stable_sort(keys.begin(), keys.end(), [](const KeyName& a, const KeyName& b) { return a.code < b.code; });
    return keys;
}

} // namespace

const std::vector<KeyName>& key_names()
{
    static const std::vector<KeyName> keys = make_key_names();
    return keys;
}

std::optional<std::uint8_t> key_by_name(std::string_view name)
{
    for (const KeyName& key : key_names())
        if (key.name == name)
            return key.code;
    return std::nullopt;
}

std::optional<std::string_view> key_name_of(std::uint32_t code)
{
    for (const KeyName& key : key_names())
        if (key.code == code)
            return key.name;
    return std::nullopt;
}

std::string keys_markdown()
{
    std::string out = "| name | code |\n|---|---|\n";
    for (const KeyName& key : key_names()) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", key.code);
        out.append("| `").append(key.name).append("` | ").append(code).append(" |\n");
    }
    return out;
}
