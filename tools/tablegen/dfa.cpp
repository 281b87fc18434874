// Dfa construction: Thompson automaton, subset construction over disjoint
// code intervals ("atoms"), then Moore's partition refinement.
#include "dfa.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace quillex::tablegen {

namespace {

struct NfaEdge {
    CharSet chars;
    int next;
};

struct NfaState {
    std::vector<NfaEdge> edges;
    std::vector<int> epsilon;
    int rule = -1; // accepting state of that rule
};

// Thompson's construction: every pattern becomes a fragment with one entry and
// one exit state.
class NfaBuilder {
  public:
    std::vector<NfaState> states;

    int newState() {
        states.emplace_back();
        return static_cast<int>(states.size()) - 1;
    }

    std::pair<int, int> build(const Regex& r) {
        switch (r.kind) {
        case Regex::Kind::Empty: {
            const int s = newState();
            return {s, s};
        }
        case Regex::Kind::Chars: {
            const int in = newState();
            const int out = newState();
            states[in].edges.push_back({r.chars, out});
            return {in, out};
        }
        case Regex::Kind::Concat: {
            std::pair<int, int> whole = build(Regex::empty());
            for (const Regex& part : r.parts) {
                const auto piece = build(part);
                states[whole.second].epsilon.push_back(piece.first);
                whole.second = piece.second;
            }
            return whole;
        }
        case Regex::Kind::Alternate: {
            const int in = newState();
            const int out = newState();
            for (const Regex& part : r.parts) {
                const auto piece = build(part);
                states[in].epsilon.push_back(piece.first);
                states[piece.second].epsilon.push_back(out);
            }
            return {in, out};
        }
        case Regex::Kind::Star:
        case Regex::Kind::Plus:
        case Regex::Kind::Optional: {
            const int in = newState();
            const int out = newState();
            const auto piece = build(r.parts.front());
            states[in].epsilon.push_back(piece.first);
            states[piece.second].epsilon.push_back(out);
            if (r.kind != Regex::Kind::Plus)
                states[in].epsilon.push_back(out); // may be skipped
            if (r.kind != Regex::Kind::Optional)
                states[piece.second].epsilon.push_back(piece.first); // may repeat
            return {in, out};
        }
        }
        return {newState(), newState()};
    }
};

using StateSet = std::vector<int>; // sorted NFA state numbers

StateSet epsilonClosure(const std::vector<NfaState>& nfa, StateSet seed) {
    std::vector<bool> in(nfa.size(), false);
    std::vector<int> work = seed;
    for (int s : seed)
        in[s] = true;
    while (!work.empty()) {
        const int s = work.back();
        work.pop_back();
        for (int t : nfa[s].epsilon) {
            if (!in[t]) {
                in[t] = true;
                seed.push_back(t);
                work.push_back(t);
            }
        }
    }
    std::sort(seed.begin(), seed.end());
    return seed;
}

// Splits the code space into the intervals on which every edge is either
// wholly present or wholly absent.
std::vector<CodeRange> atomsOf(const std::vector<NfaState>& nfa) {
    std::set<std::uint64_t> cuts;
    for (const NfaState& s : nfa)
        for (const NfaEdge& e : s.edges)
            for (const CodeRange& r : e.chars.ranges()) {
                cuts.insert(r.lo);
                cuts.insert(static_cast<std::uint64_t>(r.hi) + 1);
            }
    std::vector<CodeRange> atoms;
    for (auto it = cuts.begin(); it != cuts.end() && std::next(it) != cuts.end(); ++it)
        atoms.push_back(
            {static_cast<std::uint32_t>(*it), static_cast<std::uint32_t>(*std::next(it) - 1)});
    return atoms;
}

// The automaton as a dense table: next[state][atom], -1 for no transition.
struct DenseDfa {
    std::vector<std::vector<int>> next;
    std::vector<int> rule;
};

DenseDfa subsetConstruction(const std::vector<NfaState>& nfa, int start,
                            const std::vector<CodeRange>& atoms) {
    // Atoms covered by each edge, found once.
    std::vector<std::vector<std::vector<int>>> edgeAtoms(nfa.size());
    for (std::size_t s = 0; s < nfa.size(); ++s)
        for (const NfaEdge& e : nfa[s].edges) {
            std::vector<int> covered;
            for (std::size_t a = 0; a < atoms.size(); ++a)
                if (e.chars.contains(atoms[a].lo))
                    covered.push_back(static_cast<int>(a));
            edgeAtoms[s].push_back(std::move(covered));
        }

    DenseDfa dfa;
    std::map<StateSet, int> numbers;
    std::vector<StateSet> sets;
    auto intern = [&](StateSet set) {
        const auto found = numbers.find(set);
        if (found != numbers.end())
            return found->second;
        const int number = static_cast<int>(sets.size());
        numbers.emplace(set, number);
        int rule = -1;
        for (int s : set)
            if (nfa[s].rule >= 0 && (rule < 0 || nfa[s].rule < rule))
                rule = nfa[s].rule;
        sets.push_back(std::move(set));
        dfa.rule.push_back(rule);
        dfa.next.emplace_back(atoms.size(), -1);
        return number;
    };
    intern(epsilonClosure(nfa, {start}));
    for (std::size_t d = 0; d < sets.size(); ++d) {
        std::vector<StateSet> moves(atoms.size());
        for (int s : sets[d])
            for (std::size_t e = 0; e < nfa[s].edges.size(); ++e)
                for (int a : edgeAtoms[s][e])
                    moves[a].push_back(nfa[s].edges[e].next);
        for (std::size_t a = 0; a < atoms.size(); ++a) {
            if (moves[a].empty())
                continue;
            std::sort(moves[a].begin(), moves[a].end());
            moves[a].erase(std::unique(moves[a].begin(), moves[a].end()), moves[a].end());
            const int target = intern(epsilonClosure(nfa, std::move(moves[a])));
            dfa.next[d][a] = target;
        }
    }
    return dfa;
}

// Moore's algorithm: start from the partition by accepted record and split
// blocks until every state of a block moves into the same blocks.
std::vector<int> minimalBlocks(const DenseDfa& dfa, const std::vector<int>& acceptKeys) {
    const std::size_t n = dfa.rule.size();
    std::vector<int> block(n);
    {
        std::map<int, int> byKey;
        for (std::size_t s = 0; s < n; ++s) {
            const int key = dfa.rule[s] < 0 ? -1 : acceptKeys[dfa.rule[s]];
            block[s] = byKey.emplace(key, static_cast<int>(byKey.size())).first->second;
        }
    }
    std::size_t count = 0;
    while (true) {
        std::map<std::vector<int>, int> bySignature;
        std::vector<int> refined(n);
        for (std::size_t s = 0; s < n; ++s) {
            std::vector<int> signature{block[s]};
            for (int t : dfa.next[s])
                signature.push_back(t < 0 ? -1 : block[t]);
            refined[s] =
                bySignature.emplace(signature, static_cast<int>(bySignature.size())).first->second;
        }
        block = std::move(refined);
        if (bySignature.size() == count)
            return block;
        count = bySignature.size();
    }
}

// Builds the final automaton from the blocks, numbering states in breadth-first
// order from the start state so that the start state is 0.
Dfa collapse(const DenseDfa& dfa, const std::vector<int>& block,
             const std::vector<CodeRange>& atoms) {
    std::vector<int> representative;
    std::map<int, int> numberOfBlock;
    representative.push_back(0);
    numberOfBlock[block[0]] = 0;
    Dfa result;
    for (std::size_t i = 0; i < representative.size(); ++i) {
        const int s = representative[i];
        DfaState state;
        state.rule = dfa.rule[s];
        for (std::size_t a = 0; a < atoms.size(); ++a) {
            const int t = dfa.next[s][a];
            if (t < 0)
                continue;
            auto [it, added] =
                numberOfBlock.emplace(block[t], static_cast<int>(representative.size()));
            if (added)
                representative.push_back(t);
            const int next = it->second;
            if (!state.transitions.empty() && state.transitions.back().next == next &&
                state.transitions.back().hi + 1 == atoms[a].lo)
                state.transitions.back().hi = atoms[a].hi;
            else
                state.transitions.push_back({atoms[a].lo, atoms[a].hi, next});
        }
        result.states.push_back(std::move(state));
    }
    return result;
}

} // namespace

