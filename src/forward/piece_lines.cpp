// The lines of a piece.
#include "forward/piece_lines.h"

#include <algorithm>
#include <cstring>

namespace quillex {

PieceLines::Owned& PieceLines::owned() {
    if (!own_)
        own_ = std::make_unique<Owned>();
    return *own_;
}

std::string_view PieceLines::own(std::string_view text) {
    char* block = owned().blocks.emplace_back(std::make_unique<char[]>(text.size())).get();
    std::memcpy(block, text.data(), text.size());
    return {block, text.size()};
}

PieceLines& PieceLines::operator=(std::vector<std::string> lines) {
    std::size_t size = 0;
    for (const std::string& text : lines)
        size += text.size();
    std::vector<std::string_view> views;
    views.reserve(lines.size());
    char* block = owned().blocks.emplace_back(std::make_unique<char[]>(size + 1)).get();
    for (const std::string& text : lines) {
        std::memcpy(block, text.data(), text.size());
        views.emplace_back(block, text.size());
        block += text.size();
    }
    lines_ = std::move(views);
    return *this;
}

PieceLines::PieceLines(const PieceLines& other) {
    *this = other.strings();
}

PieceLines& PieceLines::operator=(const PieceLines& other) {
    if (this != &other)
        *this = other.strings();
    return *this;
}

void PieceLines::add(std::string text) {
    lines_.push_back(own(text));
}

void PieceLines::insert(std::size_t at, std::vector<std::string> texts) {
    std::vector<std::string_view> views;
    views.reserve(texts.size());
    for (const std::string& text : texts)
        views.push_back(own(text));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(std::min(at, lines_.size())),
                  views.begin(), views.end());
}

void PieceLines::keepFirst(std::size_t count) {
    if (count >= lines_.size())
        return;
    lines_.resize(count);
    lines_.shrink_to_fit();
}

} // namespace quillex
