// SSLexFinalState: the 28-byte record that says what a DFA state accepts.
#pragma once

#include <cstdint>

namespace quillex {

class SSLexFinalState {
  public:
    // Flag bits of the record.
    static constexpr std::uint32_t flagContextStart = 0x01;
    static constexpr std::uint32_t flagStartOfLine = 0x02;
    static constexpr std::uint32_t flagPop = 0x08;
    static constexpr std::uint32_t flagFinal = 0x10;
    static constexpr std::uint32_t flagPush = 0x20;
    static constexpr std::uint32_t flagIgnore = 0x40;
    static constexpr std::uint32_t flagContextEnd = 0x80;
    static constexpr std::uint32_t flagReduce = 0x100;

    constexpr SSLexFinalState() = default;
    constexpr SSLexFinalState(std::uint32_t token, std::uint32_t expressionList,
                              std::uint32_t flags)
        : token_(token), expressionList_(expressionList), flags_(flags) {}

    // The token; the word 0xFFFFFFFF reads as -1, 0 means "accepts nothing".
    std::int32_t token() const { return static_cast<std::int32_t>(token_); }
    std::uint32_t tokenWord() const { return token_; }
    std::uint32_t expressionList() const { return expressionList_; }
    std::uint32_t flags() const { return flags_; }

    bool isFinal() const { return (flags_ & flagFinal) != 0; }
    bool isIgnore() const { return (flags_ & flagIgnore) != 0; }
    bool isPush() const { return (flags_ & flagPush) != 0; }
    bool isPop() const { return (flags_ & flagPop) != 0; }
    bool isStartOfLine() const { return (flags_ & flagStartOfLine) != 0; }
    bool isContextEnd() const { return (flags_ & flagContextEnd) != 0; }
    bool isContextStart() const { return (flags_ & flagContextStart) != 0; }
    bool isReduce() const { return (flags_ & flagReduce) != 0; }

    void reset() { token_ = expressionList_ = flags_ = 0; }

  private:
    std::uint32_t token_ = 0;
    std::uint32_t expressionList_ = 0;
    std::uint32_t flags_ = 0;
};

} // namespace quillex
