#include "expr/evaluator.h"

#include "expr/lexer.h"
#include "runtime/array.h"
#include "runtime/number_text.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr long double piExtended = 3.14159265358979323846264338327950288L;
constexpr double eConstant = 2.718281828459045;
constexpr long double log2Of10 = 3.32192809488736234787031942948939018L;
constexpr long double log2OfE = 1.44269504088896340735992468100189214L;

// Deeper nesting than any formula needs would only exhaust the stack.
constexpr int maxNesting = 100;

class TEvaluator {
public:
    TEvaluator(std::string_view text, TArgumentSet& arguments, double angleFactor)
        : lexer_(text), args_(arguments), angleFactor_(angleFactor) {}

    TEvaluation run() {
        lexer_.next();
        double value = comparison();
        if (!failed() && token().kind != tokEnd)
            fail(errSyntax); // text left over
        TEvaluation result;
        result.value = failed() ? 0.0 : value;
        result.error = error_;
        result.position = lexer_.position();
        return result;
    }

private:
    const TToken& token() const { return lexer_.token(); }
    bool failed() const { return error_ != errNone; }
    bool isDelimiter(char symbol) const {
        return token().kind == tokDelimiter && token().symbol == symbol;
    }
    bool isOperator(char symbol) const {
        return token().kind == tokOperator && token().symbol == symbol;
    }
    bool isName(TName name) const { return token().kind == tokName && token().name == name; }

    double fail(std::int16_t code) {
        if (!failed())
            error_ = code;
        return 0.0;
    }

    // Every result is stored as a double; one that is not finite is a
    // calculation error where the lexer stands.
    double store(long double value) {
        double stored = static_cast<double>(value);
        if (!std::isfinite(stored))
            return fail(errCalc);
        return stored;
    }

    // The current token must be `symbol`; a syntax error where it stands.
    bool require(char symbol) {
        if (!isDelimiter(symbol)) {
            fail(errSyntax);
            return false;
        }
        return true;
    }

    // Reads the token after the one that must be `symbol`.
    bool expect(char symbol) {
        if (!require(symbol))
            return false;
        lexer_.next();
        return true;
    }

    // Reads the token after a closing bracket once the value it closes is
    // known, so that an error in that value is reported at the bracket.
    double readOn(double value) {
        if (failed())
            return 0.0;
        lexer_.next();
        return value;
    }

    double comparison();
    double additive();
    double multiplicative();
    double power();
    double sign();
    double logical();
    double primary();
    double argument();
    double argumentElement(std::int32_t n);
    double argumentWithValue(std::int32_t n);
    double plainArgument(std::int32_t n);
    double function(TName name);
    double oneArgument(TName name, long double x);
    double stepped(TName name, long double x, long double step);

    TLexer lexer_;
    TArgumentSet& args_;
    long double angleFactor_;
    std::int16_t error_ = errNone;
    int nesting_ = 0;
};

bool compare(char symbol, double left, double right) {
    switch (symbol) {
    case '<':
        return left < right;
    case '>':
        return left > right;
    case '=':
        return left == right;
    case symbolLessOrEqual:
        return left <= right;
    default:
        return left >= right;
    }
}

bool isComparison(const TToken& token) {
    if (token.kind != tokDelimiter)
        return false;
    char s = token.symbol;
    return s == '<' || s == '>' || s == '=' || s == symbolLessOrEqual || s == symbolGreaterOrEqual;
}

// Rounds to a 64-bit integer, nearest with ties to even; false beyond its
// range.
bool roundToInt64(double value, std::int64_t& result) {
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!(std::fabs(value) < limit))
        return false;
    result = std::llrint(value);
    return true;
}

// The hyperbolic functions and their inverses are odd: computed for |x| and
// given the sign of x, they keep full precision near 0 and never subtract
// two nearly equal numbers far from it.
long double oddPart(long double x, long double valueForMagnitude) {
    return x < 0.0L ? -valueForMagnitude : valueForMagnitude;
}

long double sinhOfMagnitude(long double a) {
    long double u = std::expm1(a); // exp(a) - 1, accurate near 0
    return (u + u / (u + 1.0L)) / 2.0L;
}

