// Writing the parser table image.
#include "yacc_image.h"

#include "byte_writer.h"
#include "pattern.h"

namespace quillex::tablegen {

namespace {

std::uint32_t checkedNumber(std::size_t number) {
    if (number > kEntryNumberMask)
        throw DefinitionError("SSYacc: Too many tokens or productions, " + std::to_string(number));
    return static_cast<std::uint32_t>(number);
}

std::uint32_t entryValue(const ParserAction& a) {
    switch (a.kind) {
    case ParserAction::Kind::Shift:
        return kEntryShift | checkedNumber(a.value);
    case ParserAction::Kind::Reduce:
        return kEntryReduce | checkedNumber(a.value);
    case ParserAction::Kind::Accept:
        return kEntryAccept;
    }
    return 0;
}

} // namespace

std::vector<std::uint8_t> writeYaccImage(const Grammar& g, const ParserTables& tables) {
    const std::size_t states = tables.states.size();
    const std::size_t productions = checkedNumber(g.productions.size());
    if (productions > 0xFFFF)
        throw DefinitionError("too many productions for the header");
    const std::size_t productionTable = 20 + 4 * states;
    const std::size_t firstRow = productionTable + 8 * productions;

    ByteWriter out;
    out.put32(kYaccMagic);
    out.put32(static_cast<std::uint32_t>(productions)); // no lookahead-resolution automata
    out.put32(static_cast<std::uint32_t>(states));
    out.put32(static_cast<std::uint32_t>(firstRow));
    out.put32(static_cast<std::uint32_t>(productionTable));
    out.putZeros(4 * states); // row offsets, patched below

    for (const Production& p : g.productions) {
        out.put32(static_cast<std::uint32_t>(p.rhs.size()));
        out.put32(g.symbols[p.lhs].number);
    }

    for (std::size_t s = 0; s < states; ++s) {
        const ParserState& state = tables.states[s];
        out.patch32(20 + 4 * s, static_cast<std::uint32_t>(out.size()));
        out.put32(0); // flags: no sync markers, no error entry
        out.put32(static_cast<std::uint32_t>(state.gotos.size()));
        out.put32(static_cast<std::uint32_t>(state.actions.size()));
        for (const ParserAction& a : state.actions) {
            out.put32(entryValue(a));
            out.put32(g.symbols[a.terminal].number);
        }
        for (const ParserGoto& gt : state.gotos) {
            out.put32(checkedNumber(gt.state));
            out.put32(g.symbols[gt.nonterminal].number);
        }
    }
    return out.bytes();
}

} // namespace quillex::tablegen
