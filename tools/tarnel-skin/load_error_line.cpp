// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_error_line.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

// The name a load error is about, or nothing.
std::optional<std::string_view> named_in(std::string_view error)
{
    constexpr std::string_view file_prefix = "can't find file ", file_suffix = " in datafile";
    if (error.starts_with(file_prefix) && error.ends_with(file_suffix) && error.size() >= file_prefix.size() + file_suffix.size())
        return error.substr(file_prefix.size(), error.size() - file_prefix.size() - file_suffix.size());
    for (const std::string_view prefix :
         {"config file corrupted, can't find font named ", "config file corrupted, can't find page named ",
          "config file corrupted, can't find plugin named ", "can't load plugin "})
        if (error.starts_with(prefix))
            return error.substr(prefix.size());
    return std::nullopt;
}

} // namespace

std::optional<int> load_error_line(std::string_view manifest_text, std::string_view error)
{
    const std::optional<std::string_view> name = named_in(error);
    if (!name)
        return std::nullopt;
    std::string quoted = "\"";
    for (const char c : *name) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    int line = 1;
    for (std::size_t start = 0; start <= manifest_text.size(); ++line) {
        const std::size_t end = std::min(manifest_text.find('\n', start), manifest_text.size());
        const std::string_view text = manifest_text.substr(start, end - start);
        const std::size_t found = text.find(quoted);
        if (found != std::string_view::npos && text.substr(0, found).find('#') == std::string_view::npos)
            return line;
        start = end + 1;
    }
    return std::nullopt;
}

std::string refusal_with_line(const std::filesystem::path& manifest, std::string_view error)
{
    std::ifstream in(manifest);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::optional<int> line = load_error_line(text, error);
    return manifest.string() + (line ? ":" + std::to_string(*line) : std::string()) + ": the player refuses the skin: " +
           std::string(error);
}
