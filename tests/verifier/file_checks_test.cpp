// The checks of one QMX file, each with its exact findings.
#include "verifier/file_checks.h"

#include "verifier_test_support.h"

#include <gtest/gtest.h>

using namespace quillex::verifier;
using quillex::testing::qmxLines;
using quillex::testing::reportText;
using quillex::testing::taggedFile;

namespace {

using Lines = std::vector<std::string>;

const std::string kSegmentStart = "+++++++++++++ Text Segment +++++++++++++";
const std::string kSegmentEnd = "++++++++++++++++++++++++++++++++++++++++\n";

// A source file classified and with its internal tags collected, as the
// later checks expect it.
struct PreparedFile {
    TaggedFile file;
    TagInventory inventory;
    VerificationReport report;
};

PreparedFile prepared(const Lines& lines, int font = kSourceFont) {
    PreparedFile prepared;
    prepared.file = taggedFile(lines, font);
    checkSourceTagValidity(prepared.file, prepared.report);
    prepared.inventory.preset();
    extractSourceInternalTags(prepared.file, prepared.inventory, prepared.report);
    reclassifyInternalTags(prepared.file);
    return prepared;
}

template <typename Check> Lines findingsOf(const Lines& lines, Check check) {
    PreparedFile file = prepared(lines);
    EXPECT_EQ(file.report.total(), 0) << reportText(file.report);
    VerificationReport report;
    check(file.file, report);
    return report.lines();
}

// Only the finding lines (those beginning "[").
Lines messagesOf(const Lines& lines) {
    Lines messages;
    for (const std::string& line : lines)
        if (line.starts_with("["))
            messages.push_back(line);
    return messages;
}

} // namespace

// ---- 1. External tag syntax ------------------------------------------------

TEST(ExternalTagSyntax, SoundFilesHaveNoFindings) {
    VerificationReport report;
    checkExternalTagSyntax(
        taggedFile(qmxLines({"<page \"1\">", "<ps \"B\" 1>a <:b>x<:/b> <:fc <:lt>>", "</page>"})),
        report);
    EXPECT_EQ(report.total(), 0);
    EXPECT_TRUE(report.lines().empty());
}

TEST(ExternalTagSyntax, ReportsEachKindOfBracketFaultWithItsSegment) {
    VerificationReport report;
    checkExternalTagSyntax(
        taggedFile({"<qmx \"I2.00\">", "<ps \"x\" 1>a <:b text", "<ps \"y\" 2>a > b <:lt",
                    "<ps \"z\" 3><:a<:b<:c<:d>>>>", "<ps \"a<b>c\" 4>x", "</qmx>"},
                   kTargetFont),
        report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] ERROR! Different number of < and >.",
                                  kSegmentStart,
                                  "<ps \"x\" 1>a <:b text",
                                  kSegmentEnd,
                                  "[2] ERROR! > and <: occur in the wrong order.",
                                  kSegmentStart,
                                  "<ps \"y\" 2>a > b <:lt",
                                  kSegmentEnd,
                                  "[3] ERROR! Too many <: in a row.",
                                  kSegmentStart,
                                  "<ps \"z\" 3><:a<:b<:c<:d>>>>",
                                  kSegmentEnd,
                                  "[4] ERROR! Nested external tags.",
                                  kSegmentStart,
                                  "<ps \"a<b>c\" 4>x",
                                  kSegmentEnd,
                              }));
    EXPECT_EQ(report.errors(), 4);
}

TEST(ExternalTagSyntax, ThreeOpenBracketsAreStillAllowed) {
    VerificationReport report;
    checkExternalTagSyntax(taggedFile({"<qmx \"I2.00\">", "<ps \"z\" 3><:a<:b<:c>>>", "</qmx>"}),
                           report);
    EXPECT_EQ(report.total(), 0);
}

