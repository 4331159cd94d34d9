#include "expr/math_parse.h"

#include "expr_test_support.h"
#include "runtime/array.h"
#include "runtime/platform_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> shown;
void capture(const std::string& text, const std::string& caption) {
    shown.push_back(caption + "|" + text);
}

// An element in the schematic's order of properties. What it sends is
// logged: "r8 " a real result, "i2 " an integer one, "e1 " error code 1.
struct Parser : TKNMathParse {
    std::string out;
    Parser(std::int32_t args, const std::string& formula, bool errorLinked = true,
           std::uint8_t type = resultReal, double defaultValue = 0.0) {
        installDispatchers();
        setArgCount(args);
        setFormula(formula);
        setResultType(type);
        setDefault(defaultValue);
        setAngleMode(false);
        outResult = makeLink<&Parser::log>(this, 0);
        if (errorLinked)
            outError = makeLink<&Parser::log>(this, 1);
    }
    void log(TData& data, std::uint16_t error) {
        out += data.tag == tagInteger ? (error ? "e" : "i") : data.tag == tagReal ? "r" : "?";
        out += asString(data) + " ";
    }
    void calc(TData data = TData{}) { raiseData(makeLink<&TKNMathParse::inCalc>(this), data); }
    // What the data point answers, as tag letter and text; after an error,
    // the code and the marker of a null value.
    std::string read() {
        TData d;
        setReal(d, 5);
        getResult(d, 0);
        const char* tag = d.tag == tagInteger ? "i" : d.tag == tagReal ? "r" : "?";
        return d.tag == tagNull ? "n" + std::to_string(d.intValue) + " " + d.strValue
                                : tag + asString(d);
    }
};

} // namespace

TEST(MathParse, ResultsGoOnAsRealOrRoundedInteger) {
    Parser real(2, "(( %2 / %1) ^ 2 - 1.0)"), integer(0, "2.5", true, resultInteger);
    ValuePoint first(6), second(18);
    real.srcArg(1) = first.link();
    real.srcArg(2) = second.link();
    real.calc();
    integer.calc();
    EXPECT_EQ(real.out + integer.out, "r8 i2 "); // ties to even
    EXPECT_EQ(real.read() + " " + integer.read(), "r8 i2");
    EXPECT_EQ(real.readPosition(), -1);
    EXPECT_EQ(integer.result(), 2.5); // %0 keeps the real value
}

TEST(MathParse, ArgumentsAreFetchedOncePerCalculationLinkedOrFromTheEvent) {
    Parser linked(2, "( %2 - %1 ) + %2 * 0"), loose(2, "( %2 - %1 )");
    ValuePoint second(18);
    linked.srcArg(2) = second.link();
    TData chain, tail;
    setReal(chain, 6); // %1 is unlinked: it comes from the event
    linked.calc(chain);
    linked.calc(chain);
    EXPECT_EQ(linked.out, "r12 r12 ");
    EXPECT_EQ(second.reads, 2); // once in each calculation

    // Unlinked arguments take the values of the event's chain in order of use.
    setReal(chain, 18);
    setReal(tail, 6);
    chain.next = &tail;
    loose.calc(chain);
    loose.setFormula("%1 + %2 * 2");
    loose.calc(chain);
    EXPECT_EQ(loose.out, "r12 r30 ");
}

TEST(MathParse, PreviousResultStartsFromTheDefaultAgainAfterAFailure) {
    Parser counter(1, "%0 + 1 + 0 * lg(%1)", true, resultReal, 10.0);
    ValuePoint arg(1);
    counter.srcArg(1) = arg.link();
    for (double x : {1, 1, 0, 1}) {
        arg.reply.realValue = x;
        counter.calc();
    }
    EXPECT_EQ(counter.out, "r11 r12 e1 r11 ");
}

