// Malformed input of every kind runs through every check without harm: text
// is never lost by the cutter, and every finding is numbered in turn.
#include "verifier/file_checks.h"
#include "verifier/tag_comparison.h"
#include "verifier_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillex::verifier;
using quillex::testing::taggedFile;

namespace {

using Lines = std::vector<std::string>;

// Lines built from pieces that tend to break things: brackets, tag heads of
// every kind, "#", quotes, high bytes and Shift-JIS lead bytes.
Lines randomLines(std::mt19937& random, int count) {
    static const char* const pieces[] = {
        "<",
        ">",
        ":",
        "#",
        "\"",
        " ",
        "text",
        "<:b>",
        "<:/b>",
        "<:cns \"e\" 1>",
        "<:/cns>",
        "<ps \"B\" 1>",
        "<page \"1\">",
        "</page>",
        "<tb 1>",
        "</tb>",
        "<row 1>",
        "<ct 1>",
        "</ct>",
        "<imk 1>",
        "<ie>",
        "<il>",
        "</imk>",
        "<xrv \"v\" 1>",
        "</xrv>",
        "<bb \"Prefix1\">",
        "<anfmt \"a\">",
        "<file \"A\">",
        "</file \"A\">",
        "<#ps \"B\" 1>",
        "<#imk>",
        "</qmx>",
        "<qmx \"I2.00\">",
        "<:r12>",
        "<:r0>",
        "\x82\xA0",
        "\xED\x40",
        "\xEA",
        "<:c>",
        "<:/c>",
        "<af 1>",
        "<tr 1>",
    };
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    Lines lines = {"<qmx \"I2.00\">"};
    for (int i = 0; i < count; ++i) {
        std::string line;
        for (int n = length(random); n > 0; --n)
            line += pieces[pick(random)];
        lines.push_back(line);
    }
    return lines;
}

int numberedLines(const VerificationReport& report) {
    int count = 0;
    for (const std::string& line : report.lines())
        if (line.starts_with("[" + std::to_string(count + 1) + "] "))
            ++count;
    return count;
}

} // namespace

TEST(MalformedInput, EveryCheckCopesWithRandomTagSoup) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        const Lines sourceLines = randomLines(random, 30);
        const Lines translatedLines = randomLines(random, 30);

        TaggedFile source = taggedFile(sourceLines, kSourceFont);
        std::string joined;
        for (const std::string& line : sourceLines)
            joined += line + "\n";
        std::string cut;
        for (const Segment& segment : source.segments)
            cut += segment.text;
        ASSERT_EQ(cut, joined);

        TaggedFile translated = taggedFile(translatedLines, kTargetFont);
        VerificationReport report;
        TagInventory inventory;
        checkExternalTagSyntax(source, report);
        checkSourceTagValidity(source, report);
        inventory.preset();
        extractSourceInternalTags(source, inventory, report);
        reclassifyInternalTags(source);
        for (TaggedFile* file : {&source, &translated}) {
            if (file == &translated) {
                checkExternalTagSyntax(translated, report);
                checkTranslatedTagValidity(translated, inventory, report);
            }
            checkExternalTagPositions(*file, report);
            checkExternalTagStructure(*file, report);
            checkInternalTagPositions(*file, report);
            checkInternalTagStructure(*file, report);
        }
        checkJapaneseCharacters(translated, report);
        reportExternalTagCounts(inventory, report);
        reportAddedExternalTags(translated, report);
        if (compareExternalTags(source, translated, report)) {
            reportInternalTagCounts(inventory, report);
            compareInternalTags(source, translated, report);
        }
        ASSERT_GT(report.total(), 0);
        ASSERT_EQ(numberedLines(report), report.total());
        ASSERT_EQ(report.errors() + report.alerts() + report.warnings(), report.total());
    }
}

TEST(MalformedInput, AFileOfNothingButBracketsIsCutAndChecked) {
    for (const std::string& text : {std::string(5000, '<'), std::string(5000, '>'),
                                    std::string(2000, '<') + std::string(2000, '>')}) {
        TaggedFile file = taggedFile({"<qmx \"I2.00\">", text});
        VerificationReport report;
        checkExternalTagSyntax(file, report);
        EXPECT_GT(report.total(), 0);
    }
}
