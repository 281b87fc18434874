// Dfa: the deterministic automaton of one expression list.
//
// Each rule of a list is a pattern with a priority (its position in the list).
// The patterns are joined into one nondeterministic automaton, turned into a
// deterministic one by subset construction, and minimised. A state accepts the
// rule of highest priority among the rules that end in it, which is how two
// rules matching the same text are told apart; longer matches are the
// scanner's business.
#pragma once

#include "char_set.h"
#include "pattern.h"

#include <cstdint>
#include <vector>

namespace quillex::tablegen {

struct DfaTransition {
    std::uint32_t lo;
    std::uint32_t hi; // inclusive
    int next;
    bool operator==(const DfaTransition&) const = default;
};

struct DfaState {
    int rule = -1; // index of the accepted rule, -1 when the state accepts nothing
    std::vector<DfaTransition> transitions; // sorted by lo, disjoint
};

struct Dfa {
    std::vector<DfaState> states; // state 0 is the start state
    // Per rule: whether some text is accepted as that rule. A rule that is
    // not is shadowed by earlier rules, a mistake in a definition.
    std::vector<bool> ruleAccepted;

    // Runs the automaton over `codes` from the start state and returns the
    // rule accepted after the longest accepted prefix, with that prefix's
    // length; rule -1 when no prefix (not even the empty one) is accepted.
    struct Match {
        int rule = -1;
        std::size_t length = 0;
    };
    Match longestMatch(const std::vector<std::uint32_t>& codes) const;
};

// Builds the minimal automaton for `patterns`; rule i is patterns[i], and a
// lower index wins where several rules accept the same text. States whose
// rules have equal `acceptKeys` entries may be merged (rules that produce the
// same final-state record are indistinguishable to the scanner).
Dfa buildDfa(const std::vector<Regex>& patterns, const std::vector<int>& acceptKeys);

} // namespace quillex::tablegen
