// Two batches on two threads: each conversion reads its document with the
// code page of its own source language, whatever the other one does.
#include "conversion/language_table.h"
#include "conversion/result_code.h"
#include "forward/document_converter.h"
#include "forward_test_support.h"

#include <gtest/gtest.h>

#include <thread>

using namespace quillex;
using namespace quillex::testing;

namespace {

// Under Shift-JIS the byte 0x81 leads a double-byte character that takes the
// "<" after it, so "<F2@>" is text; under the Western code page it is a font
// change. The two readings give different QMX bodies.
const std::string kDocument = document("", "<\"para\">\nA\x81<F2@>b\n\n<\"para\">\nnext\n");

std::vector<std::string> convertedBody(const std::string& language) {
    TempDir work;
    ConversionOptions options;
    options.fileFormatForQmx = QmxFileFormat::Text;
    options.sourceDirectory = work.subfolder("source");
    options.orgDirectory = work.subfolder("org");
    options.translatedDirectory = work.subfolder("translated");
    lookupLanguage(language, LanguageRole::Source, options.sourceLanguage);
    options.inputPath = work.write("source/chapter.DOC", kDocument);
    options.baseName = "chapter";
    options.extension = ".DOC";
    AncillaryCollector collector;
    RecordingHost host;
    DocumentConverter converter(options, collector, host);
    try {
        converter.run();
    } catch (const ConversionFailure& failure) {
        return {"result " + std::to_string(failure.code())};
    }
    return converter.outputLines();
}

TEST(ConcurrentConversions, EachReadsWithTheCodePageOfItsOwnLanguage) {
    const std::vector<std::string> japanese = convertedBody("Japanese (Shift-JIS)");
    const std::vector<std::string> western = convertedBody("English (US)");
    ASSERT_NE(japanese, western);

    constexpr int kRounds = 25;
    const auto convertRepeatedly = [](const std::string& language,
                                      const std::vector<std::string>& expected, int& wrong) {
        for (int round = 0; round < kRounds; ++round)
            if (convertedBody(language) != expected)
                ++wrong;
    };
    int wrongJapanese = 0;
    int wrongWestern = 0;
    std::thread first(convertRepeatedly, "Japanese (Shift-JIS)", std::cref(japanese),
                      std::ref(wrongJapanese));
    std::thread second(convertRepeatedly, "English (US)", std::cref(western),
                       std::ref(wrongWestern));
    first.join();
    second.join();
    EXPECT_EQ(wrongJapanese, 0);
    EXPECT_EQ(wrongWestern, 0);
}

} // namespace
