// The token and parse listing of an Interleaf file.
#include "parser/interleaf/interleaf_diagnostics.h"

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "parser/interleaf/interleaf_lexer.h"
#include "parser/interleaf/interleaf_parser.h"
#include "parser/ss_exception.h"

#include <cstdio>

namespace quillex {

namespace {

// Sends the DEBUG messages into the listing.
class ListingHost : public ConversionHost {
  public:
    explicit ListingHost(std::ostream& out) : out_(out) {}
    void progressStep(bool, bool) override {}
    void appendResult(const std::string& line) override { out_ << "  ! " << line << '\n'; }
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::No; }

  private:
    std::ostream& out_;
};

std::string escaped(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

// Engine failures to open or read the file are file errors; the rest are
// parser errors.
int codeOf(const SSException& e) {
    const auto id = static_cast<SSExceptionId>(e.id());
    return id == SSExceptionId::LexOpenFile || id == SSExceptionId::LexReadFile
               ? result::FileError
               : result::ParserError;
}

int listLexemes(const std::string& fileName, std::ostream& out, int debug,
                const SSDbcsInfo& leadBytes) {
    ListingHost host(out);
    out << "Lexemes of " << fileName << ":\n";
    try {
        InterleafLexer lexer(fileName, &host, debug);
        lexer.consumer()->setDbcsInfo(leadBytes);
        std::uint32_t count = 0;
        // A list whose start state accepts gives an empty lexeme; a second
        // empty lexeme at the same place means the scan makes no progress
        // (the parser refuses such input), so the listing ends there.
        bool lastWasEmpty = false;
        std::uint32_t emptyLine = 0;
        std::uint32_t emptyOffset = 0;
        while (SSRefPtr<SSLexLexeme> lexeme = ++lexer) {
            const bool empty = lexeme->length() == 0;
            if (empty && lastWasEmpty && lexeme->line() == emptyLine &&
                lexeme->offset() == emptyOffset) {
                out << "Scanning stopped: no progress at line " << emptyLine << ", offset "
                    << emptyOffset << '\n';
                break;
            }
            lastWasEmpty = empty;
            emptyLine = lexeme->line();
            emptyOffset = lexeme->offset();
            out << describeLexeme(lexer.tokenToConstChar(lexeme->token()), lexeme->line(),
                                  lexeme->offset(), lexeme->text())
                << '\n';
            ++count;
        }
        out << count << " lexemes\n";
        return result::Success;
    } catch (const ConversionFailure& failure) {
        out << "Scanning stopped, error code " << failure.code() << '\n';
        return failure.code();
    } catch (const SSException& e) {
        out << "Scanning failed: " << e.text() << '\n';
        return codeOf(e);
    }
}

int reportParse(const std::string& fileName, std::ostream& out, int debug,
                const SSDbcsInfo& leadBytes) {
    ListingHost host(out);
    out << "Parse:\n";
    try {
        InterleafParser parser(fileName, &host, debug);
        parser.lexer().consumer()->setDbcsInfo(leadBytes);
        if (parser.parse() == 0) {
            out << "Accepted\n";
            return result::Success;
        }
        out << "Refused, error code " << parser.errorCode() << '\n';
        return result::ParserError;
    } catch (const ConversionFailure& failure) {
        out << "Refused, error code " << failure.code() << '\n';
        return failure.code();
    } catch (const SSException& e) {
        out << "Failed: " << e.text() << '\n';
        return codeOf(e);
    }
}

} // namespace

std::string describeLexeme(std::string_view tokenName, std::uint32_t line, std::uint32_t offset,
                           std::string_view text) {
    std::string out(tokenName);
    if (out.size() < 32)
        out.resize(32, ' ');
    out += ' ' + std::to_string(line) + ':' + std::to_string(offset);
    out += " \"" + escaped(text) + '"';
    return out;
}

int writeInterleafDiagnostics(const std::string& fileName, std::ostream& out, int debug,
                              std::uint32_t codePage) {
    const SSDbcsInfo leadBytes(codePage);
    const int scanned = listLexemes(fileName, out, debug, leadBytes);
    if (scanned == result::FileError)
        return scanned;
    const int parsed = reportParse(fileName, out, debug, leadBytes);
    return parsed != result::Success ? parsed : scanned;
}

} // namespace quillex
