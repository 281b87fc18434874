// The forward analysis of one document, step by step.
#include "forward/forward_analysis.h"

#include "forward/body_converter.h"
#include "forward/catalog.h"
#include "forward/document_extensions.h"
#include "foundation/text_file.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_header.h"

#include <memory>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quillex {
namespace {

// The layout and the body passes free many small blocks (the body pieces'
// line lists, what each pass made for itself) that the allocator would keep
// for later; given back to the system at once, they do not add to the peak
// memory of the passes that follow.
void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// The parse speaks through a host (the Japanese warning, DEBUG texts): this
// one keeps what it says as warnings of the analysis.
class NoteTaker final : public ConversionHost {
  public:
    explicit NoteTaker(AnalysisNotes& notes) : notes_(notes) {}
    void progressStep(bool, bool) override {}
    void appendResult(const std::string& line) override { notes_.warn(line); }
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::No; }

  private:
    AnalysisNotes& notes_;
};

void step(ProgressBudget* progress) {
    if (progress != nullptr)
        progress->step();
}

template <class Lines> bool anyTextToTranslate(const Lines& lines) {
    for (const std::string_view line : lines) {
        int depth = 0;
        for (const char c : line) {
            if (c == '<')
                ++depth;
            else if (c == '>' && depth > 0)
                --depth;
            else if (depth == 0 && c != ' ' && c != '\t')
                return true;
        }
    }
    return false;
}

constexpr std::size_t kHeaderProbeBytes = 100;

bool namesSupportedVersion(const std::string& header) {
    for (const char* version : {"Version = 8.0", "Version = 8.1", "Version = 8.2", "Version = 8.3"})
        if (header.find(version) != std::string::npos)
            return true;
    return false;
}

} // namespace

void checkInterleafHeader(const std::string& path) {
    const std::string header = readFileStart(path, kHeaderProbeBytes);
    if (!qmx::is(header, qmx::Markup::DocumentHeader))
        throw ConversionFailure(result::NotInterleafAscii);
    if (!namesSupportedVersion(header))
        throw ConversionFailure(result::WrongVersion);
}

SourceFile readSourceFile(const std::string& path) {
    std::string raw = readBinaryFile(path);
    SourceFile file;
    file.rawSize = raw.size();
    file.rawLineCount =
        static_cast<int>(countLineFeeds(raw)) + (!raw.empty() && raw.back() != '\n' ? 1 : 0);
    file.text = textModeBytes(std::move(raw), path);
    return file;
}

// Tag arguments may hold tags of their own.
bool holdsTextToTranslate(const std::vector<std::string>& lines) {
    return anyTextToTranslate(lines);
}

bool ForwardAnalysis::hasAncillaryText() const {
    return anyTextToTranslate(contribution_.lines);
}

bool ForwardAnalysis::hasTextToTranslate() const {
    return anyTextToTranslate(qmxLines_) || anyTextToTranslate(contribution_.lines);
}

// In document mode the formats, headers and footers go to the ancillary text
// and the body pieces become the body lines; a style file's body is its
// catalog. Either way the file's section of the ancillary file is made.
ConversionResult ForwardAnalysis::run(AnalysisInput input, ProgressBudget* progress) {
    if (ConversionResult parsed = parse(input, progress); !parsed.ok())
        return parsed;
    classes_.addDeclarations(document_.pieces);
    const bool japaneseSource = isJapaneseShiftJisSource(options_.sourceLanguage.name);
    const BodySettings settings = BodySettings::from(options_, japaneseSource);
    DocumentExtensions extensions(registry_, classes_, settings, &notes_, document_.pieces);
    if (input.styleMode) {
        step(progress);
        extensions.convertDeclarations(true);
        static const AncillaryCollector kNoBatch;
        qmxLines_ = QmxLines(catalogBody(document_.pieces,
                                         input.batchSoFar != nullptr ? *input.batchSoFar : kNoBatch,
                                         registry_));
        step(progress);
    } else {
        extensions.convertDeclarations(false);
        BodyConverter body(registry_, classes_, extensions, settings, &notes_);
        ItemList items = body.layOut(document_.pieces);
        returnFreedMemory();
        step(progress);
        items = body.convertItems(std::move(items));
        returnFreedMemory();
        if (input.withQmxLines)
            qmxLines_ = body.toLines(items);
        step(progress);
    }
    contribution_ = extensions.contribution(input.ancillaryName, input.styleMode);
    addHeaderAndClosingLines();
    return {};
}

// The pieces' lines view the source text, which the document keeps; so do
// the tag maps, for markup that is source text.
ConversionResult ForwardAnalysis::parse(AnalysisInput& input, ProgressBudget* progress) {
    NoteTaker parseNotes(notes_);
    ParseSettings settings;
    // Lead bytes are those of the source language's code page.
    settings.codePage = static_cast<std::uint32_t>(options_.sourceLanguage.codePage);
    settings.budget = progress;
    settings.lineCount = input.lineCount;
    settings.steps = kForwardParseSteps;
    settings.host = &parseNotes;
    settings.debug = options_.parserDiagnostics ? 1 : 0;
    ConversionResult outcome =
        parseDocumentText(input.path, std::move(input.text), input.rawSize, settings, document_);
    if (outcome.ok())
        registry_.viewTextsIn(document_.source.text());
    return outcome;
}

void ForwardAnalysis::addHeaderAndClosingLines() {
    const std::vector<std::string> header = qmxHeaderLines(options_);
    qmxLines_.insertFront(header);
    qmxLines_.add(kQmxClosingLine);
    for (const std::string& line : header)
        registry_.enterSelf(line);
    registry_.enterSelf(kQmxClosingLine);
}

} // namespace quillex
