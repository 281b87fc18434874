// SSLex: the longest-match scanning loop and the expression-list stack.
#include "parser/ss_lex.h"

#include "parser/ss_lex_file_consumer.h"

#include <new>

namespace quillex {

SSLex::SSLex() = default;

SSLex::SSLex(const std::string& fileName) {
    setConsumer(fileName);
}

SSLex::SSLex(SSLexConsumer& consumer, SSLexTable& table) : table_(&table), consumer_(&consumer) {
    reset();
}

SSLex::SSLex(const std::string& fileName, const std::string& tablePath) {
    setConsumer(fileName);
    setTable(tablePath);
    reset();
}

SSLex::~SSLex() = default;

void SSLex::setTable(SSLexTable& table) {
    table_ = &table;
    ownedTable_.reset();
}

void SSLex::setTable(const std::string& tablePath) {
    auto table = std::make_unique<SSLexTable>(tablePath);
    table_ = table.get();
    ownedTable_ = std::move(table);
}

void SSLex::setConsumer(SSLexConsumer& consumer) {
    consumer_ = &consumer;
    ownedConsumer_.reset();
}

void SSLex::setConsumer(const std::string& fileName) {
    auto consumer = std::make_unique<SSLexFileConsumer>(fileName, SSLexConsumerType::DoubleByte,
                                                        SSLexFileConsumer::wholeFile, 0);
    consumer_ = consumer.get();
    ownedConsumer_ = std::move(consumer);
}

SSLexExpressionList& SSLex::tableList(std::uint32_t index) {
    if (table_ == nullptr)
        pending_.throwException(SSExceptionId::LexMissing);
    return table_->expressionList(index);
}

int SSLex::pushExpressionList(SSLexExpressionList& list) {
    stack_.push(&list);
    current_ = &list;
    return 0;
}

int SSLex::popExpressionList() {
    stack_.pop();
    current_ = nullptr;
    current_ = stack_.top();
    return 0;
}

int SSLex::gotoExpressionList(SSLexExpressionList& list) {
    stack_.pop();
    return pushExpressionList(list);
}

int SSLex::reset() {
    SSLexExpressionList& first = tableList(0);
    stack_.clear();
    current_ = nullptr;
    return pushExpressionList(first);
}

bool SSLex::isCurrentExpressionList(std::uint32_t index) {
    return current_ == &tableList(index);
}

void SSLex::applyListAction(const SSLexFinalState& final) {
    if (final.isPush() && final.isPop())
        gotoExpressionList(tableList(final.expressionList()));
    else if (final.isPop())
        popExpressionList();
    else if (final.isPush())
        pushExpressionList(tableList(final.expressionList()));
}

SSRefPtr<SSLexLexeme> SSLex::operator++() {
    if (table_ == nullptr || consumer_ == nullptr)
        pending_.throwException(SSExceptionId::LexMissing);
    if (pending_.isPresent())
        return {};
    try {
        return scan();
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

bool SSLex::nextToken(SSLexToken& out) {
    if (table_ == nullptr || consumer_ == nullptr)
        pending_.throwException(SSExceptionId::LexMissing);
    if (pending_.isPresent())
        return false;
    try {
        return scanToken(out);
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    } catch (const SSException& failure) {
        pending_.throwException(failure);
    }
}

SSRefPtr<SSLexLexeme> SSLex::scan() {
    std::int32_t token = 0;
    SSLexMark match;
    bool plainEnd = false;
    SSRefPtr<SSLexLexeme> given;
    std::uint32_t idleIgnores = 0;
    for (;;) {
        switch (scanMatch(token, match, plainEnd, given, idleIgnores)) {
        case Scanned::End:
            return {};
        case Scanned::Given:
            return given;
        case Scanned::Match:
            if (auto lexeme = complete(*consumer_, token, match))
                return lexeme;
            break;
        }
    }
}

bool SSLex::scanToken(SSLexToken& out) {
    std::int32_t token = 0;
    SSLexMark match;
    bool plainEnd = false;
    SSRefPtr<SSLexLexeme> given;
    std::uint32_t idleIgnores = 0;
    for (;;) {
        switch (scanMatch(token, match, plainEnd, given, idleIgnores)) {
        case Scanned::End:
            return false;
        case Scanned::Given:
            return keep(std::move(given), out);
        case Scanned::Match:
            if (consumer_->holdsFixedData()) {
                consumer_->tokenToMark(match, token, plainEnd, out);
                return true;
            }
            if (auto lexeme = complete(*consumer_, token, match))
                return keep(std::move(lexeme), out);
            break;
        }
    }
}

bool SSLex::keep(SSRefPtr<SSLexLexeme> lexeme, SSLexToken& out) {
    lexeme->asConstChar(); // a text of its own, which stays with the lexeme
    out = SSLexToken::of(*lexeme);
    kept_.push_back(std::move(lexeme));
    return true;
}

// Longest match: run the automaton as far as it goes, remembering the last
// accepting state passed (F) and the position just after it (M); then act on
// F and read again from M.
// `idleIgnores` counts ignored matches in a row that read nothing. Each list
// acts the same way at one position, so a chain of them longer than the
// number of lists is a cycle that would never end: only a damaged table has
// one.
SSLex::Scanned SSLex::scanMatch(std::int32_t& token, SSLexMark& match, bool& plainEnd,
                                SSRefPtr<SSLexLexeme>& given, std::uint32_t& idleIgnores) {
    SSLexConsumer& in = *consumer_;
    for (;;) {
        if (current_ == nullptr)
            throwSSException(SSExceptionId::LifoNoTop);
        const SSLexExpressionList& list = *current_;
        SSLexFinalState final = list.lookupFinal(0);
        match = in.mark();
        const std::uint32_t attemptStart = in.start();
        const bool startSymbol = in.startPending();
        if (!longestMatch(list, final, match))
            return Scanned::End;

        if (final.isContextEnd())
            in.flushEndOfLine(match);
        if (final.isIgnore()) {
            in.flushLexeme(match);
            idleIgnores = in.start() == attemptStart && !startSymbol ? idleIgnores + 1 : 0;
            if (idleIgnores > table_->expressionLists())
                throwSSException(SSExceptionId::LexInvalidTable, {table_->name()});
            applyListAction(final);
            if (pending_.isPresent())
                return Scanned::End;
            continue;
        }
        if (!final.isFinal()) {
            if ((given = error(in)))
                return Scanned::Given;
            if (pending_.isPresent())
                return Scanned::End;
            in.flushLexeme();
            continue;
        }
        ++lexemesValid_;
        applyListAction(final);
        if (pending_.isPresent())
            return Scanned::End;
        if (final.isStartOfLine())
            in.flushStartOfLine(match);
        token = final.token();
        plainEnd = !final.isContextEnd() && !final.isStartOfLine();
        return Scanned::Match;
    }
}

// Runs the automaton of `list` from its start state until it has no
// transition on the code just read or the input ends, updating `final` and
// `match` at each accepting state. False when not even one code could be
// read.
bool SSLex::longestMatch(const SSLexExpressionList& list, SSLexFinalState& final,
                         SSLexMark& match) {
    SSLexConsumer& in = *consumer_;
    state_ = 0;
    bool readAny = false;
    for (;;) {
        switch (walkBytes(list, final, match)) {
        case Walk::Stopped:
            return true;
        case Walk::Read:
            readAny = true;
            break;
        case Walk::None:
            break;
        }
        if (!++in)
            return readAny;
        readAny = true;
        in.adjustMark(match, true);
        if (!list.lookupNext(state_, in.current()))
            return true;
        const SSLexFinalState reached = list.lookupFinal(state_);
        if (reached.isFinal()) {
            match = in.mark();
            final = reached;
        }
    }
}

namespace {

// Moves a read position over single-byte codes, as stepPosition() does one
// code at a time.
void stepPositions(const std::uint8_t* from, const std::uint8_t* to, std::uint32_t& newlines,
                   std::uint32_t& column) {
    for (const std::uint8_t* byte = from; byte != to; ++byte)
        SSLexConsumer::stepPosition(*byte, newlines, column);
}

} // namespace

// The inner loop for codes that are single bytes (every byte of single-byte
// input, bytes below 0x80 of double-byte input): it reads them straight from
// the consumer's buffer and follows the list's byte rows, keeping the read
// position in registers. For each such code it does what longestMatch() does
// through the consumer; it leaves to that codes of other kinds, the end of
// the buffered data (which may call for more), the start symbol, and a buffer
// shift not yet taken off the mark. Lines and columns are counted once the
// automaton has stopped, over the bytes it read: up to the last match, and
// on to where it stopped.
SSLex::Walk SSLex::walkBytes(const SSLexExpressionList& list, SSLexFinalState& final,
                             SSLexMark& match) {
    const std::uint16_t* rows = list.byteRows();
    if (rows == nullptr)
        return Walk::None;
    const std::uint8_t* classes = list.byteClasses();
    const std::uint32_t classCount = list.byteClassCount();
    SSLexConsumer::ByteRun run = consumer_->byteRun();
    if (run.data == nullptr)
        return Walk::None;
    const std::uint8_t highest = run.highest;
    const std::uint8_t* data = run.data;
    const std::uint32_t end = run.end;
    const std::uint32_t first = run.index;
    std::uint32_t index = first;
    std::uint32_t row = state_ * classCount;                // where the current state's row starts
    std::uint32_t lastFinal = SSLexExpressionList::noState; // none accepted here
    std::uint32_t lastIndex = first;
    Walk result = Walk::Read;
    while (index < end) {
        const std::uint8_t byte = data[index];
        if (byte > highest)
            break;
        ++index;
        const std::uint16_t next = rows[row + classes[byte]];
        if (next == SSLexExpressionList::noByteState) {
            row = SSLexExpressionList::noState;
            result = Walk::Stopped;
            break;
        }
        row = next & SSLexExpressionList::byteStateMask;
        if ((next & SSLexExpressionList::byteFinalBit) != 0) {
            lastFinal = row;
            lastIndex = index;
        }
    }
    if (index == first)
        return Walk::None;
    std::uint32_t newlines = run.newlines;
    std::uint32_t column = run.column;
    stepPositions(data + first, data + lastIndex, newlines, column);
    if (lastFinal != SSLexExpressionList::noState) {
        final = list.finals()[list.stateOfRow(lastFinal)];
        match = {lastIndex, newlines, column};
    }
    stepPositions(data + lastIndex, data + index, newlines, column);
    run.index = index;
    run.newlines = newlines;
    run.column = column;
    consumer_->finishByteRun(run);
    state_ = row == SSLexExpressionList::noState ? row : list.stateOfRow(row);
    return result;
}

SSRefPtr<SSLexLexeme> SSLex::error(SSLexConsumer& consumer) {
    pending_.throwException(SSExceptionId::LexInvalidToken,
                            {consumer.line(), consumer.offset(), consumer.lexemeText()});
}

const char* SSLex::tokenToConstChar(std::int32_t) const {
    return "SSLexTokenNotFound";
}

SSRefPtr<SSLexLexeme> SSLex::complete(SSLexConsumer& consumer, std::int32_t token,
                                      SSLexMark& mark) {
    return consumer.lexemeToMark(mark, token);
}

} // namespace quillex
