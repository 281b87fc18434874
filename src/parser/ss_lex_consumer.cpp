// SSLexConsumer: reading input codes, counting lines and columns, and moving
// the lexeme start.
#include "parser/ss_lex_consumer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quillex {

SSLexConsumer::SSLexConsumer(SSLexConsumerType type, std::uint32_t increment)
    : dbcs_(&SSDbcsInfo::defaultInfo()), type_(type), increment_(increment) {}

bool SSLexConsumer::advance() {
    if (endOfData_)
        return false;
    if (startPending_) {
        current_ = startSymbol;
        startPending_ = false;
        // A 16-bit input may open with a byte-order mark; it is not text.
        if (type_ == SSLexConsumerType::Unicode && dataLength_ - index_ >= 2) {
            const std::uint8_t first = data_[index_];
            const std::uint8_t second = data_[index_ + 1];
            if ((first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF)) {
                littleEndian_ = first == 0xFF;
                index_ += 2;
                start_ = index_;
            }
        }
        return true;
    }
    if (index_ >= dataLength_ && !fill()) {
        endOfData_ = true;
        return false;
    }
    readCode();
    ++consumed_;
    stepPosition(current_, newlines_, column_);
    return true;
}

// Reads the character at the read index. A second byte that is not in the
// data (a lead byte or half a 16-bit character at the very end) is never
// read: the first byte then stands alone.
void SSLexConsumer::readCode() {
    const std::uint8_t first = data_[index_];
    switch (type_) {
    case SSLexConsumerType::SingleByte:
        break;
    case SSLexConsumerType::Unicode:
        positionsFollowBytes_ = false; // a column per two bytes
        if (index_ + 1 < dataLength_ || fill()) {
            const std::uint8_t second = data_[index_ + 1];
            current_ = littleEndian_ ? first | (second << 8) : (first << 8) | second;
            index_ += 2;
            return;
        }
        break;
    case SSLexConsumerType::DoubleByte:
        if (dbcs_->isLeadByte(first) && (index_ + 1 < dataLength_ || fill())) {
            if (data_[index_ + 1] == lineFeed)
                positionsFollowBytes_ = false; // one character, no line
            current_ = first + 256u * data_[index_ + 1];
            index_ += 2;
            ++column_;
            return;
        }
        break;
    }
    current_ = first;
    index_ += 1;
}

bool SSLexConsumer::fill() {
    const std::uint32_t added = nextBuffer();
    if (added == 0)
        return false;
    dataLength_ += added;
    return true;
}

// A lexeme views fixed data and copies any other (which a later refill may
// move or overwrite).
SSRefPtr<SSLexLexeme> SSLexConsumer::makeLexeme(std::string_view text, std::int32_t token) const {
    const SSLexLexemeType type =
        type_ == SSLexConsumerType::Unicode ? SSLexLexemeType::Unicode : SSLexLexemeType::Char;
    return fixed_ ? SSLexLexeme::view(text, token, line_, offset_, type)
                  : SSLexLexeme::create(text, token, line_, offset_, type);
}

SSRefPtr<SSLexLexeme> SSLexConsumer::lexemeToMark(const SSLexMark& mark, std::int32_t token) {
    auto lexeme = makeLexeme(textTo(std::clamp(mark.index, start_, dataLength_)), token);
    flushLexeme(mark);
    return lexeme;
}

SSRefPtr<SSLexLexeme> SSLexConsumer::lexemeToCurrent() {
    auto lexeme = makeLexeme(lexemeText(), 0);
    flushLexeme();
    return lexeme;
}

// Before fixed bytes are moved or changed, an owned buffer is kept aside for
// the lexemes that view it and the consumer goes on with a copy (a borrowed
// buffer stays with its owner, who keeps it).
void SSLexConsumer::unfix() {
    if (!fixed_ || borrowed_) {
        fixed_ = false;
        return;
    }
    std::vector<std::uint8_t> copy(buffer_);
    retire();
    buffer_ = std::move(copy);
    attachBuffer();
}

