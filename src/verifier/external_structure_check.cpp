// Structure of external tags: a context stack follows the pairs of opening
// and closing tags through the file, and every tag is checked against the
// contexts it may stand in.
#include "verifier/file_checks.h"

#include "verifier/report_texts.h"

#include <array>
#include <initializer_list>

namespace quillex::verifier {
namespace {

// Kinds of pairs, in the order in which open ones are reported.
enum class Kind {
    CrossRef,
    TextRegion,
    TextString,
    ChartLabel,
    Frame,
    Footnote,
    CellFrame,
    IndexMarker,
    Table,
    Row,
    Cell,
    Page,
    File,
    AutonumberFormat,
    PageNumberFormat,
    VariableFormat,
    PrefixFormat,
    Qmx,
    Outside, // before the file's first tag; never on the stack
};

constexpr std::size_t kKinds = static_cast<std::size_t>(Kind::Outside);

struct KindNames {
    const char* context; // name of the context in messages
    const char* opener;  // pattern of its opening tag
};

constexpr std::array<KindNames, kKinds + 1> kNames{{
    {"<xrv ?> to </xrv>", "<xrv ?>"},       {"<tr ?> to </tr>", "<tr ?>"},
    {"<ts ?> to </ts>", "<ts ?>"},          {"<tl ?> to </tl>", "<tl ?>"},
    {"<af ?> to </af>", "<af ?>"},          {"<fn ?> to </fn>", "<fn ?>"},
    {"<ctart ?> to </ctart>", "<ctart ?>"}, {"<imk ?> to </imk>", "<imk ?>"},
    {"<tb ?> to </tb>", "<tb ?>"},          {"<row ?> to </row>", "<row ?>"},
    {"<ct ?> to </ct>", "<ct ?>"},          {"<page> to </page>", "<page>"},
    {"<file> to </file>", "<file>"},        {"<anfmt ?> to </anfmt>", "<anfmt ?>"},
    {"<pgfmt ?> to </pgfmt>", "<pgfmt ?>"}, {"<vfmt ?> to </vfmt>", "<vfmt ?>"},
    {"<pnfmt ?> to </pnfmt>", "<pnfmt ?>"}, {"<qmx \"I2.xx\"> to </qmx>", "<qmx \"I2.xx\">"},
    {"the start of the file", ""},
}};

const KindNames& namesOf(Kind kind) {
    return kNames[static_cast<std::size_t>(kind)];
}

// Contexts in which ordinary text components may stand.
constexpr std::initializer_list<Kind> kTextContexts = {Kind::TextRegion, Kind::Page, Kind::Cell,
                                                       Kind::VariableFormat, Kind::PrefixFormat};

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
    Kind current() const { return stack_.empty() ? Kind::Outside : stack_.back(); }

