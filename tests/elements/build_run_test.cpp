// The graph-building run of the application, built without any window: the
// loop, the routing elements and the formulas linked exactly as the
// application links them, with stand-ins for the edits, memos and series.
#include "elements/do_data.h"
#include "elements/for_loop.h"
#include "elements/hub.h"
#include "elements/if_else.h"
#include "elements/visual_strings.h"
#include "expr/math_parse.h"
#include "runtime/number_text.h"

#include "recorder.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

// An edit: text set from its event, a change event with the text read as a
// number, and the value for readers (empty text: none, and the text becomes 0).
struct EditStandIn {
    std::string text;
    bool integerReader = false;
    TKN_Event outChange;

    TData value() const {
        TData d;
        if (integerReader)
            setInteger(d, textToInt(text));
        else
            setReal(d, textToReal(text));
        return d;
    }
    void inText(TData& data, std::uint16_t) {
        text = pullString(data, TKN_Event(), std::string());
        if (text.empty()) {
            text = "0"; // the reader replaces an empty text and raises nothing
            return;
        }
        raiseData(outChange, value());
    }
    void getValue(TData& data, std::uint16_t) {
        if (text.empty()) {
            setNull(data);
            text = "0";
            return;
        }
        data = value();
    }
};

// A memo: appends its srcText as a line, empties on inClear.
struct MemoStandIn {
    std::vector<std::string> lines;
    int clears = 0;
    TKN_Event srcText;
    void inAdd(TData& data, std::uint16_t) {
        lines.push_back(pullString(data, srcText, std::string()));
    }
    void inClear(TData&, std::uint16_t) {
        lines.clear();
        ++clears;
    }
};

// A series: adds the point (srcX, srcY), Y pulled first.
struct SeriesStandIn {
    std::vector<std::pair<double, double>> points;
    int clears = 0;
    TKN_Event srcX;
    TKN_Event srcY;
    void inAdd(TData& data, std::uint16_t) {
        const double y = pullReal(data, srcY, 0.0);
        const double x = pullReal(data, srcX, 0.0);
        points.emplace_back(x, y);
    }
    void inClear(TData&, std::uint16_t) {
        points.clear();
        ++clears;
    }
};

void setUpFormula(TKNMathParse& math, std::int32_t argCount, const std::string& formula) {
    math.setArgCount(argCount);
    math.setFormula(formula);
    math.setResultType(resultReal);
    math.setDefault(0.0);
    math.setAngleMode(false);
}

const std::string rejection = "Собственная частота должна быть больше 0.001 Гц";

class BuildRun : public LiveLinks {
protected:
    // The application's elements, with stand-ins for the windowed ones.
    EditStandIn EditNaturalFreq;
    EditStandIn EditNaturalFreqCopy;
    EditStandIn EditStart;
    EditStandIn EditEnd;
    MemoStandIn MemoError;
    MemoStandIn MemoEffect;
    MemoStandIn MemoFrequency;
    SeriesStandIn LinesEffect;
    SeriesStandIn PointsEffect;
    Sink MathEndFromStart; // what IfRange would start

    TKNDoData DoDataNaturalFreq;
    TKNIf_else IfLogArgument;
    TKNVisualStrings StringsError;
    TKNFor ForFrequency;
    TKNMathParse MathRatio;
    TKNIf_else IfRange;
    TKNHub HubBuild;
    TKNIf_else IfNaturalFreq;
    TKNMathParse MathEffect;
    TKNHub HubResult;

    Sink stopped; // observes the loop's end, which the application leaves unlinked

    void SetUp() override {
        stopDispatch(); // the application builds with inert dispatchers
        setProperties();
        link();
        ForFrequency.outStop = makeLink<&Sink::inRecord>(&stopped);
        LiveLinks::SetUp();
    }

