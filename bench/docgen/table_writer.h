// TableWriter: tables in the body and master tables in the declarations.
//
// Body tables have master rows (some read-only), ordinary, hidden and
// read-only rows, page breaks before rows, cells that begin with a page
// declaration and cells that hold anchored frames.
#pragma once

#include "generator_context.h"

namespace quillex::docgen {

class DiagramWriter;
class RunningText;

class TableWriter {
  public:
    TableWriter(GeneratorContext& context, RunningText& text, DiagramWriter& diagrams)
        : c_(context), text_(text), diagrams_(diagrams) {}

    void bodyTable();
    void masterTable();

  private:
    void row(int columns, bool first);
    void cell(char column, bool withText);

    GeneratorContext& c_;
    RunningText& text_;
    DiagramWriter& diagrams_;
};

} // namespace quillex::docgen
