// Names of the refused constructs and body mixes, and sizes, as the command
// line takes them.
#include "generator_options.h"

#include <array>
#include <charconv>
#include <limits>
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

constexpr std::array<std::pair<std::string_view, BodyMix>, 3> kMixNames{{
    {"mixed", BodyMix::Mixed},
    {"text", BodyMix::RunningText},
    {"rich", BodyMix::TablesAndFrames},
}};

// The suffixes a size may carry, with the bytes each stands for.
constexpr std::array<std::pair<std::string_view, std::uint64_t>, 8> kSizeUnits{{
    {"", 1},
    {"K", 1024},
    {"k", 1024},
    {"KB", 1024},
    {"M", 1024 * 1024},
    {"MB", 1024 * 1024},
    {"G", 1024ULL * 1024 * 1024},
    {"GB", 1024ULL * 1024 * 1024},
}};

// Lookups in the tables of names above.
template <class Value, std::size_t N>
std::vector<std::string_view>
namesOf(const std::array<std::pair<std::string_view, Value>, N>& table) {
    std::vector<std::string_view> names;
    for (const auto& [name, value] : table)
        names.push_back(name);
    return names;
}

template <class Value, std::size_t N>
std::optional<Value> valueNamed(const std::array<std::pair<std::string_view, Value>, N>& table,
                                std::string_view name) {
    for (const auto& [known, value] : table)
        if (known == name)
            return value;
    return std::nullopt;
}

} // namespace

std::vector<std::string_view> refusedNames() {
    return namesOf(kRefusedNames);
}

std::optional<Refused> refusedFromName(std::string_view name) {
    return valueNamed(kRefusedNames, name);
}

std::vector<std::string_view> mixNames() {
    return namesOf(kMixNames);
}

std::optional<BodyMix> mixFromName(std::string_view name) {
    return valueNamed(kMixNames, name);
}

std::optional<std::uint64_t> parseSize(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    const auto unit = valueNamed(kSizeUnits, text.substr(end - text.data()));
    if (!unit || value > std::numeric_limits<std::uint64_t>::max() / *unit)
        return std::nullopt;
    return value * *unit;
}

} // namespace quillex::docgen
