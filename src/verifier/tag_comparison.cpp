// The comparison of source and translated tags.
#include "verifier/tag_comparison.h"

#include "verifier/report_texts.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace quillex::verifier {
namespace {

bool isAddedWithHash(const Segment& segment) {
    return segment.category == category::AddedRecognised ||
           segment.category == category::AddedUnknown;
}

// How a finding about a tag is reported in each situation: its severity
// and message, or nothing.
struct Finding {
    Severity severity;
    const char* message; // null: not reported
};

// What each category of the tag table says when its tags are deleted or
// added: one row per rating of a listed tag, and a last row for every tag
// the table does not list (the catch-alls and the "<#...>" forms). The
// count lines say "unknown" for a tag that is not listed, formatting
// included.
struct CategoryRule {
    Finding externalDeleted;
    Finding internalDeleted;
    Finding internalAdded;
    const char* externalDeletedCount;
    const char* internalDeletedCount;
    const char* internalAddedCount;
};

constexpr Finding kUnknownExternalDeleted{Severity::Error, text::UnknownExternalDeleted};
constexpr Finding kSilent{Severity::Error, nullptr};

constexpr std::array<CategoryRule, 4> kListedRules{{
    // Formatting
    {kUnknownExternalDeleted, kSilent, kSilent, text::UnknownExternalDeletedCount,
     text::UnknownInternalDeletedCount, text::UnknownInternalAddedCount},
    // Warning
    {{Severity::Warning, text::ExternalDeletedWarning},
     {Severity::Warning, text::InternalDeletedWarning},
     {Severity::Warning, text::InternalAddedWarning},
     text::ExternalDeletedCount,
     text::InternalDeletedCount,
     text::InternalAddedCount},
    // Alert
    {{Severity::Alert, text::ExternalDeletedAlert},
     {Severity::Alert, text::InternalDeletedAlert},
     {Severity::Alert, text::InternalAddedAlert},
     text::ExternalDeletedCount,
     text::InternalDeletedCount,
     text::InternalAddedCount},
    // Error
    {{Severity::Error, text::ExternalDeletedError},
     {Severity::Error, text::InternalDeletedError},
     {Severity::Error, text::InternalAddedError},
     text::ExternalDeletedCount,
     text::InternalDeletedCount,
     text::InternalAddedCount},
}};
constexpr CategoryRule kUnknownRule{kUnknownExternalDeleted,
                                    {Severity::Error, text::UnknownInternalDeleted},
                                    {Severity::Error, text::UnknownInternalAdded},
                                    text::UnknownExternalDeletedCount,
                                    text::UnknownInternalDeletedCount,
                                    text::UnknownInternalAddedCount};

// Rows indexed by the ratings of the tag table.
const CategoryRule& ruleOf(int category) {
    static_assert(kListedRules.size() == static_cast<std::size_t>(qmx::Rating::Error) + 1);
    return category >= 0 && static_cast<std::size_t>(category) < kListedRules.size()
               ? kListedRules[static_cast<std::size_t>(category)]
               : kUnknownRule;
}

// Positions of each tag text in a list of tag texts, ascending, so that the
// nearest later occurrence is found by binary search.
class TagPositions {
  public:
    void add(std::string_view tag, std::size_t position) { positions_[tag].push_back(position); }

    // Distance k (1..reach) from `from` to the nearest later `tag`, or 0.
    std::size_t distanceAhead(std::string_view tag, std::size_t from, std::size_t reach) const {
        const auto it = positions_.find(tag);
        if (it == positions_.end())
            return 0;
        const auto next = std::upper_bound(it->second.begin(), it->second.end(), from);
        if (next == it->second.end() || *next - from > reach)
            return 0;
        return *next - from;
    }

  private:
    std::unordered_map<std::string_view, std::vector<std::size_t>> positions_;
};

// The line ends inside a segment's text (not the one that ends it), and how
// many of them stand between two characters that are not blanks.
struct LineBreaks {
    int all = 0;
    int joiningWords = 0;
};

LineBreaks lineBreaksOf(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    LineBreaks breaks;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('\n', at + 1)) {
        ++breaks.all;
        if (at > 0 && !isBlank(text[at - 1]) && !isBlank(text[at + 1]))
            ++breaks.joiningWords;
    }
    return breaks;
}

