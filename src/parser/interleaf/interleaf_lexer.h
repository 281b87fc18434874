// InterleafLexer: the scanner of Interleaf ASCII documents and style files.
//
// It reads the whole file in one buffer (text mode, double-byte characters
// recognised), scans it with the compiled-in lexer table, names tokens for
// messages, and handles characters that no rule accepts: without DEBUG the
// first one ends the file with a ConversionFailure (parser error); with DEBUG each is
// reported to the results log and skipped, and the 21st ends the file.
#pragma once

#include "parser/ss_lex.h"
#include "parser/ss_lex_table.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quillex {

class ConversionHost;

class InterleafLexer : public SSLex {
  public:
    // More unexpected characters than this end the file.
    static constexpr int maxUnexpectedCharacters = 20;

    // Opens `fileName` (SSLex0101e/SSLex0102e when it cannot be read), loads
    // the lexer table and selects expression list 0. Messages go to `host`
    // (none: dropped); `debug` is the DEBUG setting.
    explicit InterleafLexer(const std::string& fileName, ConversionHost* host = nullptr,
                            int debug = 0);
    // The same over a consumer the caller owns (and keeps alive).
    explicit InterleafLexer(SSLexConsumer& consumer, ConversionHost* host = nullptr, int debug = 0);

    // The unexpected-character handler. Throws a parser-error ConversionFailure.
    SSRefPtr<SSLexLexeme> error(SSLexConsumer& consumer) override;
    const char* tokenToConstChar(std::int32_t token) const override;

    int unexpectedCharacters() const { return unexpected_; }
    // Where the character that ended the file stood, when it was an escape
    // character (27) that begins no kanji run; line 0 when it was not.
    std::uint32_t strayEscapeLine() const { return strayEscapeLine_; }
    std::uint32_t strayEscapeColumn() const { return strayEscapeColumn_; }
    int debug() const { return debug_; }
    ConversionHost* host() const { return host_; }

  private:
    void report(const std::string& line) const;

    std::shared_ptr<SSLexTable> table_; // shared with other parses, only read
    ConversionHost* host_;
    int debug_;
    int unexpected_ = 0;
    std::uint32_t strayEscapeLine_ = 0;
    std::uint32_t strayEscapeColumn_ = 0;
};

} // namespace quillex
