#include "expr/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Read {
    TTokenKind kind;
    char symbol;
    std::int32_t positionAfter;
};

std::vector<Read> readAll(const std::string& formula) {
    std::string text = formula + formulaEndMarker;
    TLexer lexer(text);
    std::vector<Read> tokens;
    do {
        lexer.next();
        tokens.push_back({lexer.token().kind, lexer.token().symbol, lexer.position()});
    } while (lexer.token().kind != tokEnd && lexer.token().kind != tokInvalid);
    return tokens;
}

} // namespace

TEST(Lexer, TokensAndPositions) {
    std::vector<Read> t = readAll(" <= >=\t< = %(");
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0].symbol, symbolLessOrEqual);
    EXPECT_EQ(t[0].positionAfter, 4);
    EXPECT_EQ(t[1].symbol, symbolGreaterOrEqual);
    EXPECT_EQ(t[2].symbol, '<');
    EXPECT_EQ(t[3].symbol, '=');
    EXPECT_EQ(t[4].symbol, '%');
    EXPECT_EQ(t[5].symbol, '(');
    EXPECT_EQ(t[6].kind, tokEnd);
    EXPECT_EQ(t[6].positionAfter, 14); // the end marker is never passed

    // An operator followed by a sign is invalid; the position stays at the sign.
    t = readAll("* -");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].kind, tokInvalid);
    EXPECT_EQ(t[0].positionAfter, 3);

    // Invalid characters are not consumed.
    t = readAll("  ?");
    EXPECT_EQ(t[0].kind, tokInvalid);
    EXPECT_EQ(t[0].positionAfter, 3);
}

TEST(Lexer, NumbersAndNames) {
    std::string text = std::string("12 1.5 e -3 $1F 0x1f Sin Ель arccth7") + formulaEndMarker;
    TLexer lexer(text);
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokInteger);
    EXPECT_EQ(lexer.integerValue(), 12);
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokReal);
    EXPECT_DOUBLE_EQ(lexer.numberValue(), 1.5e-3);
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokHex);
    EXPECT_EQ(lexer.hexValue(), 31);
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokHex);
    EXPECT_EQ(lexer.hexValue(), 31);
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokName);
    EXPECT_EQ(lexer.token().name, TName::sin);
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokName); // Cyrillic letters make names
    EXPECT_EQ(lexer.token().name, TName::unknown);
    lexer.next();
    EXPECT_EQ(lexer.token().name, TName::unknown); // digits belong to the name
    lexer.next();
    EXPECT_EQ(lexer.token().kind, tokEnd);
}
