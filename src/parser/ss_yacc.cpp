// SSYacc: the parse loop, reading lookaheads, lookahead resolution and the
// two error-recovery strategies.
#include "parser/ss_yacc.h"

#include <algorithm>
#include <new>

namespace quillex {

namespace {

std::uint32_t tokenKey(const SSLexLexeme& lexeme) {
    return static_cast<std::uint32_t>(lexeme.token());
}

} // namespace

SSYacc::SSYacc() : eofLexeme_(SSLexLexeme::create("eof", eofToken, 0xFFFFFFFF, 0xFFFFFFFF)) {
    useElements<SSYaccStackElement>();
}

SSYacc::SSYacc(SSLex& lexer, SSYaccTable& table) : SSYacc() {
    lex_ = &lexer;
    table_ = &table;
}

SSYacc::SSYacc(SSLex& lexer, const std::string& tablePath) : SSYacc() {
    lex_ = &lexer;
    setTable(tablePath);
}

SSYacc::SSYacc(const std::string& tablePath) : SSYacc() {
    setTable(tablePath);
}

SSYacc::~SSYacc() = default;

void SSYacc::passThrough(std::uint32_t production) {
    if (production >= passThrough_.size())
        passThrough_.resize(production + 1, false);
    passThrough_[production] = true;
}

bool SSYacc::fold(std::uint32_t, const SSRefPtr<SSLexLexeme>&, SSYaccStackElement&) {
    return false;
}

// A state folds when each of its action entries reduces the same production
// of two symbols: it is reached by shifting that production's terminal, and
// nothing else can happen there. A compiled table comes with them found.
void SSYacc::findFolds() {
    folds_.clear();
    if (table_ == nullptr)
        return;
    const std::uint32_t states = table_->states();
    folds_.assign(states, noFold);
    if (const std::uint16_t* compiled = table_->compiledFolds()) {
        for (std::uint32_t state = 0; state < states; ++state)
            if (compiled[state] != SSYaccTable::compiledNoFold)
                folds_[state] = compiled[state];
        return;
    }
    for (std::uint32_t state = 0; state < states; ++state) {
        std::uint32_t production = noFold;
        bool folds = true;
        for (const std::int32_t token : validLookaheads(state)) {
            const SSYaccActionIndex::Action entry =
                actionIndex().action(state, static_cast<std::uint32_t>(token));
            if (entry.kind() != SSYaccAction::reduce ||
                (production != noFold && entry.number() != production)) {
                folds = false;
                break;
            }
            production = entry.number();
        }
        if (folds && production != noFold && production < table_->productions() &&
            actionIndex().production(production).size() == 2)
            folds_[state] = production;
    }
}

void SSYacc::setTable(SSYaccTable& table) {
    table_ = &table;
    ownedTable_.reset();
    folds_.clear();
}

void SSYacc::setTable(const std::string& tablePath) {
    auto table = std::make_unique<SSYaccTable>(tablePath);
    table_ = table.get();
    ownedTable_ = std::move(table);
    folds_.clear();
}

void SSYacc::reset() {
    state_ = 0;
    lookahead_.reset();
    token_ = {};
    wasError_ = abort_ = endReached_ = false;
    shiftedSinceError_ = 0;
    production_ = productionSize_ = leftside_ = 0;
    action_ = SSYaccAction::error;
    cache_.flush();
    stack_->truncate(0);
    // The bottom element stands for state 0 and is never part of a production.
    push(0);
}

int SSYacc::parse() {
    if (table_ == nullptr)
        pending_.throwException(SSExceptionId::YaccTableMissing);
    try {
        return run();
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

int SSYacc::run() {
    if (!foldsLists())
        folds_.clear();
    else if (folds_.empty())
        findFolds();
    return run_(*this);
}

// Reductions since the last shift. With the lookahead fixed, a sound table
// never repeats a state at one stack depth, and its empty reductions in a row
// visit each state at most once; so (depth + states + 1) * states bounds the
// run. A damaged table could otherwise reduce forever.
std::uint64_t SSYacc::reductionBound() const {
    const std::uint64_t states = table_->states();
    return (stack_->depth() + states + 1) * states;
}

// The parse without recovery ends at accept and at a syntax error (after
// error() has reported it); a conflict entry has no place in its table.
int SSYacc::endWithoutRecovery() {
    switch (action_) {
    case SSYaccAction::accept:
        return accept();
    case SSYaccAction::error:
        wasError_ = true;
        lookahead_ = token_.toLexeme();
        static_cast<void>(error(state_, *lookahead_)); // reports; the parse ends either way
        return 1;
    default:
        pending_.throwException(SSExceptionId::YaccParseFailed);
    }
}

// The actions other than shift and reduce; false when the parse ends with
// `result`.
bool SSYacc::otherAction(int& result) {
    switch (action_) {
    case SSYaccAction::accept:
        result = accept();
        return false;
    case SSYaccAction::error:
        wasError_ = true;
        if (error(state_, *lookahead_) != 0)
            return false;
        shiftedSinceError_ = 0;
        // A recovery that leaves the same error behind would repeat forever.
        return abort_ || action_ != SSYaccAction::error;
    case SSYaccAction::conflict:
        return resolveConflict();
    default:
        pending_.throwException(SSExceptionId::YaccParseFailed);
    }
}

// Takes the next lookahead: the oldest read-ahead lexeme, else the next
// lexeme of the input, else (once) the end-of-input lexeme.
bool SSYacc::readLookahead() {
    if (cache_.elements() != 0) {
        lookahead_ = cache_.remove();
        return larLookahead(*lookahead_) == 0;
    }
    return readFromLexer();
}

// The next lexeme of the input, else (once) the end-of-input lexeme.
bool SSYacc::readFromLexer() {
    if (endReached_)
        pending_.throwException(SSExceptionId::YaccReadPastEof);
    SSRefPtr<SSLexLexeme> lexeme = nextLexeme();
    if (!lexeme) {
        endReached_ = true;
        lexeme = eofLexeme_;
    }
    lookahead_ = std::move(lexeme);
    return true;
}

// The next token of the input as a record, else (once) the end of input.
bool SSYacc::readToken() {
    if (endReached_)
        pending_.throwException(SSExceptionId::YaccReadPastEof);
    if (lex_ == nullptr)
        pending_.throwException(SSExceptionId::YaccLexMissing);
    if (!lex_->nextToken(token_)) {
        endReached_ = true;
        token_ = SSLexToken::of(*eofLexeme_);
    }
    return true;
}

// The lexeme `position` places into the read-ahead; reads one more into the
// cache when the position is past it. None once the input is exhausted.
SSLexLexeme* SSYacc::readAhead(std::size_t& position) {
    if (position < cache_.elements())
        return cache_.get(position++);
    if (endReached_)
        return nullptr;
    SSRefPtr<SSLexLexeme> lexeme = nextLexeme();
    if (!lexeme) {
        endReached_ = true;
        lexeme = eofLexeme_;
    }
    cache_.add(lexeme);
    ++position;
    return lexeme.get();
}

// Runs the conflict's automaton over the lookahead and the tokens after it
// until it reaches an accepting state, which names the production to reduce
// by or the state to shift to.
bool SSYacc::resolveConflict() {
    SSLexIterator& automaton = table_->larIterator(larIndex_);
    automaton.start();
    std::size_t position = 0;
    SSLexLexeme* lastRead = nullptr;
    if (automaton.next(tokenKey(*lookahead_))) {
        while (SSLexLexeme* ahead = readAhead(position)) {
            lastRead = ahead;
            if (!automaton.next(tokenKey(*ahead)))
                break;
            const SSLexFinalState final = automaton.finalState();
            if (!final.isFinal())
                continue;
            const std::uint32_t number = final.tokenWord();
            if (final.isReduce()) {
                if (number >= table_->productions())
                    pending_.throwException(SSExceptionId::YaccParseFailed);
                selectReduce(number);
            } else {
                if (number >= table_->states())
                    pending_.throwException(SSExceptionId::YaccParseFailed);
                action_ = SSYaccAction::shift;
                actionNumber_ = number;
            }
            return true;
        }
    }
    wasError_ = true;
    if (larError(state_, *lookahead_, lastRead) != 0)
        return false;
    return abort_ || action_ != SSYaccAction::conflict;
}

SSYaccStackElement* SSYacc::elementFromProduction(std::int32_t index) {
    if (index < 0 || static_cast<std::uint32_t>(index) >= productionSize_)
        pending_.throwException(SSExceptionId::YaccInvalidIndex, {index});
    return &stack_->fromTop(productionSize_ - 1 - static_cast<std::uint32_t>(index));
}

SSYaccStackElement* SSYacc::elementFromStack(std::uint32_t index) {
    return &stack_->fromTop(index);
}

std::vector<std::int32_t> SSYacc::validLookaheads(std::uint32_t state) const {
    if (table_ == nullptr)
        throwSSException(SSExceptionId::YaccTableMissing);
    if (state >= table_->states())
        throwSSException(SSExceptionId::YaccInvalidState, {state});
    if (!table_->hasRows())
        return actionIndex().tokensOf(state);
    const SSYaccPairTableRow row = pairTable().lookupRow(state);
    std::vector<std::int32_t> tokens;
    tokens.reserve(row.entries());
    for (std::uint32_t i = 0; i < row.entries(); ++i)
        tokens.push_back(static_cast<std::int32_t>(row.actionEntry(i).key()));
    return tokens;
}

SSYaccStackElement& SSYacc::push(std::uint32_t state) {
    SSYaccStackElement& element = stack_->fresh();
    element.setState(state);
    stack_->replaceTop(0);
    state_ = state;
    return stack_->top();
}

void SSYacc::pop(std::uint32_t count) {
    if (count >= stack_->depth())
        pending_.throwException(SSExceptionId::LifoCannotPop);
    stack_->truncate(stack_->depth() - count);
    state_ = stack_->top().state();
}

bool SSYacc::hasAction(std::uint32_t state, std::int32_t token) const {
    return actionIndex().action(state, static_cast<std::uint32_t>(token)).kind() !=
           SSYaccAction::error;
}

int SSYacc::errorToken() {
    // The tokens to synchronise on: those the rows on the stack mark, and
    // those that can follow an error entry. A compiled table marks none.
    if (!table_->hasRows())
        pending_.throwException(SSExceptionId::YaccErrorTokenNoValid);
    std::vector<std::uint32_t> sync;
    for (std::size_t i = 0; i < stack_->depth(); ++i) {
        const SSYaccPairTableRow row = pairTable().lookupRow(stack_->fromTop(i).state());
        if (row.hasSync() || row.hasSyncAll())
            for (std::uint32_t e = 0; e < row.entries(); ++e)
                if (row.hasSyncAll() || row.actionEntry(e).hasSync())
                    sync.push_back(row.actionEntry(e).key());
        if (const auto errorEntry = row.lookupError()) {
            const SSYaccPairTableRow target = pairTable().lookupRow(errorEntry->entry());
            for (std::uint32_t e = 0; e < target.entries(); ++e)
                sync.push_back(target.actionEntry(e).key());
        }
    }
    std::sort(sync.begin(), sync.end());
    sync.erase(std::unique(sync.begin(), sync.end()), sync.end());
    if (sync.empty())
        pending_.throwException(SSExceptionId::YaccErrorTokenNoValid);

    while (!std::binary_search(sync.begin(), sync.end(), tokenKey(*lookahead_)))
        if (!readLookahead())
            return 1;

    const std::int32_t token = lookahead_->token();
    for (;;) {
        const std::uint32_t top = stack_->top().state();
        const SSYaccPairTableRow row = pairTable().lookupRow(top);
        if (const auto errorEntry = row.lookupError();
            errorEntry && hasAction(errorEntry->entry(), token)) {
            push(errorEntry->entry())
                .setLexeme(SSLexLexeme::create("%error", errorTokenNumber, 0, 0));
            lookupAction(state_, *lookahead_);
            return 0;
        }
        if ((row.hasSyncAll() || row.hasSync()) && hasAction(top, token)) {
            state_ = top;
            lookupAction(state_, *lookahead_);
            return 0;
        }
        if (stack_->depth() == 1)
            pending_.throwException(SSExceptionId::YaccErrorTokenNoValid);
        pop(1);
    }
}

int SSYacc::errorPanic(std::span<const std::int32_t> tokens) {
    const auto listed = [&](std::int32_t token) {
        return std::find(tokens.begin(), tokens.end(), token) != tokens.end();
    };
    for (;;) {
        while (!listed(lookahead_->token())) {
            if (lookahead_->token() == eofToken)
                pending_.throwException(SSExceptionId::YaccErrorPanic);
            if (!readLookahead())
                return 1;
        }
        std::unique_ptr<SSYaccStack> saved = stack_->clone();
        for (;;) {
            const std::uint32_t top = stack_->top().state();
            if (hasAction(top, lookahead_->token())) {
                state_ = top;
                lookupAction(state_, *lookahead_);
                return 0;
            }
            if (stack_->depth() == 1)
                break;
            pop(1);
        }
        stack_->restoreFrom(*saved);
        state_ = stack_->top().state();
        if (lookahead_->token() == eofToken)
            pending_.throwException(SSExceptionId::YaccErrorPanic);
        if (!readLookahead())
            return 1;
    }
}

int SSYacc::accept() {
    return wasError_ ? 1 : 0;
}

SSRefPtr<SSLexLexeme> SSYacc::nextLexeme() {
    if (lex_ == nullptr)
        pending_.throwException(SSExceptionId::YaccLexMissing);
    return ++*lex_;
}

bool SSYacc::shift(SSLexLexeme&, SSYaccStackElement&) {
    return true;
}

bool SSYacc::shiftToken(const SSLexToken&, SSYaccStackElement&) {
    return true;
}

bool SSYacc::foldToken(std::uint32_t, const SSLexToken&, SSYaccStackElement&) {
    return false;
}

int SSYacc::larLookahead(SSLexLexeme&) {
    return 0;
}

int SSYacc::error(std::uint32_t, SSLexLexeme&) {
    return errorToken();
}

int SSYacc::larError(std::uint32_t state, SSLexLexeme& lookahead, SSLexLexeme*) {
    return error(state, lookahead);
}

} // namespace quillex
