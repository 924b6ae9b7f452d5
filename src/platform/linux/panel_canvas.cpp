// The off-screen copy of the panel window (see panel_canvas.h). It holds one byte a pixel:
// the 256 shades from the window colour to the text colour that smoothed text is drawn in,
// a quarter of the memory of full colour for the same picture.
#include "platform/linux/panel_canvas.h"

#include <algorithm>

namespace platform::linux_backend {

namespace {

constexpr SDL_Color kTextColour{0, 0, 0, 255};
constexpr SDL_Color kWindowColour{255, 255, 255, 255};  // Windows' default window colour
constexpr int kShades = 256;
// Beyond this many separate changed parts, one rectangle around them all is shown instead.
constexpr std::size_t kMostChangedParts = 8;

// Shade i of the ramp from the window colour (0) to the text colour (255), as the text
// renderer computes its own palette, so text copies onto the canvas byte for byte.
Uint8 shade(Uint8 from, Uint8 to, int i) { return Uint8(from + (i * (int(to) - int(from))) / (kShades - 1)); }

}  // namespace

bool PanelCanvas::create(SDL_Window* window, int width, int height) {
    release();
    pixels_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
    if (pixels_ == nullptr) return false;
    SDL_Color ramp[kShades];
    for (int i = 0; i < kShades; ++i) {
        ramp[i] = {shade(kWindowColour.r, kTextColour.r, i), shade(kWindowColour.g, kTextColour.g, i),
                   shade(kWindowColour.b, kTextColour.b, i), 255};
    }
    SDL_SetPaletteColors(pixels_->format->palette, ramp, 0, kShades);
    SDL_FillRect(pixels_, nullptr, 0);
    window_ = window;
    repaintAll();
    return true;
}

void PanelCanvas::release() {
    SDL_FreeSurface(pixels_);
    pixels_ = nullptr;
    window_ = nullptr;
    placed_.clear();
    changed_.clear();
}

int PanelCanvas::drawText(TTF_Font* font, const std::string& text, int x, int y) {
    for (const PlacedText& placed : placed_) {
        if (placed.x == x && placed.y == y && placed.font == font && placed.text == text) return placed.advance;
    }
    // The panel's texts are Windows "ANSI" text, which SDL_ttf takes as Latin-1.
    SDL_Surface* rendered = TTF_RenderText_Shaded(font, text.c_str(), kTextColour, kWindowColour);
    if (rendered == nullptr) return 0;
    SDL_Rect area{x, y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered, nullptr, pixels_, &area);  // leaves in `area` the part drawn
    SDL_FreeSurface(rendered);
    int advance = 0;
    if (TTF_SizeText(font, text.c_str(), &advance, nullptr) != 0) advance = 0;

    std::erase_if(placed_, [&area](const PlacedText& placed) { return SDL_HasIntersection(&placed.area, &area); });
    placed_.push_back({x, y, font, text, advance, area});
    copyToWindow(area);
    return advance;
}

void PanelCanvas::repaintAll() {
    if (pixels_ == nullptr) return;
    changed_.clear();
    copyToWindow({0, 0, pixels_->w, pixels_->h});
}

void PanelCanvas::show() {
    if (changed_.empty() || window_ == nullptr) return;
    SDL_UpdateWindowSurfaceRects(window_, changed_.data(), int(changed_.size()));
    changed_.clear();
}

// The window's own pixels follow the canvas at once; the display sees them at `show`.
void PanelCanvas::copyToWindow(const SDL_Rect& area) {
    SDL_Surface* client = window_ != nullptr ? SDL_GetWindowSurface(window_) : nullptr;
    if (client == nullptr || area.w <= 0 || area.h <= 0) return;
    SDL_Rect source = area;
    SDL_Rect target = area;
    SDL_BlitSurface(pixels_, &source, client, &target);
    if (target.w <= 0 || target.h <= 0) return;
    changed_.push_back(target);
    if (changed_.size() > kMostChangedParts) {
        SDL_Rect around = changed_.front();
        for (const SDL_Rect& part : changed_) SDL_UnionRect(&around, &part, &around);
        changed_.assign(1, around);
    }
}

}  // namespace platform::linux_backend
