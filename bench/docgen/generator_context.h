// GeneratorContext: what every part of the document generator shares.
#pragma once

#include "document_sink.h"
#include "generator_options.h"
#include "random_source.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillex::docgen {

// Running text wraps at this column, as Interleaf writes it.
inline constexpr std::size_t kWrapColumn = 75;

// Names declared by the fixed part of every document, so that the body uses
// streams, classes and shared objects that exist.
namespace names {
inline constexpr std::string_view kListStream = "list";
inline constexpr std::string_view kChapterStream = "chap";
inline constexpr std::string_view kFigureStream = "fig";
inline constexpr std::string_view kStepStream = "step";
inline constexpr std::string_view kFootnoteStream = "footnote";
inline constexpr std::string_view kSharedFrame = "logo";
inline constexpr std::string_view kSharedNamedObject = "seal";
inline constexpr std::string_view kMasterTable = "Cnv";
inline constexpr std::string_view kReadOnlyMasterRow = "locked";
} // namespace names

struct GeneratorContext {
    GeneratorContext(const GeneratorOptions& options, DocumentSink& out)
        : options(options), out(out), random(options.seed * 0x2545F4914F6CDD1DULL + 7) {}

    const GeneratorOptions& options;
    DocumentSink& out;
    RandomSource random;

    // Running numbers that make names and page labels differ.
    int nextPage = 1;
    int nextFrame = 1;
    int nextObject = 1;

    bool japanese() const { return options.japanese; }
    bool refuses(Refused kind) const { return options.refused.contains(kind); }
};

// A decimal with two or three places, as diagram positions are written.
std::string decimal(RandomSource& random, int whole);

// Text as diagram data holds it: ( ) , < > and backslash escaped.
std::string escapeDiagramText(std::string_view text);

// The name of the extra class with this index: a pure function of the seed
// and the index, so that a style file's body can name its classes again
// without keeping them.
std::string extraClassName(std::uint64_t seed, std::uint64_t index);

} // namespace quillex::docgen
