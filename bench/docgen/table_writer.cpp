// Tables and master tables.
#include "table_writer.h"

#include "diagram_writer.h"
#include "running_text.h"

namespace quillex::docgen {

void TableWriter::masterTable() {
    DocumentSink& out = c_.out;
    out.raw("<!Master Table, ");
    out.raw(names::kMasterTable);
    out.raw(",\n\tColumns =\t\t3,\n\tColumn 1 Width =\t1.50 inches,\n\tColumn 2 Width =\t2 "
            "inches,\n\tColumn 3 Width =\t2.25 inches,\n\tRow =\t\t\t\"row\",\n\tRow =\t\t\t\"");
    out.raw(names::kReadOnlyMasterRow);
    out.raw("\">\n\n<Master Row, \"row\">\n\n");
    for (const char column : {'A', 'B', 'C'})
        cell(column, false);
    out.raw("<Master Row, \"");
    out.raw(names::kReadOnlyMasterRow);
    out.raw("\",\n\tRead Only =\t\tyes>\n\n");
    for (const char column : {'A', 'B', 'C'})
        cell(column, false);
    out.raw("<End Table>\n\n");
}

void TableWriter::bodyTable() {
    RandomSource& random = c_.random;
    DocumentSink& out = c_.out;
    const int columns = random.between(1, 3);
    out.endLine();
    out.raw("<Table, ");
    out.raw(names::kMasterTable);
    out.raw(", Columns = " + std::to_string(columns) + ">\n\n");
    if (random.chance(300)) {
        out.raw("<Master Row, \"heading\",\n\tRead Only =\t\tyes>\n\n");
        for (int i = 0; i < columns; ++i)
            cell(static_cast<char>('A' + i), false);
    }
    const int rows = random.between(1, 5);
    for (int i = 0; i < rows; ++i)
        row(columns, i == 0);
    out.raw("<End Table>\n\n");
}

void TableWriter::row(int columns, bool first) {
    RandomSource& random = c_.random;
    DocumentSink& out = c_.out;
    switch (random.below(first ? 6 : 10)) {
    case 0:
        out.raw("<Row, \"row\",\n\tHidden =\t\tyes>\n\n");
        break;
    case 1:
        out.raw("<Row, \"row\", Read Only = yes>\n\n");
        break;
    case 2:
        out.raw("<Row, \"");
        out.raw(names::kReadOnlyMasterRow);
        out.raw("\">\n\n");
        break;
    case 3:
        out.raw("<Row, \"row\">\n\n");
        text_.pageBreak();
        out.raw("\n\n");
        break;
    default:
        out.raw("<Row, \"row\">\n\n");
        break;
    }
    for (int i = 0; i < columns; ++i)
        cell(static_cast<char>('A' + i), true);
}

void TableWriter::cell(char column, bool withText) {
    RandomSource& random = c_.random;
    DocumentSink& out = c_.out;
    out.raw("<Cell>");
    if (withText && random.chance(80))
        out.raw("\n<!Page, Width = 2 inches, Height = 0.50 inches>\n");
    const std::string name = std::string("cell:") + column;
    if (!withText) {
        out.raw("<\"" + name + "\",\n\tHidden =\t\tyes>\n\n");
        return;
    }
    text_.componentStart(name);
    if (random.chance(100)) {
        diagrams_.anchoredFrame(FrameContent::TextStrings);
        out.raw("\n\n");
    }
    text_.paragraph(random.between(10, 300), TextPlace::Plain);
    if (random.chance(150)) {
        text_.componentStart("para");
        text_.paragraph(random.between(10, 200), TextPlace::Plain);
    }
}

} // namespace quillex::docgen
