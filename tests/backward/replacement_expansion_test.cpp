// Multi-line tag replacements: each line ends with five line feeds.
#include "backward/backward_context.h"
#include "conversion/result_code.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;

TEST(ReplacementExpansion, CutsAtEachGroupAndDropsTheRemainder) {
    EXPECT_EQ(expandReplacement("<\"para\">\n\n\n\n\n"), (std::vector<std::string>{"<\"para\">"}));
    EXPECT_EQ(expandReplacement("a\n\n\n\n\nb\n\n\n\n\nrest"),
              (std::vector<std::string>{"a", "b"}));
    // A line may hold fewer line feeds of its own.
    EXPECT_EQ(expandReplacement("a\nb\n\n\n\n\n"), (std::vector<std::string>{"a\nb"}));
    EXPECT_THROW(expandReplacement("<F0>"), ConversionFailure);
    // The tag of text outside any paragraph stands for no markup.
    EXPECT_TRUE(expandReplacement("").empty());
}
