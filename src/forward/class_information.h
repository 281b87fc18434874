// What the body conversion needs to know about each class a document
// declares ("<!Class, "name", ...>"): whether its components are read-only,
// whether its contents are shared or a prefix, and its effectivity value.
#pragma once

#include "forward/attributes.h"
#include "forward/document_piece.h"

#include <map>
#include <optional>
#include <string>

namespace quillex {

struct ClassInformation {
    bool readOnly = false;       // "Read Only" = "yes"
    bool sharedContents = false; // "Contents" = "Shared" or "Prefix Shared"
    bool prefixContents = false; // "Contents" = "Prefix" or "Prefix Shared"
    // The value of an attribute whose name begins with the at sign.
    std::optional<std::string> effectivity;
};

// Shared: "Shared" or "Prefix Shared"; prefix: "Prefix" or "Prefix Shared".
bool isSharedContents(const TagAttributes& attributes);
bool isPrefixContents(const TagAttributes& attributes);

// The information of a class declaration tag.
ClassInformation readClassInformation(const TagAttributes& declaration);

// Class information by class name, from the class pieces (kind 11).
class ClassTable {
  public:
    void addDeclarations(const PieceList& pieces);
    void add(const std::string& name, ClassInformation information);
    // Null for a class the document does not declare.
    const ClassInformation* find(const std::string& name) const;

  private:
    std::map<std::string, ClassInformation> classes_;
};

} // namespace quillex
