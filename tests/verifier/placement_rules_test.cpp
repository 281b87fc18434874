// The placement rules, tag by tag: where every external tag may stand and
// what text may follow it (each row tried in every context of the structure
// check), and which internal tags the text of some external tags may hold.
#include "verifier/file_checks.h"

#include "verifier_test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

using namespace quillex::verifier;
using quillex::testing::taggedFile;

namespace {

using Lines = std::vector<std::string>;

// The findings of `check` on `lines` once the tags are classified (an
// unlisted tag is found by the validity check, which is not looked at here).
template <typename Check> Lines findingsOf(const Lines& lines, Check check) {
    TaggedFile file = taggedFile(lines);
    VerificationReport validity;
    checkSourceTagValidity(file, validity);
    VerificationReport report;
    check(file, report);
    Lines messages;
    for (const std::string& line : report.lines())
        if (line.starts_with("["))
            messages.push_back(line);
    return messages;
}

// A context of the structure check, entered inside its parent with `open`
// and left with `close`.
struct Context {
    const char* key;
    const char* parent; // null at the top
    const char* open;   // empty: nothing opens it
    const char* close;
    const char* name; // as findings name it
};

const Context kContexts[] = {
    {"start", nullptr, "", "</qmx>", "the start of the file"},
    {"qmx", nullptr, "<qmx \"I2.00\">", "</qmx>", "<qmx \"I2.xx\"> to </qmx>"},
    {"file", "qmx", "<file \"A.DOC\">", "</file \"A.DOC\">", "<file> to </file>"},
    {"page", "qmx", "<page \"1\">", "</page>", "<page> to </page>"},
    {"tb", "page", "<tb 1>", "</tb>", "<tb ?> to </tb>"},
    {"row", "tb", "<row 1>", "</row>", "<row ?> to </row>"},
    {"ct", "row", "<ct 1>", "</ct>", "<ct ?> to </ct>"},
    {"ctart", "row", "<ctart 1>", "</ctart>", "<ctart ?> to </ctart>"},
    {"af", "page", "<af 1>", "</af>", "<af ?> to </af>"},
    {"tr", "af", "<tr 1>", "</tr>", "<tr ?> to </tr>"},
    {"ts", "af", "<ts 1>", "</ts>", "<ts ?> to </ts>"},
    {"tl", "af", "<tl 1>", "</tl>", "<tl ?> to </tl>"},
    {"fn", "page", "<fn 1 1>", "</fn>", "<fn ?> to </fn>"},
    {"xrv", "page", "<xrv \"v\" 1>", "</xrv>", "<xrv ?> to </xrv>"},
    {"imk", "page", "<imk 1>\n<ie>e", "</imk>", "<imk ?> to </imk>"},
    {"anfmt", "file", "<anfmt \"a\">", "</anfmt>", "<anfmt ?> to </anfmt>"},
    {"pgfmt", "file", "<pgfmt \"p\">", "</pgfmt>", "<pgfmt ?> to </pgfmt>"},
    {"vfmt", "file", "<vfmt \"v\">", "</vfmt>", "<vfmt ?> to </vfmt>"},
    {"pnfmt", "file", "<pnfmt \"n\">", "</pnfmt>", "<pnfmt ?> to </pnfmt>"},
};

const Context& contextOf(std::string_view key) {
    for (const Context& context : kContexts)
        if (key == context.key)
            return context;
    throw std::logic_error("no such context");
}

constexpr int kAlone = -1; // only line ends may follow
constexpr int kFree = -2;  // any text may follow

struct TagRule {
    const char* tag;
    const char* follow;   // lines after the tag that keep a sound file sound
    const char* standsIn; // keys of the contexts it may stand in, "*" for all;
                          // null for the section tags, tried below
    int textAfter;        // kAlone, kFree or the most characters allowed
};

const TagRule kTagRules[] = {
    {"<qmx \"I2.00\">", "", "start", kAlone},
    {"<language \"English (US)\">", "", "qmx", kAlone},
    {"<quotes \"As tags\">", "", "qmx", kAlone},
    {"<readonly \"Don't translate\">", "", "qmx", kAlone},
    {"<file \"A.DOC\">", "", nullptr, kAlone},
    {"</file \"A.DOC\">", "<file \"A.DOC\">", "file", kAlone},
    {"<page \"1\">", "", nullptr, kAlone},
    {"</page>", "", nullptr, kAlone},
    {"<tb 1>", "</tb>", "page", kAlone},
    {"</tb>", "<tb 1>", "tb", kAlone},
    {"<row 1>", "</row>", "tb", kAlone},
    {"</row>", "<row 1>", "row", kAlone},
    {"<hrow 1>", "", "tb", kAlone},
    {"<rrow \"r\" 1>", "", "tb", kAlone},
    {"<ct 1>", "</ct>", "row", kAlone},
    {"</ct>", "<ct 1>", "ct", kAlone},
    {"<ctart 1>", "</ctart>", "row", kFree},
    {"</ctart>", "<ctart 1>", "ctart", kAlone},
    {"<af 1>", "</af>", "page fn ctart vfmt pnfmt file", kAlone},
    {"</af>", "<af 1>", "af", kAlone},
    {"<tr 1>", "</tr>", "af", kAlone},
    {"</tr>", "<tr 1>", "tr", kAlone},
    {"<ts 1>", "</ts>", "af", kFree},
    {"</ts>", "<ts 1>", "ts", kAlone},
    {"<tl 1>", "</tl>", "af", kFree},
    {"</tl>", "<tl 1>", "tl", kAlone},
    {"<tn 1>", "", "af file", kAlone},
    {"<saf \"s\">", "", "file", kAlone},
    {"<fn 1 1>", "</fn>", "page vfmt pnfmt", kAlone},
    {"</fn>", "<fn 1 1>", "fn", kAlone},
    {"<ps \"P\" 1>", "", "tr page ct vfmt pnfmt", kFree},
    {"<r \"R\" 1>", "", "tr page ct vfmt pnfmt", kAlone},
    {"<pn \"N\" 1>", "", "tr page ct vfmt pnfmt file", kFree},
    {"<v \"V\" 1>", "", "tr page ct vfmt pnfmt file", kAlone},
    {"<xrv \"x\" 2>", "</xrv>", "tr page ct vfmt pnfmt", 20},
    {"</xrv>", "<xrv \"x\" 2>", "xrv", kAlone},
    {"<imk 2>", "<ie>e\n</imk>", "tr page ct vfmt pnfmt", kAlone},
    {"</imk>", "<imk 2>\n<ie>e", "imk", kAlone},
    {"<ie>", "", "imk", 250},
    {"<il>", "", "imk", 250},
    {"<ss>", "", "imk", 250},
    {"<sa>", "", "imk", 250},
    {"<anfmt \"b\">", "</anfmt>", "file", kAlone},
    {"</anfmt>", "<anfmt \"b\">", "anfmt", kAlone},
    {"<pgfmt \"q\">", "</pgfmt>", "file", kAlone},
    {"</pgfmt>", "<pgfmt \"q\">", "pgfmt", kAlone},
    {"<vfmt \"w\">", "</vfmt>", "file", kFree},
    {"</vfmt>", "<vfmt \"w\">", "vfmt", kAlone},
    {"<pnfmt \"o\">", "</pnfmt>", "file", kFree},
    {"</pnfmt>", "<pnfmt \"o\">", "pnfmt", kAlone},
    {"<bb \"Prefix1\">", "", "anfmt pgfmt file", 9},
    {"<bb \"Level 1 Prefix\">", "", "anfmt pgfmt file", 15},
    {"<bb \"Variable Format\">", "", "anfmt pgfmt file", kFree},
    {"<bb \"Page Header Format\">", "", "anfmt pgfmt file", kAlone},
    {"<cnmk 1>", "", "*", kAlone},
    {"<unlisted 1>", "", "*", kFree},
};

bool standsIn(const TagRule& rule, std::string_view key) {
    const std::string keys = std::string(" ") + rule.standsIn + " ";
    return keys == " * " || keys.find(" " + std::string(key) + " ") != std::string::npos;
}

// A file with `rule`'s tag in `context`, and the finding expected of it.
std::pair<Lines, std::string> fileWithTagIn(const TagRule& rule, const Context& context) {
    Lines opening;
    Lines closing;
    std::string position;
    for (const Context* c = &context; c != nullptr;
         c = c->parent != nullptr ? &contextOf(c->parent) : nullptr) {
        if (*c->open != '\0')
            opening.insert(opening.begin(), c->open);
        closing.push_back(c->close);
        if (position.empty() && c->key == std::string_view("page"))
            position = std::string(" on ") + c->open;
        else if (position.empty() && c->key == std::string_view("file"))
            position = std::string(" in ") + c->open;
    }
    Lines lines = opening;
    lines.push_back(rule.tag);
    if (*rule.follow != '\0')
        lines.push_back(rule.follow);
    lines.insert(lines.end(), closing.begin(), closing.end());
    if (standsIn(rule, context.key))
        return {lines, ""};
    return {lines, std::string("[1] ERROR! ") + rule.tag + " is not allowed in the context of " +
                       context.name + position + "."};
}

void expectTextAfter(const TagRule& rule, int length, bool allowed) {
    const Lines found = findingsOf({rule.tag + std::string(static_cast<std::size_t>(length), 'x')},
                                   checkExternalTagPositions);
    if (allowed)
        EXPECT_TRUE(found.empty()) << length << " characters: " << found.front();
    else if (rule.textAfter == kAlone)
        EXPECT_EQ(found, (Lines{std::string("[1] ERROR! There may be no text or internal tags "
                                            "between ") +
                                rule.tag + " and the next external tag."}));
    else
        EXPECT_EQ(found.size(), 1u) << length << " characters";
}

} // namespace

