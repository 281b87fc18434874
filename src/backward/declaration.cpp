// Reading and writing Interleaf declarations.
#include "backward/declaration.h"

#include "forward/attributes.h"

#include <algorithm>

namespace quillex::backward {
Declaration Declaration::parse(std::string_view text) {
    Declaration declaration;
    for (TagField& field :
         scanTagFields(text, {.singleQuotedValues = true, .firstEqualsEndsName = true})) {
        if (field.name)
            declaration.properties_.push_back({std::move(*field.name), std::move(field.value)});
        else
            declaration.properties_.push_back({std::move(field.value), {}});
    }
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
