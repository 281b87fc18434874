// InterleafLexer: table loading, token names and unexpected characters.
#include "parser/interleaf/interleaf_lexer.h"

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "parser/interleaf/interleaf_table_images.h"
#include "parser/interleaf/interleaf_tokens.h"

namespace quillex {

InterleafLexer::InterleafLexer(const std::string& fileName, ConversionHost* host, int debug)
    : SSLex(fileName), table_(interleafLexTable()), host_(host), debug_(debug) {
    setTable(*table_);
    pushExpressionList(table_->expressionList(0));
}

InterleafLexer::InterleafLexer(SSLexConsumer& consumer, ConversionHost* host, int debug)
    : table_(interleafLexTable()), host_(host), debug_(debug) {
    setConsumer(consumer);
    setTable(*table_);
    pushExpressionList(table_->expressionList(0));
}

const char* InterleafLexer::tokenToConstChar(std::int32_t token) const {
    return ileaf::tokenName(token);
}

void InterleafLexer::report(const std::string& line) const {
    if (host_ != nullptr)
        host_->appendResult(line);
}

// The text read in the failed attempt, up to and including the rejected
// character, is cut out as a lexeme; scanning resumes after it.
SSRefPtr<SSLexLexeme> InterleafLexer::error(SSLexConsumer& consumer) {
    const SSRefPtr<SSLexLexeme> rejected = consumer.lexemeToCurrent();
    if (debug_ == 0) {
        if (rejected->text().starts_with('\x1b')) {
            strayEscapeLine_ = rejected->line();
            strayEscapeColumn_ = rejected->offset();
        }
        throw ConversionFailure(result::ParserError);
    }
    report("Unexpected character: " + std::string(rejected->text()) + " (line " +
           std::to_string(rejected->line()) + ", offset " + std::to_string(rejected->offset()) +
           ")");
    if (++unexpected_ > maxUnexpectedCharacters) {
        report("Aborting parsing of this file.");
        report("More than " + std::to_string(maxUnexpectedCharacters) +
               " unexpected character errors!");
        report("Too many errors - aborting!");
        throw ConversionFailure(result::ParserError);
    }
    return {};
}

} // namespace quillex