Dfa buildDfa(const std::vector<Regex>& patterns, const std::vector<int>& acceptKeys) {
    NfaBuilder builder;
    const int start = builder.newState();
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const auto piece = builder.build(patterns[i]);
        builder.states[start].epsilon.push_back(piece.first);
        builder.states[piece.second].rule = static_cast<int>(i);
    }
    const std::vector<CodeRange> atoms = atomsOf(builder.states);
    const DenseDfa dense = subsetConstruction(builder.states, start, atoms);
    Dfa dfa = collapse(dense, minimalBlocks(dense, acceptKeys), atoms);
    dfa.ruleAccepted.assign(patterns.size(), false);
    for (int rule : dense.rule)
        if (rule >= 0)
            dfa.ruleAccepted[rule] = true;
    return dfa;
}

Dfa::Match Dfa::longestMatch(const std::vector<std::uint32_t>& codes) const {
    Match match;
    int state = 0;
    match.rule = states[0].rule;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        int next = -1;
        for (const DfaTransition& t : states[state].transitions)
            if (codes[i] >= t.lo && codes[i] <= t.hi) {
                next = t.next;
                break;
            }
        if (next < 0)
            break;
        state = next;
        if (states[state].rule >= 0)
            match = {states[state].rule, i + 1};
    }
    return match;
}

} // namespace quillex::tablegen
