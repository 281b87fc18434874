// SSLexStringConsumer: a consumer over a copy of a string in memory.
#pragma once

#include "parser/ss_lex_consumer.h"

#include <string_view>

namespace quillex {

class SSLexStringConsumer : public SSLexConsumer {
  public:
    explicit SSLexStringConsumer(std::string_view text,
                                 SSLexConsumerType type = SSLexConsumerType::SingleByte);
};

} // namespace quillex