double TEvaluator::comparison() {
    if (++nesting_ > maxNesting) {
        --nesting_;
        return fail(errSyntax);
    }
    double left = additive();
    while (!failed() && isComparison(token())) {
        char symbol = token().symbol;
        lexer_.next();
        double right = additive();
        if (failed())
            break;
        left = compare(symbol, left, right) ? 1.0 : 0.0;
    }
    --nesting_;
    return left;
}

double TEvaluator::additive() {
    double left = multiplicative();
    while (!failed() && (isOperator('+') || isOperator('-'))) {
        bool subtract = token().symbol == '-';
        lexer_.next();
        double right = multiplicative();
        if (failed())
            break;
        long double a = left;
        left = store(subtract ? a - right : a + right);
    }
    return left;
}

double TEvaluator::multiplicative() {
    double left = power();
    while (!failed()) {
        bool integerOperation = isName(TName::opDiv) || isName(TName::opMod);
        if (!integerOperation && !isOperator('*') && !isOperator('/'))
            break;
        bool multiply = isOperator('*');
        bool isDiv = isName(TName::opDiv);
        lexer_.next();
        double right = power();
        if (failed())
            break;
        long double a = left;
        if (multiply) {
            left = store(a * right);
        } else if (!integerOperation) {
            if (right == 0.0)
                return fail(errCalc);
            left = store(a / right);
        } else {
            std::int64_t x = 0;
            std::int64_t y = 0;
            if (!roundToInt64(left, x) || !roundToInt64(right, y) || y == 0)
                return fail(errCalc);
            // -1 apart: the most negative value has no positive counterpart.
            if (y == -1)
                left = isDiv ? store(-static_cast<long double>(x)) : 0.0;
            else
                left = static_cast<double>(isDiv ? x / y : x % y);
        }
    }
    return left;
}

double TEvaluator::power() {
    double base = sign();
    while (!failed() && isOperator('^')) {
        lexer_.next();
        double exponent = sign();
        if (failed())
            break;
        bool integral = std::nearbyint(exponent) == exponent;
        if (integral && base == 0.0 && exponent < 0.0)
            return fail(errCalc); // 1/0
        if (integral)
            base = store(wholePower(base, exponent));
        else if (base > 0.0)
            base = store(std::exp(exponent * std::log(static_cast<long double>(base))));
        else
            return fail(errCalc);
    }
    return base;
}

double TEvaluator::sign() {
    bool negate = false;
    if (isOperator('+') || isOperator('-')) {
        negate = token().symbol == '-';
        lexer_.next();
    }
    double value = logical();
    return negate ? -value : value;
}

double TEvaluator::logical() {
    double left = primary();
    while (!failed()) {
        TName op = token().kind == tokName ? token().name : TName::unknown;
        if (op != TName::opAnd && op != TName::opOr && op != TName::opXor)
            break;
        lexer_.next();
        double right = primary();
        if (failed())
            break;
        bool a = left != 0.0;
        bool b = right != 0.0;
        bool holds = op == TName::opAnd ? (a && b) : op == TName::opOr ? (a || b) : (a != b);
        left = holds ? 1.0 : 0.0;
    }
    return left;
}

double TEvaluator::primary() {
    const TToken& t = token();
    switch (t.kind) {
    case tokDelimiter:
        if (t.symbol == '%')
            return argument();
        if (t.symbol == '(') {
            lexer_.next();
            double value = comparison();
            if (failed() || !expect(')'))
                return 0.0;
            return value;
        }
        return fail(errSyntax);
    case tokName: {
        TName name = t.name;
        if (name == TName::pi || name == TName::e) {
            lexer_.next();
            return name == TName::pi ? static_cast<double>(piExtended) : eConstant;
        }
        if (name >= TName::cos)
            return function(name);
        return fail(errSyntax);
    }
    case tokInteger:
    case tokReal: {
        double value = store(lexer_.numberValue()); // beyond the double range: an error
        if (failed())
            return 0.0;
        lexer_.next();
        return value;
    }
    case tokHex: {
        double value = lexer_.hexValue();
        lexer_.next();
        return value;
    }
    default:
        return fail(errSyntax);
    }
}

