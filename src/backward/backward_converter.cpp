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
#include "conversion/progress_budget.h"
#include "forward/ancillary_collector.h"
#include "forward/document_converter.h"
#include "foundation/ascii_case.h"
#include "foundation/disk_space.h"
#include "foundation/file_error.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "qmx/interleaf_forms.h"
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
    BackwardRun(const ConversionOptions& options, std::vector<std::string>& batchAncillaryLines,
                ConversionHost& host)
        : options_(options), files_(options), batchAncillaryLines_(batchAncillaryLines),
          host_(host), progress_(host, kBackwardOwnSteps) {}

    void run();

  private:
    void checkFreeSpace() const;
    void refuseToOverwriteInputs() const;
    void checkAncillaryTags();

    ConversionOptions options_; // the run's copy: the translated file sets some values
    BackwardFiles files_;
    std::vector<std::string>& batchAncillaryLines_;
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

// Interleaf reads an escape byte only where a JIS run starts or ends, and
// the forward conversion writes every such byte as the <:r27> code. A raw
// escape byte in a translation would give a document that does not parse,
// so the file is refused rather than reported as converted. (The skeleton's
// own markup, which hidden and read-only text brings back, may hold raw
// escapes: only the translation is looked at.)
void refuseStrayEscapes(const std::vector<std::string>& translatedLines) {
    constexpr char kEscape = '\x1b';
    for (const std::string& line : translatedLines)
        if (line.find(kEscape) != std::string::npos)
            throw ConversionFailure(result::ParserError);
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
        const int codePage = formCodePageOf(targetCodePage, japanese);
        host.appendResult(formatString(
            MessageId::CharacterWithoutFormAt, path.c_str(), static_cast<int>(firstLine + i),
            describeCharacter(found->bytes, codePage, CharacterText::Utf8).c_str(), codePage));
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

void BackwardRun::run() {
    progress_.step();
    if (options_.baseName == "ANCILL")
        throw ConversionFailure(result::AncillaryAsFile);
    translated_ = readTranslatedFile(files_.translated, options_);
    refuseStrayEscapes(translated_.lines);
    refuseFormlessCharacters(translated_.lines, 1, files_.translated, options_, host_);
    if (!fileExists(files_.skeleton))
        throw FileError(FileError::Cause::FileNotFound, files_.skeleton);
    checkFreeSpace();

    AncillaryRequest request;
    request.options = &options_;
    request.outputName = files_.outputName;
    request.styleMode = files_.styleMode;
    request.documentIsCurrentVersion = translated_.currentVersion;
    ancillary_ = loadFileAncillaryLines(request, batchAncillaryLines_, host_);
    refuseStrayEscapes(ancillary_);
    if (!ancillary_.empty())
        refuseFormlessCharacters(ancillary_, sectionStartLine(batchAncillaryLines_, ancillary_),
                                 options_.translatedDirectory + ancillaryFileName(options_),
                                 options_, host_);

    options_.markerPlaceholders = 0;
    progress_.step();

    // The skeleton parsed again: its pieces and tag replacements.
    AncillaryCollector discarded;
    DocumentConverter skeleton(options_, discarded, host_);
    progress_.step();
    skeleton.rebuildFrom(files_.skeleton);
    // The skeleton's own map is completed rather than copied.
    TagMap& replacements = skeleton.registry().tagReplacements();
    addFixedReplacements(replacements);

    std::vector<std::string> items;
    if (!files_.styleMode) {
        Verifier check(options_, host_, kTagCheckProgressSteps);
        check.checkTranslatedTags(translated_.lines);
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

    progress_.step();
    SegmentMap segments;
    if (!files_.styleMode) {
        moveAllBlocks(items);
        splitHiddenFrames(items, skeleton.registry());
        dropPageLinesKeptByTables(items, skeleton.pieces());
        segment(items, 0, "</qmx>", std::string(kFirstSegmentKey), segments);
        std::vector<std::string>().swap(items); // filed under their keys now
    }
    progress_.step();
    if (!ancillary_.empty()) {
        moveAllBlocks(ancillaryItems);
        fileAncillarySections(ancillaryItems, files_.outputName, segments);
    }

    BackwardContext context;
    context.tagReplacements = &replacements;
    context.japaneseTarget = isJapaneseTarget(options_);
    context.formCodePage = formCodePageOf(options_.targetLanguage.codePage, context.japaneseTarget);
    context.sourceInterleafLanguage = options_.sourceLanguage.languageAttribute;
    context.targetInterleafLanguage = options_.targetLanguage.languageAttribute;
    context.keepTranslationHyphenation = options_.translationHyphenation != 0;
    context.host = &host_;
    FillSettings fill;
    fill.styleMode = files_.styleMode;
    fill.ancillaryUsable = !ancillary_.empty();
    fillPieces(skeleton.pieces(), segments, skeleton.classes(), fill, context);

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

int convertBack(const ConversionOptions& options, std::vector<std::string>& batchAncillaryLines,
                ConversionHost& host) {
    BackwardRun(options, batchAncillaryLines, host).run();
    return result::Success;
}

} // namespace quillex::backward
