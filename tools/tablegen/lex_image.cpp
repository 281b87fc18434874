// Compiling the expression lists and writing the lexer table image.
#include "lex_image.h"

#include "byte_writer.h"

namespace quillex::tablegen {

namespace {

constexpr std::size_t kListHeaderSize = 88;
constexpr std::size_t kFinalRecordSize = 28;

} // namespace

std::uint32_t finalFlags(const Acceptance& a) {
    std::uint32_t flags = kFlagFinal;
    if (a.ignore)
        flags |= kFlagIgnore;
    switch (a.action) {
    case ListAction::None:
        break;
    case ListAction::Push:
        flags |= kFlagPush;
        break;
    case ListAction::Pop:
        flags |= kFlagPop;
        break;
    case ListAction::Goto:
        flags |= kFlagPush | kFlagPop;
        break;
    }
    return flags;
}

std::vector<std::uint8_t> writeListImage(const CompiledList& list) {
    const std::vector<DfaState>& states = list.dfa.states;
    const std::size_t count = states.size();
    const std::size_t finalOffset = kListHeaderSize;
    const std::size_t rowOffsetsOffset = finalOffset + count * kFinalRecordSize;

    ByteWriter out;
    out.put32(kLexMagic); // image type
    out.put32(0);         // length, patched below
    out.putZeros(32);
    out.put32(static_cast<std::uint32_t>(count));
    out.put32(0); // length again, patched below
    out.put32(static_cast<std::uint32_t>(rowOffsetsOffset));
    out.put32(static_cast<std::uint32_t>(finalOffset));
    out.putZeros(32);

    for (const DfaState& state : states) {
        if (state.rule < 0) {
            out.putZeros(kFinalRecordSize);
            continue;
        }
        const Acceptance& a = list.rules[state.rule];
        out.put32(static_cast<std::uint32_t>(a.token));
        out.put32(a.action == ListAction::Push || a.action == ListAction::Goto ? a.list : 0);
        out.put32(finalFlags(a));
        out.putZeros(16);
    }

    const std::size_t rowOffsetArray = out.size();
    out.putZeros(4 * count);
    for (std::size_t s = 0; s < count; ++s) {
        out.patch32(rowOffsetArray + 4 * s, static_cast<std::uint32_t>(out.size()));
        out.put32(static_cast<std::uint32_t>(states[s].transitions.size()));
        for (const DfaTransition& t : states[s].transitions) {
            out.put32(t.lo);
            out.put32(t.hi);
            out.put32(static_cast<std::uint32_t>(t.next));
        }
    }
    out.patch32(4, static_cast<std::uint32_t>(out.size()));
    out.patch32(44, static_cast<std::uint32_t>(out.size()));
    return out.bytes();
}

std::vector<CompiledList> compileLists(const LexerDefinition& def) {
    std::vector<CompiledList> compiled;
    for (const ExpressionListDefinition& list : def.lists) {
        std::vector<Regex> patterns;
        CompiledList result;
        // The start symbol comes first: every list skips it.
        patterns.push_back(Regex::ofChars(CharSet::single(kStartSymbol)));
        result.rules.push_back({-1, true, ListAction::None, 0});
        for (const LexRule& rule : list.rules) {
            patterns.push_back(rule.pattern);
            result.rules.push_back(rule.accept);
        }
        // Rules with equal acceptance give equal final-state records.
        std::vector<int> keys;
        for (std::size_t i = 0; i < result.rules.size(); ++i) {
            std::size_t first = 0;
            while (!(result.rules[first] == result.rules[i]))
                ++first;
            keys.push_back(static_cast<int>(first));
        }
        result.dfa = buildDfa(patterns, keys);
        compiled.push_back(std::move(result));
    }
    return compiled;
}

std::vector<std::uint8_t> writeLexImage(const std::vector<CompiledList>& lists) {
    ByteWriter out;
    out.put32(static_cast<std::uint32_t>(lists.size()));
    out.put32(kLexMagic);
    out.putZeros(kLexMainHeaderSize - 8);
    for (const CompiledList& list : lists)
        out.append(writeListImage(list));
    return out.bytes();
}

} // namespace quillex::tablegen
