// Comparison of source and translated tags.
#include "verifier/tag_comparison.h"

#include "verifier/file_checks.h"
#include "verifier_test_support.h"

#include <gtest/gtest.h>

using namespace quillex::verifier;
using quillex::testing::qmxLines;
using quillex::testing::reportText;
using quillex::testing::taggedFile;

namespace {

using Lines = std::vector<std::string>;

// Both files checked as the verification run checks them, ready to compare.
struct FilePair {
    FilePair(const Lines& sourceLines, const Lines& translatedLines) {
        source = taggedFile(sourceLines, kSourceFont);
        translated = taggedFile(translatedLines, kTargetFont);
        VerificationReport checks;
        checkSourceTagValidity(source, checks);
        inventory.preset();
        extractSourceInternalTags(source, inventory, checks);
        reclassifyInternalTags(source);
        addedWithHash = checkTranslatedTagValidity(translated, inventory, checks);
        checkFindings = checks.total();
    }

    TaggedFile source;
    TaggedFile translated;
    TagInventory inventory;
    int addedWithHash = 0;
    int checkFindings = 0;
};

Lines messagesOf(const VerificationReport& report) {
    Lines messages;
    for (const std::string& line : report.lines())
        if (line.starts_with("["))
            messages.push_back(line);
    return messages;
}

// Paragraph lines named by single letters: "<ps \"A\" 1>a" and so on.
Lines paragraphs(const std::string& names) {
    Lines lines;
    for (char name : names)
        lines.push_back("<ps \"" + std::string(1, name) + "\" " + std::to_string(name - 'A' + 1) +
                        ">" + std::string(1, static_cast<char>(name + 32)));
    return lines;
}

Lines page(const std::string& names) {
    Lines lines = {"<page \"1\">"};
    for (const std::string& line : paragraphs(names))
        lines.push_back(line);
    lines.push_back("</page>");
    return qmxLines(lines);
}

} // namespace

// ---- External tags report ------------------------------------------------------

TEST(ExternalTagCounts, ListDeletedAndAddedTagsInTextOrder) {
    FilePair pair(qmxLines({"<page \"1\">", "<ps \"B\" 2>b", "<ps \"A\" 1>a", "<ps \"A\" 1>a",
                            "<tb 1>", "</tb>", "</page>"}),
                  qmxLines({"<page \"1\">", "<ps \"B\" 2>b", "<ps \"B\" 2>b", "<ps \"B\" 2>b",
                            "<imk>", "</page>"}));
    VerificationReport report;
    reportExternalTagCounts(pair.inventory, report);
    EXPECT_EQ(report.lines(),
              (Lines{
                  "1 occurrence(s) of the external tag </tb> deleted.",
                  "1 occurrence(s) of the external tag <imk> added without using the <#...> "
                  "syntax.",
                  "2 occurrence(s) of the external tag <ps \"A\" 1> deleted.",
                  "2 occurrence(s) of the external tag <ps \"B\" 2> added without using the "
                  "<#...> syntax.",
                  "1 occurrence(s) of the external tag <tb 1> deleted.",
              }));
    EXPECT_EQ(report.total(), 0);
}

// ---- Added external tags -------------------------------------------------------

TEST(AddedExternalTags, EachIsAWarningWithItsSegment) {
    FilePair pair(page("AB"), qmxLines({"<page \"1\">", "<ps \"A\" 1>a", "<#ps \"A\" 1>new",
                                        "<ps \"B\" 2>b", "<#zz>", "</page>"}));
    ASSERT_EQ(pair.addedWithHash, 2);
    VerificationReport report;
    reportAddedExternalTags(pair.translated, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] WARNING! The external tag <#ps \"A\" 1> has been added.",
                                  "+++++++++++++ Text Segment +++++++++++++",
                                  "<#ps \"A\" 1>new",
                                  "++++++++++++++++++++++++++++++++++++++++\n",
                                  "[2] WARNING! The external tag <#zz> has been added.",
                                  "+++++++++++++ Text Segment +++++++++++++",
                                  "<#zz>",
                                  "++++++++++++++++++++++++++++++++++++++++\n",
                              }));
    EXPECT_EQ(report.warnings(), 2);

    // The walk passes over them: otherwise the files agree.
    VerificationReport compared;
    EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, compared));
    EXPECT_EQ(compared.total(), 0);
    EXPECT_TRUE(compared.lines().empty());
}

// ---- Comparing external tags ---------------------------------------------------

