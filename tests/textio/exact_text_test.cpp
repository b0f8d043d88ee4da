// Full-precision editor text: the forms the editors read, and the round trip
// through the editors' own reading (ReadMatrix) for doubles of every
// magnitude, both decimal marks, real and complex; no shorter decimal would
// have done.
#include "textio/exact_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/errors.h"
#include "textio/element_reader.h"
#include "textio/matrix_reader.h"
#include "textio/textio_random.h"

namespace quorvix {
namespace {

using textiotest::Rng;

struct FormRow {
    const char* name;
    Scalar value;
    char mark;
    const char* text;
};

class ElementForms : public ::testing::TestWithParam<FormRow> {};

TEST_P(ElementForms, WritesTheFormTheEditorsRead) {
    const FormRow& row = GetParam();
    EXPECT_EQ(ExactElementText(row.value, row.mark), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ElementForms,
    ::testing::Values(FormRow{"Real", Scalar::Real(2.5), '.', "2.5"}, FormRow{"Whole", Scalar::Integer(-7), '.', "-7"},
                      FormRow{"DecimalComma", Scalar::Real(2.5), ',', "2,5"},
                      FormRow{"OtherMarkIsPoint", Scalar::Real(2.5), ';', "2.5"},
                      FormRow{"SmallInExponentForm", Scalar::Real(-1.25e-7), '.', "-1.25E-7"},
                      FormRow{"SmallestFixed", Scalar::Real(0.000125), '.', "0.000125"},
                      FormRow{"LargeInExponentForm", Scalar::Real(6.02e23), '.', "6.02E23"},
                      FormRow{"LargestFixed", Scalar::Real(100000000000000.0), '.', "100000000000000"},
                      FormRow{"FirstExponentForm", Scalar::Real(1e15), '.', "1E15"},
                      FormRow{"Complex", Scalar::Complex(0.5, 2), '.', "0.5+2i"},
                      FormRow{"ComplexComma", Scalar::Complex(0.5, -2), ',', "0,5-2i"},
                      FormRow{"NegativeImaginary", Scalar::Complex(3, -0.25), '.', "3-0.25i"},
                      FormRow{"PureImaginary", Scalar::Complex(0, 2), '.', "2i"},
                      FormRow{"NegativePureImaginary", Scalar::Complex(0, -2.5), '.', "-2.5i"},
                      FormRow{"ImaginaryUnit", Scalar::Complex(0, 1), '.', "i"},
                      FormRow{"NegativeImaginaryUnit", Scalar::Complex(0, -1), '.', "-i"},
                      FormRow{"RealPlusUnit", Scalar::Complex(3, 1), '.', "3+i"},
                      FormRow{"RealMinusUnit", Scalar::Complex(-3, -1), '.', "-3-i"},
                      FormRow{"ImaginaryWithNegativeExponent", Scalar::Complex(0, 2e-5), '.', "0+2E-5i"},
                      FormRow{"NegativeImaginaryWithNegativeExponent", Scalar::Complex(0, -2e-5), '.', "0-2E-5i"},
                      FormRow{"ImaginaryWithPositiveExponent", Scalar::Complex(0, -2e20), '.', "-2E20i"},
                      FormRow{"RealZeroComplex", Scalar::Complex(0, 0), '.', "0"},
                      FormRow{"TinyRealIsZero", Scalar::Real(1e-13), '.', "0"},
                      FormRow{"NegativeZeroIsZero", Scalar::Real(-0.0), '.', "0"}, FormRow{"Empty", Scalar(), '.', "0"},
                      FormRow{"Integer", Scalar::Integer(-3), '.', "-3"}),
    [](const ::testing::TestParamInfo<FormRow>& info) { return std::string(info.param.name); });

TEST(ExactText, NonFiniteValuesAreFloatingPointErrors) {
    EXPECT_THROW(ExactNumberText(std::numeric_limits<double>::infinity(), '.'), ArithmeticError);
    EXPECT_THROW(ExactNumberText(std::numeric_limits<double>::quiet_NaN(), '.'), ArithmeticError);
}

// What the editors store for a part: the reading flushes magnitudes of at
// most 1e-12 to +0.
double Stored(double part) { return FlushToZero(part); }

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// A double of any magnitude: random bits (any exponent, denormals included),
// short decimals as users type them, whole numbers, and values next to the
// ends of the range.
double RandomDouble(Rng& rng) {
    switch (textiotest::Pick(rng, 6)) {
        case 0:
        case 1: {
            double v = 0;
            do v = std::bit_cast<double>(rng());
            while (!std::isfinite(v));
            return v;
        }
        case 2: return static_cast<double>(static_cast<std::int64_t>(rng() % 2000001) - 1000000) / 1000.0;
        case 3: return static_cast<double>(static_cast<std::int64_t>(rng() >> 11)) * (rng() % 2 ? 1 : -1);
        case 4: {
            const double scale = std::pow(10.0, static_cast<double>(static_cast<int>(rng() % 40) - 20));
            return std::ldexp(static_cast<double>(rng() >> 11), -53) * scale;
        }
        default: {
            const double edges[] = {std::numeric_limits<double>::max(),
                                    std::numeric_limits<double>::denorm_min(),
                                    std::numeric_limits<double>::min(),
                                    1e-12,
                                    1.0000000000000002e-12,
                                    1e308};
            const double edge = edges[textiotest::Pick(rng, 6)];
            double v = std::nextafter(edge, rng() % 2 ? 0.0 : std::numeric_limits<double>::infinity());
            if (!std::isfinite(v)) v = edge;
            return v * (rng() % 2 ? 1 : -1);
        }
    }
}

// Every element written and read back through the editors' reading gives the
// same bits, parts of magnitude at most 1e-12 excepted (they are stored as 0).
TEST(ExactText, EveryDoubleReadsBackBitForBitThroughTheEditorsReading) {
    Rng rng(textiotest::Seed(41));
    for (const char mark : {'.', ','}) {
        for (int round = 0; round < 40; ++round) {
            const bool complex = round % 2 == 1;
            RCOMat m(7, RCOVec(9));
            for (RCOVec& row : m)
                for (Scalar& v : row)
                    v = complex ? Scalar::Complex(RandomDouble(rng), RandomDouble(rng))
                                : Scalar::Real(RandomDouble(rng));
            const EditorLines lines = ExactMatrixLines(m, mark);
            ASSERT_EQ(CountRows(lines), 7);
            ASSERT_EQ(CountColumns(lines), (ColumnCount{9, false}));
            OutputSettings settings;
            settings.DecimalMark = mark;
            RCOMat back;
            SizeMatrix(back, 7, 9);
            ReadMatrix(lines, 7, 9, back, settings);
            for (std::size_t i = 0; i < m.size(); ++i) {
                for (std::size_t j = 0; j < m[i].size(); ++j) {
                    SCOPED_TRACE(lines[i]);
                    EXPECT_TRUE(SameBits(RealPart(back[i][j]), Stored(RealPart(m[i][j]))))
                        << RealPart(m[i][j]) << " came back as " << RealPart(back[i][j]);
                    EXPECT_TRUE(SameBits(ImagPart(back[i][j]), Stored(ImagPart(m[i][j]))))
                        << ImagPart(m[i][j]) << " came back as " << ImagPart(back[i][j]);
                }
            }
        }
    }
}

// The significant digits of a text the writer made ("-1.25E-7": 3).
std::size_t SignificantDigits(const std::string& text) {
    std::size_t count = 0, zeros = 0;
    bool started = false;
    for (const char c : text) {
        if (c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (c != '0') started = true;
        if (!started) continue;
        if (c == '0') {
            ++zeros;
        } else {
            count += zeros + 1;
            zeros = 0;
        }
    }
    return count;
}

// The decimals of `digits` significant digits next to v: the nearest, and one
// unit of its last digit above and below it, as "[-]DIGITSE<exponent>".
std::vector<std::string> Neighbours(double v, int digits) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    const std::string nearest(buf, r.ptr);
    const std::size_t e = nearest.find('e');
    const bool negative = nearest[0] == '-';
    std::string mantissa;
    for (std::size_t k = 0; k < e; ++k)
        if (nearest[k] >= '0' && nearest[k] <= '9') mantissa += nearest[k];
    const std::string exponent = std::to_string(std::stoi(nearest.substr(e + 1)) - digits + 1);
    const std::string sign = negative ? "-" : "";
    std::vector<std::string> out{sign + mantissa + "E" + exponent};
    std::string up = "0" + mantissa;  // room for a carry
    for (std::size_t k = up.size(); k-- > 0;) {
        if (up[k] != '9') {
            ++up[k];
            break;
        }
        up[k] = '0';
    }
    out.push_back(sign + up + "E" + exponent);
    std::string down = mantissa;
    for (std::size_t k = down.size(); k-- > 0;) {
        if (down[k] != '0') {
            --down[k];
            break;
        }
        down[k] = '9';
    }
    out.push_back(sign + down + "E" + exponent);
    return out;
}

bool ReadsBack(const std::string& text, double v) {
    try {
        return SameBits(RealPart(ComplexElement(text, OutputSettings{})), v);
    } catch (const CalcError&) {
        return false;
    }
}

// No decimal with one significant digit less reads back as the same double.
TEST(ExactText, NoShorterDecimalReadsBack) {
    Rng rng(textiotest::Seed(43));
    int checked = 0;
    for (int k = 0; k < 20000; ++k) {
        const double v = RandomDouble(rng);
        if (Stored(v) == 0.0) continue;
        const std::string text = ExactNumberText(v, '.');
        ASSERT_TRUE(ReadsBack(text, v)) << text;
        const auto digits = static_cast<int>(SignificantDigits(text));
        if (digits < 2) continue;
        ++checked;
        for (const std::string& shorter : Neighbours(v, digits - 1))
            EXPECT_FALSE(ReadsBack(shorter, v)) << v << " is written " << text << " but " << shorter << " reads back";
    }
    EXPECT_GT(checked, 10000);
}

// Doubles whose shortest decimal (std::to_chars) the editors read as another
// double, found by search: the two roundings of the reading (to an extended
// number, then to a double) meet a midpoint. Each must still come back
// whole, with a longer decimal.
TEST(ExactText, DoublesTheShortestDecimalMissesReadBackThroughALongerOne) {
    Rng rng(textiotest::Seed(47));
    int missed = 0;
    for (int k = 0; k < 400000 && missed < 20; ++k) {
        const double v = std::bit_cast<double>((rng() & 0x800fffffffffffffull) | ((990ull + rng() % 130) << 52));
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        const std::string shortest(buf, r.ptr);
        if (ReadsBack(shortest, v)) continue;
        ++missed;
        const std::string text = ExactNumberText(v, '.');
        EXPECT_TRUE(ReadsBack(text, v)) << shortest << " misses, and so does " << text;
    }
    EXPECT_GT(missed, 0) << "no double whose shortest decimal misses was met";
}

}  // namespace
}  // namespace quorvix
