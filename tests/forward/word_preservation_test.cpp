// Every word of running text reaches the translator. For the real documents,
// the bundled examples, generated documents and a few small documents written
// here: the words of the source body come out in the QMX body in their order;
// every word (index entries included) is found in the QMX body or the
// ancillary text at least as often as in the source, so no two words that a
// blank or a paragraph break separates are run together; and every converted
// file verifies clean against itself, as plain text and as RTF.
//
// The source is read by a reader of its own here, not by the converter's
// parser, so that the conversion is checked against an independent reading.
// A word is a run of ASCII letters and digits: tags, character codes,
// punctuation, tabs and non-ASCII characters all separate words.
#include "conversion/language_table.h"
#include "conversion/result_code.h"
#include "document_generator.h"
#include "forward/document_converter.h"
#include "forward_test_support.h"
#include "verifier/verifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <utility>

using namespace quillex;
using namespace quillex::testing;

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;
using Lines = std::vector<std::string>;

bool isWordByte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
// The first byte of a Shift-JIS double-byte character, whose second byte may
// be an ASCII letter or a backslash.
bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool isShiftJis(const std::string& text) {
    return text.substr(0, text.find('>')).find("SJIS") != std::string::npos;
}

// After a kanji run (ESC "$B" or "$@" up to ESC "(B" or "(J", its bytes ASCII
// codes of JIS characters) that begins at `at`; ESC is written `esc` (the QMX
// file writes `<:r27>`). `at` when none begins there.
std::size_t afterKanjiRun(const std::string& s, std::size_t at, const std::string& esc) {
    if (s.compare(at, esc.size(), esc) != 0)
        return at;
    const std::size_t shift = at + esc.size();
    if (s.compare(shift, 2, "$B") != 0 && s.compare(shift, 2, "$@") != 0)
        return s.compare(shift, 2, "(B") == 0 || s.compare(shift, 2, "(J") == 0 ? shift + 2 : at;
    const std::size_t back = s.find(esc, shift + 2);
    return back == std::string::npos ? s.size() : std::min(s.size(), back + esc.size() + 2);
}

// The words of a text in which tags ("<...>", "<<" a literal "<") separate.
void plainWords(const std::string& s, bool sjis, Words& out) {
    std::string word;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t next = afterKanjiRun(s, i, "\x1b");
        if (next == i && c == '<')
            next = s[i + 1] == '<' ? i + 2 : std::min(s.size(), s.find('>', i)) + 1;
        if (next == i)
            next = i + (sjis && isLeadByte(c) ? 2 : 1);
        if (isWordByte(c) && next == i + 1)
            word += s[i];
        else if (!word.empty())
            out.push_back(std::exchange(word, {}));
        i = next;
    }
    if (!word.empty())
        out.push_back(word);
}

// The end of the source tag that begins at `at`: nested tags counted, quoted
// strings and backslash escapes passed over, and inside a frame the
// micro-documents ("(T12," up to "<End Text>"), whose text may hold a bare
// ">", skipped whole.
std::size_t tagEnd(const std::string& s, std::size_t at, bool sjis) {
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = at; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (const std::size_t run = afterKanjiRun(s, i, "\x1b"); run != i)
            i = run - 1;
        else if (sjis && isLeadByte(c))
            ++i;
        else if (quoted || c == '"')
            quoted = quoted != (c == '"');
        else if (c == '\\')
            ++i;
        else if (c == '(' && depth > 0 && s.compare(i, 2, "(T") == 0 && i + 2 < s.size() &&
                 std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
                 s.find("<End Text>", i) != std::string::npos)
            i = s.find("<End Text>", i) + 9;
        else if (c == '<')
            ++depth;
        else if (c == '>' && --depth == 0)
            return i + 1;
    }
    return s.size();
}

struct Attribute {
    std::string name, value; // a bare or quoted word is a name without value
};

