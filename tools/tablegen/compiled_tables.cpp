// Writing the parser tables as constant arrays.
#include "compiled_tables.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <sstream>
#include <vector>

namespace quillex::tablegen {

namespace {

constexpr std::uint32_t kNumberLimit = 1u << kCellKindShift;

std::uint32_t cellNumber(int number) {
    if (number < 0 || static_cast<std::uint32_t>(number) >= kNumberLimit)
        throw DefinitionError("state or production " + std::to_string(number) +
                              " does not fit a compiled table cell");
    return static_cast<std::uint32_t>(number);
}

std::uint32_t actionCell(const ParserAction& a) {
    switch (a.kind) {
    case ParserAction::Kind::Shift:
        return kCellShift << kCellKindShift | cellNumber(a.value);
    case ParserAction::Kind::Reduce:
        return kCellReduce << kCellKindShift | cellNumber(a.value);
    case ParserAction::Kind::Accept:
        break;
    }
    return kCellAccept << kCellKindShift;
}

// The production of two symbols that every action of the state reduces by;
// kCellNone when the actions differ or do anything else.
std::uint32_t foldOf(const Grammar& g, const ParserState& state) {
    int production = -1;
    for (const ParserAction& a : state.actions) {
        if (a.kind != ParserAction::Kind::Reduce || (production >= 0 && a.value != production))
            return kCellNone;
        production = a.value;
    }
    if (production < 0 || g.productions[production].rhs.size() != 2)
        return kCellNone;
    return cellNumber(production);
}

// Cells `columns` to a line, each line headed by the state of its first
// cell: a row's state, or (`perState`) the cell's own index.
void writeCells(std::ostream& out, const std::vector<std::uint32_t>& cells, std::size_t columns,
                bool perState = false) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i % columns == 0)
            out << (i == 0 ? "" : "\n") << "    /* " << (perState ? i : i / columns) << " */";
        out << ' ' << cells[i] << ',';
    }
    out << '\n';
}

std::int32_t tokenValue(const Grammar& g, int symbol) {
    return static_cast<std::int32_t>(g.symbols[symbol].number);
}

constexpr std::uint32_t kByteCodes = 256;
constexpr std::uint32_t kNoByteState = 0xFFFF;
constexpr std::uint32_t kByteStateMask = 0x7FFF;
constexpr std::uint32_t kByteFinalBit = 0x8000;

// The byte classes and rows of one list, as the scanner builds them from its
// image: a class per distinct column of next states, numbered in the order
// of their first byte.
struct ByteRows {
    std::vector<std::uint32_t> classes; // by byte
    std::uint32_t classCount = 0;
    std::vector<std::uint32_t> rows; // empty: the list has none
};

ByteRows byteRowsOf(const Dfa& dfa) {
    const std::size_t states = dfa.states.size();
    ByteRows out;
    if (states >= kByteStateMask)
        return out;
    std::vector<std::uint32_t> full(states * kByteCodes, kNoByteState);
    for (std::size_t s = 0; s < states; ++s)
        for (const DfaTransition& t : dfa.states[s].transitions) {
            if (t.lo >= kByteCodes)
                break;
            const std::uint32_t hi = std::min(t.hi, kByteCodes - 1);
            std::uint32_t entry = kNoByteState;
            if (t.next >= 0)
                entry =
                    static_cast<std::uint32_t>(t.next) |
                    (dfa.states[static_cast<std::size_t>(t.next)].rule >= 0 ? kByteFinalBit : 0);
            for (std::uint32_t code = t.lo; code <= hi; ++code)
                full[s * kByteCodes + code] = entry;
        }
    std::vector<std::vector<std::uint32_t>> columns;
    std::vector<std::uint32_t> firstByte;
    for (std::uint32_t code = 0; code < kByteCodes; ++code) {
        std::vector<std::uint32_t> column(states);
        for (std::size_t s = 0; s < states; ++s)
            column[s] = full[s * kByteCodes + code];
        const auto found = std::find(columns.begin(), columns.end(), column);
        if (found == columns.end()) {
            columns.push_back(std::move(column));
            firstByte.push_back(code);
            out.classes.push_back(static_cast<std::uint32_t>(columns.size() - 1));
        } else {
            out.classes.push_back(static_cast<std::uint32_t>(found - columns.begin()));
        }
    }
    out.classCount = static_cast<std::uint32_t>(columns.size());
    if (states * out.classCount > kByteStateMask)
        return out;
    for (std::size_t s = 0; s < states; ++s)
        for (std::uint32_t c = 0; c < out.classCount; ++c) {
            const std::uint32_t next = full[s * kByteCodes + firstByte[c]];
            out.rows.push_back(next == kNoByteState ? kNoByteState
                                                    : ((next & kByteStateMask) * out.classCount) |
                                                          (next & kByteFinalBit));
        }
    return out;
}