TEST(ExternalComparison, ADeletedTagIsFoundAheadAndTheRestAgrees) {
    FilePair pair(page("ABCD"), page("ACD"));
    VerificationReport report;
    EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, report));
    EXPECT_EQ(report.lines(),
              (Lines{
                  "There are 11 external tag(s) in the source file and 10 in the translated file ",
                  "(not including tags in the translated file that have been added using the "
                  "<#...> syntax).\n",
                  "Assuming 1 external tag(s) deleted, none added.\n",
                  "[1] WARNING! The external tag <ps \"B\" 2> has been deleted.",
                  "+++++++++++++++ Source Text +++++++++++++++",
                  "<ps \"A\" 1>a\n<ps \"B\" 2>b\n<ps \"C\" 3>c",
                  "+++++++++++++ Translated Text +++++++++++++",
                  "<ps \"A\" 1>a\n<ps \"C\" 3>c\n<ps \"D\" 4>d",
                  "+++++++++++++++++++++++++++++++++++++++++++\n",
              }));
    EXPECT_TRUE(pair.source.segments[6].handled);
    EXPECT_FALSE(pair.source.segments[7].handled);
    EXPECT_EQ(report.warnings(), 1);
}

TEST(ExternalComparison, AnAddedTagIsIllegalWithoutTheHashForm) {
    FilePair pair(page("AB"), page("AXB"));
    VerificationReport report;
    EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, report));
    EXPECT_EQ(report.lines()[2],
              "Assuming 1 external tag(s) added (not using the <#...> syntax), none deleted.\n");
    EXPECT_EQ(messagesOf(report),
              (Lines{"[1] ERROR! The external tag <ps \"X\" 24> has been illegally added."}));
    EXPECT_TRUE(pair.translated.segments[6].handled);
}

TEST(ExternalComparison, SwappedTagsAreTwoChanges) {
    FilePair pair(page("ABC"), page("ACB"));
    VerificationReport report;
    EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, report));
    EXPECT_EQ(messagesOf(report),
              (Lines{
                  "[1] ALERT! The external tag <ps \"B\" 2> has been changed to <ps \"C\" 3>.",
                  "[2] ALERT! The external tag <ps \"C\" 3> has been changed to <ps \"B\" 2>.",
              }));
    EXPECT_EQ(report.alerts(), 2);
    EXPECT_EQ(report.lines().size(), 12u); // no count lines: the numbers agree
}

TEST(ExternalComparison, SeventeenChangesInARowStopAfterTheSixteenth) {
    FilePair pair(page("ABCDEFGHIJKLMNOPQ"), page("abcdefghijklmnopq"));
    VerificationReport report;
    EXPECT_FALSE(compareExternalTags(pair.source, pair.translated, report));
    EXPECT_EQ(report.alerts(), 16);
    const Lines& lines = report.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "\nThe files could not be fully compared!");
    EXPECT_EQ(lines.back(), "If you intentionally changed the order of some external tags, and "
                            "there are no Errors reported, you can ignore this message.\n");
}

TEST(ExternalComparison, SixteenChangesThenAMatchDoNotStop) {
    FilePair pair(page("ABCDEFGHIJKLMNOPQ"), page("abcdefghijklmnoQ"));
    // 17 source paragraphs against 16: the counts differ, so no stop.
    VerificationReport report;
    EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, report));
}

TEST(ExternalComparison, TagsLeftAtTheEndAreDeletedOrAdded) {
    using quillex::testing::qmxHeader;
    {
        Lines cut = qmxHeader();
        cut.insert(cut.end(), {"<page \"1\">", "<ps \"A\" 1>a"});
        FilePair pair(page("A"), cut);
        VerificationReport report;
        EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, report));
        EXPECT_EQ(messagesOf(report), (Lines{
                                          "[1] ERROR! The external tag </page> has been deleted.",
                                          "[2] ERROR! The external tag </qmx> has been deleted.",
                                      }));
        EXPECT_EQ(report.lines()[3], "External tags deleted at the end of the translated file!");
        // The translated side of the block shows the end of the file.
        EXPECT_EQ(report.lines()[8], "<ps \"A\" 1>a");
    }
    {
        Lines longer = page("A");
        longer.insert(longer.end(), {"<tb 1>", "<#ps \"A\" 1>"});
        FilePair pair(page("A"), longer);
        VerificationReport report;
        EXPECT_TRUE(compareExternalTags(pair.source, pair.translated, report));
        EXPECT_EQ(report.lines()[3], "External tags added at the end of the translated file!");
        EXPECT_EQ(messagesOf(report),
                  (Lines{"[1] ERROR! The external tag <tb 1> has been illegally added."}));
    }
    {
        // Skips reach no further than the difference in numbers.
        FilePair pair(qmxLines({"<page \"1\">", "<tb 1>", "<ps \"B\" 2>b", "</page>"}), page("B"));
        VerificationReport report;
        compareExternalTags(pair.source, pair.translated, report);
        EXPECT_EQ(messagesOf(report),
                  (Lines{"[1] ERROR! The external tag <tb 1> has been deleted."}));
    }
}

