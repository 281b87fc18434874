// Names of the Interleaf tokens.
#include "parser/interleaf/interleaf_tokens.h"

#include <iterator>

namespace quillex::ileaf {

const char* tokenName(std::int32_t token) {
    if (token == EOF_TOKEN)
        return "eof";
    if (token == ERROR_TOKEN)
        return "%error";
    if (token > 0 && token < static_cast<std::int32_t>(std::size(kTokenNames)) &&
        kTokenNames[token] != nullptr)
        return kTokenNames[token];
    return "SSLexTokenNotFound";
}

} // namespace quillex::ileaf
