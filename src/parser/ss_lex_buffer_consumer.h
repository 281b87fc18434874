// SSLexBufferConsumer: a consumer that reads bytes its owner keeps in memory,
// in place, without copying them.
//
// The owner keeps the bytes alive and unchanged for the consumer's lifetime
// and for that of the lexemes read from it, which view them.
// It serves a caller that already holds the input (the forward conversion
// reads each source file once and parses that same text).
#pragma once

#include "parser/ss_lex_consumer.h"

#include <span>

namespace quillex {

class SSLexBufferConsumer : public SSLexConsumer {
  public:
    // SSLex0103e for more bytes than 32-bit indexes reach.
    explicit SSLexBufferConsumer(std::span<const std::uint8_t> bytes,
                                 SSLexConsumerType type = SSLexConsumerType::DoubleByte);
};

} // namespace quillex
