// Names of the refused constructs.
#include "generator_options.h"

#include <array>
#include <utility>

namespace quillex::docgen {
namespace {

constexpr std::array<std::pair<std::string_view, Refused>, 10> kRefusedNames{{
    {"revision-tracking", Refused::RevisionTracking},
    {"split-document", Refused::SplitDocument},
    {"a-page", Refused::APageAttribute},
    {"class-defaults", Refused::ClassDefaults},
    {"manual-comment", Refused::ManualComment},
    {"include-declarations", Refused::IncludeDeclarations},
    {"include", Refused::Include},
    {"long-index", Refused::LongIndexMarker},
    {"not-sjis", Refused::NotShiftJis},
    {"wrong-version", Refused::WrongVersion},
}};

} // namespace

std::vector<std::string_view> refusedNames() {
    std::vector<std::string_view> names;
    for (const auto& [name, kind] : kRefusedNames)
        names.push_back(name);
    return names;
}

std::optional<Refused> refusedFromName(std::string_view name) {
    for (const auto& [known, kind] : kRefusedNames)
        if (known == name)
            return kind;
    return std::nullopt;
}

} // namespace quillex::docgen