    bool currentIsOneOf(std::initializer_list<Kind> kinds) const {
        for (Kind kind : kinds)
            if (current() == kind)
                return true;
        return false;
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

    void addContextBlock() {
        report_.addContextBlock(contextText(file_.segments, index_), file_.font);
    }

    void notAllowed(const Segment& segment) {
        addStructureFinding(text::NotAllowedInContext, std::string(segment.tagText()).c_str(),
                            namesOf(current()).context);
    }

    // Checks that the current context is one of `allowed`; reports it if not.
    bool require(const Segment& segment, std::initializer_list<Kind> allowed) {
        if (currentIsOneOf(allowed))
            return true;
        notAllowed(segment);
        return false;
    }

    // An opening tag starts its context even where it may not stand, so that
    // its closing tag still finds it.
    void open(const Segment& segment, std::initializer_list<Kind> allowed, Kind kind) {
        require(segment, allowed);
        stack_.push_back(kind);
    }

    // <page "...">, <file "...">: the pairs left open before are reported,
    // unless an error was already reported on the page before (they are most
    // likely its consequence: a deleted </ct> leaves the row and the table
    // open), then the new context starts with reporting on.
    void openSection(const Segment& segment, std::initializer_list<Kind> keep, Kind kind,
                     const char* positionWord) {
        closeOpenPairs(keep);
        open(segment, keep, kind);
        reporting_ = true;
        position_ = std::string(positionWord).append(segment.tagText());
    }

    void close(const Segment& segment, Kind opener) {
        if (require(segment, {opener}))
            stack_.pop_back();
    }

    // Reports the pairs still open above the innermost context of `keep` and
    // drops them.
    void closeOpenPairs(std::initializer_list<Kind> keep) {
        std::array<int, kKinds> open{};
        bool any = false;
        while (!stack_.empty() && !currentIsOneOf(keep)) {
            ++open[static_cast<std::size_t>(stack_.back())];
            stack_.pop_back();
            any = true;
        }
        if (!any)
            return;
        for (std::size_t kind = 0; kind < kKinds; ++kind) {
            if (open[kind] == 1)
                addStructureFinding(text::WithoutEndingTag, kNames[kind].opener);
            else if (open[kind] > 1)
                addStructureFinding(text::OccurrencesWithoutEndingTags, open[kind],
                                    kNames[kind].opener);
        }
    }

    void visit(const Segment& segment) {
        if (ended_) {
            report_.addFinding(Severity::Error, true, text::TagAfterQmxEnd);
            addContextBlock();
            return;
        }
        switch (segment.tagNumber) {
        case tagno::QmxStart:
            open(segment, {Kind::Outside}, Kind::Qmx);
            break;
        case tagno::Language:
        case tagno::Quotes:
        case tagno::ReadOnly:
            require(segment, {Kind::Qmx});
            break;
        case tagno::File:
            openSection(segment, {Kind::Qmx}, Kind::File, "in ");
            break;
        case tagno::FileEnd:
            close(segment, Kind::File);
            break;
        case tagno::Page:
            openSection(segment, {Kind::Qmx, Kind::File}, Kind::Page, "on ");
            break;
        case tagno::PageEnd:
            if (current() == Kind::Page)
                stack_.pop_back();
            else
                addStructureFinding(text::WithoutStartingTag,
                                    std::string(segment.tagText()).c_str());
            break;
        case tagno::Table:
            open(segment, {Kind::Page}, Kind::Table);
            break;
        case tagno::TableEnd:
            close(segment, Kind::Table);
            break;
        case tagno::Row:
            open(segment, {Kind::Table}, Kind::Row);
            break;
        case tagno::RowEnd:
            close(segment, Kind::Row);
            break;
        case tagno::HiddenRow:
        case tagno::ReadOnlyRow:
            require(segment, {Kind::Table});
            break;
        case tagno::Cell:
            open(segment, {Kind::Row}, Kind::Cell);
            break;
        case tagno::CellEnd:
            close(segment, Kind::Cell);
            break;
        case tagno::CellFrame:
            open(segment, {Kind::Row}, Kind::CellFrame);
            break;
        case tagno::CellFrameEnd:
            close(segment, Kind::CellFrame);
            break;
        case tagno::Frame:
            open(segment,
                 {Kind::Page, Kind::Footnote, Kind::CellFrame, Kind::VariableFormat,
                  Kind::PrefixFormat, Kind::File},
                 Kind::Frame);
            break;
        case tagno::FrameEnd:
            close(segment, Kind::Frame);
            break;
        case tagno::TextRegion:
            open(segment, {Kind::Frame}, Kind::TextRegion);
            break;
        case tagno::TextRegionEnd:
            close(segment, Kind::TextRegion);
            break;
        case tagno::TextString:
            open(segment, {Kind::Frame}, Kind::TextString);
            break;
        case tagno::TextStringEnd:
            close(segment, Kind::TextString);
            break;
        case tagno::ChartLabel:
            open(segment, {Kind::Frame}, Kind::ChartLabel);
            break;
        case tagno::ChartLabelEnd:
            close(segment, Kind::ChartLabel);
            break;
        case tagno::ObjectName:
            require(segment, {Kind::Frame, Kind::File});
            break;
        case tagno::SharedFrame:
            require(segment, {Kind::File});
            break;
        case tagno::Footnote:
            open(segment, {Kind::Page, Kind::VariableFormat, Kind::PrefixFormat}, Kind::Footnote);
            break;
        case tagno::FootnoteEnd:
            close(segment, Kind::Footnote);
            break;
        case tagno::ParagraphStart:
        case tagno::ReadOnlyComponent:
            require(segment, kTextContexts);
            break;
        case tagno::PrefixComponent:
        case tagno::SharedComponent:
            require(segment, {Kind::TextRegion, Kind::Page, Kind::Cell, Kind::VariableFormat,
                              Kind::PrefixFormat, Kind::File});
            break;
        case tagno::CrossRefVariable:
            open(segment, kTextContexts, Kind::CrossRef);
            break;
        case tagno::CrossRefVariableEnd:
            close(segment, Kind::CrossRef);
            break;
        case tagno::IndexMarker:
            open(segment, kTextContexts, Kind::IndexMarker);
            indexMarker_ = segment.tagText();
            entryExpected_ = true;
            break;
        case tagno::IndexMarkerEnd:
            close(segment, Kind::IndexMarker);
            break;
        case tagno::IndexEntry:
            if (require(segment, {Kind::IndexMarker}))
                entryExpected_ = false;
            break;
        case tagno::IndexLevel:
        case tagno::SortString:
        case tagno::SeeAlso:
            if (require(segment, {Kind::IndexMarker}) && entryExpected_)
                addIndexEntryFinding();
            break;
        case tagno::AutonumberFormat:
            open(segment, {Kind::File}, Kind::AutonumberFormat);
            break;
        case tagno::AutonumberFormatEnd:
            close(segment, Kind::AutonumberFormat);
            break;
        case tagno::PageNumberFormat:
            open(segment, {Kind::File}, Kind::PageNumberFormat);
            break;
        case tagno::PageNumberFormatEnd:
            close(segment, Kind::PageNumberFormat);
            break;
        case tagno::VariableFormat:
            open(segment, {Kind::File}, Kind::VariableFormat);
            break;
        case tagno::VariableFormatEnd:
            close(segment, Kind::VariableFormat);
            break;
        case tagno::PrefixFormat:
            open(segment, {Kind::File}, Kind::PrefixFormat);
            break;
        case tagno::PrefixFormatEnd:
            close(segment, Kind::PrefixFormat);
            break;
        case tagno::Block:
            require(segment, {Kind::AutonumberFormat, Kind::PageNumberFormat, Kind::File});
            break;
        case tagno::QmxEnd:
            closeOpenPairs({Kind::Qmx}); // the end of the last page or file
            stack_.clear();
            ended_ = true;
            break;
        default:
            break;
        }
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

    const TaggedFile& file_;
    VerificationReport& report_;
    std::vector<Kind> stack_;
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
