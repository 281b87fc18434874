// RTF prologue strings. The texts are fixed: the translation editor finds the
// character styles by these exact names and numbers.
#include "qmx/rtf_prologue.h"

#include <string_view>

namespace quillex {
namespace {

// Fonts 1 (fixed pitch), 2 (sans serif) and 3 (serif, the default font) in
// one character set. Font names of the Asian code pages are written as \'hh
// escapes of their bytes in that code page.
struct SourceFonts {
    int codePage;
    std::string_view f1;
    std::string_view f2;
    std::string_view f3;
};

// clang-format off
constexpr SourceFonts kSourceFonts[] = {
    {1250,
     R"({\f1 \fmodern\fcharset238\fprq1 Courier New CE;})" "\n",
     R"({\f2 \fswiss\fcharset238\fprq2 Arial CE;})" "\n",
     R"({\f3 \froman\fcharset238\fprq2 Times New Roman CE;})"},
    {1251,
     R"({\f1 \fmodern\fcharset204\fprq1 Courier New CYR;})" "\n",
     R"({\f2 \fswiss\fcharset204\fprq2 Arial CYR;})" "\n",
     R"({\f3 \froman\fcharset204\fprq2 Times New Roman CYR;})"},
    {1252,
     R"({\f1 \fmodern\fcharset0\fprq1 Courier New;})" "\n",
     R"({\f2 \fswiss\fcharset0\fprq2 Arial;})" "\n",
     R"({\f3 \froman\fcharset0\fprq2 Times New Roman;})"},
    {1253,
     R"({\f1 \fmodern\fcharset161\fprq1 Courier New Greek;})" "\n",
     R"({\f2 \fswiss\fcharset161\fprq2 Arial Greek;})" "\n",
     R"({\f3 \froman\fcharset161\fprq2 Times New Roman Greek;})"},
    {1254,
     R"({\f1 \fmodern\fcharset162\fprq1 Courier New TUR;})" "\n",
     R"({\f2 \fswiss\fcharset162\fprq2 Arial TUR;})" "\n",
     R"({\f3 \froman\fcharset162\fprq2 Times New Roman TUR;})"},
    {1257,
     R"({\f1 \fmodern\fcharset186\fprq1 Courier New Baltic;})" "\n",
     R"({\f2 \fswiss\fcharset186\fprq2 Arial Baltic;})" "\n",
     R"({\f3 \froman\fcharset186\fprq2 Times New Roman Baltic;})"},
    // Japanese: MS PGothic, MS Gothic, MS Mincho.
    {932,
     R"({\f1 \fmodern\fcharset128\fprq2 \'82\'6c\'82\'72 \'82\'6f\'83\'53\'83\'56\'83\'62\'83\'4e;})" "\n",
     R"({\f2 \fmodern\fcharset128\fprq1 \'82\'6c\'82\'72 \'83\'53\'83\'56\'83\'62\'83\'4e;})" "\n",
     R"({\f3 \froman\fcharset128\fprq1 \'82\'6c\'82\'72 \'96\'be\'92\'a9;})" "\n"},
    // Simplified Chinese: NSimSun, SimHei, SimSun.
    {936,
     R"({\f1 \fmodern\fcharset134\fprq1 \'d0\'c2\'cb\'ce\'cc\'e5;})" "\n",
     R"({\f2 \fswiss\fcharset134\fprq2 \'ba\'da\'cc\'e5;})" "\n",
     R"({\f3 \fnil\fcharset134\fprq2 \'cb\'ce\'cc\'e5;})"},
    // Korean: GulimChe, Dotum, Batang.
    {949,
     R"({\f1 \fmodern\fcharset129\fprq1 \'b1\'bc\'b8\'b2\'c3\'bc;})" "\n",
     R"({\f2 \fswiss\fcharset129\fprq2 \'b5\'b8\'bf\'f2;})" "\n",
     R"({\f3 \froman\fcharset129\fprq2 \'b9\'d9\'c5\'c1;})"},
    // Traditional Chinese: MingLiU, then PMingLiU for both proportional fonts
    // (the code page's standard fonts have no sans serif face).
    {950,
     R"({\f1 \fmodern\fcharset136\fprq1 \'b2\'d3\'a9\'fa\'c5\'e9;})" "\n",
     R"({\f2 \fswiss\fcharset136\fprq2 \'b7\'73\'b2\'d3\'a9\'fa\'c5\'e9;})" "\n",
     R"({\f3 \froman\fcharset136\fprq2 \'b7\'73\'b2\'d3\'a9\'fa\'c5\'e9;})"},
};

// Font 4, in the target character set; each entry also closes the font table.
struct TargetFont {
    int codePage;
    std::string_view f4;
};

constexpr TargetFont kTargetFonts[] = {
    {932, "\n" R"({\f4 \froman\fcharset128\fprq1 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}})" "\n"},
    {936, "\n" R"({\f4 \fnil\fcharset134\fprq2 \'cb\'ce\'cc\'e5;}})" "\n"},
    {949, "\n" R"({\f4 \fmodern\fcharset129\fprq2 \'b1\'bc\'b8\'b2;}})" "\n"},
    {950, "\n" R"({\f4 \fnil\fcharset136\fprq2 \'b7\'73\'b2\'d3\'a9\'fa\'c5\'e9;}})" "\n"},
    {1250, "\n" R"({\f4 \froman\fcharset238\fprq2 Times New Roman CE;}})" "\n"},
    {1251, "\n" R"({\f4 \froman\fcharset204\fprq2 Times New Roman CYR;}})" "\n"},
    {1253, "\n" R"({\f4 \froman\fcharset161\fprq2 Times New Roman Greek;}})" "\n"},
    {1254, "\n" R"({\f4 \froman\fcharset162\fprq2 Times New Roman TUR;}})" "\n"},
    {1257, "\n" R"({\f4 \froman\fcharset186\fprq2 Times New Roman Baltic;}})" "\n"},
};
constexpr std::string_view kWesternTargetFont =
    "\n" R"({\f4 \froman\fcharset0\fprq2 Times New Roman;}})" "\n";

constexpr std::string_view kColourTable =
    R"({\colortbl \red0\green0\blue0;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;)" "\n"
    R"(\red255\green0\blue255;\red255\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;)" "\n"
    R"(\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;)" "\n"
    R"(\red128\green128\blue128;\red192\green192\blue192;})" "\n";

constexpr std::string_view kStyleSheet =
    R"({\stylesheet )" "\n"
    R"({\s0 \sb0\slmult1\widctlpar\fs20\f3 \snext0 Normal;})" "\n"
    R"({\cs1 \additive \v\cf12\sub\f1 pw2segMark;})" "\n"
    R"({\cs2 \cf4\fs40\f1 pw2segError;})" "\n"
    R"({\cs3 \f1\cf11 pw2segPopup;})" "\n"
    R"({\cs4 \f1\cf10 pw2segJump;})" "\n"
    R"({\cs5 \additive \cf15\f1\lang1024 pw2segExternal;})" "\n"
    R"({\cs6 \additive \cf6\f1\lang1024 pw2segInternal;})" "\n"
    R"({\cs7 \cf2 pw2segTerm;})" "\n"
    R"({\cs8 \additive Default Paragraph Font;}})" "\n";

constexpr std::string_view kA4Portrait =
    R"(\paperw11907\paperh16840\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f3 )" "\n";
constexpr std::string_view kLetterPortrait =
    R"(\paperw12242\paperh15842\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f3 )" "\n";
// clang-format on

// A code page without fonts of its own gets the Western fonts, so that the
// default font and the styles always refer to fonts the table defines.
const SourceFonts& sourceFontsFor(int codePage) {
    for (const SourceFonts& fonts : kSourceFonts)
        if (fonts.codePage == codePage)
            return fonts;
    for (const SourceFonts& fonts : kSourceFonts)
        if (fonts.codePage == 1252)
            return fonts;
    return kSourceFonts[0];
}

std::string_view targetFontFor(int codePage) {
    for (const TargetFont& font : kTargetFonts)
        if (font.codePage == codePage)
            return font.f4;
    return kWesternTargetFont;
}

} // namespace

std::string rtfPrologue(PaperSize paper, int sourceCodePage, int targetCodePage) {
    std::string text;
    text.reserve(2048);
    text += R"({\rtf1\ansi\deff3\deflang1024 )"
            "\n";
    text += R"({\fonttbl )"
            "\n";
    const SourceFonts& fonts = sourceFontsFor(sourceCodePage);
    text += fonts.f1;
    text += fonts.f2;
    text += fonts.f3;
    if (sourceCodePage == targetCodePage)
        text += "}\n";
    else
        text += targetFontFor(targetCodePage);
    text += kColourTable;
    text += kStyleSheet;
    text += paper == PaperSize::A4 ? kA4Portrait : kLetterPortrait;
    return text;
}

} // namespace quillex