// A tag's text split at the commas outside quotes and nested tags, each part
// at its first "=", blanks trimmed.
std::vector<Attribute> attributesOf(const std::string& tag) {
    const auto trim = [](const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t\n");
        return first == std::string::npos
                   ? std::string()
                   : text.substr(first, text.find_last_not_of(" \t\n") + 1 - first);
    };
    std::vector<Attribute> attributes;
    std::string part;
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 1; i < tag.size(); ++i) {
        quoted = quoted != (tag[i] == '"');
        depth += quoted ? 0 : (tag[i] == '<') - (tag[i] == '>');
        if (quoted || depth > 0 || (tag[i] != ',' && depth == 0)) {
            part += tag[i];
            continue;
        }
        const std::size_t equals =
            trim(part).starts_with("\"") ? std::string::npos : part.find('=');
        attributes.push_back(
            equals == std::string::npos
                ? Attribute{trim(part), ""}
                : Attribute{trim(part.substr(0, equals)), trim(part.substr(equals + 1))});
        part.clear();
    }
    return attributes;
}

std::string valueOf(const std::vector<Attribute>& attributes, const std::string& name) {
    const auto found = std::find_if(attributes.begin(), attributes.end(),
                                    [&](const Attribute& a) { return a.name == name; });
    return found == attributes.end() ? "" : found->value;
}
bool hasEffectivity(const std::vector<Attribute>& attributes) {
    return std::any_of(attributes.begin(), attributes.end(),
                       [](const Attribute& a) { return a.name.starts_with("@"); });
}
bool isSharedContents(const std::string& contents) {
    return contents == "Shared" || contents == "Prefix Shared" || contents == "\"Shared\"" ||
           contents == "\"Prefix Shared\"";
}
std::string unquoted(const std::string& name) {
    return name.size() > 1 ? name.substr(1, name.size() - 2) : name;
}
bool tagIs(const std::string& tag, const std::string& name) {
    return tag.starts_with(name) &&
           std::string(",> \t").find(tag[name.size()]) != std::string::npos;
}

struct SourceWords {
    Words running; // the body's running text, in order
    Words index;   // index entry headings, sort and see values
};

