// SPDX-License-Identifier: GPL-3.0-or-later
// Key names for manifests: the Windows virtual-key codes that key bindings store, under the
// names skin authors write ("Space", "Left", "F5", "A", "7", "Numpad3", ...). They are the
// keys the player's desktop back ends deliver; `tarnel-skin keys` prints the table
// (docs/skin-reference.md holds it verbatim). Constant data; safe from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct KeyName {
    std::string name;
    std::uint8_t code;
};

// Every named key, in code order (letters, digits, F1 to F24 and the keypad's digits
// included).
const std::vector<KeyName>& key_names();

// The code of a key name, compared exactly; nothing for an unknown name.
std::optional<std::uint8_t> key_by_name(std::string_view name);

// The name of a code, or nothing.
std::optional<std::string_view> key_name_of(std::uint32_t code);

// The table as Markdown: | name | code |, one row per key.
std::string keys_markdown();
