// The character tags of QMX and their Unicode characters.
#include "xliff/unicode_codes.h"

#include "xliff/code_page_text.h"

#include <algorithm>

namespace quillex::xliff {
namespace {

struct CharacterTag {
    std::string_view tag;
    std::string_view character; // UTF-8
};

// Each tag has one character and each character one tag. Interleaf's hard
// hyphen is character code 30, which QMX writes as the generic code tag.
constexpr CharacterTag kCharacterTags[] = {
    {"<:hs>", "\u00A0"},  // hard space: no-break space
    {"<:hls>", "\u200A"}, // hair space
    {"<:ts>", "\u2009"},  // thin space
    {"<:fs>", "\u2007"},  // figure space
    {"<:ens>", "\u2002"}, // en space
    {"<:ems>", "\u2003"}, // em space
    {"<:sh>", "\u00AD"},  // soft hyphen
    {"<:r30>", "\u2011"}, // hard hyphen: non-breaking hyphen
    {"<:ldq>", "\u201C"}, // English left (German right) double quote
    {"<:rdq>", "\u201D"}, // English right double quote
    {"<:glq>", "\u201E"}, // German low double quote
    {"<:flq>", "\u00AB"}, // French left guillemet
    {"<:frq>", "\u00BB"}, // French right guillemet
};

const CharacterTag* tagOfCharacterAt(std::string_view text, std::size_t at) {
    for (const CharacterTag& entry : kCharacterTags)
        if (text.substr(at, entry.character.size()) == entry.character)
            return &entry;
    return nullptr;
}

bool contains(const std::vector<std::string>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Calls `onCharacter(entry)` for each mapped character of `text` and
// `onText(run)` for the runs between them.
template <typename OnText, typename OnCharacter>
void splitAtCharacters(std::string_view text, OnText onText, OnCharacter onCharacter) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const CharacterTag* entry = tagOfCharacterAt(text, at);
        if (entry == nullptr)
            continue;
        onText(text.substr(start, at - start));
        onCharacter(*entry);
        at += entry->character.size() - 1;
        start = at + 1;
    }
    onText(text.substr(start));
}

int largestId(const UnitContent& content) {
    int largest = 0;
    for (const ContentPiece& piece : content)
        if (const auto* code = std::get_if<InlineCode>(&piece))
            largest = std::max(largest, code->id);
    return largest;
}

} // namespace

std::optional<std::string_view> characterOfTag(std::string_view tag) {
    for (const CharacterTag& entry : kCharacterTags)
        if (entry.tag == tag)
            return entry.character;
    return std::nullopt;
}

UnicodeContent withUnicodeCharacters(const UnitContent& content, int codePage) {
    // Which characters the source writes as tags, and which as text.
    std::vector<std::string> asTags;
    UnicodeContent result;
    for (const ContentPiece& piece : content) {
        if (const auto* code = std::get_if<InlineCode>(&piece)) {
            if (const auto character = characterOfTag(code->native); character && !code->raw)
                asTags.emplace_back(*character);
            continue;
        }
        splitAtCharacters(
            std::get<std::string>(piece), [](std::string_view) {},
            [&](const CharacterTag& entry) {
                if (!contains(result.textCharacters, entry.character))
                    result.textCharacters.emplace_back(entry.character);
            });
    }
    std::erase_if(result.textCharacters,
                  [&](const std::string& character) { return contains(asTags, character); });

    // The other codes keep their numbers, so that a translation exported
    // while these tags were codes still matches its source.
    int lastId = largestId(content);
    for (const ContentPiece& piece : content) {
        if (const auto* code = std::get_if<InlineCode>(&piece)) {
            if (const auto character = characterOfTag(code->native); character && !code->raw)
                appendText(result.content, *character);
            else
                result.content.push_back(piece);
            continue;
        }
        // A character the unit also writes as a tag keeps its bytes in a
        // code, so that import can tell the two apart.
        splitAtCharacters(
            std::get<std::string>(piece),
            [&](std::string_view run) { appendText(result.content, run); },
            [&](const CharacterTag& entry) {
                if (contains(result.textCharacters, entry.character)) {
                    appendText(result.content, entry.character);
                    return;
                }
                InlineCode bytes;
                bytes.kind = CodeKind::Bytes;
                bytes.id = ++lastId;
                bytes.native = encodeUtf8Text(entry.character, codePage).bytes;
                bytes.raw = true;
                result.content.emplace_back(std::move(bytes));
            });
    }
    return result;
}

UnitContent withCharacterCodesAsText(const UnitContent& content) {
    UnitContent result;
    for (const ContentPiece& piece : content) {
        const auto* code = std::get_if<InlineCode>(&piece);
        const auto character = code != nullptr && !code->raw && code->kind == CodeKind::Placeholder
                                   ? characterOfTag(code->native)
                                   : std::nullopt;
        if (character)
            appendText(result, *character);
        else if (code != nullptr)
            result.push_back(piece);
        else
            appendText(result, std::get<std::string>(piece));
    }
    return result;
}

UnitContent withCharacterTags(const UnitContent& content,
                              const std::vector<std::string>& textCharacters, int codePage) {
    UnitContent result;
    for (const ContentPiece& piece : content) {
        if (std::holds_alternative<InlineCode>(piece)) {
            result.push_back(piece);
            continue;
        }
        splitAtCharacters(
            std::get<std::string>(piece), [&](std::string_view run) { appendText(result, run); },
            [&](const CharacterTag& entry) {
                if (contains(textCharacters, entry.character) &&
                    !encodeUtf8Text(entry.character, codePage).missing) {
                    appendText(result, entry.character);
                    return;
                }
                InlineCode tag;
                tag.kind = CodeKind::Placeholder;
                tag.native = entry.tag;
                result.emplace_back(std::move(tag));
            });
    }
    return result;
}

} // namespace quillex::xliff