void writeList(std::ostream& out, std::size_t index, const CompiledList& list,
               std::size_t imageOffset) {
    const std::string name = "kList" + std::to_string(index);
    out << "// Expression list " << index << ".\n"
        << "inline constexpr std::uint32_t " << name << "ImageOffset = " << imageOffset << ";\n"
        << "inline constexpr SSLexFinalState " << name << "Finals[] = {\n";
    for (const DfaState& state : list.dfa.states) {
        if (state.rule < 0) {
            out << "    {},\n";
            continue;
        }
        const Acceptance& a = list.rules[static_cast<std::size_t>(state.rule)];
        const std::uint32_t target =
            a.action == ListAction::Push || a.action == ListAction::Goto ? a.list : 0;
        out << "    {" << static_cast<std::uint32_t>(a.token) << "u, " << target << ", "
            << finalFlags(a) << "},\n";
    }
    out << "};\n";
    const ByteRows rows = byteRowsOf(list.dfa);
    out << "inline constexpr std::uint8_t " << name << "Classes[256] = {\n";
    writeCells(out, rows.classes, 16, true);
    out << "};\n"
        << "inline constexpr std::uint32_t " << name << "ClassCount = " << rows.classCount << ";\n";
    if (rows.rows.empty()) {
        out << "inline constexpr const std::uint16_t* " << name << "Rows = nullptr;\n\n";
        return;
    }
    out << "inline constexpr std::uint16_t " << name << "Rows[] = {\n";
    writeCells(out, rows.rows, rows.classCount);
    out << "};\n\n";
}

} // namespace

