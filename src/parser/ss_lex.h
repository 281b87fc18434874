// SSLex: the table-driven scanner. It pulls input codes from a consumer,
// runs the automaton of the current expression list (lexical mode) with
// longest match, applies the push/pop/goto list actions of the accepting
// state, and returns one lexeme per accepted, non-ignored match.
//
// Subclasses replace error() (text that no rule accepts), tokenToConstChar()
// (token names for messages) and complete() (what a match becomes).
#pragma once

#include "parser/ss_exception.h"
#include "parser/ss_lex_consumer.h"
#include "parser/ss_lex_lexeme.h"
#include "parser/ss_lex_mark.h"
#include "parser/ss_lex_table.h"
#include "parser/ss_lifo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillex {

class SSLex {
  public:
    // Neither consumer nor table; the owner sets both.
    SSLex();
    // A whole-file, text-mode, double-byte consumer over `fileName` and no
    // table: the owner sets the table and pushes expression list 0.
    explicit SSLex(const std::string& fileName);
    // Both given (not owned); expression list 0 is pushed.
    SSLex(SSLexConsumer& consumer, SSLexTable& table);
    // The file consumer as above and a table loaded from `tablePath`, list 0
    // pushed.
    SSLex(const std::string& fileName, const std::string& tablePath);

    SSLex(const SSLex&) = delete;
    SSLex& operator=(const SSLex&) = delete;
    virtual ~SSLex();

    // The next non-ignored lexeme, or none at the end of the data or while an
    // error is pending. SSLex0107e without table or consumer.
    SSRefPtr<SSLexLexeme> operator++();
    // The same as a token record, false where operator++ gives none. The
    // text views the consumer's buffer when that holds all the input (no
    // lexeme is made, and complete() is not called); otherwise the lexeme
    // complete() makes is kept for the scanner's life and viewed.
    bool nextToken(SSLexToken& out);

    // List actions; 0 on success (failures raise).
    int pushExpressionList(SSLexExpressionList& list);
    int popExpressionList();
    int gotoExpressionList(SSLexExpressionList& list);
    // Empties the stack and pushes list 0.
    int reset();
    // Whether list `index` of the table is current; SSLex0106e past the end.
    bool isCurrentExpressionList(std::uint32_t index);
    const SSLexExpressionList* currentExpressionList() const { return current_; }
    std::size_t expressionListDepth() const { return stack_.depth(); }

    void setTable(SSLexTable& table);
    void setTable(const std::string& tablePath);
    void setConsumer(SSLexConsumer& consumer);
    void setConsumer(const std::string& fileName);
    SSLexTable* table() const { return table_; }
    SSLexConsumer* consumer() const { return consumer_; }

    // Accepted (non-ignored) matches so far.
    std::uint32_t lexemesValid() const { return lexemesValid_; }
    const SSExceptionPresent& exceptionPresent() const { return pending_; }

    // Text that no rule accepts; the default raises SSLex0105e. A returned
    // lexeme goes to the caller; none drops the text and scanning goes on.
    virtual SSRefPtr<SSLexLexeme> error(SSLexConsumer& consumer);
    // The name of a token for messages; the default knows none.
    virtual const char* tokenToConstChar(std::int32_t token) const;
    // Turns a match up to `mark` into a lexeme; the default cuts it out of
    // the consumer. None makes the scanner go on.
    virtual SSRefPtr<SSLexLexeme> complete(SSLexConsumer& consumer, std::int32_t token,
                                           SSLexMark& mark);

  protected:
    SSExceptionPresent pending_;

  private:
    SSRefPtr<SSLexLexeme> scan();
    // What one step of the scanning loop found: the end (or a pending
    // error), a lexeme error() gave, or a match of `token` up to `match`.
    enum class Scanned { End, Given, Match };
    // `plainEnd`: neither end of the match was moved over a line end.
    Scanned scanMatch(std::int32_t& token, SSLexMark& match, bool& plainEnd,
                      SSRefPtr<SSLexLexeme>& given, std::uint32_t& idleIgnores);
    bool scanToken(SSLexToken& out);
    // Lexemes that tokens view where the consumer's bytes may move.
    bool keep(SSRefPtr<SSLexLexeme> lexeme, SSLexToken& out);
    // How a stretch of byte codes read in place ended: nothing read, read up
    // to a code it leaves to the general loop, or the automaton stopped.
    enum class Walk { None, Read, Stopped };
    bool longestMatch(const SSLexExpressionList& list, SSLexFinalState& final, SSLexMark& match);
    Walk walkBytes(const SSLexExpressionList& list, SSLexFinalState& final, SSLexMark& match);
    void applyListAction(const SSLexFinalState& final);
    SSLexExpressionList& tableList(std::uint32_t index);

    SSLexTable* table_ = nullptr;
    std::unique_ptr<SSLexTable> ownedTable_;
    std::uint32_t state_ = 0;
    SSLexConsumer* consumer_ = nullptr;
    std::unique_ptr<SSLexConsumer> ownedConsumer_;
    std::uint32_t lexemesValid_ = 0;
    SSLexExpressionList* current_ = nullptr;
    SSLifo<SSLexExpressionList*> stack_{32, 32};
    std::vector<SSRefPtr<SSLexLexeme>> kept_;
};

} // namespace quillex
