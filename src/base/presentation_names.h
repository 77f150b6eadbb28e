// SPDX-License-Identifier: GPL-3.0-or-later
// The page names the presentation acts on (a skin names its pages; these three mean acts of
// the window's life) and the window regions it registers, which the region builder knows too.
// Compile-time constants only.
#pragma once

#include <string_view>

namespace presentation_names {

inline constexpr std::string_view intro_page = "intro"; // shown first, fades in
inline constexpr std::string_view outro_page = "outro"; // shown last, before quitting
inline constexpr std::string_view empty_page = "empty"; // a switch to it quits
inline constexpr std::string_view panel_region = "panel"; // the shape of the panel pages
inline constexpr std::string_view intro_region = "intro";
inline constexpr std::string_view outro_region = "outro";

} // namespace presentation_names

// Whether `name` is the intro or the outro: pages without status line or track page check.
constexpr bool is_presentation_page(std::string_view name)
{
    return name == presentation_names::intro_page || name == presentation_names::outro_page;
}
