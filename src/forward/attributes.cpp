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

namespace {

// The scan behind scanTagFields.
class TagFieldScanner {
  public:
    TagFieldScanner(std::string_view text, TagFieldSyntax syntax) : text_(text), syntax_(syntax) {}

    std::vector<TagField> scan() {
        for (pos_ = 1; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (doubleQuoted_)
                continueDoubleQuoted(c);
            else if (singleQuoted_)
                continueSingleQuoted(c);
            else
                scanPlain(c);
        }
        return std::move(fields_);
    }

  private:
    void continueDoubleQuoted(char c) {
        buffer_ += c;
        if (c == kEscape) {
            escaped_ = !escaped_;
        } else if (c == '"' && !escaped_) {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"')
                buffer_ += text_[++pos_];
            else
                doubleQuoted_ = false;
        }
    }

    void continueSingleQuoted(char c) {
        buffer_ += c;
        if (c == '"')
            openDoubleQuote();
        else if (c == '\'')
            singleQuoted_ = false;
    }

    void openDoubleQuote() {
        doubleQuoted_ = true;
        escaped_ = false;
    }

    void scanPlain(char c) {
        if (c == '"') {
            buffer_ += c;
            openDoubleQuote();
        } else if (c == '\'' && syntax_.singleQuotedValues && name_ && trimmed(buffer_).empty()) {
            buffer_ += c;
            singleQuoted_ = true;
        } else if (c == '=' && !(syntax_.firstEqualsEndsName && name_)) {
            name_ = trimmed(buffer_);
            buffer_.clear();
        } else if (c == ',' || c == '>') {
            endField();
        } else {
            buffer_ += c;
        }
    }

    void endField() {
        std::string value = trimmed(buffer_);
        buffer_.clear();
        if (name_) {
            fields_.push_back({std::move(name_), value.empty() ? " " : std::move(value)});
            name_.reset();
        } else if (!value.empty()) {
            fields_.push_back({std::nullopt, std::move(value)});
        }
    }

    std::string_view text_;
    TagFieldSyntax syntax_;
    std::size_t pos_ = 0;
    std::string buffer_;
    std::optional<std::string> name_;
    bool doubleQuoted_ = false;
    bool singleQuoted_ = false;
    bool escaped_ = false;
    std::vector<TagField> fields_;
};

} // namespace

std::vector<TagField> scanTagFields(std::string_view text, TagFieldSyntax syntax) {
    return TagFieldScanner(text, syntax).scan();
}

// A field named with an empty name is kept as a bare one.
TagAttributes TagAttributes::parse(std::string_view tagText) {
    TagAttributes attributes;
    for (TagField& field : scanTagFields(tagText))
        attributes.store(field.name.value_or(std::string()), std::move(field.value));
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
