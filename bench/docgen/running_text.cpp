// Paragraph text with inline markup.
#include "running_text.h"

#include "diagram_writer.h"
#include "vocabulary.h"

namespace quillex::docgen {
namespace {

constexpr std::string_view kFonts[] = {"<F20>", "<F21>", "<F22>",  "<F25>",
                                       "<F26>", "<F33>", "<F24@U>"};
constexpr std::string_view kTabs[] = {"<Tab>",  "<Tab>",  "<Tab>",     "<Tab.>",
                                      "<Tab->", "<Tab_>", "<Tab-dash>"};

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\x1b')
            return false;
    return true;
}

} // namespace

void RunningText::componentStart(std::string_view name, std::string_view attributes) {
    c_.out.endLine();
    c_.out.raw("<\"");
    c_.out.raw(name);
    c_.out.raw("\"");
    c_.out.raw(attributes);
    c_.out.raw(">\n\n");
    if (firstPageDue_) {
        firstPageDue_ = false;
        pageBreak();
    }
}

void RunningText::word(std::string_view text, bool space) {
    DocumentSink& out = c_.out;
    if (out.column() > 0 && out.column() + text.size() > kWrapColumn) {
        // Interleaf breaks a line wherever it is full, sometimes inside a word.
        const std::size_t room = kWrapColumn > out.column() ? kWrapColumn - out.column() : 0;
        if (room > 1 && room < text.size() && isAscii(text) && c_.random.chance(250)) {
            out.raw(text.substr(0, room));
            out.newline();
            text.remove_prefix(room);
        } else {
            out.newline();
        }
    }
    out.raw(text);
    if (space)
        out.raw(" ");
}

void RunningText::someWords(int count, bool trailingSpace) {
    for (int i = 0; i < count; ++i)
        word(englishWord(c_.random), trailingSpace || i + 1 < count);
}

void RunningText::text(std::uint64_t bytes, TextPlace place) {
    const std::uint64_t end = c_.out.written() + bytes;
    const int markupPerMille = place == TextPlace::Title ? 60 : 170;
    while (c_.out.written() < end) {
        if (c_.random.chance(markupPerMille))
            inlineElement(place);
        else if (c_.japanese() && c_.random.chance(300))
            word(japaneseWord(c_.random, false), c_.random.chance(300));
        else
            word(englishWord(c_.random));
    }
}

void RunningText::inlineElement(TextPlace place) {
    RandomSource& random = c_.random;
    if (place == TextPlace::Title) {
        if (random.chance(500))
            fontChange();
        else
            tag(characterCode(random, c_.japanese()));
        return;
    }
    const bool body = place == TextPlace::Body || place == TextPlace::Plain;
    switch (random.below(20)) {
    case 0:
    case 1:
    case 2:
    case 3:
        fontChange();
        break;
    case 4:
    case 5:
        tag(characterCode(random, c_.japanese()));
        break;
    case 6:
    case 7:
        tag(random.pick(kTabs));
        break;
    case 8:
        tag("<HR>");
        c_.out.newline();
        break;
    case 9:
        tag(random.chance(500) ? "<SP>" : "<SR>");
        break;
    case 10:
        // Escaped less-than signs and bare greater-than signs in the text.
        word(random.chance(500) ? "<<" : ">");
        break;
    case 11:
    case 12:
        subcomponent(place);
        break;
    case 13:
        autonumber();
        break;
    case 14:
        if (body)
            reference();
        else
            tag("<Comment>");
        break;
    case 15:
        if (body)
            indexMarker(false);
        break;
    case 16:
        if (c_.japanese())
            word(random.chance(800) ? japaneseWord(random, false) : kanjiRun(random));
        else {
            std::string text = std::string(englishWord(random));
            text.insert(random.below(text.size() + 1), 1, westernLetter(random));
            word(text);
        }
        break;
    case 17:
        if (body && random.chance(150))
            pageBreak();
        else
            tag("<Comment>");
        break;
    case 18:
        if (place == TextPlace::Body && diagrams_ != nullptr && random.chance(120))
            diagrams_->anchoredFrame(FrameContent::Mixed);
        else
            fontChange();
        break;
    default:
        someWords(random.between(1, 3), true);
        break;
    }
}

void RunningText::fontChange() {
    RandomSource& random = c_.random;
    tag(random.pick(kFonts));
    if (random.chance(50)) { // a font change with nothing in it
        tag("<F0>");
        return;
    }
    if (random.chance(100)) { // left open: the next paragraph start closes it
        someWords(random.between(1, 3), true);
        return;
    }
    someWords(random.between(1, 3), false);
    tag("<F0>");
    c_.out.raw(" ");
}