TEST(MathParse, ErrorsGoThroughOutErrorOrAMessageBox) {
    Parser parser(0, "lg(0)"), unlinked(0, "1 +", false);
    setDebugMessageSink(capture);
    parser.calc();
    parser.setFormula("2*-3");
    parser.calc();
    EXPECT_EQ(parser.out, "e1 e0 ");
    EXPECT_EQ(parser.readPosition(), 2);
    // Until the next calculation the data point answers the error marker.
    EXPECT_EQ(parser.read(), "n0 MathParse Exception");

    unlinked.calc();
    unlinked.setFormula("1/0");
    unlinked.calc();
    setDebugMessageSink(nullptr);
    EXPECT_EQ(unlinked.out, "");
    // Code page 1251 bytes: "О" is 0xCE.
    EXPECT_EQ(static_cast<unsigned char>(shown.at(0)[13]), 0xCE);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "String-Debug|Ошибка синтаксиса в элементе MathParser\r\nОбнаружена в "
                         "позиции 3",
                         "String-Debug|Ошибка вычисления в элементе MathParser\r\nОбнаружена в "
                         "позиции 3"}));
}

TEST(MathParse, AReaderTakesOverTheErrorOfTheElementItReads) {
    Parser source(0, "sqrt(-1)"), reader(1, "%1 + 1");
    reader.srcArg(1) = makeLink<&TKNMathParse::getResult>(&source);
    source.calc();
    reader.calc();
    source.setFormula("4");
    source.calc();
    reader.calc();
    EXPECT_EQ(reader.out, "e1 r5 ");
}

namespace {

// Read as an array: 10, 20, 30; as a matrix: 3 x 3 of 10 * row + column.
struct Containers : TArrayIntf, TMatrixIntf {
    void arraySet(TData&, TData&) override {}
    bool arrayGet(TData& index, TData& value) override {
        const std::int32_t i = asIndex(index);
        if (i >= 0 && i < 3)
            setReal(value, 10.0 * (i + 1));
        return i >= 0 && i < 3;
    }
    std::int32_t arrayCount() override { return 3; }
    void arrayAdd(TData&) override {}
    TData matrixGet(std::int32_t row, std::int32_t column) override {
        TData d;
        if (row >= 0 && row < 3 && column >= 0 && column < 3)
            setInteger(d, row * 10 + column);
        return d;
    }
    void getArray(TData& data, std::uint16_t) { setArray(data, this); }
    void getTable(TData& data, std::uint16_t) {
        setNull(data);
        data.tag = tagMatrix;
        data.matrixValue = this;
    }
};

} // namespace

TEST(MathParse, ArrayMatrixAndValueArguments) {
    Containers containers;
    ValuePoint echo(7), none;
    setNull(none.reply);
    Parser parser(5, "%1[1.5] + %2[2, 1]"); // %5 stays unlinked
    parser.srcArg(1) = makeLink<&Containers::getArray>(&containers);
    parser.srcArg(2) = makeLink<&Containers::getTable>(&containers);
    parser.srcArg(3) = echo.link();
    parser.srcArg(4) = none.link();
    parser.calc(); // 1.5 rounds to 2
    parser.setFormula("%3(2 + 3) + %3(1) + %5(5)");
    parser.calc(); // an unlinked value form answers 0
    EXPECT_EQ(parser.out, "r51 r14 ");
    EXPECT_EQ(echo.reads, 2); // the value form is never cached
    EXPECT_EQ(echo.seen, 1.0);

    // Each failure is reported where it was found, not after what follows.
    const std::tuple<const char*, std::int16_t, std::int32_t> failing[] = {
        {"%1[3] + 1", errCalc, 5},    {"%2[3, 0] + 1", errCalc, 8}, {"%3[0] + 1", errCalc, 5},
        {"%1[0, 0] + 1", errCalc, 5}, {"%2[0] + 1", errCalc, 5},    {"%4(5) + 1", errCalc, 5},
        {"%5[0] + 1", errCalc, 5},    {"%2[0, 0", errSyntax, 7}};
    for (const auto& [formula, error, position] : failing) {
        parser.setFormula(formula);
        parser.calc();
        EXPECT_EQ(parser.errorCode(), error) << formula;
        EXPECT_EQ(parser.readPosition(), position) << formula;
    }
    EXPECT_EQ(parser.out.size(), 8 + 8 * 3u);
}

TEST(MathParse, LongFormulasReportTheirPositionWithoutWrapping) {
    std::string formula;
    for (int i = 0; i < 20000; ++i)
        formula += "1+";
    Parser parser(0, formula);
    parser.calc();
    EXPECT_EQ(parser.readPosition(), 40000);
}
