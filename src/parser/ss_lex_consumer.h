// SSLexConsumer: the input layer of the lexer. It hands the scanner one input
// code at a time out of a byte buffer, counts lines and columns, and cuts
// lexemes out of the buffer between the lexeme start and a mark.
//
// Before the first real character it delivers the start symbol 0xFFFFFFFF
// once; the tables skip it through an ignored token. Subclasses fill the
// buffer (whole file, string) through nextBuffer().
#pragma once

#include "parser/ss_dbcs_info.h"
#include "parser/ss_exception.h"
#include "parser/ss_lex_lexeme.h"
#include "parser/ss_lex_mark.h"
#include "parser/ss_lex_token.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quillex {

enum class SSLexConsumerType : std::uint32_t { SingleByte = 0, Unicode = 1, DoubleByte = 2 };

class SSLexConsumer {
  public:
    static constexpr std::uint32_t lineFeed = 10;

    static constexpr std::uint32_t startSymbol = 0xFFFFFFFF;

    SSLexConsumer(const SSLexConsumer&) = delete;
    SSLexConsumer& operator=(const SSLexConsumer&) = delete;
    virtual ~SSLexConsumer() = default;

    // Reads the next input code into current(); false at the end of the data.
    // A byte below 0x80 is a character of its own for the single-byte and
    // double-byte types (no code page has lead bytes there): the scanner's
    // common case is served here, the rest by advance().
    bool operator++() {
        if (index_ < dataLength_ && !startPending_ && !endOfData_ &&
            type_ != SSLexConsumerType::Unicode) {
            const std::uint8_t byte = data_[index_];
            if (byte < 0x80) {
                current_ = byte;
                ++index_;
                ++consumed_;
                stepPosition(byte, newlines_, column_);
                return true;
            }
        }
        return advance();
    }

    // Moves a read position past one character: a line feed starts a new
    // line at column 1, any other character takes one column. The one rule
    // for every path that reads characters.
    static void stepPosition(std::uint32_t code, std::uint32_t& newlines, std::uint32_t& column) {
        if (code == lineFeed) {
            ++newlines;
            column = 1;
        } else {
            ++column;
        }
    }

    // The buffered bytes that the scanner's inner loop may read straight
    // from memory (SSLex::walkBytes), each byte up to `highest` a character
    // of its own, with the read position at `index`. None (data null) while
    // the next character must come through operator++: the start symbol is
    // pending, the data has ended, a buffer shift is not yet taken off the
    // mark, or the input is 16-bit.
    struct ByteRun {
        const std::uint8_t* data = nullptr;
        std::uint32_t index = 0;
        std::uint32_t end = 0;
        std::uint8_t highest = 0;
        std::uint32_t newlines = 0;
        std::uint32_t column = 0;
    };
    // Inline: the scanner asks for a run at every lexeme.
    ByteRun byteRun() const {
        if (startPending_ || endOfData_ || shift_ != 0 || type_ == SSLexConsumerType::Unicode)
            return {};
        // No code page has lead bytes below 0x80.
        const std::uint8_t highest = type_ == SSLexConsumerType::SingleByte ? 0xFF : 0x7F;
        return {data_, index_, dataLength_, highest, newlines_, column_};
    }
    // Takes over the read position that the loop reached in `run`; it read
    // at least one byte.
    void finishByteRun(const ByteRun& run) {
        consumed_ += run.index - index_;
        current_ = data_[run.index - 1];
        index_ = run.index;
        newlines_ = run.newlines;
        column_ = run.column;
    }

    SSLexMark mark() const { return {index_, newlines_, column_}; }
    // Cuts the lexeme from the lexeme start up to `mark` (line and column of
    // its start, `token`), then resumes reading at the mark.
    SSRefPtr<SSLexLexeme> lexemeToMark(const SSLexMark& mark, std::int32_t token);
    // The same as a token record whose text views the buffer (the caller
    // has checked holdsFixedData()): no lexeme is made. With `plainEnd` (the
    // scanner moved neither end of the match) and while every character read
    // took a column per byte and a line per line feed, the record carries
    // its end as counted here.
    void tokenToMark(const SSLexMark& mark, std::int32_t token, bool plainEnd, SSLexToken& out) {
        out.token = token;
        out.line = line_;
        out.column = offset_;
        out.text = textTo(std::clamp(mark.index, start_, dataLength_));
        flushLexeme(mark);
        const bool exact = plainEnd && positionsFollowBytes_;
        out.endLine = exact ? line_ : 0;
        out.endColumn = exact ? offset_ : 0;
    }
    // The same up to the read index, with token 0.
    SSRefPtr<SSLexLexeme> lexemeToCurrent();
    // Drops everything read since the lexeme start.
    void flushLexeme();
    // Drops the text up to `mark` and resumes reading at the mark.
    void flushLexeme(const SSLexMark& mark) {
        index_ = start_ = std::min(mark.index, dataLength_);
        line_ += mark.newlines;
        newlines_ = 0;
        column_ = offset_ = mark.column;
        // Text behind the mark is read again, even when the scan that passed
        // over it had already met the end of the data.
        if (index_ < dataLength_)
            endOfData_ = false;
    }
    // Moves the lexeme start past its first character onto the next line.
    void flushStartOfLine(SSLexMark& mark);
    // Moves `mark` back by one byte and one newline.
    void flushEndOfLine(SSLexMark& mark);
    // Takes the bytes dropped by shiftBuffer() off `mark`; with `reset` the
    // consumer forgets them, so the next call sees only later shifts.
    void adjustMark(SSLexMark& mark, bool reset) {
        mark.index -= mark.index < shift_ ? mark.index : shift_;
        if (reset)
            shift_ = 0;
    }