double TEvaluator::argument() {
    lexer_.next();
    if (token().kind != tokInteger)
        return fail(errSyntax);
    std::int32_t n = lexer_.integerValue();
    if (n == 0) {
        lexer_.next();
        return args_.previous;
    }
    // A number that wrapped to a negative value names no argument either.
    if (n < 0 || n > args_.count)
        return fail(errSyntax);
    lexer_.next();
    if (isDelimiter('['))
        return argumentElement(n);
    if (isDelimiter('('))
        return argumentWithValue(n);
    return plainArgument(n);
}

double TEvaluator::argumentElement(std::int32_t n) {
    const TKN_Event& link = args_.links[n - 1];
    lexer_.next();
    double first = comparison();
    if (failed())
        return 0.0;
    TData value;
    if (isDelimiter(',')) {
        TMatrixIntf* matrix = pullMatrix(link);
        if (!matrix)
            return fail(errCalc);
        lexer_.next();
        double second = comparison();
        if (failed() || !require(']'))
            return 0.0;
        value = matrix->matrixGet(roundToInt32(first), roundToInt32(second));
        if (value.tag == tagNull)
            return fail(errCalc);
    } else {
        TArrayIntf* array = pullArray(link);
        if (!array)
            return fail(errCalc);
        if (!require(']'))
            return 0.0;
        TData index;
        setReal(index, first);
        if (!array->arrayGet(index, value))
            return fail(errCalc);
    }
    return readOn(store(asReal(value)));
}

double TEvaluator::argumentWithValue(std::int32_t n) {
    lexer_.next();
    double given = comparison();
    if (failed() || !require(')'))
        return 0.0;
    TData data;
    setReal(data, given); // the source sees the value as its incoming value
    pullRaw(data, args_.links[n - 1]);
    if (data.tag == tagNull)
        return fail(errCalc);
    return readOn(store(asReal(data)));
}

double TEvaluator::plainArgument(std::int32_t n) {
    std::size_t slot = static_cast<std::size_t>(n - 1);
    if (args_.fetched[slot])
        return args_.values[slot];
    TData answer = pullData(*args_.eventData, args_.links[slot], nullptr);
    if (answer.tag == tagNull && answer.strValue == mathParseErrorMarker) {
        // A failed expression element upstream: its error becomes ours.
        return fail(answer.intValue == errSyntax ? errSyntax : errCalc);
    }
    double value = store(asReal(answer));
    if (failed())
        return 0.0;
    args_.values[slot] = value;
    args_.fetched[slot] = 1;
    return value;
}

double TEvaluator::function(TName name) {
    lexer_.next();
    if (!expect('('))
        return 0.0;
    double x = comparison();
    if (failed())
        return 0.0;
    double value = 0.0;
    switch (name) {
    case TName::atan:
    case TName::log: {
        if (!expect(','))
            return 0.0;
        double y = comparison();
        if (failed())
            return 0.0;
        if (name == TName::atan) {
            value = store(std::atan2(static_cast<long double>(x), y) / angleFactor_);
        } else {
            if (x <= 0.0 || y <= 0.0)
                return fail(errCalc);
            long double base = std::log2(static_cast<long double>(x));
            if (base == 0.0L)
                return fail(errCalc); // base 1
            value = store(std::log2(static_cast<long double>(y)) / base);
        }
        break;
    }
    case TName::round:
    case TName::frac:
    case TName::trunc: {
        double step = 1.0;
        if (isDelimiter(',')) {
            lexer_.next();
            step = comparison();
            if (failed())
                return 0.0;
        }
        value = stepped(name, x, step);
        break;
    }
    case TName::min:
    case TName::max:
        value = x;
        while (isDelimiter(',')) {
            lexer_.next();
            double next = comparison();
            if (failed())
                return 0.0;
            if (name == TName::min ? next < value : next > value)
                value = next;
        }
        break;
    default:
        value = oneArgument(name, x);
        break;
    }
    if (failed() || !expect(')'))
        return 0.0;
    return value;
}

