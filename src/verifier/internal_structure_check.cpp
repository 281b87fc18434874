// Structure of internal tags: the text of some external tags may hold only
// some internal tags, by the rules below; other segments hold any.
#include "verifier/file_checks.h"

#include "verifier/placement_rules.h"
#include "verifier/report_texts.h"

namespace quillex::verifier {
namespace {

// The internal tags a segment may hold.
enum class Holds : std::uint8_t {
    Characters,          // special characters and character codes
    CharactersAndFields, // those and fields (<:bb "...">)
    AnchoredFrames,      // inline anchored frames only
    ByBlockName,         // a format block its own tag, any other block characters
};

struct HeldTagsRule {
    int segmentTag; // tag number of the segment's external tag
    Holds holds;
    const char* finding; // about an internal tag it may not hold
};

constexpr HeldTagsRule kHeldTagsRules[] = {
    // <xrv "...">: the value of a cross-reference variable.
    {tagno::CrossRefVariable, Holds::Characters, text::NotAfterCrossRefVariable},
    // <ts>, <tl>: a text string may also show fields, a chart label not.
    {tagno::TextString, Holds::CharactersAndFields, text::NotInTextString},
    {tagno::ChartLabel, Holds::Characters, text::NotInChartLabel},
    // <ctart>: the frames anchored in a cell.
    {tagno::CellFrame, Holds::AnchoredFrames, text::NotInCellFrame},
    // <ie>, <il>, <ss>, <sa>: the parts of an index marker.
    {tagno::IndexEntry, Holds::Characters, text::NotInIndexEntry},
    {tagno::IndexLevel, Holds::Characters, text::NotInIndexLevel},
    {tagno::SortString, Holds::Characters, text::NotInSortString},
    {tagno::SeeAlso, Holds::Characters, text::NotInSeeAlso},
    // <bb "...">: building blocks, the finding naming the block.
    {tagno::Block, Holds::ByBlockName, text::NotInBuildingBlock},
};

const HeldTagsRule* heldTagsRuleOf(int segmentTag) {
    for (const HeldTagsRule& rule : kHeldTagsRules)
        if (rule.segmentTag == segmentTag)
            return &rule;
    return nullptr;
}

bool isCharacterTag(int number) {
    return number == tagno::SpecialCharacter || number == tagno::CharacterCode;
}

// Whether a segment with tag `segmentTag` under `rule` may hold internal tag
// number `number`.
bool mayHold(const HeldTagsRule& rule, std::string_view segmentTag, int number) {
    switch (rule.holds) {
    case Holds::Characters:
        return isCharacterTag(number);
    case Holds::CharactersAndFields:
        return isCharacterTag(number) || number == tagno::Field;
    case Holds::AnchoredFrames:
        return number == tagno::InlineAnchoredFrame;
    case Holds::ByBlockName:
        if (const FormatBlock* block = formatBlockOf(segmentTag))
            return number == block->holds;
        return isCharacterTag(number);
    }
    return true;
}

// Reports the internal tags [first, last) of one segment that it may not hold.
void checkSegmentRun(const TaggedFile& file, std::size_t first, std::size_t last,
                     VerificationReport& report) {
    const std::size_t index = file.internalTags[first].segment;
    const Segment& segment = file.segments[index];
    const HeldTagsRule* rule = heldTagsRuleOf(segment.tagNumber);
    if (rule == nullptr)
        return;
    const VerificationReport::Mark mark = report.mark();
    for (std::size_t t = first; t < last; ++t) {
        const InternalTag& tag = file.internalTags[t];
        if (mayHold(*rule, segment.tagText(), tag.tagNumber))
            continue;
        const std::string tagText(file.textOf(tag));
        if (rule->holds == Holds::ByBlockName)
            report.addFinding(Severity::Error, true, rule->finding, tagText.c_str(),
                              std::string(segment.tagText()).c_str());
        else
            report.addFinding(Severity::Error, true, rule->finding, tagText.c_str());
    }
    if (report.hasFindingsSince(mark))
        report.addContextBlock(contextText(file.segments, index), file.font);
}

} // namespace

void checkInternalTagStructure(const TaggedFile& file, VerificationReport& report) {
    forEachSegmentRun(file, [&](std::size_t first, std::size_t last) {
        checkSegmentRun(file, first, last, report);
    });
}

} // namespace quillex::verifier
