// Item conversion: every rule for items other than component starts.
#include "item_test_fixture.h"

using namespace quillex;
using namespace quillex::testing;

TEST_F(ItemTest, LayoutItemsAreDroppedAndSimpleTagsReplaced) {
    EXPECT_EQ(convert({"a", "<SR>", "<Comment>", EOP, "<<", ">", "<Tab>", "<Tab.>", "<Tab->",
                       "<Tab_>", "<Tab-dash>", "<HR>", "<SP>", "b"}),
              (Items{"a", "<:lt>", "<:gt>", "<:t>", "<:t.>", "<:t->", "<:t_>", "<:t-d>", "<:hr>",
                     "<:hs>", "b"}));
    // Markup that no rule knows is kept behind a marker that stands for it
    // exactly, as "<FJ>" is; QMX tags of earlier steps pass.
    EXPECT_EQ(convert({"<Unknown, x>", "<End Sub>", "<FJ>", "<Unknown, x>", "<tb 1>"}),
              (Items{"<:crmk 1>", "<:crmk 2>", "<:crmk 3>", "<:crmk 1>", "<tb 1>"}));
    EXPECT_EQ(replacement("<:crmk 2>"), "<End Sub>");
    EXPECT_EQ(replacement("<:crmk 3>"), "<FJ>");
}

TEST_F(ItemTest, CharacterCodesUseQuoteTagsInBodyText) {
    EXPECT_EQ(
        convert({"<#7f>", "<#e9>", "<#0105>", "<#80a1>", "<#3c>", "<#0118>", "<#2000>"}),
        (Items{"<:ldq>", "\xe9", "<:ems>", "<:bb \"Filename\">", "<:lt>", "<:glq>", "<:r8192>"}));
    settings.characters.smartQuotes = false;
    EXPECT_EQ(convert({"<#7f>", "<#0118>"}), (Items{"\"", "\x84"}));
    settings.characters.japaneseSource = true;
    EXPECT_EQ(convert({"<#e9>", "<#0221>"}), (Items{"<:r233>", "\x81\x40"}));
}

TEST_F(ItemTest, FontChangesAreMarkupTagsNumberedByTheirText) {
    EXPECT_EQ(convert({"<F25>", "w", "<F0>", "<F22>", "x", "<F25>", "y", "<F0>"}),
              (Items{"<:fc 1>", "w", "<:/fc>", "<:fc 2>", "x", "<:fc 1>", "y", "<:/fc>"}));
    EXPECT_EQ(known.at("<F25>"), "<:fc 1>");
    EXPECT_EQ(replacement("<:fc 2>"), "<F22>");
    // A later list of the same file goes on with the same numbers. A font
    // that the next font change replaces at once sets no text and takes no
    // number: a translation could not keep it.
    EXPECT_EQ(convert({"<F26>", "<F22>", "z", "<F27>", "<F0>", "<F28>", "v"}),
              (Items{"<:fc 2>", "z", "<:/fc>", "<:fc 3>", "v"}));
    EXPECT_EQ(replacement("<:fc 3>"), "<F28>");
}

TEST_F(ItemTest, PageBreaksOpenAndClosePages) {
    EXPECT_EQ(convert({"<|, \"1\">", "a", "<|,\"ii\">", "b", "<|, \"1\">", "c"}),
              (Items{"<page \"1\">", "a", "</page>", "<page \"ii\">", "b", "</page>",
                     "<page \"1\">", "c", "</page>"}));
    EXPECT_EQ(replacement("<page \"ii\">"), "<|,\"ii\">");
    // An unquoted label is taken whole; a mark without label gives an empty one.
    EXPECT_EQ(
        convert({"<|,41>", "<|, ii >", "<|>"}),
        (Items{"<page \"41\">", "</page>", "<page \"ii\">", "</page>", "<page \"\">", "</page>"}));
}

TEST_F(ItemTest, AutonumbersWithAValueShowItOthersBecomeMarkers) {
    const Items out = convert({"<Autonum, \"list\", 1, Value = \"3.\">", "<Autonum, \"chap\", 1>",
                               "<Autonum, \"list\", 1, Value = \"3.\">"});
    EXPECT_EQ(out, (Items{"<:an 3. 1>", "<:crmk 2>", "<:an 3. 1>"}));
    EXPECT_EQ(extensions.autonumbers.size(), 3u);
    // Formats and headers: every reference a new marker.
    settings.autonumbersAsMarkers = true;
    EXPECT_EQ(convert({"<Autonum, \"list\", 1, Value = \"3.\">", "<Autonum, \"x\">"}),
              (Items{"<:crmk 3>", "<:crmk 4>"}));
}

TEST_F(ItemTest, ReferencesByValuePageValueOrResult) {
    const Items out = convert(
        {"<Ref, Page #, Page Value = 166, Tag = ssave>", "<Ref, Auto #, Value = \"2.1\", Tag = a>",
         "<Ref, Attribute, Result = \"ab\", Tag = short>",
         "<Ref, Attribute, Result = \"Long text\", Tag = long>", "<Ref, Auto #, Tag = none>",
         "<Ref, Page #, Page Value = 166, Tag = ssave>"});
    EXPECT_EQ(out, (Items{"<:xr 166 1>", "<:xr 2.1 2>", "<:axr 1>", "<:axr 2>", "<:xr 3>",
                          "<:xr 166 1>"}));
    EXPECT_EQ(notes.lines(),
              std::vector<std::string>{
                  "Warning! Attribute reference long can not be translated using The Quillex."});
}

TEST_F(ItemTest, EscapeRunsSharedItemsAndIndexMarkers) {
    EXPECT_EQ(convert({"\x1b$B<>\x1b(B"}), (Items{"<:r27>$B<:lt><:gt><:r27>(B"}));
    EXPECT_EQ(convert({"<tn \"obj\">", "<:saf \"f\" 1>"}),
              (Items{"<tn \"obj\">", "<:saf \"f\" 1>"}));
    EXPECT_EQ(extensions.sharedItems, (Items{"<tn \"obj\">", "<:saf \"f\" 1>"}));
    // Without an index marker conversion the marker is left alone.
    EXPECT_EQ(convert({"<Index, \"entry\">"}), (Items{"<Index, \"entry\">"}));
}

TEST_F(ItemTest, IndexMarkersGoToTheirConversion) {
    struct MarkerExtensions : RecordingExtensions {
        std::optional<ItemList> convertIndexMarker(std::string_view) override {
            return ItemList{"<imk 1>", "<ie>", "entry", "</imk>"};
        }
    } markers;
    const Items out = strings(ItemConverter(registry, classes, markers, settings, &notes)
                                  .convert({"a", "<Index, \"entry\">", "b"}));
    EXPECT_EQ(out, (Items{"a", "<imk 1>", "<ie>", "entry", "</imk>", "b"}));
}
