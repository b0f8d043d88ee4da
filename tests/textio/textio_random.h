#pragma once
// Random editor texts and result values for the differential tests of the
// reader and the writer, and exact comparison of what they produce.
//
// Numbers come in families chosen to reach the edges of the direct ways: as
// a user types them, 18 to 21 significant digits (the 19-digit bound), powers
// of ten near +-27 (the exact powers), leading and trailing zeros, values
// near the overflow and the underflow of a double, and integers that lie
// exactly halfway between two doubles (a tie of the extended-to-double
// store). Tokens take every shape the rewrite knows (real, "a+bi", "bi",
// "-i", "a+i", polar), and some are damaged or quoted so that the general
// way and its errors are exercised as well.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/errors.h"
#include "core/kernel/parallel.h"
#include "core/matrice2.h"
#include "textio/matrix_reader.h"

namespace quorvix::textiotest {

using Rng = std::mt19937_64;

// The seed of a differential test, printed; QUORVIX_SEED replays it.
inline std::uint64_t Seed(std::uint64_t salt) {
    std::uint64_t seed = 20260708;
    if (const char* s = std::getenv("QUORVIX_SEED"); s != nullptr && *s != '\0') seed = std::strtoull(s, nullptr, 10);
    std::cout << "[ seed     ] QUORVIX_SEED=" << seed << "\n";
    return seed * 1000003u + salt;
}

// Runs a differential test with 1 thread and with 4, the parallel split
// lowered so that small editors and results are split too.
class Threads : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        parallel::SetThreadCount(GetParam());
        parallel::SetMinParallelWork(GetParam() > 1 ? 64 : 0);
    }
    void TearDown() override {
        parallel::SetThreadCount(0);
        parallel::SetMinParallelWork(0);
    }
};

inline std::string ThreadsName(const ::testing::TestParamInfo<int>& info) {
    return std::to_string(info.param) + (info.param == 1 ? "Thread" : "Threads");
}

inline std::size_t Pick(Rng& rng, std::size_t n) { return static_cast<std::size_t>(rng() % n); }

inline std::string Digits(Rng& rng, std::size_t count) {
    std::string s;
    for (std::size_t k = 0; k < count; ++k) s += static_cast<char>('0' + Pick(rng, 10));
    return s;
}

// An unsigned decimal number as text, "." as the mark.
inline std::string NumberText(Rng& rng) {
    switch (Pick(rng, 12)) {
        case 0: return std::to_string(Pick(rng, 100));
        case 1: return std::to_string(Pick(rng, 100)) + "." + Digits(rng, 1 + Pick(rng, 3));
        case 2: return "0." + Digits(rng, 1 + Pick(rng, 2));
        case 3: {
            // 17 to 22 significant digits, split anywhere by the mark.
            const std::string d = std::to_string(1 + Pick(rng, 9)) + Digits(rng, 16 + Pick(rng, 6));
            const std::size_t at = Pick(rng, d.size() + 1);
            return d.substr(0, at) + "." + d.substr(at);
        }
        case 4: {
            // Exponents around the exact powers of ten.
            const int e = static_cast<int>(Pick(rng, 70)) - 35;
            return Digits(rng, 1 + Pick(rng, 4)) + (Pick(rng, 2) ? "e" : "E") + std::to_string(e);
        }
        case 5: {
            // Near the overflow and the underflow of a double (and beyond).
            const int e = Pick(rng, 2) ? 300 + static_cast<int>(Pick(rng, 12)) : -300 - static_cast<int>(Pick(rng, 30));
            return std::to_string(1 + Pick(rng, 9)) + "." + Digits(rng, Pick(rng, 4)) + "e" + std::to_string(e);
        }
        case 6: {
            // An odd integer in [2^53, 2^54): exactly halfway between two doubles.
            const std::uint64_t n = (std::uint64_t{1} << 53) | (rng() & ((std::uint64_t{1} << 53) - 1)) | 1u;
            std::string t = std::to_string(n);
            if (Pick(rng, 2)) {
                // The same digits with the mark moved: no longer a tie, but close.
                const std::size_t at = Pick(rng, t.size());
                t = t.substr(0, at) + "." + t.substr(at);
            }
            return t;
        }
        case 7:
            return std::string(Pick(rng, 4), '0') + std::to_string(Pick(rng, 1000)) + std::string(Pick(rng, 26), '0');
        case 8: return "0." + std::string(Pick(rng, 30), '0') + Digits(rng, 1 + Pick(rng, 20));
        case 9:
            return Digits(rng, 1 + Pick(rng, 3)) + "." + Digits(rng, Pick(rng, 3)) + "e-" +
                   std::to_string(Pick(rng, 10));
        case 10: return Pick(rng, 2) ? "." + Digits(rng, 1 + Pick(rng, 3)) : Digits(rng, 1 + Pick(rng, 3)) + ".";
        default: return std::to_string(Pick(rng, 10)) + "e+" + std::to_string(Pick(rng, 30));
    }
}

