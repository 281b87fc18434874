// LALR(1) construction: LR(0) item sets, lookahead propagation, actions.
#include "lalr.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace quillex::tablegen {

namespace {

// A set of terminals (by symbol index) plus one placeholder bit used while
// finding which lookaheads propagate.
class LookaheadSet {
  public:
    explicit LookaheadSet(std::size_t symbols = 0) : bits_(symbols + 1, false) {}
    std::size_t placeholder() const { return bits_.size() - 1; }
    void add(std::size_t symbol) { bits_[symbol] = true; }
    bool contains(std::size_t symbol) const { return bits_[symbol]; }
    // Adds every member of `other`; true when this set grew.
    bool addAll(const LookaheadSet& other) {
        bool grew = false;
        for (std::size_t i = 0; i < bits_.size(); ++i)
            if (other.bits_[i] && !bits_[i])
                bits_[i] = grew = true;
        return grew;
    }
    std::size_t size() const { return bits_.size(); }

  private:
    std::vector<bool> bits_;
};

class LalrBuilder {
  public:
    explicit LalrBuilder(const Grammar& g) : g_(g), nsym_(g.symbols.size()) {}

    ParserTables build() {
        computeFirstSets();
        buildItemSets();
        computeLookaheads();
        fillActions();
        return std::move(tables_);
    }

  private:
    // ---- FIRST sets --------------------------------------------------------

    void computeFirstSets() {
        nullable_.assign(nsym_, false);
        first_.assign(nsym_, LookaheadSet(nsym_));
        for (std::size_t s = 0; s < nsym_; ++s)
            if (g_.isTerminal(static_cast<int>(s)))
                first_[s].add(s);
        for (bool changed = true; changed;) {
            changed = false;
            for (const Production& p : g_.productions) {
                bool allNullable = true;
                for (int s : p.rhs) {
                    changed = first_[p.lhs].addAll(first_[s]) || changed;
                    if (!nullable_[s]) {
                        allNullable = false;
                        break;
                    }
                }
                if (allNullable && !nullable_[p.lhs])
                    nullable_[p.lhs] = changed = true;
            }
        }
    }

    // FIRST of rhs[from...] followed by `tail`.
    LookaheadSet firstOfRest(const Production& p, std::size_t from,
                             const LookaheadSet& tail) const {
        LookaheadSet result(nsym_);
        for (std::size_t i = from; i < p.rhs.size(); ++i) {
            result.addAll(first_[p.rhs[i]]);
            if (!nullable_[p.rhs[i]])
                return result;
        }
        result.addAll(tail);
        return result;
    }

    // ---- LR(0) item sets ---------------------------------------------------

    int symbolAfterDot(const Item& item) const {
        const Production& p = g_.productions[item.production];
        return item.dot < static_cast<int>(p.rhs.size()) ? p.rhs[item.dot] : -1;
    }

    // The kernel followed by the items it implies, in the order they are found.
    std::vector<Item> closure(const std::vector<Item>& kernel) const {
        std::vector<Item> items = kernel;
        std::vector<bool> added(nsym_, false);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int x = symbolAfterDot(items[i]);
            if (x < 0 || g_.isTerminal(x) || added[x])
                continue;
            added[x] = true;
            for (std::size_t p = 0; p < g_.productions.size(); ++p)
                if (g_.productions[p].lhs == x)
                    items.push_back({static_cast<int>(p), 0});
        }
        return items;
    }

    int internState(std::vector<Item> kernel) {
        std::sort(kernel.begin(), kernel.end());
        const auto found = stateOfKernel_.find(kernel);
        if (found != stateOfKernel_.end())
            return found->second;
        const int number = static_cast<int>(tables_.states.size());
        stateOfKernel_.emplace(kernel, number);
        ParserState state;
        state.kernel = std::move(kernel);
        tables_.states.push_back(std::move(state));
        return number;
    }

