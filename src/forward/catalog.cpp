// The catalog of a style file.
#include "forward/catalog.h"

#include "forward/attributes.h"
#include "forward/shared_items.h"

namespace quillex {
namespace {

using Users = std::map<std::string, std::vector<std::string>>;

const std::vector<std::string>* usersOf(const Users& users, const std::string& name) {
    const auto found = users.find(name);
    return found == users.end() || found->second.empty() ? nullptr : &found->second;
}

} // namespace

std::vector<std::string> catalogBody(const PieceList& pieces, const AncillaryCollector& collector,
                                     TagRegistry& registry) {
    std::vector<std::string> lines;
    auto addEntry = [&](const std::string& tag, const std::vector<std::string>& paths,
                        const char* end) {
        registry.enterSelf(tag);
        lines.push_back(tag);
        lines.insert(lines.end(), paths.begin(), paths.end());
        if (end != nullptr) {
            registry.enterSelf(end);
            lines.push_back(end);
        }
    };
    for (const auto& piece : pieces) {
        if (piece->lines.empty())
            continue;
        const std::string_view declaration = piece->lines.front();
        switch (piece->kind) {
        case PieceKind::AutonumberStream: {
            const std::string name = autonumberStreamName(declaration);
            if (const auto* paths = usersOf(collector.autonumberStreams, name))
                addEntry("<anfmt \"" + name + "\">", *paths, "</anfmt>");
            break;
        }
        case PieceKind::Class: {
            const std::string name = firstQuotedValue(declaration);
            if (const auto* paths = usersOf(collector.classes, name))
                addEntry((name.starts_with("|:") ? "<pnfmt \"" : "<vfmt \"") + name + "\">", *paths,
                         nullptr);
            break;
        }
        case PieceKind::MasterFrame:
            if (const auto* paths = usersOf(collector.sharedFrames, piece->name))
                addEntry("<saf \"" + piece->name + "\">", *paths, nullptr);
            break;
        case PieceKind::MasterDiagrammingObject:
            if (const auto* paths = usersOf(collector.namedObjects, piece->name))
                addEntry("<tn \"" + piece->name + "\">", *paths, nullptr);
            break;
        default:
            break;
        }
    }
    return lines;
}

} // namespace quillex
