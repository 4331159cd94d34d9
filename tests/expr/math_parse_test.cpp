#include "expr/math_parse.h"

#include "expr/evaluator.h"
#include "expr_test_support.h"
#include "runtime/platform_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Shown {
    std::string text;
    std::string caption;
};
std::vector<Shown> shownMessages;

void captureMessage(const std::string& text, const std::string& caption) {
    shownMessages.push_back({text, caption});
}

// Records every event that reaches it.
struct Receiver {
    std::vector<TData> received;
    void inEvent(TData& data, std::uint16_t) { received.push_back(data); }
    TKN_Event link() { return makeLink<&Receiver::inEvent>(this); }
};

class MathParse : public ::testing::Test {
protected:
    void SetUp() override {
        installDispatchers();
        shownMessages.clear();
        setDebugMessageSink(captureMessage);
    }
    void TearDown() override {
        setDebugMessageSink(nullptr);
        stopDispatch();
    }

    // The schematic's order of properties.
    void configure(std::int32_t args, const std::string& formula, std::uint8_t type = resultReal,
                   double defaultValue = 0.0) {
        parser.setArgCount(args);
        parser.setFormula(formula);
        parser.setResultType(type);
        parser.setDefault(defaultValue);
        parser.setAngleMode(false);
        parser.outResult = results.link();
    }

    void calc(TData data = TData{}) { raiseData(makeLink<&TKNMathParse::inCalc>(&parser), data); }
    double lastResult() const { return asReal(results.received.back()); }

    TKNMathParse parser;
    Receiver results;
};

} // namespace

TEST_F(MathParse, ResultGoesOnThroughOutResultAndGetResult) {
    configure(2, "(( %2 / %1) ^ 2 - 1.0)");
    ValuePoint first(6), second(18);
    parser.srcArg(1) = first.link();
    parser.srcArg(2) = second.link();
    calc();
    ASSERT_EQ(results.received.size(), 1u);
    EXPECT_EQ(results.received[0].tag, tagReal);
    EXPECT_EQ(lastResult(), 8.0);
    TData read;
    parser.getResult(read, 0);
    EXPECT_EQ(read.tag, tagReal);
    EXPECT_EQ(read.realValue, 8.0);
    EXPECT_EQ(parser.readPosition(), -1);
}

TEST_F(MathParse, ArgumentsAreFetchedOncePerCalculationInOrderOfFirstUse) {
    configure(2, "( %2 - %1 ) + %2 * 0");
    ValuePoint first(6), second(18);
    parser.srcArg(2) = second.link();
    TData chain, tail;
    setReal(chain, 6); // %1 comes from the event, as %2 is linked
    calc(chain);
    EXPECT_EQ(lastResult(), 12.0);
    EXPECT_EQ(second.reads, 1);
    calc(chain);
    EXPECT_EQ(second.reads, 2); // fetched afresh in the next calculation

    // Unconnected links take the values of the event's chain in order of use.
    TKNMathParse other;
    other.setArgCount(2);
    other.setFormula("( %2 - %1 )");
    other.setDefault(0);
    Receiver out;
    other.outResult = out.link();
    setReal(chain, 18);
    setReal(tail, 6);
    chain.next = &tail;
    raiseData(makeLink<&TKNMathParse::inCalc>(&other), chain);
    ASSERT_EQ(out.received.size(), 1u);
    EXPECT_EQ(asReal(out.received[0]), 12.0);

    setReal(chain, 3);
    setReal(tail, 4);
    chain.next = &tail;
    other.setFormula("%1 + %2");
    raiseData(makeLink<&TKNMathParse::inCalc>(&other), chain);
    EXPECT_EQ(asReal(out.received.back()), 7.0);
}