SourceWords sourceWords(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    const bool sjis = isShiftJis(text);
    const std::size_t bodyStart = text.find("<!End Declarations>");
    if (bodyStart == std::string::npos)
        return {};
    std::set<std::string> effectivityClasses, readOnlyClasses, sharedClasses;
    for (std::size_t at = text.find("<!Class,"); at < bodyStart;
         at = text.find("<!Class,", at + 1)) {
        const auto attributes = attributesOf(text.substr(at, tagEnd(text, at, sjis) - at));
        if (attributes.size() < 2)
            continue;
        const std::string name = unquoted(attributes[1].name);
        if (hasEffectivity(attributes))
            effectivityClasses.insert(name);
        if (valueOf(attributes, "Read Only") == "yes")
            readOnlyClasses.insert(name);
        if (isSharedContents(valueOf(attributes, "Contents")))
            sharedClasses.insert(name);
    }
    // A read-only or shared component is hidden behind one tag whose argument
    // shows its text; an index marker inside it stays part of its markup,
    // written back as it is and not offered for translation.
    auto hiddenBehindTag = [&](const std::vector<Attribute>& attributes, bool sub) {
        const std::string name = unquoted(attributes[0].name);
        const std::string readOnly = valueOf(attributes, "Read Only");
        const std::string contents = valueOf(attributes, "Contents");
        return readOnly == "yes" || (readOnlyClasses.count(name) && readOnly != "no") ||
               (sharedClasses.count(name) && contents.empty()) ||
               (sub && isSharedContents(contents));
    };
    // So is an index marker in a read-only row (its own "Read Only" or its
    // master row's), whose text the row's tag shows.
    std::set<std::string> readOnlyMasterRows;
    for (std::size_t at = text.find("<Master Row"); at < bodyStart;
         at = text.find("<Master Row", at + 1)) {
        const auto attributes = attributesOf(text.substr(at, tagEnd(text, at, sjis) - at));
        if (attributes.size() > 1 && valueOf(attributes, "Read Only") == "yes")
            readOnlyMasterRows.insert(unquoted(attributes[1].name));
    }
    auto readOnlyRow = [&](const std::vector<Attribute>& attributes) {
        return valueOf(attributes, "Read Only") == "yes" ||
               (attributes.size() > 1 && readOnlyMasterRows.count(unquoted(attributes[1].name)));
    };
    bool inReadOnlyRow = false;
    enum class Hidden { None, Paragraph, Subcomponent } hidden = Hidden::None;
    bool hiddenText = false; // the blank line after a start tag ends no paragraph
    // A single line end carries nothing (exports cut lines anywhere, even
    // inside words: "Tracin" / "g objects"); a blank line, blanks and tabs
    // allowed on it, ends a paragraph and stays as "\n", a separator.
    std::string body;
    for (std::size_t i = bodyStart + 19; i < text.size(); ++i) {
        if (text[i] != '\n') {
            body += text[i];
            continue;
        }
        const std::size_t next = text.find_first_not_of(" \t", i + 1);
        if (next != std::string::npos && text[next] == '\n') {
            body += '\n';
            i = next - 1;
        }
    }

    // Left out by rule: the text of a hidden component with an effectivity
    // attribute on it or on its class (a paragraph up to its end, a
    // subcomponent up to its "<End Sub>"), which is never offered for
    // translation; the cells of a hidden row, and those of a table before its
    // first row, which are not written. Frames (anchored frames, frames in
    // cells, headers and footers) are skipped whole: their diagram objects are
    // put in reading order by position and some are left out by rule. The
    // text after a frame's closing ">" is running text again.
    enum class Skip { None, Paragraph, Subcomponent, Row } skip = Skip::None;
    int subDepth = 0;
    bool skippedText = false; // the blank line after a start tag ends no paragraph
    SourceWords words;
    std::string word;
    for (std::size_t i = 0; i < body.size();) {
        const auto c = static_cast<unsigned char>(body[i]);
        if (c == '\n' && skip == Skip::Paragraph && skippedText)
            skip = Skip::None;
        if (c == '\n' && hidden == Hidden::Paragraph && hiddenText)
            hidden = Hidden::None;
        hiddenText = hiddenText || (c != ' ' && c != '\t' && c != '\n');
        skippedText = skippedText || (c != ' ' && c != '\t' && c != '\n');
        std::size_t next = afterKanjiRun(body, i, "\x1b");
        if (next == i && c == '<' && body[i + 1] != '<')
            next = tagEnd(body, i, sjis);
        if (next == i)
            next = i + (c == '<' || (sjis && isLeadByte(c)) ? 2 : 1);
        const std::string tag = c == '<' && next > i + 2 ? body.substr(i, next - i) : "";
        const bool letter = isWordByte(c) && next == i + 1;
        i = next;
        // A page break mark carries no text: inside a paragraph it moves to the
        // paragraph's end and the text closes up ("dif<|,47>ferent").
        if (tag.starts_with("<|") || (letter && skip != Skip::None))
            continue;
        if (letter) {
            word += static_cast<char>(c);
            continue;
        }
        if (!word.empty())
            words.running.push_back(std::exchange(word, {}));
        if (tag.starts_with("<\"")) {
            const auto attributes = attributesOf(tag);
            const bool sub = valueOf(attributes, "Subcomponent") == "yes";
            if (skip == Skip::Paragraph && !sub)
                skip = Skip::None;
            if (!sub || hidden == Hidden::None) {
                hidden = !hiddenBehindTag(attributes, sub) ? Hidden::None
                         : sub                             ? Hidden::Subcomponent
                                                           : Hidden::Paragraph;
                hiddenText = false;
            }
            subDepth += skip == Skip::Subcomponent && sub ? 1 : 0;
            if (skip == Skip::None && valueOf(attributes, "Hidden") == "yes" &&
                (hasEffectivity(attributes) ||
                 effectivityClasses.count(unquoted(attributes[0].name)))) {
                skip = sub ? Skip::Subcomponent : Skip::Paragraph;
                subDepth = 1;
                skippedText = false;
            }
        } else if (tag == "<End Sub>" && skip == Skip::Subcomponent && --subDepth == 0) {
            skip = Skip::None;
        } else if (tag == "<End Sub>" && hidden == Hidden::Subcomponent) {
            hidden = Hidden::None;
        } else if (tagIs(tag, "<Table") || tagIs(tag, "<Row")) {
            const bool shown = tagIs(tag, "<Row") && valueOf(attributesOf(tag), "Hidden") != "yes";
            skip = shown ? Skip::None : Skip::Row;
            inReadOnlyRow = tagIs(tag, "<Row") && readOnlyRow(attributesOf(tag));
        } else if (tag == "<End Table>" || (skip == Skip::Paragraph && tagIs(tag, "<Cell"))) {
            skip = Skip::None;
            inReadOnlyRow = inReadOnlyRow && tag != "<End Table>";
        } else if (tagIs(tag, "<Index") && skip == Skip::None && hidden == Hidden::None &&
                   !inReadOnlyRow) {
            // The headings (quoted values), and the sort and see values quoted
            // or not. A first heading that is an empty-entry placeholder gives
            // no entry at all.
            static const std::set<std::string> placeholders = {
                "\"**Empty**\"", "\"**Leer**\"", "\"**Vide**\"", "\"**\x82\xC8\x82\xB5**\""};
            const auto attributes = attributesOf(tag);
            if (attributes.size() > 1 && placeholders.count(attributes[1].name))
                continue;
            for (const Attribute& attribute : attributes) {
                const bool heading = attribute.name.starts_with("\"");
                if (heading || attribute.name.starts_with("Sort") ||
                    attribute.name.starts_with("See"))
                    plainWords(heading ? attribute.name : attribute.value, sjis, words.index);
            }
        }
    }
    if (!word.empty())
        words.running.push_back(word);
    return words;
}

