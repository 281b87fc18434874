// Filing translated lines under their keys.
#include "backward/segmentation.h"

#include "conversion/result_code.h"
#include "foundation/ascii_case.h"
#include "qmx/qmx_tags.h"

#include <iterator>

namespace quillex::backward {
namespace {

using qmx::Tag;

// Blocks filed whole under their opening line, up to the line that closes
// them (the tag table's closing tag).
// In the running text of a document or a segment:
constexpr Tag kTextBlocks[] = {Tag::TextString, Tag::ChartLabel, Tag::TextRegion, Tag::Cell};

// In an ancillary section: blocks filed whole, and formats that are segmented
// with their opening line as key.
constexpr Tag kAncillaryBlocks[] = {Tag::TextString, Tag::ChartLabel, Tag::TextRegion,
                                    Tag::AutonumberFormat, Tag::PageNumberFormat};
constexpr Tag kAncillarySegments[] = {Tag::VariableFormat, Tag::PrefixFormat};

// The closing line of the first block of `rules` that `line` opens; null
// when it opens none.
template <std::size_t N>
const std::string_view* closingFor(const std::string& line, const Tag (&rules)[N]) {
    for (const Tag rule : rules)
        if (qmx::begins(line, rule))
            return &qmx::rowOf(qmx::rowOf(rule).closing).text;
    return nullptr;
}

// The running segment of a segmentation: its key and where it starts.
class Segmenter {
  public:
    Segmenter(std::vector<std::string>& lines, std::size_t start, std::string key, SegmentMap& map)
        : lines_(lines), key_(std::move(key)), start_(start), map_(map) {}

    // Files the lines from the segment start up to `end` (not included), if
    // there are any, under the current key. They are behind the reading
    // position and never read again: they are moved.
    void close(std::size_t end) {
        if (start_ < end)
            map_[key_] = {
                std::make_move_iterator(lines_.begin() + static_cast<std::ptrdiff_t>(start_)),
                std::make_move_iterator(lines_.begin() + static_cast<std::ptrdiff_t>(end))};
    }

    // A new key from line `at` on; its text starts after that line.
    void startKey(std::size_t at) {
        close(at);
        key_ = lines_[at];
        start_ = at + 1;
    }
    void startAfter(std::size_t at) { start_ = at + 1; }

    // The last segment ends at the closing line: an empty one is filed as the
    // closing line alone, one line as itself, more lines with the closing
    // line behind them (line conversion drops closing lines).
    void finish(std::size_t closing) {
        std::vector<std::string> last;
        if (start_ >= closing) {
            last.push_back(lines_[closing]);
        } else {
            last.assign(
                std::make_move_iterator(lines_.begin() + static_cast<std::ptrdiff_t>(start_)),
                std::make_move_iterator(lines_.begin() + static_cast<std::ptrdiff_t>(closing)));
            if (last.size() > 1)
                last.push_back(lines_[closing]);
        }
        map_[key_] = std::move(last);
    }

  private:
    std::vector<std::string>& lines_;
    std::string key_;
    std::size_t start_;
    SegmentMap& map_;
};

} // namespace

std::size_t fileBlock(const std::vector<std::string>& lines, std::size_t cursor,
                      std::string_view closingLine, SegmentMap& map) {
    std::size_t closing = cursor + 1;
    while (closing < lines.size() && lines[closing] != closingLine)
        ++closing;
    if (closing >= lines.size())
        throw ConversionFailure(result::UnexpectedEnd);
    map[lines[cursor]] = {lines.begin() + static_cast<std::ptrdiff_t>(cursor),
                          lines.begin() + static_cast<std::ptrdiff_t>(closing) + 1};
    return closing;
}

std::size_t segment(std::vector<std::string>& lines, std::size_t cursor,
                    std::string_view closingLine, std::string key, SegmentMap& map) {
    Segmenter running(lines, cursor, std::move(key), map);
    bool inTable = false;
    for (std::size_t i = cursor;; ++i) {
        if (i >= lines.size())
            throw ConversionFailure(result::UnexpectedEnd);
        const std::string& line = lines[i];
        if (line == closingLine) {
            running.finish(i);
            return i;
        }
        if (qmx::has(line, qmx::OpensFrame)) {
            if (!inTable)
                running.startKey(i);
        } else if (qmx::begins(line, qmx::Tag::Table)) {
            running.startKey(i);
            inTable = true;
        } else if (qmx::begins(line, qmx::Tag::TableEnd)) {
            inTable = false;
            running.startAfter(i);
        } else if (qmx::begins(line, qmx::Tag::FrameEnd)) {
            if (!inTable)
                running.startAfter(i);
        } else if (const std::string_view* closing = closingFor(line, kTextBlocks)) {
            i = fileBlock(lines, i, *closing, map);
        }
    }
}

void fileAncillarySections(std::vector<std::string>& lines, const std::string& outputName,
                           SegmentMap& map) {
    const std::string name = upperCaseAscii(outputName);
    if (lines.empty() || lines.front() != "<file \"" + name + "\">")
        throw ConversionFailure(result::ParserError);
    const std::string closing = "</file \"" + name + "\">";
    for (std::size_t i = 1;; ++i) {
        if (i >= lines.size())
            throw ConversionFailure(result::UnexpectedEnd);
        const std::string& line = lines[i];
        if (line == closing)
            return;
        if (const std::string_view* block = closingFor(line, kAncillaryBlocks))
            i = fileBlock(lines, i, *block, map);
        else if (const std::string_view* format = closingFor(line, kAncillarySegments))
            i = segment(lines, i, *format, line, map);
    }
}

} // namespace quillex::backward
