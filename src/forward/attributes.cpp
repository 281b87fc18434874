// Parsing the attributes of an Interleaf tag.
#include "forward/attributes.h"

namespace quillex {
namespace {

constexpr char kEscape = 27;
constexpr const char* kPropertyName = "QMX_PROPERTY";

} // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// Scans the tag from its second character. A double quote starts a run that
// is copied with its quotes; a doubled quote stays in the run, and ESC
// toggles a mode in which quotes do not end it. Outside runs, "=" ends a
// name, and "," or ">" ends an attribute.
TagAttributes TagAttributes::parse(std::string_view tagText) {
    TagAttributes attributes;
    std::string buffer;
    std::optional<std::string> name;
    bool quoted = false;
    bool escaped = false;
    for (std::size_t i = 1; i < tagText.size(); ++i) {
        const char c = tagText[i];
        if (quoted) {
            buffer += c;
            if (c == kEscape) {
                escaped = !escaped;
            } else if (c == '"' && !escaped) {
                if (i + 1 < tagText.size() && tagText[i + 1] == '"')
                    buffer += tagText[++i];
                else
                    quoted = false;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            escaped = false;
            buffer += c;
        } else if (c == '=') {
            name = trimmed(buffer);
            buffer.clear();
        } else if (c == ',' || c == '>') {
            std::string text = trimmed(buffer);
            buffer.clear();
            if (name) {
                attributes.store(std::move(*name), text.empty() ? " " : std::move(text));
                name.reset();
            } else if (!text.empty()) {
                attributes.store({}, std::move(text));
            }
        } else {
            buffer += c;
        }
    }
    return attributes;
}

// A word without a name is kept under a generated one; a name already taken
// gets the first free running number behind it.
void TagAttributes::store(std::string name, std::string value) {
    std::string key;
    if (name.empty()) {
        do
            key = kPropertyName + std::to_string(propertyNumber_++);
        while (byName_.count(key) != 0);
    } else if (byName_.count(name) == 0) {
        key = std::move(name);
    } else {
        for (int number = 0;; ++number) {
            key = name + std::to_string(number);
            if (byName_.count(key) == 0)
                break;
        }
    }
    byName_.emplace(key, value);
    pairs_.emplace_back(std::move(key), std::move(value));
}

std::optional<std::string> TagAttributes::value(const std::string& name) const {
    const auto found = byName_.find(name);
    if (found == byName_.end())
        return std::nullopt;
    return found->second;
}

bool TagAttributes::valueIs(const std::string& name, std::string_view word) const {
    const auto found = byName_.find(name);
    return found != byName_.end() && unquoted(found->second) == word;
}

const std::pair<std::string, std::string>* TagAttributes::effectivity() const {
    for (const auto& pair : pairs_)
        if (pair.first.starts_with('@'))
            return &pair;
    return nullptr;
}

std::string firstQuotedValue(std::string_view tagText) {
    const std::size_t open = tagText.find('"');
    if (open == std::string_view::npos)
        return {};
    std::string value;
    bool escaped = false;
    for (std::size_t i = open + 1; i < tagText.size(); ++i) {
        const char c = tagText[i];
        if (c == kEscape) {
            escaped = !escaped;
            value += c;
        } else if (c == '"' && !escaped) {
            if (i + 1 < tagText.size() && tagText[i + 1] == '"') {
                value += '"';
                ++i;
            } else {
                break;
            }
        } else {
            value += c;
        }
    }
    return value;
}

std::string firstUnnamedValue(std::string_view tagText) {
    const TagAttributes attributes = TagAttributes::parse(tagText);
    bool tagName = true;
    for (const auto& [name, value] : attributes.pairs()) {
        if (!name.starts_with(kPropertyName))
            continue;
        if (tagName) {
            tagName = false;
            continue;
        }
        return value.starts_with('"') ? firstQuotedValue(value) : value;
    }
    return {};
}

} // namespace quillex
