// The component rules of item conversion: what a component start becomes.
//
// A component is hidden behind one markup tag when it is a hidden component
// with effectivity (<cnmk>), a read-only one (<r>) or one with shared
// contents (<v>, or <pn> for a prefix); its items are then taken out of the
// text, and the tag stands for them all. Any other component start becomes a
// paragraph tag (<ps>) or, for a subcomponent, an inline tag (<:cs>, <:sc>,
// <:cns>) whose end closes at the subcomponent's "<End Sub>".
#include "forward/item_conversion.h"

#include "forward/attributes.h"
#include "forward/document_piece.h"
#include "forward/single_item_rules.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

namespace quillex {
namespace {

// An attribute value as a quoted tag argument: a value written unquoted
// (@Audience = expert) gets the quotes that every string argument has.
std::string quotedValue(const std::string& value) {
    return value.starts_with('"') ? value : "\"" + value + "\"";
}

std::string numberedTag(std::string_view opening, const std::string& argument, int number) {
    std::string tag(opening);
    tag += " \"";
    tag += argument;
    tag += "\" ";
    tag += std::to_string(number);
    tag += '>';
    return tag;
}

// "<pn " and "<:pn " are one tag in two places: the external form stays on
// the line of the prefix paragraph it follows, the internal one is inline.
std::string inPrefixForm(std::string_view tag, bool external) {
    std::string placed;
    if (external && qmx::begins(tag, qmx::Tag::InlinePrefix)) {
        placed = "<";
        placed.append(tag.substr(2));
    } else if (!external && qmx::begins(tag, qmx::Tag::PrefixComponent)) {
        placed = "<:";
        placed.append(tag.substr(1));
    } else {
        placed = tag;
    }
    return placed;
}

} // namespace

const ItemConverter::ComponentStart& ItemConverter::componentStart(std::string_view start) {
    const auto found = starts_.find(start);
    if (found != starts_.end())
        return found->second;
    ComponentStart read;
    read.name = firstQuotedValue(start);
    read.attributes = TagAttributes::parse(start);
    read.information = classes_.find(read.name);
    read.sub = read.attributes.valueIs("Subcomponent", "yes");
    return starts_.emplace(start, std::move(read)).first->second;
}

void ItemConverter::convertComponent() {
    const std::string_view start = (*items_)[position_];
    const ComponentStart& read = componentStart(start);
    if (hideComponent(start, read.attributes, read.information, read.sub))
        return;
    openComponent(start, read.attributes, read.information, read.sub);
}

// The items of the component at the current position: for a paragraph up to
// its end-of-paragraph mark, for a subcomponent up to and including its
// "<End Sub>" and the "<F0>" after it.
std::span<const std::string_view> ItemConverter::componentItems(bool sub) {
    const std::size_t end = sub ? subcomponentEnd(position_) : paragraphEnd(position_);
    return std::span<const std::string_view>(*items_).subspan(position_, end - position_);
}

std::size_t ItemConverter::subcomponentEnd(std::size_t start) {
    const ItemList& items = *items_;
    int depth = 1;
    int microDocuments = 0; // what a frame's micro-document holds is its own
    for (std::size_t i = start + 1; i < items.size(); ++i) {
        const std::string_view item = items[i];
        if (qmx::begins(item, qmx::Tag::TextRegion)) {
            ++microDocuments;
            continue;
        }
        if (microDocuments > 0) {
            if (item == "</tr>")
                --microDocuments;
            continue;
        }
        if (item == kEndOfParagraphMark)
            return i; // a subcomponent never runs past its paragraph
        if (qmx::is(item, qmx::Markup::Component) && componentStart(item).sub) {
            ++depth;
        } else if (item == "<End Sub>" && --depth == 0) {
            if (i + 1 < items.size() && items[i + 1] == "<F0>")
                return i + 2;
            return i + 1;
        }
    }
    return items.size();
}

void ItemConverter::collectSharedItems(std::span<const std::string_view> removed) {
    for (const std::string_view item : removed)
        if (qmx::begins(item, qmx::Tag::ObjectName) ||
            qmx::begins(item, qmx::Tag::InlineSharedFrame))
            extensions_.collectSharedItem(item);
}

// Rules 1 to 4: the component disappears behind one tag. Returns false when
// none applies.
bool ItemConverter::hideComponent(std::string_view start, const TagAttributes& attributes,
                                  const ClassInformation* information, bool sub) {
    const bool classEffectivity = information != nullptr && information->effectivity;
    const bool ownEffectivity = attributes.effectivity() != nullptr;

    // 1. A hidden component with effectivity.
    if (attributes.valueIs("Hidden", "yes") && (classEffectivity || ownEffectivity)) {
        const auto removed = componentItems(sub);
        const std::string_view tag =
            registry_.markupTag(joinedMarkup(removed), TagCounter::Hidden, [&](int n) {
                return (sub ? "<:cnmk " : "<cnmk ") + std::to_string(n) + ">";
            });
        collectSharedItems(removed);
        position_ += removed.size();
        emit(tag);
        return true;
    }

    // 2. A cross-reference variable: the component and its paragraph end.
    if (attributes.has("Lisp")) {
        const std::size_t end = paragraphEnd(position_);
        const auto component = std::span<const std::string_view>(*items_).subspan(
            position_, std::min(end + 1, items_->size()) - position_);
        if (auto variable = extensions_.convertVariable(component, attributes)) {
            position_ += component.size();
            for (const std::string_view item : *variable)
                emit(item);
            return true;
        }
    }

    // 3. A read-only component.
    const bool readOnly =
        attributes.valueIs("Read Only", "yes") ||
        (information != nullptr && information->readOnly && !attributes.valueIs("Read Only", "no"));
    if (settings_.readOnlyComponents == ReadOnlyComponents::DontTranslate && readOnly) {
        const auto removed = componentItems(sub);
        const std::string text = joinSingleItems(removed, ItemSource::Body, settings_.characters);
        const std::string_view tag =
            registry_.markupTag(joinedMarkup(removed), TagCounter::ReadOnly,
                                [&](int n) { return numberedTag(sub ? "<:r" : "<r", text, n); });
        collectSharedItems(removed);
        position_ += removed.size();
        emit(tag);
        return true;
    }

    // 4. Shared contents: of the class (unless the component says otherwise),
    // or of the subcomponent itself.
    const bool classShared = information != nullptr && information->sharedContents;
    const bool shared =
        (classShared && !attributes.has("Contents")) || (sub && isSharedContents(attributes));
    if (!shared)
        return false;
    const auto removed = componentItems(sub);
    const std::string markup = joinedMarkup(removed);
    const std::string text = joinSingleItems(removed, ItemSource::Body, settings_.characters);
    const std::string& name = componentStart(start).name;
    std::string_view tag;
    if (sub && name.starts_with("|:")) {
        const bool external = previousParagraphIsPrefix_;
        tag = registry_.markupTag(markup, TagCounter::Prefix, [&](int n) {
            return numberedTag(external ? "<pn" : "<:pn", text, n);
        });
        const std::string placed = inPrefixForm(tag, external);
        if (placed != tag)
            tag = registry_.enterReplacement(placed, markup);
    } else {
        tag = registry_.markupTag(markup, TagCounter::Shared,
                                  [&](int n) { return numberedTag(sub ? "<:v" : "<v", text, n); });
    }
    if (classShared)
        extensions_.collectSharedClass(name);
    collectSharedItems(removed);
    position_ += removed.size();
    emit(tag);
    return true;
}

// Rule 5: a paragraph start, or an inline subcomponent that stays open until
// its "<End Sub>".
void ItemConverter::openComponent(std::string_view start, const TagAttributes& attributes,
                                  const ClassInformation* information, bool sub) {
    const std::string& name = componentStart(start).name;
    previousParagraphIsPrefix_ = !sub && ((information != nullptr && information->prefixContents) ||
                                          isPrefixContents(attributes));
    if (!sub) {
        // A subcomponent never runs into the next paragraph: one left open
        // (its "<End Sub>" missing, or a blank line inside it) ends with the
        // paragraph, and a later "<End Sub>" is markup of its own.
        while (!openSubcomponents_.empty()) {
            emit(openSubcomponents_.back());
            openSubcomponents_.pop_back();
        }
        emit(registry_.markupTag(std::string(start) + kMarkupSeparator, TagCounter::Paragraph,
                                 [&](int n) { return numberedTag("<ps", name, n); }));
        ++position_;
        return;
    }

    // The font change right after the start belongs to it.
    const ItemList& items = *items_;
    const bool withFont = position_ + 1 < items.size() && isFontChange(items[position_ + 1]);
    std::string markup = std::string(start) + kMarkupSeparator;
    if (withFont) {
        markup += items[position_ + 1];
        markup += kMarkupSeparator;
    }

    const std::pair<std::string, std::string>* ownEffectivity = attributes.effectivity();
    const std::optional<std::string> effectivity =
        information != nullptr && information->effectivity
            ? information->effectivity
            : (ownEffectivity ? std::optional<std::string>(ownEffectivity->second) : std::nullopt);
    std::string_view tag;
    if (effectivity) {
        tag = registry_.markupTag(markup, TagCounter::ConditionalSubcomponent, [&](int n) {
            return "<:cns " + quotedValue(*effectivity) + " " + std::to_string(n) + ">";
        });
        openSubcomponents_.push_back("<:/cns>");
    } else if (attributes.has("Font") || (withFont && items[position_ + 1] != "<F0>")) {
        tag = registry_.markupTag(markup, TagCounter::FontSubcomponent,
                                  [&](int n) { return numberedTag("<:cs", name, n); });
        openSubcomponents_.push_back("<:/cs>");
    } else {
        tag = registry_.markupTag(markup, TagCounter::Subcomponent,
                                  [&](int n) { return numberedTag("<:sc", name, n); });
        openSubcomponents_.push_back("<:/sc>");
    }
    position_ += withFont ? 2 : 1;
    emit(tag);
}

} // namespace quillex
