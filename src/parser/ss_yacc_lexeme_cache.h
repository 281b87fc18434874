// SSYaccLexemeCache: lexemes read ahead during lookahead resolution, kept in
// order until the parse consumes them.
#pragma once

#include "parser/ss_lex_lexeme.h"

#include <cstddef>
#include <deque>

namespace quillex {

class SSYaccLexemeCache {
  public:
    void add(SSRefPtr<SSLexLexeme> lexeme) { lexemes_.push_back(std::move(lexeme)); }
    // Takes the oldest lexeme out; none when the cache is empty.
    SSRefPtr<SSLexLexeme> remove() {
        if (lexemes_.empty())
            return {};
        SSRefPtr<SSLexLexeme> oldest = std::move(lexemes_.front());
        lexemes_.pop_front();
        return oldest;
    }
    // The lexeme `index` places after the oldest; none past the end.
    SSLexLexeme* get(std::size_t index) const {
        return index < lexemes_.size() ? lexemes_[index].get() : nullptr;
    }
    void flush() { lexemes_.clear(); }
    std::size_t elements() const { return lexemes_.size(); }

  private:
    std::deque<SSRefPtr<SSLexLexeme>> lexemes_;
};

} // namespace quillex
