// The lexer of the formula language: reads one token at a time from a
// formula text that ends in the end marker (a character of code 1).
#pragma once

#include <cstdint>
#include <string_view>

enum TTokenKind : std::uint8_t {
    tokInvalid = 0,
    tokName = 1,
    tokReal = 2,
    tokInteger = 3,
    tokDelimiter = 4,
    tokOperator = 5,
    tokEnd = 6,
    tokHex = 7,
};

constexpr char formulaEndMarker = '\x01';

// The names the language knows. A name token carries its entry, so the
// parser never compares texts.
enum class TName : std::uint8_t {
    unknown,
    pi,
    e,
    opDiv,
    opMod,
    opAnd,
    opOr,
    opXor,
    cos,
    sin,
    tg,
    ctg,
    arccos,
    arcsin,
    arctg,
    arcctg,
    atan,
    ch,
    sh,
    th,
    cth,
    arcch,
    arcsh,
    arcth,
    arccth,
    log,
    lg,
    ln,
    exp,
    sqr,
    sqrt,
    abs,
    sign,
    round,
    frac,
    trunc,
    min,
    max,
};

// Delimiter symbols for the two-character comparisons.
constexpr char symbolLessOrEqual = '{';
constexpr char symbolGreaterOrEqual = '}';

struct TToken {
    TTokenKind kind = tokInvalid;
    char symbol = 0;             // delimiter or operator character
    TName name = TName::unknown; // for tokName
    // Text span in the formula, 0-based: the digits of a number (without a
    // hexadecimal prefix) up to the end of its exponent, or the name.
    std::int32_t start = 0;
    std::int32_t end = 0;
    // A number's mantissa ends here; blanks may stand between it and the
    // exponent, which is then kept apart.
    std::int32_t mantissaEnd = 0;
    char exponentSign = 0; // '+', '-' or 0
    std::int32_t exponentStart = 0;
};

class TLexer {
public:
    // The text must end in formulaEndMarker; reading never passes it.
    explicit TLexer(std::string_view text) : text_(text) {}

    void next();
    const TToken& token() const { return token_; }
    // 1-based index of the next character the lexer will look at.
    std::int32_t position() const { return position_; }

    // Value of a tokInteger or tokReal token, read like every number text of
    // the system (textToReal); may be an infinity for a huge number.
    double numberValue() const;
    std::int32_t integerValue() const; // tokInteger, textToInt
    std::int32_t hexValue() const;     // tokHex, hexToInt

private:
    unsigned char at(std::int32_t position) const {
        std::size_t index = static_cast<std::size_t>(position - 1);
        return index < text_.size() ? static_cast<unsigned char>(text_[index])
                                    : static_cast<unsigned char>(formulaEndMarker);
    }
    unsigned char current() const { return at(position_); }
    void skipBlanks();
    void readNumber();
    void readHex();
    void readName();
    void readOperator(char symbol);
    void readComparison(char symbol);
    std::string_view span() const;

    std::string_view text_;
    std::int32_t position_ = 1;
    TToken token_;
};
