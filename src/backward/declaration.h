// Declaration: an Interleaf declaration or tag ("<!Page, Hyphenation = on>",
// "<Index, "heading", Sort = "s">") as an ordered list of properties that
// can be changed and written again.
//
// The fields are read as the forward conversion reads attributes (quoted
// runs with doubled quotes and the escape character's literal mode, blanks
// around names and values trimmed, an empty value read as one blank), but
// every field keeps the name it was written with: a declaration written
// again loses nothing of what it said, also when a name occurs twice (the
// "Sort" of each level of an index entry) or a value is quoted with single
// quotes and holds commas ("Numbered = '<Autonum, "fn", 1>'").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillex::backward {

// One field: a name and its value, or a bare word (the declaration's own
// name, a quoted heading) with an empty value.
struct Property {
    std::string name;
    std::string value;
};

class Declaration {
  public:
    // Reads `text`, a whole declaration from its "<" to its ">".
    static Declaration parse(std::string_view text);

    // "<", the fields joined by ",\n" (each its name, and " = " and its
    // value when it has one), ">".
    std::string write() const;

    std::vector<Property>& properties() { return properties_; }
    const std::vector<Property>& properties() const { return properties_; }

    // The first field named `name`; null when there is none.
    Property* find(std::string_view name);
    const Property* find(std::string_view name) const;

    // Sets the value of the first field named `name`, or adds the field at
    // the end. Returns whether the declaration changed.
    bool set(std::string_view name, std::string value);

  private:
    std::vector<Property> properties_;
};

// `text` as a quoted value: each double quote doubled, a double quote before
// and after.
std::string quotedValue(std::string_view text);

} // namespace quillex::backward
