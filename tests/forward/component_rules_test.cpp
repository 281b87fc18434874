// The component rules: paragraph and subcomponent tags, hidden, read-only,
// shared and prefix components, and the markup each tag stands for.
#include "item_test_fixture.h"

using namespace quillex;
using namespace quillex::testing;

TEST_F(ItemTest, IdenticalParagraphStartsShareTheirNumber) {
    const Items out = convert({"<\"para\">", "a", EOP, "<\"para\">", "b", EOP,
                               "<\"para\", Font = F20>", "c", EOP, "<\"title\">", "d"});
    EXPECT_EQ(out, (Items{"<ps \"para\" 1>", "a", "<ps \"para\" 1>", "b", "<ps \"para\" 2>", "c",
                          "<ps \"title\" 3>", "d"}));
    EXPECT_EQ(replacement("<ps \"para\" 2>"), "<\"para\", Font = F20>" + SEP);
    // A paragraph start keeps the font change after it in the text.
    EXPECT_EQ(convert({"<\"para\">", "<F25>", "x"}), (Items{"<ps \"para\" 1>", "<:fc 1>", "x"}));
}

TEST_F(ItemTest, SubcomponentsAreInlineTagsClosedAtTheirEnd) {
    const Items out = convert({"<\"p\">",
                               "a ",
                               "<\"c\", Subcomponent = yes>",
                               "<F0>",
                               "plain",
                               "<End Sub>",
                               "<F0>",
                               "<\"c\", Subcomponent = yes>",
                               "<F25>",
                               "bold",
                               "<End Sub>",
                               "<\"c\", Subcomponent = yes, Font = F22>",
                               "it",
                               "<End Sub>",
                               "<F0>",
                               "<\"c\", Subcomponent = yes>",
                               "<F0>",
                               "again",
                               "<End Sub>",
                               "<F0>",
                               " z"});
    EXPECT_EQ(out, (Items{"<ps \"p\" 1>", "a ", "<:sc \"c\" 1>", "plain", "<:/sc>", "<:cs \"c\" 1>",
                          "bold", "<:/cs>", "<:cs \"c\" 2>", "it", "<:/cs>", "<:sc \"c\" 1>",
                          "again", "<:/sc>", " z"}));
    // The start and the font change after it are one markup text.
    EXPECT_EQ(replacement("<:sc \"c\" 1>"), "<\"c\", Subcomponent = yes>" + SEP + "<F0>" + SEP);
    EXPECT_EQ(replacement("<:cs \"c\" 2>"), "<\"c\", Subcomponent = yes, Font = F22>" + SEP);
}

// The effectivity value is a quoted argument, written unquoted or not.
TEST_F(ItemTest, SubcomponentsWithEffectivityAreConditional) {
    declareClass("<!Class, \"cond\", @Audience = \"expert\">");
    const Items out =
        convert({"<\"p\">", "<\"cond\", Subcomponent = yes>", "<F0>", "x", "<End Sub>", "<F0>",
                 "<\"c\", Subcomponent = yes, @Os = unix>", "y", "<End Sub>"});
    EXPECT_EQ(out, (Items{"<ps \"p\" 1>", "<:cns \"expert\" 1>", "x", "<:/cns>",
                          "<:cns \"unix\" 2>", "y", "<:/cns>"}));
}

TEST_F(ItemTest, HiddenComponentsWithEffectivityDisappearBehindAMarker) {
    declareClass("<!Class, \"note\", @Audience = \"expert\">");
    const Items out =
        convert({"<\"note\", Hidden = yes>", "secret", EOP, "<\"p\">", "a ",
                 "<\"c\", Subcomponent = yes, Hidden = yes, @Os = unix>", "<F0>", "x", "<End Sub>",
                 "<F0>", "b", EOP, "<\"p\", Hidden = yes>", "shown", EOP});
    EXPECT_EQ(out,
              (Items{"<cnmk 1>", "<ps \"p\" 1>", "a ", "<:cnmk 2>", "b", "<ps \"p\" 2>", "shown"}));
    EXPECT_EQ(replacement("<cnmk 1>"), "<\"note\", Hidden = yes>" + SEP + "secret" + SEP);
    EXPECT_EQ(replacement("<:cnmk 2>"), "<\"c\", Subcomponent = yes, Hidden = yes, @Os = unix>" +
                                            SEP + "<F0>" + SEP + "x" + SEP + "<End Sub>" + SEP +
                                            "<F0>" + SEP);
}

