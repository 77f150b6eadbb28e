// SPDX-License-Identifier: GPL-3.0-or-later
// The skin author's view of the player's commands: every id CommandId names, with what its
// argument means and what the player does with it, looked up by name for manifests and
// printed by `tarnel-skin commands` (docs/skin-reference.md holds that table verbatim).
// Constant data; safe from any thread.
#pragma once

#include "base/command.h"
#include "config/config_layout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CommandInfo {
    CommandId id;
    std::string_view argument; // "" when the argument is not used
    std::string_view effect;
};

// One entry for every id that command_name knows, in id order.
std::span<const CommandInfo> command_table();

// The id of a command name (as command_name writes it), or nothing.
std::optional<std::uint16_t> command_by_name(std::string_view name);

// Every command name, in id order (for "did you mean").
std::vector<std::string> command_names();

// Whether a configuration field holds a command id: those the layout shows as commands, and
// the wheel area's up_command and down_command.
constexpr bool is_command_field(const FieldLayout& field)
{
    return field.shown == Shown::command || (field.type == FieldType::u16 && field.name.ends_with("_command"));
}

// The table as Markdown: | name | id | argument | effect |, one row per command.
std::string commands_markdown();
