// A stand-in translator for round-trip tests: rewrites every text run of a
// QMX file (the bytes outside tags) the way a translation changes it, and
// leaves every tag as it is.
//
// A run gets its letters exchanged (accented letters of code page 1252, or
// upper-case letters for a Japanese file, whose double-byte characters stay
// whole), grows by about 30%, and on each line the first run gets a literal
// less-than sign and the last run a pair of quote tags when the file's
// <quotes> line keeps them. Some runs are emptied. A translation into another
// code page instead keeps its runs in plain letters and adds chosen
// characters of that code page. The rewrite is deterministic: the same lines
// give the same result.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::testing {

struct TranslationStyle {
    bool japanese = false;  // Shift-JIS text: keep double-byte characters whole
    int emptyEvery = 5;     // every n-th run that may be emptied is emptied; 0: none
    int translateEvery = 1; // every n-th line is rewritten, the others stay as they were
    // Characters of the target code page (their bytes) that the translation
    // adds, one to each grown run in turn. With any, the runs get no accented
    // letters: every byte above ASCII becomes a plain letter, so the text
    // holds exactly the characters a test is about.
    std::vector<std::string> addedCharacters;
};

namespace rewrite_detail {

// Western letters and what a translation makes of them: accented letters
// from 0xC0 up, which the code page and Interleaf both have.
constexpr std::array<std::pair<char, unsigned char>, 12> kAccented{{
    {'a', 0xE0},
    {'e', 0xE9},
    {'i', 0xEE},
    {'o', 0xF6},
    {'u', 0xFC},
    {'c', 0xE7},
    {'n', 0xF1},
    {'A', 0xC0},
    {'E', 0xC9},
    {'O', 0xD6},
    {'U', 0xDC},
    {'C', 0xC7},
}};

// What a translation adds to a western run, cycled for its length.
constexpr std::string_view kWesternFiller = "\xE9t\xE9 \xE0\xE7\xF4r\xEB\xDF\xF8\xE5";

// The same for Japanese text: hiragana and katakana, trail bytes on both
// sides of 0x80.
constexpr std::string_view kJapaneseFiller = "\x82\xA0\x83\x41\x82\xA2\x83\x43";
constexpr std::size_t kJapaneseCharacterBytes = 2;

inline bool isShiftJisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The run with its letters exchanged. Bytes that Interleaf has no character
// for (the code page's 0x80 to 0x9F and 0xA0) become accented letters too, as
// a translator's text would not hold them.
inline std::string exchangeLetters(std::string_view run, bool japanese) {
    std::string out;
    out.reserve(run.size());
    for (std::size_t i = 0; i < run.size(); ++i) {
        const auto b = static_cast<unsigned char>(run[i]);
        if (japanese) {
            if (isShiftJisLead(b) && i + 1 < run.size()) {
                out.append(run.substr(i, 2));
                ++i;
            } else if (b >= 'a' && b <= 'z') {
                out += static_cast<char>(b - 'a' + 'A');
            } else {
                out += static_cast<char>(b);
            }
            continue;
        }
        if (b >= 0x80 && b <= 0xA0) {
            out += '\xE8';
            continue;
        }
        char c = static_cast<char>(b);
        for (const auto& [plain, accented] : kAccented)
            if (plain == c)
                c = static_cast<char>(accented);
        out += c;
    }
    return out;
}

// Plain text for a translation that adds characters of its own.
constexpr std::string_view kPlainFiller = "lorem ipsum ";

// The run in plain letters: the source's bytes above ASCII mean other
// characters in another code page.
inline std::string plainLetters(std::string_view run) {
    std::string out(run);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80)
            c = 'x';
    return out;
}

// About 30% of `length` bytes of filler, whole characters only.
inline std::string growth(std::size_t length, bool japanese, bool plain = false) {
    const std::string_view filler = plain      ? kPlainFiller
                                    : japanese ? kJapaneseFiller
                                               : kWesternFiller;
    std::size_t wanted = (length * 3 + 9) / 10;
    if (japanese)
        wanted += wanted % kJapaneseCharacterBytes;
    std::string out;
    while (out.size() < wanted)
        out += filler[out.size() % filler.size()];
    return out;
}

// A text run or a tag of one QMX line.
struct Piece {
    std::string text;
    bool tag = false;
};