TEST(ExternalTagSyntax, HeldTextAtTheEndIsCheckedAndNamedAsTheEnd) {
    VerificationReport report;
    checkExternalTagSyntax(taggedFile({"<qmx \"I2.00\">", "<ps \"a<b"}), report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] ERROR! Different number of < and >.",
                                  kSegmentStart,
                                  "<ps \"a<b",
                                  kSegmentEnd,
                                  "The previous message refers to the end of the file.",
                              }));
}

// ---- 2. Validity -------------------------------------------------------------

TEST(SourceTagValidity, ReportsUnlistedAndAddedExternalTagsAndUnknownInternalTags) {
    TaggedFile file = taggedFile(qmxLines(
        {"<page \"1\">", "<foo 1>", "<#ps \"x\" 1>", "<ps \"B\" 1>a<:zz>b<:lt>", "</page>"}));
    VerificationReport report;
    checkSourceTagValidity(file, report);
    TagInventory inventory;
    inventory.preset();
    extractSourceInternalTags(file, inventory, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] ERROR! The external tag <foo 1> is unknown to The Quillex.",
                                  kSegmentStart,
                                  "<foo 1>",
                                  kSegmentEnd,
                                  "[2] ERROR! External tags may not be added in the source file "
                                  "using the <#...> syntax.",
                                  kSegmentStart,
                                  "<#ps \"x\" 1>",
                                  kSegmentEnd,
                                  "[3] ERROR! The internal tag <:zz> is unknown to The Quillex.",
                                  kSegmentStart,
                                  "<ps \"B\" 1>a<:zz>b<:lt>",
                                  kSegmentEnd,
                              }));
    // Counts of the source: external tags once each, internal tags too.
    ASSERT_NE(inventory.find("<ps \"B\" 1>"), nullptr);
    EXPECT_EQ(inventory.find("<ps \"B\" 1>")->count, 1);
    EXPECT_TRUE(inventory.find("<ps \"B\" 1>")->external);
    EXPECT_EQ(inventory.find("<:lt>")->count, 1);
    EXPECT_FALSE(inventory.find("<:lt>")->external);
    EXPECT_EQ(inventory.find("<:zz>")->tagNumber, 122);
    ASSERT_EQ(file.internalTags.size(), 2u);
    EXPECT_EQ(file.textOf(file.internalTags[0]), "<:zz>");
    EXPECT_EQ(file.internalTags[1].tagNumber, 75);
    EXPECT_EQ(file.internalTags[1].segmentTagNumber, 0);
}

TEST(TranslatedTagValidity, CountsDownAndExaminesTagsAddedWithTheHashForm) {
    PreparedFile source =
        prepared(qmxLines({"<page \"1\">", "<ps \"x\" 1>a<:r233>", "<tr 4>", "</tr>", "</page>"}));
    TaggedFile translated = taggedFile(
        qmxLines({"<page \"1\">", "<ps \"x\" 1>a<:r12><:r65535><:r0>", "<#ps \"x\" 1>b", "<#tr 4>",
                  "<#ps \"new\" 9>", "<#imk>", "<ps \"other\" 2>", "</page>"}),
        kTargetFont);
    VerificationReport report;
    EXPECT_EQ(checkTranslatedTagValidity(translated, source.inventory, report), 4);
    EXPECT_EQ(messagesOf(report.lines()),
              (Lines{
                  "[1] ERROR! The internal tag <:r65535> is not a valid tag.",
                  "[2] ERROR! The internal tag <:r0> is not a valid tag.",
                  "[3] ERROR! You may not add the external tag <#tr 4> even with the # symbol in "
                  "front of it.",
                  "[4] ERROR! You may not add the external tag <#ps \"new\" 9> even with the # "
                  "symbol in front of it.",
                  "[5] ERROR! The external tag <ps \"other\" 2> is not a valid tag.",
              }));
    // One block per segment with findings, after all of its findings.
    EXPECT_EQ(report.lines()[2], kSegmentStart);
    EXPECT_EQ(report.lines()[3], "<ps \"x\" 1>a<:r12><:r65535><:r0>");

    const auto& segments = translated.segments;
    EXPECT_EQ(segments[6].category, category::AddedRecognised); // <#ps "x" 1>
    EXPECT_EQ(segments[6].tagNumber, 0);
    EXPECT_TRUE(segments[6].handled);
    EXPECT_EQ(segments[7].category, category::AddedRecognised); // <#tr 4>
    EXPECT_EQ(segments[7].tagNumber, 4);
    EXPECT_EQ(segments[8].category, category::AddedUnknown); // <#ps "new" 9>
    EXPECT_TRUE(segments[8].handled);
    EXPECT_EQ(segments[9].tagNumber, 29); // <#imk>
    EXPECT_FALSE(segments[5].handled);

    EXPECT_EQ(source.inventory.find("<ps \"x\" 1>")->count, 0);
    EXPECT_EQ(source.inventory.find("<tr 4>")->count, 1);
    EXPECT_EQ(source.inventory.find("<:r233>")->count, 1);
    ASSERT_EQ(translated.internalTags.size(), 3u);
    EXPECT_EQ(translated.internalTags[0].tagNumber, 77); // accepted character code
    EXPECT_EQ(translated.internalTags[0].category, category::Alert);
    EXPECT_EQ(translated.internalTags[1].tagNumber, 122);
    EXPECT_EQ(translated.internalTags[1].category, category::UnlistedInternal);
}

