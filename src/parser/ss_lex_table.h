// SSLexTable: a lexer table, the set of expression lists (one automaton per
// lexical mode) read from a table image.
//
// The image is a 36-byte header (number of lists, magic) followed by the
// expression-list images back to back; it may come from a resource, a file
// or memory, and is copied, so the source may go away after loading. A
// table compiled into the program is its lists' arrays, read in place.
#pragma once

#include "parser/ss_exception.h"
#include "parser/ss_lex_expression_list.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class SSLexTable {
  public:
    static constexpr std::uint32_t headerSize = 36;
    static constexpr std::uint32_t magic = 0x53534C58; // "XLSS"

    // From the program resource `name` of type `type`; SSLex0108e when missing.
    SSLexTable(std::string_view name, std::string_view type);
    // From a table file; SSLex0101e / SSLex0102e when it cannot be read.
    explicit SSLexTable(const std::string& path);
    // From an image in memory; `name` appears in SSLex0104e.
    SSLexTable(std::span<const std::uint8_t> image, std::string_view name);
    // Over compiled lists, whose arrays must outlive the table.
    SSLexTable(std::span<const SSLexCompiledList> lists, std::string_view name);

    SSLexTable(const SSLexTable&) = delete;
    SSLexTable& operator=(const SSLexTable&) = delete;

    std::uint32_t expressionLists() const { return static_cast<std::uint32_t>(lists_.size()); }
    // List `index`; SSLex0106e when there is no such list.
    SSLexExpressionList& expressionList(std::uint32_t index);
    const SSLexExpressionList& expressionList(std::uint32_t index) const;

    // The resource name, path or caller's name the table was loaded by.
    const std::string& name() const { return name_; }
    const SSExceptionPresent& exceptionPresent() const { return pending_; }

  private:
    void load(std::span<const std::uint8_t> image, std::string_view name);

    mutable SSExceptionPresent pending_;
    std::string name_;
    std::array<std::uint8_t, headerSize> header_{};
    std::vector<std::unique_ptr<SSLexExpressionList>> lists_;
};

} // namespace quillex
