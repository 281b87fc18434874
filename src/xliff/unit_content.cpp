// From the content of a QMX line to the text and codes of a unit.
#include "xliff/unit_content.h"

#include "xliff/code_page_text.h"
#include "xliff/qmx_line.h"

#include <stdexcept>

namespace quillex::xliff {
namespace {

class ContentBuilder {
  public:
    explicit ContentBuilder(int codePage) : codePage_(codePage) {}

    void addText(std::string_view bytes) {
        for (DecodedRun& run : decodeCodePageText(bytes, codePage_)) {
            if (run.raw)
                addCode(CodeKind::Bytes, run.text);
            else
                addUtf8(run.text);
        }
    }

    void addTag(std::string_view tag) {
        switch (roleOf(tag)) {
        case TagRole::Literal:
            addUtf8(std::string(1, literalCharacter(tag)));
            return;
        case TagRole::Lone:
            addCode(CodeKind::Placeholder, tag);
            return;
        case TagRole::Opening:
            open_.push_back(content_.size());
            addCode(CodeKind::IsolatedBegin, tag); // a Begin once its end is found
            return;
        case TagRole::Closing:
            closePair(tag);
            return;
        }
    }

    UnitContent take() { return std::move(content_); }

  private:
    void addUtf8(const std::string& text) {
        if (!content_.empty() && std::holds_alternative<std::string>(content_.back()))
            std::get<std::string>(content_.back()) += text;
        else
            content_.emplace_back(text);
    }

    InlineCode& addCode(CodeKind kind, std::string_view bytes) {
        InlineCode code;
        code.kind = kind;
        code.id = ++lastId_;
        if (kind == CodeKind::Bytes) {
            code.native = bytes;
            code.raw = true;
        } else if (auto utf8 = exactUtf8(bytes, codePage_)) {
            code.native = std::move(*utf8);
        } else {
            code.native = bytes;
            code.raw = true;
        }
        content_.emplace_back(std::move(code));
        return std::get<InlineCode>(content_.back());
    }

    // Pairs the closing tag with the nearest open tag of the same name; one
    // with none closes a pair that opened on another line.
    void closePair(std::string_view tag) {
        const std::string_view name = pairName(tag);
        for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
            InlineCode& opening = std::get<InlineCode>(content_[*it]);
            if (pairName(opening.native) != name)
                continue;
            opening.kind = CodeKind::Begin;
            const int id = opening.id;
            open_.erase(std::next(it).base());
            InlineCode& closing = addCode(CodeKind::End, tag);
            --lastId_;
            closing.id = id;
            return;
        }
        addCode(CodeKind::IsolatedEnd, tag);
    }

    int codePage_;
    int lastId_ = 0;
    std::vector<std::size_t> open_; // content positions of unpaired opening tags
    UnitContent content_;
};

// A bracket that a nearest character became ("\xE2\x80\xB9" as "<") is text,
// written as its literal tag.
std::string withLiteralBrackets(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        if (const auto tag = literalTagFor(c))
            text += *tag;
        else
            text += c;
    }
    return text;
}

} // namespace

UnitContent contentFromQmx(std::string_view qmxContent, int codePage) {
    const auto items = splitQmxItems(qmxContent);
    if (!items)
        throw std::runtime_error("the angle brackets do not balance");
    ContentBuilder builder(codePage);
    for (const QmxItem& item : *items) {
        if (item.kind == QmxItem::Kind::Text)
            builder.addText(item.text);
        else
            builder.addTag(item.text);
    }
    return builder.take();
}

bool hasTranslatableText(const UnitContent& content) {
    for (const ContentPiece& piece : content)
        if (const auto* text = std::get_if<std::string>(&piece))
            if (text->find_first_not_of(" \t") != std::string::npos)
                return true;
    return false;
}

std::vector<InlineCode> codesOf(const UnitContent& content) {
    std::vector<InlineCode> codes;
    for (const ContentPiece& piece : content)
        if (const auto* code = std::get_if<InlineCode>(&piece))
            codes.push_back(*code);
    return codes;
}

std::string qmxFromContent(const UnitContent& content, int textCodePage, int tagCodePage,
                           std::vector<std::string>& problems) {
    std::vector<std::string> unused;
    return qmxFromContent(content, textCodePage, tagCodePage, problems, MissingCharacters::Problem,
                          unused);
}

std::string qmxFromContent(const UnitContent& content, int textCodePage, int tagCodePage,
                           std::vector<std::string>& problems, MissingCharacters missing,
                           std::vector<std::string>& warnings) {
    std::string bytes;
    for (const ContentPiece& piece : content) {
        if (const auto* code = std::get_if<InlineCode>(&piece)) {
            if (code->raw) {
                bytes += code->native;
                continue;
            }
            EncodedText tag = encodeUtf8Text(code->native, tagCodePage);
            if (tag.missing)
                problems.push_back("the code " + code->native + " holds \"" + *tag.missing +
                                   "\", which the code page lacks");
            bytes += tag.bytes;
            continue;
        }
        const std::string& text = std::get<std::string>(piece);
        if (text.find_first_of("\r\n") != std::string::npos) {
            problems.push_back("the text holds a line break; a unit is one QMX line");
            continue;
        }
        // "<" and ">" are text to the translator and tags in QMX.
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t bracket = text.find_first_of("<>", start);
            const std::size_t end = bracket == std::string::npos ? text.size() : bracket;
            const std::string_view piece = std::string_view(text).substr(start, end - start);
            EncodedText run = encodeUtf8Text(piece, textCodePage);
            if (run.missing && missing == MissingCharacters::Nearest) {
                warnings.push_back("the text holds \"" + *run.missing + "\", which code page " +
                                   std::to_string(textCodePage) +
                                   " lacks; the nearest character it has is written");
                bytes += withLiteralBrackets(encodeUtf8TextNearest(piece, textCodePage));
            } else {
                if (run.missing)
                    problems.push_back("the text holds \"" + *run.missing + "\", which code page " +
                                       std::to_string(textCodePage) + " lacks");
                bytes += run.bytes;
            }
            if (bracket == std::string::npos)
                break;
            bytes += *literalTagFor(text[bracket]);
            start = bracket + 1;
        }
    }
    return bytes;
}

std::string plainText(const UnitContent& content) {
    std::string text;
    for (const ContentPiece& piece : content)
        if (const auto* run = std::get_if<std::string>(&piece))
            text += *run;
    return text;
}

void appendText(UnitContent& content, std::string_view text) {
    if (text.empty())
        return;
    if (!content.empty() && std::holds_alternative<std::string>(content.back()))
        std::get<std::string>(content.back()) += text;
    else
        content.emplace_back(std::string(text));
}

} // namespace quillex::xliff
