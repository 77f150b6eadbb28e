// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_fonts.h"

#include "platform/win32/win32_bitmap_info.h"
#include "platform/win32/win32_text.h"

#include "image/back_buffer.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace {

// A plain base name: no folder part, no drive, nothing that leaves the folder.
bool is_base_name(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\\:\0", 4)) ==
                                                                 std::string_view::npos;
}

class GdiFont final : public Font {
public:
    explicit GdiFont(HFONT font) : font_(font) {}
    ~GdiFont() override
    {
        if (font_)
            DeleteObject(font_);
    }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    void draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const override;

private:
    HFONT font_;
};

void GdiFont::draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const
{
    const std::wstring wide = wide_from_utf8(text.substr(0, text.find('\0')));
    if (!font_ || wide.empty() || wide.size() > 0x7FFF)
        return;
    const HDC device = CreateCompatibleDC(nullptr);
    if (!device)
        return;
    const HGDIOBJ previous_font = SelectObject(device, font_);
    const int length = static_cast<int>(wide.size());
    SIZE extent{0, 0};
    GetTextExtentPoint32W(device, wide.c_str(), length, &extent);
    // Overhanging glyphs (italics) may reach a little past the advance.
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = static_cast<int>(std::min<long>(target.width(), static_cast<long>(x) + extent.cx + extent.cy / 2));
    const int bottom = static_cast<int>(std::min<long>(target.height(), static_cast<long>(y) + extent.cy));
    if (right > left && bottom > top) {
        const int width = right - left;
        const int height = bottom - top;
        const BITMAPINFO info = top_down_bitmap_info(width, height);
        void* bits = nullptr;
        if (const HBITMAP bitmap = CreateDIBSection(device, &info, DIB_RGB_COLORS, &bits, nullptr, 0)) {
            auto* copy = static_cast<std::uint32_t*>(bits);
            // At scale 2 the copy takes the top-left pixel of each two by two block, and what
            // the text changes goes back doubled.
            const int scale = target.scale();
            const auto pitch = static_cast<std::size_t>(target.pixel_width());
            const auto pixels = target.pixels();
            const auto row_start = [&](int row) {
                return (static_cast<std::size_t>(top + row) * pitch + static_cast<std::size_t>(left)) *
                       static_cast<std::size_t>(scale);
            };
            for (int row = 0; row < height; ++row) {
                std::uint32_t* into = copy + static_cast<std::ptrdiff_t>(row) * width;
                if (scale == 1) {
                    std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(row_start(row)), width, into);
                    continue;
                }
                for (int i = 0; i < width; ++i)
                    into[i] = pixels[row_start(row) + static_cast<std::size_t>(i) * 2];
            }
            const HGDIOBJ previous_bitmap = SelectObject(device, bitmap);
            SetBkMode(device, TRANSPARENT);
            SetTextColor(device, RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
            TextOutW(device, x - left, y - top, wide.c_str(), length);
            GdiFlush();
            // GDI clears the alpha byte of what it draws: keep the buffer's own.
            for (int row = 0; row < height; ++row) {
                const std::uint32_t* drawn = copy + static_cast<std::ptrdiff_t>(row) * width;
                if (scale == 1) {
                    const auto out = pixels.subspan(row_start(row), static_cast<std::size_t>(width));
                    for (std::size_t i = 0; i < out.size(); ++i)
                        out[i] = (drawn[i] & 0x00FFFFFFu) | (out[i] & 0xFF000000u);
                    continue;
                }
                std::uint32_t* block = pixels.data() + row_start(row);
                for (int i = 0; i < width; ++i, block += 2) {
                    const std::uint32_t kept = (drawn[i] & 0x00FFFFFFu) | (block[0] & 0xFF000000u);
                    if (kept != block[0])
                        block[0] = block[1] = block[pitch] = block[pitch + 1] = kept;
                }
            }
            SelectObject(device, previous_bitmap);
            DeleteObject(bitmap);
        }
    }
    SelectObject(device, previous_font);
    DeleteDC(device);
}

} // namespace

Win32FontSystem::~Win32FontSystem()
{
    remove_installed_fonts();
}

bool Win32FontSystem::ensure_folder()
{
    if (!folder_.empty())
        return true;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return false;
    const std::wstring process = std::to_wstring(GetCurrentProcessId());
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path folder = std::filesystem::path(temp) /
                                       (L"vorlunde-fonts-" + process + L"-" + std::to_wstring(attempt));
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            folder_ = std::move(folder);
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

void Win32FontSystem::install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes)
{
    if (!is_base_name(file_name) || !ensure_folder())
        return;
    const std::wstring wide_name = desktop_wide(file_name);
    if (wide_name.empty())
        return;
    const std::filesystem::path path = folder_ / wide_name;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out)
            return;
        // Two chunks naming the same file: the second overwrites it, one entry removes it.
        if (std::find(files_.begin(), files_.end(), path) == files_.end())
            files_.push_back(path);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return;
    }
    if (std::find(registered_.begin(), registered_.end(), path) == registered_.end() &&
        AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) > 0)
        registered_.push_back(path);
}

std::unique_ptr<Font> Win32FontSystem::create_font(std::string_view face, std::int32_t height, std::int32_t weight)
{
    std::wstring wide_face = desktop_wide(face);
    if (wide_face.size() >= LF_FACESIZE)
        wide_face.resize(LF_FACESIZE - 1);
    const int clamped_weight = std::clamp(weight, 0, 1000);
    const HFONT font = CreateFontW(height, 0, 0, 0, clamped_weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                   wide_face.empty() ? nullptr : wide_face.c_str());
    return std::make_unique<GdiFont>(font);
}

void Win32FontSystem::remove_installed_fonts()
{
    for (const std::filesystem::path& path : registered_)
        RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
    registered_.clear();
    for (const std::filesystem::path& path : files_)
        DeleteFileW(path.c_str());
    files_.clear();
    if (!folder_.empty())
        RemoveDirectoryW(folder_.c_str());
    folder_.clear();
}
