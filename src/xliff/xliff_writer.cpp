// Writing the XLIFF document with pugixml.
#include "verifier/file_checks.h"
#include "xliff/code_page_text.h"
#include "xliff/inline_elements.h"
#include "xliff/language_codes.h"
#include "xliff/xliff_document.h"

#include <pugixml.hpp>
#include <sstream>

namespace quillex::xliff {
namespace {

constexpr const char* kXliffNamespace = "urn:oasis:names:tc:xliff:document:1.2";

void appendCode(pugi::xml_node parent, const InlineCode& code) {
    const InlineElement& element = inlineElementOf(code.kind);
    pugi::xml_node node = parent.append_child(std::string(element.element).c_str());
    node.append_attribute("id") = code.id;
    if (!element.pos.empty())
        node.append_attribute("pos") = std::string(element.pos).c_str();
    if (code.raw)
        node.append_attribute(kBytesAttribute) = toHex(code.native).c_str();
    else
        node.append_child(pugi::node_pcdata).set_value(code.native.c_str());
}

void appendContent(pugi::xml_node parent, const UnitContent& content) {
    // The writer puts a line break and indentation before an element that
    // follows an element or starts its parent, and before the end tag after
    // one; in a unit that would be text. Empty text before every code and at
    // the end keeps the content as it is.
    for (const ContentPiece& piece : content) {
        if (const auto* text = std::get_if<std::string>(&piece)) {
            parent.append_child(pugi::node_pcdata).set_value(text->c_str());
            continue;
        }
        parent.append_child(pugi::node_pcdata);
        appendCode(parent, std::get<InlineCode>(piece));
    }
    parent.append_child(pugi::node_pcdata);
}

// Whether the text of `content` holds white space that an XML tool may
// change unless told to keep it: a tab, a line break, two spaces in a row,
// or a space at the start or the end.
bool needsPreservedSpace(const UnitContent& content) {
    std::string text;
    for (const ContentPiece& piece : content)
        text += std::holds_alternative<std::string>(piece) ? std::get<std::string>(piece) : "x";
    return text.find_first_of("\t\r\n") != std::string::npos ||
           text.find("  ") != std::string::npos || text.starts_with(' ') || text.ends_with(' ');
}

// A target from a translation memory: translated when it stood in the same
// place, to be reviewed otherwise, with a note saying which.
void markMemoryMatch(pugi::xml_node unit, pugi::xml_node target, MemoryMatch match) {
    const bool inContext = match == MemoryMatch::InContext;
    target.append_attribute("state") = inContext ? "translated" : "needs-review-translation";
    target.append_attribute("state-qualifier") = "leveraged-tm";
    pugi::xml_node note = unit.append_child("note");
    note.append_attribute("from") = "quillex";
    note.append_child(pugi::node_pcdata)
        .set_value(inContext ? "translation memory: in-context exact match"
                             : "translation memory: exact match in another context");
}

void appendUnit(pugi::xml_node body, const XliffUnit& unit) {
    pugi::xml_node node = body.append_child("trans-unit");
    node.append_attribute("id") = unit.id;
    if (!unit.resname.empty())
        node.append_attribute("resname") = unit.resname.c_str();
    if (!unit.translate)
        node.append_attribute("translate") = "no";
    if (const auto limit = verifier::textLengthLimit(unit.prefix)) {
        node.append_attribute("maxwidth") = *limit;
        node.append_attribute("size-unit") = "char";
    }
    if (needsPreservedSpace(unit.source) || (unit.target && needsPreservedSpace(*unit.target)))
        node.append_attribute("xml:space") = "preserve";
    appendContent(node.append_child("source"), unit.source);
    if (unit.target) {
        pugi::xml_node target = node.append_child("target");
        appendContent(target, *unit.target);
        // A target from the memory says how it matched; a copy of the
        // source says that it still needs translating.
        if (unit.memoryMatch)
            markMemoryMatch(node, target, *unit.memoryMatch);
        else if (!unit.targetState.empty())
            target.append_attribute("state") = unit.targetState.c_str();
    }
    if (unit.translate && !unit.note.empty()) {
        pugi::xml_node note = node.append_child("note");
        note.append_attribute("from") = "quillex";
        note.text().set(unit.note.c_str());
    }
}

void appendFile(pugi::xml_node root, const XliffFile& file) {
    pugi::xml_node node = root.append_child("file");
    node.append_attribute("original") = file.original.c_str();
    node.append_attribute("datatype") = "x-qmx";
    node.append_attribute("source-language") =
        std::string(languageTagOf(file.sourceLanguage)).c_str();
    node.append_attribute("target-language") =
        std::string(languageTagOf(file.targetLanguage)).c_str();
    node.append_attribute("qx:source-language") = file.sourceLanguage.c_str();
    node.append_attribute("qx:target-language") = file.targetLanguage.c_str();
    node.append_attribute("qx:container") = file.container == Container::Rtf ? "rtf" : "txt";
    node.append_attribute("qx:page-size") = file.letterPaper ? "letter" : "a4";
    node.append_attribute("qx:lines") = static_cast<unsigned>(file.units.size());
    pugi::xml_node tool = node.append_child("header").append_child("tool");
    tool.append_attribute("tool-id") = "quillex";
    tool.append_attribute("tool-name") = "quillex";
    tool.append_attribute("tool-version") = "2.0";
    pugi::xml_node body = node.append_child("body");
    for (const XliffUnit& unit : file.units)
        appendUnit(body, unit);
}

} // namespace

std::string writeXliff(const std::vector<XliffFile>& files) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("xliff");
    root.append_attribute("version") = "1.2";
    root.append_attribute("xmlns") = kXliffNamespace;
    root.append_attribute("xmlns:qx") = kQuillexNamespace;
    for (const XliffFile& file : files)
        appendFile(root, file);
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

} // namespace quillex::xliff
