// The pattern parser: recursive descent over alternation, concatenation and
// postfix operators.
#include "pattern.h"

#include <cctype>

namespace quillex::tablegen {

Regex Regex::ofChars(CharSet set) {
    Regex r;
    r.kind = Kind::Chars;
    r.chars = std::move(set);
    return r;
}

Regex Regex::literal(const std::string& bytes) {
    Regex r;
    r.kind = Kind::Concat;
    for (unsigned char c : bytes)
        r.parts.push_back(ofChars(CharSet::single(c)));
    return r;
}

Regex Regex::postfix(Kind kind, Regex operand) {
    Regex r;
    r.kind = kind;
    r.parts.push_back(std::move(operand));
    return r;
}

namespace {

class PatternParser {
  public:
    PatternParser(const std::string& text, std::size_t& pos, const FragmentTable& fragments)
        : text_(text), pos_(pos), fragments_(fragments) {}

    Regex parseAll() {
        Regex r = parseAlternation();
        skipBlanks();
        if (!atEnd() && peek() == ')')
            fail("unbalanced ')'");
        return r;
    }

  private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }
    bool atArrow() const { return text_.compare(pos_, 2, "->") == 0; }

    [[noreturn]] void fail(const std::string& what) const {
        throw DefinitionError(what + " at column " + std::to_string(pos_ + 1));
    }

    void skipBlanks() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t'))
            ++pos_;
    }

    // True when the next character can start an operand.
    bool atOperand() {
        skipBlanks();
        if (atEnd() || atArrow())
            return false;
        const char c = peek();
        return c != '|' && c != ')';
    }

    Regex parseAlternation() {
        Regex first = parseConcatenation();
        skipBlanks();
        if (atEnd() || peek() != '|')
            return first;
        Regex alt;
        alt.kind = Regex::Kind::Alternate;
        alt.parts.push_back(std::move(first));
        while (!atEnd() && peek() == '|') {
            ++pos_;
            alt.parts.push_back(parseConcatenation());
            skipBlanks();
        }
        return alt;
    }

    Regex parseConcatenation() {
        Regex seq;
        seq.kind = Regex::Kind::Concat;
        while (atOperand())
            seq.parts.push_back(parsePostfix());
        if (seq.parts.empty())
            fail("empty pattern");
        if (seq.parts.size() == 1)
            return std::move(seq.parts.front());
        return seq;
    }

    Regex parsePostfix() {
        Regex r = parseAtom();
        while (!atEnd()) {
            const char c = peek();
            if (c == '*')
                r = Regex::postfix(Regex::Kind::Star, std::move(r));
            else if (c == '+')
                r = Regex::postfix(Regex::Kind::Plus, std::move(r));
            else if (c == '?')
                r = Regex::postfix(Regex::Kind::Optional, std::move(r));
            else
                break;
            ++pos_;
        }
        return r;
    }

    Regex parseAtom() {
        const char c = peek();
        if (c == '(') {
            ++pos_;
            Regex inner = parseAlternation();
            skipBlanks();
            if (atEnd() || peek() != ')')
                fail("missing ')'");
            ++pos_;
            return inner;
        }
        if (c == '"')
            return parseQuoted();
        if (c == '[')
            return Regex::ofChars(parseClass());
        if (c == '.') {
            ++pos_;
            return Regex::ofChars(CharSet::anyCharacter());
        }
        if (c == '{')
            return parseFragmentReference();
        if (c == '\\')
            return Regex::ofChars(CharSet::single(parseEscape()));
        fail(std::string("unexpected '") + c + "' (quote literal text)");
    }

    Regex parseQuoted() {
        ++pos_; // opening quote
        std::string bytes;
        while (true) {
            if (atEnd())
                fail("unterminated string");
            const char c = peek();
            if (c == '"')
                break;
            if (c == '\\')
                bytes.push_back(static_cast<char>(parseEscape()));
            else {
                bytes.push_back(c);
                ++pos_;
            }
        }
        ++pos_; // closing quote
        if (bytes.empty())
            fail("empty string");
        return Regex::literal(bytes);
    }

    CharSet parseClass() {
        ++pos_; // '['
        bool negated = false;
        if (!atEnd() && peek() == '^') {
            negated = true;
            ++pos_;
        }
        CharSet set;
        while (true) {
            if (atEnd())
                fail("unterminated class");
            if (peek() == ']')
                break;
            const std::uint32_t lo = parseClassChar();
            std::uint32_t hi = lo;
            if (!atEnd() && peek() == '-' && pos_ + 1 < text_.size() && text_[pos_ + 1] != ']') {
                ++pos_;
                hi = parseClassChar();
                if (hi < lo)
                    fail("reversed range");
            }
            set.add(lo, hi);
        }
        ++pos_; // ']'
        if (set.empty())
            fail("empty class");
        return negated ? set.complement() : set;
    }

    std::uint32_t parseClassChar() {
        if (peek() == '\\')
            return parseEscape();
        return static_cast<unsigned char>(text_[pos_++]);
    }

    // \t \n \r \e, \xHH (two hex digits), or a backslash before any other
    // character standing for that character.
    std::uint32_t parseEscape() {
        ++pos_; // backslash
        if (atEnd())
            fail("backslash at end of pattern");
        const char c = text_[pos_++];
        switch (c) {
        case 't':
            return '\t';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 'e':
            return 0x1B;
        case 'x': {
            if (pos_ + 2 > text_.size() ||
                !std::isxdigit(static_cast<unsigned char>(text_[pos_])) ||
                !std::isxdigit(static_cast<unsigned char>(text_[pos_ + 1])))
                fail("\\x needs two hex digits");
            const std::uint32_t value = std::stoul(text_.substr(pos_, 2), nullptr, 16);
            pos_ += 2;
            return value;
        }
        default:
            return static_cast<unsigned char>(c);
        }
    }

    Regex parseFragmentReference() {
        const std::size_t close = text_.find('}', pos_);
        if (close == std::string::npos)
            fail("missing '}'");
        const std::string name = text_.substr(pos_ + 1, close - pos_ - 1);
        const auto found = fragments_.find(name);
        if (found == fragments_.end())
            fail("unknown fragment {" + name + "}");
        pos_ = close + 1;
        return found->second;
    }

    const std::string& text_;
    std::size_t& pos_;
    const FragmentTable& fragments_;
};

} // namespace

Regex parsePattern(const std::string& text, std::size_t& pos, const FragmentTable& fragments) {
    return PatternParser(text, pos, fragments).parseAll();
}

Regex parsePattern(const std::string& text, const FragmentTable& fragments) {
    std::size_t pos = 0;
    Regex r = parsePattern(text, pos, fragments);
    if (pos < text.size())
        throw DefinitionError("unexpected text after pattern at column " + std::to_string(pos + 1));
    return r;
}

} // namespace quillex::tablegen