TEST(PlacementRules, EachTagStandsWhereItsRuleSaysAndTakesItsText) {
    for (const TagRule& rule : kTagRules) {
        SCOPED_TRACE(rule.tag);
        if (rule.textAfter == kAlone) {
            expectTextAfter(rule, 0, true);
            expectTextAfter(rule, 1, false);
        } else if (rule.textAfter == kFree) {
            expectTextAfter(rule, 300, true);
        } else {
            expectTextAfter(rule, rule.textAfter, true);
            expectTextAfter(rule, rule.textAfter + 1, false);
        }
        if (rule.standsIn == nullptr)
            continue;
        for (const Context& context : kContexts) {
            const auto [lines, expected] = fileWithTagIn(rule, context);
            const Lines found = findingsOf(lines, checkExternalTagStructure);
            if (expected.empty())
                EXPECT_TRUE(found.empty()) << "in " << context.key << ": " << found.front();
            else
                EXPECT_EQ(found.empty() ? "" : found.front(), expected) << "in " << context.key;
        }
    }
}

// Pages and files report the pairs left open, in a fixed order of kinds and
// only the first; and a page or file that starts turns reporting back on.
TEST(PlacementRules, SectionsReportThePairsLeftOpen) {
    struct Case {
        Lines lines;
        Lines findings;
    };
    const Case cases[] = {
        {{"<qmx \"I2.00\">", "<file \"A.DOC\">", "<page \"1\">", "<ps \"P\" 1>x", "</page>",
          "</file \"A.DOC\">", "</qmx>"},
         {}},
        {{"<qmx \"I2.00\">", "<page \"1\">", "<file \"A.DOC\">", "</file \"A.DOC\">", "</qmx>"},
         {"[1] ERROR! <page> without ending tag on <page \"1\">!"}},
        {{"<qmx \"I2.00\">", "<page \"1\">", "<tb 1>", "<row 1>", "<ct 1>", "<page \"2\">",
          "</page>", "</qmx>"},
         {"[1] ERROR! <tb ?> without ending tag on <page \"1\">!"}},
        {{"<qmx \"I2.00\">", "<file \"A.DOC\">", "<anfmt \"a\">", "<page \"1\">", "</page>",
          "</file \"A.DOC\">", "</qmx>"},
         {"[1] ERROR! <anfmt ?> without ending tag in <file \"A.DOC\">!"}},
        {{"<page \"1\">", "<tr 1>", "</tr>", "</page>", "</qmx>"},
         {"[1] ERROR! <page \"1\"> is not allowed in the context of the start of the file.",
          "[2] ERROR! <tr 1> is not allowed in the context of <page> to </page> on <page \"1\">."}},
        {{"<qmx \"I2.00\">", "</page>", "</qmx>"}, {"[1] ERROR! </page> without starting tag!"}},
        {{"<qmx \"I2.00\">", "<page \"1\">", "<imk 7>", "<ss>s", "</imk>", "</page>",
          "<page \"2\">", "<imk 8>", "<sa>a", "</imk>", "</page>", "</qmx>"},
         {"[1] ERROR! <imk 7> must be followed by a <ie> tag.",
          "[2] ERROR! <imk 8> must be followed by a <ie> tag."}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findingsOf(c.lines, checkExternalTagStructure), c.findings) << c.lines[1];
}

// The internal tags the text of each restricted external tag may hold: each
// probe alone after the tag.
TEST(PlacementRules, EachSegmentHoldsOnlyTheInternalTagsItsRuleSays) {
    const char* const probes[] = {"<:lt>",        "<:r12>",       "<:bb \"Pagenumber\">",
                                  "<:iaf 1>",     "<:v \"x\" 1>", "<:pn \"x\" 1>",
                                  "<:saf \"f\">", "<:an 1 2>",    "<:b>"};
    struct Row {
        const char* tag;
        const char* holds;   // the probes it may hold
        const char* finding; // after the probe in the finding
    };
    const std::string block = " may not appear inside the external building block ";
    const Row rows[] = {
        {"<xrv \"x\" 2>", "<:lt> <:r12>", " may not appear after a cross-reference variable!"},
        {"<ts 1>", "<:lt> <:r12> <:bb \"Pagenumber\">",
         " may not appear between <ts ?> and </ts>!"},
        {"<tl 1>", "<:lt> <:r12>", " may not appear between <tl ?> and </tl>!"},
        {"<ctart 1>", "<:iaf 1>", " may not appear between <ctart ?> and </ctart>."},
        {"<ie>", "<:lt> <:r12>", " may not appear inside an index entry!"},
        {"<il>", "<:lt> <:r12>", " may not appear inside an index level!"},
        {"<ss>", "<:lt> <:r12>", " may not appear inside a sort string!"},
        {"<sa>", "<:lt> <:r12>", " may not appear inside a see also!"},
        {"<bb \"Variable Format\">", "<:v \"x\" 1>", nullptr},
        {"<bb \"Prefix Format\">", "<:pn \"x\" 1>", nullptr},
        {"<bb \"Shared Frame Format\">", "<:saf \"f\">", nullptr},
        {"<bb \"Autonumber Stream Format\">", "<:an 1 2>", nullptr},
        {"<bb \"Prefix1\">", "<:lt> <:r12>", nullptr},
    };
    for (const Row& row : rows) {
        for (const std::string probe : probes) {
            TaggedFile file = taggedFile({"<qmx \"I2.00\">", row.tag + probe, "</qmx>"});
            VerificationReport validity;
            checkSourceTagValidity(file, validity);
            TagInventory inventory;
            inventory.preset();
            extractSourceInternalTags(file, inventory, validity);
            reclassifyInternalTags(file);
            VerificationReport report;
            checkInternalTagStructure(file, report);
            const bool held =
                (std::string(" ") + row.holds + " ").find(" " + probe + " ") != std::string::npos;
            const std::string finding =
                row.finding != nullptr ? row.finding : block + row.tag + ".";
            EXPECT_EQ(report.lines().empty() ? "" : report.lines().front(),
                      held ? "" : "[1] ERROR! " + probe + finding)
                << row.tag;
        }
    }
}
