// Reading and joining the texts of grammar symbols.
#include "forward/symbol_text.h"

namespace quillex {
namespace {

bool isLayout(char c) {
    return c == '\t' || c == '\n' || c == ' ' || c == '\r';
}

} // namespace

void SymbolTexts::setRun(SymbolText& text, std::size_t begin, std::size_t end) const {
    text = SymbolText{};
    text.begin_ = static_cast<std::uint32_t>(begin);
    text.end_ = static_cast<std::uint32_t>(end);
}

void SymbolTexts::setOwn(SymbolText& text, std::string_view own) {
    text = SymbolText{};
    own_.emplace_back(own);
    text.own_ = static_cast<std::uint32_t>(own_.size());
}

void SymbolTexts::makeOwn(SymbolText& text) {
    if (text.own_ != 0)
        return;
    own_.emplace_back(source_, text.begin_, text.end_ - text.begin_);
    text.own_ = static_cast<std::uint32_t>(own_.size());
}

void SymbolTexts::appendRun(SymbolText& text, std::size_t begin, std::size_t end) {
    if (end <= begin)
        return;
    if (empty(text)) {
        setRun(text, begin, end);
    } else if (text.own_ == 0 && text.end_ == begin) {
        text.end_ = static_cast<std::uint32_t>(end);
    } else {
        makeOwn(text);
        own_[text.own_ - 1].append(source_, begin, end - begin);
    }
}

void SymbolTexts::append(SymbolText& text, const SymbolText& other) {
    if (empty(other))
        return;
    if (empty(text)) {
        text = other;
    } else if (other.own_ == 0) {
        appendRun(text, other.begin_, other.end_);
    } else {
        makeOwn(text);
        own_[text.own_ - 1] += own_[other.own_ - 1];
    }
}

// Layout that a token carries at its end ("<!End Declarations>" and the blank
// lines after it; a micro-document's ")" and its line end) is no part of the
// item.
void SymbolTexts::dropTrailingLayout(SymbolText& text) {
    if (text.own_ != 0) {
        std::string& own = own_[text.own_ - 1];
        while (!own.empty() && isLayout(own.back()))
            own.pop_back();
    } else {
        while (text.end_ > text.begin_ && isLayout(source_[text.end_ - 1]))
            --text.end_;
    }
}

} // namespace quillex
