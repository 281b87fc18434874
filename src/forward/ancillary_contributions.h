// One file's section of the ancillary file, and its hand-over to the batch's
// collector.
//
// The section is <file "%s">, then each list under its block heading ("Page
// Header/Footer Formats", "Shared Frame Formats", "Text In Shared Named
// Object Formats", "Variable Formats", "Prefix Formats", "Autonumber Stream
// Formats", "Page Number Stream Formats"), then </file "%s">. The lists that
// hold Interleaf text are converted like body text first; converting them
// may collect further items (a shared class used by a format, a stream
// referenced by a header), which are converted in turn.
#pragma once

#include "forward/ancillary_collector.h"
#include "forward/format_conversion.h"
#include "forward/shared_items.h"
#include "forward/tag_registry.h"

#include <functional>
#include <string>
#include <vector>

namespace quillex {

// What one converted file adds to the batch's collector. It is handed over
// only when the file has been converted, so a file that fails adds nothing.
struct AncillaryContribution {
    std::string file; // upper-case bare name with extension
    std::vector<std::string> lines;
    bool registersUse = false; // a document: it records the shared items it uses
    UsedItems used;
};

// Converts a list of Interleaf items into QMX items (item conversion, index
// marker moves, font balancing).
using ItemListConversion = std::function<ItemList(ItemList)>;

// The section of the file `file` (upper-case name and extension). Every
// heading line is entered in both tag maps.
std::vector<std::string> ancillarySection(const std::string& file, AncillaryLists& lists,
                                          const ItemListConversion& convert, TagRegistry& registry);

// Appends the contribution's lines to the collector and, for a document,
// adds `documentPath` to the users of each shared item it uses.
void commitContribution(const AncillaryContribution& contribution, const std::string& documentPath,
                        AncillaryCollector& collector);

} // namespace quillex
