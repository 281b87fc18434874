// SSYacc: the table-driven LR parser. It pulls lexemes from an SSLex, looks
// up shift, reduce, accept and error actions in an SSYaccTable, keeps a stack
// of elements by value (SSYaccStack), and hands every reduction to reduce(),
// which each application supplies.
//
// A subclass hooks in by overriding reduce() (required: fill the element of
// the left side from elementFromProduction()), by choosing its own element
// type (useElements<Element>()), by overriding shift() (what a terminal's
// element carries) and error() (syntax errors: report, then setAbort() or
// recover). The lookahead-resolution machinery resolves conflict entries by
// running a small automaton over the tokens that follow.
#pragma once

#include "parser/ss_exception.h"
#include "parser/ss_lex.h"
#include "parser/ss_lex_lexeme.h"
#include "parser/ss_yacc_lexeme_cache.h"
#include "parser/ss_yacc_stack.h"
#include "parser/ss_yacc_stack_element.h"
#include "parser/ss_yacc_table.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <typeinfo>
#include <vector>

namespace quillex {

// The parse loops a parser can be compiled with. General: lookahead
// resolution for tables with conflicts, and error() may recover and go on.
// WithoutRecovery: for a grammar whose table has no conflicts (so nothing is
// read ahead) and whose error() ends the parse; its loop takes each
// lookahead straight from the lexer and has neither path (a conflict entry
// is a damaged table). It takes tokens as plain records (SSLex::nextToken)
// rather than lexeme objects: its elements hold SSLexToken values, its hooks
// are shiftToken() and foldToken(), and it makes a lexeme only for error().
enum class SSYaccDriver { General, WithoutRecovery };

class SSYacc {
  public:
    static constexpr std::int32_t eofToken = -1;
    static constexpr std::int32_t errorTokenNumber = -2;

    // Neither lexer nor table; the owner sets both before parse().
    SSYacc();
    SSYacc(SSLex& lexer, SSYaccTable& table);
    SSYacc(SSLex& lexer, const std::string& tablePath);
    explicit SSYacc(const std::string& tablePath);

    SSYacc(const SSYacc&) = delete;
    SSYacc& operator=(const SSYacc&) = delete;
    virtual ~SSYacc();

    // Parses to the end: 0 when the input was accepted without any error,
    // non-zero otherwise. Engine failures raise SSException.
    int parse();
    // State 0, no lookahead, flags cleared, a fresh stack.
    void reset();

    void setTable(SSYaccTable& table);
    void setTable(const std::string& tablePath);
    void setLex(SSLex& lexer) { lex_ = &lexer; }
    SSLex* lex() const { return lex_; }
    SSYaccTable* table() const { return table_; }

    // The production being reduced, its length and its left side.
    std::uint32_t production() const { return production_; }
    std::uint32_t productionSize() const { return productionSize_; }
    std::uint32_t leftside() const { return leftside_; }
    // Element of right-hand-side symbol `index` (0 = leftmost) of the
    // production being reduced; SSYacc0108e outside 0..productionSize()-1.
    SSYaccStackElement* elementFromProduction(std::int32_t index);
    // Element `index` places below the top (0 = the top); SSLifo0003e when
    // the stack is not that deep.
    SSYaccStackElement* elementFromStack(std::uint32_t index);
    // The lookahead as a lexeme (the general loop; the loop without
    // recovery sets it only for error()).
    SSLexLexeme* lookahead() const { return lookahead_.get(); }
    std::uint32_t state() const { return state_; }
    // Tokens of the state's action entries, in table order; SSYacc0114e
    // (id 35) for a state the table does not have.
    std::vector<std::int32_t> validLookaheads(std::uint32_t state) const;
    static constexpr std::uint32_t noFold = 0xFFFFFFFF;
    // The production `list : list terminal` that a terminal shifted into
    // `state` folds by, or noFold: the states whose every action reduces it.
    std::uint32_t foldingProduction(std::uint32_t state) {
        if (folds_.empty())
            findFolds();
        return foldOf(state);
    }
    bool wasError() const { return wasError_; }
    void setAbort(bool abort = true) { abort_ = abort; }
    bool isAborted() const { return abort_; }
    std::uint32_t shiftedSinceError() const { return shiftedSinceError_; }
    // Pushes a new element in `state`, which becomes the parser state, and
    // returns it for the caller to fill.
    SSYaccStackElement& push(std::uint32_t state);
    // Pops `count` elements (never the bottom one: SSLifo0004e).
    void pop(std::uint32_t count);
    // Number of elements on the stack, the bottom one included.
    std::size_t stackDepth() const { return stack_->depth(); }
    SSYaccLexemeCache& lexemeCache() { return cache_; }
    const SSExceptionPresent& exceptionPresent() const { return pending_; }

