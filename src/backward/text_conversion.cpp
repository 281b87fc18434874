// Translated text as Interleaf running text and diagram text.
#include "backward/text_conversion.h"

#include "backward/interleaf_characters.h"
#include "conversion/result_code.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quillex::backward {
namespace {

constexpr char kEscape = 27;

// Collects plain text and hands it over as a line whenever a line of markup
// has to go between.
class LineBuilder {
  public:
    std::string& run() { return run_; }
    void addLine(std::string line) {
        flush();
        lines_.push_back(std::move(line));
    }
    std::vector<std::string> finish() {
        flush();
        return std::move(lines_);
    }

  private:
    void flush() {
        if (!run_.empty())
            lines_.push_back(std::exchange(run_, {}));
    }
    std::string run_;
    std::vector<std::string> lines_;
};

// Characters that separate the fields of a diagram object, and the
// backslash itself, are escaped inside its strings.
bool needsBackslash(char c) {
    return c == ' ' || c == '(' || c == ')' || c == ',' || c == '\\';
}

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (needsBackslash(c))
            out += '\\';
        out += c;
    }
}

// A byte without an Interleaf form, or with one that has no place here, is
// never dropped: the file fails. The translated file is searched for such
// bytes before anything is converted, with the line named; this is the
// guard for a byte that reaches the conversion some other way.
[[noreturn]] void refuseFormlessByte() {
    throw ConversionFailure(result::CharacterWithoutForm);
}

std::vector<std::string> convertJapaneseStringText(std::string_view line,
                                                   const BackwardContext& context) {
    std::string text;
    std::optional<unsigned char> lead;
    const InterleafForms& forms = interleafFormsOf(context);
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (lead) {
            text += doubleByteEscape(*lead, byte);
            lead.reset();
            continue;
        }
        const FormKind kind = forms[byte].kind;
        if (kind == FormKind::Markup || byte >= 0x80) {
            if (isShiftJisLeadByte(byte))
                lead = byte;
            else if (c != '\t')
                text += singleByteEscape(byte);
        } else if (kind == FormKind::Plain) {
            appendEscaped(text, std::string_view(&c, 1));
        }
    }
    if (text.empty())
        return {};
    return {std::move(text)};
}

} // namespace

// Bytes written as they are go over in runs: a run ends at a byte that is
// left out or written as markup.
std::vector<std::string> convertText(std::string_view line, const BackwardContext& context,
                                     bool valueText) {
    LineBuilder lines;
    const InterleafForms& forms = interleafFormsOf(context);
    std::size_t runStart = 0; // the bytes from here to the position are written as they are
    // The byte at `at` is not written as it is: the run before it goes over.
    const auto endRun = [&](std::size_t at) {
        lines.run().append(line.substr(runStart, at - runStart));
        runStart = at + 1;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' && valueText) {
            endRun(i);
            continue;
        }
        if (context.japaneseTarget) {
            if (byte >= 0x20)
                continue;
            endRun(i);
            if (c == '\t')
                lines.addLine("<Tab>");
            continue;
        }
        const InterleafForm& form = forms[byte];
        if (form.kind == FormKind::Missing || (form.runningTextOnly && valueText))
            refuseFormlessByte();
        if (form.kind == FormKind::Plain || c == kEscape)
            continue;
        endRun(i);
        if (form.kind == FormKind::Markup)
            lines.addLine(std::string(form.markup));
    }
    lines.run().append(line.substr(runStart));
    return lines.finish();
}

std::vector<std::string> convertStringText(std::string_view line, const BackwardContext& context) {
    if (context.japaneseTarget)
        return convertJapaneseStringText(line, context);
    LineBuilder lines;
    const InterleafForms& forms = interleafFormsOf(context);
    for (char c : line) {
        if (c == '\t')
            continue;
        const InterleafForm& form = forms[static_cast<unsigned char>(c)];
        if (form.kind == FormKind::Missing || form.runningTextOnly)
            refuseFormlessByte();
        if (form.kind == FormKind::Plain) {
            appendEscaped(lines.run(), std::string_view(&c, 1));
        } else if (qmx::is(form.markup, qmx::Markup::CharacterCode)) {
            lines.addLine(codeToEscape(form.markup, false));
        } else if (form.kind == FormKind::Markup) {
            // A stand-in such as "(tm)" is text of the string too.
            std::string text;
            appendEscaped(text, form.markup);
            lines.addLine(std::move(text));
        }
    }
    return lines.finish();
}

std::size_t blockLength(std::span<const std::string> lines, std::string_view closingLine) {
    if (lines.empty())
        throw ConversionFailure(result::UnexpectedEnd);
    const auto closing = std::find(lines.begin() + 1, lines.end(), closingLine);
    if (closing == lines.end())
        throw ConversionFailure(result::UnexpectedEnd);
    return static_cast<std::size_t>(closing - lines.begin()) + 1;
}

std::vector<std::string> convertTextString(std::span<const std::string> block,
                                           std::string_view closingLine,
                                           const BackwardContext& context) {
    const std::size_t length = blockLength(block, closingLine);
    std::vector<std::string> lines;
    for (const std::string& line : block.subspan(1, length - 2)) {
        if (isCharacterCodeLine(line)) {
            // The code tag, not convertCode: an escape character in a
            // diagram string is written as its code like every other.
            lines.push_back(codeToEscape(characterCodeTag(line), false));
        } else if (!qmx::isInternal(line)) {
            std::vector<std::string> text = convertStringText(line, context);
            lines.insert(lines.end(), std::make_move_iterator(text.begin()),
                         std::make_move_iterator(text.end()));
        } else {
            lines.push_back(codeToEscape(internalCodeTag(line, context), false));
        }
    }
    return lines;
}

} // namespace quillex::backward
