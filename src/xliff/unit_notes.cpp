// The context of each unit, from the external tags that start its line.
#include "xliff/unit_notes.h"

#include "xliff/code_page_text.h"
#include "xliff/qmx_line.h"

#include <algorithm>

namespace quillex::xliff {
namespace {

// What the text after a line's first tag is, where the tag's name says it;
// `named`: the tag's argument is a name worth showing.
struct TagNote {
    std::string_view name;
    std::string_view note;
    bool named = false;
};
constexpr TagNote kTagNotes[] = {
    {"xrv", "cross-reference text"},
    {"ss", "index sort key"},
    {"ie", "index entry"},
    {"il", "index subentry"},
    {"sa", "index see-also text"},
    {"ts", "text string of a frame"},
    {"tl", "chart label of a frame"},
    {"tn", "name of a named object"},
    {"fn", "footnote"},
    {"anfmt", "autonumber stream", true},
    {"pgfmt", "page number stream", true},
    {"vfmt", "variable format", true},
    {"pnfmt", "prefix format", true},
};

// The tags that open and close a format whose texts are named by <bb> lines.
constexpr std::string_view kFormatOpenings[] = {"anfmt", "pgfmt", "vfmt", "pnfmt"};
constexpr std::string_view kFormatClosings[] = {"/anfmt", "/pgfmt", "/vfmt", "/pnfmt"};

// The characters a name may not carry into an attribute: what would read
// as markup.
constexpr std::string_view kMarkupCharacters = "<>&\"' \t";

struct FirstTag {
    std::string_view name;     // "ps", "/file", ":hr"
    std::string_view argument; // the quoted argument, without quotes
};

FirstTag firstTagOf(std::string_view prefix) {
    FirstTag tag;
    const auto items = splitQmxItems(prefix);
    if (!items || items->empty() || items->front().kind != QmxItem::Kind::Tag)
        return tag;
    const std::string_view text = items->front().text; // "<ps "para" 7>"
    const std::size_t nameEnd = text.find_first_of(" >", 1);
    tag.name = text.substr(1, nameEnd == std::string_view::npos ? 0 : nameEnd - 1);
    const std::size_t open = text.find('"');
    const std::size_t close = text.rfind('"');
    if (open != std::string_view::npos && close > open)
        tag.argument = text.substr(open + 1, close - open - 1);
    else if (nameEnd != std::string_view::npos && text[nameEnd] == ' ')
        tag.argument = text.substr(nameEnd + 1, text.size() - nameEnd - 2); // <pgfmt NAME>
    return tag;
}

} // namespace

std::string UnitContextTracker::readable(std::string_view bytes) const {
    if (auto utf8 = exactUtf8(bytes, codePage_))
        return *utf8;
    std::string text;
    for (const char c : bytes)
        text += static_cast<unsigned char>(c) < 0x80 && c >= ' ' ? c : '?';
    return text;
}

std::string UnitContextTracker::nameFor(const std::string& base) {
    std::string name = base.empty() ? "line" : base;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return kMarkupCharacters.find(c) != std::string_view::npos; }, '_');
    return name + "." + std::to_string(++counts_[name]);
}

std::string UnitContextTracker::describe(std::string_view name, std::string_view argument) {
    if (name == "ps") {
        className_ = readable(argument);
        return "paragraph class " + className_;
    }
    if (name == ":hr")
        return className_.empty() ? "after a hard return"
                                  : "paragraph class " + className_ + ", after a hard return";
    if (name == "bb") // a text of a format: "Level 1 Prefix of autonumber stream chap"
        return readable(argument) + (format_.empty() ? "" : " of " + format_);
    for (const TagNote& entry : kTagNotes)
        if (entry.name == name)
            return std::string(entry.note) + (entry.named ? " " + readable(argument) : "");
    return {};
}

void UnitContextTracker::follow(std::string_view name, std::string_view argument) {
    // The ancillary file holds the texts of each document between <file>
    // and </file>, in blocks named by <bb> lines without text.
    if (name == "file") {
        ancillaryFile_ = readable(argument);
    } else if (name == "/file") {
        ancillaryFile_.clear();
        block_.clear();
    } else if (name == "ct") {
        ++cellDepth_;
    } else if (name == "/ct" && cellDepth_ > 0) {
        --cellDepth_;
    } else if (std::ranges::find(kFormatOpenings, name) != std::end(kFormatOpenings)) {
        format_ = describe(name, argument);
    } else if (std::ranges::find(kFormatClosings, name) != std::end(kFormatClosings)) {
        format_.clear();
    }
}

UnitContext UnitContextTracker::next(std::string_view prefix, bool hasText) {
    const FirstTag tag = firstTagOf(prefix);
    follow(tag.name, tag.argument);
    if (tag.name == "bb" && !hasText)
        block_ = readable(tag.argument);

    UnitContext context;
    const bool paragraph = tag.name == "ps" || tag.name == ":hr";
    std::string note = describe(tag.name, tag.argument);
    context.resname = nameFor(paragraph ? className_ : std::string(tag.name));
    if (cellDepth_ > 0 && !note.empty())
        note += " in a table cell";
    if (!block_.empty() && tag.name != "bb" && format_.empty())
        note = block_ + (note.empty() ? "" : ", " + note);
    if (!ancillaryFile_.empty())
        note = "ancillary text of " + ancillaryFile_ + (note.empty() ? "" : ": " + note);
    context.note = std::move(note);
    return context;
}

} // namespace quillex::xliff
