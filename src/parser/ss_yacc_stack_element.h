// SSYaccStackElement: one entry of the parser's state stack, the lexeme it
// stands for (terminals) and the state reached after pushing it.
//
// Elements are values: the parser keeps them in one contiguous stack
// (SSYaccStack), so that a parse, which pushes and drops two elements per
// token, allocates nothing for them and counts no references. Applications
// derive their own element type to carry what their reduce callback builds
// and give it to the engine with SSYacc::useElements. The lexeme is shared
// by reference: most views the input, so holding it costs no copy.
#pragma once

#include "parser/ss_lex_lexeme.h"
#include "parser/ss_ref_count.h"

#include <cstdint>
#include <utility>

namespace quillex {

class SSYaccStackElement {
  public:
    SSLexLexeme* lexeme() const { return lexeme_.get(); }
    void setLexeme(SSRefPtr<SSLexLexeme> lexeme) { lexeme_ = std::move(lexeme); }
    std::uint32_t state() const { return state_; }
    void setState(std::uint32_t state) { state_ = state; }

  private:
    SSRefPtr<SSLexLexeme> lexeme_;
    std::uint32_t state_ = 0;
};

} // namespace quillex
