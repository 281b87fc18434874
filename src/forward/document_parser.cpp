// Parsing one Interleaf ASCII file into DocumentPieces.
#include "forward/document_parser.h"

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "forward/file_registry.h"
#include "forward/parse_actions.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "parser/interleaf/interleaf_parser.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "parser/ss_exception.h"
#include "parser/ss_lex_buffer_consumer.h"

namespace quillex {
namespace {

// The Interleaf parser with the conversion's reduce callback.
class PieceParser final : public InterleafParser {
  public:
    PieceParser(SSLexConsumer& input, ParseActions& actions, ConversionHost* host, int debug)
        : InterleafParser(input, host, debug), actions_(actions) {
        useElements<PieceElement, SSYaccDriver::WithoutRecovery>();
        // A production of one symbol without an action in the grammar file
        // hands its element on as it is: the engine does that itself.
        for (std::uint32_t production = 0; production < ileaf::kProductionCount; ++production)
            if (ileaf::kPassesThrough[production])
                passThrough(production);
    }

    bool reduce(std::uint32_t production, std::uint32_t size, SSYaccStackElement& left) override {
        return actions_.reduce(*this, production, size, static_cast<PieceElement&>(left));
    }

    bool foldsLists() const override { return true; }
    bool foldToken(std::uint32_t production, const SSLexToken& terminal,
                   SSYaccStackElement& list) override {
        return actions_.fold(production, terminal, static_cast<PieceElement&>(list));
    }

  private:
    ParseActions& actions_;
};

// "FILE:LINE:COLUMN: ..." for a syntax error, the form editors jump to.
std::string syntaxErrorLocation(const std::string& path, const InterleafParser& parser) {
    std::string text;
    for (const char c : parser.errorText())
        text += c == '\n' ? std::string("\\n") : std::string(1, c);
    return path + ":" + std::to_string(parser.errorLine()) + ":" +
           std::to_string(parser.errorColumn()) + ": the document cannot be read from here on (\"" +
           text + "\")";
}

ConversionResult failed(ResultCode code, std::string line = {}) {
    ConversionResult outcome{code, {}};
    if (!line.empty())
        outcome.lines.push_back(std::move(line));
    return outcome;
}

// The lexer ends the file at the first character no rule takes; an escape
// character that begins no kanji run has a result of its own.
ConversionResult unexpectedCharacter(const std::string& path, const InterleafLexer& lexer) {
    if (lexer.strayEscapeLine() == 0)
        return failed(result::ParserError);
    return failed(result::StrayEscape, formatString(MessageId::StrayEscapeAt, path.c_str(),
                                                    static_cast<int>(lexer.strayEscapeLine()),
                                                    static_cast<int>(lexer.strayEscapeColumn())));
}

} // namespace

// The file is read once, in text mode; the lexer reads that same text in
// place, as it would read the file.
ConversionResult parseDocument(const std::string& path, const ParseSettings& settings,
                               ParsedDocument& document) {
    std::string raw = readBinaryFile(path);
    const std::uint64_t rawSize = raw.size();
    return parseDocumentText(path, textModeBytes(std::move(raw), path), rawSize, settings,
                             document);
}

ConversionResult parseDocumentText(const std::string& path, std::string text, std::uint64_t rawSize,
                                   const ParseSettings& settings, ParsedDocument& document) {
    document.pieces.clear();
    document.source = SourceText(std::move(text));
    document.fileNumber = registerFile(path);

    ParseActions actions(document.pieces, document.source, document.fileNumber);
    actions.setProgress(settings.budget, settings.lineCount, settings.steps);
    actions.setHost(settings.host, settings.warnJapanese);
    try {
        // The lexer refuses an empty file, and files its 32-bit indexes
        // cannot reach, before it reads anything.
        if (rawSize == 0 || rawSize > 0xFFFFFFFFu)
            throwSSException(SSExceptionId::LexReadFile, {path, rawSize == 0 ? 0L : -1L});
        const std::string& text = document.source.text();
        const SSDbcsInfo leadBytes(settings.codePage);
        SSLexBufferConsumer input(std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        input.setDbcsInfo(leadBytes);
        PieceParser parser(input, actions, settings.host, settings.debug);
        parser.setErrorCode(0);
        int unfinished = 0;
        try {
            unfinished = parser.parse();
        } catch (const ConversionFailure& failure) { // the lexer's, or Cancel
            if (failure.code() == result::ParserError)
                return unexpectedCharacter(path, parser.lexer());
            return failed(failure.code());
        }
        if (actions.cancelled())
            return failed(result::Cancelled);
        // The parser's syntax-error handler ran: a parser error, with its
        // place when the parser met text there.
        if (parser.errorCode() != 0)
            return failed(result::ParserError,
                          parser.errorLine() != 0 ? syntaxErrorLocation(path, parser) : "");
        if (unfinished != 0)
            return failed(result::ParserError);
    } catch (const SSException& failure) {
        return failed(result::ParserError, settings.debug != 0
                                               ? std::string("Exception! ") + failure.what()
                                               : std::string());
    }
    return failed(actions.resultCode());
}

} // namespace quillex