TEST_F(MathParse, PreviousResultAndDefault) {
    configure(0, "%0 + 1");
    calc();
    calc();
    calc();
    ASSERT_EQ(results.received.size(), 3u);
    EXPECT_EQ(asReal(results.received[0]), 1.0);
    EXPECT_EQ(asReal(results.received[1]), 2.0);
    EXPECT_EQ(asReal(results.received[2]), 3.0);

    // After a failure %0 starts again from Default.
    configure(1, "%0 + 1 + 0 * lg(%1)", resultReal, 10.0);
    ValuePoint arg(1);
    parser.srcArg(1) = arg.link();
    Receiver errors;
    parser.outError = errors.link();
    calc();
    EXPECT_EQ(lastResult(), 11.0);
    arg.reply.realValue = 0;
    calc();
    ASSERT_EQ(errors.received.size(), 1u);
    arg.reply.realValue = 1;
    calc();
    EXPECT_EQ(lastResult(), 11.0);
}

TEST_F(MathParse, IntegerResultTypeRoundsTiesToEven) {
    configure(0, "2.5", resultInteger);
    calc();
    ASSERT_EQ(results.received.size(), 1u);
    EXPECT_EQ(results.received[0].tag, tagInteger);
    EXPECT_EQ(results.received[0].intValue, 2);
    TData read;
    parser.getResult(read, 0);
    EXPECT_EQ(read.tag, tagInteger);
    EXPECT_EQ(read.intValue, 2);
    EXPECT_EQ(parser.result(), 2.5); // %0 keeps the real value
}

TEST_F(MathParse, ErrorsGoThroughOutErrorWithTheirCode) {
    configure(1, "20.0 * lg ( ( %1 ) )");
    ValuePoint arg(0);
    parser.srcArg(1) = arg.link();
    Receiver errors;
    parser.outError = errors.link();
    calc();
    EXPECT_TRUE(results.received.empty());
    ASSERT_EQ(errors.received.size(), 1u);
    EXPECT_EQ(errors.received[0].tag, tagInteger);
    EXPECT_EQ(errors.received[0].intValue, errCalc);
    EXPECT_TRUE(shownMessages.empty());

    parser.setFormula("2*-3");
    calc();
    ASSERT_EQ(errors.received.size(), 2u);
    EXPECT_EQ(errors.received[1].intValue, errSyntax);
    EXPECT_EQ(parser.readPosition(), 2);

    // Until the next calculation the data point answers the error marker.
    TData read;
    setReal(read, 5);
    parser.getResult(read, 0);
    EXPECT_EQ(read.tag, tagNull);
    EXPECT_EQ(read.intValue, errSyntax);
    EXPECT_EQ(read.strValue, "MathParse Exception");
    EXPECT_EQ(asReal(read), 0.0);
}

TEST_F(MathParse, UnlinkedErrorsShowADebugMessage) {
    configure(0, "1 +");
    calc();
    ASSERT_EQ(shownMessages.size(), 1u);
    // Code page 1251 bytes: "О" is 0xCE.
    EXPECT_EQ(static_cast<unsigned char>(shownMessages[0].text[0]), 0xCE);
    EXPECT_EQ(shownMessages[0].text,
              "Ошибка синтаксиса в элементе MathParser\r\nОбнаружена в позиции 3");
    EXPECT_EQ(shownMessages[0].caption, "String-Debug");
    EXPECT_TRUE(results.received.empty());

    parser.setFormula("1/0");
    calc();
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[1].text,
              "Ошибка вычисления в элементе MathParser\r\nОбнаружена в позиции 3");
}

TEST_F(MathParse, AReaderTakesOverTheErrorOfTheElementItReads) {
    configure(0, "sqrt(-1)");
    Receiver errors;
    parser.outError = errors.link();
    calc();
    ASSERT_EQ(errors.received.size(), 1u);

    TKNMathParse reader;
    reader.setArgCount(1);
    reader.setFormula("%1 + 1");
    reader.setDefault(0);
    reader.srcArg(1) = makeLink<&TKNMathParse::getResult>(&parser);
    Receiver readerErrors;
    reader.outError = readerErrors.link();
    raiseEvent(makeLink<&TKNMathParse::inCalc>(&reader));
    ASSERT_EQ(readerErrors.received.size(), 1u);
    EXPECT_EQ(readerErrors.received[0].intValue, errCalc);

    parser.setFormula("4");
    calc();
    Receiver readerResults;
    reader.outResult = readerResults.link();
    raiseEvent(makeLink<&TKNMathParse::inCalc>(&reader));
    ASSERT_EQ(readerResults.received.size(), 1u);
    EXPECT_EQ(asReal(readerResults.received[0]), 5.0);
}

