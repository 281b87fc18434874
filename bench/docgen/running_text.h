// RunningText: the text of paragraphs, with the inline markup of real exports.
//
// Words wrap at about 75 characters, now and then in the middle of a word,
// and the line end carries no content, as Interleaf writes it. Between the
// words go font changes, character codes, tabs, hard returns, escaped "<",
// subcomponents of every kind, autonumbers, references, index markers, page
// breaks and (in body text) anchored frames.
#pragma once

#include "generator_context.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillex::docgen {

class DiagramWriter;

// Where the text stands; each place allows a different set of markup.
// Body text may hold anchored frames; Plain (table cells, filler) may not.
enum class TextPlace { Body, Plain, MicroDocument, Title };

class RunningText {
  public:
    explicit RunningText(GeneratorContext& context) : c_(context) {}
    void setDiagrams(DiagramWriter* diagrams) { diagrams_ = diagrams; }

    // A component start tag and the blank line after it. `attributes` is
    // written after the quoted name (",\n\tRead Only =\t\tyes" and so on).
    void componentStart(std::string_view name, std::string_view attributes = {});

    // Words and markup until about `bytes` bytes are written.
    void text(std::uint64_t bytes, TextPlace place);
    // The same, then the blank line that ends a paragraph.
    void paragraph(std::uint64_t bytes, TextPlace place) {
        text(bytes, place);
        c_.out.raw("\n\n");
    }

    // The prefix subcomponent that starts list paragraphs.
    void listPrefix(bool numbered);

    // One word (with its trailing blank unless `space` is false); wraps.
    void word(std::string_view text, bool space = true);
    // Markup that is written as it is, without wrapping.
    void tag(std::string_view text) { c_.out.raw(text); }

    // Inline markup of the kinds the body conversion lifts out of the text.
    void autonumber();
    void reference();
    void indexMarker(bool longHeading);
    void pageBreak();
    // Exports open the body's first paragraph with a page mark: the next
    // component start is followed by one.
    void markFirstPage() { firstPageDue_ = true; }

  private:
    void inlineElement(TextPlace place);
    void someWords(int count, bool trailingSpace);
    void fontChange();
    void subcomponent(TextPlace place);
    std::string indexHeading(bool longHeading);

    GeneratorContext& c_;
    DiagramWriter* diagrams_ = nullptr;
    bool firstPageDue_ = false;
};

} // namespace quillex::docgen
