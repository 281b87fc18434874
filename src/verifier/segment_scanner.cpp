// The segment cutter.
#include "verifier/segment_scanner.h"

#include <string_view>

namespace quillex::verifier {
namespace {

class SegmentCutter {
  public:
    SegmentCutter() { buffer_.reserve(32768); }

    void feed(char c) {
        // "<" followed by anything but ":" opens an external tag, which ends
        // the segment in hand. The very first tag of the file ends nothing.
        if (previous_ == '<' && c != ':' && tagSeen_) {
            buffer_.pop_back();
            endSegment();
            buffer_.assign(1, '<');
            depth_ = 1;
        }
        if (previous_ == '<')
            tagSeen_ = true;
        buffer_ += c;
        if (c == '<') {
            ++depth_;
        } else if (c == '>') {
            if (--depth_ == 0 && pendingTag_.empty())
                pendingTag_ = buffer_;
        }
        previous_ = c;
    }

    // The same as feeding each character of `text` in turn: a stretch
    // without "<" or ">" that does not follow a "<" only extends the buffer.
    void feedText(std::string_view text) {
        std::size_t i = 0;
        while (i < text.size()) {
            if (previous_ != '<') {
                std::size_t end = i;
                while (end < text.size() && text[end] != '<' && text[end] != '>')
                    ++end;
                if (end > i) {
                    buffer_.append(text, i, end - i);
                    previous_ = text[end - 1];
                    i = end;
                    continue;
                }
            }
            feed(text[i++]);
        }
    }

    std::vector<Segment> finish() {
        if (!pendingTag_.empty() || segments_.empty())
            endSegment();
        else
            segments_.back().text += buffer_;
        return std::move(segments_);
    }

  private:
    void endSegment() {
        Segment segment;
        segment.tagText = std::move(pendingTag_);
        segment.text = std::move(buffer_);
        segments_.push_back(std::move(segment));
        pendingTag_.clear();
        buffer_.clear();
    }

    std::vector<Segment> segments_;
    std::string buffer_;
    std::string pendingTag_;
    int depth_ = 0;
    char previous_ = '\0';
    bool tagSeen_ = false;
};

} // namespace

std::vector<Segment> cutIntoSegments(const std::vector<std::string>& lines) {
    SegmentCutter cutter;
    bool any = false;
    for (const std::string& line : lines) {
        cutter.feedText(line);
        cutter.feed('\n');
        any = true;
    }
    if (!any)
        return {};
    return cutter.finish();
}

} // namespace quillex::verifier
