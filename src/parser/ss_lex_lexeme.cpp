// SSLexLexeme: allocation with trailing text, text replacement, conversions.
#include "parser/ss_lex_lexeme.h"

#include "parser/ss_block_pool.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quillex {

SSRefPtr<SSLexLexeme> SSLexLexeme::create(std::string_view text, std::int32_t token,
                                          std::uint32_t line, std::uint32_t offset,
                                          SSLexLexemeType type) {
    const auto length = static_cast<std::uint32_t>(text.size());
    void* memory = SSBlockPool::allocate(blockBytes(length));
    char* storage = static_cast<char*>(memory) + sizeof(SSLexLexeme);
    auto* lexeme = new (memory) SSLexLexeme(storage, length);
    if (length != 0)
        std::memcpy(storage, text.data(), length);
    storage[length] = storage[length + 1] = '\0';
    lexeme->length_ = length;
    lexeme->token_ = token;
    lexeme->line_ = line;
    lexeme->offset_ = offset;
    lexeme->type_ = type;
    return SSRefPtr<SSLexLexeme>(lexeme);
}

SSRefPtr<SSLexLexeme> SSLexLexeme::view(std::string_view text, std::int32_t token,
                                        std::uint32_t line, std::uint32_t offset,
                                        SSLexLexemeType type) {
    void* memory = SSBlockPool::allocate(blockBytes(0));
    char* storage = static_cast<char*>(memory) + sizeof(SSLexLexeme);
    auto* lexeme = new (memory) SSLexLexeme(storage, 0);
    storage[0] = storage[1] = '\0';
    lexeme->text_ = const_cast<char*>(text.data()); // read only while viewing_
    lexeme->viewing_ = true;
    lexeme->length_ = static_cast<std::uint32_t>(text.size());
    lexeme->token_ = token;
    lexeme->line_ = line;
    lexeme->offset_ = offset;
    lexeme->type_ = type;
    return SSRefPtr<SSLexLexeme>(lexeme);
}

void SSLexLexeme::storeText() const {
    if (!viewing_)
        return;
    char* storage = reinterpret_cast<char*>(const_cast<SSLexLexeme*>(this)) + sizeof(SSLexLexeme);
    if (length_ > blockCapacity_) {
        storage = new char[std::size_t{length_} + 2];
        ownsBuffer_ = true;
    }
    if (length_ != 0)
        std::memcpy(storage, text_, length_);
    storage[length_] = storage[length_ + 1] = '\0';
    text_ = storage;
    capacity_ = std::max(length_, blockCapacity_);
    viewing_ = false;
}

SSLexLexeme::~SSLexLexeme() {
    if (ownsBuffer_)
        delete[] text_;
}

void SSLexLexeme::refFree() {
    const std::size_t bytes = blockBytes(blockCapacity_);
    this->~SSLexLexeme();
    SSBlockPool::release(this, bytes);
}

void SSLexLexeme::setText(std::string_view text) {
    if (viewing_) { // the new text goes behind the record (or a block of its own)
        text_ = reinterpret_cast<char*>(this) + sizeof(SSLexLexeme);
        capacity_ = blockCapacity_;
        viewing_ = false;
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    if (length > capacity_) {
        char* block = new char[std::size_t{length} + 2];
        if (ownsBuffer_)
            delete[] text_;
        text_ = block;
        capacity_ = length;
        ownsBuffer_ = true;
    }
    if (length != 0)
        std::memmove(text_, text.data(), length);
    text_[length] = text_[length + 1] = '\0';
    length_ = length;
}

std::u16string SSLexLexeme::asConstUnicode() const {
    std::u16string out;
    out.reserve(length_ / 2);
    for (std::uint32_t i = 0; i + 1 < length_; i += 2)
        out.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(text_[i]) |
                                            (static_cast<std::uint8_t>(text_[i + 1]) << 8)));
    return out;
}

std::uint32_t SSLexLexeme::asUnsigned32(bool& overflow) const {
    overflow = false;
    std::uint64_t value = 0;
    for (std::uint32_t i = 0; i < length_ && text_[i] >= '0' && text_[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text_[i] - '0');
        if (value > 0xFFFFFFFFu) {
            overflow = true;
            return 0xFFFFFFFFu;
        }
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace quillex
