// The backward conversion of one translated QMX file, step by step.
#include "backward/backward_converter.h"

#include "backward/ancillary_text.h"
#include "backward/block_moves.h"
#include "backward/hidden_frames.h"
#include "backward/interleaf_characters.h"
#include "backward/item_split.h"
#include "backward/output_assembly.h"
#include "backward/piece_filling.h"
#include "backward/segmentation.h"
#include "backward/table_page_marks.h"
#include "backward/translated_file.h"
#include "backward/untranslated_pieces.h"
#include "conversion/per_file_result.h"
#include "conversion/progress_budget.h"
#include "forward/document_converter.h"
#include "forward/forward_analysis.h"
#include "foundation/ascii_case.h"
#include "foundation/disk_space.h"
#include "foundation/file_error.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "qmx/interleaf_forms.h"
#include "qmx/quote_converter.h"
#include "verifier/verifier.h"

#include <algorithm>
#include <filesystem>

namespace quillex::backward {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;
constexpr std::string_view kEucTarget = "Japanese (EUC)";

// The files of one run, for base name N and the chosen extension.
struct BackwardFiles {
    bool styleMode = false;
    std::string translated; // the chosen file
    std::string skeleton;   // N.ORG, or N.STY in style mode, in the ORG folder
    std::string outputName; // N.DOC, or N.STY
    std::string output;     // in the translated folder

    explicit BackwardFiles(const ConversionOptions& options)
        : styleMode(upperCaseAscii(options.extension) == ".CAT"), translated(options.inputPath),
          skeleton(options.orgDirectory + options.baseName + (styleMode ? ".STY" : ".ORG")),
          outputName(options.baseName + (styleMode ? ".STY" : ".DOC")),
          output(options.translatedDirectory + outputName) {}
};

class BackwardRun {
  public:
    BackwardRun(const ConversionOptions& options, BatchAncillaryText& batchAncillary,
                ConversionHost& host)
        : options_(options), files_(options), batchAncillary_(batchAncillary), host_(host),
          progress_(host, kBackwardOwnSteps) {}

    void run();

  private:
    void checkFreeSpace() const;
    void refuseToOverwriteInputs() const;
    void checkAncillaryTags();
    BackwardContext contextFor(const TagMap& replacements) const;
    void analyseSkeleton(ForwardAnalysis& skeleton);
    PieceList untranslatedPieces(ForwardAnalysis& skeleton, const BackwardContext& context) const;

    ConversionOptions options_; // the run's copy: the translated file sets some values
    BackwardFiles files_;
    BatchAncillaryText& batchAncillary_;
    ConversionHost& host_;
    ProgressBudget progress_;
    TranslatedFile translated_;
    std::vector<std::string> ancillary_; // this file's section, empty when unusable
};

// Free space of the folder that receives the output: the skeleton's size
// (twice that when the output is converted to EUC) and two megabytes more.
void BackwardRun::checkFreeSpace() const {
    const auto freeBytes = freeDiskBytes(options_.translatedDirectory);
    if (!freeBytes)
        return;
    std::uint64_t needed = fileSize(files_.skeleton) / kMegabyte;
    if (options_.targetLanguage.name == kEucTarget)
        needed *= 2;
    if (*freeBytes / kMegabyte < needed + 2)
        throw ConversionFailure(result::DiskFull);
}

// The QMX that the forward conversion makes of the skeleton: what the
// translation is compared with. The skeleton is parsed with index marker
// placeholders, which the merge needs; when the batch's settings turn them
// off, the forward conversion wrote no "<:imk N>" anchor, and the skeleton's
// QMX is compared without them.
std::vector<std::string> skeletonQmx(const ForwardAnalysis& skeleton, bool markerAnchors) {
    constexpr std::string_view kMarkerAnchor = "<:imk ";
    std::vector<std::string> lines = skeleton.qmxLines().strings();
    if (markerAnchors)
        return lines;
    for (std::string& line : lines)
        for (std::size_t at = line.find(kMarkerAnchor); at != line.npos;
             at = line.find(kMarkerAnchor, at)) {
            const std::size_t end = line.find('>', at);
            line.erase(at, end == line.npos ? line.npos : end + 1 - at);
        }
    return lines;
}

bool isJapaneseTarget(const ConversionOptions& options) {
    return options.targetLanguage.name.starts_with("Japanese");
}

// Nothing of a translation is dropped or written as another character: a
// character that has no Interleaf form where it stands fails the file, named
// with its file and line (the first line of `lines` being `firstLine`).
void refuseFormlessCharacters(const std::vector<std::string>& lines, std::size_t firstLine,
                              const std::string& path, const ConversionOptions& options,
                              ConversionHost& host) {
    const int targetCodePage = options.targetLanguage.codePage;
    const bool japanese = isJapaneseTarget(options);
    FormlessCharacterScanner scanner(targetCodePage, japanese);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<FormlessCharacter> found = scanner.next(lines[i]);
        if (!found)
            continue;
        host.appendResult(formatString(
            MessageId::CharacterWithoutFormAt, path.c_str(), static_cast<int>(firstLine + i),
            describeCharacter(found->bytes, found->codePage, CharacterText::Utf8).c_str(),
            found->codePage));
        throw ConversionFailure(result::CharacterWithoutForm);
    }
}

