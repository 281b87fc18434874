// Declared and used shared items.
#include "forward/shared_items.h"

#include "forward/attributes.h"

#include <algorithm>

namespace quillex {
namespace {

void addUse(std::map<std::string, std::vector<std::string>>& uses, const NameList& names,
            const std::string& path) {
    for (const std::string& name : names.names()) {
        std::vector<std::string>& paths = uses[name];
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    }
}

} // namespace

DeclaredItems DeclaredItems::collect(const PieceList& pieces) {
    DeclaredItems declared;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DocumentPiece& piece = *pieces[i];
        if (piece.lines.empty())
            continue;
        switch (piece.kind) {
        case PieceKind::AutonumberStream:
            declared.autonumberStreams.emplace(autonumberStreamName(piece.lines.front()), i);
            break;
        case PieceKind::Class:
            declared.classes.emplace(firstQuotedValue(piece.lines.front()), i);
            break;
        case PieceKind::MasterFrame:
            declared.masterFrames.emplace(piece.name, i);
            break;
        case PieceKind::MasterDiagrammingObject:
            declared.masterObjects.emplace(piece.name, i);
            break;
        default:
            break;
        }
    }
    return declared;
}

std::string autonumberStreamName(std::string_view tagText) {
    return firstUnnamedValue(tagText);
}

bool NameList::add(const std::string& name) {
    if (!seen_.insert(name).second)
        return false;
    names_.push_back(name);
    return true;
}

void registerUse(const UsedItems& used, const std::string& documentPath,
                 AncillaryCollector& collector) {
    addUse(collector.autonumberStreams, used.autonumberStreams, documentPath);
    addUse(collector.classes, used.classes, documentPath);
    addUse(collector.namedObjects, used.namedObjects, documentPath);
    addUse(collector.sharedFrames, used.sharedFrames, documentPath);
}

} // namespace quillex
