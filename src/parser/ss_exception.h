// SSException: the error object of the lexer and parser engines.
//
// Every engine failure is raised by value as an SSException carrying a
// numeric id and a formatted text of at most 127 characters. Engine objects
// embed an SSExceptionPresent slot that records the exception before it is
// thrown, so that the operations returning 0/1 can report the failure too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace quillex {

// The ids of the engine's failures; the texts are in SSException::format.
enum class SSExceptionId : std::int32_t {
    OutOfStorage = -1,
    LexOpenFile = 1,
    LexReadFile = 2,
    LexLexemeTooLong = 3,
    LexInvalidTable = 4,
    LexInvalidToken = 5,
    LexInvalidExpressionList = 6,
    LexMissing = 7,
    LifoStackFull = 8,
    LifoNoTop = 9,
    LifoCannotPop = 10,
    LifoInvalidIndex = 11,
    YaccOpenFile = 12,
    YaccParseFailed = 13,
    YaccReadPastEof = 14,
    YaccErrorPanic = 15,
    YaccErrorTokenNoValid = 16,
    YaccErrorTokenEof = 17,
    YaccInvalidGoto = 18,
    YaccInvalidIndex = 19,
    YaccTableMissing = 20,
    YaccLexMissing = 21,
    YaccReadTable = 22,
    SetFull = 23,
    YaccTooManyTokens = 24,
    YaccTableTooBig = 26,
    RefCountNegative = 28,
    YaccInvalidState = 35,
    LexResourceNotFound = 36,
    YaccResourceNotFound = 37,
};

// One parameter of an exception: a text, a number or a pointer.
class SSExceptionParm {
  public:
    enum class Kind { None, Text, Number, Pointer };

    SSExceptionParm() = default;
    SSExceptionParm(std::string_view text) : kind_(Kind::Text), text_(text) {}
    SSExceptionParm(const char* text) : SSExceptionParm(std::string_view(text ? text : "")) {}
    SSExceptionParm(const std::string& text) : SSExceptionParm(std::string_view(text)) {}
    template <class Integer, std::enable_if_t<std::is_integral_v<Integer>, int> = 0>
    SSExceptionParm(Integer number)
        : kind_(Kind::Number), number_(static_cast<std::int64_t>(number)) {}
    SSExceptionParm(const void* pointer) : kind_(Kind::Pointer), pointer_(pointer) {}

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }
    std::int64_t number() const { return number_; }
    const void* pointer() const { return pointer_; }

  private:
    Kind kind_ = Kind::None;
    std::string text_;
    std::int64_t number_ = 0;
    const void* pointer_ = nullptr;
};

class SSException : public std::exception {
  public:
    static constexpr std::size_t maxTextLength = 127;
    static constexpr std::size_t maxParms = 8;

    // An exception with a ready text (cut at 127 characters).
    SSException(std::int32_t id, std::string_view text);
    // An exception of a known id: its text is the id's format filled with
    // the parameters, printf-style (%s, %d, %ld, %u, %lu, %x, %%).
    SSException(SSExceptionId id, std::initializer_list<SSExceptionParm> parms = {});

    std::int32_t id() const { return id_; }
    const char* text() const { return text_.data(); }
    const char* what() const noexcept override { return text_.data(); }
    std::size_t parmCount() const { return parmCount_; }
    const SSExceptionParm& parm(std::size_t index) const { return parms_.at(index); }

    // The message format of an id; empty for an unknown id.
    static std::string_view format(SSExceptionId id);
    // Fills a printf-style format with the parameters in order.
    static std::string formatText(std::string_view format,
                                  std::initializer_list<SSExceptionParm> parms);

  private:
    void setText(std::string_view text);

    std::int32_t id_;
    std::array<char, maxTextLength + 1> text_{};
    std::array<SSExceptionParm, maxParms> parms_{};
    std::size_t parmCount_ = 0;
};

// Raised when an allocation fails; carries no parameters and allocates nothing.
class SSExceptionOutOfStorage : public SSException {
  public:
    SSExceptionOutOfStorage();
};

// The pending-exception slot of an engine object.
class SSExceptionPresent {
  public:
    bool isPresent() const { return pending_.has_value(); }
    const SSException* exception() const { return pending_ ? &*pending_ : nullptr; }
    void clear() { pending_.reset(); }

    // Records the exception and throws it by value.
    [[noreturn]] void throwException(const SSException& exception);
    [[noreturn]] void throwException(SSExceptionId id,
                                     std::initializer_list<SSExceptionParm> parms = {});

  private:
    std::optional<SSException> pending_;
};

// Throws an SSException without an owning object (helpers, templates).
[[noreturn]] void throwSSException(SSExceptionId id,
                                   std::initializer_list<SSExceptionParm> parms = {});

} // namespace quillex