// ---- 3. Positioning of external tags ---------------------------------------

TEST(ExternalTagPositions, LengthLimitsCountTagsAsOneAndIgnoreLineEnds) {
    EXPECT_EQ(limitLength("ab<:lt>c\n<:hr>d\n"), 6);
    EXPECT_EQ(limitLength(""), 0);

    const std::string twenty(20, 'x');
    const Lines sound = findingsOf(
        qmxLines({"<page \"1\">", "<xrv \"v\" 1>" + std::string(19, 'x') + "<:lt>", "</xrv>",
                  "<imk 2>", "<ie>" + std::string(250, 'e'), "</imk>", "</page>"}),
        checkExternalTagPositions);
    EXPECT_TRUE(sound.empty());

    const Lines found = findingsOf(
        qmxLines({"<page \"1\">", "<xrv \"v\" 1>" + twenty + "<:lt>", "</xrv>", "<imk 2>",
                  "<ie>" + std::string(200, 'e'), "<il>" + std::string(248, 'e') + "\n<:t><:t><:t>",
                  "</imk>", "</page>"}),
        checkExternalTagPositions);
    EXPECT_EQ(found, (Lines{
                         "[1] ERROR! The text in <xrv \"v\" 1> is 1 character(s) too long.",
                         kSegmentStart,
                         "<xrv \"v\" 1>" + twenty + "<:lt>",
                         kSegmentEnd,
                         "[2] ERROR! The text in the index marker <imk 2> is 1 character(s) too "
                         "long.\nSee the on-line help system or the User Guide for more "
                         "information about marker length.",
                     }));
}

TEST(ExternalTagPositions, BuildingBlocksOfStreamFormatsHaveTheirLimits) {
    const Lines found = findingsOf(
        qmxLines({"<file \"A.DOC\">", "<bb \"Autonumber Stream Formats\">",
                  "<bb \"Autonumber Stream Format\">", "<anfmt \"list\">",
                  // Level texts hold 15 characters, page-number prefixes 9
                  // (the quotes count).
                  "<bb \"Level 1 Prefix\">\"" + std::string(13, 'l') + "\"",
                  "<bb \"Level 2 Prefix\">\"" + std::string(14, 'l') + "\"", "</anfmt>",
                  "<pgfmt \"pages\">", "<bb \"Prefix1\">\"" + std::string(7, 'p') + "\"",
                  "<bb \"Prefix2\">\"" + std::string(8, 'p') + "\"", "</pgfmt>",
                  "<bb \"Variable Format\">free text of any length at all", "</file \"A.DOC\">"}),
        checkExternalTagPositions);
    EXPECT_EQ(messagesOf(found),
              (Lines{
                  "[1] ERROR! The text in <bb \"Level 2 Prefix\"> in <anfmt \"list\"> is 1 "
                  "character(s) too long.",
                  "[2] ERROR! The text in <bb \"Prefix2\"> in <pgfmt \"pages\"> is 1 character(s) "
                  "too long.",
              }));
    EXPECT_EQ(found.size(), 8u); // each with its segment block
    EXPECT_EQ(found[2], "<bb \"Level 2 Prefix\">\"" + std::string(14, 'l') + "\"");
}