namespace {

class RealArray : public TArrayIntf {
public:
    std::vector<double> items{10, 20, 30};
    void arraySet(TData&, TData&) override {}
    bool arrayGet(TData& index, TData& value) override {
        std::int32_t i = asIndex(index);
        if (i < 0 || i >= arrayCount())
            return false;
        setReal(value, items[static_cast<std::size_t>(i)]);
        return true;
    }
    std::int32_t arrayCount() override { return static_cast<std::int32_t>(items.size()); }
    void arrayAdd(TData&) override {}
};

class Table : public TMatrixIntf {
public:
    TData matrixGet(std::int32_t first, std::int32_t second) override {
        TData d;
        if (first >= 0 && first < 3 && second >= 0 && second < 3)
            setInteger(d, first * 10 + second);
        return d;
    }
};

struct Containers {
    RealArray array;
    Table table;
    void getArray(TData& data, std::uint16_t) { setArray(data, &array); }
    void getTable(TData& data, std::uint16_t) {
        setNull(data);
        data.tag = tagMatrix;
        data.matrixValue = &table;
    }
};

} // namespace

TEST_F(MathParse, ArrayMatrixAndValueArguments) {
    Containers containers;
    ValuePoint echo(7), none;
    setNull(none.reply);
    configure(4, "%1[1.5] + %2[2, 1]");
    parser.srcArg(1) = makeLink<&Containers::getArray>(&containers);
    parser.srcArg(2) = makeLink<&Containers::getTable>(&containers);
    parser.srcArg(3) = echo.link();
    parser.srcArg(4) = none.link();
    Receiver errors;
    parser.outError = errors.link();
    calc();
    EXPECT_EQ(lastResult(), 30.0 + 21.0); // 1.5 rounds to 2

    parser.setFormula("%3(2 + 3) + %3(1)");
    calc();
    EXPECT_EQ(lastResult(), 14.0);
    EXPECT_EQ(echo.reads, 2); // the value form is never cached
    EXPECT_EQ(echo.seen, 1.0);

    // Each failure is reported where it was found, not after what follows.
    const std::pair<const char*, std::int32_t> failing[] = {{"%1[3] + 1", 5}, {"%2[3, 0] + 1", 8},
                                                            {"%3[0] + 1", 5}, {"%1[0, 0] + 1", 5},
                                                            {"%2[0] + 1", 5}, {"%4(5) + 1", 5}};
    for (const auto& [formula, position] : failing) {
        parser.setFormula(formula);
        calc();
        EXPECT_EQ(parser.errorCode(), errCalc) << formula;
        EXPECT_EQ(parser.readPosition(), position) << formula;
    }
    parser.setFormula("%2[0, 0");
    calc();
    EXPECT_EQ(parser.errorCode(), errSyntax);
    EXPECT_EQ(errors.received.size(), 7u);

    // Unconnected links: the value form answers "no link", the array form fails.
    TKNMathParse loose;
    loose.setArgCount(1);
    loose.setFormula("%1(5)");
    loose.setDefault(0);
    Receiver out, looseErrors;
    loose.outResult = out.link();
    loose.outError = looseErrors.link();
    raiseEvent(makeLink<&TKNMathParse::inCalc>(&loose));
    ASSERT_EQ(out.received.size(), 1u);
    EXPECT_EQ(asReal(out.received[0]), 0.0);
    loose.setFormula("%1[0]");
    raiseEvent(makeLink<&TKNMathParse::inCalc>(&loose));
    ASSERT_EQ(looseErrors.received.size(), 1u);
    EXPECT_EQ(looseErrors.received[0].intValue, errCalc);
}

TEST_F(MathParse, LongFormulasReportTheirPositionWithoutWrapping) {
    std::string formula;
    for (int i = 0; i < 20000; ++i)
        formula += "1+";
    configure(0, formula);
    Receiver errors;
    parser.outError = errors.link();
    calc();
    ASSERT_EQ(errors.received.size(), 1u);
    EXPECT_EQ(parser.readPosition(), 40000);
}
