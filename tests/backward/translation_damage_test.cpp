// Damage a translator may do to a QMX file, one kind per row: the verifier
// and the backward conversion must agree on every row (a file the verifier
// finds an error in is refused by the backward conversion, and nothing is
// written), and a file they both accept must come back with its text whole.
#include "round_trip_documents.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>

using namespace quillex;
using namespace quillex::testing;

namespace {

std::string exampleText(const std::string& name) {
    std::ifstream in(std::string(QUILLEX_EXAMPLES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Edits of the QMX text; each returns false when the text has nothing for it
// to damage, which fails the row (the example lost what the row is about).
using Edit = std::function<bool(std::string&)>;

// Removes the first line that begins with `start`.
Edit deleteLine(std::string start) {
    return [start](std::string& text) {
        const std::size_t at = text.find("\n" + start);
        if (at == std::string::npos)
            return false;
        text.erase(at + 1, text.find('\n', at + 1) - at);
        return true;
    };
}

// Replaces the first match of `pattern` with `replacement` ($& and $1 stand
// for the match and its first group).
Edit replaceFirst(std::string pattern, std::string replacement) {
    return [pattern, replacement](std::string& text) {
        const std::regex expression(pattern);
        std::smatch match;
        if (!std::regex_search(text, match, expression))
            return false;
        const std::string replaced = match.format(replacement);
        text.replace(static_cast<std::size_t>(match.position(0)),
                     static_cast<std::size_t>(match.length(0)), replaced);
        return true;
    };
}

// Writes the first line that begins with `start` twice.
Edit duplicateLine(std::string start) {
    return [start](std::string& text) {
        const std::size_t at = text.find("\n" + start);
        if (at == std::string::npos)
            return false;
        const std::size_t end = text.find('\n', at + 1);
        text.insert(end + 1, text.substr(at + 1, end - at));
        return true;
    };
}

// Moves the first match of `pattern` to the end of the line after it.
Edit moveToNextLine(std::string pattern) {
    return [pattern](std::string& text) {
        const std::regex expression(pattern);
        std::smatch match;
        if (!std::regex_search(text, match, expression))
            return false;
        const std::string tag = match.str(0);
        const auto at = static_cast<std::size_t>(match.position(0));
        text.erase(at, tag.size());
        const std::size_t nextEnd = text.find("\r\n", text.find("\r\n", at) + 2);
        text.insert(nextEnd, tag);
        return true;
    };
}

// Breaks the first line that begins with `start` in two at a blank, with or
// without the blank, as an editor's hard wrap does.
Edit breakLine(std::string start, bool keepBlank) {
    return [start, keepBlank](std::string& text) {
        const std::size_t at = text.find("\n" + start);
        if (at == std::string::npos)
            return false;
        const std::size_t blank = text.find(' ', at + 1 + start.size() + 4);
        if (blank == std::string::npos || blank > text.find('\n', at + 1))
            return false;
        text.replace(blank, 1, keepBlank ? " \r\n" : "\r\n");
        return true;
    };
}

// What both must say of a damaged file: an error (refused), or a warning or
// alert that lets the conversion go on but still reaches its results.
enum class Verdict { Refused, Warned, Clean };

struct Damage {
    const char* name;
    const char* file; // the translated file it is done to
    Edit edit;
    Verdict verdict;
};

// Every row a separate round, so that one row's outputs never meet another's.
const std::vector<Damage>& damages() {
    static const std::vector<Damage> rows = {
        {"hidden component line deleted", "chapter3.TXT", deleteLine("<cnmk "), Verdict::Refused},
        {"paragraph line deleted", "chapter3.TXT", deleteLine("<ps \"para\""), Verdict::Warned},
        {"paragraph line duplicated", "chapter3.TXT", duplicateLine("<ps \"para\""),
         Verdict::Refused},
        {"footnote anchor deleted", "chapter4.TXT", replaceFirst("<:fn [0-9]+ [0-9]+>", ""),
         Verdict::Refused},
        {"frame anchor deleted", "chapter4.TXT", replaceFirst("<:af [0-9]+>", ""),
         Verdict::Refused},
        {"index marker anchor deleted", "chapter4.TXT", replaceFirst("<:imk [0-9]+>", ""),
         Verdict::Warned},
        {"footnote renumbered past any number", "chapter4.TXT",
         replaceFirst("<:fn [0-9]+ ", "<:fn 99999999999999999999 "), Verdict::Refused},
        {"index marker anchor renumbered", "chapter4.TXT",
         replaceFirst("<:imk [0-9]+>", "<:imk -1>"), Verdict::Refused},
        {"internal tag moved to the next line", "chapter3.TXT", moveToNextLine("<:t>"),
         Verdict::Refused},
        {"cross-reference deleted", "chapter4.TXT", replaceFirst("<:xr [0-9]+ [0-9]+>", ""),
         Verdict::Warned},
        {"escape byte typed into the text", "chapter3.TXT",
         replaceFirst("<ps \"para\" ([0-9]+)>", "$&\x1b"), Verdict::Refused},
        {"NUL byte typed into the text", "chapter3.TXT",
         replaceFirst("<ps \"para\" ([0-9]+)>", std::string("$&a\0b", 5)), Verdict::Refused},
        {"line broken without its blank", "chapter3.TXT", breakLine("<ps \"para\"", false),
         Verdict::Refused},
        {"line broken after its blank", "chapter3.TXT", breakLine("<ps \"para\"", true),
         Verdict::Warned},
        {"words changed, tags kept", "chapter3.TXT",
         replaceFirst("<ps \"para\" ([0-9]+)>[A-Za-z]+", "<ps \"para\" $1>Mots"), Verdict::Clean},
    };
    return rows;
}

TEST(TranslationDamage, VerifierAndBackwardConversionAgreeOnEveryKindOfDamage) {
    int round = 0;
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.name);
        RoundTrip trip(RoundTrip::Format::Text);
        const std::string name = "d" + std::to_string(++round);
        trip.forward(name, {{"chapter3.DOC", exampleText("chapter3.DOC")},
                            {"chapter4.DOC", exampleText("chapter4.DOC")}});
        const std::string path = name + "/translated/" + damage.file;
        std::string text = trip.read(path);
        ASSERT_TRUE(damage.edit(text)) << "nothing to damage in " << damage.file;
        trip.write(path, text);

        const BatchReport verified = trip.verify(name, {damage.file});
        const bool refused = damage.verdict == Verdict::Refused;
        EXPECT_EQ(verified.findings.errors > 0, refused);
        if (!refused) {
            EXPECT_EQ(verified.findings.alerts + verified.findings.warnings > 0,
                      damage.verdict == Verdict::Warned);
        }

        const BatchReport converted = trip.backward(name, {damage.file});
        const std::string output =
            name + "/translated/" + std::string(damage.file).replace(8, 4, ".DOC");
        EXPECT_EQ(converted.failed == 1, refused);
        EXPECT_EQ(trip.exists(output), !refused);
        const auto hasLine = [&](const std::string& start) {
            return std::any_of(trip.lastResults.begin(), trip.lastResults.end(),
                               [&](const std::string& line) { return line.starts_with(start); });
        };
        EXPECT_EQ(hasLine("Conversion failed! Errors in Tags. Run The Q-Mark Verifier."), refused);
        if (!refused) {
            EXPECT_EQ(hasLine("Warning! The tags of this file differ from its source"),
                      damage.verdict == Verdict::Warned);
        }
    }
}

// The translation of one version of a document merged with the skeleton of
// the next (a paragraph added): the verifier sees the paragraph's tag line as
// deleted, which a translator may do on purpose (two paragraphs joined), so
// the conversion goes on, but never silently.
TEST(TranslationDamage, ASkeletonOfAnotherVersionIsNeverMergedSilently) {
    RoundTrip trip(RoundTrip::Format::Text);
    const std::string chapter = exampleText("chapter3.DOC");
    trip.forward("old", {{"chapter3.DOC", chapter}});
    std::string later = chapter;
    const std::size_t paragraph = later.find("\n<\"para\">");
    ASSERT_NE(paragraph, std::string::npos);
    later.insert(paragraph + 1, "<\"para\">\n\nA paragraph added in the next version.\n\n");
    trip.forward("new", {{"chapter3.DOC", later}});
    trip.write("new/translated/chapter3.TXT", trip.read("old/translated/chapter3.TXT"));
    trip.backward("new", {"chapter3.TXT"});
    const auto& results = trip.lastResults;
    EXPECT_TRUE(std::any_of(results.begin(), results.end(), [](const std::string& line) {
        return line.starts_with("Warning! The tags of this file differ from its source");
    }));
}

// Without its translated ancillary section, a document whose headers and
// footers hold text would keep them in the source language: refused, with
// nothing written. A document without such text converts.
TEST(TranslationDamage, AnUnusableAncillaryFileFailsADocumentThatHasAncillaryText) {
    struct Case {
        const char* name;
        std::function<void(RoundTrip&)> spoil;
    };
    const std::vector<Case> cases = {
        {"missing", [](RoundTrip& trip) { trip.write("a/translated/ANCILL.TXT", ""); }},
        {"foreign",
         [](RoundTrip& trip) {
             std::string text = trip.read("a/translated/ANCILL.TXT");
             const std::size_t at = text.find("CHAPTER4.DOC");
             text.replace(at, 12, "CHAPTER9.DOC");
             trip.write("a/translated/ANCILL.TXT", text);
         }},
        {"language changed",
         [](RoundTrip& trip) {
             std::string text = trip.read("a/translated/ANCILL.TXT");
             text.replace(text.find("English (US)"), 12, "German");
             trip.write("a/translated/ANCILL.TXT", text);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RoundTrip trip(RoundTrip::Format::Text);
        trip.forward("a", {{"chapter4.DOC", exampleText("chapter4.DOC")}});
        c.spoil(trip);
        trip.backward("a", {"chapter4.TXT"});
        EXPECT_EQ(trip.lastReport.failed, 1);
        EXPECT_FALSE(trip.exists("a/translated/chapter4.DOC"));
        const auto& results = trip.lastResults;
        EXPECT_NE(std::find(results.begin(), results.end(),
                            "Conversion failed! The ancillary file can not be used, and the "
                            "formats, headers or footers of this file have text to translate."),
                  results.end());
    }
}

} // namespace

// An untouched catalog lists document paths under its items, closing some of
// them and not others: it must verify clean against itself, as every file
// the forward conversion writes does.
TEST(TranslationDamage, CatalogsVerifyCleanAgainstThemselves) {
    RoundTrip trip(RoundTrip::Format::Text);
    const std::vector<Document> documents = corpusDocuments();
    trip.forward("c", namedTexts(documents));
    std::vector<std::string> catalogs;
    for (const std::string& name : translatedNamesOf(documents, trip))
        if (name.ends_with(".CAT"))
            catalogs.push_back(name);
    ASSERT_GE(catalogs.size(), 4u);
    const BatchReport report = trip.verify("c", catalogs);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(report.findings.errors + report.findings.alerts + report.findings.warnings, 0);
    // The catalogs that list documents are among them.
    EXPECT_NE(trip.read("c/translated/manual.CAT").find("chapter4.DOC"), std::string::npos);
}