std::string compiledTables(const std::vector<CompiledList>& lists, const Grammar& g,
                           const ParserTables& tables) {
    const std::size_t states = tables.states.size();
    if (states >= kCellNone)
        throw DefinitionError("too many states for a compiled table");

    std::int32_t low = std::numeric_limits<std::int32_t>::max();
    std::int32_t high = std::numeric_limits<std::int32_t>::min();
    std::uint32_t gotoLow = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t gotoHigh = 0;
    for (const ParserState& state : tables.states) {
        for (const ParserAction& a : state.actions) {
            low = std::min(low, tokenValue(g, a.terminal));
            high = std::max(high, tokenValue(g, a.terminal));
        }
        for (const ParserGoto& gt : state.gotos) {
            gotoLow = std::min(gotoLow, g.symbols[gt.nonterminal].number);
            gotoHigh = std::max(gotoHigh, g.symbols[gt.nonterminal].number);
        }
    }
    const std::size_t columns = static_cast<std::size_t>(std::int64_t{high} - low + 1);
    const std::size_t gotoColumns = std::size_t{gotoHigh} - gotoLow + 1;

    std::vector<std::uint32_t> actions(states * columns, kCellError << kCellKindShift);
    std::vector<std::uint32_t> gotos(states * gotoColumns, kCellNone);
    std::vector<std::uint32_t> folds;
    for (std::size_t s = 0; s < states; ++s) {
        const ParserState& state = tables.states[s];
        for (const ParserAction& a : state.actions)
            actions[s * columns + static_cast<std::size_t>(tokenValue(g, a.terminal) - low)] =
                actionCell(a);
        for (const ParserGoto& gt : state.gotos)
            gotos[s * gotoColumns + (g.symbols[gt.nonterminal].number - gotoLow)] =
                cellNumber(gt.state);
        folds.push_back(foldOf(g, state));
    }

    std::ostringstream out;
    out << "// The Interleaf scanner and parser tables as constant arrays, laid out as\n"
           "// the scanner and the LR parser read them (SSLexCompiledList,\n"
           "// SSYaccCompiledTable). Generated by tools/tablegen from\n"
           "// resources/interleaf_lexer.def and resources/interleaf_grammar.def; do\n"
           "// not edit.\n"
           "#pragma once\n\n"
           "#include \"interleaf_symbols.h\"\n"
           "#include \"parser/ss_lex_final_state.h\"\n\n"
           "#include <cstdint>\n\n"
           "namespace quillex::ileaf::tables {\n\n"
           "inline constexpr std::uint32_t kLexLists = "
        << lists.size() << ";\n\n";
    std::size_t imageOffset = kLexMainHeaderSize;
    std::vector<std::size_t> lengths;
    for (std::size_t l = 0; l < lists.size(); ++l) {
        writeList(out, l, lists[l], imageOffset);
        lengths.push_back(writeListImage(lists[l]).size());
        imageOffset += lengths.back();
    }
    out << "// Each list: where its image lies in the lexer image, its states and\n"
           "// its arrays.\n"
           "struct ListArrays {\n"
           "    std::uint32_t imageOffset;\n"
           "    std::uint32_t imageLength;\n"
           "    std::uint32_t states;\n"
           "    const SSLexFinalState* finals;\n"
           "    const std::uint8_t* byteClasses;\n"
           "    std::uint32_t byteClassCount;\n"
           "    const std::uint16_t* byteRows;\n"
           "};\n"
           "inline constexpr ListArrays kLists[kLexLists] = {\n";
    for (std::size_t l = 0; l < lists.size(); ++l) {
        const std::string name = "kList" + std::to_string(l);
        out << "    {" << name << "ImageOffset, " << lengths[l] << ", "
            << lists[l].dfa.states.size() << ", " << name << "Finals, " << name << "Classes, "
            << name << "ClassCount, " << name << "Rows},\n";
    }
    out << "};\n\n";
    out << "inline constexpr std::uint32_t kStates = " << states << ";\n\n"
        << "// Actions: a row per state, a column per token from kActionBase on; a cell\n"
           "// is kind << 13 | number (kinds: 0 shift, 1 error, 2 reduce, 3 accept).\n"
           "inline constexpr std::int32_t kActionBase = "
        << low << ";\n"
        << "inline constexpr std::uint32_t kActionColumns = " << columns << ";\n"
        << "inline constexpr std::uint16_t kActions[kStates * kActionColumns] = {\n";
    writeCells(out, actions, columns);
    out << "};\n\n"
           "// Gotos: a row per state, a column per nonterminal from kGotoBase on; a\n"
           "// cell is the state, or 0xFFFF for none.\n"
           "inline constexpr std::uint32_t kGotoBase = "
        << gotoLow << ";\n"
        << "inline constexpr std::uint32_t kGotoColumns = " << gotoColumns << ";\n"
        << "inline constexpr std::uint16_t kGotos[kStates * kGotoColumns] = {\n";
    writeCells(out, gotos, gotoColumns);
    out << "};\n\n"
           "// Each production's length and left side.\n"
           "inline constexpr std::uint32_t kProductionSizes[kProductionCount] = {\n";
    for (const Production& p : g.productions)
        out << "    " << p.rhs.size() << ", // " << p.name << '\n';
    out << "};\n"
           "inline constexpr std::uint32_t kProductionLeftsides[kProductionCount] = {\n";
    for (const Production& p : g.productions)
        out << "    " << g.symbols[p.lhs].name << ", // " << p.name << '\n';
    out << "};\n\n"
           "// By state: the production a terminal shifted into it folds by, or 0xFFFF.\n"
           "inline constexpr std::uint16_t kFolds[kStates] = {\n";
    writeCells(out, folds, 16, true);
    out << "};\n\n"
           "} // namespace quillex::ileaf::tables\n";
    return out.str();
}

} // namespace quillex::tablegen