TEST_F(ItemTest, ReadOnlyComponentsHideTheirTextWhenTheSettingSaysSo) {
    declareClass("<!Class, \"code\", Read Only = yes>");
    const Items items = {"<\"code\">",
                         "int ",
                         "<<",
                         "a",
                         ">",
                         ";",
                         "<Tab>",
                         "x",
                         EOP,
                         "<\"code\", Read Only = no>",
                         "free",
                         EOP,
                         "<\"p\", Read Only = yes>",
                         "fixed ",
                         "<F25>",
                         "bold",
                         "<F0>",
                         EOP,
                         "<\"code\">",
                         "int ",
                         "<<",
                         "a",
                         ">",
                         ";",
                         "<Tab>",
                         "x",
                         EOP};
    EXPECT_EQ(convert(items), (Items{"<r \"int <:lt>a<:gt>;<:t>x\" 1>", "<ps \"code\" 1>", "free",
                                     "<r \"fixed bold\" 2>", "<r \"int <:lt>a<:gt>;<:t>x\" 1>"}));
    EXPECT_EQ(replacement("<r \"fixed bold\" 2>"), "<\"p\", Read Only = yes>" + SEP + "fixed " +
                                                       SEP + "<F25>" + SEP + "bold" + SEP + "<F0>" +
                                                       SEP);

    // With READ_ONLY_COMPONENTS = 0 they are converted like any other.
    known.clear();
    replacements.clear();
    TagRegistry fresh(known, replacements);
    settings.readOnlyComponents = ReadOnlyComponents::Translate;
    const Items out =
        strings(ItemConverter(fresh, classes, extensions, settings, &notes).convert(views(items)));
    EXPECT_EQ(Items(out.begin(), out.begin() + 4),
              (Items{"<ps \"code\" 1>", "int ", "<:lt>", "a"}));
}

TEST_F(ItemTest, SharedContentsAreShownButNotOffered) {
    declareClass("<!Class, \"rule:Adot\", Contents = Shared>");
    declareClass("<!Class, \"shared-para\", Contents = Shared>");
    const Items out =
        convert({"<\"rule:Adot\">", "<Tab.>", EOP, "<\"rule:Adot\", Contents = None>", "own", EOP,
                 "<\"p\">", "inline", "<\"shared-para\", Subcomponent = yes>", "<F0>", " text",
                 "<End Sub>", "<F0>", " back", "<\"x\", Subcomponent = yes, Contents = Shared>",
                 "own shared", "<End Sub>", EOP});
    EXPECT_EQ(out, (Items{"<v \"<:t.>\" 1>", "<ps \"rule:Adot\" 1>", "own", "<ps \"p\" 2>",
                          "inline", "<:v \" text\" 2>", " back", "<:v \"own shared\" 3>"}));
    // Only a class's shared text goes to the ancillary file.
    EXPECT_EQ(extensions.sharedClasses, (Items{"rule:Adot", "shared-para"}));
}

