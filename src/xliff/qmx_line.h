// A QMX line cut into what a translator may edit and what they may not: the
// leading external tags (and a leading hard return, which starts the line by
// the line rule) are fixed; the rest is text runs and internal tags.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::xliff {

// What an internal tag is to a translation tool.
enum class TagRole {
    Literal, // stands for one character of text (<:lt>, <:gt>)
    Lone,    // a code on its own (<:t>, <:xr 12 1>)
    Opening, // opens a pair (<:fc 1>)
    Closing, // closes a pair (<:/fc>)
};

struct QmxItem {
    enum class Kind { Text, Tag };
    Kind kind;
    std::string_view text; // the bytes of the line
};

struct QmxLine {
    std::string_view prefix; // the fixed start of the line
    std::vector<QmxItem> content;
};

// Cuts `line` into text runs and tags; a tag runs from "<" to the ">" that
// closes it, with any tags nested in its arguments. Nothing when the angle
// brackets do not balance.
std::optional<std::vector<QmxItem>> splitQmxItems(std::string_view line);

// Cuts `line` into its fixed prefix and its content; nothing when the angle
// brackets do not balance.
std::optional<QmxLine> splitQmxLine(std::string_view line);

// Whether the line's text belongs to the document: every line of a QMX file
// starts with an external tag or a hard return, except the lines by which a
// catalog lists the documents that use a format (their paths), which are not
// for translation.
inline bool holdsDocumentText(const QmxLine& line) {
    return !line.prefix.empty();
}

// Whether a tag is external (starts a line) rather than internal ("<:").
bool isExternalTag(std::string_view tag);

// The role of an internal tag.
TagRole roleOf(std::string_view tag);

// The name of a paired tag without "<:", "<:/" and arguments: "fc" for both
// "<:fc 1>" and "<:/fc>".
std::string_view pairName(std::string_view tag);

// The character a literal tag stands for, and the tag of a literal character.
char literalCharacter(std::string_view tag);
std::optional<std::string_view> literalTagFor(char c);

} // namespace quillex::xliff
