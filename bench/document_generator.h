// A generator of large Interleaf ASCII documents for the benchmarks: a run
// of chapter sections with the markup real manuals carry (paragraph classes,
// font changes, prefix steps, subcomponents, character codes, tabs, hard
// returns, references, page breaks, read-only listings).
#pragma once

#include <string>

namespace quillex::bench {

inline std::string generateDocument(int sections) {
    std::string text = "<!OPS, Version = 8.0>\n\n"
                       "<!Font Definitions,\n\tF20 = Times 10,\n\tF21 = Times 10 Bold,\n"
                       "\tF22 = Times 10 Italic>\n\n"
                       "<!Autonumber Stream, \"step\", 1>\n\n"
                       "<!Class, \"head\",\n\tFont =\t\tF21>\n\n"
                       "<!Class, \"para\",\n\tFont =\t\tF20>\n\n"
                       "<!Class, \"step\",\n\tFont =\t\tF20,\n\tContents =\tPrefix>\n\n"
                       "<!Class, \"|:step\",\n\tFont =\t\tF21,\n\tContents =\tShared>\n\n"
                       "<Autonum, \"step\", 1><Tab>\n\n"
                       "<!Class, \"listing\",\n\tFont =\t\tF20,\n\tRead Only =\tyes>\n\n"
                       "<!End Declarations>\n\n";
    for (int s = 0; s < sections; ++s) {
        const std::string n = std::to_string(s);
        text += "<\"head\">\n\n<|, \"" + n + "\">Section " + n + " of the manual\n\n";
        text += "<\"para\">\n\nThis paragraph describes part " + n +
                " of the product. It uses <F21>bold<F0> and <F22>italic<F0> words, a \n"
                "dash<#0104>like this, the sign <#a9>, a quote <#7f>here\" and the signs \n"
                "<< and > in running text.<HR>\nA second line<Tab>with a tab.\n\n";
        text += "<\"step\">\n\n<\"|:step\", Subcomponent = yes><F0><Autonum, \"step\", 1, "
                "Value = \"" +
                n + ".\"><Tab><End Sub><F0>Press \n<\"para\", Subcomponent = yes><F21>Enter"
                "<End Sub><F0> and see <Ref, Page #, Page Value = " +
                n + ", Tag = t" + n + ">.\n\n";
        text += "<\"listing\">\n\nmake all<HR>\nmake install\n\n";
    }
    return text;
}

} // namespace quillex::bench
