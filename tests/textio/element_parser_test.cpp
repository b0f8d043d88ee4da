// The element parser: accepted forms, the split rule and the error texts.
#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"
#include "core/scalar.h"
#include "textio/element_parser.h"

namespace quorvix {
namespace {

struct ParseCase {
    const char* name;
    const char* text;
    double re;
    double im;
};

class ParsesTo : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsesTo, Value) {
    const ParseCase& c = GetParam();
    const Scalar v = ComplexFromText(c.text);
    ASSERT_TRUE(IsComplex(v));
    EXPECT_EQ(v.ComplexValue().Real(), c.re);
    EXPECT_EQ(v.ComplexValue().Imaginary(), c.im);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, ParsesTo,
    ::testing::Values(ParseCase{"integer", "3", 3, 0}, ParseCase{"negative_exponent", "-2.5e-3", -2.5e-3, 0},
                      ParseCase{"complex", "1+2i", 1, 2}, ParseCase{"blanks_between", "1 - 2.5 i", 1, -2.5},
                      ParseCase{"unit", "0+1i", 0, 1}, ParseCase{"upper_symbol", "1+2I", 1, 2},
                      ParseCase{"trailing_blanks", "1+2i  ", 1, 2}, ParseCase{"leading_blanks", "  1+2i", 1, 2},
                      ParseCase{"blank_before_symbol", "1 +2 i", 1, 2}, ParseCase{"lone_point", ".", 0, 0},
                      ParseCase{"signed_point", "-.", 0, 0}, ParseCase{"bare_exponent", "e5", 0, 0},
                      ParseCase{"signed_imaginary", "1+-2i", 1, -2}, ParseCase{"flushed_1e13", "1e-13", 0, 0},
                      ParseCase{"flushed_1e12", "1e-12", 0, 0}, ParseCase{"kept_2e12", "2e-12", 2e-12, 0},
                      ParseCase{"underflow_reads_zero", "1e-400", 0, 0},
                      ParseCase{"exponent_imaginary", "0+2E3i", 0, 2000},
                      ParseCase{"exponent_after_real", "1e2+1e1i", 100, 10}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* text;
    const char* message;
};

class Refuses : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refuses, WithMessage) {
    const RefusalCase& c = GetParam();
    try {
        ComplexFromText(c.text);
        FAIL() << "accepted " << c.text;
    } catch (const ComplexParseError& e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Refuses,
    ::testing::Values(
        RefusalCase{"letter_after_real", "3x", "Could not parse required '+' (or '-') symbol [3<?>x]"},
        RefusalCase{"wrong_symbol", "1+2j", "Could not parse required 'i' symbol [1+2<?>j]"},
        RefusalCase{"missing_imaginary", "1+", "Could not parse imaginary portion [1+<?>]"},
        RefusalCase{"no_number", "abc", "Could not parse real portion [<?>abc]"},
        RefusalCase{"empty", "", "Could not parse real portion [<?>]"},
        RefusalCase{"lone_sign", "-", "Could not parse real portion [<?>-]"},
        RefusalCase{"trailing_digit", "1+2i3", "Unexpected characters [1+2i<?>3]"},
        RefusalCase{"leading_plus_imaginary", "+2i", "Could not parse required '+' (or '-') symbol [+2<?>i]"},
        RefusalCase{"exponent_imaginary_without_real", "2e-3i",
                    "Could not parse required '+' (or '-') symbol [2e-3<?>i]"},
        RefusalCase{"exponent_without_digits", "3e", "Could not parse required '+' (or '-') symbol [3<?>e]"},
        RefusalCase{"symbol_without_number", "1+i", "Could not parse imaginary portion [1+<?>i]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComplexFromText, OverflowIsAnArithmeticError) {
    try {
        ComplexFromText("1e400");
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_THROW(ComplexFromText("1+1e99999i"), ArithmeticError);
}

TEST(ComplexFromText, LongAndOddInputsAreRefusedOrRead) {
    const std::string digits(200000, '7');
    EXPECT_THROW(ComplexFromText(digits), ArithmeticError);  // 7.7e199999 overflows
    EXPECT_EQ(ComplexFromText("0." + digits).ComplexValue().Real(), 0.7777777777777778);
    EXPECT_THROW(ComplexFromText(std::string("1\0"
                                             "2",
                                             3)),
                 ComplexParseError);
    EXPECT_THROW(ComplexFromText("\t1"), ComplexParseError);  // tabs are not blanks
}

}  // namespace
}  // namespace quorvix
