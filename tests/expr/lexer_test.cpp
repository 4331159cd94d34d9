#include "expr/lexer.h"

#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each token read, with the position after it: a delimiter or operator as
// its symbol ('{' is <=, '}' is >=), i/r/h and the value of a whole, real or
// hexadecimal number, "name" or "?" for a known or unknown name, then "end"
// or "bad" for the token that stops the reading.
std::string tokens(const std::string& formula) {
    const std::string text = formula + formulaEndMarker;
    TLexer lexer(text);
    std::string out;
    for (;;) {
        lexer.next();
        const TToken& t = lexer.token();
        switch (t.kind) {
        case tokInteger:
            out += "i" + intToText(lexer.integerValue());
            break;
        case tokReal:
            out += "r" + realToText(lexer.numberValue());
            break;
        case tokHex:
            out += "h" + intToText(lexer.hexValue());
            break;
        case tokName:
            out += t.name == TName::unknown ? "?" : "name";
            break;
        case tokEnd:
        case tokInvalid:
            return out + (t.kind == tokEnd ? "end@" : "bad@") + intToText(lexer.position());
        default:
            out += t.symbol;
        }
        out += "@" + intToText(lexer.position()) + " ";
    }
}

} // namespace

TEST(Lexer, TokensValuesAndPositions) {
    const std::pair<const char*, const char*> cases[] = {
        {" <= >=\t< = %(", "{@4 }@7 <@9 =@11 %@13 (@14 end@14"},
        {"),[]", ")@2 ,@3 [@4 ]@5 end@5"},
        {"1*2+3-4/5^6", "i1@2 *@3 i2@4 +@5 i3@6 -@7 i4@8 /@9 i5@10 ^@11 i6@12 end@12"},
        {"* -", "bad@3"}, // a sign after an operator, not consumed
        {"  ?", "bad@3"},
        {"12 1.5 e -3 7.e2", "i12@4 r0.0015@12 r700@17 end@17"},
        {"$1F 0x1f 0xg", "h31@4 h31@9 bad@12"},
        {".5 . 1e+", "r0.5@4 bad@5"},
        {"1e+", "bad@4"},
        {"Sin Ель arccth7 SQRT", "name@4 ?@8 ?@16 name@21 end@21"},
        {"Abcdefg _x", "?@8 ?@11 end@11"}};
    for (auto [formula, expected] : cases)
        EXPECT_EQ(tokens(formula), expected) << formula;
}
