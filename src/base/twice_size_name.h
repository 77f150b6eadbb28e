// SPDX-License-Identifier: GPL-3.0-or-later
// The archive name of a picture's or mask's art at twice the size: "@2x" before the
// extension of the last path part ("Data\day.bmp" → "Data\day@2x.bmp"), or at the end when
// that part has no extension. Older players never look such names up. Stateless.
#pragma once

#include <string>
#include <string_view>

std::string twice_size_name(std::string_view name);
