// Reading an XLIFF document with pugixml, after checking that it is UTF-8.
#include "foundation/ascii_case.h"
#include "foundation/hex_digit.h"
#include "xliff/code_page_text.h"
#include "xliff/inline_elements.h"
#include "xliff/language_codes.h"
#include "xliff/xliff_document.h"

#include <algorithm>
#include <pugixml.hpp>
#include <set>

namespace quillex::xliff {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return upperCaseAscii(a) == upperCaseAscii(b);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Deeper nesting of groups or marks than this is refused: no tool writes
// it, and the document would be read by recursion that deep.
constexpr int kMaxNesting = 64;
constexpr long kMissingUnitsListed = 10;

// The five entities XML predefines; a document may use no other.
constexpr std::string_view kPredefinedEntities[] = {"lt", "gt", "amp", "quot", "apos"};

// The QMX file names an XLIFF may name as its originals.
constexpr std::string_view kQmxExtensions[] = {".TXT", ".RTF", ".CAT"};

std::string lineOf(std::string_view bytes, std::size_t offset) {
    const std::size_t end = std::min(offset, bytes.size());
    return std::to_string(
        1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

// Where the first byte that is not UTF-8 stands: each character is checked
// on its own, so the search is linear and always moves on.
std::size_t firstInvalidUtf8(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (!isValidUtf8(bytes.substr(at, length)))
            return at;
        at += length;
    }
    return at;
}

// The document must be UTF-8: a declaration of another encoding would have
// the parser read the text differently from what the tool meant, and invalid
// bytes mean the file was saved in some other encoding.
void checkEncoding(std::string_view bytes, const pugi::xml_document& document) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw XliffError("the file is UTF-16; save it as UTF-8 and import it again");
    const pugi::xml_node declaration = document.first_child();
    if (declaration.type() == pugi::node_declaration) {
        const std::string encoding = declaration.attribute("encoding").value();
        if (!encoding.empty() && !sameIgnoringCase(encoding, "UTF-8"))
            throw XliffError("the XML declaration names the encoding \"" + encoding +
                             "\"; XLIFF is read as UTF-8: save it as UTF-8 and import it again");
    }
    if (!isValidUtf8(bytes))
        throw XliffError("line " + lineOf(bytes, firstInvalidUtf8(bytes)) +
                         ": the bytes are not UTF-8, though the file says it is; save it as "
                         "UTF-8 and import it again");
}

// Where `offset` stands, for a message: its line, and the unit it is in.
std::string placeOf(std::string_view bytes, std::size_t offset) {
    std::string place = "line " + lineOf(bytes, offset);
    const std::size_t unit = bytes.rfind("<trans-unit", offset);
    if (unit == std::string_view::npos)
        return place;
    const std::size_t tagEnd = bytes.find('>', unit);
    const std::size_t id = bytes.find("id=\"", unit);
    if (id == std::string_view::npos || id > tagEnd)
        return place;
    const std::size_t end = bytes.find('"', id + 4);
    return place + " (unit " + std::string(bytes.substr(id + 4, end - id - 4)) + ")";
}

// Whether XML 1.0 allows the character `c` in a document.
bool isXmlCharacter(unsigned long c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The value of a character reference's digits ("#65", "#x41"); a value out
// of range when they are no number.
unsigned long referencedCharacter(std::string_view reference) {
    constexpr unsigned long kOutOfRange = 0x110000;
    const bool hex = reference.size() > 1 && (reference[1] == 'x');
    const std::string_view digits = reference.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8)
        return kOutOfRange;
    unsigned long value = 0;
    for (const char digit : digits) {
        const int number =
            hex ? hexDigitValue(digit) : (digit >= '0' && digit <= '9' ? digit - '0' : -1);
        if (number < 0)
            return kOutOfRange;
        value = value * (hex ? 16 : 10) + static_cast<unsigned long>(number);
    }
    return value;
}

// Refuses what XML 1.0 forbids and the parser would take silently: control
// characters, raw or as references (a NUL would end the unit's text there),
// and references to entities other than the five predefined ones (they
// would reach the document as they are written).
void checkCharacters(std::string_view bytes) {
    constexpr std::string_view kUtf8NonCharacters[] = {"\xEF\xBF\xBE", "\xEF\xBF\xBF"};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 && !isXmlCharacter(byte))
            throw XliffError(placeOf(bytes, i) + ": the control character " + std::to_string(byte) +
                             " is not allowed in XML");
        if (byte == 0xEF && (bytes.substr(i, 3) == kUtf8NonCharacters[0] ||
                             bytes.substr(i, 3) == kUtf8NonCharacters[1]))
            throw XliffError(placeOf(bytes, i) + ": the character U+FFFE or U+FFFF is not "
                                                 "allowed in XML");
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // Comments and character data sections hold no references.
        for (const auto& [open, close] :
             {std::pair<std::string_view, std::string_view>{"<!--", "-->"}, {"<![CDATA[", "]]>"}})
            if (bytes.substr(i, open.size()) == open) {
                const std::size_t end = bytes.find(close, i + open.size());
                i = end == std::string_view::npos ? bytes.size() : end;
            }
        if (i >= bytes.size() || bytes[i] != '&')
            continue;
        const std::size_t semicolon = bytes.find(';', i);
        if (semicolon == std::string_view::npos)
            continue; // not well-formed: the parser says so
        const std::string_view reference = bytes.substr(i + 1, semicolon - i - 1);
        const std::string written = "&" + std::string(reference.substr(0, 40)) + ";";
        if (reference.starts_with('#')) {
            if (!isXmlCharacter(referencedCharacter(reference)))
                throw XliffError(placeOf(bytes, i) + ": the character reference " + written +
                                 " stands for a character XML does not allow");
        } else if (std::find(std::begin(kPredefinedEntities), std::end(kPredefinedEntities),
                             reference) == std::end(kPredefinedEntities)) {
            throw XliffError(placeOf(bytes, i) + ": the entity " + written +
                             " is not one of the five XML predefines (&lt; &gt; &amp; &quot; "
                             "&apos;); write the character itself");
        }
    }
}

