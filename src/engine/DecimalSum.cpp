#include "engine/DecimalSum.h"

#include "engine/EngineError.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

namespace engine {

namespace {

__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

constexpr int maxScale = 28;

// The powers of ten that a double holds exactly.
constexpr double exactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int fewDecimals = 8;

Int128 powerOfTen(int exponent)
{
    Int128 p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= 10;
    return p;
}

bool scaleUp(Int128 &units, int places)
{
    return !__builtin_mul_overflow(units, powerOfTen(places), &units);
}

// The shortest decimal that reads back as `value`, as units of 10^-scale. A value stored as
// a decimal with up to 15 digits comes back as exactly that decimal.
bool decimalOf(double value, Int128 &units, int &scale)
{
    if (!std::isfinite(value))
        return false;
    // Most values have few decimals: a division of two exact doubles is correctly rounded, so
    // r / 10^k == value proves that the decimal r * 10^-k is the one nearest to the value.
    for (int k = 0; k <= fewDecimals; ++k) {
        const double r = std::nearbyint(value * exactPowers[k]);
        if (!(std::fabs(r) < 1e15))
            break;
        if (r / exactPowers[k] == value) {
            units = static_cast<long long>(r);
            scale = k;
            return true;
        }
    }
    // The shortest text that reads back as the value: d.ddde±x with at most 17 digits.
    char text[40];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    if (ec != std::errc())
        return false;
    const char *p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    Int128 digits = 0;
    int count = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.')
            continue;
        digits = digits * 10 + (*p - '0');
        ++count;
    }
    if (p == end)
        return false;
    ++p;
    if (p < end && *p == '+')
        ++p;
    int exponent = 0;
    if (std::from_chars(p, end, exponent).ec != std::errc())
        return false;
    scale = count - 1 - exponent;
    if (scale < 0) {
        if (-scale > 20 || !scaleUp(digits, -scale))
            return false;
        scale = 0;
    }
    if (scale > maxScale)
        return false;
    units = negative ? -digits : digits;
    return true;
}

} // namespace

void DecimalSum::addDecimal(Int128 units, int scale, double value)
{
    m_approx += value;
    if (m_inexact)
        return;
    if (scale > m_scale) {
        if (!scaleUp(m_units, scale - m_scale)) {
            m_inexact = true;
            return;
        }
        m_scale = scale;
    } else if (scale < m_scale && !scaleUp(units, m_scale - scale)) {
        m_inexact = true;
        return;
    }
    if (__builtin_add_overflow(m_units, units, &m_units))
        m_inexact = true;
}

void DecimalSum::add(double value)
{
    ++m_count;
    m_hadFloat = true;
    Int128 units = 0;
    int scale = 0;
    if (decimalOf(value, units, scale))
        addDecimal(units, scale, value);
    else {
        m_approx += value;
        m_inexact = true;
    }
}

void DecimalSum::add(qint64 value)
{
    ++m_count;
    addDecimal(value, 0, double(value));
}

void DecimalSum::remove(double value)
{
    --m_count;
    Int128 units = 0;
    int scale = 0;
    if (decimalOf(value, units, scale))
        addDecimal(-units, scale, -value);
    else {
        m_approx -= value;
        m_inexact = true;
    }
}

void DecimalSum::remove(qint64 value)
{
    --m_count;
    addDecimal(-Int128(value), 0, -double(value));
}

double DecimalSum::toDouble() const
{
    if (m_inexact)
        return double(m_approx);
    // Both exact as doubles: their quotient is the double nearest to the decimal.
    if (m_units > -(Int128(1) << 53) && m_units < (Int128(1) << 53) && m_scale < int(std::size(exactPowers)))
        return double(static_cast<long long>(m_units)) / exactPowers[m_scale];
    UInt128 magnitude = m_units < 0 ? -UInt128(m_units) : UInt128(m_units);
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    const std::string text = (m_units < 0 ? "-" : "") + digits + "e-" + std::to_string(m_scale);
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

bool DecimalSum::toInteger(qint64 &result) const
{
    if (m_inexact || m_scale != 0 || m_units < Int128(INT64_MIN) || m_units > Int128(INT64_MAX))
        return false;
    result = static_cast<qint64>(m_units);
    return true;
}

namespace {

// SQLite hands out zeroed memory for an aggregate's state, aligned for eight bytes only, and
// never destroys it.
struct AggregateState
{
    bool started;
    DecimalSum sum;
};
static_assert(std::is_trivially_destructible_v<AggregateState>);

DecimalSum *sumOf(sqlite3_context *context, bool create)
{
    constexpr size_t size = sizeof(AggregateState) + alignof(AggregateState);
    void *memory = sqlite3_aggregate_context(context, create ? int(size) : 0);
    if (!memory)
        return nullptr;
    // The same memory comes back on every call, so it aligns to the same place each time.
    size_t space = size;
    auto *state = static_cast<AggregateState *>(std::align(alignof(AggregateState), sizeof(AggregateState), memory, space));
    if (!state->started) {
        new (&state->sum) DecimalSum;
        state->started = true;
    }
    return &state->sum;
}

// Text and blobs count with their numeric value, as in SQLite's own SUM.
void step(sqlite3_context *context, sqlite3_value *value, bool adding)
{
    const int type = sqlite3_value_numeric_type(value);
    if (type == SQLITE_NULL)
        return;
    DecimalSum *sum = sumOf(context, true);
    if (!sum) {
        sqlite3_result_error_nomem(context);
        return;
    }
    if (type == SQLITE_INTEGER) {
        const qint64 v = sqlite3_value_int64(value);
        adding ? sum->add(v) : sum->remove(v);
    } else {
        const double v = sqlite3_value_double(value);
        adding ? sum->add(v) : sum->remove(v);
    }
}

void result(sqlite3_context *context)
{
    const DecimalSum *sum = sumOf(context, false);
    if (!sum || sum->isEmpty()) {
        sqlite3_result_null(context);
        return;
    }
    if (!sum->onlyIntegers()) {
        sqlite3_result_double(context, sum->toDouble());
        return;
    }
    qint64 integer = 0;
    if (sum->toInteger(integer))
        sqlite3_result_int64(context, integer);
    else
        sqlite3_result_error(context, "integer overflow", -1);
}

} // namespace

void registerDecimalSum(sqlite3 *db)
{
    // Registered under SQLite's own name, it takes the place of the built-in SUM.
    const int rc = sqlite3_create_window_function(
        db, "sum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
        [](sqlite3_context *c, int, sqlite3_value **v) { step(c, v[0], true); }, [](sqlite3_context *c) { result(c); },
        [](sqlite3_context *c) { result(c); }, [](sqlite3_context *c, int, sqlite3_value **v) { step(c, v[0], false); }, nullptr);
    if (rc != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(db)), rc);
}

} // namespace engine
