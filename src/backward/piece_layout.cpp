// Laying out a filled piece's lines as Interleaf ASCII text.
#include "backward/piece_layout.h"

#include "foundation/hex_digit.h"
#include "foundation/lead_bytes.h"
#include "qmx/interleaf_markup.h"

#include <array>
#include <optional>

namespace quillex::backward {
namespace {

constexpr std::size_t kLineWidth = 74;
constexpr std::string_view kSoftReturn = "<SR>";
// Markup that no soft return may follow: "<End Text>" is followed by the
// micro-document's ")", and "<!End Declarations>" ends the declarations only
// when a blank follows it (else the whole body would be read as declarations).
constexpr std::array<std::string_view, 2> kMarkupWithoutSoftReturn = {"<End Text>",
                                                                      "<!End Declarations>"};
constexpr char kEscape = 0x1B;
constexpr std::string_view kEscapeLine = "\x1B";
// A JIS run ends with ESC "(B" (back to single bytes), written by the layout
// itself; the one the translation carries is dropped.
constexpr std::string_view kShiftOut = "(B";
// Inside a JIS run Interleaf reads every byte as it is: a JIS character is
// two bytes from "!" to "~", and "<", ">" or a double quote may be one of
// them. The codes the conversion made of such bytes (from <:lt>, <:gt> and
// <:rdq>) are written as the bytes again.
constexpr char kFirstJisByte = 0x21;
constexpr char kLastJisByte = 0x7E;

// The byte a "<#hh>" code line stands for in a JIS run; none for any other
// line.
std::optional<char> codedJisByte(std::string_view line) {
    if (line.size() != 5 || !qmx::is(line, qmx::Markup::CharacterCode) || line.back() != '>')
        return std::nullopt;
    const int high = hexDigitValue(line[2]);
    const int low = hexDigitValue(line[3]);
    if (high < 0 || low < 0)
        return std::nullopt;
    const char byte = static_cast<char>(high * 16 + low);
    if (byte < kFirstJisByte || byte > kLastJisByte)
        return std::nullopt;
    return byte;
}

void appendInJisRun(std::string& text, std::string_view line) {
    if (const std::optional<char> byte = codedJisByte(line))
        text += *byte;
    else
        text += line;
}

// Marks the conversion leaves among the lines; nothing of them is written.
constexpr std::array<std::string_view, 3> kLeftOutLines = {
    kEndOfParagraphMark, "<Comment, QMX No Change>", "<Comment, QMX End of No Change>"};

// How the chunks of a text line are written.
enum class Chunks {
    SoftReturns,   // each chunk followed by "<SR>", chunks on lines of their own
    Joined,        // text strings: chunks on lines of their own, nothing added
    MicroDocument, // as SoftReturns, but the closing ")" as the last line stands alone
};

struct KindLayout {
    PieceKind kind;
    bool written;               // the piece replaces its range
    bool singleBreakAfterFirst; // one line feed after the first line, not two
    Chunks chunks;
};

constexpr auto S = Chunks::SoftReturns;
constexpr KindLayout kKindLayouts[] = {
    {PieceKind::Header, true, false, S},
    {PieceKind::PageNumberStream, true, false, S},
    {PieceKind::Document, true, false, S},
    {PieceKind::Page, true, false, S},
    {PieceKind::FontDefinitions, true, false, S},
    {PieceKind::ColorDefinitions, true, false, S},
    {PieceKind::ColorName, true, false, S},
    {PieceKind::ColorTint, true, false, S},
    {PieceKind::PatternDefinitions, true, false, S},
    {PieceKind::AutonumberStream, true, false, S},
    {PieceKind::Class, true, true, S},
    {PieceKind::MasterFrame, false, false, S},
    {PieceKind::MasterDiagrammingObject, false, false, S},
    {PieceKind::MasterTable, true, false, S},
    {PieceKind::PageHeader, false, false, S},
    {PieceKind::FirstPageHeader, false, false, S},
    {PieceKind::RightPageHeader, false, false, S},
    {PieceKind::LeftPageHeader, false, false, S},
    {PieceKind::PageFooter, false, false, S},
    {PieceKind::FirstPageFooter, false, false, S},
    {PieceKind::RightPageFooter, false, false, S},
    {PieceKind::LeftPageFooter, false, false, S},
    {PieceKind::EndOfDeclarations, true, false, S},
    {PieceKind::Frame, false, false, S},
    {PieceKind::Group, true, false, S},
    {PieceKind::EndOfGroup, true, false, S},
    {PieceKind::TextString, true, true, Chunks::Joined},
    {PieceKind::ChartLabel, true, true, Chunks::Joined},
    {PieceKind::MicroDocument, true, true, Chunks::MicroDocument},
    {PieceKind::NamedObject, false, false, S},
    {PieceKind::EndOfNamedObject, true, false, S},
    {PieceKind::Equation, false, false, S},
    {PieceKind::OutlineObject, false, false, S},
    {PieceKind::OldStyleOutlineObject, false, false, S},
    {PieceKind::TextAfterFrame, true, true, S},
    {PieceKind::TableStart, false, false, S},
    {PieceKind::MasterRow, true, false, S},
    {PieceKind::Row, true, true, S},
    {PieceKind::Cell, true, true, S},
    {PieceKind::EndOfTable, true, false, S},
};

// A kind outside the list (none is made today) is written like body text;
// its kind field is not read.
constexpr KindLayout kOtherKind = {PieceKind::Cell, true, false, S};

const KindLayout& layoutOf(PieceKind kind) {
    for (const KindLayout& layout : kKindLayouts)
        if (layout.kind == kind)
            return layout;
    return kOtherKind;
}

bool hexDigitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos + count > text.size())
        return false;
    for (std::size_t i = pos; i < pos + count; ++i)
        if (hexDigitValue(text[i]) < 0)
            return false;
    return true;
}

