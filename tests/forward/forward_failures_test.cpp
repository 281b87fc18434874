// Files that end early in a forward batch: malformed frames, blocks without
// their start and over-long index texts end their file with their result
// code, leave no ORG copy, no QMX file and nothing in the ancillary text,
// and the files after them convert.
#include "conversion_fixture.h"

#include <algorithm>

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

struct Failure {
    const char* what;
    std::string body;
    int code;
};

std::vector<Failure> failures() {
    return {
        {"a text string with too few fields",
         "<\"p\">\n\n<|, \"1\">A<Frame,\n\tDiagram =\nV11,\n(t14,1,0)\n>\n\n", result::ParserError},
        {"a diagram object that is not one",
         "<\"p\">\n\n<|, \"1\">A<Frame,\n\tDiagram =\nV11,\nplain text\n>\n\n",
         result::ParserError},
        {"a frame end without its start", "<\"p\">\n\n<|, \"1\">A</af>B\n\n", result::ParserError},
        {"a footnote end without its start", "<\"p\">\n\n<|, \"1\">A</fn>\n\n",
         result::ParserError},
        {"an index marker end without its start", "<\"p\">\n\n<|, \"1\">A</imk>\n\n",
         result::ParserError},
        {"a stray escape character",
         "<\"p\">\n\n<|, \"1\">A\x1b"
         "B\n\n",
         result::StrayEscape},
        {"an index text of 251 characters",
         "<\"p\">\n\n<|, \"1\">A<Index, \"" + std::string(251, 'x') + "\">\n\n",
         result::IndexMarkerTooLong},
    };
}

class ForwardFailureTest : public ConversionTest {};

} // namespace

TEST_F(ForwardFailureTest, FailedFilesLeaveNothingAndTheBatchGoesOn) {
    const std::string good = document("<!Class, \"s\", Contents = Shared>\n\nS\n\n",
                                      "<\"p\">\n\n<|, \"1\">Good\n\n<\"s\">\n\n");
    for (const Failure& failure : failures()) {
        SCOPED_TRACE(failure.what);
        TempDir batch;
        options.orgDirectory = batch.subfolder("org");
        options.translatedDirectory = batch.subfolder("translated");
        collector = AncillaryCollector{};

        ASSERT_EQ(convert("before.DOC", good), result::Success);
        EXPECT_EQ(convert("bad.DOC", document("<!Class, \"s\", Contents = Shared>\n\nS\n\n",
                                              failure.body + "<\"s\">\n\n")),
                  failure.code);
        ASSERT_EQ(convert("after.DOC", good), result::Success);

        EXPECT_EQ(listFolder(options.orgDirectory),
                  (Lines{"after.ORG", "after.TXT", "before.ORG", "before.TXT"}));
        EXPECT_EQ(listFolder(options.translatedDirectory), (Lines{"after.TXT", "before.TXT"}));
        EXPECT_EQ(collector.files, (Lines{"BEFORE.DOC", "AFTER.DOC"}));
        EXPECT_EQ(collector.classes.at("s").size(), 2u);
        for (const std::string& line : collector.lines)
            EXPECT_EQ(line.find("BAD"), std::string::npos) << line;
    }
}

// A style file that fails adds no section and no catalog.
TEST_F(ForwardFailureTest, FailedStyleFileLeavesNothing) {
    const std::string style = document("<!Class, \"s\", Contents = Shared>\n\nS<Index, \"" +
                                           std::string(260, 'y') + "\">\n\n",
                                       "<\"p\">\n\nx\n\n");
    EXPECT_EQ(convert("bad.STY", style), result::IndexMarkerTooLong);
    EXPECT_TRUE(listFolder(options.orgDirectory).empty());
    EXPECT_TRUE(collector.lines.empty());
}

// An escape character that begins no kanji run is refused with a result of
// its own and its place in the file; one that begins a kanji run is text.
TEST_F(ForwardFailureTest, AStrayEscapeIsRefusedWithItsPlace) {
    const std::string text = document("", "<\"p\">\n\n<|, \"1\">Kanji \x1b$B%F%9\x1b(B.\n\n"
                                          "<\"p\">\n\nA stray \x1b"
                                          "escape\n\n");
    const std::size_t at = text.rfind('\x1b');
    const std::size_t lineStart = text.rfind('\n', at) + 1;
    const int line = static_cast<int>(std::count(text.begin(), text.begin() + at, '\n')) + 1;
    const int column = static_cast<int>(at - lineStart) + 1;

    EXPECT_EQ(convert("stray.DOC", text), result::StrayEscape);
    const std::string place = options.inputPath + ":" + std::to_string(line) + ":" +
                              std::to_string(column) +
                              ": an escape character (code 27) that begins no Japanese text; "
                              "remove it and convert the file again";
    EXPECT_EQ(host.results, (Lines{place}));
    EXPECT_TRUE(listFolder(options.orgDirectory).empty());

    // The kanji run alone converts.
    EXPECT_EQ(convert("kanji.DOC", document("", "<\"p\">\n\n<|, \"1\">Kanji "
                                                "\x1b$B%F%9\x1b(B.\n\n")),
              result::Success);
}
