// SPDX-License-Identifier: GPL-3.0-or-later
// ConfigDump: a ConfigVisitor that prints every chunk of a configuration as it is read, one
// line per chunk header and one per field, indented by level:
//   page 0x4000 length 39 at 20
//     name "p"
//     button 0x4010 length 26 at 33
//       area [10, 20, 50, 40]
//       command 0x1001 (play_current)
// Ids in hex (command ids and key codes with the names a manifest may use), strings quoted (printable ASCII as is, '"' and '\' escaped, other bytes \xNN),
// entries one per line ("entry 0: title "a", file "b""), unknown chunks as
// "unknown 0xID length N at OFFSET". It prints in chunk_read, so a chunk that then fails its
// check is shown before the error. A file shorter than its root chunk gets the player's warning
// line ("config file shorter than its header says: N of M bytes") after the root's fields.
#pragma once

#include "config/config_visitor.h"

#include <ostream>
#include <string>
#include <string_view>

class ConfigDump : public ConfigVisitor {
public:
    explicit ConfigDump(std::ostream& out) : out_(out) {}

    void chunk_read(const ChunkRecord& chunk) override;
    void chunk_accepted(const ChunkRecord&) override {}
    // Prints the loader's warning line where the cut was found (after the root chunk).
    void file_cut_short(std::uint64_t size, std::uint32_t length) override;

private:
    std::ostream& out_;
};

// `text` in double quotes with the dump's escapes.
std::string quote_bytes(std::string_view text);