// The words of a QMX line: its text outside tags, and the string argument of
// the tags that show a hidden component's text, in line order. Tags inside
// an argument separate words, as all tags do.
void qmxWords(const std::string& line, bool sjis, Words& out) {
    static const char* const carriers[] = {"<r \"",   "<v \"",  "<rrow \"", "<pn \"",
                                           "<:pn \"", "<:v \"", "<:r \"",   "<xrv \""};
    std::string text;
    for (std::size_t i = 0; i < line.size();) {
        if (const std::size_t run = afterKanjiRun(line, i, "<:r27>"); run != i || line[i] != '<') {
            text += run != i ? ' ' : line[i];
            i = std::max(run, i + 1);
            continue;
        }
        std::size_t end = i;
        for (int depth = 1; ++end < line.size() && depth > 0;)
            depth += (line[end] == '<') - (line[end] == '>');
        const std::string tag = line.substr(i, end - i);
        text += ' ';
        for (const char* carrier : carriers) {
            if (tag.starts_with(carrier)) {
                plainWords(std::exchange(text, {}), sjis, out);
                const std::size_t open = tag.find('"');
                qmxWords(tag.substr(open + 1, tag.rfind('"') - open - 1), sjis, out);
            }
        }
        i = end;
    }
    plainWords(text, sjis, out);
}

struct QmxWords {
    Words ordered;                  // body words outside moved blocks, in line order
    std::vector<std::size_t> lines; // the body line of each ordered word
    std::map<std::string, int> all; // body and ancillary words, counted
};

QmxWords qmxWordsOf(const Lines& body, const Lines& ancillary, bool sjis) {
    // Anchored frames, index markers, footnotes, frames in cells and
    // micro-documents stand after their paragraph's line, out of the text's
    // order.
    static const char* const openers[] = {"<af ", "<imk ", "<fn ", "<ctart ", "<tr "};
    static const std::set<std::string> closers = {"</af>", "</imk>", "</fn>", "</ctart>", "</tr>"};
    QmxWords words;
    int moved = 0;
    for (std::size_t n = 0; n < body.size() + ancillary.size(); ++n) {
        const bool inBody = n < body.size();
        const std::string& line = inBody ? body[n] : ancillary[n - body.size()];
        for (const char* opener : openers)
            moved += line.starts_with(opener) ? 1 : 0;
        Words lineWords;
        qmxWords(line, sjis, lineWords);
        for (const std::string& word : lineWords) {
            ++words.all[word];
            if (inBody && moved == 0) {
                words.ordered.push_back(word);
                words.lines.push_back(n);
            }
        }
        moved = std::max(0, moved - static_cast<int>(closers.count(line)));
    }
    return words;
}

