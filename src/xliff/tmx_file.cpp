// Writing and reading TMX 1.4 with pugixml.
#include "xliff/tmx_file.h"

#include "xliff/unicode_codes.h"

#include "foundation/ascii_case.h"
#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"

#include <array>
#include <pugixml.hpp>
#include <sstream>

namespace quillex::xliff {
namespace {

// What the <prop> elements of a unit hold.
constexpr const char* kContextProperty = "x-quillex-class";
constexpr const char* kPreviousProperty = "x-quillex-previous";
constexpr const char* kNextProperty = "x-quillex-next";
// The type of a code whose tag has no exact UTF-8 form: its bytes in hex.
constexpr std::string_view kBytesType = "x-quillex-bytes";

// TMX's element for each kind of code, and the attribute that numbers it.
struct TmxElement {
    CodeKind kind;
    const char* element;
    const char* pos; // of <it>
    const char* number;
};
constexpr std::array<TmxElement, 6> kElements = {{
    {CodeKind::Placeholder, "ph", nullptr, "x"},
    {CodeKind::Begin, "bpt", nullptr, "i"},
    {CodeKind::End, "ept", nullptr, "i"},
    {CodeKind::IsolatedBegin, "it", "begin", "x"},
    {CodeKind::IsolatedEnd, "it", "end", "x"},
    {CodeKind::Bytes, "ph", nullptr, "x"},
}};

const TmxElement& elementOf(CodeKind kind) {
    for (const TmxElement& element : kElements)
        if (element.kind == kind)
            return element;
    return kElements[0];
}

void appendSegment(pugi::xml_node tu, std::string_view language, const UnitContent& content) {
    pugi::xml_node tuv = tu.append_child("tuv");
    tuv.append_attribute("xml:lang") = std::string(language).c_str();
    pugi::xml_node seg = tuv.append_child("seg");
    // Empty text before each code and at the end keeps the writer from
    // indenting inside the segment, where it would be text.
    for (const ContentPiece& piece : content) {
        if (const auto* text = std::get_if<std::string>(&piece)) {
            seg.append_child(pugi::node_pcdata).set_value(text->c_str());
            continue;
        }
        const InlineCode& code = std::get<InlineCode>(piece);
        const TmxElement& element = elementOf(code.kind);
        seg.append_child(pugi::node_pcdata);
        pugi::xml_node node = seg.append_child(element.element);
        node.append_attribute(element.number) = code.id;
        if (code.kind == CodeKind::Begin)
            node.append_attribute("x") = code.id;
        if (element.pos != nullptr)
            node.append_attribute("pos") = element.pos;
        if (code.raw)
            node.append_attribute("type") = std::string(kBytesType).c_str();
        node.append_child(pugi::node_pcdata)
            .set_value(code.raw ? toHex(code.native).c_str() : code.native.c_str());
    }
    seg.append_child(pugi::node_pcdata);
}

void appendProperty(pugi::xml_node tu, const char* type, const std::string& value) {
    if (value.empty())
        return; // the first or last unit of a file
    pugi::xml_node prop = tu.append_child("prop");
    prop.append_attribute("type") = type;
    prop.append_child(pugi::node_pcdata).set_value(value.c_str());
}

// All the text inside `node` (a code may hold <sub> elements).
std::string textOf(const pugi::xml_node& node) {
    std::string text;
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
        else if (child.type() == pugi::node_element)
            text += textOf(child);
    }
    return text;
}

constexpr int kMaxNesting = 64;

void readSegment(const pugi::xml_node& parent, UnitContent& content, int depth = 0) {
    if (depth > kMaxNesting)
        throw TmxError("<hi> elements nested deeper than " + std::to_string(kMaxNesting));
    for (const pugi::xml_node& child : parent.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            appendText(content, child.value());
            continue;
        }
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view name = child.name();
        if (name == "hi") { // highlighted text is text
            readSegment(child, content, depth + 1);
            continue;
        }
        InlineCode code;
        code.kind = CodeKind::Placeholder;
        for (const TmxElement& element : kElements)
            if (name == element.element &&
                (element.pos == nullptr ||
                 std::string_view(child.attribute("pos").value()) == element.pos))
                code.kind = element.kind;
        code.id = child.attribute(name == "bpt" || name == "ept" ? "i" : "x").as_int();
        code.native = textOf(child);
        if (std::string_view(child.attribute("type").value()) == kBytesType) {
            auto bytes = fromHex(code.native);
            if (!bytes)
                throw TmxError("a code of type " + std::string(kBytesType) + " is not hexadecimal");
            code.native = std::move(*bytes);
            code.raw = true;
        }
        content.emplace_back(std::move(code));
    }
}

