// XLIFF that cannot give a sound QMX file is refused with a message naming
// what is wrong and where, and nothing is written: an earlier output stays as
// it was.
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "xliff/xliff_files.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

constexpr const char* kQmx = "<qmx \"I2.00\">\r\n"
                             "<language \"English (US)\">\r\n"
                             "<quotes \"As tags\">\r\n"
                             "<readonly \"Don't translate\">\r\n"
                             "<ps \"para\" 1>Clean the <:fc 1>printer<:/fc> once<:t>a month.\r\n"
                             "<ps \"para\" 1>Keep the cover closed.\r\n"
                             "</qmx>\r\n";

// A translation of unit 5 that keeps every code.
constexpr const char* kGoodTarget =
    "Nettoyez <bpt id=\"1\">&lt;:fc 1&gt;</bpt>l'imprimante<ept id=\"1\">&lt;:/fc&gt;</ept> une "
    "fois<ph id=\"2\">&lt;:t&gt;</ph>par mois &lt;1&gt;.";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class MalformedXliff : public ::testing::Test {
  protected:
    void SetUp() override {
        work.write("source/clean.TXT", kQmx);
        xliff::ExportSettings settings;
        settings.targetLanguage = "French";
        xliff::exportToXliff({work.folder() + "source/clean.TXT"}, work.folder() + "clean.xlf",
                             settings);
        exported = readFile(work.folder() + "clean.xlf");
    }

    // The exported document with `target` as the translation of unit 5.
    std::string withTarget(const std::string& target) const {
        pugi::xml_document document;
        document.load_string(exported.c_str(), pugi::parse_default | pugi::parse_declaration);
        pugi::xml_document fragment;
        const std::string wrapped = "<target>" + target + "</target>";
        EXPECT_TRUE(
            fragment.load_string(wrapped.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
        pugi::xml_node unit = document.find_node([](const pugi::xml_node& node) {
            return std::string_view(node.name()) == "trans-unit" &&
                   std::string_view(node.attribute("id").value()) == "5";
        });
        unit.append_copy(fragment.first_child());
        std::ostringstream out;
        document.save(out, "", pugi::format_raw);
        return out.str();
    }

    // Imports `xliff` into a folder that holds an earlier translation.
    std::string import(const std::string& xliff) {
        work.write("in.xlf", xliff);
        work.write("out/clean.TXT", "earlier translation");
        xliff::importFromXliff(work.folder() + "in.xlf", work.folder() + "source/",
                               work.folder() + "out/");
        return readFile(work.folder() + "out/clean.TXT");
    }

    TempDir work;
    std::string exported;
};

TEST_F(MalformedXliff, TranslationThatKeepsItsCodesIsWritten) {
    const std::string qmx = import(withTarget(kGoodTarget));
    EXPECT_NE(qmx.find("<ps \"para\" 1>Nettoyez <:fc 1>l'imprimante<:/fc> une fois<:t>par mois "
                       "<:lt>1<:gt>.\r\n<ps \"para\" 1>Keep the cover closed.\r\n"),
              std::string::npos)
        << qmx;
}

// A tool that changed the standard target-language attribute changed the
// language of the translation: its code page writes the text.
TEST_F(MalformedXliff, TargetLanguageOfTheToolDecidesTheCodePage) {
    const std::string czech =
        replaced(withTarget(replaced(kGoodTarget, "Nettoyez", "Vy\xC4\x8Dist\xC4\x9Bte")),
                 "target-language=\"fr-FR\"", "target-language=\"cs_cz\"");
    const std::string qmx = import(czech);
    EXPECT_NE(qmx.find("<ps \"para\" 1>Vy\xE8ist\xECte <:fc 1>"), std::string::npos) << qmx;
}

// A damage to the translation of unit 5 (a replacement in the good target) or
// to the whole document.
struct Case {
    const char* name;
    const char* targetFrom;
    const char* targetTo;
    std::string (*document)(const std::string&);
    const char* message; // a part of the error message
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

std::string cutInHalf(const std::string& x) {
    return x.substr(0, x.size() / 2);
}
std::string withOtherRoot(const std::string& x) {
    return replaced(replaced(x, "<xliff ", "<tmx "), "</xliff>", "</tmx>");
}
std::string withoutUnit6(const std::string& x) {
    const std::size_t start = x.find("<trans-unit id=\"6\"");
    const std::size_t end =
        x.find("</trans-unit>", start) + std::string_view("</trans-unit>").size();
    return x.substr(0, start) + x.substr(end);
}
std::string declaredLatin1(const std::string& x) {
    return replaced(x, "encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\"");
}
std::string originalOutside(const std::string& x) {
    return replaced(x, "original=\"clean.TXT\"", "original=\"../clean.TXT\"");
}

// What the parser would take silently, written into the translation of
// unit 5 as the document's own bytes.
std::string withNulReference(const std::string& x) {
    return replaced(x, "une fois", "une&#0;fois");
}
std::string withControlReference(const std::string& x) {
    return replaced(x, "une fois", "une&#x8;fois");
}
std::string withRawControl(const std::string& x) {
    return replaced(x, "une fois",
                    "une\x01"
                    "fois");
}
std::string withUndefinedEntity(const std::string& x) {
    return replaced(x, "une fois", "une&nbsp;fois");
}
std::string withUnknownTargetLanguage(const std::string& x) {
    return replaced(x, "target-language=\"fr-FR\"", "target-language=\"tlh-001\"");
}
std::string withAmbiguousTargetLanguage(const std::string& x) {
    return replaced(x, "target-language=\"fr-FR\"", "target-language=\"en\"");
}
std::string withBillionLines(const std::string& x) {
    return replaced(x, "qx:lines=\"7\"", "qx:lines=\"999999999\"");
}
// Every unit inside 100,000 nested groups (1.5 MB): refused, not read by
// recursion that deep.
constexpr int kDeepNesting = 100000;
std::string withDeepGroups(const std::string& x) {
    std::string opened;
    std::string closed;
    for (int i = 0; i < kDeepNesting; ++i) {
        opened += "<group>";
        closed += "</group>";
    }
    return replaced(replaced(x, "<body>", "<body>" + opened), "</body>", closed + "</body>");
}
const std::string& deepMarks() {
    static const std::string marks = [] {
        std::string text;
        for (int i = 0; i < kDeepNesting; ++i)
            text += "<mrk mtype=\"x\">";
        text += "une fois";
        for (int i = 0; i < kDeepNesting; ++i)
            text += "</mrk>";
        return text;
    }();
    return marks;
}

const Case kCases[] = {
    {"BrokenXml", nullptr, nullptr, cutInHalf, "not well-formed XML"},
    {"NotXliff", nullptr, nullptr, withOtherRoot, "not XLIFF"},
    {"MissingUnit", nullptr, nullptr, withoutUnit6, "units missing: 6"},
    {"WrongEncodingDeclaration", nullptr, nullptr, declaredLatin1,
     "names the encoding \"ISO-8859-1\""},
    {"OriginalOutsideTheOutputFolder", nullptr, nullptr, originalOutside,
     "not the name of a QMX file"},
    {"CodeDeleted", "<ept id=\"1\">&lt;:/fc&gt;</ept>", "", nullptr,
     "unit 5 (<ps \"para\" 1>): the code <:/fc> was deleted"},
    {"CodeAdded", "par mois", "par<ph id=\"7\">&lt;:xr 9 9&gt;</ph>mois", nullptr,
     "unit 5 (<ps \"para\" 1>): the code <:xr 9 9> was added"},
    {"CodeDuplicated", "par mois", "par<ph id=\"2\">&lt;:t&gt;</ph>mois", nullptr,
     "unit 5 (<ps \"para\" 1>): the code <:t> was added"},
    {"PairReordered",
     "<bpt id=\"1\">&lt;:fc 1&gt;</bpt>l'imprimante<ept id=\"1\">&lt;:/fc&gt;</ept>",
     "<ept id=\"1\">&lt;:/fc&gt;</ept>l'imprimante<bpt id=\"1\">&lt;:fc 1&gt;</bpt>", nullptr,
     "the codes <:fc 1> and <:/fc> are in the wrong order"},
    {"LineBreakInTranslation", "une fois", "une\nfois", nullptr,
     "unit 5 (<ps \"para\" 1>): the text holds a line break"},
    {"CharacterTheCodePageLacks", "Nettoyez", "Nettoyez \xE2\x82\xA9", nullptr,
     "unit 5 (<ps \"para\" 1>): the text holds \"\xE2\x82\xA9\", which code page 1252 lacks"},
    {"BytesThatAreNotUtf8", "Nettoyez", "Nettoy\xE9", nullptr, "the bytes are not UTF-8"},
    // What XML forbids, and entities it does not define, would reach the
    // document cut short or as they are written.
    {"NulReference", nullptr, nullptr, withNulReference, "(unit 5): the character reference &#0;"},
    {"ControlReference", nullptr, nullptr, withControlReference, "the character reference &#x8;"},
    {"RawControlCharacter", nullptr, nullptr, withRawControl, "the control character 1"},
    {"UndefinedEntity", nullptr, nullptr, withUndefinedEntity, "(unit 5): the entity &nbsp;"},
    {"TargetLanguageTheTableLacks", nullptr, nullptr, withUnknownTargetLanguage,
     "the target language \"tlh-001\" names no language of the language table"},
    {"TargetLanguageOfSeveralNames", nullptr, nullptr, withAmbiguousTargetLanguage,
     "the target language \"en\" names no language of the language table, or several"},
    {"LineCountOfABillion", nullptr, nullptr, withBillionLines, "and 999999982 more"},
    {"GroupsNestedTooDeep", nullptr, nullptr, withDeepGroups, "<group> elements nested deeper"},
    {"MarksNestedTooDeep", "une fois", deepMarks().c_str(), nullptr,
     "<mrk> elements nested deeper"},
};

class MalformedXliffCase : public MalformedXliff, public ::testing::WithParamInterface<Case> {};

TEST_P(MalformedXliffCase, IsRefusedAndNothingIsWritten) {
    const Case& c = GetParam();
    const std::string damaged = c.document != nullptr
                                    ? c.document(withTarget(kGoodTarget))
                                    : withTarget(replaced(kGoodTarget, c.targetFrom, c.targetTo));
    try {
        import(damaged);
        FAIL() << "imported";
    } catch (const std::exception& error) {
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
    EXPECT_EQ(readFile(work.folder() + "out/clean.TXT"), "earlier translation");
    EXPECT_EQ(listFolder(work.folder() + "out").size(), 1u);
}

// A tool that rewrote the text of a code (a pseudo-translation that accents
// it) gets the source's code back, and what is not translatable (the line's
// external tag, units marked not to translate) comes from the source QMX
// file whatever the XLIFF says.
TEST_F(MalformedXliff, WhatIsNotTranslatableComesFromTheSource) {
    std::string xliff = withTarget(replaced(kGoodTarget, "&lt;:t&gt;", "&lt;:\xC5\xA3&gt;"));
    xliff = replaced(xliff, "resname=\"para.1\"", "resname=\"&lt;ps &quot;note&quot; 2>\"");
    const std::size_t unit4 = xliff.find('>', xliff.find("<trans-unit id=\"4\""));
    xliff.insert(unit4 + 1, "<target>changed</target>");
    work.write("in.xlf", xliff);
    const xliff::PreparedImport import(work.folder() + "in.xlf", work.folder() + "source/");
    ASSERT_EQ(import.warnings().size(), 1u);
    EXPECT_NE(import.warnings()[0].find("clean.TXT: unit 5 (<ps \"para\" 1>): the code <:t> was "
                                        "changed to <:\xC5\xA3>; the source's code is written"),
              std::string::npos)
        << import.warnings()[0];
    import.write(work.subfolder("out"));
    const std::string qmx = readFile(work.folder() + "out/clean.TXT");
    EXPECT_NE(qmx.find("<readonly \"Don't translate\">\r\n<ps \"para\" 1>Nettoyez <:fc "
                       "1>l'imprimante<:/fc> une fois<:t>par mois"),
              std::string::npos)
        << qmx;
}

INSTANTIATE_TEST_SUITE_P(Xliff, MalformedXliffCase, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
