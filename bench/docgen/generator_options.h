// GeneratorOptions: what the document generator is asked to write.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::docgen {

enum class DocumentKind { Document, Style };

// Constructs that the forward conversion refuses. A generated file holds one
// only when asked, so that ordinary output always converts and fuzz seeds and
// tests can still get each refusal.
enum class Refused {
    RevisionTracking,    // a revision tracking declaration
    SplitDocument,       // an a-page declaration
    APageAttribute,      // an "A-Page" word inside a tag
    ClassDefaults,       // a class defaults declaration
    ManualComment,       // a comment written by hand
    IncludeDeclarations, // an include declarations declaration
    Include,             // an include
    LongIndexMarker,     // an index heading over 250 visible characters
    NotShiftJis,         // a Japanese file whose encoding is not SJIS
    WrongVersion,        // a header of version 8.4
};

// What the body of a document draws its constructs from. The default mixes
// everything; benchmarks measure running text and what lives outside it
// apart.
enum class BodyMix {
    Mixed,           // every construct, mostly paragraphs
    RunningText,     // paragraphs of every kind, without tables or frames
    TablesAndFrames, // tables, frames, footnotes, index markers and references
};

struct GeneratorOptions {
    std::uint64_t seed = 1;
    std::uint64_t size = 64 * 1024; // bytes wanted
    DocumentKind kind = DocumentKind::Document;
    bool japanese = false; // Shift-JIS text, double-byte codes, "SJIS" encoding
    bool crlf = false;     // CR LF line ends instead of LF
    BodyMix mix = BodyMix::Mixed;
    std::set<Refused> refused;
};

// The names of the refused constructs as the command line takes them.
std::vector<std::string_view> refusedNames();
std::optional<Refused> refusedFromName(std::string_view name);

// The names of the body mixes as the command line takes them.
std::vector<std::string_view> mixNames();
std::optional<BodyMix> mixFromName(std::string_view name);

// A size in bytes as the command line takes it: a number with an optional
// suffix K, M or G (powers of 1024). Nothing for anything else.
std::optional<std::uint64_t> parseSize(std::string_view text);

} // namespace quillex::docgen