    void setProperties() {
        EditNaturalFreqCopy.text = "6,0";
        EditStart.integerReader = true;
        EditEnd.integerReader = true;
        IfLogArgument.Type = compareGreater;
        setReal(IfLogArgument.Op1, 0.0);
        setReal(IfLogArgument.Op2, 0.01);
        StringsError.Lines = rejection;
        StringsError.Width = 340;
        StringsError.Height = 18;
        ForFrequency.Start = 10;
        ForFrequency.End = 83;
        ForFrequency.Step = 1;
        ForFrequency.IncludeEnd = true;
        setUpFormula(MathRatio, 2, "(( %2 / %1) ^ 2 - 1.0)");
        HubBuild.InCount = 1;
        HubBuild.setOutCount(15);
        IfNaturalFreq.Type = compareGreater;
        setReal(IfNaturalFreq.Op1, 0.0);
        setReal(IfNaturalFreq.Op2, 0.001);
        setUpFormula(MathEffect, 1, "20.0 * lg ( ( %1 ) )");
        IfRange.Type = compareGreater;
        setInteger(IfRange.Op1, 0);
        setInteger(IfRange.Op2, 0);
        HubResult.InCount = 1;
        HubResult.setOutCount(4);
    }

    // The application's links among these elements, in its order.
    void link() {
        LinesEffect.srcY = makeLink<&TKNMathParse::getResult>(&MathEffect, 0);
        LinesEffect.srcX = makeLink<&TKNFor::getPosition>(&ForFrequency, 0);
        PointsEffect.srcY = makeLink<&TKNMathParse::getResult>(&MathEffect, 0);
        PointsEffect.srcX = makeLink<&TKNFor::getPosition>(&ForFrequency, 0);
        DoDataNaturalFreq.outData = makeLink<&EditStandIn::inText>(&EditNaturalFreqCopy, 0);
        DoDataNaturalFreq.srcData = makeLink<&EditStandIn::getValue>(&EditNaturalFreq, 0);
        EditNaturalFreqCopy.outChange = makeLink<&TKNIf_else::inCompare>(&IfNaturalFreq, 0);
        IfLogArgument.outTrue = makeLink<&TKNMathParse::inCalc>(&MathEffect, 0);
        IfLogArgument.srcOp1 = makeLink<&TKNMathParse::getResult>(&MathRatio, 0);
        MemoError.srcText = makeLink<&TKNVisualStrings::getLines>(&StringsError, 0);
        ForFrequency.outEvent = makeLink<&TKNDoData::inDoData>(&DoDataNaturalFreq, 0);
        ForFrequency.srcStart = makeLink<&EditStandIn::getValue>(&EditStart, 0);
        ForFrequency.srcEnd = makeLink<&EditStandIn::getValue>(&EditEnd, 0);
        MathRatio.outResult = makeLink<&TKNIf_else::inCompare>(&IfLogArgument, 0);
        MathRatio.srcArg(1) = makeLink<&EditStandIn::getValue>(&EditNaturalFreqCopy, 0);
        MathRatio.srcArg(2) = makeLink<&TKNFor::getPosition>(&ForFrequency, 0);
        HubBuild.outEvent[0] = makeLink<&SeriesStandIn::inClear>(&LinesEffect, 1);
        HubBuild.outEvent[1] = makeLink<&SeriesStandIn::inClear>(&PointsEffect, 1);
        HubBuild.outEvent[2] = makeLink<&MemoStandIn::inClear>(&MemoFrequency, 1);
        HubBuild.outEvent[3] = makeLink<&MemoStandIn::inClear>(&MemoEffect, 1);
        HubBuild.outEvent[4] = makeLink<&TKNIf_else::inCompare>(&IfRange, 0);
        HubBuild.outEvent[5] = makeLink<&TKNFor::inFor>(&ForFrequency, 0);
        MemoEffect.srcText = makeLink<&TKNMathParse::getResult>(&MathEffect, 0);
        IfNaturalFreq.outTrue = makeLink<&TKNMathParse::inCalc>(&MathRatio, 0);
        IfNaturalFreq.outFalse = makeLink<&MemoStandIn::inAdd>(&MemoError, 0);
        IfNaturalFreq.srcOp1 = makeLink<&EditStandIn::getValue>(&EditNaturalFreqCopy, 0);
        MathEffect.outResult = makeLink<&TKNHub::inEvent>(&HubResult, 0);
        MathEffect.srcArg(1) = makeLink<&TKNMathParse::getResult>(&MathRatio, 0);
        IfRange.outTrue = makeLink<&Sink::inRecord>(&MathEndFromStart, 0);
        IfRange.srcOp1 = makeLink<&EditStandIn::getValue>(&EditStart, 0);
        IfRange.srcOp2 = makeLink<&EditStandIn::getValue>(&EditEnd, 0);
        HubResult.outEvent[0] = makeLink<&SeriesStandIn::inAdd>(&LinesEffect, 0);
        HubResult.outEvent[1] = makeLink<&SeriesStandIn::inAdd>(&PointsEffect, 0);
        HubResult.outEvent[2] = makeLink<&MemoStandIn::inAdd>(&MemoEffect, 0);
        HubResult.outEvent[3] = makeLink<&MemoStandIn::inAdd>(&MemoFrequency, 0);
        MemoFrequency.srcText = makeLink<&TKNFor::getPosition>(&ForFrequency, 0);
    }