TEST(ExternalTagPositions, TagsThatMustStandAloneReportFollowingText) {
    const Lines found =
        findingsOf(qmxLines({"<page \"1\">", "<ps \"B\" 1>text is fine", "<tb 1>stray", "<row 1>",
                             "<ct 1>", "<ps \"C\" 2>cell", "</ct>", "</row>", "</tb>", "<imk 3>x",
                             "</imk>", "</page>", "<bb \"Page Header Format\">head"}),
                   checkExternalTagPositions);
    EXPECT_EQ(messagesOf(found), (Lines{
                                     "[1] ERROR! There may be no text or internal tags between "
                                     "<tb 1> and the next external tag.",
                                     "[2] ERROR! There may be no text or internal tags between "
                                     "<imk 3> and the next external tag.",
                                     "[3] ERROR! There may be no text or internal tags between "
                                     "<bb \"Page Header Format\"> and the next external tag.",
                                 }));
    EXPECT_EQ(found[1], kSegmentStart);
    EXPECT_EQ(found[2], "<tb 1>stray");

    const Lines afterEnd =
        findingsOf({"<qmx \"I2.00\">", "</qmx>trailing"}, checkExternalTagPositions);
    EXPECT_EQ(messagesOf(afterEnd),
              (Lines{"[1] ERROR! There may be no text or internal tags after </qmx>."}));
}

// ---- 4. Structure of external tags -------------------------------------------

TEST(ExternalTagStructure, AWellFormedFileHasNoFindings) {
    const Lines found = findingsOf(qmxLines({"<page \"1\">",
                                             "<ps \"B\" 1>x",
                                             "<tb 1>",
                                             "<row 1>",
                                             "<ct 1>",
                                             "<ps \"C\" 2>c",
                                             "</ct>",
                                             "<ctart 2>",
                                             "<af 3>",
                                             "<tr 4>",
                                             "<ps \"D\" 3>d",
                                             "</tr>",
                                             "</af>",
                                             "</ctart>",
                                             "</row>",
                                             "<hrow 2>",
                                             "</tb>",
                                             "<imk 5>",
                                             "<ie>entry",
                                             "<il>level",
                                             "</imk>",
                                             "<xrv \"v\" 1>",
                                             "</xrv>",
                                             "<fn 1 1>",
                                             "<af 6>",
                                             "<ts 1>t",
                                             "</ts>",
                                             "</af>",
                                             "</fn>",
                                             "</page>",
                                             "<file \"A.DOC\">",
                                             "<bb \"Variable Formats\">",
                                             "<vfmt \"v\">",
                                             "<ps \"V\" 4>",
                                             "</vfmt>",
                                             "<pgfmt \"p\">",
                                             "<bb \"Prefix1\">",
                                             "</pgfmt>",
                                             "</file \"A.DOC\">"}),
                                   checkExternalTagStructure);
    EXPECT_TRUE(found.empty()) << found.front();
}

