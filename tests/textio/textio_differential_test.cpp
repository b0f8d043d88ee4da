// The reader and the writer against the reference routines (the plain
// token-by-token and element-by-element code they replace), bit for bit:
// every stored Scalar, every printed line, every error with its message and
// place, on random editors and values of every kind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/locale_number.h"
#include "textio/number_format.h"
#include "textio/reference/textio_reference.h"
#include "textio/result_writer.h"
#include "textio/textio_random.h"

namespace quorvix {
namespace {

using namespace textiotest;

OutputSettings SettingsFor(const std::string& precision, char mark, ComplexFormat format) {
    OutputSettings s;
    s.DecimalMark = mark;
    s.Format = format;
    std::string text = precision;
    for (char& c : text)
        if (c == '.') c = mark;  // the box's text is a locale number
    PrecisionChange(text, s);
    return s;
}

const char* const kPrecisions[] = {"1", "2", "3", "4", "5", "6", "7", "8", "e", "0", "-1", "2.5", "12", "20"};

// ---- Reading -------------------------------------------------------------------

TEST(ReaderDifferential, EveryTokenReadsAsTheRewriteAndTheParserRead) {
    Rng rng(Seed(1));
    for (int k = 0; k < 200000; ++k) {
        const char mark = Pick(rng, 3) == 0 ? ',' : '.';
        const std::string token = TokenText(rng, mark);
        const OutputSettings s = SettingsFor(kPrecisions[Pick(rng, 9)], mark, ComplexFormat::Rectangular);
        Scalar fast, plain;
        const std::string fastError = Raised([&] { fast = ComplexElement(token, s); });
        const std::string plainError =
            Raised([&] { plain = reference::ComplexFromText(reference::NormalizeToken(token, s)); });
        ASSERT_EQ(fastError, plainError) << "token '" << token << "'";
        ASSERT_EQ(Bits(fast), Bits(plain)) << "token '" << token << "'";

        // The parser alone and the locale conversion, on the same text.
        ASSERT_EQ(Raised([&] { fast = ComplexFromText(token); }),
                  Raised([&] { plain = reference::ComplexFromText(token); }))
            << "parser, '" << token << "'";
        ASSERT_EQ(Bits(fast), Bits(plain)) << "parser, '" << token << "'";
        long double a = 0.0L, b = 0.0L;
        ASSERT_EQ(Raised([&] { a = LocaleToExtended(token, mark); }),
                  Raised([&] { b = reference::LocaleToExtended(token, mark); }))
            << "locale, '" << token << "'";
        ASSERT_TRUE(a == b && std::signbit(a) == std::signbit(b)) << "locale, '" << token << "'";
    }
}

// Random editors read whole, complex and real-only: the same elements and
// the same first error at the same place.
TEST_P(Threads, EditorsReadTheSame) {
    Rng rng(Seed(2));
    for (int c = 0; c < 3000; ++c) {
        const bool large = c % 500 == 499;
        const int rows = large ? 100 + static_cast<int>(Pick(rng, 200)) : static_cast<int>(Pick(rng, 12));
        const int cols = large ? 100 + static_cast<int>(Pick(rng, 200)) : static_cast<int>(Pick(rng, 12));
        const char mark = Pick(rng, 3) == 0 ? ',' : '.';
        const EditorLines editor = EditorText(rng, rows, cols, mark);
        const OutputSettings s = SettingsFor(kPrecisions[Pick(rng, 9)], mark, ComplexFormat::Rectangular);
        const std::int32_t r = CountRows(editor);
        const std::int32_t k = CountColumns(editor).Columns;
        SCOPED_TRACE("case " + std::to_string(c) + ", " + std::to_string(r) + " x " + std::to_string(k));

        // A reading that raises or stops leaves the target to be dropped:
        // what it holds then is not compared.
        RCOMat fast, plain;
        SizeMatrix(fast, r, k);
        SizeMatrix(plain, r, k);
        const std::string error = Raised([&] { ReadMatrix(editor, r, k, fast, s); });
        ASSERT_EQ(error, Raised([&] { reference::ReadMatrix(editor, r, k, plain, s); }));
        if (error.empty()) {
            ASSERT_EQ(FirstDifference(fast, plain), "");
        }

        SizeMatrix(fast, r, k);
        SizeMatrix(plain, r, k);
        bool fastReal = false, plainReal = false;
        const std::string realError = Raised([&] { fastReal = ReadRealMatrix(editor, r, k, fast, mark); });
        ASSERT_EQ(realError, Raised([&] { plainReal = reference::ReadRealMatrix(editor, r, k, plain, mark); }));
        ASSERT_EQ(fastReal, plainReal);
        if (realError.empty() && fastReal) {
            ASSERT_EQ(FirstDifference(fast, plain), "");
        }
    }
}

// The element sinks see the same calls, and a sink that stops the reading (as
// A./B does at a zero divisor) stops both with the same outcome. Rows are
// read on all threads: the calls come in any order, and after the event that
// ends the reading, rows after it may have been read as well; every call
// before the event is the same.
TEST_P(Threads, SinksSeeTheSameCalls) {
    Rng rng(Seed(3));
    for (int c = 0; c < 1000; ++c) {
        const int rows = static_cast<int>(Pick(rng, 10)), cols = static_cast<int>(Pick(rng, 10));
        const EditorLines editor = EditorText(rng, rows, cols, '.');
        const OutputSettings s;
        const std::int32_t r = CountRows(editor);
        const std::int32_t k = CountColumns(editor).Columns;
        const std::int64_t stopAt = static_cast<std::int64_t>(Pick(rng, static_cast<std::size_t>(r * k) + 2));
        struct Stop {};
        using Calls = std::map<std::int64_t, std::string>;  // by row-major position
        auto record = [&](Calls& calls, std::mutex& lock) {
            return [&calls, &lock, stopAt, k](std::int32_t i, std::int32_t j, const Scalar& v) {
                const std::int64_t at = static_cast<std::int64_t>(i) * k + j;
                {
                    std::lock_guard<std::mutex> guard(lock);
                    EXPECT_TRUE(calls.emplace(at, Bits(v)).second) << "called twice";
                }
                if (at == stopAt) throw Stop{};
            };
        };
        auto run = [](const std::function<void()>& f) {
            try {
                return Raised(f);
            } catch (const Stop&) {
                return std::string("stopped");
            }
        };
        auto compare = [&](const Calls& fast, const Calls& plain) {
            // The reading ended after plain's last call: everything up to it is the same.
            const std::int64_t end = plain.empty() ? -1 : plain.rbegin()->first;
            for (const auto& [at, bits] : fast)
                if (at <= end) {
                    EXPECT_EQ(plain.count(at) ? plain.at(at) : "no call", bits) << "at " << at;
                }
            for (const auto& [at, bits] : plain)
                EXPECT_EQ(fast.count(at) ? fast.at(at) : "no call", bits) << "at " << at;
        };
        std::mutex lock;
        Calls fast, plain;
        ASSERT_EQ(run([&] { ReadElements(editor, r, k, s, record(fast, lock)); }),
                  run([&] { reference::ReadElements(editor, r, k, s, record(plain, lock)); }))
            << "case " << c;
        compare(fast, plain);
        fast.clear();
        plain.clear();
        bool fastReal = false, plainReal = false;
        ASSERT_EQ(run([&] { fastReal = ReadRealElements(editor, r, k, '.', record(fast, lock)); }),
                  run([&] { plainReal = reference::ReadRealElements(editor, r, k, '.', record(plain, lock)); }))
            << "case " << c;
        ASSERT_EQ(fastReal, plainReal) << "case " << c;
        compare(fast, plain);
    }
}

// ---- Printing ------------------------------------------------------------------

// A value to print: as typed, wide, near the rounding's limits for the
// precision (10^15 and 2^63 after scaling), exact ties of the rounding to p
// digits (odd multiples of a power of two), decade boundaries, near the
// overflow of doubling (2^1023) and tiny.
double PrintValue(Rng& rng) {
    const double sign = Pick(rng, 2) ? 1.0 : -1.0;
    switch (Pick(rng, 10)) {
        case 0: return sign * static_cast<double>(Pick(rng, 20001)) / 100.0;
        case 1:
            return sign *
                   std::ldexp(1.0 + static_cast<double>(rng() >> 11) * 0x1p-53, static_cast<int>(Pick(rng, 200)) - 100);
        case 2:
            return sign * std::pow(10.0, static_cast<double>(Pick(rng, 40)) - 20.0) *
                   (1.0 + static_cast<double>(Pick(rng, 3)) * 1e-16);
        case 3:
            return sign * static_cast<double>(2 * Pick(rng, 2000) + 1) /
                   std::ldexp(1.0, 1 + static_cast<int>(Pick(rng, 12)));
        case 4:
            return sign *
                   (std::pow(10.0, static_cast<double>(Pick(rng, 20))) - static_cast<double>(Pick(rng, 3)) * 0.5);
        case 5: return sign * std::ldexp(1.0 - static_cast<double>(Pick(rng, 3)) * 0x1p-53, 1023);
        case 6: return sign * std::pow(10.0, -static_cast<double>(300 + Pick(rng, 20)));
        case 7:
            return Pick(rng, 3) == 0 ? 0.0 : sign * (Pick(rng, 2) ? 1.0 : 1e-4 * static_cast<double>(Pick(rng, 10)));
        case 8:
            return sign * 9.2233720368547758e18 / std::pow(10.0, static_cast<double>(Pick(rng, 19))) *
                   (1.0 + (static_cast<double>(Pick(rng, 5)) - 2.0) * 1e-16);
        default:
            return sign * (static_cast<double>(rng() % 1000000000000000ull) + 0.5) /
                   std::pow(10.0, static_cast<double>(Pick(rng, 16)));
    }
}

Scalar PrintScalar(Rng& rng) {
    switch (Pick(rng, 8)) {
        case 0: return Scalar();
        case 1: return Scalar::Integer(static_cast<std::int32_t>(rng()));
        case 2: return Scalar::Real(PrintValue(rng));
        default: return Scalar::Complex(PrintValue(rng), Pick(rng, 4) == 0 ? 0.0 : PrintValue(rng));
    }
}

std::string Padded(const std::string& text) {
    return text.size() < 10 ? std::string(10 - text.size(), ' ') + text : text;
}

TEST(WriterDifferential, EveryElementPrintsAsTheGeneralRoutines) {
    Rng rng(Seed(4));
    for (const char* precision : kPrecisions)
        for (char mark : {'.', ','})
            for (ComplexFormat format : {ComplexFormat::Rectangular, ComplexFormat::Polar}) {
                const OutputSettings s = SettingsFor(precision, mark, format);
                const ElementPrinter printer(s);
                SCOPED_TRACE(std::string("precision ") + precision + ", mark " + mark);
                for (int k = 0; k < 6000; ++k) {
                    const Scalar v = PrintScalar(rng);
                    for (bool realOnly : {false, true}) {
                        std::string fast = "x", plain = "x";
                        ASSERT_EQ(Raised([&] { printer.AppendField(fast, v, realOnly); }), Raised([&] {
                                      plain += Padded(realOnly ? reference::RealElementText(v, s)
                                                               : reference::ElementText(v, s));
                                  }))
                            << Bits(v);
                        ASSERT_EQ(fast, plain) << Bits(v);
                    }
                    const long double x = RealPart(v);
                    std::string fast = "", plain = "";
                    ASSERT_EQ(Raised([&] { printer.AppendNumberField(fast, x); }),
                              Raised([&] { plain = Padded(reference::FormatNumber(x, s)); }));
                    ASSERT_EQ(fast, plain) << Bits(v);
                }
            }
}

RCOMat PrintMatrix(Rng& rng, int rows, int cols) {
    RCOMat m;
    SizeMatrix(m, rows, cols);
    for (RCOVec& row : m)
        for (Scalar& v : row) v = PrintScalar(rng);
    if (rows > 0 && Pick(rng, 8) == 0)
        m[Pick(rng, static_cast<std::size_t>(rows))].resize(Pick(rng, static_cast<std::size_t>(cols) + 1));
    return m;
}

CommandResult RandomResult(Rng& rng) {
    const int rows = static_cast<int>(Pick(rng, 2) ? Pick(rng, 9) : Pick(rng, 65));
    const int cols = static_cast<int>(Pick(rng, 2) ? Pick(rng, 9) : Pick(rng, 65));
    switch (Pick(rng, 6)) {
        case 0: return MatrixResult{PrintMatrix(rng, rows, cols)};
        case 1: return ScalarResult{PrintScalar(rng)};
        case 2: return DimensionResult{rows, cols};
        case 3: {
            FactorPairResult r{
                .FirstName = "L", .SecondName = "U", .Rows = rows, .Cols = cols, .SecondRealOnly = Pick(rng, 2) == 0};
            r.First = PrintMatrix(rng, rows, rows);
            r.Second = PrintMatrix(rng, rows, cols);
            return r;
        }
        case 4:
            return SvdResult{PrintMatrix(rng, rows, rows), PrintMatrix(rng, rows, cols), PrintMatrix(rng, cols, cols),
                             rows, cols};
        default: {
            EigenResult r;
            r.Order = rows;
            r.Unreached =
                static_cast<std::int32_t>(Pick(rng, 4) == 0 ? Pick(rng, static_cast<std::size_t>(rows) + 1) : 0);
            r.Re.assign(static_cast<std::size_t>(rows) + 1, 0.0);
            r.Im.assign(static_cast<std::size_t>(rows) + 1, 0.0);
            for (int k = 1; k <= rows; ++k) {
                r.Re[static_cast<std::size_t>(k)] = Pick(rng, 5) == 0 ? 0.0 : PrintValue(rng);
                r.Im[static_cast<std::size_t>(k)] = Pick(rng, 2) == 0 ? 0.0 : PrintValue(rng);
            }
            return r;
        }
    }
}

TEST_P(Threads, ResultsPrintTheSameLines) {
    Rng rng(Seed(5));
    for (int c = 0; c < 3000; ++c) {
        const OutputSettings s = SettingsFor(kPrecisions[Pick(rng, std::size(kPrecisions))], Pick(rng, 2) ? '.' : ',',
                                             Pick(rng, 3) == 0 ? ComplexFormat::Polar : ComplexFormat::Rectangular);
        const CommandResult result = RandomResult(rng);
        ResultPanel fast, plain;
        fast.AddLine("label");
        plain.AddLine("label");
        ASSERT_EQ(Raised([&] { WriteResult(result, fast, s); }),
                  Raised([&] { reference::WriteResult(result, plain, s); }))
            << "case " << c;
        ASSERT_EQ(fast.Lines(), plain.Lines()) << "case " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Differential, Threads, ::testing::Values(1, 4), ThreadsName);

}  // namespace
}  // namespace quorvix
