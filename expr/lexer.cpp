#include "expr/lexer.h"

#include "runtime/number_text.h"

#include <array>
#include <string>

namespace {

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(unsigned char c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Latin letters, the underscore and the Cyrillic letters of code page 1251.
bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 192;
}

struct TNameEntry {
    std::string_view text;
    TName name;
};

constexpr std::array<TNameEntry, 37> nameTable{{
    {"pi", TName::pi},         {"e", TName::e},         {"div", TName::opDiv},
    {"mod", TName::opMod},     {"and", TName::opAnd},   {"or", TName::opOr},
    {"xor", TName::opXor},     {"cos", TName::cos},     {"sin", TName::sin},
    {"tg", TName::tg},         {"ctg", TName::ctg},     {"arccos", TName::arccos},
    {"arcsin", TName::arcsin}, {"arctg", TName::arctg}, {"arcctg", TName::arcctg},
    {"atan", TName::atan},     {"ch", TName::ch},       {"sh", TName::sh},
    {"th", TName::th},         {"cth", TName::cth},     {"arcch", TName::arcch},
    {"arcsh", TName::arcsh},   {"arcth", TName::arcth}, {"arccth", TName::arccth},
    {"log", TName::log},       {"lg", TName::lg},       {"ln", TName::ln},
    {"exp", TName::exp},       {"sqr", TName::sqr},     {"sqrt", TName::sqrt},
    {"abs", TName::abs},       {"sign", TName::sign},   {"round", TName::round},
    {"frac", TName::frac},     {"trunc", TName::trunc}, {"min", TName::min},
    {"max", TName::max},
}};

constexpr std::size_t longestName = 6;

// Lower-cases A to Z only (Cyrillic letters stay as written) into a small
// buffer; a name longer than every known one is unknown.
TName lookUpName(std::string_view written) {
    if (written.size() > longestName)
        return TName::unknown;
    char lower[longestName];
    for (std::size_t i = 0; i < written.size(); ++i) {
        char c = written[i];
        lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    std::string_view key(lower, written.size());
    for (const TNameEntry& entry : nameTable)
        if (entry.text == key)
            return entry.name;
    return TName::unknown;
}

} // namespace

void TLexer::skipBlanks() {
    while (current() == ' ' || current() == '\t')
        ++position_;
}

std::string_view TLexer::span() const {
    return text_.substr(static_cast<std::size_t>(token_.start),
                        static_cast<std::size_t>(token_.end - token_.start));
}

void TLexer::next() {
    token_ = TToken{};
    skipBlanks();
    unsigned char c = current();
    switch (c) {
    case 0:
        return;
    case formulaEndMarker:
        token_.kind = tokEnd;
        return;
    case '%':
    case '(':
    case ')':
    case ',':
    case '[':
    case ']':
        token_.kind = tokDelimiter;
        token_.symbol = static_cast<char>(c);
        ++position_;
        return;
    case '*':
    case '+':
    case '-':
    case '/':
    case '^':
        readOperator(static_cast<char>(c));
        return;
    case '<':
    case '=':
    case '>':
        readComparison(static_cast<char>(c));
        return;
    default:
        break;
    }
    if (c == '$' || (c == '0' && at(position_ + 1) == 'x'))
        readHex();
    else if (c == '.' || isDigit(c))
        readNumber();
    else if (isLetter(c))
        readName();
    // Anything else is invalid and is not consumed.
}

void TLexer::readOperator(char symbol) {
    ++position_;
    skipBlanks();
    // A sign straight after an operator is not allowed: 2*-3 is an error.
    if (current() == '+' || current() == '-')
        return;
    token_.kind = tokOperator;
    token_.symbol = symbol;
}

void TLexer::readComparison(char symbol) {
    token_.kind = tokDelimiter;
    token_.symbol = symbol;
    ++position_;
    if (current() != '=')
        return;
    if (symbol == '<') {
        token_.symbol = symbolLessOrEqual;
        ++position_;
    } else if (symbol == '>') {
        token_.symbol = symbolGreaterOrEqual;
        ++position_;
    }
}

void TLexer::readHex() {
    position_ += current() == '$' ? 1 : 2;
    token_.start = position_ - 1;
    while (isHexDigit(current()))
        ++position_;
    token_.end = position_ - 1;
    token_.mantissaEnd = token_.end;
    if (token_.end > token_.start)
        token_.kind = tokHex;
}

void TLexer::readNumber() {
    token_.start = position_ - 1;
    token_.kind = tokInteger;
    while (isDigit(current()))
        ++position_;
    if (current() == '.') {
        ++position_;
        while (isDigit(current()))
            ++position_;
        token_.kind = tokReal;
    }
    token_.end = position_ - 1;
    token_.mantissaEnd = token_.end;
    if (token_.end - token_.start == 1 && at(position_ - 1) == '.') {
        token_.kind = tokInvalid; // a lone point
        return;
    }
    skipBlanks();
    if (current() != 'E' && current() != 'e')
        return;
    ++position_;
    skipBlanks();
    if (current() == '+' || current() == '-') {
        token_.exponentSign = static_cast<char>(current());
        ++position_;
        skipBlanks();
    }
    if (!isDigit(current())) {
        token_.kind = tokInvalid;
        return;
    }
    token_.exponentStart = position_ - 1;
    while (isDigit(current()))
        ++position_;
    token_.end = position_ - 1;
    token_.kind = tokReal;
}

void TLexer::readName() {
    token_.start = position_ - 1;
    while (isLetter(current()) || isDigit(current()))
        ++position_;
    token_.end = position_ - 1;
    token_.kind = tokName;
    token_.name = lookUpName(span());
}

double TLexer::numberValue() const {
    std::string_view whole = span();
    bool hasExponent = token_.end > token_.mantissaEnd;
    std::size_t mantissaLength = static_cast<std::size_t>(token_.mantissaEnd - token_.start);
    std::size_t digitsLength = static_cast<std::size_t>(token_.end - token_.exponentStart);
    std::size_t compactLength =
        hasExponent ? mantissaLength + 1 + (token_.exponentSign ? 1 : 0) + digitsLength
                    : mantissaLength;
    if (compactLength == whole.size())
        return textToReal(whole); // written without blanks: read in place
    // Blanks between mantissa and exponent are not part of the number text.
    std::string compact;
    compact.reserve(compactLength);
    compact.append(whole.substr(0, mantissaLength));
    compact += 'e';
    if (token_.exponentSign)
        compact += token_.exponentSign;
    compact.append(text_.substr(static_cast<std::size_t>(token_.exponentStart), digitsLength));
    return textToReal(compact);
}

std::int32_t TLexer::integerValue() const {
    return textToInt(span());
}

std::int32_t TLexer::hexValue() const {
    return hexToInt(span());
}
