// RTF writer: paragraph conversion of QMX and report lines, and the file.
#include "qmx/rtf_writer.h"

#include "foundation/output_file.h"

#include <string_view>

namespace quillex {
namespace {

constexpr std::string_view kParagraphF1 = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f1 )";
constexpr std::string_view kParagraphF3 = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f3 )";
constexpr std::string_view kParagraphF4 = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f4 )";
constexpr std::string_view kExternalTagGroup = R"({\cs5\cf15\f1\lang1024 )";
constexpr std::string_view kInternalTagGroup = R"({\cs6\cf6\f1\lang1024 )";

// Ordinary paragraphs stay within this capacity and never reallocate.
constexpr std::size_t kParagraphCapacity = 1024;
constexpr std::size_t kTagTextCapacity = 100;

void appendHexEscape(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

// Appends one text byte. CR and LF cannot stand raw in the file, since
// readers take them for line ends and drop them; they are escaped like the
// bytes that RTF reserves so that a stray one survives the round trip.
void appendTextByte(std::string& out, unsigned char byte) {
    switch (byte) {
    case '\t':
        out += "\\tab ";
        return;
    case '\\':
    case '{':
    case '}':
    case '\r':
    case '\n':
        appendHexEscape(out, byte);
        return;
    default:
        if (byte >= 0x80)
            appendHexEscape(out, byte);
        else
            out += static_cast<char>(byte);
    }
}

// The nesting of angle brackets and whether a tag style group is open. The
// first "<" opens the group; it closes when every "<" has met its ">".
class TagGroup {
  public:
    void open(std::string& out, std::string_view line, std::size_t at) {
        ++depth_;
        if (!open_) {
            const bool internal = at + 1 < line.size() && line[at + 1] == ':';
            out += internal ? kInternalTagGroup : kExternalTagGroup;
            open_ = true;
        }
        out += '<';
    }

    // Returns true when this ">" closed the group.
    bool close(std::string& out) {
        --depth_;
        out += '>';
        if (depth_ == 0) {
            out += '}';
            open_ = false;
            return true;
        }
        if (depth_ < 0)
            depth_ = 0;
        return false;
    }

    bool isOpen() const { return open_; }
    int depth() const { return depth_; }

  private:
    int depth_ = 0;
    bool open_ = false;
};

std::string_view reportParagraphPrefix(int fontNumber, bool codePagesDiffer) {
    if (fontNumber == 2)
        return kParagraphF1;
    if (fontNumber == 4 && codePagesDiffer)
        return kParagraphF4;
    return kParagraphF3;
}

} // namespace

namespace {

// One QMX line as an RTF paragraph, appended to `out`. The tag group lives
// across lines: a tag may run on to the next line.
void appendRtfParagraph(TagGroup& group, std::string_view line, std::string& out) {
    out += kParagraphF3;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '<')
            group.open(out, line, i);
        else if (c == '>')
            group.close(out);
        else
            appendTextByte(out, static_cast<unsigned char>(c));
    }
}

} // namespace

void convertLinesToRtf(std::vector<std::string>& lines) {
    TagGroup group;
    for (std::string& line : lines) {
        std::string out;
        out.reserve(kParagraphCapacity);
        appendRtfParagraph(group, line, out);
        line.swap(out);
    }
    // A tag never closed would leave its group, and so the document, open;
    // readers would reject the file. Close it with the last paragraph.
    if (group.isOpen())
        lines.back() += '}';
}

// The same file as convertLinesToRtf and writeRtfFile give, written a
// paragraph at a time so that the document is never held twice.
void writeQmxRtfFile(const std::string& path, const std::vector<std::string>& lines,
                     PaperSize paper, int sourceCodePage, int targetCodePage) {
    OutputFile file(path);
    writeQmxRtf(file, lines, paper, sourceCodePage, targetCodePage);
    file.commit();
}

void writeQmxRtf(OutputFile& file, const std::vector<std::string>& lines, PaperSize paper,
                 int sourceCodePage, int targetCodePage) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    writeQmxRtf(file, std::span<const std::string_view>(views), paper, sourceCodePage,
                targetCodePage);
}

void writeQmxRtf(OutputFile& file, std::span<const std::string_view> lines, PaperSize paper,
                 int sourceCodePage, int targetCodePage) {
    file.writeText(rtfPrologue(paper, sourceCodePage, targetCodePage));
    TagGroup group;
    std::string paragraph;
    paragraph.reserve(kParagraphCapacity);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        paragraph.clear();
        appendRtfParagraph(group, lines[i], paragraph);
        if (i + 1 == lines.size() && group.isOpen())
            paragraph += '}';
        if (i > 0)
            file.write("\\par ");
        file.writeText(paragraph);
        file.write("\r\n");
    }
    file.write("}");
}

void writeRtfFile(const std::string& path, const std::vector<std::string>& lines, PaperSize paper,
                  int sourceCodePage, int targetCodePage) {
    OutputFile file(path);
    file.writeText(rtfPrologue(paper, sourceCodePage, targetCodePage));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            file.write("\\par ");
        file.writeText(lines[i]);
        file.write("\r\n");
    }
    file.write("}");
    file.commit();
}

void convertReportLineToRtf(std::string& line, bool styleTags, int fontNumber, int sourceCodePage,
                            int targetCodePage) {
    const bool codePagesDiffer = sourceCodePage != targetCodePage;
    std::string out;
    out.reserve(kParagraphCapacity);
    out += reportParagraphPrefix(fontNumber, codePagesDiffer);

    TagGroup group; // report lines never share a tag
    std::string tag;
    tag.reserve(kTagTextCapacity);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (styleTags && c == '<') {
            group.open(out, line, i);
            tag += c;
        } else if (styleTags && c == '>') {
            const bool wasOpen = group.isOpen();
            if (wasOpen)
                tag += c;
            if (group.close(out)) {
                // <:c> marks western text within Asian text: switch to the
                // source font and, at <:/c>, back to the target font.
                if (tag == "<:c>")
                    out += "\\f3 ";
                else if (tag == "<:/c>")
                    out += codePagesDiffer ? "\\f4 " : "\\f3 ";
                tag.clear();
            } else if (group.depth() == 0) {
                tag.clear();
            }
        } else {
            if (group.isOpen())
                tag += c;
            if (c == '\n')
                out += "\n\\par ";
            else
                appendTextByte(out, static_cast<unsigned char>(c));
        }
    }
    // Report lines quote damaged tags; an unmatched "<" must not leave the
    // style group, and with it the whole report, open.
    if (group.isOpen())
        out += '}';
    line.swap(out);
}

} // namespace quillex
