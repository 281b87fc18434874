// Words and characters of generated documents.
#include "vocabulary.h"

#include <cstdio>

namespace quillex::docgen {
namespace {

constexpr std::string_view kWords[] = {
    "the",       "a",         "of",        "to",         "and",       "in",        "is",
    "for",       "that",      "with",      "on",         "as",        "by",        "this",
    "be",        "are",       "from",      "or",         "it",        "an",        "which",
    "document",  "component", "paragraph", "frame",      "table",     "cell",      "reader",
    "structure", "value",     "stream",    "page",       "header",    "footer",    "font",
    "character", "object",    "diagram",   "attribute",  "class",     "function",  "returns",
    "pointer",   "list",      "string",    "buffer",     "library",   "module",    "compile",
    "install",   "directory", "option",    "command",    "program",   "system",    "user",
    "example",   "section",   "chapter",   "index",      "reference", "variable",  "number",
    "default",   "printer",   "output",    "input",      "markup",    "ASCII",     "Interleaf",
    "VMS",       "UNIX",      "AR",        "ID_Table",   "typedef",   "struct",    "Frame_t",
    "makefile",  "header",    "file",      "name",       "data",      "type",      "field",
    "each",      "every",     "when",      "must",       "should",    "can",       "not",
    "also",      "then",      "only",      "first",      "last",      "next",      "previous",
    "described", "contains",  "specifies", "identifies", "converts",  "translate", "manual",
};

// Shift-JIS lead byte and the inclusive range of trail bytes used with it.
struct JapaneseRow {
    unsigned char lead;
    unsigned char firstTrail;
    unsigned char lastTrail;
};

constexpr JapaneseRow kJapaneseRows[] = {
    {0x82, 0x9F, 0xF1}, // hiragana
    {0x83, 0x40, 0x96}, // katakana (0x7F skipped below)
    {0x88, 0x9F, 0xFC}, // kanji
    {0x8B, 0x40, 0xFC}, {0x90, 0x40, 0xFC}, {0x95, 0x40, 0xFC},
    {0x96, 0x40, 0xFC}, {0x8E, 0x40, 0xFC}, {0x93, 0x40, 0xFC},
};

// A few common characters whose second byte is a backslash ("so", "table",
// "ability"), as real Japanese text is full of them.
constexpr std::string_view kBackslashCharacters[] = {"\x83\x5C", "\x95\x5C", "\x94\x5C"};

} // namespace

std::string_view englishWord(RandomSource& random) {
    return random.pick(kWords);
}

std::string japaneseWord(RandomSource& random, bool diagramSafe) {
    std::string word;
    const int length = random.between(1, 6);
    for (int i = 0; i < length; ++i) {
        if (random.chance(40)) {
            word += static_cast<char>(random.between(0xA1, 0xDF)); // half-width katakana
            continue;
        }
        if (!diagramSafe && random.chance(60)) {
            word += random.pick(kBackslashCharacters);
            continue;
        }
        const JapaneseRow& row = random.pick(kJapaneseRows);
        int trail = random.between(row.firstTrail, row.lastTrail);
        if (trail == 0x7F || trail == 0x5C)
            trail = 0x80;
        word += static_cast<char>(row.lead);
        word += static_cast<char>(trail);
    }
    return word;
}

std::string kanjiRun(RandomSource& random) {
    std::string run = "\x1b$B";
    const int length = random.between(1, 5);
    for (int i = 0; i < length; ++i) {
        run += static_cast<char>(random.between(0x30, 0x4F));
        run += static_cast<char>(random.between(0x21, 0x7E));
    }
    return run + "\x1b(B";
}

std::string characterCode(RandomSource& random, bool japanese) {
    // Codes that real exports carry: record and unit separators, quotes,
    // accented letters, dashes and spaces, page number and file name.
    static constexpr std::string_view kCodes[] = {
        "1e",   "1f",   "7f",   "e9",   "e8",   "fc",   "df",   "a9",   "ab",   "bb",
        "0104", "0105", "0101", "0102", "0103", "0106", "0107", "010a", "0118", "0113",
        "0114", "0115", "0116", "0117", "0119", "011f", "80a0", "80a1", "0130", "0139",
    };
    char buffer[16];
    if (japanese && random.chance(500)) {
        const int row = random.between(2, 47);
        const int cell = random.chance(700) ? random.between(33, 126) : random.between(161, 223);
        std::snprintf(buffer, sizeof buffer, "<#%02x%02x>", row, cell);
        return buffer;
    }
    return "<#" + std::string(random.pick(kCodes)) + ">";
}

char westernLetter(RandomSource& random) {
    static constexpr unsigned char kLetters[] = {0xE9, 0xE8, 0xE0, 0xFC, 0xF6, 0xE4,
                                                 0xDF, 0xE7, 0xF1, 0xC9, 0x96, 0x85};
    return static_cast<char>(random.pick(kLetters));
}

} // namespace quillex::docgen
