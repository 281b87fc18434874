// SSYaccStackElement: one entry of the parser's state stack, the terminal it
// stands for (terminals) and the state reached after pushing it.
//
// Elements are values: the parser keeps them in one contiguous stack
// (SSYaccStack), so that a parse, which pushes and drops two elements per
// token, allocates nothing for them and counts no references. Applications
// derive their own element type to carry what their reduce callback builds
// and give it to the engine with SSYacc::useElements. A terminal is held as
// the parse loop read it: a plain token record (the loop without recovery)
// or a shared lexeme (the general loop, error recovery); terminal() reads
// either.
#pragma once

#include "parser/ss_lex_lexeme.h"
#include "parser/ss_lex_token.h"
#include "parser/ss_ref_count.h"

#include <cstdint>
#include <utility>

namespace quillex {

class SSYaccStackElement {
  public:
    SSLexLexeme* lexeme() const { return lexeme_.get(); }
    void setLexeme(SSRefPtr<SSLexLexeme> lexeme) { lexeme_ = std::move(lexeme); }
    // The token record of a terminal the loop without recovery shifted.
    const SSLexToken* token() const { return hasToken_ ? &token_ : nullptr; }
    void setToken(const SSLexToken& token) {
        token_ = token;
        hasToken_ = true;
    }
    // Whether the element is a terminal, and then its fields in `out`.
    bool terminal(SSLexToken& out) const {
        if (hasToken_)
            out = token_;
        else if (lexeme_)
            out = SSLexToken::of(*lexeme_);
        else
            return false;
        return true;
    }
    // Drops the terminal (an element that now stands for a nonterminal).
    void clearTerminal() {
        lexeme_.reset();
        hasToken_ = false;
    }
    std::uint32_t state() const { return state_; }
    void setState(std::uint32_t state) { state_ = state; }

  private:
    SSRefPtr<SSLexLexeme> lexeme_;
    SSLexToken token_;
    bool hasToken_ = false;
    std::uint32_t state_ = 0;
};

} // namespace quillex
