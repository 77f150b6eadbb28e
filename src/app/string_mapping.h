// SPDX-License-Identifier: GPL-3.0-or-later
// StringMapping: the skin's table that turns a 16-bit command argument into a name
// (a page for a page switch, a named track for the secondary channel). Filled once by
// the configuration loader, read by the command processor on the UI thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class StringMapping {
public:
    // Creates the table with `count` empty slots, replacing any earlier table.
    void mapping_init(std::uint16_t count);

    // Stores `text` at `index`. Throws SkinError "string mapping index out of range" when
    // `index` is not below the count (also before mapping_init, when the count is 0).
    void mapping_set(std::uint16_t index, std::string text);

    // A copy of the slot's text. Checked in this order: an index above the count throws
    // "string mapping index out of range"; a table never created throws
    // "string mapping is null, propably not initialized"; an index equal to the count
    // throws "string mapping index out of range". Unfilled slots read as empty.
    std::string mapping_get(std::uint16_t index) const;

    // Destroys the table; the count becomes 0.
    void mapping_release();

    std::uint16_t count() const { return count_; }

private:
    std::uint16_t count_ = 0;
    std::optional<std::vector<std::string>> slots_;
};
