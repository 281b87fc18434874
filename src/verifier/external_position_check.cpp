// Positioning of external tags: what may follow each tag in its segment, as
// its placement rule says, and the length limits of the texts that may.
#include "verifier/file_checks.h"

#include "verifier/placement_rules.h"
#include "verifier/report_texts.h"
#include "verifier/tag_table.h"

#include <algorithm>
#include <array>

namespace quillex::verifier {
namespace {

// Length limits, counted as limitLength counts.
constexpr int kMaxVariableText = 20;
constexpr int kMaxIndexText = 250;

// Building blocks of streams whose text is limited, by the beginning of their
// tag. Interleaf's limits: page-number prefixes (<bb "Prefix1">,
// <bb "Prefix2">) hold 9 characters, autonumber level texts
// (<bb "Level 1 Prefix">) 15. Format blocks are looked for first, since
// <bb "Prefix Format"> begins like a page-number prefix.
struct BlockLimit {
    std::string_view tagStart;
    int limit;
};

constexpr BlockLimit kBlockLimits[] = {
    {"<bb \"Prefix", 9},
    {"<bb \"Level", 15},
};

std::string_view withoutTrailingLineEnds(std::string_view text) {
    while (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    return text;
}

class PositionCheck {
  public:
    PositionCheck(const TaggedFile& file, VerificationReport& report)
        : file_(file), report_(report) {}

    void visit(const Segment& segment) {
        const std::string_view trimmed = withoutTrailingLineEnds(segment.text);
        const std::string_view after = trimmed.starts_with(segment.tagText())
                                           ? trimmed.substr(segment.tagText().size())
                                           : trimmed;
        rememberNamedTag(segment);
        switch (placementOf(segment.tagNumber).after) {
        case TextAfter::Nothing:
            requireNothing(segment, after);
            break;
        case TextAfter::Anything:
            break;
        case TextAfter::VariableText:
            checkVariableText(segment, after);
            break;
        case TextAfter::IndexText:
            checkIndexText(after);
            break;
        case TextAfter::BlockText:
            checkBlockText(segment, after);
            break;
        case TextAfter::NothingAtEnd:
            if (!after.empty())
                addFinding(segment, text::TextAfterQmxEnd);
            break;
        }
    }

  private:
    // The limit findings name the index marker or the stream that the text
    // belongs to: the last one before it.
    void rememberNamedTag(const Segment& segment) {
        if (segment.tagNumber == tagno::IndexMarker)
            lastIndexMarker_ = segment.tagText();
        else if (segment.tagNumber == tagno::AutonumberFormat ||
                 segment.tagNumber == tagno::PageNumberFormat)
            lastStreamFormat_ = segment.tagText();
    }

    void requireNothing(const Segment& segment, std::string_view after) {
        if (!after.empty())
            addFinding(segment, text::TextAfterTag, tagOf(segment).c_str());
    }

    void checkVariableText(const Segment& segment, std::string_view after) {
        const int length = limitLength(after);
        if (length > kMaxVariableText)
            addFinding(segment, text::TextTooLong, tagOf(segment).c_str(),
                       length - kMaxVariableText);
    }

    // The only limit finding without the segment's text after it.
    void checkIndexText(std::string_view after) {
        const int length = limitLength(after);
        if (length > kMaxIndexText)
            report_.addFinding(Severity::Error, true, text::IndexTextTooLong,
                               std::string(lastIndexMarker_).c_str(), length - kMaxIndexText);
    }

    // Format blocks take any text; stream blocks a limited one; any other
    // block stands alone.
    void checkBlockText(const Segment& segment, std::string_view after) {
        const std::string_view tag = segment.tagText();
        if (formatBlockOf(tag) != nullptr)
            return;
        for (const BlockLimit& block : kBlockLimits) {
            if (!tag.starts_with(block.tagStart))
                continue;
            const int length = limitLength(after);
            if (length > block.limit)
                addFinding(segment, text::BlockTextTooLong, tagOf(segment).c_str(),
                           std::string(lastStreamFormat_).c_str(), length - block.limit);
            return;
        }
        requireNothing(segment, after);
    }

    // Messages need the tag as a C string; it is made only for a finding.
    static std::string tagOf(const Segment& segment) { return std::string(segment.tagText()); }

    template <typename... Args>
    void addFinding(const Segment& segment, const char* format, Args... args) {
        report_.addFinding(Severity::Error, true, format, args...);
        report_.addSegmentBlock(segment.text, file_.font);
    }

    const TaggedFile& file_;
    VerificationReport& report_;
    std::string_view lastIndexMarker_;
    std::string_view lastStreamFormat_;
};

} // namespace

int limitLength(std::string_view text) {
    int length = 0;
    int depth = 0;
    for (char c : text) {
        if (c == '<') {
            if (depth++ == 0)
                ++length;
        } else if (c == '>' && depth > 0) {
            --depth;
        } else if (depth == 0 && c != '\n') {
            ++length;
        }
    }
    return length;
}

std::optional<int> textLengthLimit(std::string_view tag) {
    constexpr std::array<int, 4> kIndexParts = {tagno::IndexEntry, tagno::IndexLevel,
                                                tagno::SortString, tagno::SeeAlso};
    const int number = classifyTag(tag).number;
    if (number == tagno::CrossRefVariable)
        return kMaxVariableText;
    if (std::find(kIndexParts.begin(), kIndexParts.end(), number) != kIndexParts.end())
        return kMaxIndexText;
    if (formatBlockOf(tag) != nullptr)
        return std::nullopt;
    for (const BlockLimit& block : kBlockLimits)
        if (tag.starts_with(block.tagStart))
            return block.limit;
    return std::nullopt;
}

void checkExternalTagPositions(const TaggedFile& file, VerificationReport& report) {
    // What follows a catalog's tags are document paths, not text.
    if (file.catalog)
        return;
    PositionCheck check(file, report);
    for (const Segment& segment : file.segments)
        check.visit(segment);
}

} // namespace quillex::verifier
