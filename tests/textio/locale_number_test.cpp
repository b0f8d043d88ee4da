// The locale number conversion, the integer conversion and the locale's mark.
#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "textio/locale_number.h"

namespace quorvix {
namespace {

struct NumberRow {
    const char* name;
    const char* text;
    char mark;
    long double value;
};

class LocaleNumberAccepts : public ::testing::TestWithParam<NumberRow> {};

TEST_P(LocaleNumberAccepts, ReadsTheValue) {
    const NumberRow& row = GetParam();
    EXPECT_EQ(LocaleToExtended(row.text, row.mark), row.value) << row.text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LocaleNumberAccepts,
    ::testing::Values(NumberRow{"Integer", "42", '.', 42.0L}, NumberRow{"Point", "1.5", '.', 1.5L},
                      NumberRow{"Comma", "1,5", ',', 1.5L}, NumberRow{"NegativeComma", "-2,25", ',', -2.25L},
                      NumberRow{"PlusSign", "+3", '.', 3.0L}, NumberRow{"BlanksAround", "  7.25  ", '.', 7.25L},
                      NumberRow{"Exponent", "1e3", '.', 1000.0L}, NumberRow{"ExponentUpper", "1E+3", '.', 1000.0L},
                      NumberRow{"NegativeExponent", "25e-2", '.', 0.25L}, NumberRow{"LeadingMark", ".5", '.', 0.5L},
                      NumberRow{"TrailingMark", "5.", '.', 5.0L}, NumberRow{"LeadingZeros", "000012", '.', 12.0L},
                      NumberRow{"Zero", "0", '.', 0.0L}, NumberRow{"OtherMark", "3'5", '\'', 3.5L},
                      // Fits the extended range, though not a double.
                      NumberRow{"BeyondDouble", "1e400", '.', 1e400L},
                      // Underflow is quiet.
                      NumberRow{"Underflow", "1e-5000", '.', 0.0L}),
    [](const ::testing::TestParamInfo<NumberRow>& info) { return std::string(info.param.name); });

struct RefusedRow {
    const char* name;
    std::string text;
    char mark;
};

class LocaleNumberRefuses : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(LocaleNumberRefuses, RaisesTheConversionError) {
    const RefusedRow& row = GetParam();
    try {
        LocaleToExtended(row.text, row.mark);
        FAIL() << "accepted '" << row.text << "'";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + row.text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LocaleNumberRefuses,
    ::testing::Values(RefusedRow{"Empty", "", '.'}, RefusedRow{"Blanks", "   ", '.'}, RefusedRow{"LoneSign", "-", '.'},
                      RefusedRow{"LoneMark", ".", '.'}, RefusedRow{"ExponentWithoutDigits", "1e", '.'},
                      RefusedRow{"ExponentSignOnly", "1e+", '.'}, RefusedRow{"OnlyExponent", "e5", '.'},
                      RefusedRow{"WrongMark", "1,5", '.'}, RefusedRow{"PointUnderComma", "1.5", ','},
                      RefusedRow{"Thousands", "1.234,5", ','}, RefusedRow{"InnerBlank", "1 5", '.'},
                      RefusedRow{"Tab", "\t1", '.'}, RefusedRow{"Inf", "inf", '.'}, RefusedRow{"Nan", "nan", '.'},
                      RefusedRow{"Hex", "0x10", '.'}, RefusedRow{"Letters", "abc", '.'},
                      RefusedRow{"ImaginarySuffix", "2i", '.'}, RefusedRow{"TwoSigns", "--1", '.'},
                      // Beyond the extended range: not a value at all.
                      RefusedRow{"BeyondExtended", "1e5000", '.'}),
    [](const ::testing::TestParamInfo<RefusedRow>& info) { return std::string(info.param.name); });

TEST(LocaleNumber, NulIsNotABlank) {
    EXPECT_THROW(LocaleToExtended(std::string("1\0", 2), '.'), ConversionError);
    EXPECT_THROW(LocaleToExtended(std::string("\0"
                                              "1",
                                              2),
                                  '.'),
                 ConversionError);
}

TEST(LocaleNumber, DoubleOverflowIsTheOverflowError) {
    try {
        LocaleToDouble("1e400", '.');
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(LocaleToDouble("1e-400", '.'), 0.0);
    EXPECT_EQ(LocaleToDouble("-0,125", ','), -0.125);
}

TEST(LocaleNumber, ReadsInExtendedThenStoresAsDouble) {
    // 0.1 in extended is not the double 0.1 until it is stored.
    EXPECT_NE(LocaleToExtended("0.1", '.'), static_cast<long double>(0.1));
    EXPECT_EQ(LocaleToDouble("0.1", '.'), 0.1);
}

TEST(LocaleNumber, LongTextsStayCheap) {
    // A million digits in the mantissa or the exponent.
    EXPECT_EQ(LocaleToExtended("0." + std::string(1000000, '0') + "1", '.'), 0.0L);
    EXPECT_EQ(LocaleToExtended(std::string(1000000, '0') + "3", '.'), 3.0L);
    EXPECT_EQ(LocaleToExtended("1e" + std::string(1000000, '0') + "2", '.'), 100.0L);
    EXPECT_EQ(LocaleToExtended("1e-" + std::string(1000000, '9'), '.'), 0.0L);
    EXPECT_THROW(LocaleToExtended("1e" + std::string(1000000, '9'), '.'), ConversionError);
    EXPECT_THROW(LocaleToExtended(std::string(1000000, '7'), '.'), ConversionError);
}

TEST(LocaleNumber, ProcessLocaleDoesNotMatter) {
    const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* set = nullptr;
    for (const char* name : candidates)
        if ((set = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
    if (set == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
    const long double point = LocaleToExtended("1.5", '.');
    const long double comma = LocaleToExtended("1,5", ',');
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(point, 1.5L);
    EXPECT_EQ(comma, 1.5L);
}

TEST(TextToInteger, ReadsStrictDecimalIntegers) {
    EXPECT_EQ(TextToInteger("42"), 42);
    EXPECT_EQ(TextToInteger("-7"), -7);
    EXPECT_EQ(TextToInteger("+3"), 3);
    EXPECT_EQ(TextToInteger("0007"), 7);
    EXPECT_EQ(TextToInteger("2147483647"), 2147483647);
    EXPECT_EQ(TextToInteger("-2147483648"), INT32_MIN);
}

TEST(TextToInteger, RefusesEverythingElse) {
    for (const std::string text : {"", "-", "+", " 1", "1 ", "1.0", "1e3", "2147483648", "-2147483649",
                                   "99999999999999999999999", "0x10", "abc"}) {
        try {
            TextToInteger(text);
            FAIL() << "accepted '" << text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
        }
    }
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(LocaleDecimalMark, TheCLocaleHasThePoint) {
    ScopedEnv env("LC_ALL", "C");
    EXPECT_EQ(LocaleDecimalMark(), ".");
}

TEST(LocaleDecimalMark, AnUnknownLocaleFallsBackToThePoint) {
    ScopedEnv env("LC_ALL", "xx_NOWHERE.UTF-8");
    EXPECT_EQ(LocaleDecimalMark(), ".");
}

TEST(LocaleDecimalMark, ACommaLocaleHasTheComma) {
    const char* candidates[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    for (const char* name : candidates) {
        ScopedEnv env("LC_ALL", name);
        locale_t probe = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
        if (probe == static_cast<locale_t>(nullptr)) continue;
        freelocale(probe);
        EXPECT_EQ(LocaleDecimalMark(), ",");
        return;
    }
    GTEST_SKIP() << "no locale with a decimal comma installed";
}

}  // namespace
}  // namespace quorvix