std::string languageOf(const pugi::xml_node& tuv) {
    const pugi::xml_attribute lang = tuv.attribute("xml:lang");
    return lang ? lang.value() : tuv.attribute("lang").value(); // TMX 1.1 wrote lang
}

std::string primaryOf(std::string_view tag) {
    return upperCaseAscii(tag.substr(0, tag.find_first_of("-_")));
}

// A unit's text is one QMX line that XML can carry: no line breaks or other
// control characters, no U+FFFE or U+FFFF.
bool isOneLine(const UnitContent& content) {
    for (const ContentPiece& piece : content) {
        const auto* text = std::get_if<std::string>(&piece);
        if (text == nullptr)
            continue;
        if (text->find("\xEF\xBF\xBE") != std::string::npos ||
            text->find("\xEF\xBF\xBF") != std::string::npos)
            return false;
        for (const char c : *text)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                return false;
    }
    return true;
}

// The variant of `tu` in `language`: the exact tag, else the same primary
// subtag.
pugi::xml_node variantIn(const pugi::xml_node& tu, std::string_view language) {
    pugi::xml_node primary;
    for (const pugi::xml_node& tuv : tu.children("tuv")) {
        const std::string tag = languageOf(tuv);
        if (upperCaseAscii(tag) == upperCaseAscii(language))
            return tuv;
        if (!primary && primaryOf(tag) == primaryOf(language))
            primary = tuv;
    }
    return primary;
}

} // namespace

std::string writeTmx(const TranslationMemory& memory) {
    const std::string sourceTag(languageTagOf(memory.sourceLanguage));
    const std::string targetTag(languageTagOf(memory.targetLanguage));
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("tmx");
    root.append_attribute("version") = "1.4";
    pugi::xml_node header = root.append_child("header");
    header.append_attribute("creationtool") = "quillex";
    header.append_attribute("creationtoolversion") = "2.0";
    header.append_attribute("datatype") = "plaintext";
    header.append_attribute("segtype") = "paragraph";
    header.append_attribute("adminlang") = "en-US";
    header.append_attribute("srclang") = sourceTag.c_str();
    header.append_attribute("o-tmf") = "qmx";
    pugi::xml_node body = root.append_child("body");
    for (const MemoryUnit& unit : memory.units) {
        pugi::xml_node tu = body.append_child("tu");
        appendProperty(tu, kContextProperty, unit.context);
        appendProperty(tu, kPreviousProperty, unit.previous);
        appendProperty(tu, kNextProperty, unit.next);
        appendSegment(tu, sourceTag, unit.source);
        appendSegment(tu, targetTag, unit.target);
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

TranslationMemory readTmx(std::string_view bytes, const std::string& targetLanguage) {
    pugi::xml_document document;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata;
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_auto);
    if (!parsed)
        throw TmxError(std::string("not well-formed XML (") + parsed.description() + ") at byte " +
                       std::to_string(parsed.offset));
    const pugi::xml_node root = document.child("tmx");
    if (!root)
        throw TmxError("the document is not TMX (its root element is not <tmx>)");
    const std::string sourceTag = root.child("header").attribute("srclang").value();
    TranslationMemory memory;
    memory.sourceLanguage = sourceTag;
    memory.targetLanguage = targetLanguage;
    const std::string targetTag(languageTagOf(targetLanguage));
    for (const pugi::xml_node& tu : root.child("body").children("tu")) {
        const pugi::xml_node target = variantIn(tu, targetTag);
        pugi::xml_node source = variantIn(tu, sourceTag);
        for (const pugi::xml_node& tuv : tu.children("tuv"))
            if (!source && tuv != target)
                source = tuv; // srclang="*all*"
        if (!source || !target || source == target)
            continue;
        MemoryUnit unit;
        readSegment(source.child("seg"), unit.source);
        readSegment(target.child("seg"), unit.target);
        // A memory written while character tags were codes matches the units
        // that now carry them as characters.
        unit.source = withCharacterCodesAsText(unit.source);
        unit.target = withCharacterCodesAsText(unit.target);
        for (const pugi::xml_node& prop : tu.children("prop")) {
            const std::string_view type = prop.attribute("type").value();
            std::string* field = type == kContextProperty    ? &unit.context
                                 : type == kPreviousProperty ? &unit.previous
                                 : type == kNextProperty     ? &unit.next
                                                             : nullptr;
            if (field != nullptr)
                *field = prop.child_value();
        }
        for (const std::string& text : {matchText(unit.source), matchText(unit.target)})
            if (!isValidUtf8(text))
                throw TmxError("a unit's text is not UTF-8");
        if (isOneLine(unit.target) && hasTranslatableText(unit.target))
            memory.units.push_back(std::move(unit));
    }
    return memory;
}

} // namespace quillex::xliff