inline std::string Sign(Rng& rng) {
    switch (Pick(rng, 4)) {
        case 0: return "-";
        case 1: return "+";
        default: return "";
    }
}

// One editor token. `mark` is the mark the user types (the reader's rewrite
// takes "," as well). A clean token has one of the shapes the reader takes;
// others may be damaged, quoted or refused.
inline std::string TokenText(Rng& rng, char mark, bool clean = false) {
    std::string t;
    const char pm = Pick(rng, 2) ? '+' : '-';
    switch (clean ? Pick(rng, 9) : Pick(rng, 12)) {
        case 0:
        case 1:
        case 2: t = Sign(rng) + NumberText(rng); break;
        case 3:
        case 4: t = Sign(rng) + NumberText(rng) + pm + NumberText(rng) + "i"; break;
        case 5: t = Sign(rng) + NumberText(rng) + "i"; break;
        case 6: {
            static const char* units[] = {"i", "+i", "-i"};
            t = units[Pick(rng, 3)];
            break;
        }
        case 7: t = Sign(rng) + NumberText(rng) + pm + "i"; break;
        case 8: t = NumberText(rng) + "(" + Sign(rng) + std::to_string(Pick(rng, 360)) + ")"; break;
        case 9:
            t = Sign(rng) + std::to_string(Pick(rng, 10)) + pm + std::to_string(Pick(rng, 10)) +
                (Pick(rng, 2) ? "I" : "i");
            break;
        case 10: t = "1e5" + std::string(1, pm) + "2e" + std::string(1, pm) + "3i"; break;
        default: t = Sign(rng) + NumberText(rng) + pm + Sign(rng) + NumberText(rng) + "i"; break;
    }
    if (mark != '.')
        for (char& c : t)
            if (c == '.') c = mark;
    if (clean) return t;
    if (Pick(rng, 16) == 0) {
        // Damage: a character that the shapes do not expect, anywhere.
        static const char junk[] = "+-.,eEiI()x0\"";
        t.insert(Pick(rng, t.size() + 1), 1, junk[Pick(rng, sizeof junk - 1)]);
    }
    if (Pick(rng, 20) == 0) t = "\"" + t + (Pick(rng, 2) ? "\"\"1" : "") + "\"";
    return t;
}

// An editor of about rows x cols tokens: ragged rows, empty lines, lines of
// blanks, tabs and runs of blanks between tokens.
inline EditorLines EditorText(Rng& rng, int rows, int cols, char mark, bool clean = false) {
    EditorLines lines;
    for (int i = 0; i < rows; ++i) {
        if (Pick(rng, 10) == 0) lines.emplace_back(Pick(rng, 2) ? "" : " \t ");
        const int n = Pick(rng, 6) == 0 ? static_cast<int>(Pick(rng, static_cast<std::size_t>(cols) + 2)) : cols;
        std::string line = Pick(rng, 4) == 0 ? " " : "";
        for (int j = 0; j < n; ++j) {
            if (j) line += Pick(rng, 8) == 0 ? "\t  " : " ";
            line += TokenText(rng, mark, clean);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// Exact identity of two Scalars: the kind and the payload's bits.
inline std::string Bits(const Scalar& v) {
    char buf[96];
    switch (v.Kind()) {
        case ScalarKind::Empty: return "empty";
        case ScalarKind::Integer: return "integer " + std::to_string(v.IntegerValue());
        case ScalarKind::Real:
            std::snprintf(buf, sizeof buf, "real %a", v.RealValue());
            return std::string(buf) + " " + std::to_string(std::bit_cast<std::uint64_t>(v.RealValue()));
        case ScalarKind::Complex:
            std::snprintf(buf, sizeof buf, "complex %a %a", v.ComplexValue().Real(), v.ComplexValue().Imaginary());
            return std::string(buf) + " " + std::to_string(std::bit_cast<std::uint64_t>(v.ComplexValue().Real())) +
                   " " + std::to_string(std::bit_cast<std::uint64_t>(v.ComplexValue().Imaginary()));
    }
    return "?";
}

// The first element of two matrices that differ in bits, or "".
inline std::string FirstDifference(const RCOMat& a, const RCOMat& b) {
    if (a.size() != b.size()) return "row counts differ";
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size()) return "row " + std::to_string(i) + " lengths differ";
        for (std::size_t j = 0; j < a[i].size(); ++j)
            if (Bits(a[i][j]) != Bits(b[i][j]))
                return "[" + std::to_string(i) + "][" + std::to_string(j) + "]: " + Bits(a[i][j]) + " vs " +
                       Bits(b[i][j]);
    }
    return "";
}

// What a call raised: the error's type, message and place, or "".
inline std::string Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (CalcError& e) {
        e.SetEditor(ErrorEditor::A);
        std::string what = std::string(typeid(e).name()) + ": " + e.what();
        if (const auto place = e.Place())
            what += " at line " + std::to_string(place->Line) + ", element " + std::to_string(place->Element);
        return what;
    }
    return "";
}

}  // namespace quorvix::textiotest
