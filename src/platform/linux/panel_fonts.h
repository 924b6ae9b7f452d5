// The fonts of the panel window: the face, size and weight the panel asks for, mapped to the
// Liberation faces a Linux machine has, and kept open because the panel changes between its
// large and small font for every status line it draws.
#pragma once

#include <SDL_ttf.h>

#include <map>
#include <string>
#include <utility>

#include "platform/panel_window.h"

namespace platform::linux_backend {

// What Windows shows before the panel selects a font: its bold system font, 16 pixels high.
const FontSpec kSystemFont{"System", 12, 700};

// The font file for a requested font. Every face becomes Liberation Sans, metrically the same
// as Arial, which Windows substitutes for the panel's "Ariel"; weight 600 and above is bold.
std::string fontFile(const FontSpec& font);

class PanelFonts {
public:
    PanelFonts() = default;
    PanelFonts(const PanelFonts&) = delete;
    PanelFonts& operator=(const PanelFonts&) = delete;
    ~PanelFonts() { closeAll(); }

    // The font opened at its point size on a 96 dots-per-inch screen, as Windows sizes it
    // (12 points are 16 pixels); nullptr when the font file cannot be opened.
    TTF_Font* font(const FontSpec& wanted);
    void closeAll();

private:
    std::map<std::pair<std::string, int>, TTF_Font*> open_;
};

}  // namespace platform::linux_backend