// Bytes of the character at `pos`: two for a double-byte character of a
// Japanese target (any Shift-JIS lead byte: a cut never splits a character,
// whether Interleaf has a code for it or not), else one.
std::size_t characterLength(std::string_view text, std::size_t pos, bool japanese) {
    return japanese && isShiftJisLeadByte(static_cast<unsigned char>(text[pos])) &&
                   pos + 1 < text.size()
               ? 2
               : 1;
}

// Bytes of what the backslash before `pos` escapes: "x" with two or "X" with
// four hex digits, or one character.
std::size_t escapedLength(std::string_view text, std::size_t pos, bool japanese) {
    if (text[pos] == 'x' && hexDigitsAt(text, pos + 1, 2))
        return 3;
    if (text[pos] == 'X' && hexDigitsAt(text, pos + 1, 4))
        return 5;
    return characterLength(text, pos, japanese);
}

// Bytes of the "<#hex>" code at `pos`; 0 when none starts there.
std::size_t characterCodeLength(std::string_view text, std::size_t pos) {
    if (text.substr(pos, 2) != "<#")
        return 0;
    std::size_t end = pos + 2;
    while (end < text.size() && hexDigitValue(text[end]) >= 0)
        ++end;
    return end > pos + 2 && end < text.size() && text[end] == '>' ? end + 1 - pos : 0;
}

// Bytes of the unit at `pos` that no cut may split.
std::size_t unitLength(std::string_view text, std::size_t pos, bool japanese) {
    if (text[pos] == '\\' && pos + 1 < text.size())
        return 1 + escapedLength(text, pos + 1, japanese);
    if (const std::size_t code = characterCodeLength(text, pos))
        return code;
    return characterLength(text, pos, japanese);
}

// The length of the first chunk of `text`: all of it when it fits, else up to
// the end of the last whole unit that fits (of the first unit when even that
// does not fit).
std::size_t chunkLength(std::string_view text, bool japanese) {
    if (text.size() <= kLineWidth)
        return text.size();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t unit = unitLength(text, pos, japanese);
        if (pos + unit > kLineWidth)
            return pos == 0 ? unit : pos;
        pos += unit;
    }
    return pos;
}

template <std::size_t N>
bool isOneOf(std::string_view line, const std::array<std::string_view, N>& lines) {
    for (const std::string_view listed : lines)
        if (line == listed)
            return true;
    return false;
}

bool isMarkup(std::string_view line) {
    return line.starts_with('<') && !line.starts_with("<<");
}

// Lays out the lines of one piece.
class PieceWriter {
  public:
    PieceWriter(const DocumentPiece& piece, bool japaneseTarget)
        : lines_(piece.lines), layout_(layoutOf(piece.kind)), japanese_(japaneseTarget) {}

    std::string write() {
        for (next_ = 0; next_ < lines_.size();) {
            std::string_view line = lines_[next_++];
            if (afterJisRun_) {
                afterJisRun_ = false;
                if (line == kShiftOut)
                    continue;
                if (line.starts_with(kShiftOut))
                    line.remove_prefix(kShiftOut.size());
            }
            if (line == kEscapeLine)
                writeJisRun();
            else if (!isOneOf(line, kLeftOutLines))
                writeLine(line);
        }
        return std::move(text_);
    }

  private:
    // The run from one ESC line to the next is written as one piece of text,
    // closed with ESC "(B".
    void writeJisRun() {
        text_ += kEscape;
        while (next_ < lines_.size() && lines_[next_] != kEscapeLine) {
            const std::string_view line = lines_[next_++];
            appendInJisRun(text_, line);
        }
        ++next_; // the closing ESC line
        text_ += kEscape;
        text_ += kShiftOut;
        text_ += kSoftReturn;
        text_ += '\n';
        afterJisRun_ = true;
        firstLine_ = false;
    }

    void writeLine(std::string_view line) {
        if (isMarkup(line)) {
            text_ += line;
            if (!isOneOf(line, kMarkupWithoutSoftReturn))
                text_ += kSoftReturn;
        } else {
            writeText(line);
        }
        text_ += firstLine_ && !layout_.singleBreakAfterFirst ? "\n\n" : "\n";
        firstLine_ = false;
    }

    void writeText(std::string_view line) {
        const bool lastLine = next_ >= lines_.size();
        if (layout_.chunks == Chunks::MicroDocument && lastLine && line == ")") {
            text_ += line;
            return;
        }
        // An empty line is one empty chunk.
        do {
            const std::size_t length = chunkLength(line, japanese_);
            text_ += line.substr(0, length);
            if (layout_.chunks != Chunks::Joined)
                text_ += kSoftReturn;
            line.remove_prefix(length);
            if (!line.empty())
                text_ += '\n';
        } while (!line.empty());
    }

    const PieceLines& lines_;
    const KindLayout& layout_;
    bool japanese_;
    std::string text_;
    std::size_t next_ = 0;
    bool firstLine_ = true;
    bool afterJisRun_ = false;
};

} // namespace

bool isWrittenBack(PieceKind kind) {
    return layoutOf(kind).written;
}

std::string layOutPiece(const DocumentPiece& piece, bool japaneseTarget) {
    return PieceWriter(piece, japaneseTarget).write();
}

std::vector<std::string_view> cutTextLine(std::string_view text, bool japaneseTarget) {
    std::vector<std::string_view> chunks;
    do {
        const std::size_t length = chunkLength(text, japaneseTarget);
        chunks.push_back(text.substr(0, length));
        text.remove_prefix(length);
    } while (!text.empty());
    return chunks;
}

} // namespace quillex::backward