    // Creates the states breadth first from the start state. The successors of
    // a state are numbered walking its closure from the last item back to the
    // kernel, so the state that accepts after a complete start symbol comes
    // last among the start state's successors (state 52 of the Interleaf
    // grammar). The end of input leads to a state of its own that holds the
    // finished start production; it is never entered, since seeing eof there
    // accepts.
    void buildItemSets() {
        internState({{0, 0}});
        for (std::size_t s = 0; s < tables_.states.size(); ++s) {
            const std::vector<Item> items = closure(tables_.states[s].kernel);
            std::vector<int> order;
            std::map<int, std::vector<Item>> advanced;
            for (auto item = items.rbegin(); item != items.rend(); ++item) {
                const int x = symbolAfterDot(*item);
                if (x < 0)
                    continue;
                if (!advanced.count(x))
                    order.push_back(x);
                advanced[x].push_back({item->production, item->dot + 1});
            }
            for (int x : order)
                transitions_[{static_cast<int>(s), x}] = internState(advanced[x]);
        }
    }

    int kernelIndex(int state, const Item& item) const {
        const std::vector<Item>& kernel = tables_.states[state].kernel;
        return static_cast<int>(std::lower_bound(kernel.begin(), kernel.end(), item) -
                                kernel.begin());
    }

    // ---- Lookaheads --------------------------------------------------------

    // LR(1) closure: each item with the lookaheads that may follow it.
    std::map<Item, LookaheadSet> closure1(std::map<Item, LookaheadSet> items) const {
        std::vector<Item> work;
        for (const auto& entry : items)
            work.push_back(entry.first);
        while (!work.empty()) {
            const Item item = work.back();
            work.pop_back();
            const int x = symbolAfterDot(item);
            if (x < 0 || g_.isTerminal(x))
                continue;
            const LookaheadSet follow =
                firstOfRest(g_.productions[item.production], item.dot + 1, items.at(item));
            for (std::size_t p = 0; p < g_.productions.size(); ++p) {
                if (g_.productions[p].lhs != x)
                    continue;
                const Item start{static_cast<int>(p), 0};
                auto [it, inserted] = items.try_emplace(start, LookaheadSet(nsym_));
                if (it->second.addAll(follow) || inserted)
                    work.push_back(start);
            }
        }
        return items;
    }

    void computeLookaheads() {
        const std::size_t n = tables_.states.size();
        lookaheads_.resize(n);
        for (std::size_t s = 0; s < n; ++s)
            lookaheads_[s].assign(tables_.states[s].kernel.size(), LookaheadSet(nsym_));

        // Propagation links: (state, kernel item) -> (state, kernel item).
        std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> links;
        for (std::size_t s = 0; s < n; ++s) {
            const std::vector<Item>& kernel = tables_.states[s].kernel;
            for (std::size_t k = 0; k < kernel.size(); ++k) {
                LookaheadSet probe(nsym_);
                probe.add(probe.placeholder());
                for (const auto& [item, la] : closure1({{kernel[k], probe}})) {
                    const int x = symbolAfterDot(item);
                    if (x < 0)
                        continue;
                    const int target = transitions_.at({static_cast<int>(s), x});
                    const int index = kernelIndex(target, {item.production, item.dot + 1});
                    for (std::size_t t = 0; t < la.size(); ++t) {
                        if (!la.contains(t))
                            continue;
                        if (t == la.placeholder())
                            links.push_back(
                                {{static_cast<int>(s), static_cast<int>(k)}, {target, index}});
                        else
                            lookaheads_[target][index].add(t);
                    }
                }
            }
        }
        for (bool changed = true; changed;) {
            changed = false;
            for (const auto& [from, to] : links)
                changed =
                    lookaheads_[to.first][to.second].addAll(lookaheads_[from.first][from.second]) ||
                    changed;
        }
    }

    // ---- Actions -----------------------------------------------------------

    void addAction(ParserState& state, int stateNumber, const ParserAction& action) {
        for (const ParserAction& other : state.actions) {
            if (other.terminal != action.terminal)
                continue;
            if (other.kind == action.kind && other.value == action.value)
                return;
            tables_.conflicts.push_back("state " + std::to_string(stateNumber) + ", token " +
                                        g_.symbols[action.terminal].name + ": " + describe(other) +
                                        " / " + describe(action));
            return;
        }
        state.actions.push_back(action);
    }

    std::string describe(const ParserAction& a) const {
        switch (a.kind) {
        case ParserAction::Kind::Shift:
            return "shift " + std::to_string(a.value);
        case ParserAction::Kind::Reduce:
            return "reduce " + std::to_string(a.value);
        case ParserAction::Kind::Accept:
            return "accept";
        }
        return "?";
    }

