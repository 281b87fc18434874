// Registration of the Interleaf table images as program resources.
#include "parser/interleaf/interleaf_table_images.h"

#include "parser/resource_registry.h"

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

} // namespace quillex
