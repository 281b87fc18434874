// Reading and writing Interleaf declarations.
#include "backward/declaration.h"

#include "forward/attributes.h"

#include <algorithm>
#include <optional>

namespace quillex::backward {
namespace {

constexpr char kEscape = 27;

// The scan of a declaration's fields: a field ends at a "," or ">" outside
// quotes, and its first "=" outside quotes ends its name.
class FieldScanner {
  public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    std::vector<Property> scan() {
        for (pos_ = 1; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (doubleQuoted_)
                continueDoubleQuoted(c);
            else if (singleQuoted_)
                continueSingleQuoted(c);
            else
                scanPlain(c);
        }
        return std::move(properties_);
    }

  private:
    // A doubled quote stays in the run; the escape character toggles a mode
    // in which quotes do not end it.
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

    // A value in single quotes (a tag such as '<Autonum, "fn", 1>') runs to
    // the next single quote outside its double-quoted parts.
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
        } else if (c == '\'' && name_ && trimmed(buffer_).empty()) {
            buffer_ += c;
            singleQuoted_ = true;
        } else if (c == '=' && !name_) {
            name_ = trimmed(buffer_);
            buffer_.clear();
        } else if (c == ',' || c == '>') {
            endField();
        } else {
            buffer_ += c;
        }
    }

    // A named field with nothing after its "=" has a blank for its value,
    // as the forward conversion reads it; an empty bare field is no field.
    void endField() {
        std::string text = trimmed(buffer_);
        buffer_.clear();
        if (name_) {
            properties_.push_back({std::move(*name_), text.empty() ? " " : std::move(text)});
            name_.reset();
        } else if (!text.empty()) {
            properties_.push_back({std::move(text), {}});
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string buffer_;
    std::optional<std::string> name_;
    bool doubleQuoted_ = false;
    bool singleQuoted_ = false;
    bool escaped_ = false;
    std::vector<Property> properties_;
};

} // namespace

Declaration Declaration::parse(std::string_view text) {
    Declaration declaration;
    declaration.properties_ = FieldScanner(text).scan();
    return declaration;
}

std::string Declaration::write() const {
    std::string text = "<";
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        if (i != 0)
            text += ",\n";
        text += properties_[i].name;
        if (!properties_[i].value.empty())
            text.append(" = ").append(properties_[i].value);
    }
    text += '>';
    return text;
}

Property* Declaration::find(std::string_view name) {
    const auto found =
        std::find_if(properties_.begin(), properties_.end(),
                     [&](const Property& property) { return property.name == name; });
    return found == properties_.end() ? nullptr : &*found;
}

const Property* Declaration::find(std::string_view name) const {
    const auto found =
        std::find_if(properties_.begin(), properties_.end(),
                     [&](const Property& property) { return property.name == name; });
    return found == properties_.end() ? nullptr : &*found;
}

bool Declaration::set(std::string_view name, std::string value) {
    Property* property = find(name);
    if (property == nullptr) {
        properties_.push_back({std::string(name), std::move(value)});
        return true;
    }
    if (property->value == value)
        return false;
    property->value = std::move(value);
    return true;
}

std::string quotedValue(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    quoted += '"';
    return quoted;
}

} // namespace quillex::backward