class ExternalComparison {
  public:
    ExternalComparison(TaggedFile& source, TaggedFile& translated, VerificationReport& report)
        : source_(source.segments), translated_(translated.segments), report_(report) {
        // The walk passes over tags added in the "<#...>" form. The list is
        // made at its size at once, as it comes when memory is at its peak.
        order_.reserve(static_cast<std::size_t>(
            std::count_if(translated_.begin(), translated_.end(),
                          [](const Segment& segment) { return !isAddedWithHash(segment); })));
        for (std::size_t i = 0; i < translated_.size(); ++i)
            if (!isAddedWithHash(translated_[i]))
                order_.push_back(static_cast<std::uint32_t>(i));
    }

    bool run() {
        const auto sourceCount = static_cast<long>(source_.size());
        const auto translatedCount = static_cast<long>(order_.size());
        long difference = sourceCount - translatedCount;
        if (difference != 0) {
            report_.addLine(formatText(text::ExternalTagCounts, static_cast<int>(sourceCount),
                                       static_cast<int>(translatedCount)));
            report_.addLine(text::ExternalTagCountsNote, true);
            if (difference > 0)
                report_.addLine(formatText(text::AssumingDeleted, static_cast<int>(difference)));
            else
                report_.addLine(formatText(text::AssumingAdded, static_cast<int>(-difference)),
                                true);
        }
        if (difference > 0)
            for (std::size_t i = 0; i < source_.size(); ++i)
                sourcePositions_.add(source_[i].tagText(), i);
        if (difference < 0)
            for (std::size_t j = 0; j < order_.size(); ++j)
                translatedPositions_.add(translated_[order_[j]].tagText(), j);

        const std::size_t pairs = std::min(source_.size(), order_.size());
        int changesInRow = 0;
        for (std::size_t n = 0; n < pairs && s_ < source_.size() && t_ < order_.size(); ++n) {
            const Segment& sourceSegment = source_[s_];
            const Segment& translatedSegment = translated_[order_[t_]];
            if (sourceSegment.tagText() != translatedSegment.tagText()) {
                std::size_t skip = 0;
                if (difference > 0)
                    skip = sourcePositions_.distanceAhead(translatedSegment.tagText(), s_,
                                                          static_cast<std::size_t>(difference));
                else if (difference < 0)
                    skip = translatedPositions_.distanceAhead(
                        sourceSegment.tagText(), t_, static_cast<std::size_t>(-difference));
                if (skip > 0 && difference > 0) {
                    for (std::size_t k = 0; k < skip; ++k)
                        reportDeleted(s_ + k, order_[t_]);
                    s_ += skip;
                    difference -= static_cast<long>(skip);
                } else if (skip > 0) {
                    for (std::size_t k = 0; k < skip; ++k)
                        reportIllegallyAdded(order_[t_ + k], s_);
                    t_ += skip;
                    difference += static_cast<long>(skip);
                } else {
                    reportChanged();
                    ++s_;
                    ++t_;
                    if (++changesInRow > kMaxConsecutiveChanges && difference == 0) {
                        report_.addLine(text::NotFullyCompared);
                        report_.addLine(text::OrderChangedNote);
                        return false;
                    }
                    continue;
                }
            }
            // The two tags agree (after any skip).
            compareLineBreaks(source_[s_], translated_[order_[t_]]);
            ++s_;
            ++t_;
            changesInRow = 0;
        }

        if (s_ >= source_.size() && t_ < order_.size()) {
            report_.addLine(text::AddedAtEnd);
            for (; t_ < order_.size(); ++t_)
                reportIllegallyAdded(order_[t_], source_.size());
        } else if (t_ >= order_.size() && s_ < source_.size()) {
            report_.addLine(text::DeletedAtEnd);
            const std::size_t translatedEnd = translated_.size();
            for (; s_ < source_.size(); ++s_)
                reportDeleted(s_, translatedEnd);
        }
        return true;
    }

  private:
    void addBlock(std::size_t sourceIndex, std::size_t translatedIndex) {
        report_.addComparisonBlock(contextText(source_, sourceIndex),
                                   contextText(translated_, translatedIndex));
    }

    void reportDeleted(std::size_t sourceIndex, std::size_t translatedIndex) {
        Segment& segment = source_[sourceIndex];
        segment.handled = true;
        const Finding finding = ruleOf(segment.category).externalDeleted;
        report_.addFinding(finding.severity, true, finding.message,
                           std::string(segment.tagText()).c_str());
        addBlock(sourceIndex, translatedIndex);
    }