// The batch's ancillary file, as the results list names it.
std::string ancillaryFileName(const ConversionOptions& options) {
    return options.writesRtf() ? "ANCILL.RTF" : "ANCILL.TXT";
}

// The line of the ancillary file that the file's section begins on.
std::size_t sectionStartLine(const std::vector<std::string>& batchLines,
                             const std::vector<std::string>& section) {
    const auto start = std::find(batchLines.begin(), batchLines.end(), section.front());
    return static_cast<std::size_t>(start - batchLines.begin()) + 1;
}

// The output must never take the place of its own skeleton or of the
// translation it is made from, however the paths are spelled.
void BackwardRun::refuseToOverwriteInputs() const {
    for (const std::string* input : {&files_.skeleton, &files_.translated}) {
        std::error_code error;
        if (std::filesystem::equivalent(files_.output, *input, error))
            throw FileError(FileError::Cause::AccessDenied, files_.output);
    }
}

// The body's items filed under the keys of their pieces, from <af 0> on.
void fileBody(std::vector<std::string>& items, ForwardAnalysis& skeleton, SegmentMap& segments) {
    moveAllBlocks(items);
    splitHiddenFrames(items, skeleton.registry());
    dropPageLinesKeptByTables(items, skeleton.pieces());
    segment(items, 0, "</qmx>", std::string(kFirstSegmentKey), segments);
}

void fileAncillary(std::vector<std::string>& items, const std::string& outputName,
                   SegmentMap& segments) {
    moveAllBlocks(items);
    fileAncillarySections(items, outputName, segments);
}

BackwardContext BackwardRun::contextFor(const TagMap& replacements) const {
    BackwardContext context;
    context.tagReplacements = &replacements;
    context.japaneseTarget = isJapaneseTarget(options_);
    context.formCodePage = formCodePageOf(options_.targetLanguage.codePage, context.japaneseTarget);
    context.sourceInterleafLanguage = options_.sourceLanguage.languageAttribute;
    context.targetInterleafLanguage = options_.targetLanguage.languageAttribute;
    context.keepTranslationHyphenation = options_.translationHyphenation == Hyphenation::LeaveAsIs;
    context.host = &host_;
    return context;
}

// The pieces filled from the QMX that the forward conversion makes of the
// skeleton, read back as a translated file is: what a file that nobody
// translated gives, declarations left as they are. None when that QMX does
// not convert back: every filled piece is then written as filled.
PieceList BackwardRun::untranslatedPieces(ForwardAnalysis& skeleton,
                                          const BackwardContext& context) const {
    PieceList pieces = copyOfPieces(skeleton.pieces());
    BackwardContext untouched = context;
    untouched.targetInterleafLanguage = untouched.sourceInterleafLanguage;
    // The skeleton's text is in the code page of the source language.
    untouched.formCodePage = formCodePageOf(options_.sourceLanguage.codePage, false);
    untouched.keepTranslationHyphenation = true;
    untouched.usesQmxClasses = false;
    untouched.host = nullptr;
    FillSettings fill;
    fill.styleMode = files_.styleMode;
    fill.ancillaryUsable = !ancillary_.empty();
    fill.addQmxClasses = false;
    try {
        SegmentMap segments;
        if (!files_.styleMode) {
            std::vector<std::string> items = splitItems(asReadBack(skeleton.qmxLines().strings()));
            fileBody(items, skeleton, segments);
        }
        if (!ancillary_.empty()) {
            // Writing the ancillary file converts its quotes.
            std::vector<std::string> section = skeleton.contribution().lines;
            if (options_.smartQuotes == SmartQuotes::AsTags)
                convertQuotes(section);
            std::vector<std::string> items = splitItems(asReadBack(std::move(section)));
            fileAncillary(items, files_.outputName, segments);
        }
        fillPieces(pieces, segments, skeleton.classes(), fill, untouched);
    } catch (const ConversionFailure&) {
        return {};
    }
    return pieces;
}

