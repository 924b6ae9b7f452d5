// The panel window's off-screen copy of its client area and the way drawn text reaches the
// screen: a text drawn again where it already stands with the same font costs nothing, and
// the parts of the window that did change go to the display together, once per pass of the
// message loop, instead of the whole window after every text.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <vector>

namespace platform::linux_backend {

class PanelCanvas {
public:
    PanelCanvas() = default;
    PanelCanvas(const PanelCanvas&) = delete;
    PanelCanvas& operator=(const PanelCanvas&) = delete;
    ~PanelCanvas() { release(); }

    // An empty canvas in the window colour, width x height pixels, for `window`.
    bool create(SDL_Window* window, int width, int height);
    void release();
    bool ready() const { return pixels_ != nullptr; }

    // Draws `text` with its top-left corner at (x, y) in black on the window colour and
    // answers how far the text position moves right; 0 when the text cannot be drawn.
    int drawText(TTF_Font* font, const std::string& text, int x, int y);

    // The window lost its picture (uncovered, resized): all of it is copied again.
    void repaintAll();
    // Whether drawn parts wait to be shown.
    bool changed() const { return !changed_.empty(); }
    // Shows the parts drawn since the last call.
    void show();

private:
    // A text as it stands on the canvas; it stays valid until something is drawn over it.
    struct PlacedText {
        int x;
        int y;
        const TTF_Font* font;
        std::string text;
        int advance;
        SDL_Rect area;  // the pixels it covers, clipped to the canvas
    };

    void copyToWindow(const SDL_Rect& area);

    SDL_Window* window_ = nullptr;
    SDL_Surface* pixels_ = nullptr;
    std::vector<PlacedText> placed_;
    std::vector<SDL_Rect> changed_;
};

}  // namespace platform::linux_backend