int idOf(const pugi::xml_node& node, const std::string& where) {
    const std::string text = node.attribute("id").value();
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9)
        throw XliffError(where + ": <" + node.name() + "> has no numeric id (id=\"" + text + "\")");
    return std::stoi(text);
}

InlineCode codeOf(const pugi::xml_node& node, CodeKind kind, const std::string& where) {
    InlineCode code;
    code.kind = kind;
    code.id = idOf(node, where);
    if (const pugi::xml_attribute bytes = node.attribute(kBytesAttribute)) {
        auto raw = fromHex(bytes.value());
        if (!raw)
            throw XliffError(where + ": the " + kBytesAttribute + " of code " +
                             std::to_string(code.id) + " is not hexadecimal");
        code.native = std::move(*raw);
        code.raw = true;
    } else {
        code.native = node.text().get();
    }
    return code;
}

void readContent(const pugi::xml_node& parent, UnitContent& content, const std::string& where,
                 int depth = 0) {
    if (depth > kMaxNesting)
        throw XliffError(where + ": <mrk> elements nested deeper than " +
                         std::to_string(kMaxNesting) + "; no tool marks text so");
    for (const pugi::xml_node& child : parent.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            if (!content.empty() && std::holds_alternative<std::string>(content.back()))
                std::get<std::string>(content.back()) += child.value();
            else
                content.emplace_back(std::string(child.value()));
            continue;
        }
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view name = child.name();
        // Tools mark segments and terms with <mrk>; its content counts.
        if (name == "mrk") {
            readContent(child, content, where, depth + 1);
            continue;
        }
        const auto kind = codeKindOf(name, child.attribute("pos").value());
        if (!kind)
            throw XliffError(where + ": unexpected element <" + std::string(name) +
                             ">; only the codes that were exported (ph, bpt, ept, it, x) may "
                             "stand in the text");
        content.emplace_back(codeOf(child, *kind, where));
    }
}

const char* requiredAttribute(const pugi::xml_node& node, const char* name,
                              const std::string& where) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        throw XliffError(where + ": the attribute " + name +
                         " is missing; import reads XLIFF files that 'quillex xliff export' "
                         "wrote");
    return attribute.value();
}

// A bare QMX file name: the import writes it into its output folder, so it
// must not lead anywhere else.
void checkOriginal(const std::string& original) {
    const bool bare = !original.empty() && original.find('/') == std::string::npos &&
                      original != "." && original != "..";
    const bool qmx = std::any_of(
        std::begin(kQmxExtensions), std::end(kQmxExtensions), [&](std::string_view extension) {
            return original.size() > extension.size() &&
                   sameIgnoringCase(original.substr(original.size() - extension.size()), extension);
        });
    if (!bare || !qmx)
        throw XliffError("<file original=\"" + original +
                         "\">: not the name of a QMX file (.TXT, .RTF or .CAT) without a folder");
}

void collectUnits(const pugi::xml_node& parent, std::vector<pugi::xml_node>& units,
                  const std::string& where, int depth = 0) {
    if (depth > kMaxNesting)
        throw XliffError(where + ": <group> elements nested deeper than " +
                         std::to_string(kMaxNesting) + "; no tool groups units so");
    for (const pugi::xml_node& child : parent.children()) {
        if (std::string_view(child.name()) == "trans-unit")
            units.push_back(child);
        else if (std::string_view(child.name()) == "group")
            collectUnits(child, units, where, depth + 1);
    }
}

