// SSLexTable: loading the header and the expression-list images.
#include "parser/ss_lex_table.h"

#include "parser/resource_registry.h"
#include "parser/table_file.h"

#include <algorithm>
#include <new>

namespace quillex {

SSLexTable::SSLexTable(std::string_view name, std::string_view type) {
    const auto image = findResource(name, type);
    if (image.empty())
        pending_.throwException(SSExceptionId::LexResourceNotFound, {name});
    load(image, name);
}

SSLexTable::SSLexTable(const std::string& path) {
    try {
        load(readTableFile(path, SSExceptionId::LexOpenFile, SSExceptionId::LexReadFile), path);
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

SSLexTable::SSLexTable(std::span<const std::uint8_t> image, std::string_view name) {
    load(image, name);
}

SSLexTable::SSLexTable(std::span<const SSLexCompiledList> lists, std::string_view name)
    : name_(name) {
    lists_.reserve(lists.size());
    for (const SSLexCompiledList& list : lists)
        lists_.push_back(std::make_unique<SSLexExpressionList>(list));
}

void SSLexTable::load(std::span<const std::uint8_t> image, std::string_view name) {
    try {
        name_ = name;
        const TableImage view(image);
        if (!view.covers(0, headerSize))
            throwSSException(SSExceptionId::LexInvalidTable, {name});
        const std::uint32_t count = view.word(0);
        const std::uint32_t word1 = view.word(4);
        if (word1 != magic && word1 != 0)
            throwSSException(SSExceptionId::LexInvalidTable, {name});
        std::copy_n(image.begin(), headerSize, header_.begin());
        // Each list image is at least a header long, which bounds the count
        // before anything is reserved for it.
        lists_.reserve(
            std::min<std::uint64_t>(count, image.size() / SSLexExpressionList::headerSize));
        std::uint64_t at = headerSize;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (at >= image.size())
                throwSSException(SSExceptionId::LexInvalidTable, {name});
            const auto rest = image.subspan(at);
            lists_.push_back(std::make_unique<SSLexExpressionList>(rest, name));
            at += SSLexExpressionList::imageLength(rest);
        }
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

SSLexExpressionList& SSLexTable::expressionList(std::uint32_t index) {
    if (index >= lists_.size())
        pending_.throwException(SSExceptionId::LexInvalidExpressionList, {index});
    return *lists_[index];
}

const SSLexExpressionList& SSLexTable::expressionList(std::uint32_t index) const {
    if (index >= lists_.size())
        pending_.throwException(SSExceptionId::LexInvalidExpressionList, {index});
    return *lists_[index];
}

} // namespace quillex
