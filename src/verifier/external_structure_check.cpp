// Structure of external tags: a context stack follows the pairs of opening
// and closing tags through the file, and every tag is checked against the
// contexts it may stand in, as its placement rule says.
#include "verifier/file_checks.h"

#include "verifier/placement_rules.h"
#include "verifier/report_texts.h"

#include <array>

namespace quillex::verifier {
namespace {

class StructureCheck {
  public:
    StructureCheck(const TaggedFile& file, VerificationReport& report)
        : file_(file), report_(report) {}

    void run() {
        for (index_ = 0; index_ < file_.segments.size(); ++index_)
            visit(file_.segments[index_]);
        if (!ended_) {
            index_ = file_.segments.empty() ? 0 : file_.segments.size() - 1;
            report_.addFinding(Severity::Error, true, text::QmxEndMissing);
            addContextBlock();
        }
    }

  private:
    void visit(const Segment& segment) {
        if (ended_) {
            report_.addFinding(Severity::Error, true, text::TagAfterQmxEnd);
            addContextBlock();
            return;
        }
        const PlacementRule& rule = placementOf(segment.tagNumber);
        const Context pair = rule.effect.pair;
        if (file_.catalog)
            leaveCatalogItem(rule);
        switch (rule.effect.action) {
        case Action::Stays:
            require(segment, rule.where);
            break;
        case Action::Opens:
            open(segment, rule.where, pair);
            break;
        case Action::Closes:
            if (require(segment, rule.where))
                stack_.pop_back();
            break;
        case Action::ClosesOrUnstarted:
            if (currentIsIn(rule.where))
                stack_.pop_back();
            else
                addStructureFinding(text::WithoutStartingTag,
                                    std::string(segment.tagText()).c_str());
            break;
        case Action::StartsSection:
            startSection(segment, rule.where, pair);
            break;
        case Action::EndsFile:
            closeOpenPairs(in(pair));
            stack_.clear();
            ended_ = true;
            break;
        case Action::OpensIndexMarker:
            open(segment, rule.where, pair);
            indexMarker_ = segment.tagText();
            entryExpected_ = true;
            break;
        case Action::IndexEntry:
            if (require(segment, rule.where))
                entryExpected_ = false;
            break;
        case Action::IndexPart:
            if (require(segment, rule.where) && entryExpected_)
                addIndexEntryFinding();
            break;
        }
    }

    Context current() const { return stack_.empty() ? Context::FileStart : stack_.back(); }

    bool currentIsIn(Contexts contexts) const { return (contexts & in(current())) != 0; }

    // Checks that the current context is one of `allowed`; reports it if not.
    bool require(const Segment& segment, Contexts allowed) {
        enterCatalogItems(allowed);
        if (currentIsIn(allowed))
            return true;
        addStructureFinding(text::NotAllowedInContext, std::string(segment.tagText()).c_str(),
                            namesOf(current()).context);
        return false;
    }

    // A catalog's items stand where those of a file section do: after its
    // header lines, the first tag that may stand only there opens a section.
    void enterCatalogItems(Contexts allowed) {
        if (file_.catalog && current() == Context::Qmx && (allowed & in(Context::Qmx)) == 0 &&
            (allowed & in(Context::File)) != 0)
            stack_.push_back(Context::File);
    }

    // A catalog item holds only paths: the catalog closes some items (an
    // autonumber stream) and not others (variable and page number formats),
    // so an item still open ends where a tag that does not close it begins.
    // The section the items stand in ends with the file.
    void leaveCatalogItem(const PlacementRule& rule) {
        const bool closesCurrent = (rule.effect.action == Action::Closes ||
                                    rule.effect.action == Action::ClosesOrUnstarted) &&
                                   rule.effect.pair == current();
        if (!closesCurrent && !stack_.empty() && stack_.size() > 2 && stack_[1] == Context::File)
            stack_.pop_back();
        if (rule.effect.action == Action::EndsFile && current() == Context::File)
            stack_.pop_back();
    }

    // An opening tag starts its context even where it may not stand, so that
    // its closing tag still finds it.
    void open(const Segment& segment, Contexts allowed, Context pair) {
        require(segment, allowed);
        stack_.push_back(pair);
    }

    // <page "...">, <file "...">: the pairs left open before are reported,
    // unless an error was already reported on the page before (they are most
    // likely its consequence: a deleted </ct> leaves the row and the table
    // open), then the new context starts with reporting on.
    void startSection(const Segment& segment, Contexts keep, Context pair) {
        closeOpenPairs(keep);
        open(segment, keep, pair);
        reporting_ = true;
        position_ = std::string(namesOf(pair).position).append(segment.tagText());
    }

    // Reports the pairs still open above the innermost context of `keep` and
    // drops them.
    void closeOpenPairs(Contexts keep) {
        std::array<int, kPairKinds> open{};
        bool any = false;
        while (!stack_.empty() && !currentIsIn(keep)) {
            ++open[static_cast<std::size_t>(stack_.back())];
            stack_.pop_back();
            any = true;
        }
        if (!any)
            return;
        for (std::size_t kind = 0; kind < kPairKinds; ++kind) {
            const char* opener = namesOf(static_cast<Context>(kind)).opener;
            if (open[kind] == 1)
                addStructureFinding(text::WithoutEndingTag, opener);
            else if (open[kind] > 1)
                addStructureFinding(text::OccurrencesWithoutEndingTags, open[kind], opener);
        }
    }

    // The message with the position in place of its last "%s"; without a
    // position the blank before it goes too.
    template <typename... Args> void addStructureFinding(const char* format, Args... args) {
        if (!reporting_)
            return;
        reporting_ = false;
        const int number = report_.countFinding(Severity::Error);
        std::string message = formatText(format, number, args..., position_.c_str());
        if (position_.empty() && message.size() >= 2 && message[message.size() - 2] == ' ')
            message.erase(message.size() - 2, 1);
        report_.addLine(message, true);
        addContextBlock();
    }

    // The one structure message without a position.
    void addIndexEntryFinding() {
        if (!reporting_)
            return;
        reporting_ = false;
        report_.addFinding(Severity::Error, true, text::MustBeFollowedByIe,
                           std::string(indexMarker_).c_str());
        addContextBlock();
    }

    void addContextBlock() {
        report_.addContextBlock(contextText(file_.segments, index_), file_.font);
    }

    const TaggedFile& file_;
    VerificationReport& report_;
    std::vector<Context> stack_;
    std::size_t index_ = 0;
    std::string position_;
    std::string_view indexMarker_;
    bool entryExpected_ = false;
    bool reporting_ = true;
    bool ended_ = false;
};

} // namespace

void checkExternalTagStructure(const TaggedFile& file, VerificationReport& report) {
    StructureCheck(file, report).run();
}

} // namespace quillex::verifier