TEST(ExternalTagStructure, OnlyTheFirstErrorOfAPageIsReported) {
    const Lines found =
        findingsOf(qmxLines({"<page \"1\">", "<ps \"B\" 1>x", "<tr 4>", "</tr>", "<tr 5>",
                             "</page>", "<page \"2\">", "<tl 1>", "</page>"}),
                   checkExternalTagStructure);
    EXPECT_EQ(messagesOf(found),
              (Lines{
                  // The pairs these leave open are not reported: they follow
                  // from the first error of their page.
                  "[1] ERROR! <tr 4> is not allowed in the context of <page> to </page> on "
                  "<page \"1\">.",
                  "[2] ERROR! <tl 1> is not allowed in the context of <page> to </page> on "
                  "<page \"2\">.",
              }));
    // The context block: previous, current and next segment, one more line end.
    EXPECT_EQ(found[1], "+++++++++++++ Text Segment +++++++++++++");
    EXPECT_EQ(found[2], "<ps \"B\" 1>x\n<tr 4>\n</tr>");
    EXPECT_EQ(found[3], kSegmentEnd + "\n");
}

TEST(ExternalTagStructure, OpenPairsAreReportedBeforeTheNextPageAndAtTheEnd) {
    const Lines one = findingsOf(qmxLines({"<page \"1\">", "<tb 1>", "<row 1>", "</row>", "</page>",
                                           "<page \"2\">", "</page>"}),
                                 checkExternalTagStructure);
    // </page> inside the table is out of place; the table still open is a
    // consequence and not reported again.
    EXPECT_EQ(messagesOf(one), (Lines{
                                   "[1] ERROR! </page> without starting tag on <page \"1\">!",
                               }));
    // A deleted </ct>: one error, not a cascade of unclosed row and table.
    const Lines cell =
        findingsOf(qmxLines({"<page \"1\">", "<tb 1>", "<row 1>", "<ct 1>", "<ps \"C\" 1>a",
                             "<ct 2>", "<ps \"C\" 1>b", "</ct>", "</row>", "</tb>", "</page>",
                             "<page \"2\">", "<tb 2>"}),
                   checkExternalTagStructure);
    EXPECT_EQ(messagesOf(cell),
              (Lines{
                  "[1] ERROR! <ct 2> is not allowed in the context of <ct ?> to </ct> on "
                  "<page \"1\">.",
                  "[2] ERROR! <tb ?> without ending tag on <page \"2\">!",
              }));

    const Lines several =
        findingsOf(qmxLines({"<page \"1\">", "<xrv \"a\" 1>", "<page \"2\">", "<xrv \"b\" 2>",
                             "<xrv \"c\" 3>", "<page \"3\">", "</page>", "<file \"A.DOC\">",
                             "<anfmt \"s\">", "</file \"A.DOC\">", "</file \"A.DOC\">"}),
                   checkExternalTagStructure);
    EXPECT_EQ(messagesOf(several),
              (Lines{
                  "[1] ERROR! <xrv ?> without ending tag on <page \"1\">!",
                  "[2] ERROR! <xrv \"c\" 3> is not allowed in the context of <xrv ?> to </xrv> "
                  "on <page \"2\">.",
                  "[3] ERROR! </file \"A.DOC\"> is not allowed in the context of <anfmt ?> to "
                  "</anfmt> in <file \"A.DOC\">.",
              }));
}

TEST(ExternalTagStructure, IndexMarkersNeedTheirEntryFirst) {
    const Lines found =
        findingsOf(qmxLines({"<page \"1\">", "<imk 7>", "<il>level", "<ss>sort", "</imk>",
                             "</page>", "<page \"2\">", "<ie>x", "</page>"}),
                   checkExternalTagStructure);
    EXPECT_EQ(messagesOf(found),
              (Lines{
                  "[1] ERROR! <imk 7> must be followed by a <ie> tag.",
                  "[2] ERROR! <ie> is not allowed in the context of <page> to </page> on "
                  "<page \"2\">.",
              }));
}