    // Appends caller bytes, shifting or growing the buffer as needed;
    // SSLex0103e when there is no room.
    void addBuffer(std::span<const std::uint8_t> bytes);
    // Drops the bytes before the lexeme start; false when there are none.
    bool shiftBuffer();
    // Grows the buffer by the increment; false when the increment is 0.
    bool expandBuffer();

    SSLexConsumerType type() const { return type_; }
    std::uint32_t line() const { return line_; }
    std::uint32_t offset() const { return offset_; }
    std::uint32_t bufferLength() const {
        return borrowed_ ? dataLength_ : static_cast<std::uint32_t>(buffer_.size());
    }
    const std::uint8_t* buffer() const { return data_; }
    std::uint32_t start() const { return start_; }
    std::uint32_t index() const { return index_; }
    std::uint32_t dataLength() const { return dataLength_; }
    void setDataLength(std::uint32_t length);
    std::uint32_t current() const { return current_; }
    bool endOfData() const { return endOfData_; }
    std::uint32_t consumed() const { return consumed_; }
    std::uint32_t column() const { return column_; }
    bool isLittleEndian() const { return littleEndian_; }
    // True until the start symbol has been delivered.
    bool startPending() const { return startPending_; }
    // The bytes read since the lexeme start.
    std::string_view lexemeText() const;

    // Whether the buffer holds all the data there will be, in bytes that stay
    // where they are for the consumer's life: lexemes then view them rather
    // than copy them, and live no longer than the consumer (or the owner of
    // borrowed bytes). Anything that moves the bytes afterwards (adding,
    // shifting, growing) keeps the old ones aside and ends this.
    bool holdsFixedData() const { return fixed_; }

    const SSDbcsInfo& dbcsInfo() const { return *dbcs_; }
    // The lead-byte test to read with; the caller keeps it alive as long as
    // the consumer reads.
    void setDbcsInfo(const SSDbcsInfo& info) { dbcs_ = &info; }
    const SSExceptionPresent& exceptionPresent() const { return pending_; }

  protected:
    SSLexConsumer(SSLexConsumerType type, std::uint32_t increment);

    // Adds bytes behind the valid data and returns how many; 0 at the end.
    virtual std::uint32_t nextBuffer() { return 0; }

    // Makes the buffer hold `bytes` as its whole valid data.
    void setBuffer(std::vector<std::uint8_t>&& bytes);
    // Reads `bytes` in place as the whole valid data; the caller keeps them
    // alive and unchanged. Anything that would change the buffer (shifting,
    // growing, adding) first takes a copy.
    void borrowBuffer(std::span<const std::uint8_t> bytes);
    // Free room behind the valid data, after shifting or growing when the
    // buffer is full; empty when neither is possible.
    std::span<std::uint8_t> freeSpace();
    std::uint32_t increment() const { return increment_; }
    void setEndOfData() { endOfData_ = true; }
    // Says that the buffer now holds all the data (see holdsFixedData).
    void fixData() { fixed_ = true; }

    mutable SSExceptionPresent pending_;

  private:
    bool advance();
    bool fill();
    void ownBuffer();
    void attachBuffer() { data_ = buffer_.data(); }
    void readCode();
    void growBy(std::size_t bytes);
    void unfix();
    void retire();
    std::string_view textTo(std::uint32_t end) const {
        return {reinterpret_cast<const char*>(data_) + start_, end - std::min(start_, end)};
    }
    SSRefPtr<SSLexLexeme> makeLexeme(std::string_view text, std::int32_t token) const;

    const SSDbcsInfo* dbcs_;
    SSLexConsumerType type_;
    bool startPending_ = true;
    std::uint32_t increment_;
    std::uint32_t line_ = 0;
    std::uint32_t shift_ = 0;
    std::vector<std::uint8_t> buffer_;
    const std::uint8_t* data_ = nullptr; // buffer_'s bytes, or borrowed ones
    bool borrowed_ = false;
    bool fixed_ = false;
    // Owned buffers that lexemes may still view, kept until the consumer goes.
    std::vector<std::vector<std::uint8_t>> retired_;
    std::uint32_t start_ = 0;
    std::uint32_t index_ = 0;
    std::uint32_t dataLength_ = 0;
    std::uint32_t offset_ = 0;
    std::uint32_t current_ = 0;
    bool endOfData_ = false;
    std::uint32_t consumed_ = 0;
    std::uint32_t newlines_ = 1;
    std::uint32_t column_ = 1;
    bool littleEndian_ = true;
    // No character read so far was counted otherwise than byte by byte: no
    // 16-bit input, no double-byte character ending in a line feed.
    bool positionsFollowBytes_ = true;
};

} // namespace quillex
