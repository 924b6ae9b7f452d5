// Opening and keeping the panel window's fonts (see panel_fonts.h).
#include "platform/linux/panel_fonts.h"

namespace platform::linux_backend {

namespace {

constexpr const char* kRegularFile = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
constexpr const char* kBoldFile = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
constexpr int kBoldWeight = 600;
constexpr unsigned kScreenDpi = 96;

}  // namespace

std::string fontFile(const FontSpec& font) { return font.weight >= kBoldWeight ? kBoldFile : kRegularFile; }

TTF_Font* PanelFonts::font(const FontSpec& wanted) {
    // A size of 0 asks for the default size, as it does of Windows.
    const int points = wanted.size > 0 ? wanted.size : kSystemFont.size;
    const auto key = std::make_pair(fontFile(wanted), points);
    const auto found = open_.find(key);
    if (found != open_.end()) return found->second;
    TTF_Font* opened = TTF_OpenFontDPI(key.first.c_str(), points, kScreenDpi, kScreenDpi);
    if (opened != nullptr) open_.emplace(key, opened);
    return opened;
}

void PanelFonts::closeAll() {
    for (const auto& [key, font] : open_) TTF_CloseFont(font);
    open_.clear();
}

}  // namespace platform::linux_backend
