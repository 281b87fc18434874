// Registration of the Interleaf table images as program resources, and the
// tables every Interleaf lexer and parser shares.
#include "parser/interleaf/interleaf_table_images.h"

#include "interleaf_tables.h"

#include "parser/resource_registry.h"
#include "parser/ss_lex_table.h"
#include "parser/ss_yacc_table.h"

#include <vector>

namespace quillex {

// Registers whichever image is missing, so the call is cheap to repeat and a
// resource replaced on purpose (by a test) stays as it was set.
void registerInterleafTables() {
    if (findResource(kInterleafLexTableName, kInterleafLexTableType).empty())
        registerResource(kInterleafLexTableName, kInterleafLexTableType, interleafLexTableImage());
    if (findResource(kInterleafYaccTableName, kInterleafYaccTableType).empty())
        registerResource(kInterleafYaccTableName, kInterleafYaccTableType,
                         interleafYaccTableImage());
}

// The compiled lists over the compiled-in image, whose rows serve the
// codes above the bytes.
std::vector<SSLexCompiledList> compiledLists() {
    const std::span<const std::uint8_t> image = interleafLexTableImage();
    std::vector<SSLexCompiledList> lists;
    for (const ileaf::tables::ListArrays& list : ileaf::tables::kLists)
        lists.push_back({image.subspan(list.imageOffset, list.imageLength), list.states,
                         list.finals, list.byteClasses, list.byteClassCount, list.byteRows});
    return lists;
}

std::shared_ptr<SSLexTable> interleafLexTable() {
    static const std::vector<SSLexCompiledList> lists = compiledLists();
    static const std::shared_ptr<SSLexTable> table =
        std::make_shared<SSLexTable>(lists, kInterleafLexTableName);
    return table;
}

namespace {

namespace compiled = ileaf::tables;

constexpr SSYaccCompiledTable kCompiledYaccTable{
    compiled::kStates,
    ileaf::kProductionCount,
    static_cast<std::uint32_t>(compiled::kActionBase),
    compiled::kActionColumns,
    compiled::kActions,
    compiled::kGotoBase,
    compiled::kGotoColumns,
    compiled::kGotos,
    compiled::kProductionSizes,
    compiled::kProductionLeftsides,
    compiled::kFolds,
};

} // namespace

std::shared_ptr<SSYaccTable> interleafYaccTable() {
    static const std::shared_ptr<SSYaccTable> table =
        std::make_shared<SSYaccTable>(kCompiledYaccTable);
    return table;
}

} // namespace quillex
