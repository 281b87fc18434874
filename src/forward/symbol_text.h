// SymbolText: the text of a grammar symbol while the parse actions join
// symbols, and SymbolTexts, which reads and joins such texts.
//
// Mostly a symbol's text is one run of the parsed source and is kept as the
// run's byte offsets, so that no text is copied while the parse joins
// symbols. Where it is not (a skipped run left out, a text of the engine's
// own) it is a text of its own, kept in SymbolTexts for the rest of the
// parse. A SymbolText is then a few plain numbers, which the parser's stack
// copies and drops for free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class SymbolText {
  public:
    bool isOwn() const { return own_ != 0; }

  private:
    friend class SymbolTexts;
    std::uint32_t begin_ = 0; // the run source[begin_, end_)
    std::uint32_t end_ = 0;
    std::uint32_t own_ = 0; // 1 + the index of a text of its own, or 0
};

class SymbolTexts {
  public:
    // `source` is the parsed text; it outlives this object.
    explicit SymbolTexts(const std::string& source) : source_(source) {}

    std::string_view view(const SymbolText& text) const {
        return text.own_ != 0
                   ? std::string_view(own_[text.own_ - 1])
                   : std::string_view(source_).substr(text.begin_, text.end_ - text.begin_);
    }
    bool empty(const SymbolText& text) const {
        return text.own_ != 0 ? own_[text.own_ - 1].empty() : text.begin_ == text.end_;
    }

    // The text is source[begin, end).
    void setRun(SymbolText& text, std::size_t begin, std::size_t end) const;
    void setOwn(SymbolText& text, std::string_view own);
    // Appends source[begin, end).
    void appendRun(SymbolText& text, std::size_t begin, std::size_t end);
    // Extends a text that is a run of the source ending at `begin` up to
    // `end`; false (nothing done) for any other text.
    static bool extendRun(SymbolText& text, std::size_t begin, std::size_t end) {
        if (text.own_ != 0 || text.begin_ == text.end_ || text.end_ != begin)
            return false;
        text.end_ = static_cast<std::uint32_t>(end);
        return true;
    }
    // Appends `other`'s text, which `text` may take over (`other` is dropped
    // after this).
    void append(SymbolText& text, const SymbolText& other);
    // Drops blanks, tabs and line ends from the end.
    void dropTrailingLayout(SymbolText& text);

  private:
    void makeOwn(SymbolText& text);

    const std::string& source_;
    std::vector<std::string> own_;
};

} // namespace quillex
