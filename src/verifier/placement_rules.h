// The placement rules of external tags: where each tag may stand, what pair
// it opens or closes, and what text may follow it. The structure check and
// the positioning check of external tags read them; the rows, one per tag,
// are in placement_rules.cpp.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillex::verifier {

// The contexts a tag stands in: the pairs of opening and closing tags, in the
// order in which pairs left open are reported, then the start of the file
// (before its first tag), which is never on the context stack.
enum class Context : std::uint8_t {
    CrossRef,
    TextRegion,
    TextString,
    ChartLabel,
    Frame,
    Footnote,
    CellFrame,
    IndexMarker,
    Table,
    Row,
    Cell,
    Page,
    File,
    AutonumberFormat,
    PageNumberFormat,
    VariableFormat,
    PrefixFormat,
    Qmx,
    FileStart,
};

inline constexpr std::size_t kPairKinds = static_cast<std::size_t>(Context::FileStart);

// How findings name a context.
struct ContextNames {
    const char* context;  // "<tb ?> to </tb>"
    const char* opener;   // "<tb ?>": a pair left open
    const char* position; // "on ", "in ": how a page or file names where a
                          // finding was made; null for other contexts
};

const ContextNames& namesOf(Context context);

// A set of contexts, one bit each.
using Contexts = std::uint32_t;

constexpr Contexts in(std::same_as<Context> auto... contexts) {
    return ((Contexts{1} << static_cast<unsigned>(contexts)) | ... | Contexts{0});
}

inline constexpr Contexts kAnywhere = ~Contexts{0};

// What a tag does to the context stack.
enum class Action : std::uint8_t {
    Stays, // changes nothing
    // Opens the pair, even where the tag may not stand, so that its closing
    // tag still finds it.
    Opens,
    Closes, // closes the pair where it may stand (only in that pair)
    // Closes the pair where it may stand; anywhere else the tag lacks its
    // starting tag.
    ClosesOrUnstarted,
    // Reports the pairs left open inside the innermost context where the tag
    // may stand and drops them, then opens the pair with reporting on again.
    StartsSection,
    EndsFile,         // reports the pairs left open inside the pair; no tag may follow
    OpensIndexMarker, // opens the pair; an index entry must come before other parts
    IndexEntry,       // the entry the index marker expects
    IndexPart,        // a part that may not come before the entry
};

struct Effect {
    Action action = Action::Stays;
    Context pair = Context::FileStart; // the pair opened or closed
};

// What may follow a tag in its segment.
enum class TextAfter : std::uint8_t {
    Nothing,      // only line ends
    Anything,     // text and internal tags
    VariableText, // the value of a cross-reference variable, limited in length
    IndexText,    // a part of an index marker, limited in length
    BlockText,    // by the building block's name
    NothingAtEnd, // only line ends, with a finding of its own (the end of the file)
};

struct PlacementRule {
    int tag; // tag number
    Contexts where;
    Effect effect;
    TextAfter after;
};

// The rule of tag number `tag`. A tag without a row may stand anywhere,
// changes nothing and stands alone.
const PlacementRule& placementOf(int tag);

// A building block that defines an inline tag (<bb "Variable Format"> and the
// like): its text is free and may hold that one internal tag only.
struct FormatBlock {
    std::string_view tag;
    int holds; // tag number of the internal tag
};

// The format block that `tag` is, or null.
const FormatBlock* formatBlockOf(std::string_view tag);

} // namespace quillex::verifier