// Splits a line into tags and runs. A tag runs from "<" to the ">" that
// balances it, so a tag argument holding tags stays inside its tag.
inline std::vector<Piece> piecesOf(std::string_view line) {
    std::vector<Piece> pieces;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '<') {
            const std::size_t end = std::min(line.find('<', i), line.size());
            pieces.push_back({std::string(line.substr(i, end - i)), false});
            i = end;
            continue;
        }
        int depth = 0;
        std::size_t end = i;
        for (; end < line.size(); ++end) {
            depth += line[end] == '<' ? 1 : line[end] == '>' ? -1 : 0;
            if (depth == 0)
                break;
        }
        end = std::min(end + 1, line.size());
        pieces.push_back({std::string(line.substr(i, end - i)), true});
        i = end;
    }
    return pieces;
}

// Lines whose text the format limits, counting a tag as one character; a
// translation of them stays within the limit.
struct TextLimit {
    std::string_view lineStart;
    std::size_t limit;
};
constexpr TextLimit kTextLimits[] = {
    {"<xrv ", 20}, {"<ie>", 250},       {"<il>", 250},       {"<ss>", 250},
    {"<sa>", 250}, {"<bb \"Prefix", 9}, {"<bb \"Level", 15},
};

// The length of `text` as the limits count it: a tag is one character.
inline std::size_t visibleLength(std::string_view text) {
    std::size_t length = 0;
    int depth = 0;
    for (const char c : text) {
        if (c == '<') {
            if (depth++ == 0)
                ++length;
        } else if (c == '>' && depth > 0) {
            --depth;
        } else if (depth == 0) {
            ++length;
        }
    }
    return length;
}

inline std::size_t limitOf(std::string_view line) {
    for (const TextLimit& limit : kTextLimits)
        if (line.starts_with(limit.lineStart))
            return limit.limit;
    return std::string_view::npos;
}

// Internal tags that open a font change or an inline subcomponent.
constexpr std::string_view kOpeningTags[] = {"<:fc ", "<:cs ", "<:sc ", "<:cns "};

inline bool opensFontOrSubcomponent(const Piece& piece) {
    for (const std::string_view tag : kOpeningTags)
        if (piece.text.starts_with(tag))
            return true;
    return false;
}

inline bool isFontChange(const Piece& piece) {
    return piece.text.starts_with("<:fc ") || piece.text == "<:/fc>";
}

// An escape (the tag <:r27>) starts a JIS sequence: "$B" or "$@" switch to
// two-byte JIS, whose text (up to the next escape, across tags) a translation
// leaves alone; "(B" or "(J" switch back. The designator after the escape is
// never rewritten.
constexpr std::string_view kEscapeTag = "<:r27>";
constexpr std::size_t kDesignatorLength = 2;

// Internal tags whose Interleaf form ends with "<End Sub>": the ends of
// inline subcomponents and the inline components hidden behind one tag.
constexpr std::string_view kSubcomponentEnds[] = {"<:/sc>", "<:/cs>", "<:/cns>", "<:cnmk ",
                                                  "<:r \"", "<:v \"", "<:pn \""};

inline bool endsSubcomponent(const Piece& piece) {
    for (const std::string_view tag : kSubcomponentEnds)
        if (piece.text.starts_with(tag))
            return true;
    return false;
}

// Whether emptying run `i` keeps a form that the forward conversion writes
// again. With no text between them, a font change after a font change or
// subcomponent start becomes part of the start's markup (or an empty font
// run, which the forward conversion drops), and a font end ("<F0>") after a
// subcomponent's "<End Sub>" becomes part of that end.
inline bool mayEmptyRun(const std::vector<Piece>& pieces, std::size_t i) {
    if (i == 0 || i + 1 == pieces.size())
        return true;
    const Piece& before = pieces[i - 1];
    const Piece& after = pieces[i + 1];
    return !(opensFontOrSubcomponent(before) && isFontChange(after)) &&
           !(endsSubcomponent(before) && after.text == "<:/fc>");
}

// The quote pair a translation adds: English quotes, closed by a straight
// quote that the forward conversion pairs with the open one. A Japanese-source
// file writes the straight quote's code as <:r34>, so it gets a German low
// quote closed by the English left quote instead.
inline std::string quotePair(bool japanese, bool plain) {
    if (plain)
        return "<:ldq>a<:rdq>";
    return japanese ? "<:glq>\x82\xA0<:ldq>" : "<:ldq>\xE0<:rdq>";
}

