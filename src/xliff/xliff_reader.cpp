// Reading an XLIFF document with pugixml, after checking that it is UTF-8.
#include "foundation/ascii_case.h"
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

// The QMX file names an XLIFF may name as its originals.
constexpr std::string_view kQmxExtensions[] = {".TXT", ".RTF", ".CAT"};

std::string lineOf(std::string_view bytes, std::size_t offset) {
    const std::size_t end = std::min(offset, bytes.size());
    return std::to_string(
        1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

std::size_t firstInvalidUtf8(std::string_view bytes) {
    // Halves the text until the bad byte is found: valid UTF-8 is the rule.
    std::size_t low = 0;
    std::size_t high = bytes.size();
    while (high - low > 4) {
        const std::size_t middle = low + (high - low) / 2;
        std::size_t cut = middle;
        while (cut > low && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        if (!isValidUtf8(bytes.substr(low, cut - low)))
            high = cut;
        else
            low = cut;
    }
    return low;
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

void readContent(const pugi::xml_node& parent, UnitContent& content, const std::string& where) {
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
            readContent(child, content, where);
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

void collectUnits(const pugi::xml_node& parent, std::vector<pugi::xml_node>& units) {
    for (const pugi::xml_node& child : parent.children()) {
        if (std::string_view(child.name()) == "trans-unit")
            units.push_back(child);
        else if (std::string_view(child.name()) == "group")
            collectUnits(child, units);
    }
}

XliffUnit readUnit(const pugi::xml_node& node, const std::string& fileWhere, int sourceCodePage) {
    XliffUnit unit;
    unit.id = idOf(node, fileWhere);
    const std::string where = fileWhere + ", unit " + std::to_string(unit.id);
    if (const pugi::xml_attribute bytes = node.attribute("qx:prefix-bytes")) {
        auto raw = fromHex(bytes.value());
        if (!raw)
            throw XliffError(where + ": qx:prefix-bytes is not hexadecimal");
        unit.prefix = std::move(*raw);
    } else {
        EncodedText prefix = encodeUtf8Text(node.attribute("resname").value(), sourceCodePage);
        if (prefix.missing)
            throw XliffError(where + ": the resname holds \"" + *prefix.missing +
                             "\", which the file's code page lacks");
        unit.prefix = std::move(prefix.bytes);
    }
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

// The units in line order, each line once.
void checkUnitNumbers(std::vector<XliffUnit>& units, int lines, const std::string& where) {
    std::sort(units.begin(), units.end(),
              [](const XliffUnit& a, const XliffUnit& b) { return a.id < b.id; });
    std::vector<std::string> missing;
    int expected = 1;
    for (const XliffUnit& unit : units) {
        if (unit.id < expected)
            throw XliffError(where + ": unit " + std::to_string(unit.id) + " occurs twice");
        if (unit.id > lines)
            throw XliffError(where + ": unit " + std::to_string(unit.id) +
                             " is beyond the file's " + std::to_string(lines) + " lines");
        for (; expected < unit.id; ++expected)
            missing.push_back(std::to_string(expected));
        expected = unit.id + 1;
    }
    for (; expected <= lines; ++expected)
        missing.push_back(std::to_string(expected));
    if (!missing.empty()) {
        std::string list;
        for (std::size_t i = 0; i < missing.size() && i < 10; ++i)
            list += (i ? ", " : "") + missing[i];
        if (missing.size() > 10)
            list += " and " + std::to_string(missing.size() - 10) + " more";
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
    file.container = std::string_view(requiredAttribute(node, "qx:container", where)) == "rtf"
                         ? Container::Rtf
                         : Container::Text;
    file.letterPaper = std::string_view(node.attribute("qx:page-size").value()) == "letter";
    const std::string lines = requiredAttribute(node, "qx:lines", where);
    if (lines.empty() || lines.size() > 9 ||
        lines.find_first_not_of("0123456789") != std::string::npos)
        throw XliffError(where + ": qx:lines is not a number");
    int sourceCodePage = 0;
    try {
        sourceCodePage = codePageOfLanguage(file.sourceLanguage);
    } catch (const std::runtime_error& error) {
        throw XliffError(where + ": " + error.what());
    }
    std::vector<pugi::xml_node> nodes;
    collectUnits(node.child("body"), nodes);
    for (const pugi::xml_node& unit : nodes)
        file.units.push_back(readUnit(unit, where, sourceCodePage));
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