// Empty when every word of the source is there; else the first word that
// the QMX text lacks in order, with its source context and the QMX text near
// it, and the words found too seldom.
std::string missingWords(const SourceWords& source, const QmxWords& qmx, const Lines& body) {
    std::ostringstream report;
    const auto& ordered = qmx.ordered;
    std::size_t q = 0;
    bool inOrder = true;
    for (std::size_t k = 0; k < source.running.size() && inOrder; ++k) {
        q = std::find(ordered.begin() + q, ordered.end(), source.running[k]) - ordered.begin() + 1;
        inOrder = q <= ordered.size();
    }
    // Out of order: the text went astray at the first word not found within a
    // few hundred words of the last one found.
    q = 0;
    for (std::size_t k = 0; k < source.running.size() && !inOrder; ++k) {
        const auto to = ordered.begin() + std::min(ordered.size(), q + 300);
        const auto found = std::find(ordered.begin() + q, to, source.running[k]);
        if (found != to) {
            q = found - ordered.begin() + 1;
            continue;
        }
        report << "\"" << source.running[k] << "\" is missing from the QMX text's order\n"
               << "  source:";
        for (std::size_t n = k < 8 ? 0 : k - 8; n < std::min(source.running.size(), k + 9); ++n)
            report << (n == k ? " [" + source.running[n] + "]" : " " + source.running[n]);
        report << "\n  QMX near:\n";
        const std::size_t line = ordered.empty() ? 0 : qmx.lines[q == 0 ? 0 : q - 1];
        for (std::size_t n = line; n < std::min(body.size(), line + 2); ++n)
            report << "    " << body[n].substr(0, 150) << "\n";
        break;
    }
    std::map<std::string, int> wanted;
    for (const Words* words : {&source.running, &source.index})
        for (const std::string& word : *words)
            ++wanted[word];
    int shown = 0;
    for (const auto& [word, count] : wanted) {
        const auto found = qmx.all.find(word);
        const int have = found == qmx.all.end() ? 0 : found->second;
        if (have < count && shown++ < 5)
            report << "\"" << word << "\": " << count << " in the source, " << have
                   << " in the QMX body and ancillary text\n";
    }
    return report.str();
}

struct Conversion {
    Lines lines, ancillary;
};

// Converts `source` as plain text (format 0) or RTF (1) and verifies the QMX
// file against itself; returns the QMX lines and the ancillary lines.
Conversion convertAndVerify(const fs::path& source, bool japanese, int format) {
    TempDir work;
    ConversionOptions options;
    options.fileFormatForQmx = format == 1 ? QmxFileFormat::Rtf : QmxFileFormat::Text;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.sourceDirectory = source.parent_path().string() + "/";
    options.orgDirectory = work.subfolder("org");
    options.translatedDirectory = work.subfolder("translated");
    options.inputPath = source.string();
    options.baseName = source.stem().string();
    options.extension = source.extension() == ".STY" ? ".STY" : ".DOC";
    lookupLanguage(japanese ? "Japanese (Shift-JIS)" : "English (US)", LanguageRole::Source,
                   options.sourceLanguage);
    AncillaryCollector collector;
    ResultsHost host;
    DocumentConverter converter(options, collector, host);
    try {
        converter.run();
    } catch (const ConversionFailure& failure) {
        ADD_FAILURE() << "the conversion ends with result " << failure.code();
        return {};
    }
    if (options.extension == ".STY") // a style file gives a catalog, no QMX file
        return {};

    const std::string name = options.baseName + (format == 1 ? ".RTF" : ".TXT");
    ConversionOptions check = options;
    check.inputPath = work.write("check/" + name, readFile(options.translatedDirectory + name));
    check.orgDirectory = options.translatedDirectory;
    check.extension = format == 1 ? ".RTF" : ".TXT";
    // An untouched translation is in the source's language.
    check.targetLanguage = check.sourceLanguage;
    ResultsHost verifyHost;
    VerificationCounts counts;
    int code = 0;
    try {
        code = verifyFile(check, verifyHost, counts).code;
    } catch (const ConversionFailure& failure) {
        code = failure.code();
    }
    // The first findings of the report tell what went wrong.
    std::istringstream report(readFile(work.folder() + "check/" + options.baseName + ".CMP"));
    std::string findings;
    for (std::string line; findings.size() < 600 && std::getline(report, line);)
        for (const char* level : {"] ERROR!", "] ALERT!", "] WARNING!"})
            if (line.find(level) != std::string::npos)
                findings += "  " + line.substr(0, 200) + "\n";
    // The generator writes Japanese characters that Interleaf lacks, which
    // the verifier alerts a Japanese translator to: not a fault of the
    // conversion.
    const bool alertsAllowed = japanese;
    EXPECT_TRUE(code == result::VerificationComplete && counts.errors == 0 &&
                counts.warnings == 0 && (alertsAllowed || counts.alerts == 0))
        << name << " verifies with result " << code << ", " << counts.errors << " errors, "
        << counts.alerts << " alerts, " << counts.warnings << " warnings\n"
        << findings;
    return {converter.outputLines(), collector.lines};
}

