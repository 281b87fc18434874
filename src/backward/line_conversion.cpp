// Converting translated lines back into Interleaf markup.
#include "backward/line_conversion.h"

#include "backward/index_marker_rewriting.h"
#include "backward/interleaf_characters.h"
#include "backward/text_conversion.h"
#include "backward/xref_rewriting.h"
#include "conversion/result_code.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace quillex::backward {
namespace {

using qmx::Tag;

using qmx::kNoChangeEnd;
using qmx::kNoChangeStart;

// A tag whose replacement may stand for several Interleaf lines, internal
// or external; the hidden and read-only ones are framed as "no change" so
// that the declaration rewriting leaves them alone.
bool isExpanded(const qmx::TagRow& row) {
    return row.backward == qmx::Backward::Expanded ||
           row.backward == qmx::Backward::ExpandedUnchanged;
}

class LineConverter {
  public:
    LineConverter(std::vector<std::string>& lines, BackwardContext& context, SegmentMap& segments)
        : in_(lines), context_(context), segments_(segments) {}

    void run() {
        out_.reserve(in_.size());
        for (position_ = 0; position_ < in_.size(); ++position_)
            if (!convertLine())
                break;
        placePageMark();
        in_ = std::move(out_);
    }

  private:
    // Converts the line at the position; false when the rest of the list has
    // been taken away (an anchored frame).
    bool convertLine() {
        std::string& line = in_[position_];
        const qmx::TagRow* row = qmx::classify(line);
        if (row == nullptr) {
            append(convertText(line, context_, false));
            return true;
        }
        if (qmx::isInternal(line))
            return convertInternal(line, *row);
        return convertExternal(line, *row);
    }

    bool convertInternal(std::string& line, const qmx::TagRow& row) {
        if (row.tag == Tag::SmallCaps || row.tag == Tag::WesternFont)
            context_.usesQmxClasses = true;
        if (isExpanded(row)) {
            expand(line, row);
        } else if (isCharacterCodeLine(line)) {
            out_.push_back(convertCode(line));
        } else if (row.tag == Tag::InlineAnchoredFrame || row.tag == Tag::InlineSharedFrame) {
            fileRestUnder(line);
            return false;
        } else if (row.tag == Tag::WesternFont || row.tag == Tag::WesternFontEnd) {
            out_.emplace_back(row.tag == Tag::WesternFont
                                  ? "<\"QMXWesternFont\",Subcomponent = yes>"
                                  : "<End Sub>");
            context_.japaneseTarget = !context_.japaneseTarget;
        } else if (const std::string_view* value = context_.replacementOf(line)) {
            out_.emplace_back(*value);
        } else {
            throw ConversionFailure(result::ParserError);
        }
        return true;
    }

    bool convertExternal(std::string& line, const qmx::TagRow& row) {
        if (isExpanded(row)) {
            expand(line, row);
            if ((row.traits & qmx::Paragraph) != 0)
                placePageMark();
        } else if (row.tag == Tag::Frame) {
            segmentRestUnder(line);
            return false;
        } else if (row.tag == Tag::IndexMarker) {
            convertBlock(qmx::rowOf(row.closing).text, convertIndexMarker);
        } else if (row.tag == Tag::CrossRefVariable) {
            convertBlock(qmx::rowOf(row.closing).text, convertCrossReferenceVariable);
            placePageMark();
        } else if (row.tag == Tag::Page) {
            // The page break mark the page started at, where the source had
            // one; a page the conversion made up stands for nothing. The mark
            // goes inside the next paragraph (also a hidden, shared, read-only
            // or cross-reference component), where the forward conversion
            // finds the page starting with that paragraph.
            if (const std::string_view* value = context_.replacementOf(line);
                value && !value->empty())
                pendingPageMarks_.emplace_back(*value);
        } else if (row.backward == qmx::Backward::Dropped) {
            // structure the skeleton keeps
        } else if (const std::string_view* value = context_.replacementOf(line)) {
            out_.emplace_back(*value);
        } else {
            out_.push_back(std::move(line));
        }
        return true;
    }

    // A tag that stands for whole Interleaf lines: its replacement expanded,
    // framed as "no change" for hidden and read-only text. A tag the skeleton
    // has no replacement for (edited in the translation) is refused as a
    // parser error: written as it is, it would leave a document that no
    // longer parses, reported as converted.
    void expand(const std::string& line, const qmx::TagRow& row) {
        const std::string_view* value = context_.replacementOf(line);
        if (value == nullptr)
            throw ConversionFailure(result::ParserError);
        const bool noChange = row.backward == qmx::Backward::ExpandedUnchanged;
        if (noChange)
            out_.emplace_back(kNoChangeStart);
        append(expandReplacement(*value));
        if (noChange)
            out_.emplace_back(kNoChangeEnd);
    }

    // A frame without text of its own ends the lines of this piece: what
    // follows it belongs to the piece after the frame, filed under its tag.
    void fileRestUnder(const std::string& key) {
        if (position_ + 1 < in_.size())
            segments_[key] = {in_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, in_.end()};
    }

    // An anchored frame inside the lines: what follows it (its block, then the
    // text after it) is segmented with the frame's tag as key.
    void segmentRestUnder(const std::string& key) {
        std::vector<std::string> rest(in_.begin() + static_cast<std::ptrdiff_t>(position_) + 1,
                                      in_.end());
        rest.emplace_back("</dummy>");
        segment(rest, 0, "</dummy>", key, segments_);
    }

    // Replaces the block from the position to its closing line by the
    // Interleaf lines `convert` makes of it (already markup: they are not
    // converted again), and moves the position to the closing line.
    template <typename Convert> void convertBlock(std::string_view closingLine, Convert convert) {
        const std::span<const std::string> rest(in_.data() + position_, in_.size() - position_);
        const std::size_t length = blockLength(rest, closingLine);
        append(convert(rest.first(length), context_));
        position_ += length - 1;
    }

    void placePageMark() {
        for (std::string& mark : pendingPageMarks_)
            out_.push_back(std::move(mark));
        pendingPageMarks_.clear();
    }

    void append(std::vector<std::string> lines) {
        for (std::string& line : lines)
            out_.push_back(std::move(line));
    }

    std::vector<std::string>& in_;
    BackwardContext& context_;
    SegmentMap& segments_;
    std::vector<std::string> out_;
    std::size_t position_ = 0;
    // Marks of the pages that start with the next paragraph (an empty page
    // starts there too).
    std::vector<std::string> pendingPageMarks_;
};

} // namespace

void convertSegment(std::vector<std::string>& lines, BackwardContext& context,
                    SegmentMap& segments) {
    LineConverter(lines, context, segments).run();
}

} // namespace quillex::backward