    // Error recovery a subclass may call from error(): synchronise on the
    // tokens the table marks (errorToken), or skip input to one of `tokens`
    // (errorPanic). Both return 0 when the parse can go on.
    int errorToken();
    int errorPanic(std::span<const std::int32_t> tokens);

    // The hooks, in the engine's order. Defaults: accept() answers whether an
    // error was seen; nextLexeme() pulls from the lexer; shift() leaves the
    // terminal's element as the engine made it (its lexeme set);
    // larLookahead() accepts every cached lexeme; error() runs errorToken();
    // larError() calls error(). reduce() has no default.
    virtual int accept();
    virtual SSRefPtr<SSLexLexeme> nextLexeme();
    // Completes the element of a shifted terminal (a fresh element of the
    // parser's type, its lexeme set); false stops the parse.
    virtual bool shift(SSLexLexeme& lexeme, SSYaccStackElement& element);
    virtual int larLookahead(SSLexLexeme& lexeme);
    virtual int error(std::uint32_t state, SSLexLexeme& lookahead);
    virtual int larError(std::uint32_t state, SSLexLexeme& lookahead, SSLexLexeme* larLexeme);
    // Fills the element of the left side (a fresh element of the parser's
    // type, which takes the right side's place); false stops the parse.
    virtual bool reduce(std::uint32_t production, std::uint32_t size, SSYaccStackElement& left) = 0;
    // Whether fold() does what shift() and reduce() would do: then the
    // engine folds terminals into lists. Where a shift leads to a state
    // whose every action reduces one production of two symbols, the
    // left-recursive `list : list terminal`, and the lookahead after the
    // terminal takes that reduction, the engine calls fold() with the list's
    // element instead of pushing the terminal and reducing. Long runs of
    // words and layout then cost no stack element and no reduce() each.
    // Default false: a parser that overrides reduce() keeps every reduction.
    virtual bool foldsLists() const { return false; }
    // Turns `top`, the element of a list, into the left side that shifting
    // `terminal` and reducing `production` would have made, in place.
    // production() and productionSize() are set; elementFromProduction() is
    // not available. The default refuses (false stops the parse).
    virtual bool fold(std::uint32_t production, const SSRefPtr<SSLexLexeme>& terminal,
                      SSYaccStackElement& top);
    // shift() and fold() of the loop without recovery, which hands terminals
    // on as token records (the element's token set). Defaults: true, false.
    virtual bool shiftToken(const SSLexToken& token, SSYaccStackElement& element);
    virtual bool foldToken(std::uint32_t production, const SSLexToken& terminal,
                           SSYaccStackElement& top);

  protected:
    // Makes the stack hold elements of type `Element` (derived from
    // SSYaccStackElement), the parse loop the one of `driver`, and starts
    // afresh; a subclass calls it from its constructor. Plain
    // SSYaccStackElement elements and the general loop until then.
    template <class Element, SSYaccDriver driver = SSYaccDriver::General> void useElements() {
        stack_ = std::make_unique<SSYaccStackOf<Element>>();
        run_ = [](SSYacc& parser) {
            return parser.runOn<SSYaccStackOf<Element>, driver>(
                static_cast<SSYaccStackOf<Element>&>(*parser.stack_));
        };
        reset();
    }

    // The type of the stack's elements.
    const std::type_info& elementType() const { return stack_->elementType(); }
    // Marks `production` (of one symbol) as passing its symbol's element on
    // as the left side, unchanged: from then on the engine moves that element
    // into the goto state itself, without calling reduce().
    void passThrough(std::uint32_t production);

    SSExceptionPresent pending_;

