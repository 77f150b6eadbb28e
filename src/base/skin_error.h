// SPDX-License-Identifier: GPL-3.0-or-later
// SkinError: the player's one error type. Its text is a lower-case message without a final
// full stop ("can't open data file"), a byte string as the skin gives it. Thrown anywhere
// while loading or running; caught only at the entry point and by the skin tool, which
// show the text and shut down in order.
#pragma once

#include <stdexcept>
#include <string>

class SkinError : public std::runtime_error {
public:
    explicit SkinError(const std::string& text) : std::runtime_error(text) {}
};