double TEvaluator::stepped(TName name, long double x, long double step) {
    if (step == 0.0L)
        return fail(errCalc);
    long double ratio = x / step;
    if (!std::isfinite(ratio))
        return fail(errCalc);
    long double whole = std::trunc(ratio);
    long double part = name == TName::round   ? std::nearbyint(ratio)
                       : name == TName::trunc ? whole
                                              : ratio - whole;
    return store(step * part);
}

double TEvaluator::oneArgument(TName name, long double x) {
    const long double f = angleFactor_;
    switch (name) {
    case TName::cos:
        return store(std::cos(x * f));
    case TName::sin:
        return store(std::sin(x * f));
    case TName::tg: {
        long double c = std::cos(x * f);
        if (c == 0.0L)
            return fail(errCalc);
        return store(std::sin(x * f) / c);
    }
    case TName::ctg: {
        long double s = std::sin(x * f);
        if (s == 0.0L)
            return fail(errCalc);
        return store(std::cos(x * f) / s);
    }
    case TName::arccos:
    case TName::arcsin: {
        if (x > 1.0L || x < -1.0L)
            return fail(errCalc);
        long double other = std::sqrt(1.0L - x * x);
        return store((name == TName::arccos ? std::atan2(other, x) : std::atan2(x, other)) / f);
    }
    case TName::arctg:
        return store(std::atan2(x, 1.0L) / f);
    case TName::arcctg:
        return store(std::atan2(1.0L, x) / f);
    case TName::ch: {
        long double ex = std::exp(x);
        if (ex == 0.0L || !std::isfinite(ex))
            return fail(errCalc);
        return store((ex + 1.0L / ex) / 2.0L);
    }
    case TName::sh:
        return store(oddPart(x, sinhOfMagnitude(std::fabs(x))));
    case TName::th:
    case TName::cth: {
        if (name == TName::cth && x == 0.0L)
            return fail(errCalc);
        // exp(2x) - 1 without the cancellation that loses a small x.
        long double u = std::expm1(2.0L * x);
        if (!std::isfinite(u))
            return fail(errCalc);
        return store(name == TName::th ? u / (u + 2.0L) : (u + 2.0L) / u);
    }
    case TName::arcch: {
        if (x < 1.0L)
            return fail(errCalc);
        long double t = x - 1.0L; // exact: keeps the values just above 1
        return store(std::log1p(t + std::sqrt(t * (x + 1.0L))));
    }
    case TName::arcsh: {
        long double a = std::fabs(x);
        return store(oddPart(x, std::log1p(a + a * a / (1.0L + std::sqrt(1.0L + a * a)))));
    }
    case TName::arcth: {
        if (x >= 1.0L || x <= -1.0L)
            return fail(errCalc);
        long double a = std::fabs(x);
        return store(oddPart(x, std::log1p(2.0L * a / (1.0L - a)) / 2.0L));
    }
    case TName::arccth: {
        if (x >= -1.0L && x <= 1.0L)
            return fail(errCalc);
        long double a = std::fabs(x);
        return store(oddPart(x, std::log1p(2.0L / (a - 1.0L)) / 2.0L));
    }
    case TName::lg:
    case TName::ln:
        if (x <= 0.0L)
            return fail(errCalc);
        return store(std::log2(x) / (name == TName::lg ? log2Of10 : log2OfE));
    case TName::exp:
        return store(std::exp(x));
    case TName::sqr:
        return store(x * x);
    case TName::sqrt:
        if (x < 0.0L)
            return fail(errCalc);
        return store(std::sqrt(x));
    case TName::abs:
        return store(x < 0.0L ? -x : x);
    case TName::sign:
        return store(x < 0.0L ? -1.0L : x > 0.0L ? 1.0L : x);
    default:
        return fail(errSyntax);
    }
}

} // namespace

TEvaluation evaluateFormula(std::string_view text, TArgumentSet& arguments, double angleFactor) {
    TEvaluator evaluator(text, arguments, angleFactor);
    return evaluator.run();
}