    // The button's click.
    void build(const std::string& naturalFrequency, std::int32_t start, std::int32_t end) {
        EditNaturalFreq.text = naturalFrequency;
        EditStart.text = intToText(start);
        EditEnd.text = intToText(end);
        raiseEvent(makeLink<&TKNHub::inEvent>(&HubBuild, 0));
    }
};

double efficiency(double f, double f0) {
    const double ratio = f / f0;
    return 20.0 * std::log10(ratio * ratio - 1.0);
}

} // namespace

TEST_F(BuildRun, PlotsTheBandAboveTheNaturalFrequency) {
    build("6.0", 2, 12);

    ASSERT_EQ(LinesEffect.points.size(), 6u);
    ASSERT_EQ(PointsEffect.points.size(), 6u);
    ASSERT_EQ(MemoFrequency.lines.size(), 6u);
    ASSERT_EQ(MemoEffect.lines.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        const int f = 7 + i;
        EXPECT_EQ(LinesEffect.points[i].first, f);
        EXPECT_NEAR(LinesEffect.points[i].second, efficiency(f, 6.0), 1e-12) << f;
        EXPECT_EQ(PointsEffect.points[i], LinesEffect.points[i]);
        EXPECT_EQ(MemoFrequency.lines[i], intToText(f));
        EXPECT_EQ(MemoEffect.lines[i], realToText(LinesEffect.points[i].second));
    }
    EXPECT_TRUE(MemoError.lines.empty());
    EXPECT_TRUE(MathEndFromStart.received.empty()); // start not above end
    ASSERT_EQ(stopped.received.size(), 1u);
    EXPECT_EQ(stopped.received[0].tag, tagInteger);
    EXPECT_EQ(stopped.received[0].intValue, 13);
    EXPECT_EQ(EditNaturalFreqCopy.text, "6");
}

TEST_F(BuildRun, RejectsANaturalFrequencyNotAboveTheLimit) {
    build("0.0005", 2, 12);
    EXPECT_TRUE(LinesEffect.points.empty());
    EXPECT_TRUE(MemoEffect.lines.empty());
    EXPECT_TRUE(MemoFrequency.lines.empty());
    EXPECT_EQ(MemoError.lines, std::vector<std::string>(11, rejection));

    // A second press clears the results but keeps the rejection lines.
    build("0.002", 2, 12);
    EXPECT_EQ(LinesEffect.clears, 2);
    EXPECT_EQ(MemoEffect.clears, 2);
    EXPECT_EQ(MemoError.lines.size(), 11u);
    ASSERT_EQ(LinesEffect.points.size(), 11u);
    EXPECT_EQ(LinesEffect.points.front().first, 2.0);
    EXPECT_NEAR(LinesEffect.points.front().second, efficiency(2, 0.002), 1e-9);
    EXPECT_EQ(MemoFrequency.lines.back(), "12");
}

TEST_F(BuildRun, StartAboveEndAsksForTheCorrectionFirst) {
    build("6.0", 12, 2);
    ASSERT_EQ(MathEndFromStart.received.size(), 1u);
    EXPECT_TRUE(LinesEffect.points.empty()); // the stand-in corrects nothing
    EXPECT_EQ(stopped.received.back().intValue, 12);

    // Both edits empty: null against null holds, and the loop reads 0 to 0.
    EditNaturalFreq.text = "6.0";
    EditStart.text.clear();
    EditEnd.text.clear();
    raiseEvent(makeLink<&TKNHub::inEvent>(&HubBuild, 0));
    EXPECT_EQ(MathEndFromStart.received.size(), 2u);
    EXPECT_EQ(EditStart.text, "0");
    EXPECT_EQ(EditEnd.text, "0");
    EXPECT_EQ(stopped.received.back().intValue, 1);
}
