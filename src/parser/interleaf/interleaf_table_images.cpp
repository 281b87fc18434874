// Registration of the Interleaf table images as program resources.
#include "parser/interleaf/interleaf_table_images.h"

#include "parser/resource_registry.h"
#include "parser/ss_lex_table.h"
#include "parser/ss_yacc_table.h"

#include <mutex>

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

namespace {

// One decoded table per table type, with the image it was decoded from.
template <typename Table> struct DecodedTable {
    std::mutex lock;
    const std::uint8_t* image = nullptr;
    std::size_t size = 0;
    std::shared_ptr<Table> table;

    std::shared_ptr<Table> get(const char* name, const char* type) {
        registerInterleafTables();
        const std::span<const std::uint8_t> registered = findResource(name, type);
        const std::lock_guard guard(lock);
        if (table == nullptr || registered.data() != image || registered.size() != size) {
            table = std::make_shared<Table>(name, type);
            image = registered.data();
            size = registered.size();
        }
        return table;
    }
};

} // namespace

std::shared_ptr<SSLexTable> interleafLexTable() {
    static DecodedTable<SSLexTable> decoded;
    return decoded.get(kInterleafLexTableName, kInterleafLexTableType);
}

std::shared_ptr<SSYaccTable> interleafYaccTable() {
    static DecodedTable<SSYaccTable> decoded;
    std::shared_ptr<SSYaccTable> table =
        decoded.get(kInterleafYaccTableName, kInterleafYaccTableType);
    if (table->larIterators() != 0)
        return std::make_shared<SSYaccTable>(kInterleafYaccTableName, kInterleafYaccTableType);
    return table;
}

} // namespace quillex
