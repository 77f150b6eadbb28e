// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_kind.h"

#include <gtest/gtest.h>

namespace {

TEST(FileKind, ClassifiesByTheLettersAfterTheFirstFullStop)
{
    const struct {
        const char* name;
        FileKind kind;
    } cases[] = {
        {"Data\\back.jpg", FileKind::jpeg}, {"a.JPG", FileKind::jpeg},   {"a.Jpg", FileKind::other},
        {"a.jpeg", FileKind::other},        {"a.bmp", FileKind::bmp},    {"a.BMP", FileKind::bmp},
        {"song.mp3", FileKind::stream},     {"song.OGG", FileKind::stream}, {"song.Ogg", FileKind::other},
        {"tune.xm", FileKind::module},      {"tune.IT", FileKind::module},  {"tune.xml", FileKind::module},
        {"tune.iT", FileKind::other},       {"noextension", FileKind::other}, {"", FileKind::other},
        {"a.b.mp3", FileKind::other},       {"dir.v2\\song.mp3", FileKind::other}, {"trailing.", FileKind::other},
        {"a.jpgx", FileKind::jpeg},         {".ogg", FileKind::stream},
    };
    for (const auto& c : cases)
        EXPECT_EQ(file_kind_of(c.name), c.kind) << c.name;
}

} // namespace
