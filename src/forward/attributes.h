// The attributes of an Interleaf tag ("<"para", Font = F20, Hidden = yes>"),
// as name and value pairs.
//
// The pairs are kept in their order (index markers walk them) and in a map
// by name (everything else looks single attributes up). A bare or quoted word
// without "=" is kept under a generated name "QMX_PROPERTY" and a running
// number; a name met a second time is kept under the name and the first free
// running number, so nothing of the tag is lost.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillex {

// Blanks between markup parts: space, tab and line ends.
bool isBlank(char c);
// `text` without the blanks at either end.
std::string trimmed(std::string_view text);

// One field of a tag or declaration: "name = value" or a bare value, trimmed.
struct TagField {
    std::optional<std::string> name; // none for a bare value
    std::string value;
};

// Where tags and declarations are read differently.
struct TagFieldSyntax {
    // A value may be a run in single quotes ('<Autonum, "fn", 1>'), which
    // ends at the next single quote outside its double-quoted parts.
    bool singleQuotedValues = false;
    // Only the first "=" of a field ends its name; otherwise every one does.
    bool firstEqualsEndsName = false;
};

// The fields of `text`, a tag or declaration from its "<" to its ">". A
// double quote starts a run copied with its quotes: a doubled quote stays in
// the run, and ESC toggles a mode in which quotes do not end it. Outside
// runs, "=" ends a field's name, and "," or ">" ends the field. A named field
// with nothing after its "=" has a blank for its value; an empty bare field is
// no field.
std::vector<TagField> scanTagFields(std::string_view text, TagFieldSyntax syntax = {});

class TagAttributes {
  public:
    // Parses the attributes of `tagText`, a whole tag from its "<" to its ">".
    static TagAttributes parse(std::string_view tagText);

    // The value stored under `name`, as written (quotes kept, blanks around
    // it trimmed); none when the tag has no such attribute.
    std::optional<std::string> value(const std::string& name) const;
    // True when the value of `name`, without surrounding quotes, is `word`.
    bool valueIs(const std::string& name, std::string_view word) const;
    bool has(const std::string& name) const { return byName_.count(name) != 0; }

    // The pairs in tag order, each with the name it is stored under.
    const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }

    // The first attribute whose name begins with the at sign (an effectivity
    // attribute); none when there is none.
    const std::pair<std::string, std::string>* effectivity() const;

  private:
    void store(std::string name, std::string value);

    std::vector<std::pair<std::string, std::string>> pairs_;
    std::map<std::string, std::string> byName_;
    int propertyNumber_ = 0;
};

// `value` without one pair of surrounding double quotes.
std::string_view unquoted(std::string_view value);

// The first double-quoted value in `tagText` (a component's or class's name,
// a page label): a doubled quote in it stands for one quote, and the escape
// character toggles a mode in which quotes are copied. Empty when the tag has
// no quoted value.
std::string firstQuotedValue(std::string_view tagText);

// The first field of a tag that has no name of its own, after the tag's own
// name: the page label of "<|, "ii">" and of "<|,ii>", the stream of
// "<Autonum, list, 1>", the master row of "<Row, "row">". A quoted field is
// read as by firstQuotedValue, an unquoted one is taken whole (trimmed).
// Empty when there is none.
std::string firstUnnamedValue(std::string_view tagText);

} // namespace quillex
