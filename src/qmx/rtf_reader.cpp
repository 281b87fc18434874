// RtfReader: the tokenizer loop, control words, groups and delivery.
#include "qmx/rtf_reader.h"
#include "foundation/hex_digit.h"

#include "conversion/result_code.h"

#include <iterator>

namespace quillex {
namespace {

// Long paragraphs are built without reallocating.
constexpr std::size_t kLineCapacity = 32678;
// Longer than any name in the table; longer names are cut here, which keeps
// them unmatched without storing them whole.
constexpr std::size_t kMaxNameLength = 32;
// Numeric parameters saturate here instead of overflowing.
constexpr std::uint64_t kMaxParameter = 0xFFFFFFFFu;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

RtfReader::RtfReader(LineFile& input, std::span<const RtfKeyword> keywords)
    : input_(input), keywords_(keywords) {
    inputLine_.reserve(kLineCapacity);
    outputLine_.reserve(kLineCapacity);
}

// The first line must open an RTF document.
void RtfReader::start() {
    if (!input_.readLine(inputLine_))
        throw ConversionFailure(result::RtfError4);
    if (inputLine_.size() < 5 || inputLine_.compare(0, 5, "{\\rtf") != 0)
        throw ConversionFailure(result::NotRtf);
    inputPos_ = 0;
}

// The input is the concatenation of the file's lines: line ends never reach
// the tokenizer. Returns false when the input is exhausted.
bool RtfReader::nextChar(char& c) {
    startedNewLine_ = false;
    while (inputPos_ >= inputLine_.size()) {
        if (!input_.readLine(inputLine_))
            return false;
        inputPos_ = 0;
        startedNewLine_ = true;
    }
    c = inputLine_[inputPos_++];
    return true;
}

// Makes the character just read the next one again. It always lies in the
// current input line.
void RtfReader::putBack() {
    --inputPos_;
}

void RtfReader::read(std::vector<std::string>& lines) {
    start();
    char c;
    while (nextChar(c)) {
        if (inputState_ == InputState::Binary) {
            deliverByte(static_cast<unsigned char>(c));
            continue;
        }
        switch (c) {
        case '\\':
            readControlWord();
            break;
        case '{':
            pushGroup();
            break;
        case '}':
            popGroup();
            break;
        default:
            if (inputState_ == InputState::Normal)
                deliverByte(static_cast<unsigned char>(c));
            else
                takeHexDigit(c);
        }
    }
    if (!groups_.empty())
        throw ConversionFailure(result::RtfError3);
    if (!outputLine_.empty())
        output_.push_back(outputLine_);
    lines.insert(lines.end(), std::make_move_iterator(output_.begin()),
                 std::make_move_iterator(output_.end()));
    output_.clear();
}

// Reads the control word or symbol after a backslash and acts on it.
//
// A word ends at the first character that is not part of it; a space there
// is its delimiter and is consumed. The end of a physical line also ends a
// word, as line ends do in RTF; without this, a word at the end of one line
// would swallow the letters that begin the next.
void RtfReader::readControlWord() {
    char c;
    if (!nextChar(c))
        throw ConversionFailure(result::RtfError4);
    if (!isLetter(c)) {
        applyKeyword(std::string_view(&c, 1), false, 0);
        return;
    }

    char name[kMaxNameLength];
    std::size_t length = 0;
    auto next = [&]() {
        if (!nextChar(c))
            throw ConversionFailure(result::RtfError4);
        return !startedNewLine_;
    };
    bool inWord = true;
    while (inWord && isLetter(c)) {
        if (length < kMaxNameLength)
            name[length++] = c;
        inWord = next();
    }
    bool negative = false;
    if (inWord && c == '-') {
        negative = true;
        inWord = next();
    }
    bool hasParameter = false;
    std::uint64_t value = 0;
    while (inWord && isDigit(c)) {
        hasParameter = true;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kMaxParameter)
            value = kMaxParameter;
        inWord = next();
    }
    if (!inWord || c != ' ')
        putBack();

