// SSYaccTable: loading the image and its lookahead-resolution automata.
#include "parser/ss_yacc_table.h"

#include "parser/resource_registry.h"
#include "parser/table_file.h"

#include <new>

namespace quillex {

SSYaccTable::SSYaccTable(std::string_view name, std::string_view type) {
    const auto image = findResource(name, type);
    if (image.empty())
        pending_.throwException(SSExceptionId::YaccResourceNotFound, {name});
    load(image, name);
}

SSYaccTable::SSYaccTable(const std::string& path) {
    try {
        load(readTableFile(path, SSExceptionId::YaccOpenFile, SSExceptionId::YaccReadTable), path);
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

SSYaccTable::SSYaccTable(std::span<const std::uint8_t> image, std::string_view name) {
    load(image, name);
}

SSYaccTable::SSYaccTable(const SSYaccCompiledTable& compiled) : compiledFolds_(compiled.folds) {
    actionIndex_.emplace(compiled);
}

void SSYaccTable::load(std::span<const std::uint8_t> image, std::string_view name) {
    try {
        image_.assign(image.begin(), image.end());
        pairTable_.emplace(image_, name);
        // The automata lie one after another behind the last row, each an
        // expression-list image whose input codes are tokens.
        std::uint64_t at = pairTable_->larStart();
        for (std::uint32_t i = 0; i < pairTable_->lar(); ++i) {
            if (at >= image_.size())
                throwSSException(SSExceptionId::LexInvalidTable, {name});
            const auto rest = std::span<const std::uint8_t>(image_).subspan(at);
            automata_.push_back(std::make_unique<SSLexIterator>(rest, name));
            at += SSLexExpressionList::imageLength(rest);
        }
        actionIndex_.emplace(*pairTable_);
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

} // namespace quillex
