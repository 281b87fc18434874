// SSLexStringConsumer: copying the string into the buffer.
#include "parser/ss_lex_string_consumer.h"

#include <new>
#include <vector>

namespace quillex {

SSLexStringConsumer::SSLexStringConsumer(std::string_view text, SSLexConsumerType type)
    : SSLexConsumer(type, 0) {
    if (text.size() > 0xFFFFFFFFu)
        pending_.throwException(SSExceptionId::LexLexemeTooLong, {text.size()});
    try {
        setBuffer(std::vector<std::uint8_t>(text.begin(), text.end()));
        fixData();
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    }
    // An empty string has nothing to deliver, not even the start symbol.
    if (text.empty())
        setEndOfData();
}

} // namespace quillex
