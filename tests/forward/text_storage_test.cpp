// Where the forward conversion keeps texts: the text store, the lines of a
// piece (views of the source and texts of their own) and the tag registry,
// which keeps each markup and tag once and hands out views of them.
#include "forward/document_piece.h"
#include "forward/piece_lines.h"
#include "forward/tag_registry.h"
#include "foundation/text_store.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace quillex;

// Texts of every size, the block-sized and larger ones among them, read back
// unchanged after all of them are kept, wherever each landed.
TEST(TextStore, EveryKeptTextReadsBackUnchanged) {
    TextStore store;
    std::mt19937 random(17);
    std::vector<std::string> texts;
    std::vector<std::string_view> kept;
    for (int i = 0; i < 3000; ++i) {
        const std::size_t size = i % 97 == 0 ? 20000 + random() % 70000 : random() % 300;
        std::string text(size, '\0');
        for (char& c : text)
            c = static_cast<char>('a' + random() % 26);
        kept.push_back(store.keep(text));
        texts.push_back(std::move(text));
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(kept[i], texts[i]) << i;
    EXPECT_TRUE(store.keep("").empty());
}

TEST(PieceLines, ViewsAndTextsOfTheirOwnStayValid) {
    const std::string source = "<\"p\">word";
    PieceLines lines;
    lines.addView(std::string_view(source).substr(0, 5));
    lines.add(std::string("made ") + "here");
    lines.addView(std::string_view(source).substr(5));
    lines.insert(1, {"<Comment>", "inserted"});
    EXPECT_EQ(lines,
              (std::vector<std::string>{"<\"p\">", "<Comment>", "inserted", "made here", "word"}));
    EXPECT_EQ(lines[0].data(), source.data()); // a view, not a copy

    // Dropping lines keeps their texts: views handed out stay valid.
    const std::string_view made = lines[3];
    lines.keepFirst(1);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(made, "made here");

    // A copy owns its lines; lines assigned from strings are the list's own.
    PieceLines copy = lines;
    EXPECT_NE(copy[0].data(), source.data());
    EXPECT_EQ(copy, lines);
    std::vector<std::string> strings = {"a", "b"};
    copy = strings;
    strings.clear();
    EXPECT_EQ(copy, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(made, "made here");
}

// The backward conversion fills a copy of the pieces on the side: the copy
// views the piece's texts, sees every field, and its lines stay valid when
// the piece is filled with lines of its own.
TEST(PieceLines, AViewingCopyOfAPieceSharesItsTexts) {
    const std::string source = "<Frame, Name = F>text";
    DocumentPiece piece(PieceKind::Frame);
    piece.lines.addView(std::string_view(source).substr(0, 17));
    piece.lines.add("made");
    piece.number = 4;
    piece.objectNumber = 5;
    piece.firstPosition = 1.5f;
    piece.secondPosition = 2.5f;
    piece.sharedContents = true;
    piece.qmxTag = "<f 7>";
    piece.name = "F";
    piece.filled = true;

    const std::unique_ptr<DocumentPiece> copy = piece.viewingCopy();
    EXPECT_EQ(copy->kind, piece.kind);
    EXPECT_EQ(copy->number, 4);
    EXPECT_EQ(copy->objectNumber, 5);
    EXPECT_EQ(copy->firstPosition, 1.5f);
    EXPECT_EQ(copy->secondPosition, 2.5f);
    EXPECT_TRUE(copy->sharedContents);
    EXPECT_EQ(copy->qmxTag, "<f 7>");
    EXPECT_EQ(copy->name, "F");
    EXPECT_TRUE(copy->filled);
    ASSERT_EQ(copy->lines, piece.lines);
    EXPECT_EQ(copy->lines[0].data(), source.data());
    EXPECT_EQ(copy->lines[1].data(), piece.lines[1].data());

    piece.lines = std::vector<std::string>{"filled"};
    EXPECT_EQ(copy->lines, (std::vector<std::string>{"<Frame, Name = F>", "made"}));
}

// The maps hold views: the registry keeps the texts it is given, so that the
// caller's own may go, and a text both maps hold is kept once.
TEST(TagRegistry, KeepsEachTextOnceAndOutlivesTheCallersTexts) {
    TagRegistry::TagMap known, replacements;
    TagRegistry registry(known, replacements);
    std::string markup = "<\"para\">\n\n\n\n\n";
    const std::string_view tag = registry.markupTag(markup, TagCounter::Paragraph, [](int n) {
        return "<ps \"para\" " + std::to_string(n) + ">";
    });
    markup.assign(markup.size(), '#');
    EXPECT_EQ(tag, "<ps \"para\" 1>");
    EXPECT_EQ(known.at("<\"para\">\n\n\n\n\n"), tag);
    EXPECT_EQ(replacements.at(tag), "<\"para\">\n\n\n\n\n");
    // Met again, the markup gets the same tag and uses no number.
    EXPECT_EQ(registry
                  .markupTag("<\"para\">\n\n\n\n\n", TagCounter::Paragraph,
                             [](int) { return std::string("unused"); })
                  .data(),
              tag.data());

    const std::string_view self = registry.enterSelf(std::string("</tb>"));
    EXPECT_EQ(known.at("</tb>").data(), self.data());
    EXPECT_EQ(replacements.at("</tb>").data(), self.data());
    EXPECT_EQ(known.find("</tb>")->first.data(), self.data());
    // A second written form of a tag leads back to the same markup text.
    const std::string_view second =
        registry.enterReplacement("<:ps \"para\" 1>", std::string("<\"para\">\n\n\n\n\n"));
    EXPECT_EQ(replacements.at(second).data(), replacements.at(tag).data());
}