void BackwardRun::run() {
    progress_.step();
    if (options_.baseName == "ANCILL")
        throw ConversionFailure(result::AncillaryAsFile);
    translated_ = readTranslatedFile(files_.translated, options_);
    refuseFormlessCharacters(translated_.lines, 1, files_.translated, options_, host_);
    if (!fileExists(files_.skeleton))
        throw FileError(FileError::Cause::FileNotFound, files_.skeleton);
    checkFreeSpace();

    AncillaryRequest request;
    request.options = &options_;
    request.outputName = files_.outputName;
    request.styleMode = files_.styleMode;
    request.documentIsCurrentVersion = translated_.currentVersion;
    ancillary_ = batchAncillary_.sectionFor(request, host_);
    if (!ancillary_.empty())
        refuseFormlessCharacters(ancillary_, sectionStartLine(batchAncillary_.lines(), ancillary_),
                                 options_.translatedDirectory + ancillaryFileName(options_),
                                 options_, host_);

    progress_.step();

    // The skeleton analysed as the forward conversion analysed its source:
    // its pieces and tag replacements.
    ConversionOptions skeletonOptions = options_;
    skeletonOptions.markerPlaceholders = MarkerPlaceholders::Insert;
    ForwardAnalysis skeleton(skeletonOptions);
    progress_.step();
    analyseSkeleton(skeleton);
    // The skeleton's own map is completed rather than copied.
    TagMap& replacements = skeleton.registry().tagReplacements();
    addFixedReplacements(replacements);

    std::vector<std::string> items;
    if (!files_.styleMode) {
        // One check with the verifier's: a translation the verifier would
        // find an error in is never merged.
        Verifier check(options_, host_, kTagCheckProgressSteps);
        check.checkAgainstSource(
            skeletonQmx(skeleton, options_.markerPlaceholders == MarkerPlaceholders::Insert),
            translated_.lines);
        // Without its ancillary section a document would keep the source
        // wording of its formats, headers and footers.
        if (ancillary_.empty() && skeleton.hasAncillaryText())
            throw ConversionFailure(result::AncillaryUnusable);
        items = splitItems(translated_.lines);
        // The items hold the translation from here on.
        std::vector<std::string>().swap(translated_.lines);
    }
    progress_.step();
    std::vector<std::string> ancillaryItems;
    if (!ancillary_.empty()) {
        checkAncillaryTags();
        ancillaryItems = splitItems(ancillary_);
    }

    BackwardContext context = contextFor(replacements);
    // Made before the translation is filed: filing enters the tags of the
    // parts of hidden frames, and the translation's must be the last.
    PieceList untranslated = untranslatedPieces(skeleton, context);

    progress_.step();
    SegmentMap segments;
    if (!files_.styleMode) {
        fileBody(items, skeleton, segments);
        std::vector<std::string>().swap(items); // filed under their keys now
    }
    progress_.step();
    if (!ancillary_.empty())
        fileAncillary(ancillaryItems, files_.outputName, segments);

    FillSettings fill;
    fill.styleMode = files_.styleMode;
    fill.ancillaryUsable = !ancillary_.empty();
    fillPieces(skeleton.pieces(), segments, skeleton.classes(), fill, context);
    keepUntranslatedPieces(skeleton.pieces(), untranslated);
    PieceList().swap(untranslated);

    refuseToOverwriteInputs();
    AssemblyOptions assembly;
    assembly.skeletonPath = files_.skeleton;
    assembly.skeletonText = &skeleton.source();
    assembly.releaseLaidOutLines = true;
    assembly.outputPath = files_.output;
    assembly.styleMode = files_.styleMode;
    assembly.japaneseTarget = context.japaneseTarget;
    if (options_.targetLanguage.name == kEucTarget)
        assembly.encoding = OutputEncoding::ShiftJisToEuc;
    assembleOutput(skeleton.pieces(), assembly, host_);
}

// The skeleton is analysed with index marker anchors whatever the batch's
// setting: the merge puts each marker back at its anchor. Nothing of what
// the analysis noted concerns the translation but the lengths of index
// markers; a skeleton the parse refuses fails the file with its reasons.
void BackwardRun::analyseSkeleton(ForwardAnalysis& skeleton) {
    ProgressBudget analysisProgress(host_, kForwardStepsPerFile);
    checkInterleafHeader(files_.skeleton);
    SourceFile file = readSourceFile(files_.skeleton);
    AnalysisInput input;
    input.path = files_.skeleton;
    input.lineCount = file.rawLineCount;
    input.rawSize = file.rawSize;
    input.text = std::move(file.text);
    input.styleMode = files_.styleMode;
    input.ancillaryName = upperCaseAscii(files_.outputName);
    ConversionResult analysed;
    try {
        analysed = skeleton.run(std::move(input), &analysisProgress);
    } catch (...) {
        skeleton.notes().report(host_, true);
        throw;
    }
    skeleton.notes().report(host_, true);
    if (!analysed.ok()) {
        for (const std::string& line : analysed.lines)
            host_.appendResult(line);
        throw ConversionFailure(analysed.code);
    }
    analysisProgress.step();
}

// The file's ancillary section is checked like a document of its own, framed
// by the QMX lines of the document's version.
void BackwardRun::checkAncillaryTags() {
    std::vector<std::string> framed;
    framed.reserve(ancillary_.size() + 2);
    framed.emplace_back(translated_.currentVersion ? "<qmx \"I2.00\">" : "<qmx \"I2.xx\">");
    framed.insert(framed.end(), ancillary_.begin(), ancillary_.end());
    framed.emplace_back("</qmx>");
    Verifier check(options_, host_, 0, false);
    try {
        check.checkTranslatedTags(framed);
    } catch (const ConversionFailure& failure) {
        if (failure.code() == result::TagErrors)
            throw ConversionFailure(result::AncillaryTagErrors);
        throw;
    }
}

} // namespace

ConversionResult convertBack(const ConversionOptions& options, BatchAncillaryText& ancillary,
                             ConversionHost& host) {
    return resultOf([&] {
        BackwardRun(options, ancillary, host).run();
        return result::Success;
    });
}

} // namespace quillex::backward
