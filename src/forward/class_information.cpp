// Class information from class declarations.
#include "forward/class_information.h"

namespace quillex {

bool isSharedContents(const TagAttributes& attributes) {
    return attributes.valueIs("Contents", "Shared") ||
           attributes.valueIs("Contents", "Prefix Shared");
}

bool isPrefixContents(const TagAttributes& attributes) {
    return attributes.valueIs("Contents", "Prefix") ||
           attributes.valueIs("Contents", "Prefix Shared");
}

ClassInformation readClassInformation(const TagAttributes& declaration) {
    ClassInformation information;
    information.readOnly = declaration.valueIs("Read Only", "yes");
    information.sharedContents = isSharedContents(declaration);
    information.prefixContents = isPrefixContents(declaration);
    if (const auto* effectivity = declaration.effectivity())
        information.effectivity = effectivity->second;
    return information;
}

// The class's name is read from its tag the way a component's name is, so
// that names with doubled quotes match.
void ClassTable::addDeclarations(const PieceList& pieces) {
    for (const auto& piece : pieces) {
        if (piece->kind != PieceKind::Class || piece->lines.empty())
            continue;
        const std::string_view tag = piece->lines.front();
        add(firstQuotedValue(tag), readClassInformation(TagAttributes::parse(tag)));
    }
}

void ClassTable::add(const std::string& name, ClassInformation information) {
    classes_.insert_or_assign(name, std::move(information));
}

const ClassInformation* ClassTable::find(const std::string& name) const {
    const auto found = classes_.find(name);
    return found == classes_.end() ? nullptr : &found->second;
}

} // namespace quillex