std::vector<fs::path> filesIn(const fs::path& folder, bool withStyles) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".DOC" ||
            (withStyles && entry.path().extension() == ".STY"))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Small documents for what the other inputs hold seldom or never; each
// follows a header with the class "para" and a first "para" start tag.
const std::pair<const char*, const char*> kSmallDocuments[] = {
    {"blank.DOC", "<|,1>First words end here\n\nSecond words go on with no start tag.\n"},
    {"blanks.DOC", "<|,1>Alpha words end here\n \t \nBeta words go on after blanks.\n"},
    {"cellframe.DOC",
     "<|,1>Before the table.\n\n<Table, \"t\", Columns = 1>\n\n<Row>\n\n<Cell><\"para\">\n\n"
     "Cell text before <Frame,\n\tName =\t\t\t\"f1\",\n\tPlacement =\t\tAt Anchor,\n\tWidth ="
     "\t\t\t1 inches,\n\tHeight =\t\t1 inches,\n\tDiagram =\nV11,\n(g9,1,0,\n (t14,1,0,0,1,2,2,"
     "7,0,0,,wst:timsps10,Drawing))> cell text after the frame\n\n<End Table>\n\n<\"para\">\n\n"
     "After the table.\n"},
    {"indexsee.DOC", "<|,1>Indexed words<Index, \"Heading word\", Sort = sortkey, See = "
                     "elsewhere> and <Index, \"Other\", \"Level two\", See = \"Quoted see\">more "
                     "words.\n"},
    {"pagelabel.DOC", "<|,i>Front matter words.\n\n<\"para\">\n\n<|,ii>Second page words "
                      "and <|,iii>a mark in the middle.\n"},
    {"justify.DOC", "<|,1>Justified line one<FJ>\nline two goes on<FJ>\n\n<\"para\">\n\nLast "
                    "words<FJ>\n\n<\"para\">\n\nFollowing paragraph.\n"},
    {"nopage.DOC", "A document without a page mark.\n\n<\"para\">\n\nSecond paragraph here.\n"},
};

} // namespace

TEST(WordPreservation, EveryWordOfRunningTextReachesTheQmxTextAndEveryFileVerifies) {
    TempDir sources;
    std::vector<fs::path> inputs = filesIn(fs::path(QUILLEX_CORPUS) / "as-8.0", true);
    for (const fs::path& example : filesIn(QUILLEX_EXAMPLES, false))
        inputs.push_back(example);
    const std::string head =
        "<!OPS, Version = 8.0>\n\n<!Class, \"para\">\n\n<!End Declarations>\n\n<\"para\">\n\n";
    for (const auto& [name, body] : kSmallDocuments)
        inputs.push_back(sources.write(name, head + body));
    // Generated documents hold tables, frames, hidden, shared and read-only
    // components only beyond about 50 KB; the smaller ones are running text.
    // (Sixty seeds of 64 to 460 KB pass as well; twelve keep the suite quick.)
    constexpr std::uint64_t kFirstSeed = 21, kSeeds = 12;
    for (std::uint64_t seed = kFirstSeed; seed < kFirstSeed + kSeeds; ++seed) {
        docgen::GeneratorOptions generator;
        generator.seed = seed;
        generator.size = (24 + (seed * 37) % 200) * 1024;
        generator.japanese = seed % 3 == 0;
        generator.crlf = seed == 22;
        inputs.push_back(sources.write("gen" + std::to_string(seed) + ".DOC",
                                       docgen::generateDocumentText(generator)));
    }
    ASSERT_EQ(inputs.size(), 9u + 2 + std::size(kSmallDocuments) + kSeeds);

    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const std::string text = readFile(input.string());
        const bool japanese = isShiftJis(text);
        const Conversion conversion = convertAndVerify(input, japanese, 0);
        convertAndVerify(input, japanese, 1);
        if (input.extension() != ".DOC" || conversion.lines.size() < 5)
            continue;
        const SourceWords source = sourceWords(text);
        EXPECT_FALSE(source.running.empty());
        const Lines body(conversion.lines.begin() + 4, conversion.lines.end() - 1);
        const std::string missing =
            missingWords(source, qmxWordsOf(body, conversion.ancillary, japanese), body);
        EXPECT_TRUE(missing.empty()) << input.filename().string() << ":\n" << missing;
    }
}