void RunningText::subcomponent(TextPlace place) {
    RandomSource& random = c_.random;
    std::string start = "<\"sub:em\", Subcomponent = yes";
    bool fontAfter = false;
    switch (random.below(8)) {
    case 0:
        start = "<\"sub:code\", Subcomponent = yes, Font = F25";
        break;
    case 1:
        fontAfter = true;
        break;
    case 2:
        start += ", @Audience = \"internal\"";
        break;
    case 3:
        start += ",\n\tRead Only =\t\tyes";
        break;
    case 4:
        start += ", Contents = Shared";
        break;
    case 5:
        start += ", Hidden = yes, @Platform = \"VMS\"";
        break;
    default:
        if (place == TextPlace::MicroDocument)
            start = "<\"sub:code\", Subcomponent = yes";
        break;
    }
    tag(start + ">");
    if (fontAfter)
        tag(random.pick(kFonts));
    someWords(random.between(1, 4), false);
    tag("<End Sub>");
    if (fontAfter || random.chance(300))
        tag("<F0>");
    c_.out.raw(" ");
}

void RunningText::listPrefix(bool numbered) {
    if (numbered) {
        tag("<\"|:step\", Subcomponent = yes><F0><Autonum, ");
        tag(names::kStepStream);
        tag(", 1>.<Tab><End Sub><F0>");
        return;
    }
    tag(c_.random.chance(500) ? "<\"|:list\", Subcomponent = yes><F0><Tab><F25>><F0><Tab><End "
                                "Sub><F0>"
                              : "<\"|:list\", Subcomponent = yes><F0><Tab><#1e><Tab><End Sub><F0>");
}

void RunningText::autonumber() {
    RandomSource& random = c_.random;
    switch (random.below(4)) {
    case 0:
        tag("<Autonum, " + std::string(names::kListStream) + ", 1>");
        break;
    case 1:
        tag("<Autonum, " + std::string(names::kFigureStream) +
            ", 1, First = Yes, Value = \"Figure " + std::to_string(random.between(1, 99)) + "\">");
        break;
    case 2:
        tag("<Autonum, " + std::string(names::kChapterStream) + ", 1, Tagname = \"sec" +
            std::to_string(random.between(1, 500)) + "\">");
        break;
    default:
        tag("<Autonum, " + std::string(names::kChapterStream) + ", 2, Value = \"" +
            std::to_string(random.between(1, 30)) + "." + std::to_string(random.between(1, 9)) +
            "\">");
        break;
    }
    c_.out.raw(" ");
}

void RunningText::reference() {
    RandomSource& random = c_.random;
    const std::string target = std::to_string(random.between(1, 500));
    switch (random.below(5)) {
    case 0:
        tag("<Ref, Page #, Page Value = " + std::to_string(random.between(1, 400)) + ", Tag = sec" +
            target + ">");
        break;
    case 1:
        tag("<Ref, Value = \"Figure " + target + "\", Tag = \"fig" + target + "\">");
        break;
    case 2:
        tag("<Ref, Result = \"" + std::string(random.chance(500) ? "ab" : "Installation") +
            "\", Tag = \"attr" + target + "\">");
        break;
    case 3:
        tag("<Ref, Tag = \"sec" + target + "\">");
        break;
    default:
        tag("<Ref, Value = \"" + target + ".2\",\n\tTag =\t\t\"sec" + target + "\">");
        break;
    }
    c_.out.raw(" ");
}

std::string RunningText::indexHeading(bool longHeading) {
    RandomSource& random = c_.random;
    std::string heading;
    const std::size_t length = longHeading ? 270 : random.between(3, 40);
    while (heading.size() < length) {
        if (!heading.empty())
            heading += ' ';
        if (longHeading) // plain words, so that the length is the visible length
            heading += englishWord(random);
        else if (c_.japanese() && random.chance(400))
            heading += japaneseWord(random, false);
        else if (random.chance(50))
            heading += "<#e9>";
        else if (random.chance(30))
            heading += "\"\"quoted\"\"";
        else
            heading += englishWord(random);
    }
    return "\"" + heading + "\"";
}

void RunningText::indexMarker(bool longHeading) {
    RandomSource& random = c_.random;
    std::string marker = "<Index, ";
    if (!longHeading && random.chance(100)) {
        // Markers without an entry carry a placeholder heading.
        marker += c_.japanese() && random.chance(500)
                      ? "\"**\x82\xC8\x82\xB5**\""
                      : (random.chance(500) ? "\"**Empty**\"" : "\"**Leer**\"");
    } else {
        marker += indexHeading(longHeading);
    }
    for (int level = random.between(0, 2); level > 0; --level)
        marker += ", " + indexHeading(false);
    if (random.chance(300))
        marker += ", Sort = " + indexHeading(false);
    if (random.chance(150))
        marker += ",\n\tSee = " + indexHeading(false);
    if (random.chance(100))
        marker += ", Dictionary = \"USEnglish\"";
    tag(marker + ">");
}

void RunningText::pageBreak() {
    if (c_.random.chance(100))
        tag("<|,\"" + std::string(c_.random.chance(500) ? "iv" : "A-1") + "\">");
    else
        tag("<|," + std::to_string(c_.nextPage++) + ">");
}

} // namespace quillex::docgen