    void fillActions() {
        std::vector<bool> reduced(g_.productions.size(), false);
        for (std::size_t s = 0; s < tables_.states.size(); ++s) {
            ParserState& state = tables_.states[s];
            const int sn = static_cast<int>(s);
            std::map<Item, LookaheadSet> seed;
            for (std::size_t k = 0; k < state.kernel.size(); ++k)
                seed.emplace(state.kernel[k], lookaheads_[s][k]);
            for (const auto& [item, la] : closure1(seed)) {
                const int x = symbolAfterDot(item);
                if (x == g_.eof) {
                    addAction(state, sn, {x, ParserAction::Kind::Accept, 0});
                } else if (x >= 0 && g_.isTerminal(x)) {
                    addAction(state, sn, {x, ParserAction::Kind::Shift, transitions_.at({sn, x})});
                } else if (x >= 0) {
                    state.gotos.push_back({x, transitions_.at({sn, x})});
                } else {
                    reduced[item.production] = true;
                    for (std::size_t t = 0; t < la.size() - 1; ++t)
                        if (la.contains(t))
                            addAction(
                                state, sn,
                                {static_cast<int>(t), ParserAction::Kind::Reduce, item.production});
                }
            }
            sortEntries(state);
        }
        for (std::size_t p = 1; p < reduced.size(); ++p)
            if (!reduced[p])
                tables_.unusedProductions.push_back(static_cast<int>(p));
    }

    void sortEntries(ParserState& state) const {
        std::sort(state.actions.begin(), state.actions.end(),
                  [&](const ParserAction& a, const ParserAction& b) {
                      return g_.symbols[a.terminal].number < g_.symbols[b.terminal].number;
                  });
        std::sort(state.gotos.begin(), state.gotos.end(),
                  [&](const ParserGoto& a, const ParserGoto& b) {
                      return g_.symbols[a.nonterminal].number < g_.symbols[b.nonterminal].number;
                  });
        state.gotos.erase(std::unique(state.gotos.begin(), state.gotos.end(),
                                      [](const ParserGoto& a, const ParserGoto& b) {
                                          return a.nonterminal == b.nonterminal;
                                      }),
                          state.gotos.end());
    }

    const Grammar& g_;
    const std::size_t nsym_;
    std::vector<bool> nullable_;
    std::vector<LookaheadSet> first_;
    std::map<std::vector<Item>, int> stateOfKernel_;
    std::map<std::pair<int, int>, int> transitions_;    // (state, symbol) -> state
    std::vector<std::vector<LookaheadSet>> lookaheads_; // per state, per kernel item
    ParserTables tables_;
};

} // namespace

ParserTables buildLalrTables(const Grammar& grammar) {
    return LalrBuilder(grammar).build();
}

std::string describeTables(const Grammar& g, const ParserTables& tables) {
    std::ostringstream out;
    for (std::size_t s = 0; s < tables.states.size(); ++s) {
        const ParserState& state = tables.states[s];
        out << "State " << s << ":\n";
        for (const Item& item : state.kernel) {
            const Production& p = g.productions[item.production];
            out << "    (" << item.production << ") " << g.symbols[p.lhs].name << " :";
            for (std::size_t i = 0; i <= p.rhs.size(); ++i) {
                if (static_cast<int>(i) == item.dot)
                    out << " .";
                if (i < p.rhs.size())
                    out << ' ' << g.symbols[p.rhs[i]].name;
            }
            out << '\n';
        }
        out << '\n';
        for (const ParserAction& a : state.actions) {
            out << "    " << g.symbols[a.terminal].name << "  ";
            if (a.kind == ParserAction::Kind::Shift)
                out << "shift " << a.value << '\n';
            else if (a.kind == ParserAction::Kind::Reduce)
                out << "reduce " << a.value << '\n';
            else
                out << "accept\n";
        }
        for (const ParserGoto& gt : state.gotos)
            out << "    " << g.symbols[gt.nonterminal].name << "  goto " << gt.state << '\n';
        out << '\n';
    }
    return out.str();
}

} // namespace quillex::tablegen
