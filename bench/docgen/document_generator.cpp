// Declarations, body and sizing of generated documents.
#include "document_generator.h"

#include "diagram_writer.h"
#include "document_sink.h"
#include "generator_context.h"
#include "running_text.h"
#include "table_writer.h"
#include "vocabulary.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <span>
#include <vector>

namespace quillex::docgen {
namespace {

// Below this size a document gets only the basic declarations and plain
// paragraphs.
constexpr std::uint64_t kFullDocumentSize = 16 * 1024;
// No body construct writes more than this, so constructs stop this far from
// the target and plain paragraphs fill the rest.
constexpr std::uint64_t kConstructMargin = 48 * 1024;
// Plain filler paragraphs stop this far from the target; the last one is cut
// to size.
constexpr std::uint64_t kFillerMargin = 1200;

constexpr std::array<std::string_view, 8> kHeaderFooterOpenings = {
    "<Page Header,",       "<Page Footer,",       "<First Page Header,", "<First Page Footer,",
    "<Right Page Header,", "<Right Page Footer,", "<Left Page Header,",  "<Left Page Footer,"};

// The kinds of extra declaration that large files repeat; a pure function of
// the seed and the index, so that a style file's body can find its classes.
enum class ExtraKind { Class, AutonumberStream, MasterFrame, MasterDiagrammingObject };

ExtraKind extraKind(std::uint64_t seed, std::uint64_t index) {
    RandomSource random(seed * 31 + index * 0xD1B54A32D192ED03ULL + 1);
    const auto roll = random.below(100);
    if (roll < 80)
        return ExtraKind::Class;
    if (roll < 90)
        return ExtraKind::AutonumberStream;
    if (roll < 95)
        return ExtraKind::MasterFrame;
    return ExtraKind::MasterDiagrammingObject;
}

enum class Construct {
    Paragraph,
    Title,
    List,
    Steps,
    CodeListing,
    SharedContents,
    PrefixNote,
    ReadOnly,
    HiddenWithEffectivity,
    CrossReferenceVariable,
    Table,
    FrameMixed,
    FrameTextStrings,
    FrameChart,
    FrameMicroDocument,
    FrameNamedObject,
    FrameSharedNamedObject,
    FrameGraphics,
    Footnote,
    SharedFrame,
    HeaderFooter,
    IndexMarkers,
    References,
    ExtraClassParagraph,
};
constexpr int kConstructCount = static_cast<int>(Construct::ExtraClassParagraph) + 1;

// Running text, or what stands outside it (tables, frames, markers and
// references); a body mix draws from one family or both.
enum class Family { RunningText, OutsideText };

struct ConstructFamily {
    Construct construct;
    Family family;
};

// Every construct once, in the order a deck is laid out before shuffling:
// the bytes a seed gives depend on it.
constexpr ConstructFamily kConstructFamilies[] = {
    {Construct::Paragraph, Family::RunningText},
    {Construct::Title, Family::RunningText},
    {Construct::List, Family::RunningText},
    {Construct::Steps, Family::RunningText},
    {Construct::CodeListing, Family::RunningText},
    {Construct::SharedContents, Family::RunningText},
    {Construct::PrefixNote, Family::RunningText},
    {Construct::ReadOnly, Family::RunningText},
    {Construct::HiddenWithEffectivity, Family::RunningText},
    {Construct::CrossReferenceVariable, Family::OutsideText},
    {Construct::Table, Family::OutsideText},
    {Construct::FrameMixed, Family::OutsideText},
    {Construct::FrameTextStrings, Family::OutsideText},
    {Construct::FrameChart, Family::OutsideText},
    {Construct::FrameMicroDocument, Family::OutsideText},
    {Construct::FrameNamedObject, Family::OutsideText},
    {Construct::FrameSharedNamedObject, Family::OutsideText},
    {Construct::FrameGraphics, Family::OutsideText},
    {Construct::Footnote, Family::OutsideText},
    {Construct::SharedFrame, Family::OutsideText},
    {Construct::HeaderFooter, Family::OutsideText},
    {Construct::IndexMarkers, Family::OutsideText},
    {Construct::References, Family::OutsideText},
    {Construct::ExtraClassParagraph, Family::RunningText},
};
static_assert(std::size(kConstructFamilies) == kConstructCount);

struct Copies {
    Construct construct;
    int count;
};

// Extra copies that each deck of a mix holds, so that these constructs come
// up more often than the others: documents are mostly paragraphs, and the
// rich mix leans on tables and anchored frames.
constexpr Copies kMixedExtras[] = {{Construct::Paragraph, 12},
                                   {Construct::List, 2},
                                   {Construct::Table, 1},
                                   {Construct::FrameMixed, 1},
                                   {Construct::Title, 1}};
constexpr Copies kRunningTextExtras[] = {
    {Construct::Paragraph, 12}, {Construct::List, 2}, {Construct::Title, 1}};
constexpr Copies kTablesAndFramesExtras[] = {{Construct::Table, 2}, {Construct::FrameMixed, 2}};

// The families a mix draws from and its extra copies.
struct MixRule {
    BodyMix mix;
    bool runningText;
    bool outsideText;
    std::span<const Copies> extras;
    bool draws(Family family) const {
        return family == Family::RunningText ? runningText : outsideText;
    }
};

constexpr MixRule kMixRules[] = {
    {BodyMix::Mixed, true, true, kMixedExtras},
    {BodyMix::RunningText, true, false, kRunningTextExtras},
    {BodyMix::TablesAndFrames, false, true, kTablesAndFramesExtras},
};

const MixRule& mixRule(BodyMix mix) {
    for (const MixRule& rule : kMixRules)
        if (rule.mix == mix)
            return rule;
    return kMixRules[0];
}

// The constructs of one deck of `mix`, before shuffling.
std::vector<Construct> unshuffledDeck(BodyMix mix) {
    const MixRule& rule = mixRule(mix);
    std::vector<Construct> deck;
    for (const auto& [construct, family] : kConstructFamilies)
        if (rule.draws(family))
            deck.push_back(construct);
    for (const auto& [construct, count] : rule.extras)
        deck.insert(deck.end(), count, construct);
    return deck;
}

class Generator {
  public:
    Generator(const GeneratorOptions& options, DocumentSink& out)
        : c_(options, out), text_(c_), diagrams_(c_, text_), tables_(c_, text_, diagrams_) {
        // Body text may anchor frames, except in a body of running text only.
        if (options.mix != BodyMix::RunningText)
            text_.setDiagrams(&diagrams_);
    }