// One line rewritten. With `grow` clear the runs only get their letters
// exchanged, which keeps their length.
inline std::string rewriteLine(std::string_view line, const TranslationStyle& style,
                               bool quotesAsTags, bool mayEmpty, bool grow, int& emptiableRuns,
                               std::size_t& addedRuns) {
    const bool plain = !style.addedCharacters.empty();
    std::vector<Piece> pieces = piecesOf(line);
    std::size_t firstRun = pieces.size();
    std::size_t lastRun = pieces.size();
    // Whether the runs are JIS text; the forward conversion closes every JIS
    // sequence on the line that opens it.
    bool inJis = false;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        Piece& piece = pieces[i];
        if (piece.tag)
            continue;
        std::string designator;
        if (i > 0 && pieces[i - 1].text == kEscapeTag) {
            inJis = piece.text.starts_with("$");
            if (!inJis) {
                designator = piece.text.substr(0, kDesignatorLength);
                piece.text.erase(0, designator.size());
            }
        }
        if (inJis)
            continue;
        if (mayEmpty && style.emptyEvery > 0 && mayEmptyRun(pieces, i) &&
            ++emptiableRuns % style.emptyEvery == 0) {
            piece.text = designator;
            continue;
        }
        const std::size_t length = piece.text.size();
        piece.text = designator + (plain ? plainLetters(piece.text)
                                         : exchangeLetters(piece.text, style.japanese));
        if (!grow)
            continue;
        piece.text += growth(length, style.japanese, plain);
        if (plain)
            piece.text += style.addedCharacters[addedRuns++ % style.addedCharacters.size()];
        if (firstRun == pieces.size() && designator.empty())
            firstRun = i;
        lastRun = i;
    }
    if (firstRun < pieces.size())
        pieces[firstRun].text.insert(0, "<:lt>");
    // An open German quote would take the added English quote as its close.
    if (lastRun < pieces.size() && quotesAsTags && line.find("<:glq>") == std::string::npos)
        pieces[lastRun].text += quotePair(style.japanese, plain);
    std::string rewritten;
    for (const Piece& piece : pieces)
        rewritten += piece.text;
    return rewritten;
}

} // namespace rewrite_detail

// Rewrites the text runs of `lines` (a QMX file or an ancillary file, one
// line per element) as a translation would.
//
// Runs that the rules of the format cannot bring back emptied are never
// emptied: the prefixes of a page number stream (a stream with no prefix
// writes no block), the level texts of an autonumber stream (an empty level
// writes no line), the text of a text string or chart label (one without
// text is not offered for translation) and the runs mayEmptyRun names. Text
// with a length limit grows only as far as the limit allows, as the tag
// check demands.
inline std::vector<std::string> translateQmxLines(const std::vector<std::string>& lines,
                                                  const TranslationStyle& style) {
    using namespace rewrite_detail;
    std::vector<std::string> out;
    out.reserve(lines.size());
    int emptiableRuns = 0;
    std::size_t addedRuns = 0;
    bool quotesAsTags = false;
    bool inPageNumberStream = false;
    bool inTextString = false;
    for (const std::string& line : lines) {
        if (line.starts_with("<quotes "))
            quotesAsTags = line == "<quotes \"As tags\">";
        if (line.starts_with("<pgfmt "))
            inPageNumberStream = true;
        if (line.starts_with("</pgfmt>"))
            inPageNumberStream = false;
        if (line.starts_with("<ts ") || line.starts_with("<tl "))
            inTextString = true;
        if (line.starts_with("</ts>") || line.starts_with("</tl>"))
            inTextString = false;
        if (style.translateEvery > 1 &&
            out.size() % static_cast<std::size_t>(style.translateEvery) != 0) {
            out.push_back(line);
            continue;
        }
        const bool mayEmpty =
            !inPageNumberStream && !inTextString && !line.starts_with("<bb \"Level ");
        const int runsBefore = emptiableRuns;
        const std::size_t addedBefore = addedRuns;
        std::string rewritten =
            rewriteLine(line, style, quotesAsTags, mayEmpty, true, emptiableRuns, addedRuns);
        const std::size_t limit = limitOf(line);
        if (limit != std::string_view::npos &&
            visibleLength(rewritten.substr(piecesOf(line).front().text.size())) > limit) {
            emptiableRuns = runsBefore;
            addedRuns = addedBefore;
            rewritten =
                rewriteLine(line, style, quotesAsTags, mayEmpty, false, emptiableRuns, addedRuns);
        }
        out.push_back(std::move(rewritten));
    }
    return out;
}

} // namespace quillex::testing
