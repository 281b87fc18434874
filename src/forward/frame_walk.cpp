// The walk over a frame's diagram pieces.
#include "forward/frame_walk.h"

#include "forward/attributes.h"
#include "forward/diagram_texts.h"

#include <algorithm>
#include <array>

namespace quillex {
namespace {

// Flags of a diagram object's number fields: print-locked (the first field
// of groups, text strings, chart labels, micro-documents and named objects),
// and for named objects a shared object and one with effectivity attributes
// (the second field).
constexpr int kLockedBit = 0x100;
constexpr int kSharedObjectBit = 0x1;
constexpr int kEffectivityBit = 0x2;

// What a frame counts, in the order of its warnings.
enum Count : std::size_t {
    LockedTextStrings,
    LockedChartLabels,
    LockedMicroDocuments,
    LockedNamedObjects,
    Equations,
    OutlineObjects,
    OldStyleOutlineObjects,
    CountKinds
};
constexpr std::array<MessageId, CountKinds> kCountWarnings = {
    MessageId::PrintLockedTextStrings,    MessageId::PrintLockedChartLabels,
    MessageId::PrintLockedMicroDocuments, MessageId::PrintLockedNamedObjects,
    MessageId::EquationsInFrame,          MessageId::OutlineObjectsInFrame,
    MessageId::OldStyleOutlinesInFrame};

// The items of one object, put in reading order by its positions: the
// second position first, then the first.
struct PositionedBlock {
    float primary;
    float secondary;
    ItemList items;
};

bool isMaster(PieceKind kind) {
    return kind == PieceKind::MasterFrame || kind == PieceKind::MasterDiagrammingObject;
}

// Page headers and footers stand in the ancillary text as blocks of their
// own, never inline: one without texts is still <af %d> ... </af>, since an
// inline empty-frame tag has no place under their block heading.
bool isHeaderOrFooter(PieceKind kind) {
    return kind >= PieceKind::PageHeader && kind <= PieceKind::LeftPageFooter;
}

// The value of a footnote frame: the "Value" of the autonumber reference its
// "Numbered" attribute holds.
std::optional<std::string> footnoteValue(const DocumentPiece& frame) {
    if (frame.kind != PieceKind::Frame || !frame.name.starts_with('<'))
        return std::nullopt;
    return TagAttributes::parse(frame.name).value("Value");
}

} // namespace

struct FrameWalker::Walk {
    PieceKind frameKind = PieceKind::Frame;
    std::vector<bool> locked;      // of the open groups and named objects
    std::vector<bool> effectivity; // of the open named objects
    std::array<int, CountKinds> counts{};
    std::vector<PositionedBlock> blocks;
    std::vector<std::pair<MessageId, std::string>> effectivityWarnings; // with the object's tag

