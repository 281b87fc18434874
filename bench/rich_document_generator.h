// A generator of large Interleaf ASCII documents rich in what lives outside
// running text: every section has an anchored figure (text strings out of
// reading order, a caption micro-document, a locked group, an equation), a
// footnote, index markers, a table with a read-only heading row, a hidden
// row and a frame in a cell, a cross-reference variable and a shared frame.
#pragma once

#include <string>

namespace quillex::bench {

inline std::string generateRichDocument(int sections) {
    std::string text =
        "<!OPS, Version = 8.0>\n\n"
        "<!Font Definitions,\n\tF20 = Times 10,\n\tF21 = Times 10 Bold>\n\n"
        "<!Page Number Stream, Name = \"page\",\n\tPage # Prefix =\t\"A-\">\n\n"
        "<!Page,\n\tHyphenation =\t\ton>\n\n"
        "<!Autonumber Stream, \"fig\", 1,\n\tLevel 1 Prefix =\t\"Figure \">\n\n"
        "<!Autonumber Stream, \"fn\", 1>\n\n"
        "<!Class, \"para\",\n\tFont =\t\tF20>\n\n"
        "<!Class, \"cell\",\n\tFont =\t\tF20>\n\n"
        "<!Class, \"caption\",\n\tFont =\t\tF21>\n\n"
        "<!Class, \"note\",\n\tFont =\t\tF20,\n\tContents =\tShared>\n\nShared note text\n\n"
        "<!Master Frame,\n\tName =\t\"logo\",\n\tDiagram =\nV11,\n"
        "(t14,1,0,0,0.1,0.1,0,0,0,0,0,0,Logo)\n>\n\n"
        "<Page Header, Frame =\nV11,\n(t14,1,0,0,6.5,0.4,0,0,0,0,0,0,Manual)\n"
        "(t14,2,0,0,0.0,0.4,0,0,0,0,0,0,Chapter)\n>\n\n"
        "<!End Declarations>\n\n";
    for (int s = 0; s < sections; ++s) {
        const std::string n = std::to_string(s);
        text += "<\"para\">\n\n<|, \"" + n + "\">Section " + n +
                " shows a figure<Index, \"Figures\", \"section " + n + "\", Sort = \"fig " + n +
                "\"><Frame,\n\tName =\t\"fig\",\n\tDiagram =\nV11,\n"
                "(t14,1,0,0,2.0,0.5,0,0,0,0,0,0,Right label " +
                n +
                ")\n(t14,2,0,0,0.5,0.5,0,0,0,0,0,0,Left label)\n"
                "(g9,1,256,\n (t14,3,0,0,0,0,0,0,0,0,0,0,Locked))\n(m1 x)\n"
                "(T8,1,0,0,0.1,1.2,0,0,0,0,0,0,0,0,\n<!Page, Width = 2 inches>\n"
                "<\"caption\"><Autonum, \"fig\", 1, Value = \"Figure " +
                n +
                "\">The caption\n<End Text>)\n> after it and a note<Frame,\n\tName =\t\"fn\",\n"
                "\tNumbered =\t'<Autonum, \"fn\", 1, Value = \"" +
                n +
                "\">',\n\tDiagram =\nV11,\n(T8,1,0,0,0,0,0,0,0,0,0,0,0,0,\n<!Page, Width = 6 "
                "inches>\n<\"para\">The footnote text.\n<End Text>)\n>.\n\n"
                "<\"note\">\n\n";
        text += "<Table, \"t\", Columns = 2>\n\n<Master Row, \"head\", Read Only = yes>\n"
                "<Cell><\"cell\">\n<Cell><\"cell\">\n"
                "<Row, \"head\">\n<Cell><\"cell\">Part\n<Cell><\"cell\">Value\n"
                "<Row, Hidden = yes>\n<Cell><\"cell\">Internal\n<Cell><\"cell\">0\n"
                "<Row>\n<Cell><\"cell\">Item " +
                n +
                "\n<Cell><\"cell\">Price<Frame,\n\tName =\t\"icon\",\n\tDiagram =\nV11,\n"
                "(t14,1,0,0,0,0,0,0,0,0,0,0,Icon)\n>\n<End Table>\n\n";
        text += "<\"para\", Lisp = \"(variable-tag \"\"v\"\" var-suffix \"\" (see)\"\")<#0a>\">" +
                n +
                "\n\n<\"para\">\n\nThe logo<Frame,\n\tName =\t\"logo\",\n"
                "\tShared Contents = yes>\n and <Ref, Tag = \"r\", Value = \"" +
                n + "\">.\n\n";
    }
    return text;
}

} // namespace quillex::bench