TEST(ExternalComparison, DeletedTagsAreReportedByTheirCategory) {
    FilePair pair(qmxLines({"<page \"1\">", "<imk 1>", "<ie>x", "</imk>", "<tb 1>", "</tb>",
                            "<ps \"A\" 1>a", "</page>"}),
                  qmxLines({"<page \"1\">", "<ps \"A\" 1>a", "</page>"}));
    VerificationReport report;
    compareExternalTags(pair.source, pair.translated, report);
    EXPECT_EQ(messagesOf(report), (Lines{
                                      "[1] ALERT! The external tag <imk 1> has been deleted.",
                                      "[2] ALERT! The external tag <ie> has been deleted.",
                                      "[3] ALERT! The external tag </imk> has been deleted.",
                                      "[4] ERROR! The external tag <tb 1> has been deleted.",
                                      "[5] ERROR! The external tag </tb> has been deleted.",
                                  }));
}

// ---- Internal tags report ------------------------------------------------------

TEST(InternalTagCounts, ListChangesButNeverCharacterFormatting) {
    FilePair pair(
        qmxLines({"<page \"1\">", "<ps \"A\" 1>a<:lt><:lt><:b>x<:/b><:fn 1 1>", "</page>"}),
        qmxLines({"<page \"1\">", "<ps \"A\" 1>a<:lt><:r1><:gt><:i>x<:/i><:zz>", "</page>"}));
    VerificationReport report;
    reportInternalTagCounts(pair.inventory, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "1 occurrence(s) of the internal tag <:fn 1 1> deleted.",
                                  "1 occurrence(s) of the internal tag <:gt> added.",
                                  "1 occurrence(s) of the internal tag <:lt> deleted.",
                              }));
}

TEST(InternalTagCounts, UnknownInternalTagsAreNamedSo) {
    TagInventory inventory;
    inventory.countUp("<:q>", false, 122, category::UnlistedInternal);
    inventory.countUp("<:w>", false, 122, category::UnlistedInternal);
    inventory.find("<:w>")->count = -2;
    VerificationReport report;
    reportInternalTagCounts(inventory, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "1 occurrence(s) of the unknown internal tag <:q> deleted.",
                                  "2 occurrence(s) of the unknown internal tag <:w> added.",
                              }));
}

// ---- Comparing internal tags ---------------------------------------------------

TEST(InternalComparison, ReportsByCategoryAndPrintsEachSegmentPairOnce) {
    FilePair pair(qmxLines({"<page \"1\">", "<ps \"A\" 1>a<:b>x<:/b><:lt><:r1><:fn 1 1>",
                            "<ps \"B\" 2>b<:t>", "<ps \"C\" 3>c<:gt>", "</page>"}),
                  qmxLines({"<page \"1\">", "<ps \"A\" 1>a x<:r1>", "<ps \"B\" 2>b<:t>",
                            "<ps \"C\" 3>c<:hr><:r77>", "</page>"}));
    ASSERT_EQ(pair.checkFindings, 0);
    VerificationReport report;
    compareInternalTags(pair.source, pair.translated, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] WARNING! The internal tag <:lt> has been deleted.",
                                  "[2] ERROR! The internal tag <:fn 1 1> has been deleted.",
                                  "+++++++++++++++ Source Text +++++++++++++++",
                                  "<ps \"A\" 1>a<:b>x<:/b><:lt><:r1><:fn 1 1>",
                                  "+++++++++++++ Translated Text +++++++++++++",
                                  "<ps \"A\" 1>a x<:r1>",
                                  "+++++++++++++++++++++++++++++++++++++++++++\n",
                                  "[3] WARNING! The internal tag <:gt> has been deleted.",
                                  "[4] WARNING! The internal tag <:hr> has been added.",
                                  "[5] ALERT! The internal tag <:r77> has been added.",
                                  "+++++++++++++++ Source Text +++++++++++++++",
                                  "<ps \"C\" 3>c<:gt>",
                                  "+++++++++++++ Translated Text +++++++++++++",
                                  "<ps \"C\" 3>c<:hr><:r77>",
                                  "+++++++++++++++++++++++++++++++++++++++++++\n",
                              }));
    EXPECT_EQ(report.warnings(), 3);
    EXPECT_EQ(report.alerts(), 1);
    EXPECT_EQ(report.errors(), 1);
}

