// How the fuzz targets read the generated input: leading bytes that choose settings, then
// the rest whole, as lines (each arriving on its own, the "\n" not delivered) or in pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vocapan::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}

    // The next byte, 0 once the input is used up.
    int byte() { return at_ < text_.size() ? static_cast<unsigned char>(text_[at_++]) : 0; }

    // The next `count` bytes, fewer where the input ends.
    std::string take(std::size_t count) {
        const std::string taken = text_.substr(at_, count);
        at_ += taken.size();
        return taken;
    }

    bool empty() const { return at_ >= text_.size(); }

    std::string rest() const { return text_.substr(at_); }

    std::vector<std::string> lines() const {
        std::vector<std::string> lines;
        std::size_t start = at_;
        for (std::size_t end; (end = text_.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text_.substr(start, end - start));
        }
        if (start < text_.size()) lines.push_back(text_.substr(start));
        return lines;
    }

private:
    std::string text_;
    std::size_t at_ = 0;
};

}  // namespace vocapan::fuzz
