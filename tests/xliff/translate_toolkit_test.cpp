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
        for (const char* tool : {"podebug", "pocount", "po2tmx", "xliff2po"})
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
    // tag text as words (see the README), and not at all by its rule.
    EXPECT_EQ(units, jsonTotal(count.output, "segments"));
    ASSERT_GT(words, 10000);
    EXPECT_NEAR(static_cast<double>(pocountWords) / static_cast<double>(words), 1.0, 0.03)
        << "pocount " << pocountWords << ", quillex count " << words;
    const CommandRun likePocount = quillex("count --like pocount --format json" + qmxFiles);
    ASSERT_EQ(likePocount.status, 0) << likePocount.output;
    EXPECT_EQ(jsonTotal(likePocount.output, "words"), pocountWords);
}

// A translation memory through Translate Toolkit: pocount reads the TMX that
// quillex tmx writes from a translated chapter, and a TMX that po2tmx wrote
// from a translation made in PO pre-fills the export of the chapter's second
// version (two paragraphs changed): every unchanged unit gets its
// translation, to be reviewed (the TMX says nothing of context), the changed
// ones none; the import verifies clean.
TEST_F(TranslateToolkit, TranslationMemoryGoesThroughTmxTools) {
    const std::string chapter3 = readFile(QUILLEX_EXAMPLES "/chapter3.DOC");
    std::string changed = chapter3;
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"\nBefore you begin\n", "\nBefore you start\n"},
          {"installation disk and", "installation DVD and"}}) {
        ASSERT_NE(changed.find(from), std::string::npos);
        changed.replace(changed.find(from), from.size(), to);
    }
    work.write("v1/chapter3.DOC", chapter3);
    work.write("v2/chapter3.DOC", changed);
    for (const char* version : {"v1", "v2"}) {
        const CommandRun step = quillex(std::string("forward --format txt --ancillary no ") +
                                        "--overwrite always --org-dir " + path(version) + "org " +
                                        path(version) + "/chapter3.DOC");
        ASSERT_EQ(step.status, 0) << step.output;
    }

    // quillex tmx, read by pocount: one unit per translated paragraph.
    CommandRun step = quillex("pseudo --target-language French -o " + path("pseudo") + " " +
                              path("v1org/chapter3.TXT"));
    ASSERT_EQ(step.status, 0) << step.output;
    step = quillex("tmx --target-language French -o " + path("v1.tmx") + " " +
                   path("v1org/chapter3.TXT") + " " + path("pseudo/chapter3.TXT"));
    ASSERT_EQ(step.status, 0) << step.output;
    EXPECT_NE(step.output.find("(14 units)"), std::string::npos) << step.output;
    const CommandRun pocount = run("pocount --csv " + path("v1.tmx"));
    ASSERT_EQ(pocount.status, 0) << pocount.output;
    EXPECT_EQ(pocountTotals(pocount.output).first, 14);

    // A translation made in PO, its TMX written by po2tmx.
    for (const std::string& command :
         {"'" QUILLEX_CLI "' xliff export --target-language French -o " + path("v1.xlf") + " " +
              path("v1org/chapter3.TXT"),
          "xliff2po " + path("v1.xlf") + " " + path("v1.po"),
          "podebug --rewrite=bracket " + path("v1.po") + " " + path("v1-fr.po"),
          "po2tmx -l fr " + path("v1-fr.po") + " " + path("po.tmx")}) {
        step = run("XDG_CONFIG_HOME='" + work.folder() + "config' " + command);
        ASSERT_EQ(step.status, 0) << command << '\n' << step.output;
    }
    step = quillex("xliff export --target-language French --tm " + path("po.tmx") + " -o " +
                   path("v2.xlf") + " " + path("v2org/chapter3.TXT"));
    ASSERT_EQ(step.status, 0) << step.output;
    EXPECT_NE(step.output.find("0 units in context (translated), 12 elsewhere"), std::string::npos)
        << step.output;
    const std::string exported = readFile(path("v2.xlf"));
    const auto occurrences = [&](const std::string& text) {
        long n = 0;
        for (std::size_t at = exported.find(text); at != std::string::npos;
             at = exported.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(occurrences("<target state=\"needs-review-translation\""), 12);
    EXPECT_EQ(occurrences("<target"), 12);
    EXPECT_NE(exported.find("<source>Before you start</source>\n"), std::string::npos);

    step = quillex("xliff import --source-dir " + path("v2org") + " -o " + path("v2tr") + " " +
                   path("v2.xlf"));
    ASSERT_EQ(step.status, 0) << step.output;
    const std::string imported = readFile(path("v2tr/chapter3.TXT"));
    EXPECT_NE(imported.find("<ps \"head\" 3>[Installing]\r\n"), std::string::npos) << imported;
    EXPECT_NE(imported.find("<ps \"head\" 3>Before you start\r\n"), std::string::npos);
    step = quillex("verify --format txt --overwrite always --source-dir " + path("v2org") + " " +
                   path("v2tr/chapter3.TXT"));
    EXPECT_EQ(step.status, 0) << step.output;
}

} // namespace
