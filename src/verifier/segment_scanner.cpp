// The segment cutter.
#include "verifier/segment_scanner.h"

#include <algorithm>
#include <limits>
#include <new>

namespace quillex::verifier {
namespace {

// Walks the text once, noting where segments and their tag texts end; the
// segments are slices of the text, one after another.
class SegmentCutter {
  public:
    // `openings` is the number of "<" in the text. Every segment but the
    // first begins at one, so it bounds the list; the room left unused is
    // never written, so it takes hardly any resident memory.
    SegmentCutter(std::string_view text, std::size_t openings) : text_(text) {
        segments_.reserve(openings + 1);
    }

    std::vector<Segment> run() {
        // Only brackets change anything: other characters matter only as the
        // one after a "<", which afterOpeningBracket looks at.
        forEachBracket(text_, [this](std::size_t i) {
            if (text_[i] == '>') {
                closeBracket(i + 1);
                noteBracket(-1);
            } else {
                ++depth_;
                if (i + 1 < text_.size())
                    afterOpeningBracket(i + 1);
                // After a cut this "<" is the new segment's first bracket.
                noteBracket(1);
            }
        });
        return finish();
    }

  private:
    // `end` is the position just after the ">".
    void closeBracket(std::size_t end) {
        // The first ">" that brings the depth back to 0 ends the segment's
        // tag text. A stray ">" drives the depth below 0, as it always has.
        if (--depth_ == 0 && tagEnd_ == 0)
            tagEnd_ = end;
    }

    // `next` is the position of the character after a "<". Unless it is
    // ":", the "<" opens an external tag, which ends the segment in hand;
    // the file's very first tag ends nothing.
    void afterOpeningBracket(std::size_t next) {
        if (text_[next] != ':' && tagSeen_) {
            endSegment(next - 1);
            depth_ = 1;
        }
        tagSeen_ = true;
    }

    // Follows the bracket depth of the segment in hand from its start.
    void noteBracket(int step) {
        balanceDepth_ += step;
        lowest_ = std::min(lowest_, balanceDepth_);
        highest_ = std::max(highest_, balanceDepth_);
    }

    // The balance as the syntax check judges it: unequal counts first, then
    // whichever fault comes first, which only a scan can tell when both
    // occur.
    BracketBalance balance() const {
        if (balanceDepth_ != 0)
            return BracketBalance::UnequalCounts;
        const bool belowZero = lowest_ < 0;
        const bool tooDeep = highest_ > kMaxBracketDepth;
        if (belowZero && tooDeep)
            return BracketBalance::Unknown;
        if (belowZero)
            return BracketBalance::BelowZero;
        return tooDeep ? BracketBalance::TooDeep : BracketBalance::Sound;
    }

    void endSegment(std::size_t end) {
        Segment segment;
        segment.text = text_.substr(start_, end - start_);
        if (tagEnd_ != 0)
            segment.tagLength = static_cast<std::uint32_t>(tagEnd_ - start_);
        segment.brackets = balance();
        segments_.push_back(segment);
        start_ = end;
        tagEnd_ = 0;
        balanceDepth_ = lowest_ = highest_ = 0;
    }

    // What follows the last external tag belongs to its segment; text after
    // a tag left open at the end joins the segment before.
    std::vector<Segment> finish() {
        if (tagEnd_ != 0 || segments_.empty())
            endSegment(text_.size());
        else {
            Segment& last = segments_.back();
            last.text = text_.substr(static_cast<std::size_t>(last.text.data() - text_.data()));
            last.brackets = BracketBalance::Unknown;
        }
        return std::move(segments_);
    }

    std::string_view text_;
    std::vector<Segment> segments_;
    std::size_t start_ = 0;  // where the segment in hand begins
    std::size_t tagEnd_ = 0; // where its tag text ends; 0 while it has none
    long depth_ = 0;         // wide enough for any count of brackets in a text
    bool tagSeen_ = false;
    // The bracket depth from the start of the segment in hand, and its
    // lowest and highest values so far.
    long balanceDepth_ = 0;
    long lowest_ = 0;
    long highest_ = 0;
};

// The number of "<" in `text`. Counted in blocks of a fixed size, which the
// compiler turns into vector instructions; a file is counted in a moment.
std::size_t countOpenings(std::string_view text) {
    constexpr std::size_t kBlock = 64;
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + kBlock <= text.size(); i += kBlock) {
        unsigned char inBlock = 0;
        for (std::size_t k = 0; k < kBlock; ++k)
            inBlock += static_cast<unsigned char>(text[i + k] == '<');
        count += inBlock;
    }
    for (; i < text.size(); ++i)
        count += static_cast<std::size_t>(text[i] == '<');
    return count;
}

} // namespace

std::string joinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 1;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

void loadSegments(TaggedFile& file, std::string text) {
    // Segments and internal tags keep positions in 32 bits. A text of 4 GiB
    // or more is refused as too large to hold, which it would be anyway for
    // the memory its checks need.
    if (text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    file.text = std::make_unique<const std::string>(std::move(text));
    const std::string_view whole = *file.text;
    const std::size_t openings = countOpenings(whole);
    file.segments = whole.empty() ? std::vector<Segment>() : SegmentCutter(whole, openings).run();
    // Each internal tag begins with a "<" of its own: room for them all is
    // made at once, as for the segments.
    file.internalTags.clear();
    file.internalTags.reserve(openings);
}

} // namespace quillex::verifier