    void reportIllegallyAdded(std::size_t translatedIndex, std::size_t sourceIndex) {
        Segment& segment = translated_[translatedIndex];
        segment.handled = true;
        report_.addFinding(Severity::Error, true, text::ExternalIllegallyAdded,
                           std::string(segment.tagText()).c_str());
        addBlock(sourceIndex, translatedIndex);
    }

    // A translated paragraph broken into more lines than its source (an
    // editor's hard wrap): the merge joins the lines again as they stand, so
    // a break with no blank beside it would join two words.
    void compareLineBreaks(const Segment& sourceSegment, Segment& translatedSegment) {
        const LineBreaks source = lineBreaksOf(sourceSegment.text);
        const LineBreaks translated = lineBreaksOf(translatedSegment.text);
        if (translated.all <= source.all)
            return;
        const std::string tagText(translatedSegment.tagText());
        if (translated.joiningWords > source.joiningWords)
            report_.addFinding(Severity::Error, true, text::LineBrokenJoiningWords,
                               tagText.c_str());
        else
            report_.addFinding(Severity::Warning, true, text::LineBroken, tagText.c_str());
        report_.addSegmentBlock(translatedSegment.text, kTargetFont);
    }

    void reportChanged() {
        Segment& sourceSegment = source_[s_];
        Segment& translatedSegment = translated_[order_[t_]];
        sourceSegment.handled = true;
        translatedSegment.handled = true;
        report_.addFinding(Severity::Alert, true, text::ExternalChanged,
                           std::string(sourceSegment.tagText()).c_str(),
                           std::string(translatedSegment.tagText()).c_str());
        addBlock(s_, order_[t_]);
    }

    std::vector<Segment>& source_;
    std::vector<Segment>& translated_;
    VerificationReport& report_;
    std::vector<std::uint32_t> order_; // translated segments the walk visits
    TagPositions sourcePositions_;
    TagPositions translatedPositions_;
    std::size_t s_ = 0; // position in source_
    std::size_t t_ = 0; // position in order_
};

// ---- Internal tags ---------------------------------------------------------

// The internal tags of a file that take part in the comparison: those of its
// unhandled segments that are not character formatting. A tag is known by its
// position in the file's internal tag list, and its segment by its number
// among the unhandled ones (1, 2, 3, ...). The tags are walked where they lie
// rather than copied into a list of their own, which a large file would feel
// in its memory.
class NumberedFile {
  public:
    explicit NumberedFile(TaggedFile& file)
        : file_(&file), numberOfSegment_(file.segments.size(), 0) {
        for (std::size_t i = 0; i < file.segments.size(); ++i) {
            if (file.segments[i].handled)
                continue;
            segmentOfNumber_.push_back(static_cast<std::uint32_t>(i));
            numberOfSegment_[i] = static_cast<std::uint32_t>(segmentOfNumber_.size());
        }
    }

    // The first tag taking part at or after `position`; end() when none.
    std::size_t next(std::size_t position) const {
        while (position < end() && !takesPart(file_->internalTags[position]))
            ++position;
        return position;
    }
    std::size_t first() const { return next(0); }
    std::size_t end() const { return file_->internalTags.size(); }

    std::size_t numberOf(std::size_t position) const {
        return numberOfSegment_[tagOf(position).segment];
    }
    InternalTag& tagOf(std::size_t position) const { return file_->internalTags[position]; }
    std::string_view textOf(std::size_t position) const { return file_->textOf(tagOf(position)); }

    // The text of the segment numbered `number`; empty when there is none.
    std::string_view segmentText(std::size_t number) const {
        if (number == 0 || number > segmentOfNumber_.size())
            return {};
        return file_->segments[segmentOfNumber_[number - 1]].text;
    }

  private:
    bool takesPart(const InternalTag& tag) const {
        return numberOfSegment_[tag.segment] != 0 && tag.category != category::Formatting;
    }

    TaggedFile* file_;
    std::vector<std::uint32_t> numberOfSegment_; // 0 for a handled segment
    std::vector<std::uint32_t> segmentOfNumber_; // segment index of number n at [n - 1]
};