    bool enclosingLocked() const { return !locked.empty() && locked.back(); }
    bool enclosingEffectivity() const { return !effectivity.empty() && effectivity.back(); }
    bool isLocked(const DocumentPiece& piece) const {
        return (piece.number & kLockedBit) != 0 || enclosingLocked();
    }
    void restart(PieceKind kind) {
        frameKind = kind;
        counts = {};
    }
    void addBlock(const DocumentPiece& piece, ItemList items) {
        blocks.push_back({piece.secondPosition, piece.firstPosition, std::move(items)});
    }
};

FrameWalker::FrameWalker(ConversionContext& context, const DeclaredItems& declared)
    : context_(context), declared_(declared) {}

std::string_view FrameWalker::tagged(const std::string& tag) {
    return context_.registry.enterSelf(tag);
}

FrameWalk FrameWalker::walk(PieceList& pieces, std::size_t first, ItemList& items, Place place) {
    Walk walk;
    walk.frameKind = pieces[first]->kind;
    for (std::size_t i = first + 1; i < pieces.size(); ++i) {
        DocumentPiece& piece = *pieces[i];
        switch (piece.kind) {
        case PieceKind::Group:
            walk.locked.push_back(walk.isLocked(piece));
            break;
        case PieceKind::EndOfGroup:
            if (!walk.locked.empty())
                walk.locked.pop_back();
            break;
        case PieceKind::TextString:
            addText(walk, piece, false);
            break;
        case PieceKind::ChartLabel:
            addText(walk, piece, true);
            break;
        case PieceKind::MicroDocument:
            addMicroDocument(walk, piece);
            break;
        case PieceKind::NamedObject:
            addNamedObject(walk, piece);
            break;
        case PieceKind::EndOfNamedObject:
            if (!walk.locked.empty())
                walk.locked.pop_back();
            if (!walk.effectivity.empty())
                walk.effectivity.pop_back();
            break;
        case PieceKind::Equation:
            ++walk.counts[Equations];
            break;
        case PieceKind::OutlineObject:
            ++walk.counts[OutlineObjects];
            break;
        case PieceKind::OldStyleOutlineObject:
            ++walk.counts[OldStyleOutlineObjects];
            break;
        case PieceKind::MasterDiagrammingObject:
            break;
        case PieceKind::TextAfterFrame:
            finish(walk, *pieces[first], items, place);
            return {i, pieces[first]->qmxTag};
        default:
            // Any other piece (the parts of a frame or table nested in a
            // micro-document) starts the counts and the kind afresh.
            walk.restart(piece.kind);
            break;
        }
    }
    finish(walk, *pieces[first], items, place);
    return {pieces.size(), pieces[first]->qmxTag};
}

// A text string or chart label: one block of its converted text lines.
void FrameWalker::addText(Walk& walk, DocumentPiece& piece, bool chartLabel) {
    if (walk.isLocked(piece)) {
        ++walk.counts[chartLabel ? LockedChartLabels : LockedTextStrings];
        return;
    }
    if (piece.lines.empty())
        return;
    const int number =
        context_.registry.nextNumber(chartLabel ? TagCounter::ChartLabel : TagCounter::TextString);
    const std::string tag = (chartLabel ? "<tl " : "<ts ") + std::to_string(number) + ">";
    ItemList block{tagged(tag)};
    for (const std::string_view line : piece.lines)
        block.push_back(context_.registry.keep(convertDiagramLine(line, context_.characters())));
    block.push_back(tagged(chartLabel ? "</tl>" : "</ts>"));
    piece.qmxTag = tag;
    if (walk.enclosingEffectivity())
        walk.effectivityWarnings.emplace_back(
            chartLabel ? MessageId::ChartLabelEffectivity : MessageId::TextStringEffectivity, tag);
    walk.addBlock(piece, std::move(block));
}

// A micro-document: its own lines, the first (the text's opening tag) put
// behind <tr %d> and "<End Text>" with its closing parenthesis behind </tr>.
// The lines between are body text, converted with the body.
void FrameWalker::addMicroDocument(Walk& walk, DocumentPiece& piece) {
    if (walk.isLocked(piece)) {
        ++walk.counts[LockedMicroDocuments];
        return;
    }
    if (piece.lines.empty())
        return;
    const int number = context_.registry.nextNumber(TagCounter::MicroDocument);
    const std::string_view tag =
        context_.registry.enter(piece.lines.front(), "<tr " + std::to_string(number) + ">");
    const std::string_view end = context_.registry.enter("<End Text>", "</tr>");

    const PieceLines& lines = piece.lines;
    std::size_t last = lines.size();
    if (last > 1 && lines[last - 1] == ")")
        --last;
    if (last > 1 && lines[last - 1] == "<End Text>")
        --last;
    ItemList block{tag};
    block.insert(block.end(), lines.begin() + 1, lines.begin() + static_cast<long>(last));
    block.push_back(end);
    piece.qmxTag = tag;
    walk.addBlock(piece, std::move(block));
}

// A named object opens a locked and an effectivity scope; a shared one whose
// master a style declares shows its name to the translator, whose text the
// ancillary file carries.
void FrameWalker::addNamedObject(Walk& walk, const DocumentPiece& piece) {
    const bool locked = walk.isLocked(piece);
    const bool effectivity =
        (piece.objectNumber & kEffectivityBit) != 0 || walk.enclosingEffectivity();
    walk.locked.push_back(locked);
    walk.effectivity.push_back(effectivity);

    if ((piece.objectNumber & kSharedObjectBit) == 0 ||
        walk.frameKind == PieceKind::MasterDiagrammingObject)
        return;
    const std::string name = diagramName(piece.name);
    if (declared_.masterObjects.count(name) == 0)
        return;
    if (locked) {
        ++walk.counts[LockedNamedObjects];
        return;
    }
    const std::string_view tag =
        tagged("<tn \"" + convertAttributeContent(name, context_.characters()) + "\">");
    namedObjects_[std::string(tag)] = name;
    if (effectivity)
        walk.effectivityWarnings.emplace_back(MessageId::NamedObjectEffectivity, tag);
    walk.addBlock(piece, {tag});
}

void FrameWalker::finish(Walk& walk, DocumentPiece& frame, ItemList& items, Place place) {
    std::stable_sort(walk.blocks.begin(), walk.blocks.end(), [](const auto& a, const auto& b) {
        return a.primary != b.primary ? a.primary < b.primary : a.secondary < b.secondary;
    });
    TagRegistry& registry = context_.registry;
    int number = 0;
    if (isMaster(walk.frameKind) || isHeaderOrFooter(walk.frameKind) || !walk.blocks.empty()) {
        number = registry.nextNumber(TagCounter::Frame);
        const std::string_view tag = tagged("<af " + std::to_string(number) + ">");
        frame.qmxTag = tag;
        const std::optional<std::string> footnote =
            isMaster(walk.frameKind) || place == Place::Cell ? std::nullopt : footnoteValue(frame);
        std::string footnoteArguments;
        if (footnote) {
            footnoteArguments = convertAttributeText(*footnote, context_.characters()) + " " +
                                std::to_string(registry.nextNumber(TagCounter::Footnote)) + ">";
            items.push_back(tagged("<:fn " + footnoteArguments));
            items.push_back(tagged("<fn " + footnoteArguments));
        }
        items.push_back(tag);
        for (const PositionedBlock& block : walk.blocks)
            items.insert(items.end(), block.items.begin(), block.items.end());
        items.push_back(tagged("</af>"));
        if (footnote)
            items.push_back(tagged("</fn>"));
    } else if (frame.sharedContents && declared_.masterFrames.count(frame.name) != 0) {
        number = registry.nextNumber(TagCounter::SharedFrame);
        const std::string_view tag =
            tagged("<:saf \"" + convertAttributeContent(frame.name, context_.characters()) + "\" " +
                   std::to_string(number) + ">");
        frame.qmxTag = tag;
        sharedFrames_[frame.qmxTag] = frame.name;
        items.push_back(tag);
    } else {
        number = registry.nextNumber(TagCounter::Frame);
        const std::string_view tag = tagged("<:iaf " + std::to_string(number) + ">");
        frame.qmxTag = tag;
        items.push_back(tag);
    }
    for (const auto& [id, tag] : walk.effectivityWarnings)
        context_.warn(id, tag.c_str(), number);
    reportCounts(walk, number);
}

void FrameWalker::reportCounts(const Walk& walk, int frameNumber) const {
    for (std::size_t kind = 0; kind < CountKinds; ++kind)
        if (walk.counts[kind] != 0)
            context_.warn(kCountWarnings[kind], walk.counts[kind], frameNumber);
}

const std::string* FrameWalker::namedObjectOf(std::string_view tag) const {
    const auto found = namedObjects_.find(tag);
    return found == namedObjects_.end() ? nullptr : &found->second;
}

const std::string* FrameWalker::sharedFrameOf(std::string_view tag) const {
    const auto found = sharedFrames_.find(tag);
    return found == sharedFrames_.end() ? nullptr : &found->second;
}

} // namespace quillex