TEST_F(ItemTest, PrefixesStayOnTheLineOfAPrefixParagraph) {
    declareClass("<!Class, \"list\", Contents = Prefix>");
    declareClass("<!Class, \"|:list\", Contents = Shared>");
    const Items prefix = {"<\"|:list\", Subcomponent = yes>",
                          "<F0>",
                          "<Tab>",
                          "<F25>",
                          ">",
                          "<F0>",
                          "<Tab>",
                          "<End Sub>",
                          "<F0>"};
    Items items = {"<|,\"1\">", "<\"list\">"};
    items.insert(items.end(), prefix.begin(), prefix.end());
    items.insert(items.end(), {"The Include command", EOP, "<\"para\">", "see "});
    items.insert(items.end(), prefix.begin(), prefix.end());
    items.insert(items.end(), {EOP, "<\"list\">"});
    items.insert(items.end(), prefix.begin(), prefix.end());
    items.push_back("Tracing");

    const Items out = lines(items);
    EXPECT_EQ(out,
              (Items{"<page \"1\">", "<ps \"list\" 1><pn \"<:t><:gt><:t>\" 1>The Include command",
                     "<ps \"para\" 2>see <:pn \"<:t><:gt><:t>\" 1>",
                     "<ps \"list\" 1><pn \"<:t><:gt><:t>\" 1>Tracing", "</page>"}));
    // Both written forms lead back to the same markup.
    EXPECT_EQ(replacement("<pn \"<:t><:gt><:t>\" 1>"), replacement("<:pn \"<:t><:gt><:t>\" 1>"));
    EXPECT_EQ(known.size(), 4u); // with the page mark
}

TEST_F(ItemTest, SharedItemsInHiddenComponentsAreStillCollected) {
    settings.readOnlyComponents = ReadOnlyComponents::DontTranslate;
    convert({"<\"p\", Read Only = yes>", "a", "<:saf \"logo\" 1>", EOP});
    EXPECT_EQ(extensions.sharedItems, Items{"<:saf \"logo\" 1>"});
}

TEST_F(ItemTest, VariablesGoToTheirConversionWithTheirParagraphEnd) {
    struct VariableExtensions : RecordingExtensions {
        std::size_t handed = 0;
        std::optional<ItemList> convertVariable(std::span<const std::string_view> c,
                                                const TagAttributes&) override {
            handed = c.size();
            return ItemList{"<xrv \"a\" 1>", "</xrv>"};
        }
    } variables;
    const Items out = strings(ItemConverter(registry, classes, variables, settings, &notes)
                                  .convert({"<\"v\", Lisp = \"x\">", "a", EOP, "<\"p\">", "b"}));
    EXPECT_EQ(variables.handed, 3u);
    EXPECT_EQ(out, (Items{"<xrv \"a\" 1>", "</xrv>", "<ps \"p\" 1>", "b"}));
}

TEST_F(ItemTest, ASubcomponentLeftOpenEndsWithItsParagraph) {
    EXPECT_EQ(convert({"<\"p\">", "<\"c\", Subcomponent = yes>", "<F25>", "x", EOP, "<\"p\">",
                       "<\"d\", Subcomponent = yes>", "y", "<End Sub>", "<F0>"}),
              (Items{"<ps \"p\" 1>", "<:cs \"c\" 1>", "x", "<:/cs>", "<ps \"p\" 1>",
                     "<:sc \"d\" 1>", "y", "<:/sc>"}));
}

TEST(TagRegistry, MarkupTagsAreReusedStructureNumbersNever) {
    TagRegistry::TagMap known, replacements;
    TagRegistry registry(known, replacements);
    auto cell = [&](const std::string& markup) {
        const std::string tag =
            "<ct " + std::to_string(registry.nextNumber(TagCounter::Cell)) + ">";
        registry.enter(markup, tag);
        return tag;
    };
    auto font = [&](const std::string& markup) {
        return registry.markupTag(markup, TagCounter::Font,
                                  [](int n) { return "<:fc " + std::to_string(n) + ">"; });
    };
    // Two identical cell tags are two cells; two identical font changes one tag.
    EXPECT_EQ(cell("<Cell>"), "<ct 1>");
    EXPECT_EQ(cell("<Cell>"), "<ct 2>");
    EXPECT_EQ(font("<F25>"), "<:fc 1>");
    EXPECT_EQ(font("<F22>"), "<:fc 2>");
    EXPECT_EQ(font("<F25>"), "<:fc 1>");
    EXPECT_EQ(replacements.at("<ct 1>"), "<Cell>");
    EXPECT_EQ(replacements.at("<ct 2>"), "<Cell>");
    EXPECT_EQ(known.at("<F22>"), "<:fc 2>");
    // Each kind counts on its own.
    EXPECT_EQ(registry.nextNumber(TagCounter::Paragraph), 1);
    EXPECT_EQ(registry.nextNumber(TagCounter::Cell), 3);
}
