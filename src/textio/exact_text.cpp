// Full-precision editor text. What it does not do: it never trusts the
// shortest decimal of a double (std::to_chars) alone. The editors convert a
// decimal to an extended number first and store that as a double, and the
// two roundings do not always agree with one correct rounding to a double:
//
//   - a decimal within half an extended unit of the midpoint between two
//     doubles becomes that midpoint, and the store rounds it to the even
//     double: the shortest decimal of an odd double can come back as its
//     even neighbour (then a longer decimal is needed), and a decimal a
//     little beyond the interval of an even double can come back as that
//     double (then a shorter one may do).
//
// So every candidate is read back as the reader reads it (its digits to
// the correctly rounded extended number, then to a double; see ReadsBackAs)
// and kept only when it gives the same bits. A decimal of 21 significant digits always does: it lies within half
// an extended unit of the double, which the extended number then is exactly.
#include "textio/exact_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/cancel.h"
#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "core/kernel/parallel.h"
#include "textio/decimal_text.h"
#include "textio/output_settings.h"

namespace quorvix {

namespace {

// A decimal d.ddd x 10^Exponent: Count digits without leading zeros, held
// inline so that writing a number allocates nothing.
struct Decimal {
    static constexpr int kRoom = 48;
    char Digits[kRoom] = {};
    int Count = 0;
    int Exponent = 0;
    bool Negative = false;
};

constexpr int kFixedLowest = -4;   // 0.0001
constexpr int kFixedHighest = 14;  // below 1E15
// Significant digits that always read back exactly (see the head of the file).
constexpr int kAlwaysExactDigits = 21;
// The digits of the last resort, more than any double needs to be exact in
// an extended number.
constexpr int kLastResortDigits = 40;

char MarkOf(char decimalMark) { return decimalMark == ',' ? ',' : '.'; }

// The digits and exponent of to_chars' scientific text ("-1.25e-07").
Decimal FromScientific(const char* begin, const char* end) {
    Decimal d;
    const char* p = begin;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.' && d.Count < Decimal::kRoom) d.Digits[d.Count++] = *p;
    if (p < end) {
        int exponent = 0;
        const char* q = p + 1;
        if (*q == '+') ++q;
        std::from_chars(q, end, exponent);
        d.Exponent = exponent;
    }
    return d;
}

// The shortest decimal of the double (correct rounding), or the nearest one
// of `digits` significant digits.
Decimal ToDecimal(double v, int digits = 0) {
    char buf[96];
    const std::to_chars_result r =
        digits > 0 ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1)
                   : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    return FromScientific(buf, r.ptr);
}

void DropTrailingZeros(Decimal& d) {
    while (d.Count > 1 && d.Digits[d.Count - 1] == '0') --d.Count;
}

// The decimal one unit of its last digit up or down (a carry or a borrow
// moves the exponent); false when nothing is left ("1" down).
bool StepLastDigit(Decimal& d, bool up) {
    char* s = d.Digits;
    int k = d.Count;
    if (up) {
        while (k > 0 && s[k - 1] == '9') s[--k] = '0';
        if (k == 0) {
            // 999 + 1 = 1.00 x 10^(e+1): as many digits, the first a 1.
            s[0] = '1';
            ++d.Exponent;
        } else {
            ++s[k - 1];
        }
        return true;
    }
    while (k > 0 && s[k - 1] == '0') s[--k] = '9';
    if (k == 0) return false;
    --s[k - 1];
    if (s[0] == '0') {
        if (d.Count == 1) return false;
        // 100 - 1 = 9.99 x 10^(e-1), still as many digits.
        for (int j = 1; j < d.Count; ++j) s[j - 1] = s[j];
        s[d.Count - 1] = '9';
        --d.Exponent;
    }
    return true;
}

void AppendFormatted(std::string& out, const Decimal& d, char mark) {
    if (d.Negative) out += '-';
    const std::string_view s(d.Digits, static_cast<std::size_t>(d.Count));
    const int e = d.Exponent;
    if (e >= kFixedLowest && e <= kFixedHighest) {
        if (e < 0) {
            out += '0';
            out += mark;
            out.append(static_cast<std::size_t>(-e - 1), '0');
            out += s;
        } else {
            const auto whole = static_cast<std::size_t>(e) + 1;
            if (s.size() <= whole) {
                out += s;
                out.append(whole - s.size(), '0');
            } else {
                out += s.substr(0, whole);
                out += mark;
                out += s.substr(whole);
            }
        }
        return;
    }
    out += s[0];
    if (s.size() > 1) {
        out += mark;
        out += s.substr(1);
    }
    out += 'E';
    if (e < 0) out += '-';
    char exponent[8];
    const std::to_chars_result r = std::to_chars(exponent, exponent + sizeof exponent, e < 0 ? -e : e);
    out.append(exponent, r.ptr);
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Whether the editors read the text of `d` as exactly `v`. Their reading
// (ComplexElement) converts the digits to the correctly rounded extended
// number, by the direct path where the digits allow it and by the general
// conversion otherwise, both giving that same number, and stores it as a
// double. So the candidate is read here from its digits the same way,
// without making and parsing its text for every candidate.
bool ReadsBackAs(const Decimal& d, double v) {
    const std::string_view digits(d.Digits, static_cast<std::size_t>(d.Count));
    const std::int64_t power = static_cast<std::int64_t>(d.Exponent) - (d.Count - 1);
    long double x = 0.0L;
    if (!ExactDecimalToExtended(digits, {}, power, x)) {
        std::string canonical(digits);
        canonical += 'e';
        canonical += std::to_string(power);
        x = DecimalToExtended(canonical);
    }
    if (d.Negative) x = -x;
    const double stored = static_cast<double>(x);
    return std::isfinite(stored) && SameBits(stored, v);  // beyond the largest double: an overflow, no value
}

// Appends the text of `d` to `out` when it reads back as `v`.
bool Accept(Decimal d, double v, char mark, std::string& out) {
    DropTrailingZeros(d);
    if (!ReadsBackAs(d, v)) return false;
    AppendFormatted(out, d, mark);
    return true;
}

// A decimal with one digit less than `shortest` that only the reading's
// double rounding takes to `v` (an even double, next to a midpoint). The
// digits below and above `v` at that length are the shortest ones cut, and
// that plus one unit: no decimal of that length lies between them, or
// to_chars would have found it.
bool ShorterOne(const Decimal& shortest, double v, char mark, std::string& out) {
    if (shortest.Count < 2) return false;
    if ((std::bit_cast<std::uint64_t>(v) & 1u) != 0) return false;  // an odd double has no wider reading
    Decimal below = shortest;
    --below.Count;
    Decimal above = below;
    StepLastDigit(above, true);
    return Accept(below, v, mark, out) || Accept(above, v, mark, out);
}

// The nearest decimals of growing length, and their neighbours on either
// side, until one reads back.
void AppendLongerOne(std::string& out, const Decimal& shortest, double v, char mark) {
    for (int digits = shortest.Count; digits <= kAlwaysExactDigits; ++digits) {
        const Decimal nearest = ToDecimal(v, digits);
        if (Accept(nearest, v, mark, out)) return;
        Decimal up = nearest;
        if (StepLastDigit(up, true) && Accept(up, v, mark, out)) return;
        Decimal down = nearest;
        if (StepLastDigit(down, false) && Accept(down, v, mark, out)) return;
    }
    // Not reached: 21 digits always read back. Keep the value whole anyway.
    AppendFormatted(out, ToDecimal(v, kLastResortDigits), mark);
}

// Appends ExactNumberText(v).
void AppendNumber(std::string& out, double v, char decimalMark) {
    if (std::isnan(v)) RaiseInvalidOp();
    if (std::isinf(v)) RaiseOverflow();
    if (FlushToZero(v) == 0.0) {
        out += '0';
        return;
    }
    const char mark = MarkOf(decimalMark);
    const Decimal shortest = ToDecimal(v);
    const std::size_t start = out.size();
    if (Accept(shortest, v, mark, out)) {
        // A shorter one, tried after it, replaces it where there is one.
        const std::size_t end = out.size();
        if (ShorterOne(shortest, v, mark, out)) out.erase(start, end - start);
        return;
    }
    AppendLongerOne(out, shortest, v, mark);
}

bool HasNegativeExponent(std::string_view text) { return text.find("E-") != std::string_view::npos; }

// Appends ExactElementText(v).
void AppendElement(std::string& out, const Scalar& v, char decimalMark) {
    const double re = FlushToZero(RealPart(v));
    const double im = FlushToZero(ImagPart(v));
    if (im == 0.0) {
        AppendNumber(out, re, decimalMark);
        return;
    }
    if (re == 0.0) {
        if (im == 1.0 || im == -1.0) {
            out += im > 0 ? "i" : "-i";
            return;
        }
        const std::size_t start = out.size();
        AppendNumber(out, im, decimalMark);
        // "2E-5i" would read as the real 2E-5 and then fail at its sign.
        if (HasNegativeExponent(std::string_view(out).substr(start))) out.insert(start, im > 0 ? "0+" : "0");
        out += 'i';
        return;
    }
    AppendNumber(out, re, decimalMark);
    if (im == 1.0 || im == -1.0) {
        out += im > 0 ? "+i" : "-i";
        return;
    }
    if (im > 0) out += '+';
    AppendNumber(out, im, decimalMark);
    out += 'i';
}

}  // namespace

std::string ExactNumberText(double v, char decimalMark) {
    std::string out;
    AppendNumber(out, v, decimalMark);
    return out;
}

std::string ExactElementText(const Scalar& v, char decimalMark) {
    std::string out;
    AppendElement(out, v, decimalMark);
    return out;
}

EditorLines ExactMatrixLines(const RCOMat& m, char decimalMark) {
    EditorLines lines(m.size());
    std::size_t cols = 0;
    for (const RCOVec& row : m) cols = std::max(cols, row.size());
    // About 150 units of work per element: to_chars, the read-back, the text.
    constexpr std::int64_t kWorkPerElement = 150;
    const auto total = static_cast<std::int64_t>(m.size());
    parallel::ParallelFor(total, static_cast<std::int64_t>(std::max<std::size_t>(cols, 1)) * kWorkPerElement,
                          [&](std::int64_t begin, std::int64_t end) {
                              for (std::int64_t i = begin; i < end; ++i) {
                                  CheckCancelled(i, total);
                                  const RCOVec& row = m[static_cast<std::size_t>(i)];
                                  std::string& line = lines[static_cast<std::size_t>(i)];
                                  line.reserve(row.size() * 20);
                                  for (std::size_t j = 0; j < row.size(); ++j) {
                                      if (j > 0) line += ' ';
                                      AppendElement(line, row[j], decimalMark);
                                  }
                              }
                          });
    return lines;
}

}  // namespace quorvix
