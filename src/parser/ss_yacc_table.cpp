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
        actionIndex_.assign(pairTable_->size(), 0);
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

// Indexes the small tokens of a state's action entries; where a token has
// several entries the first one counts, as in the row's own search.
std::uint32_t SSYaccTable::buildActionRow(std::uint32_t state) const {
    const SSYaccPairTableRow row = pairTable_->lookupRow(state);
    for (std::uint32_t i = 0; i < row.entries(); ++i)
        if (row.actionEntry(i).value() == noEntry) {
            actionIndex_[state] = unindexedRow;
            return unindexedRow;
        }
    const std::size_t at = actionRows_.size();
    actionRows_.resize(at + indexedTokens, noEntry);
    for (std::uint32_t i = row.entries(); i-- > 0;) {
        const SSYaccPairTableEntry entry = row.actionEntry(i);
        if (entry.key() < indexedTokens)
            actionRows_[at + entry.key()] = entry.value();
    }
    actionIndex_[state] = static_cast<std::uint32_t>(at / indexedTokens) + 1;
    return actionIndex_[state];
}

} // namespace quillex