// The same for a buffer that is about to be replaced: no copy.
void SSLexConsumer::retire() {
    if (fixed_ && !borrowed_)
        retired_.push_back(std::move(buffer_));
    fixed_ = false;
}

void SSLexConsumer::flushLexeme() {
    start_ = index_;
    line_ += newlines_;
    newlines_ = 0;
    offset_ = column_;
}

void SSLexConsumer::flushStartOfLine(SSLexMark& mark) {
    if (line_ == 0 || offset_ == 0)
        return;
    const std::uint32_t step = type_ == SSLexConsumerType::Unicode ? 2 : 1;
    if (start_ + step <= mark.index)
        start_ += step;
    ++line_;
    offset_ = 1;
    if (mark.newlines != 0)
        --mark.newlines;
}

void SSLexConsumer::flushEndOfLine(SSLexMark& mark) {
    if (mark.index > start_)
        --mark.index;
    if (mark.newlines != 0)
        --mark.newlines;
}

std::string_view SSLexConsumer::lexemeText() const {
    return textTo(std::min(index_, dataLength_));
}

void SSLexConsumer::setDataLength(std::uint32_t length) {
    dataLength_ = std::min<std::uint32_t>(length, bufferLength());
}

bool SSLexConsumer::shiftBuffer() {
    if (start_ == 0)
        return false;
    unfix();
    ownBuffer();
    std::memmove(buffer_.data(), buffer_.data() + start_, dataLength_ - start_);
    dataLength_ -= start_;
    index_ -= start_;
    shift_ += start_;
    start_ = 0;
    return true;
}

void SSLexConsumer::growBy(std::size_t bytes) {
    if (bufferLength() + bytes > 0xFFFFFFFFu)
        pending_.throwException(SSExceptionId::LexLexemeTooLong, {dataLength_});
    try {
        unfix();
        ownBuffer();
        buffer_.resize(buffer_.size() + bytes);
        attachBuffer();
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    }
}

bool SSLexConsumer::expandBuffer() {
    if (increment_ == 0)
        return false;
    growBy(increment_);
    return true;
}

std::span<std::uint8_t> SSLexConsumer::freeSpace() {
    if (dataLength_ == bufferLength() && !shiftBuffer() && !expandBuffer())
        return {};
    ownBuffer();
    return std::span<std::uint8_t>(buffer_).subspan(dataLength_);
}

void SSLexConsumer::addBuffer(std::span<const std::uint8_t> bytes) {
    unfix();
    ownBuffer();
    if (buffer_.size() - dataLength_ < bytes.size())
        shiftBuffer();
    const std::size_t room = buffer_.size() - dataLength_;
    if (room < bytes.size()) {
        if (increment_ == 0)
            pending_.throwException(SSExceptionId::LexLexemeTooLong, {dataLength_});
        const std::size_t steps = (bytes.size() - room + increment_ - 1) / increment_;
        growBy(steps * increment_);
    }
    if (!bytes.empty())
        std::memcpy(buffer_.data() + dataLength_, bytes.data(), bytes.size());
    dataLength_ += static_cast<std::uint32_t>(bytes.size());
    if (index_ < dataLength_)
        endOfData_ = false;
}

void SSLexConsumer::setBuffer(std::vector<std::uint8_t>&& bytes) {
    retire();
    buffer_ = std::move(bytes);
    attachBuffer();
    borrowed_ = false;
    dataLength_ = static_cast<std::uint32_t>(buffer_.size());
    endOfData_ = false;
}

void SSLexConsumer::borrowBuffer(std::span<const std::uint8_t> bytes) {
    retire();
    buffer_.clear();
    buffer_.shrink_to_fit();
    data_ = bytes.data();
    borrowed_ = true;
    dataLength_ = static_cast<std::uint32_t>(bytes.size());
    endOfData_ = false;
}

void SSLexConsumer::ownBuffer() {
    if (!borrowed_)
        return;
    buffer_.assign(data_, data_ + dataLength_);
    attachBuffer();
    borrowed_ = false;
}

} // namespace quillex
