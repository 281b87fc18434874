// The token and parse listing of an Interleaf file.
#include "parser/interleaf/interleaf_diagnostics.h"

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "parser/interleaf/interleaf_lexer.h"
#include "parser/interleaf/interleaf_parser.h"
#include "parser/ss_exception.h"

#include <charconv>
#include <cstdio>

namespace quillex {

namespace {

// The listing, gathered in a buffer that goes out in large pieces: a
// document has millions of lexemes. The DEBUG messages go into the same
// buffer, so that they stand where they were met.
class Listing {
  public:
    explicit Listing(std::ostream& out) : out_(out) {}
    ~Listing() { flush(); }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    std::string& text() { return text_; }
    // Sends the buffer out once it holds this much.
    void flushWhenFull() {
        if (text_.size() >= kFlushSize)
            flush();
    }
    void flush() {
        out_ << text_;
        text_.clear();
    }

  private:
    static constexpr std::size_t kFlushSize = std::size_t{1} << 16;
    std::ostream& out_;
    std::string text_;
};

// Sends the DEBUG messages into the listing.
class ListingHost : public ConversionHost {
  public:
    explicit ListingHost(Listing& listing) : listing_(listing) {}
    void progressStep(bool, bool) override {}
    void appendResult(const std::string& line) override {
        listing_.text().append("  ! ").append(line).append(1, '\n');
    }
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::No; }

  private:
    Listing& listing_;
};

void appendEscaped(std::string& out, std::string_view text) {
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
}

void appendNumber(std::string& out, std::uint32_t number) {
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// The width of the token-name column.
constexpr std::size_t kNameColumn = 32;

void appendLexemeDescription(std::string& out, std::string_view tokenName, std::uint32_t line,
                             std::uint32_t offset, std::string_view text) {
    out += tokenName;
    if (tokenName.size() < kNameColumn)
        out.append(kNameColumn - tokenName.size(), ' ');
    out += ' ';
    appendNumber(out, line);
    out += ':';
    appendNumber(out, offset);
    out += " \"";
    appendEscaped(out, text);
    out += '"';
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
    Listing listing(out);
    ListingHost host(listing);
    std::string& text = listing.text();
    text += "Lexemes of " + fileName + ":\n";
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
                text += "Scanning stopped: no progress at line " + std::to_string(emptyLine) +
                        ", offset " + std::to_string(emptyOffset) + '\n';
                break;
            }
            lastWasEmpty = empty;
            emptyLine = lexeme->line();
            emptyOffset = lexeme->offset();
            appendLexemeDescription(text, lexer.tokenToConstChar(lexeme->token()), lexeme->line(),
                                    lexeme->offset(), lexeme->text());
            text += '\n';
            listing.flushWhenFull();
            ++count;
        }
        text += std::to_string(count) + " lexemes\n";
        return result::Success;
    } catch (const ConversionFailure& failure) {
        text += "Scanning stopped, error code " + std::to_string(failure.code()) + '\n';
        return failure.code();
    } catch (const SSException& e) {
        text += std::string("Scanning failed: ") + e.text() + '\n';
        return codeOf(e);
    }
}

int reportParse(const std::string& fileName, std::ostream& out, int debug,
                const SSDbcsInfo& leadBytes) {
    Listing listing(out);
    ListingHost host(listing);
    std::string& text = listing.text();
    text += "Parse:\n";
    try {
        InterleafParser parser(fileName, &host, debug);
        parser.lexer().consumer()->setDbcsInfo(leadBytes);
        if (parser.parse() == 0) {
            text += "Accepted\n";
            return result::Success;
        }
        text += "Refused, error code " + std::to_string(parser.errorCode()) + '\n';
        return result::ParserError;
    } catch (const ConversionFailure& failure) {
        text += "Refused, error code " + std::to_string(failure.code()) + '\n';
        return failure.code();
    } catch (const SSException& e) {
        text += std::string("Failed: ") + e.text() + '\n';
        return codeOf(e);
    }
}

} // namespace

std::string describeLexeme(std::string_view tokenName, std::uint32_t line, std::uint32_t offset,
                           std::string_view text) {
    std::string out;
    appendLexemeDescription(out, tokenName, line, offset, text);
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
