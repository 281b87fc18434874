// The whole bridge with a translation tool nobody here wrote: Translate
// Toolkit's podebug pseudo-translates our XLIFF, the import puts the text
// into QMX files that verify clean, the backward conversion writes Interleaf
// documents, and converting those forward again shows the pseudo-translated
// text in place. pocount's word count of our XLIFF agrees with quillex count.
// Translate Toolkit comes with scripts/install-deps.sh; without it the test
// fails rather than skips.
#include "xliff/tool_round_trip.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillex::testing;

namespace {

const auto run = runCommand;

class TranslateToolkit : public ToolRoundTrip {
  protected:
    void SetUp() override {
        for (const char* tool : {"podebug", "pocount"})
            ASSERT_EQ(run(std::string("command -v ") + tool).status, 0)
                << tool << " is missing: run scripts/install-deps.sh (Debian translate-toolkit)";
    }

    void expectRoundTrip(const std::string& podebugOptions, const std::string& importOptions,
                         const std::string& exportOptions = "", bool alertsAllowed = false);
};

// The examples exported (with `exportOptions`), rewritten by podebug with
// `podebugOptions`, imported (with `importOptions`), verified (clean, or with
// alerts where `alertsAllowed`), converted back and forward again.
void TranslateToolkit::expectRoundTrip(const std::string& podebugOptions,
                                       const std::string& importOptions,
                                       const std::string& exportOptions, bool alertsAllowed) {
    forwardExamples();
    work.subfolder("podebug");
    for (const std::string& chapter : kChapters) {
        CommandRun step =
            quillex("xliff export --target-language French " + exportOptions + " --output-dir " +
                    path("xliff") + " " + path("org/" + chapter + ".TXT"));
        ASSERT_EQ(step.status, 0) << step.output;
        step = run("podebug " + podebugOptions + " " + path("xliff/" + chapter + ".xlf") + " " +
                   path("podebug/" + chapter + ".xlf"));
        ASSERT_EQ(step.status, 0) << step.output;
        step = quillex("xliff import --overwrite always --source-dir " + path("org") + " -o " +
                       path("translated") + " " + importOptions + " " +
                       path("podebug/" + chapter + ".xlf"));
        ASSERT_EQ(step.status, 0) << step.output;
    }
    expectBackAndForwardAgain(alertsAllowed);
}

TEST_F(TranslateToolkit, PodebugTranslationGoesAllTheWayBack) {
    // The bracket rewrite adds two characters: the cross-reference variable
    // text of chapter4 stays within its 20.
    expectRoundTrip("--rewrite=bracket", "");
    const std::string translated = readFile(path("translated/chapter4.TXT"));
    EXPECT_NE(translated.find("<ps \"para\" 2>[The paper path is shown in the figure below.]\r\n"),
              std::string::npos)
        << translated;
}

// The unicode rewrite accents the text of the codes too (<:xr 12 2> becomes
// <:ẋř 12 2>): the import writes the source's codes back, and the letters no
// code page has as the nearest ones French's has (ǿ as ø, ƒ kept).
TEST_F(TranslateToolkit, PodebugUnicodeTranslationGoesAllTheWayBack) {
    expectRoundTrip("--rewrite=unicode", "--nearest-characters");
    const std::string translated = readFile(path("translated/chapter4.TXT"));
    EXPECT_NE(
        translated.find("<ps \"para\" 2>The paper path is sh\xF8wn in the \x83igure bel\xF8w.\r\n"),
        std::string::npos)
        << translated;
}

// Targets copied from the sources (state="needs-translation"), and podebug
// puts typographic characters before every one: guillemets and a hard
// hyphen, which Interleaf has as codes. They come back as the QMX tags of
// those codes, through verify, backward and forward again (three characters
// keep the cross-reference variable text within its 20). The verifier alerts
// to each hard hyphen added, as to any character code tag.
TEST_F(TranslateToolkit, TypedCharactersTakeTheirInterleafFormsAllTheWayBack) {
    expectRoundTrip("-f '\u00AB\u2011\u00BB'", "", "--targets copy", true);
    const std::string translated = readFile(path("translated/chapter4.TXT"));
    EXPECT_NE(translated.find("<ps \"para\" 2><:flq><:r30><:frq>The paper path is shown in the "
                              "figure below.\r\n"),
              std::string::npos)
        << translated;
    EXPECT_NE(readFile(path("xliff/chapter4.xlf")).find("<target state=\"needs-translation\">"),
              std::string::npos);
}

// Total messages and source words of pocount's CSV lines.
std::pair<long, long> pocountTotals(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line); // headings
    long units = 0;
    long words = 0;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            fields.push_back(cell);
        if (fields.size() >= 10) {
            units += std::stol(fields[8]);
            words += std::stol(fields[9]);
        }
    }
    return {units, words};
}

// A number of the "total" object of quillex count's JSON.
long jsonTotal(const std::string& json, const std::string& key) {
    const std::size_t total = json.find("\"total\": {");
    const std::string field = "\"" + key + "\": ";
    const std::size_t at = json.find(field, total);
    if (total == std::string::npos || at == std::string::npos)
        return -1;
    return std::stol(json.substr(at + field.size()));
}

TEST_F(TranslateToolkit, PocountAgreesWithQuillexCount) {
    std::string sources;
    for (const char* name : {"DataS.DOC", "FltrS.DOC", "ProgG.DOC", "ProgI.DOC", "TOC.DOC",
                             "ar5test.DOC", "TOCfm.STY"})
        sources += std::string(" " QUILLEX_CORPUS "/as-8.0/") + name;
    for (const char* name : {"chapter3.DOC", "chapter4.DOC", "manual.STY"})
        sources += std::string(" " QUILLEX_EXAMPLES "/") + name;
    CommandRun step = quillex("forward --format txt --overwrite always --ancillary yes --org-dir " +
                              path("org") + " --translated-dir " + path("translated") + sources);
    ASSERT_EQ(step.status, 0) << step.output;
    std::string qmxFiles;
    for (const std::string& name : listFolder(path("org")))
        if (name.ends_with(".TXT") || name.ends_with(".CAT"))
            qmxFiles += " " + path("org/" + name);
    step = quillex("xliff export -o " + path("all.xlf") + qmxFiles);
    ASSERT_EQ(step.status, 0) << step.output;

    const CommandRun pocount = run("pocount --csv " + path("all.xlf"));
    ASSERT_EQ(pocount.status, 0) << pocount.output;
    const auto [units, pocountWords] = pocountTotals(pocount.output);
    const CommandRun count = quillex("count --format json" + qmxFiles);
    ASSERT_EQ(count.status, 0) << count.output;
    const long words = jsonTotal(count.output, "words");

    // The same segments; the words differ where pocount reads the codes'
    // tag text as words (see the README).
    EXPECT_EQ(units, jsonTotal(count.output, "segments"));
    ASSERT_GT(words, 10000);
    EXPECT_NEAR(static_cast<double>(pocountWords) / static_cast<double>(words), 1.0, 0.03)
        << "pocount " << pocountWords << ", quillex count " << words;
}

} // namespace