TEST(ExternalTagStructure, TagsAfterTheEndAndAMissingEndAreAlwaysReported) {
    const Lines after = findingsOf(
        {"<qmx \"I2.00\">", "<page \"1\">", "</page>", "</qmx>", "<page \"2\">", "</page>"},
        checkExternalTagStructure);
    EXPECT_EQ(messagesOf(after),
              (Lines{
                  "[1] ERROR! No tag(s) are allowed after the end of the QMX file (</qmx>).",
                  "[2] ERROR! No tag(s) are allowed after the end of the QMX file (</qmx>).",
              }));

    const Lines missing = findingsOf({"<qmx \"I2.00\">", "<page \"1\">", "<tr 1>", "</page>"},
                                     checkExternalTagStructure);
    EXPECT_EQ(messagesOf(missing),
              (Lines{
                  "[1] ERROR! <tr 1> is not allowed in the context of <page> to </page> on "
                  "<page \"1\">.",
                  "[2] ERROR! </qmx> missing at the end of the file.",
              }));
}

TEST(ExternalTagStructure, UnclosedPairsBeforeTheEndOfTheFile) {
    const Lines found = findingsOf(qmxLines({"<page \"1\">", "<tb 1>"}), checkExternalTagStructure);
    EXPECT_EQ(messagesOf(found), (Lines{"[1] ERROR! <tb ?> without ending tag on <page \"1\">!"}));
}

TEST(ExternalTagStructure, ATagBeforeAnyPageHasNoPositionToName) {
    const Lines found = findingsOf(qmxLines({"<ps \"B\" 1>x"}), checkExternalTagStructure);
    EXPECT_EQ(messagesOf(found),
              (Lines{"[1] ERROR! <ps \"B\" 1> is not allowed in the context of <qmx \"I2.xx\"> to "
                     "</qmx>."}));
}

// ---- 5. Positioning of internal tags -----------------------------------------

TEST(InternalTagPositions, PairsMustCloseWithinTheirSegment) {
    const Lines found =
        findingsOf(qmxLines({"<page \"1\">", "<ps \"B\" 1>a<:b>b<:i>c<:/i><:/i>d<:fc 3>e<:/fc>",
                             "<ps \"C\" 2>x<:/b>", "<ps \"D\" 3><:b><:b><:cs \"k\" 1>", "</page>"}),
                   checkInternalTagPositions);
    EXPECT_EQ(messagesOf(found), (Lines{
                                     "[1] ERROR! 1 <:/i> without starting <:i>!",
                                     "[2] ERROR! 1 <:b> without ending <:/b>!",
                                     "[3] ERROR! 1 <:/b> without starting <:b>!",
                                     "[4] ERROR! 2 <:b> without ending <:/b>!",
                                     "[5] ERROR! 1 <:cs ?> without ending <:/cs>!",
                                 }));
    // One context block per segment, after its findings.
    EXPECT_EQ(found[2], kSegmentStart);
    EXPECT_EQ(found[3], "<page \"1\">\n<ps \"B\" 1>a<:b>b<:i>c<:/i><:/i>d<:fc 3>e<:/fc>\n"
                        "<ps \"C\" 2>x<:/b>");
}

TEST(InternalTagPositions, ConditionalSubcomponentsDoNotNest) {
    const Lines found =
        findingsOf(qmxLines({"<page \"1\">", "<ps \"B\" 1><:cns \"e\" 1>a<:cns \"e\" 2>b<:/cns>",
                             "<ps \"C\" 2>x<:/cns>", "<ps \"D\" 3><:cns \"e\" 3>y", "</page>"}),
                   checkInternalTagPositions);
    EXPECT_EQ(messagesOf(found), (Lines{
                                     "[1] ERROR! 1 <:cns ?> without ending <:/cns>!",
                                     "[2] ERROR! 1 <:/cns> without starting <:cns ?>!",
                                     "[3] ERROR! 1 <:cns ?> without ending <:/cns>!",
                                 }));
}

// ---- 6. Structure of internal tags -------------------------------------------