    std::int64_t parameter = 0;
    if (hasParameter) {
        lastParameter_ = value;
        parameter = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    }
    applyKeyword(std::string_view(name, length), hasParameter, parameter);
}

void RtfReader::applyKeyword(std::string_view name, bool hasParameter, std::int64_t parameter) {
    const RtfKeyword* keyword = findRtfKeyword(keywords_, name);
    if (keyword == nullptr) {
        // After \* an unknown word names a destination to skip.
        if (skipIfUnlisted_)
            skipping_ = true;
        skipIfUnlisted_ = false;
        return;
    }
    skipIfUnlisted_ = false;
    switch (keyword->kind) {
    case RtfKeywordKind::Character:
        if (keyword->index == kRtfLineEnd)
            deliverLineEnd();
        else if (keyword->index >= 0 && keyword->index <= 0xFF)
            deliverByte(static_cast<unsigned char>(keyword->index));
        else
            throw ConversionFailure(result::RtfError5);
        return;
    case RtfKeywordKind::Destination:
        skipping_ = true;
        return;
    case RtfKeywordKind::Property:
        applyProperty(*keyword, hasParameter, parameter);
        return;
    case RtfKeywordKind::Special:
        applySpecial(*keyword, hasParameter);
        return;
    }
    throw ConversionFailure(result::RtfError5);
}

void RtfReader::applyProperty(const RtfKeyword& keyword, bool hasParameter,
                              std::int64_t parameter) {
    if (skipping_)
        return;
    const std::int64_t value =
        hasParameter && !keyword.forceDefault ? parameter : keyword.defaultValue;
    switch (keyword.index) {
    case kRtfHidden:
        hidden_ = value != 0;
        return;
    case kRtfPlain:
        hidden_ = false;
        return;
    }
    throw ConversionFailure(result::RtfError5);
}

void RtfReader::applySpecial(const RtfKeyword& keyword, bool hasParameter) {
    if (skipping_ && keyword.index != kRtfBinary)
        return;
    switch (keyword.index) {
    case kRtfBinary:
        // The data bytes follow. \bin without a count, or with count 0, has
        // no data: the next character is RTF again.
        binaryBytesLeft_ = hasParameter ? lastParameter_ : 0;
        if (binaryBytesLeft_ > 0)
            inputState_ = InputState::Binary;
        return;
    case kRtfSkipIfUnlisted:
        skipIfUnlisted_ = true;
        return;
    case kRtfHexByte:
        inputState_ = InputState::Hex;
        hexDigits_ = 0;
        hexValue_ = 0;
        return;
    }
    throw ConversionFailure(result::RtfError5);
}

// One digit of a \'hh escape; the byte is delivered after the second. A
// \'00 escape produces nothing.
void RtfReader::takeHexDigit(char c) {
    const int digit = hexDigitValue(c);
    if (digit < 0)
        throw ConversionFailure(result::RtfError2);
    hexValue_ = ((hexValue_ << 4) + static_cast<unsigned>(digit)) & 0xFF;
    if (++hexDigits_ < 2)
        return;
    inputState_ = InputState::Normal;
    if (hexValue_ != 0)
        deliverByte(static_cast<unsigned char>(hexValue_));
}

void RtfReader::deliverByte(unsigned char byte) {
    if (inputState_ == InputState::Binary && --binaryBytesLeft_ == 0)
        inputState_ = InputState::Normal;
    if (skipping_ || hidden_)
        return;
    outputLine_ += static_cast<char>(byte);
}

// A paragraph mark ends the output line, even inside hidden text. The line
// is copied out so that the working line keeps its reserved capacity.
void RtfReader::deliverLineEnd() {
    if (skipping_)
        return;
    output_.push_back(outputLine_);
    outputLine_.clear();
}

void RtfReader::pushGroup() {
    groups_.push_back({hidden_, skipping_, inputState_});
    inputState_ = InputState::Normal;
}

void RtfReader::popGroup() {
    if (groups_.empty())
        throw ConversionFailure(result::RtfError1);
    const SavedState saved = groups_.back();
    groups_.pop_back();
    hidden_ = saved.hidden;
    skipping_ = saved.skipping;
    inputState_ = saved.input;
}

void readRtfFile(const std::string& path, std::vector<std::string>& lines) {
    LineFile file(path);
    RtfReader reader(file);
    reader.read(lines);
}

void readRtfBytes(std::string bytes, std::vector<std::string>& lines) {
    LineFile file = LineFile::fromBytes(std::move(bytes));
    RtfReader reader(file);
    reader.read(lines);
}

} // namespace quillex
