// The bridge with a CAT tool as translators run it: OmegaT's console mode
// opens the examples exported with --targets copy (it segments only units
// with a target), pre-translates two headings from a translation memory with
// typographic characters (guillemets, no-break spaces, a hard hyphen), and
// writes the translated XLIFF; the import gives QMX files with those
// characters as Interleaf's tags, which verify without errors, convert back
// and forward again to the same QMX. OmegaT comes with
// scripts/install-deps.sh (Debian omegat); without it the test fails.
#include "xliff/tool_round_trip.h"

#include <sstream>

using namespace quillex::testing;

namespace {

constexpr const char* kProject = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<omegat>
  <project version="1.0">
    <source_dir>__DEFAULT__</source_dir>
    <source_dir_excludes/>
    <target_dir>__DEFAULT__</target_dir>
    <tm_dir>__DEFAULT__</tm_dir>
    <glossary_dir>__DEFAULT__</glossary_dir>
    <glossary_file>__DEFAULT__</glossary_file>
    <dictionary_dir>__DEFAULT__</dictionary_dir>
    <source_lang>EN-US</source_lang>
    <target_lang>FR-FR</target_lang>
    <source_tok>org.omegat.tokenizer.LuceneEnglishTokenizer</source_tok>
    <target_tok>org.omegat.tokenizer.LuceneFrenchTokenizer</target_tok>
    <sentence_seg>false</sentence_seg>
    <support_default_translations>true</support_default_translations>
    <remove_tags>false</remove_tags>
  </project>
</omegat>
)";

// Exact matches OmegaT applies by itself (tm/auto).
constexpr const char* kMemory = R"(<?xml version="1.0" encoding="UTF-8"?>
<tmx version="1.4">
  <header creationtool="test" creationtoolversion="1" segtype="paragraph" o-tmf="test"
          adminlang="EN-US" srclang="EN-US" datatype="plaintext"/>
  <body>
    <tu>
      <tuv xml:lang="EN-US"><seg>Before you begin</seg></tuv>
      <tuv xml:lang="FR-FR"><seg>Avant de commencer : «&#160;pré‑requis&#160;»</seg></tuv>
    </tu>
    <tu>
      <tuv xml:lang="EN-US"><seg>Installing</seg></tuv>
      <tuv xml:lang="FR-FR"><seg>Installation</seg></tuv>
    </tu>
  </body>
</tmx>
)";

long count(const std::string& text, const std::string& what) {
    long found = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++found;
    return found;
}

// The first number after "Total:" in OmegaT's project statistics: segments.
long totalSegments(const std::string& statistics) {
    const std::size_t total = statistics.find("Total:");
    if (total == std::string::npos)
        return -1;
    std::istringstream numbers(statistics.substr(total + 6));
    long segments = -1;
    numbers >> segments;
    return segments;
}

class OmegaT : public ToolRoundTrip {
  protected:
    void SetUp() override {
        ASSERT_EQ(runCommand("command -v omegat").status, 0)
            << "omegat is missing: run scripts/install-deps.sh (Debian omegat)";
    }
};

TEST_F(OmegaT, ConsoleTranslationGoesAllTheWayBack) {
    forwardExamples();
    work.write("project/omegat.project", kProject);
    work.write("project/tm/auto/fr.tmx", kMemory);
    for (const char* folder : {"target", "glossary", "dictionary", "omegat"})
        work.subfolder(std::string("project/") + folder);
    long targets = 0;
    for (const std::string& chapter : kChapters) {
        const CommandRun step =
            quillex("xliff export --target-language French --targets copy --output-dir " +
                    path("project/source") + " " + path("org/" + chapter + ".TXT"));
        ASSERT_EQ(step.status, 0) << step.output;
        targets += count(readFile(path("project/source/" + chapter + ".xlf")), "<target ");
    }

    const CommandRun omegat = runCommand(
        "HOME='" + path("home") + "' omegat --mode=console-translate --config-dir='" +
        path("omegat-config") + "' --disable-project-locking --no-team '" + path("project") + "'");
    ASSERT_EQ(omegat.status, 0) << omegat.output;
    // Every unit with a target is a segment.
    EXPECT_EQ(totalSegments(readFile(path("project/omegat/project_stats.txt"))), targets);

    for (const std::string& chapter : kChapters) {
        const CommandRun step =
            quillex("xliff import --overwrite always --source-dir " + path("org") + " -o " +
                    path("translated") + " " + path("project/target/" + chapter + ".xlf"));
        ASSERT_EQ(step.status, 0) << step.output;
    }
    const std::string imported = readFile(path("translated/chapter3.TXT"));
    EXPECT_NE(imported.find("<ps \"head\" 3>Avant de commencer : <:flq><:hs>pr\xE9<:r30>requis<:hs>"
                            "<:frq>\r\n"),
              std::string::npos)
        << imported;
    EXPECT_NE(imported.find("<ps \"head\" 3>Installation\r\n"), std::string::npos) << imported;
    // The verifier alerts to each hard hyphen added.
    expectBackAndForwardAgain(true);
}

} // namespace