// The translated tags of one segment, from which the source tags of the
// corresponding segment take, each the earliest one of its text not yet
// taken. Mostly the tags come in the same order in both files, so they are
// taken in order as long as the next one fits; at the first that does not,
// the rest are sorted by text, and by position within a text, and searched
// from then on. The list is reused from segment to segment.
class SegmentTags {
  public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Holds the tags of `tags` taking part from `first` up to `last`.
    void reset(const NumberedFile& tags, std::size_t first, std::size_t last) {
        tags_ = &tags;
        next_ = first;
        last_ = last;
        sorted_.clear();
        searching_ = false;
    }

    // The position of the earliest tag with `text` not yet taken, now taken;
    // kNone when there is none.
    std::size_t take(std::string_view text) {
        if (!searching_) {
            // Every tag before next_ is taken, so the next one is the
            // earliest of its text.
            if (next_ != last_ && tags_->textOf(next_) == text) {
                const std::size_t taken = next_;
                next_ = tags_->next(next_ + 1);
                return taken;
            }
            sortRest();
        }
        return search(text);
    }

  private:
    struct Entry {
        std::string_view text;
        std::size_t position;
        std::size_t taken; // at the first entry of a text: how many of it are taken
    };

    void sortRest() {
        for (std::size_t t = next_; t != last_; t = tags_->next(t + 1))
            sorted_.push_back({tags_->textOf(t), t, 0});
        std::sort(sorted_.begin(), sorted_.end(), [](const Entry& a, const Entry& b) {
            return a.text != b.text ? a.text < b.text : a.position < b.position;
        });
        searching_ = true;
    }

    std::size_t search(std::string_view text) {
        const auto run = std::lower_bound(
            sorted_.begin(), sorted_.end(), text,
            [](const Entry& entry, std::string_view key) { return entry.text < key; });
        if (run == sorted_.end() || run->text != text)
            return kNone;
        const auto next = run + static_cast<std::ptrdiff_t>(run->taken);
        if (next == sorted_.end() || next->text != text)
            return kNone;
        ++run->taken;
        return next->position;
    }

    const NumberedFile* tags_ = nullptr;
    std::size_t next_ = 0; // before it every tag is taken, while not searching
    std::size_t last_ = 0;
    bool searching_ = false;
    std::vector<Entry> sorted_;
};

class InternalComparison {
  public:
    InternalComparison(TaggedFile& source, TaggedFile& translated, VerificationReport& report)
        : translatedFile_(translated), report_(report), source_(source), translated_(translated) {}

    void run() {
        const bool sourceHasTags = source_.first() != source_.end();
        const bool translatedHasTags = translated_.first() != translated_.end();
        if (sourceHasTags && !translatedHasTags) {
            report_.addLine(text::AllInternalDeleted);
            for (std::size_t s = source_.first(); s != source_.end(); s = source_.next(s + 1))
                reportDeleted(s);
        } else if (!sourceHasTags && translatedHasTags) {
            report_.addLine(text::AllInternalAdded);
            for (std::size_t t = translated_.first(); t != translated_.end();
                 t = translated_.next(t + 1))
                reportAdded(t);
        } else {
            merge();
        }
        if (lastNumber_ != 0)
            printPair(lastNumber_);
        reportTagsOfAddedExternalTags();
    }

  private:
    void merge() {
        std::size_t next = translated_.first(); // first translated tag not yet passed
        std::size_t bucketNumber = 0;
        SegmentTags bucket;
        for (std::size_t s = source_.first(); s != source_.end(); s = source_.next(s + 1)) {
            const std::size_t number = source_.numberOf(s);
            while (next != translated_.end() && translated_.numberOf(next) < number) {
                if (!translated_.tagOf(next).matched)
                    reportAdded(next);
                next = translated_.next(next + 1);
            }
            if (bucketNumber != number) {
                std::size_t last = next;
                while (last != translated_.end() && translated_.numberOf(last) == number)
                    last = translated_.next(last + 1);
                bucket.reset(translated_, next, last);
                bucketNumber = number;
            }
            const std::size_t counterpart = bucket.take(source_.textOf(s));
            if (counterpart != SegmentTags::kNone) {
                translated_.tagOf(counterpart).matched = true;
                source_.tagOf(s).matched = true;
            } else {
                reportDeleted(s);
            }
        }
        for (; next != translated_.end(); next = translated_.next(next + 1))
            if (!translated_.tagOf(next).matched)
                reportAdded(next);
    }

