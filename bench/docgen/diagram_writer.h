// DiagramWriter: frames and the diagram objects inside them.
//
// Writes the V11 diagram syntax: groups (locked or not), text strings, charts
// with labels, micro-documents, named objects (shared, with effectivity
// properties), graphic objects, equations, outline and old-style outline
// objects, and the blocks the reader skips. Used for anchored frames,
// footnotes, shared frame references, master frames and master diagramming
// objects, and page headers and footers.
#pragma once

#include "generator_context.h"

#include <string>
#include <string_view>

namespace quillex::docgen {

class RunningText;

// What an anchored frame mainly holds; Mixed draws a few objects of any kind.
enum class FrameContent {
    Mixed,
    TextStrings,
    Chart,
    MicroDocument,
    NamedObject,
    SharedNamedObject,
    Graphics, // equations, outline objects and skipped blocks only
};

class DiagramWriter {
  public:
    DiagramWriter(GeneratorContext& context, RunningText& text) : c_(context), text_(text) {}

    void anchoredFrame(FrameContent content);
    void footnoteFrame();
    void sharedFrameReference();
    void masterFrame(std::string_view name);
    void masterDiagrammingObject(std::string_view name);
    // `opening` is the keyword with its comma, such as "<Page Header,".
    void headerOrFooter(std::string_view opening);

  private:
    void frameAttributes(std::string_view name);
    void diagram(FrameContent content);
    void anyObject(int depth);
    void group(int depth, int children);
    void textString(int depth, std::string_view text);
    void chart(int depth);
    void microDocument(int depth, bool footnote);
    void namedObject(int depth, std::string_view name, bool shared);
    void graphic(int depth);
    void equation(int depth);
    void outline(int depth);
    void oldStyleOutline(int depth);
    void skippedBlock(int depth);
    void newLine(int depth);
    std::string number(bool locked);
    std::string diagramText(int words);

    GeneratorContext& c_;
    RunningText& text_;
};

} // namespace quillex::docgen