    void run();

  private:
    bool style() const { return c_.options.kind == DocumentKind::Style; }
    std::uint64_t target() const { return c_.options.size; }
    std::uint64_t remaining() const {
        return c_.out.written() < target() ? target() - c_.out.written() : 0;
    }

    void header();
    void basicDeclarations(bool full);
    void colorAndPatternDeclarations();
    void pageDeclaration();
    void pageNumberStreams();
    void autonumberStreams();
    void classDeclaration(std::string_view name, std::string_view attributes,
                          std::string_view sharedText = {});
    void fixedClasses(bool full);
    void extraDeclaration(std::uint64_t index);
    void headersAndFooters();
    void refusedDeclarations();
    void endDeclarations();

    void documentBody(bool full);
    void styleBody();
    void construct(Construct kind);
    void refusedBodyConstructs();
    void paragraphWithFrame(Construct kind);
    void codeListing();
    void crossReferenceVariable();
    void fill();
    void exactFiller();

    GeneratorContext c_;
    RunningText text_;
    DiagramWriter diagrams_;
    TableWriter tables_;
    std::uint64_t extraDeclarations_ = 0;
    std::uint64_t bodyStart_ = 0;
    bool refusedBodyDone_ = false;
};

void Generator::run() {
    header();
    const bool full = target() >= kFullDocumentSize;
    basicDeclarations(full);
    if (full) {
        colorAndPatternDeclarations();
        pageNumberStreams();
        autonumberStreams();
    }
    fixedClasses(full);
    if (full) {
        diagrams_.masterFrame(names::kSharedFrame);
        diagrams_.masterDiagrammingObject(names::kSharedNamedObject);
        tables_.masterTable();
    }
    refusedDeclarations();
    if (style()) {
        // A style file is mostly declarations: repeat them until the body that
        // shows each class (about 60 bytes a class) would reach the size.
        std::uint64_t bodyEstimate = 8192;
        while (c_.out.written() + bodyEstimate + 2048 < target()) {
            extraDeclaration(extraDeclarations_);
            if (extraKind(c_.options.seed, extraDeclarations_) == ExtraKind::Class)
                bodyEstimate += 40 + extraClassName(c_.options.seed, extraDeclarations_).size();
            ++extraDeclarations_;
        }
    } else if (full) {
        const std::uint64_t extras = std::min<std::uint64_t>(target() / (64 * 1024), 4000);
        while (extraDeclarations_ < extras)
            extraDeclaration(extraDeclarations_++);
    }
    if (full)
        headersAndFooters();
    endDeclarations();
    if (style())
        styleBody();
    else
        documentBody(full);
    refusedBodyConstructs();
    fill();
}

void Generator::header() {
    std::string version = "8." + std::to_string(c_.random.between(0, 3));
    if (c_.refuses(Refused::WrongVersion))
        version = "8.4";
    c_.out.raw("<!OPS, Version = " + version);
    if (c_.refuses(Refused::NotShiftJis))
        c_.out.raw(", Character Encoding = EUC");
    else if (c_.japanese())
        c_.out.raw(", Character Encoding = SJIS");
    c_.out.raw(">\n\n");
}

void Generator::basicDeclarations(bool full) {
    DocumentSink& out = c_.out;
    out.raw(
        "<!Document,\n\tFinal Output Device =\t\"ps\",\n\tDefault Printer =\t\"nearest-ps\">\n\n");
    out.raw("<!Font Definitions,\n\tF20 = Times 10,\n\tF21 = Times 10 Bold,\n\tF22 = Times 10 "
            "Italic,\n\tF24 = Times 11,\n\tF25 = Courier 10,\n\tF26 = Helvetica 10 Bold,\n\tF33 "
            "= Helvetica 14 Bold>\n\n");
    if (full) {
        pageDeclaration();
        // Only the first page declaration makes a piece; a later one stays in
        // its text. Exports write later ones among the declarations, inside
        // micro-documents and after table cells, never between paragraphs.
        out.raw("<!Page, Width = 8.50 inches, Height = 11 inches>\n\n");
    } else
        out.raw("<!Page,\n\tHyphenation =\t\ton>\n\n");
}

void Generator::colorAndPatternDeclarations() {
    DocumentSink& out = c_.out;
    out.raw("<!Color Definitions,\n\tC0 = 0, 0, 0,\n\tC1 = 3.13, 3.13, 3.13,\n\tC5 = 50, 50, "
            "50,\n\tC7 = 100, 100, 100>\n\n");
    out.raw("<!Color Name, C9 = \"Sky Blue\", 20, 40, 90>\n\n");
    out.raw("<!Color Tint, T1 = C5, 50>\n\n");
    out.raw("<!Pattern Definitions,\n\tP1 = 255 0 255 0 255 0 255 0,\n\tP2 = 170 85 170 85 170 "
            "85 170 85>\n\n");
}

void Generator::pageDeclaration() {
    c_.out.raw("<!Page,\n\tBottom Margin =\t\t0.83 inches,\n\tLeft Margin =\t\t0.87 inches,\n"
               "\tFirst Page =\t\tRight,\n\tMargins =\t\t\tLeft/Right,\n\tStarting Page # = "
               "\tInherit,\n\tHyphenation =\t\ton,\n\tRevision Bar Placement = Right");
    // "A-Page # Style" is an ordinary attribute, unlike "A-Page" on its own.
    if (c_.random.chance(500))
        c_.out.raw(",\n\tA-Page # Style =\tArabic");
    c_.out.raw(">\n\n");
}

void Generator::pageNumberStreams() {
    c_.out.raw("<!Page Number Stream, Name = \"main\",\n\tPage # Prefix =\t\"App. \",\n\t"
               "Page # Prefix Two =\t\"\">\n\n");
    c_.out.raw("<!Page Number Stream, Name = \"front\", Page # Prefix = \"\", Page # Prefix Two "
               "= \"\">\n\n");
    // Nine visible characters: the most a page number prefix may hold, and
    // long enough for the forward conversion's length warning.
    c_.out.raw("<!Page Number Stream, Name = \"annex\", Page # Prefix = \"Annex \"\"A\"\"\", "
               "Page # Prefix Two = \"-\">\n\n");
}

void Generator::autonumberStreams() {
    DocumentSink& out = c_.out;
    out.raw("<!Autonumber Stream, \"" + std::string(names::kListStream) + "\", 1>\n\n");
    out.raw("<!Autonumber Stream, \"" + std::string(names::kChapterStream) +
            "\", 2,\n\tLevel 1 Prefix =\t\"Chapter \",\n\tLevel 1 Suffix =\t\".\",\n\tLevel 2 "
            "Prefix =\t\"Appendix Part \",\n\tLevel 2 Suffix =\t>\n\n");
    out.raw("<!Autonumber Stream, \"" + std::string(names::kFigureStream) +
            "\", 1,\n\tLevel 1 Prefix =\t\"Figure \",\n\tLevel 1 Suffix =\t>\n\n");
    out.raw("<!Autonumber Stream, \"" + std::string(names::kStepStream) +
            "\", 1,\n\tLevel 1 Suffix =\t,\n\tLevel 1 Starting Value = 0,\n\tLevel 1 Show =\t\t"
            "no>\n\n");
    out.raw("<!Autonumber Stream, \"" + std::string(names::kFootnoteStream) + "\", 1>\n\n");
}

void Generator::classDeclaration(std::string_view name, std::string_view attributes,
                                 std::string_view sharedText) {
    DocumentSink& out = c_.out;
    out.raw("<!Class, \"");
    out.raw(name);
    out.raw("\"");
    if (target() >= kFullDocumentSize)
        out.raw(",\n\tTop Margin =\t\t0.04 inches,\n\tBottom Margin =\t\t0.04 inches,\n\tLine "
                "Spacing =\t\t1.162 lines");
    out.raw(attributes);
    out.raw(">\n\n");
    if (!sharedText.empty()) {
        out.raw(sharedText);
        out.raw("\n\n");
    }
}

void Generator::fixedClasses(bool full) {
    classDeclaration("para", ",\n\tFont =\t\t\tF20");
    classDeclaration("titleA", ",\n\tFont =\t\t\tF33,\n\tBegin New Page =\tyes");
    classDeclaration("list", "");
    classDeclaration("|:list", ",\n\tContents =\t\tPrefix");
    if (!full)
        return;
    classDeclaration("sub:em", ",\n\tFont =\t\t\tF22");
    classDeclaration("sub:code", ",\n\tFont =\t\t\tF25");
    classDeclaration("Cstuff", ",\n\tFont =\t\t\tF25,\n\tLeft Tab =\t\t0/0.25*12 Inches");
    classDeclaration("step", "");
    classDeclaration("|:step", ",\n\tContents =\t\tPrefix");
    classDeclaration("note", ",\n\tFont =\t\t\tF24");
    classDeclaration("|:note", ",\n\tContents =\tPrefix Shared", "<Tab><F26>Note:<F0><Tab>");
    classDeclaration("boiler", ",\n\tContents =\tShared",
                     "This product is delivered <F22>as is<F0>; see <#7f>Warranty<#7f>.");
    classDeclaration("warning", ",\n\tRead Only =\t\tyes");
    classDeclaration("internal", ",\n\t@Audience =\t\t\"internal\"");
    classDeclaration("xref", ",\n\tFont =\t\t\tF22");
    classDeclaration("fn", ",\n\tFont =\t\t\tF20");
    for (const char* cell : {"cell:A", "cell:B", "cell:C"})
        classDeclaration(cell, ",\n\tFont =\t\t\tF20");
}

void Generator::extraDeclaration(std::uint64_t index) {
    const std::uint64_t seed = c_.options.seed;
    const std::string name = extraClassName(seed, index);
    RandomSource& random = c_.random;
    switch (extraKind(seed, index)) {
    case ExtraKind::Class:
        switch (random.below(8)) {
        case 0:
            classDeclaration(name, ",\n\tRead Only =\t\tyes");
            break;
        case 1:
            classDeclaration(name, ",\n\tContents =\tShared", "Shared words of " + name + ".");
            break;
        case 2:
            classDeclaration("|:" + name, ",\n\tContents =\tPrefix");
            break;
        case 3:
            classDeclaration(name, ",\n\t@Platform =\t\t\"VMS\"");
            break;
        default:
            classDeclaration(name, ",\n\tFont =\t\t\tF2" + std::to_string(random.between(0, 6)));
            break;
        }
        break;
    case ExtraKind::AutonumberStream:
        c_.out.raw("<!Autonumber Stream, \"" + name + "\", 2,\n\tLevel 1 Prefix =\t\"" +
                   std::string(englishWord(random)) + " \",\n\tLevel 2 Suffix =\t\")\">\n\n");
        break;
    case ExtraKind::MasterFrame:
        diagrams_.masterFrame(name);
        break;
    case ExtraKind::MasterDiagrammingObject:
        diagrams_.masterDiagrammingObject(name);
        break;
    }
}

void Generator::headersAndFooters() {
    for (const std::string_view opening : kHeaderFooterOpenings)
        diagrams_.headerOrFooter(opening);
}

void Generator::refusedDeclarations() {
    DocumentSink& out = c_.out;
    if (c_.refuses(Refused::RevisionTracking))
        out.raw("<!Revision Tracking, Enabled = yes, Color = C5>\n\n");
    if (c_.refuses(Refused::SplitDocument))
        out.raw("<!APage, Name = \"intro\", Page # = 1>\n\n");
    if (c_.refuses(Refused::ClassDefaults))
        out.raw("<!Class Defaults,\n\tFont =\t\t\tF20>\n\n");
    if (c_.refuses(Refused::ManualComment))
        out.raw("<!Comment, edited by hand on 3 March>\n\n");
    if (c_.refuses(Refused::IncludeDeclarations))
        out.raw("<!Include Declarations, \"common.sty\">\n\n");
}

void Generator::endDeclarations() {
    c_.out.endLine();
    c_.out.raw("<!End Declarations>\n\n");
    bodyStart_ = c_.out.written();
    // Tiny documents keep their exact size without it.
    if (remaining() > 256)
        text_.markFirstPage();
}

// Constructs come from a shuffled deck that holds each kind at least once, so
// every kind appears early and in a different order for every seed.
void Generator::documentBody(bool full) {
    if (!full)
        return;
    std::vector<Construct> deck;
    std::size_t next = 0;
    while (remaining() > kConstructMargin) {
        if (next == deck.size()) {
            deck = unshuffledDeck(c_.options.mix);
            for (std::size_t i = deck.size() - 1; i > 0; --i)
                std::swap(deck[i], deck[c_.random.below(i + 1)]);
            next = 0;
        }
        construct(deck[next++]);
        if (!refusedBodyDone_ && c_.out.written() >= target() / 2)
            refusedBodyConstructs();
    }
}

void Generator::construct(Construct kind) {
    RandomSource& random = c_.random;
    switch (kind) {
    case Construct::Paragraph:
        if (random.chance(150))
            text_.componentStart("para", ",\n\tTop Margin =\t\t0.10 inches");
        else
            text_.componentStart("para");
        text_.paragraph(random.between(200, 1400), TextPlace::Body);
        break;
    case Construct::Title:
        text_.componentStart("titleA", ",\n\tBegin New Page =\t\tyes");
        text_.pageBreak();
        text_.paragraph(random.between(10, 80), TextPlace::Title);
        break;
    case Construct::List:
        text_.componentStart("list");
        if (random.chance(100))
            text_.pageBreak();
        text_.listPrefix(false);
        text_.paragraph(random.between(40, 400), TextPlace::Body);
        break;
    case Construct::Steps:
        for (int i = random.between(2, 5); i > 0; --i) {
            text_.componentStart("step");
            text_.listPrefix(true);
            text_.paragraph(random.between(40, 300), TextPlace::Body);
        }
        break;
    case Construct::CodeListing:
        codeListing();
        break;
    case Construct::SharedContents:
        text_.componentStart("boiler");
        text_.paragraph(random.between(40, 200), TextPlace::Plain);
        break;
    case Construct::PrefixNote:
        text_.componentStart("note");
        text_.tag("<\"|:note\", Subcomponent = yes><F0><Tab><F26>Note:<F0><Tab><End Sub><F0>");
        text_.paragraph(random.between(40, 400), TextPlace::Body);
        break;
    case Construct::ReadOnly:
        switch (random.below(3)) {
        case 0:
            text_.componentStart("warning");
            break;
        case 1:
            text_.componentStart("para", ",\n\tRead Only =\t\tyes");
            break;
        default:
            text_.componentStart("warning", ", Read Only = no"); // overrides its class
            break;
        }
        text_.paragraph(random.between(40, 400), TextPlace::Plain);
        break;
    case Construct::HiddenWithEffectivity:
        if (random.chance(500))
            text_.componentStart("internal", ", Hidden = yes");
        else
            text_.componentStart("para", ",\n\tHidden =\t\tyes,\n\t@Platform =\t\t\"VMS\"");
        text_.paragraph(random.between(40, 400), TextPlace::Plain);
        break;
    case Construct::CrossReferenceVariable:
        crossReferenceVariable();
        break;
    case Construct::Table:
        tables_.bodyTable();
        break;
    case Construct::FrameMixed:
    case Construct::FrameTextStrings:
    case Construct::FrameChart:
    case Construct::FrameMicroDocument:
    case Construct::FrameNamedObject:
    case Construct::FrameSharedNamedObject:
    case Construct::FrameGraphics:
    case Construct::Footnote:
    case Construct::SharedFrame:
        paragraphWithFrame(kind);
        break;
    case Construct::HeaderFooter:
        text_.componentStart("para");
        text_.pageBreak();
        text_.paragraph(random.between(40, 200), TextPlace::Body);
        diagrams_.headerOrFooter(kHeaderFooterOpenings[random.below(kHeaderFooterOpenings.size())]);
        break;
    case Construct::IndexMarkers:
        text_.componentStart("para");
        for (int i = random.between(2, 4); i > 0; --i) {
            text_.text(random.between(20, 200), TextPlace::Plain);
            text_.indexMarker(false);
        }
        text_.paragraph(random.between(10, 100), TextPlace::Plain);
        break;
    case Construct::References:
        text_.componentStart("para");
        for (int i = random.between(2, 4); i > 0; --i) {
            text_.text(random.between(20, 200), TextPlace::Plain);
            text_.reference();
            text_.autonumber();
        }
        text_.paragraph(random.between(10, 100), TextPlace::Plain);
        break;
    case Construct::ExtraClassParagraph: {
        std::string name = "para";
        if (extraDeclarations_ > 0) {
            const std::uint64_t index = random.below(extraDeclarations_);
            if (extraKind(c_.options.seed, index) == ExtraKind::Class)
                name = extraClassName(c_.options.seed, index);
        }
        text_.componentStart(name);
        text_.paragraph(random.between(100, 800), TextPlace::Body);
        break;
    }
    }
}

void Generator::paragraphWithFrame(Construct kind) {
    RandomSource& random = c_.random;
    text_.componentStart("para");
    text_.text(random.between(20, 400), TextPlace::Plain);
    switch (kind) {
    case Construct::FrameTextStrings:
        diagrams_.anchoredFrame(FrameContent::TextStrings);
        break;
    case Construct::FrameChart:
        diagrams_.anchoredFrame(FrameContent::Chart);
        break;
    case Construct::FrameMicroDocument:
        diagrams_.anchoredFrame(FrameContent::MicroDocument);
        break;
    case Construct::FrameNamedObject:
        diagrams_.anchoredFrame(FrameContent::NamedObject);
        break;
    case Construct::FrameSharedNamedObject:
        diagrams_.anchoredFrame(FrameContent::SharedNamedObject);
        break;
    case Construct::FrameGraphics:
        diagrams_.anchoredFrame(FrameContent::Graphics);
        break;
    case Construct::Footnote:
        diagrams_.footnoteFrame();
        break;
    case Construct::SharedFrame:
        diagrams_.sharedFrameReference();
        break;
    default:
        diagrams_.anchoredFrame(FrameContent::Mixed);
        break;
    }
    text_.paragraph(random.between(20, 400), TextPlace::Plain);
}

void Generator::codeListing() {
    RandomSource& random = c_.random;
    text_.componentStart("Cstuff");
    for (int line = random.between(3, 12); line > 0; --line) {
        text_.word(random.chance(300) ? "#define"
                                      : "<F25>" + std::string(englishWord(random)) + "<F0>");
        text_.tag("<Tab><Tab>");
        text_.word(random.chance(200) ? "${AR}/lib<<x>" : std::string(englishWord(random)));
        text_.word(englishWord(random), false);
        text_.tag("<HR>");
        c_.out.newline();
    }
    c_.out.raw("\n");
}

// A component whose Lisp attribute defines a variable with a suffix; the
// suffix uses the escapes the reader knows; the longest draws the length
// warning yet stays within what the verifier accepts.
void Generator::crossReferenceVariable() {
    static constexpr std::string_view kSuffixes[] = {
        " (continued)", "", "\\^?quoted\\^?", "\\x41\\ and \\\\", ", a longer suffix!",
    };
    std::string attributes = ",\n\tLisp =\t\t\"(ileaf-xref variable-tag \"\"ChapTitle\"\" "
                             "var-suffix \"\"";
    attributes += c_.random.pick(kSuffixes);
    attributes += "\"\")\"";
    text_.componentStart("xref", attributes);
    text_.paragraph(c_.random.between(10, 80), TextPlace::Title);
}

void Generator::styleBody() {
    // Each class shown once, as style files do.
    for (const char* name : {"para", "titleA", "list", "sub:em"}) {
        text_.componentStart(name);
        text_.paragraph(c_.random.between(20, 120), TextPlace::Plain);
    }
    for (std::uint64_t i = 0; i < extraDeclarations_; ++i) {
        if (extraKind(c_.options.seed, i) != ExtraKind::Class)
            continue;
        const std::string name = extraClassName(c_.options.seed, i);
        text_.componentStart(name);
        c_.out.raw("Sample of " + name + ".\n\n");
    }
}

void Generator::refusedBodyConstructs() {
    if (refusedBodyDone_)
        return;
    refusedBodyDone_ = true;
    DocumentSink& out = c_.out;
    if (c_.refuses(Refused::Include)) {
        out.endLine();
        out.raw("<!Include, \"chapter2.doc\">\n\n");
    }
    if (c_.refuses(Refused::APageAttribute)) {
        out.endLine();
        out.raw("<!Page, A-Page, Width = 8.50 inches>\n\n");
    }
    if (c_.refuses(Refused::ManualComment)) {
        out.endLine();
        out.raw("<Comment, reviewed>\n\n");
    }
    if (c_.refuses(Refused::LongIndexMarker)) {
        text_.componentStart("para");
        text_.text(40, TextPlace::Plain);
        text_.indexMarker(true);
        out.raw("\n\n");
    }
}

void Generator::fill() {
    static constexpr std::string_view kClasses[] = {"para", "para", "para", "titleA", "list"};
    // The body must hold at least one item, whatever the size asked for.
    if (c_.out.written() == bodyStart_ && remaining() <= 40) {
        text_.componentStart("para");
        text_.paragraph(1, TextPlace::Plain);
    }
    while (remaining() > kFillerMargin) {
        const std::string_view name = c_.random.pick(kClasses);
        text_.componentStart(name);
        if (name == "list")
            text_.listPrefix(false);
        text_.paragraph(std::min<std::uint64_t>(remaining() - kFillerMargin / 2, 900),
                        name == "titleA" ? TextPlace::Title : TextPlace::Plain);
    }
    exactFiller();
}

// The last paragraph, cut to the exact size: words a character at a time,
// wrapped like the rest, and a final line end.
void Generator::exactFiller() {
    DocumentSink& out = c_.out;
    const std::size_t lineEnd = out.lineEndSize();
    if (remaining() > 40)
        text_.componentStart("para");
    std::string_view word;
    std::size_t position = 0;
    while (remaining() > lineEnd) {
        if (out.column() >= kWrapColumn && remaining() >= 2 * lineEnd + 1) {
            out.newline();
            continue;
        }
        if (position == word.size()) {
            word = englishWord(c_.random);
            position = 0;
            if (out.column() > 0) {
                out.raw(" ");
                continue;
            }
        }
        out.raw(word.substr(position++, 1));
    }
    if (remaining() == lineEnd)
        out.newline();
    while (remaining() > 0)
        out.raw(" ");
}

} // namespace

void generateDocument(const GeneratorOptions& options, DocumentSink& out) {
    Generator(options, out).run();
    out.flush();
}

bool generateDocumentFile(const GeneratorOptions& options, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = true;
    {
        DocumentSink sink(
            [&](std::string_view block) {
                if (ok && std::fwrite(block.data(), 1, block.size(), file) != block.size())
                    ok = false;
            },
            options.crlf);
        generateDocument(options, sink);
    }
    const int saved = errno;
    if (std::fclose(file) != 0)
        ok = false;
    else
        errno = saved;
    return ok;
}

std::string generateDocumentText(const GeneratorOptions& options) {
    std::string text;
    {
        DocumentSink sink([&](std::string_view block) { text.append(block); }, options.crlf);
        generateDocument(options, sink);
    }
    return text;
}

} // namespace quillex::docgen
