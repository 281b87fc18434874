// The shared items of one file: those its declarations define (autonumber
// streams, classes, master frames and master diagramming objects, by name)
// and those its body uses, which the batch's collector records per document
// so that the catalog of a style file can list the documents using each.
#pragma once

#include "forward/ancillary_collector.h"
#include "forward/document_piece.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillex {

// The declarations by name, each with the index of its piece. A name
// declared twice keeps its first declaration.
struct DeclaredItems {
    std::map<std::string, std::size_t> autonumberStreams;
    std::map<std::string, std::size_t> classes;
    std::map<std::string, std::size_t> masterFrames;  // shared frames
    std::map<std::string, std::size_t> masterObjects; // shared named objects

    static DeclaredItems collect(const PieceList& pieces);
};

// The name of the autonumber stream an autonumber declaration or reference
// ("<Autonum, "name", ...>", "<Autonum, name, ...>") names.
std::string autonumberStreamName(std::string_view tagText);

// The names of one kind of item, each once, in the order first met.
class NameList {
  public:
    // True when `name` is new.
    bool add(const std::string& name);
    bool contains(const std::string& name) const { return seen_.count(name) != 0; }
    const std::vector<std::string>& names() const { return names_; }

  private:
    std::vector<std::string> names_;
    std::set<std::string> seen_;
};

// The shared items a document uses.
struct UsedItems {
    NameList autonumberStreams;
    NameList classes; // variable and prefix classes
    NameList namedObjects;
    NameList sharedFrames;
};

// Adds `documentPath` to the collector's list of each item `used` names.
void registerUse(const UsedItems& used, const std::string& documentPath,
                 AncillaryCollector& collector);

} // namespace quillex