TEST(InternalComparison, AMissingCharacterCodeIsAnAlert) {
    FilePair pair(qmxLines({"<ps \"A\" 1>a<:r1>"}), qmxLines({"<ps \"A\" 1>a<:r1 >"}));
    VerificationReport report;
    compareInternalTags(pair.source, pair.translated, report);
    EXPECT_EQ(messagesOf(report), (Lines{
                                      "[1] ALERT! The internal tag <:r1> has been deleted.",
                                      "[2] ERROR! The unknown internal tag <:r1 > has been added.",
                                  }));
}

TEST(InternalComparison, TagsOfHandledSegmentsAreNotCompared) {
    FilePair pair(qmxLines({"<page \"1\">", "<ps \"A\" 1>a<:lt>", "<ps \"B\" 2>b<:gt>",
                            "<ps \"C\" 3>c<:t>", "</page>"}),
                  qmxLines({"<page \"1\">", "<ps \"A\" 1>a<:lt>", "<ps \"X\" 9>b",
                            "<ps \"C\" 3>c<:t>", "</page>"}));
    VerificationReport walk;
    compareExternalTags(pair.source, pair.translated, walk);
    ASSERT_EQ(
        messagesOf(walk),
        (Lines{"[1] ALERT! The external tag <ps \"B\" 2> has been changed to <ps \"X\" 9>."}));
    VerificationReport report;
    compareInternalTags(pair.source, pair.translated, report);
    EXPECT_TRUE(report.lines().empty());
}

TEST(InternalComparison, WhenOneSideHasNoneAllAreDeletedOrAdded) {
    {
        FilePair pair(qmxLines({"<ps \"A\" 1>a<:lt>"}), qmxLines({"<ps \"A\" 1>a"}));
        VerificationReport report;
        compareInternalTags(pair.source, pair.translated, report);
        ASSERT_GE(report.lines().size(), 2u);
        EXPECT_EQ(report.lines()[0], "All internal tags have been deleted!\n");
        EXPECT_EQ(report.lines()[1], "[1] WARNING! The internal tag <:lt> has been deleted.");
        EXPECT_EQ(report.lines().size(), 7u); // and the pair of segments
    }
    {
        FilePair pair(qmxLines({"<ps \"A\" 1>a<:b>b<:/b>"}), qmxLines({"<ps \"A\" 1>a<:t>"}));
        VerificationReport report;
        compareInternalTags(pair.source, pair.translated, report);
        ASSERT_GE(report.lines().size(), 2u);
        EXPECT_EQ(report.lines()[0], "All internal tags have been added!\n");
        EXPECT_EQ(report.lines()[1], "[1] WARNING! The internal tag <:t> has been added.");
    }
}

TEST(InternalComparison, UnmatchedTagsOfEarlierSegmentsComeFirst) {
    FilePair pair(qmxLines({"<ps \"A\" 1>a", "<ps \"B\" 2>b<:lt>"}),
                  qmxLines({"<ps \"A\" 1>a<:t>", "<ps \"B\" 2>b<:lt><:gt>"}));
    VerificationReport report;
    compareInternalTags(pair.source, pair.translated, report);
    EXPECT_EQ(messagesOf(report), (Lines{
                                      "[1] WARNING! The internal tag <:t> has been added.",
                                      "[2] WARNING! The internal tag <:gt> has been added.",
                                  }));
}

TEST(InternalComparison, TagsOfExternalTagsAddedWithTheHashFormAreAdded) {
    FilePair pair(page("A"), qmxLines({"<page \"1\">", "<ps \"A\" 1>a", "<#ps \"A\" 1>x<:lt><:b>",
                                       "<#zz><:fn 2 2>", "</page>"}));
    VerificationReport report;
    compareInternalTags(pair.source, pair.translated, report);
    EXPECT_EQ(report.lines(), (Lines{
                                  "[1] WARNING! The internal tag <:lt> has been added.",
                                  "+++++++++++++ Text Segment +++++++++++++",
                                  "<#ps \"A\" 1>x<:lt><:b>",
                                  "++++++++++++++++++++++++++++++++++++++++\n",
                                  "[2] ERROR! The unknown internal tag <:fn 2 2> has been added.",
                                  "+++++++++++++ Text Segment +++++++++++++",
                                  "<#zz><:fn 2 2>",
                                  "++++++++++++++++++++++++++++++++++++++++\n",
                              }));
}