  private:
    int run();
    // The parse loop over a stack of one element type: compiled per type
    // and driver, so that building and dropping elements is inlined.
    template <class Stack, SSYaccDriver driver> int runOn(Stack& stack);
    // The next lookahead as the driver takes it.
    template <SSYaccDriver driver> bool nextLookahead() {
        if constexpr (driver == SSYaccDriver::WithoutRecovery)
            return readToken();
        else
            return readLookahead();
    }
    // The lookahead's token number as the driver holds it.
    template <SSYaccDriver driver> std::int32_t lookaheadToken() const {
        if constexpr (driver == SSYaccDriver::WithoutRecovery)
            return token_.token;
        else
            return lookahead_->token();
    }
    // Puts the lookahead, as the driver holds it, into a fresh element.
    template <SSYaccDriver driver> bool shiftLookahead(SSYaccStackElement& element) {
        if constexpr (driver == SSYaccDriver::WithoutRecovery)
            return putTerminal(token_, element);
        else
            return putTerminal(lookahead_, element);
    }
    // The terminal being shifted or folded, as the driver holds it.
    bool putTerminal(const SSLexToken& token, SSYaccStackElement& element) {
        element.setToken(token);
        return shiftToken(token, element);
    }
    bool putTerminal(const SSRefPtr<SSLexLexeme>& lexeme, SSYaccStackElement& element) {
        element.setLexeme(lexeme);
        return shift(*lexeme, element);
    }
    bool foldTerminal(std::uint32_t production, const SSLexToken& token, SSYaccStackElement& top) {
        return foldToken(production, token, top);
    }
    bool foldTerminal(std::uint32_t production, const SSRefPtr<SSLexLexeme>& lexeme,
                      SSYaccStackElement& top) {
        return fold(production, lexeme, top);
    }
    template <SSYaccDriver driver> auto takeLookahead() {
        if constexpr (driver == SSYaccDriver::WithoutRecovery)
            return token_;
        else
            return std::move(lookahead_);
    }
    // Accept or a syntax error, where the parse without recovery ends.
    int endWithoutRecovery();
    std::uint64_t reductionBound() const;
    bool otherAction(int& result);
    bool passesThrough(std::uint32_t production) const {
        return production < passThrough_.size() && passThrough_[production];
    }
    // The production a terminal shifted into `state` folds by; noFold.
    std::uint32_t foldOf(std::uint32_t state) const {
        return state < folds_.size() ? folds_[state] : noFold;
    }
    void findFolds();
    template <class Stack, SSYaccDriver driver>
    bool shiftOrFold(Stack& stack, std::uint32_t production);

    bool readLookahead();
    bool readFromLexer();
    bool readToken();
    SSLexLexeme* readAhead(std::size_t& position);
    void lookupAction(std::uint32_t state, std::int32_t token);
    void lookupAction(std::uint32_t state, const SSLexLexeme& lookahead) {
        lookupAction(state, lookahead.token());
    }
    void selectReduce(std::uint32_t production);
    bool resolveConflict();
    bool hasAction(std::uint32_t state, std::int32_t token) const;
    const SSYaccPairTable& pairTable() const { return table_->pairTable(); }
    const SSYaccActionIndex& actionIndex() const { return table_->actionIndex(); }

