// SSLexBufferConsumer: reading the owner's bytes in place.
#include "parser/ss_lex_buffer_consumer.h"

namespace quillex {

SSLexBufferConsumer::SSLexBufferConsumer(std::span<const std::uint8_t> bytes,
                                         SSLexConsumerType type)
    : SSLexConsumer(type, 0) {
    if (bytes.size() > 0xFFFFFFFFu)
        pending_.throwException(SSExceptionId::LexLexemeTooLong, {bytes.size()});
    borrowBuffer(bytes);
    fixData();
}

} // namespace quillex
