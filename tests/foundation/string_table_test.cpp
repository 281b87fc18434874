// The compiled-in string table: exact texts and complete coverage of the
// numbers that the program looks up.
#include "foundation/string_table.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillex;

namespace {

// Every message number the program fetches: window and dialog texts, result
// messages, file errors, warnings, ancillary-file messages, About page lines.
constexpr int kUsedIds[] = {
    30,    100,   110,   150,   1001,  1011,  1501,  1600,  2000,  2500,  3000,  3010,  3020,
    3030,  3040,  3510,  4001,  4010,  4011,  4021,  4022,  4030,  6000,  6050,  6060,  6070,
    6080,  6090,  6100,  6110,  6120,  6130,  6140,  6150,  6151,  6160,  6170,  6180,  6190,
    10000, 10010, 10011, 10012, 10013, 10020, 10021, 10022, 10030, 10040, 10041, 10050, 10060,
    10070, 10080, 10090, 10100, 10110, 10120, 10130, 10140, 10150, 10160, 10170, 10175, 10176,
    10180, 10200, 10201, 10210, 10211, 10212, 10230, 10231, 10240, 10241, 10242, 10243, 10250,
    10255, 10257, 10259, 10262, 10263, 10270, 10280, 10290, 10291, 10293, 10295, 10297, 10302,
    10303, 10304, 10305, 10306, 10307, 10308, 10309, 10310, 10314, 10315, 10316, 10320, 10321,
    10330, 10331, 10340, 10341, 10342, 10350, 10351, 10354, 10380, 10390, 10391, 10400, 10401,
    10402, 10403, 10405, 10406, 10410, 10411, 10420, 10421, 10422, 10440, 10450, 10451, 10460,
    10461, 10470, 10490, 10491, 10492, 10493, 10494, 10495, 10496, 10497, 10498, 10499, 10500,
    10501, 11000, 11010, 11020, 11030, 11040, 11050, 11060, 11070, 11080, 11090, 12000, 12010,
    12020, 12030, 15000, 15010, 15040, 15050, 16000, 16010, 16011, 16012, 16020, 16021, 16022,
    16023, 16030, 16031, 16032, 16040, 16041, 16042, 16043, 16044, 17512, 17513, 17830, 17832,
    17833, 17840, 17850, 17851,
};

// The text of message `number`, as a user quoting the number would find it.
std::string_view textOf(int number) {
    return loadString(static_cast<MessageId>(number));
}

} // namespace

TEST(StringTable, EveryNumberTheProgramUsesHasAText) {
    for (int id : kUsedIds) {
        EXPECT_TRUE(hasString(id)) << id;
        EXPECT_FALSE(textOf(id).empty()) << id;
    }
}

TEST(StringTable, UnknownNumbersGiveNothing) {
    EXPECT_FALSE(hasString(0));
    EXPECT_FALSE(hasString(10001));
    EXPECT_FALSE(hasString(99999));
    EXPECT_TRUE(textOf(-1).empty());
    EXPECT_TRUE(loadString(MessageId::None).empty());
}

TEST(StringTable, TextsAreExactAcrossSubsystems) {
    // Window, dialogs and filters: the markdown "\|" is a plain bar.
    EXPECT_EQ(loadString(MessageId::ProgramTitle), "The Quillex 2.0 for Interleaf");
    EXPECT_EQ(loadString(MessageId::RtfOrCatalogFileFilter),
              "RTF/CAT Files (*.RTF;*.CAT)|*.RTF;*.CAT|RTF Files (*.RTF)|*.RTF|"
              "CAT Files (*.CAT)|*.CAT||");
    EXPECT_EQ(loadString(MessageId::PathDoesNotExist),
              "The path you entered doesn't exist. Please try again.");
    EXPECT_EQ(loadString(MessageId::QmxFolderIsSourceFolder),
              "You may not place the QMX files in the\nsame directory as the "
              "source files:\n(%s)\nChoose another directory.");
    EXPECT_EQ(loadString(MessageId::TotalDiskSpace), "Total Disk Space: %d MB on %c:");
    EXPECT_EQ(loadString(MessageId::OsWindows98), "Windows 98");
    // Result messages, embedded double quotes included.
    EXPECT_EQ(loadString(MessageId::VerificationQmxVersionsDiffer),
              "Verification failed! Files are not the same QMX version "
              "(<qmx \"I2.xx\"> tags are different).");
    EXPECT_EQ(loadString(MessageId::AncillaryQmxVersionDiffers),
              "The document and the ancillary file are not the same QMX "
              "version (<qmx \"I2.xx\"> tags are different).");
    EXPECT_EQ(loadString(MessageId::AncillaryQmxHeaderHint), loadString(MessageId::QmxHeaderHint));
    EXPECT_EQ(loadString(MessageId::SummaryConvertedWithFailures),
              "%d file(s) converted.\n%d file(s) could not be converted.");
    // Forward-conversion warnings and index messages.
    EXPECT_EQ(loadString(MessageId::JapaneseDocument),
              "This document contains Japanese Interleaf ASCII.");
    EXPECT_EQ(loadString(MessageId::PageNumberPrefixLength),
              "Warning! The Page Number Stream '%s' Prefix '%s' is %d characters long.");
    EXPECT_EQ(loadString(MessageId::MaximumLengthHint),
              "After translation it may exceed the maximum length in Interleaf (%d characters).");
    EXPECT_EQ(loadString(MessageId::LongMarker),
              "Warning! Marker with more than 200 characters found!");
    // Backward conversion: ancillary-file checks share one first line.
    for (int id : {10402, 10405, 10492, 10494, 10498, 10500})
        EXPECT_EQ(textOf(id), "Warning! Ancillary file can not be used.") << id;
    EXPECT_EQ(loadString(MessageId::AncillaryNoReadOnlyReason),
              "Could not determine setting for read onlys (no valid <readonly> tag found).");
    EXPECT_EQ(loadString(MessageId::NoAncillaryFileIn),
              "Warning! No ancillary file (%s) is available in");
}

TEST(StringTable, FileErrorMessagesAreCompleteSentences) {
    for (int id = 10030; id <= 10170; id += 10) {
        const std::string text(textOf(id));
        EXPECT_EQ(text.rfind("File Error! ", 0), 0u) << id;
        EXPECT_EQ(text.back(), '.') << id;
        EXPECT_EQ(text.find('%'), std::string::npos) << id;
    }
    EXPECT_EQ(loadString(MessageId::FileErrorNotFound), "File Error! The file could not be found.");
    // The upgrade advice stands on its own: no caller has to finish the sentence.
    EXPECT_EQ(loadString(MessageId::UpgradeHint).back(), '.');
}

TEST(StringTable, FormatStringFillsArguments) {
    EXPECT_EQ(formatString(MessageId::PrintLockedTextStrings, 3, 7),
              "Warning! 3 Print Locked Text String(s) in frame 7.");
    EXPECT_EQ(formatString(MessageId::AutonumberPartLength, "Level 2 Prefix", "List", 12),
              "Warning! The Level 2 Prefix in the Autonumber Stream 'List' is 12 characters long.");
    EXPECT_EQ(formatString(MessageId::AvailableDiskSpace, 512, 'C'),
              "Available Disk Space: 512 MB on C:");
    EXPECT_EQ(formatString(MessageId::Done), "Done!");
}
