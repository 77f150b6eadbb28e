#include "app/back_buffer.h"

#include <algorithm>

BackBuffer::BackBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0xFF000000u)
{
}

void BackBuffer::blit(const SkinBitmap&, int, int, int, int, int, int)
{
    // Drawn by the images-and-drawing work; see the header for the contract.
}

void BackBuffer::blend(const SkinBitmap&, int, int, int, int, int, int, float, std::uint8_t)
{
}