    SSLex* lex_ = nullptr;
    std::unique_ptr<SSYaccTable> ownedTable_;
    bool wasError_ = false;
    bool abort_ = false;
    SSYaccTable* table_ = nullptr;
    std::uint32_t state_ = 0;
    std::uint32_t shiftedSinceError_ = 0;
    std::uint32_t larIndex_ = 0;
    SSRefPtr<SSLexLexeme> lookahead_;
    SSLexToken token_; // the lookahead of the loop without recovery
    bool endReached_ = false;
    SSYaccLexemeCache cache_;
    std::uint32_t production_ = 0;
    std::uint32_t productionSize_ = 0;
    SSYaccAction::SSYaccActionType action_ = SSYaccAction::error;
    std::uint32_t actionNumber_ = 0;
    std::unique_ptr<SSYaccStack> stack_;
    int (*run_)(SSYacc&) = nullptr;
    std::vector<bool> passThrough_;
    std::vector<std::uint32_t> folds_; // by state: noFold or the production; empty: none
    SSRefPtr<SSLexLexeme> eofLexeme_;
    std::uint32_t leftside_ = 0;
};

// What the parser does next in `state` on `lookahead`; inline, since the
// parse loop asks it once per shift and once per reduction.
inline void SSYacc::selectReduce(std::uint32_t production) {
    const SSYaccPairTableProd record = actionIndex().production(production);
    action_ = SSYaccAction::reduce;
    production_ = production;
    productionSize_ = record.size();
    leftside_ = record.leftside();
}

inline void SSYacc::lookupAction(std::uint32_t state, std::int32_t token) {
    const SSYaccActionIndex::Action entry =
        actionIndex().action(state, static_cast<std::uint32_t>(token));
    action_ = entry.kind();
    switch (action_) {
    case SSYaccAction::shift:
        actionNumber_ = entry.number();
        break;
    case SSYaccAction::reduce:
        selectReduce(entry.number());
        break;
    case SSYaccAction::conflict:
        larIndex_ = entry.number();
        break;
    default:
        break;
    }
}

template <class Stack, SSYaccDriver driver> int SSYacc::runOn(Stack& stack) {
    if (!nextLookahead<driver>())
        return 1;
    lookupAction(state_, lookaheadToken<driver>());
    std::uint64_t reductions = 0;
    std::uint64_t reductionLimit = reductionBound();
    while (!abort_) {
        if (action_ == SSYaccAction::shift) {
            if (const std::uint32_t folding = foldOf(actionNumber_); folding != noFold) {
                if (!shiftOrFold<Stack, driver>(stack, folding))
                    return 1;
                reductions = 0;
                reductionLimit = reductionBound();
                continue;
            }
            SSYaccStackElement& element = stack.fresh();
            element.setState(actionNumber_);
            if (!shiftLookahead<driver>(element))
                return 1;
            stack.replaceTop(0);
            state_ = actionNumber_;
            if (!nextLookahead<driver>())
                return 1;
            lookupAction(state_, lookaheadToken<driver>());
            ++shiftedSinceError_;
            reductions = 0;
            reductionLimit = reductionBound();
        } else if (action_ == SSYaccAction::reduce) {
            if (++reductions > reductionLimit)
                pending_.throwException(SSExceptionId::YaccParseFailed);
            // The left side's element is built above the right side, which it
            // then replaces (a pass-through left side is its one symbol's
            // element as it is): the state it goes to is read from the
            // element below the right side.
            const bool passes = productionSize_ == 1 && passesThrough(production_);
            SSYaccStackElement* element = passes ? nullptr : &stack.fresh();
            if (element != nullptr && !reduce(production_, productionSize_, *element))
                return 1;
            if (productionSize_ >= stack.depth())
                pending_.throwException(SSExceptionId::LifoCannotPop);
            const std::uint32_t below = stack.fromTop(productionSize_).state();
            const std::uint32_t target = actionIndex().gotoState(below, leftside_);
            if (target == SSYaccActionIndex::noGoto)
                pending_.throwException(SSExceptionId::YaccInvalidGoto, {leftside_});
            if (element != nullptr) {
                element->setState(target);
                stack.replaceTop(productionSize_);
            } else {
                stack.top().setState(target);
            }
            state_ = target;
            lookupAction(state_, lookaheadToken<driver>());
        } else if constexpr (driver == SSYaccDriver::WithoutRecovery) {
            return endWithoutRecovery();
        } else {
            int result = 1;
            if (!otherAction(result))
                return result;
        }
    }
    return 1;
}

// Shifts the lookahead into a state that only reduces `production` (list :
// list terminal). The next lookahead is read first: when that state would
// reduce on it and the list's left side leads back to the current state,
// the terminal is folded into the list's element on the top; otherwise it
// is shifted as usual, with the lookahead after it already read.
template <class Stack, SSYaccDriver driver>
bool SSYacc::shiftOrFold(Stack& stack, std::uint32_t production) {
    const std::uint32_t shifted = actionNumber_;
    const auto terminal = takeLookahead<driver>();
    if (!nextLookahead<driver>())
        return false;
    ++shiftedSinceError_;
    const SSYaccActionIndex::Action next =
        actionIndex().action(shifted, static_cast<std::uint32_t>(lookaheadToken<driver>()));
    if (next.kind() == SSYaccAction::reduce && next.number() == production && stack.depth() >= 2) {
        const SSYaccPairTableProd record = actionIndex().production(production);
        if (actionIndex().gotoState(stack.fromTop(1).state(), record.leftside()) == state_) {
            selectReduce(production);
            if (!foldTerminal(production, terminal, stack.top()))
                return false;
            lookupAction(state_, lookaheadToken<driver>());
            return true;
        }
    }
    SSYaccStackElement& element = stack.fresh();
    element.setState(shifted);
    if (!putTerminal(terminal, element))
        return false;
    stack.replaceTop(0);
    state_ = shifted;
    lookupAction(state_, lookaheadToken<driver>());
    return true;
}

} // namespace quillex
