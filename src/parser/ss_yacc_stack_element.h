// SSYaccStackElement: one entry of the parser's state stack, the lexeme it
// stands for (terminals) and the state reached after pushing it.
//
// Applications derive their own element type to carry what their reduce
// callback builds, and hand it to the engine through SSYacc::stackElement().
// A parse makes and drops two elements per token, so elements (derived ones
// too, unless they say otherwise) take their memory from the block pool.
#pragma once

#include "parser/ss_block_pool.h"
#include "parser/ss_lex_lexeme.h"
#include "parser/ss_ref_count.h"

#include <cstddef>
#include <cstdint>

namespace quillex {

class SSYaccStackElement : public SSRefCount {
  public:
    SSYaccStackElement() = default;

    SSLexLexeme* lexeme() const { return lexeme_.get(); }
    void setLexeme(SSRefPtr<SSLexLexeme> lexeme) { lexeme_ = std::move(lexeme); }
    std::uint32_t state() const { return state_; }
    void setState(std::uint32_t state) { state_ = state; }

    static void* operator new(std::size_t bytes) { return SSBlockPool::allocate(bytes); }
    static void operator delete(void* block, std::size_t bytes) noexcept {
        SSBlockPool::release(block, bytes);
    }

  private:
    SSRefPtr<SSLexLexeme> lexeme_;
    std::uint32_t state_ = 0;
};

} // namespace quillex