TEST(InternalTagStructure, RestrictedSegmentsAcceptOnlyTheirTags) {
    const Lines found = findingsOf(qmxLines({"<page \"1\">",
                                             "<xrv \"v\" 1><:lt><:r12><:b>",
                                             "</xrv>",
                                             "<af 1>",
                                             "<ts 1>a<:bb \"Pagenumber\"><:t>",
                                             "</ts>",
                                             "<tl 2><:bb \"Filename\">",
                                             "</tl>",
                                             "</af>",
                                             "<imk 1>",
                                             "<ie><:hr>",
                                             "<il><:fc 1>",
                                             "<ss><:lt>",
                                             "<sa><:b>",
                                             "</imk>",
                                             "<ps \"B\" 1><:b>anything<:/b>",
                                             "</page>",
                                             "<file \"A.DOC\">",
                                             "<bb \"Variable Format\"><:v \"x\" 1><:lt>",
                                             "<bb \"Prefix Format\"><:pn \"p\" 1>",
                                             "<bb \"Shared Frame Format\"><:saf \"f\" 1>",
                                             "<bb \"Autonumber Stream Format\"><:an 1 2>",
                                             "<bb \"Page Header Format\"><:r9><:an 1 2>",
                                             "</file \"A.DOC\">"}),
                                   checkInternalTagStructure);
    EXPECT_EQ(messagesOf(found),
              (Lines{
                  "[1] ERROR! <:b> may not appear after a cross-reference variable!",
                  "[2] ERROR! <:t> may not appear between <ts ?> and </ts>!",
                  "[3] ERROR! <:bb \"Filename\"> may not appear between <tl ?> and </tl>!",
                  "[4] ERROR! <:hr> may not appear inside an index entry!",
                  "[5] ERROR! <:fc 1> may not appear inside an index level!",
                  "[6] ERROR! <:b> may not appear inside a see also!",
                  "[7] ERROR! <:lt> may not appear inside the external building block "
                  "<bb \"Variable Format\">.",
                  "[8] ERROR! <:an 1 2> may not appear inside the external building block "
                  "<bb \"Page Header Format\">.",
              }));
}

TEST(InternalTagStructure, CellFramesHoldOnlyAnchoredFrames) {
    const Lines found =
        findingsOf(qmxLines({"<page \"1\">", "<tb 1>", "<row 1>", "<ctart 1><:iaf 2><:lt>",
                             "</ctart>", "</row>", "</tb>", "</page>"}),
                   checkInternalTagStructure);
    EXPECT_EQ(messagesOf(found),
              (Lines{"[1] ERROR! <:lt> may not appear between <ctart ?> and </ctart>."}));
}

// ---- 7. Japanese characters ----------------------------------------------------

TEST(JapaneseCharacters, ReportsPairsInterleafLacksOutsideTagsAndWesternSpans) {
    // 0x82 0xA0 is an ordinary character; 0xEA 0xA3 and 0xED 0x40 are not in
    // Interleaf; inside <:c> ... <:/c> and inside tags nothing is looked at.
    const std::string text =
        "<ps \"B\" 1>\x82\xA0\xEA\xA3x\xED\x40<:c>\xEE\x40<:/c><:r \"\xFA\x40\" 1>";
    TaggedFile file = taggedFile(qmxLines({"<page \"1\">", text, "</page>"}), kTargetFont);
    VerificationReport report;
    checkJapaneseCharacters(file, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] ALERT! The following Japanese character does not exist in "
                                  "Interleaf and may therefore not be used: \"\xEA\xA3\".",
                                  "[2] ALERT! The following Japanese character does not exist in "
                                  "Interleaf and may therefore not be used: \"\xED\x40\".",
                                  kSegmentStart,
                                  text,
                                  kSegmentEnd,
                              }));
    EXPECT_EQ(report.alerts(), 2);
    EXPECT_EQ(report.errors(), 0);
}

TEST(JapaneseCharacters, ATrailByteIsNeverTakenForALeadByte) {
    // 0x81 0xED is one character; the 0xED must not start another.
    TaggedFile file = taggedFile(qmxLines({"<ps \"B\" 1>\x81\xED\x40"}), kTargetFont);
    VerificationReport report;
    checkJapaneseCharacters(file, report);
    EXPECT_EQ(report.total(), 0);
}