    // Before the first finding of another segment, the previous pair of
    // segments is printed.
    void noteFindingIn(std::size_t number) {
        if (lastNumber_ != 0 && lastNumber_ != number)
            printPair(lastNumber_);
        lastNumber_ = number;
    }

    void printPair(std::size_t number) {
        report_.addComparisonBlock(source_.segmentText(number), translated_.segmentText(number));
    }

    // `position` is that of a source tag.
    void reportDeleted(std::size_t position) {
        noteFindingIn(source_.numberOf(position));
        reportDeletedTag(source_.tagOf(position), source_.textOf(position));
    }

    // `position` is that of a translated tag.
    void reportAdded(std::size_t position) {
        noteFindingIn(translated_.numberOf(position));
        reportAddedTag(translated_.tagOf(position), translated_.textOf(position));
    }

    void reportDeletedTag(InternalTag& tag, std::string_view tagText) {
        tag.reported = true;
        report(ruleOf(tag.category).internalDeleted, tagText);
    }

    // Returns true when the tag produced a finding.
    bool reportAddedTag(InternalTag& tag, std::string_view tagText) {
        tag.reported = true;
        return report(ruleOf(tag.category).internalAdded, tagText);
    }

    bool report(const Finding& finding, std::string_view tagText) {
        if (finding.message == nullptr)
            return false;
        report_.addFinding(finding.severity, true, finding.message, std::string(tagText).c_str());
        return true;
    }

    void reportTagsOfAddedExternalTags() {
        const std::vector<InternalTag>& tags = translatedFile_.internalTags;
        std::size_t t = 0;
        while (t < tags.size()) {
            const std::size_t index = tags[t].segment;
            const Segment& segment = translatedFile_.segments[index];
            bool anyFinding = false;
            for (; t < tags.size() && tags[t].segment == index; ++t)
                if (isAddedWithHash(segment))
                    anyFinding = reportAddedTag(translatedFile_.internalTags[t],
                                                translatedFile_.textOf(tags[t])) ||
                                 anyFinding;
            if (anyFinding)
                report_.addSegmentBlock(segment.text, kTargetFont);
        }
    }

    TaggedFile& translatedFile_;
    VerificationReport& report_;
    NumberedFile source_;
    NumberedFile translated_;
    std::size_t lastNumber_ = 0;
};

} // namespace

void reportExternalTagCounts(const TagInventory& inventory, VerificationReport& report) {
    const auto listed = inventory.entriesInOrder(
        [](const InventoryEntry& entry) { return entry.external && entry.count != 0; });
    for (const auto& [tagText, entry] : listed) {
        const std::string tag(tagText);
        if (entry->count > 0)
            report.addLine(
                formatText(ruleOf(entry->category).externalDeletedCount, entry->count, tag.c_str()),
                true);
        else
            report.addLine(formatText(text::ExternalAddedCount, -entry->count, tag.c_str()), true);
    }
}

void reportAddedExternalTags(const TaggedFile& translated, VerificationReport& report) {
    for (const Segment& segment : translated.segments) {
        if (!isAddedWithHash(segment))
            continue;
        report.addFinding(Severity::Warning, true, text::ExternalTagAdded,
                          std::string(segment.tagText()).c_str());
        report.addSegmentBlock(segment.text, kTargetFont);
    }
}

bool compareExternalTags(TaggedFile& source, TaggedFile& translated, VerificationReport& report) {
    return ExternalComparison(source, translated, report).run();
}

void reportInternalTagCounts(const TagInventory& inventory, VerificationReport& report) {
    const auto listed = inventory.entriesInOrder([](const InventoryEntry& entry) {
        return !entry.external && entry.count != 0 && entry.category != category::Formatting;
    });
    for (const auto& [tagText, entry] : listed) {
        const std::string tag(tagText);
        const CategoryRule& rule = ruleOf(entry->category);
        if (entry->count > 0)
            report.addLine(formatText(rule.internalDeletedCount, entry->count, tag.c_str()), true);
        else
            report.addLine(formatText(rule.internalAddedCount, -entry->count, tag.c_str()), true);
    }
}

void compareInternalTags(TaggedFile& source, TaggedFile& translated, VerificationReport& report) {
    InternalComparison(source, translated, report).run();
}

} // namespace quillex::verifier
