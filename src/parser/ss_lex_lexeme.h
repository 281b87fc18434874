// SSLexLexeme: one token read by the lexer (token number, text, line,
// column), shared by reference count between lexer, parser and callbacks.
//
// A lexeme is one allocation (from the block pool). Its text either views
// bytes that stay put for the lexeme's life (the lexer's input, when the
// consumer holds all of it at once: no copy per token), or is stored right
// behind the record. A stored text is always followed by two zero bytes, so
// it reads as an 8-bit or a 16-bit zero-terminated string; a viewed text
// gets such a copy the first time asChar() or asConstChar() asks for one.
// Lexemes are made with create() or view() only.
#pragma once

#include "parser/ss_ref_count.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillex {

enum class SSLexLexemeType : std::uint32_t { Unicode = 0, Char = 1 };

class SSLexLexeme final : public SSRefCount {
  public:
    static SSRefPtr<SSLexLexeme> create(std::string_view text, std::int32_t token = 0,
                                        std::uint32_t line = 0, std::uint32_t offset = 0,
                                        SSLexLexemeType type = SSLexLexemeType::Char);
    // A lexeme over `text` where it stands: the caller keeps those bytes
    // alive and unchanged as long as the lexeme lives.
    static SSRefPtr<SSLexLexeme> view(std::string_view text, std::int32_t token = 0,
                                      std::uint32_t line = 0, std::uint32_t offset = 0,
                                      SSLexLexemeType type = SSLexLexemeType::Char);

    std::int32_t token() const { return token_; }
    std::uint32_t line() const { return line_; }
    std::uint32_t offset() const { return offset_; }
    // Length of the text in bytes.
    std::uint32_t length() const { return length_; }
    SSLexLexemeType type() const { return type_; }

    // The text, zero-terminated (a viewed text is copied first).
    char* asChar() {
        storeText();
        return text_;
    }
    const char* asConstChar() const {
        storeText();
        return text_;
    }
    // Whether the text views bytes outside the lexeme.
    bool isView() const { return viewing_; }
    std::string_view text() const { return {text_, length_}; }
    // The text read as little-endian 16-bit characters (a Unicode lexeme).
    std::u16string asConstUnicode() const;

    void setToken(std::int32_t token) { token_ = token; }
    void setLine(std::uint32_t line) { line_ = line; }
    void setOffset(std::uint32_t offset) { offset_ = offset; }
    void setType(SSLexLexemeType type) { type_ = type; }
    // Replaces the text; a text longer than the room behind the record goes
    // to a block of its own.
    void setText(std::string_view text);

    // Same length and same bytes.
    bool isEqualLexeme(const SSLexLexeme& other) const { return text() == other.text(); }
    // The leading decimal digits of the text as a number; `overflow` is set
    // when the value saturates at 0xFFFFFFFF.
    std::uint32_t asUnsigned32(bool& overflow) const;

    // Destroys the lexeme and gives its block (record and trailing text)
    // back to the block pool.
    void refFree() override;

  private:
    SSLexLexeme(char* storage, std::uint32_t capacity)
        : text_(storage), capacity_(capacity), blockCapacity_(capacity) {}
    ~SSLexLexeme() override;
    // Gives a viewed text a zero-terminated copy of its own.
    void storeText() const;
    static std::size_t blockBytes(std::uint32_t capacity) {
        return sizeof(SSLexLexeme) + std::size_t{capacity} + 2;
    }

    // The text storage may change while the lexeme reads as const: a view
    // becomes a copy when a zero-terminated text is first asked for.
    mutable bool ownsBuffer_ = false;
    mutable bool viewing_ = false;
    SSLexLexemeType type_ = SSLexLexemeType::Char;
    std::uint32_t line_ = 0;
    std::int32_t token_ = 0;
    mutable char* text_;
    std::uint32_t length_ = 0;
    std::uint32_t offset_ = 0;
    mutable std::uint32_t capacity_;
    std::uint32_t blockCapacity_; // text room of the block the record lives in
};

} // namespace quillex