XliffUnit readUnit(const pugi::xml_node& node, const std::string& fileWhere) {
    XliffUnit unit;
    unit.id = idOf(node, fileWhere);
    const std::string where = fileWhere + ", unit " + std::to_string(unit.id);
    unit.translate = !sameIgnoringCase(node.attribute("translate").value(), "no");
    const pugi::xml_node source = node.child("source");
    if (!source)
        throw XliffError(where + ": the unit has no <source>");
    readContent(source, unit.source, where);
    if (const pugi::xml_node target = node.child("target")) {
        unit.target.emplace();
        readContent(target, *unit.target, where);
    }
    return unit;
}

// The units in line order, each line once. The missing lines are counted,
// not listed, beyond the first few: the line count is the document's word.
void checkUnitNumbers(std::vector<XliffUnit>& units, int lines, const std::string& where) {
    std::sort(units.begin(), units.end(),
              [](const XliffUnit& a, const XliffUnit& b) { return a.id < b.id; });
    std::string list;
    long listed = 0;
    long missing = 0;
    const auto miss = [&](int from, int to) { // the lines from..to, inclusive
        if (from > to)
            return;
        missing += to - from + 1;
        for (int line = from; line <= to && listed < kMissingUnitsListed; ++line, ++listed)
            list += (listed ? ", " : "") + std::to_string(line);
    };
    int expected = 1;
    for (const XliffUnit& unit : units) {
        if (unit.id < expected)
            throw XliffError(where + ": unit " + std::to_string(unit.id) + " occurs twice");
        if (unit.id > lines)
            throw XliffError(where + ": unit " + std::to_string(unit.id) +
                             " is beyond the file's " + std::to_string(lines) + " lines");
        miss(expected, unit.id - 1);
        expected = unit.id + 1;
    }
    miss(expected, lines);
    if (missing > 0) {
        if (missing > listed)
            list += " and " + std::to_string(missing - listed) + " more";
        throw XliffError(where + ": units missing: " + list +
                         "; export the QMX file again and keep every unit");
    }
}

XliffFile readFile(const pugi::xml_node& node) {
    XliffFile file;
    file.original = node.attribute("original").value();
    checkOriginal(file.original);
    const std::string where = "<file original=\"" + file.original + "\">";
    file.sourceLanguage = requiredAttribute(node, "qx:source-language", where);
    file.targetLanguage = requiredAttribute(node, "qx:target-language", where);
    // A tool that changed the standard target-language attribute changed the
    // language of the translation; ours only spells it as the settings do.
    const std::string tag = node.attribute("target-language").value();
    if (!tag.empty() && !sameIgnoringCase(tag, languageTagOf(file.targetLanguage))) {
        const auto name = languageNameOfTag(tag);
        if (!name)
            throw XliffError(where + ": the target language \"" + tag +
                             "\" names no language of the language table, or several; set the "
                             "language with its region (\"fr-FR\") in the translation tool");
        file.targetLanguage = *name;
    }
    file.container = std::string_view(requiredAttribute(node, "qx:container", where)) == "rtf"
                         ? Container::Rtf
                         : Container::Text;
    file.letterPaper = std::string_view(node.attribute("qx:page-size").value()) == "letter";
    const std::string lines = requiredAttribute(node, "qx:lines", where);
    if (lines.empty() || lines.size() > 9 ||
        lines.find_first_not_of("0123456789") != std::string::npos)
        throw XliffError(where + ": qx:lines is not a number");
    try {
        codePageOfLanguage(file.sourceLanguage);
    } catch (const std::runtime_error& error) {
        throw XliffError(where + ": " + error.what());
    }
    std::vector<pugi::xml_node> nodes;
    collectUnits(node.child("body"), nodes, where);
    for (const pugi::xml_node& unit : nodes)
        file.units.push_back(readUnit(unit, where));
    checkUnitNumbers(file.units, std::stoi(lines), where);
    return file;
}

} // namespace

std::vector<XliffFile> readXliff(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    pugi::xml_document document;
    // White space between codes is text of the unit; attribute values keep
    // their tabs.
    const unsigned options =
        (pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_declaration) &
        ~pugi::parse_wconv_attribute;
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
    checkEncoding(bytes, document);
    checkCharacters(bytes);
    if (!parsed)
        throw XliffError("line " + lineOf(bytes, static_cast<std::size_t>(parsed.offset)) +
                         ": not well-formed XML (" + parsed.description() + ")");
    const pugi::xml_node root = document.child("xliff");
    if (!root)
        throw XliffError("the document is not XLIFF (its root element is not <xliff>)");
    if (std::string_view(root.attribute("version").value()) != "1.2")
        throw XliffError("the document is not XLIFF 1.2 (version \"" +
                         std::string(root.attribute("version").value()) + "\")");
    std::vector<XliffFile> files;
    std::set<std::string> originals;
    for (const pugi::xml_node& node : root.children("file")) {
        files.push_back(readFile(node));
        // Two files of one name would write the same output.
        if (!originals.insert(upperCaseAscii(files.back().original)).second)
            throw XliffError("<file original=\"" + files.back().original + "\"> occurs twice");
    }
    if (files.empty())
        throw XliffError("the document holds no <file>");
    return files;
}

} // namespace quillex::xliff
