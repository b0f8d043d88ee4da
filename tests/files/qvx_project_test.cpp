// Text projects: every part of the state and every kind of kept result
// comes back exactly (bytes of the editors, bits of the doubles, the kinds of
// the values); damaged and newer files are refused with nothing changed; an
// .mtx save of complex elements says what to do; files told apart by their
// first bytes.
#include "files/qvx_project.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "commands/operation_table.h"
#include "core/errors.h"
#include "files/file_kind.h"
#include "files/files_test_util.h"
#include "files/project_file.h"
#include "files/qvx_codec.h"
#include "textio/result_writer.h"

namespace quorvix {
namespace {

using testutil::Snapshot;

RCOMat Rows(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

// Every kind of result, with values chosen to be lost by any inexact
// writing: -0, a denormal, the largest double, 0.1, a third.
std::vector<KeptResult> EveryKind() {
    const double third = 1.0 / 3.0;
    const Scalar kinds[] = {Scalar(),
                            Scalar::Integer(-7),
                            Scalar::Real(-0.0),
                            Scalar::Real(4.9e-324),
                            Scalar::Complex(0.1, -third),
                            Scalar::Real(std::numeric_limits<double>::max()),
                            Scalar::Real(0.1)};
    RCOMat ragged = Rows({{kinds[0], kinds[1], kinds[2]}, {kinds[3]}, {}, {kinds[4], kinds[5], kinds[6]}});
    return {
        {"A", MatrixResult{ragged}},
        {"Det(A)", ScalarResult{Scalar::Complex(2, 1e300)}},
        {"Dim(A)", DimensionResult{3, -1}},
        {"QR(A)", FactorPairResult{.FirstName = "Q",
                                   .SecondName = "R",
                                   .First = Rows({{kinds[5]}}),
                                   .Second = ragged,
                                   .Rows = 2,
                                   .Cols = 3,
                                   .SecondRealOnly = true}},
        {"Svd(A)", SvdResult{Rows({{kinds[6]}}), Rows({}), ragged, 1, 2}},
        {"Eig(A)", EigenResult{{0, third, -0.0}, {0, 1e-300}, 2, 1}},
        {"PLU(A)", FactorListResult{{{"L", ragged}, {"P", Rows({{kinds[1]}})}, {"", {}}}}},
        {"line\nbreak \xff", MatrixResult{}},
    };
}

CalcState Worked() {
    CalcState s = StartState('.');
    s.MatrixA = {"10+5i -5i", "", "\t5(30)  2,5 ", "\xff\xfe not UTF-8", std::string("nul\0byte", 8)};
    s.MatrixB = {};
    s.X = "2 (30)";
    s.Precision = "abc";  // a refused precision keeps its text; the factor stays
    s.Settings.RoundingFactor = 10000.0L;
    s.Settings.Format = ComplexFormat::Polar;
    s.Panel.AddLine("inv(A)=");
    s.Panel.AddLine(" 1\r2");
    s.Kept = EveryKind();
    return s;
}

bool SameScalar(const Scalar& a, const Scalar& b) {
    if (a.Kind() != b.Kind()) return false;
    switch (a.Kind()) {
        case ScalarKind::Empty: return true;
        case ScalarKind::Integer: return a.IntegerValue() == b.IntegerValue();
        case ScalarKind::Real:
            return std::bit_cast<std::uint64_t>(a.RealValue()) == std::bit_cast<std::uint64_t>(b.RealValue());
        case ScalarKind::Complex:
            return std::bit_cast<std::uint64_t>(a.ComplexValue().Real()) ==
                       std::bit_cast<std::uint64_t>(b.ComplexValue().Real()) &&
                   std::bit_cast<std::uint64_t>(a.ComplexValue().Imaginary()) ==
                       std::bit_cast<std::uint64_t>(b.ComplexValue().Imaginary());
    }
    return false;
}

bool SameMatrix(const RCOMat& a, const RCOMat& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size()) return false;
        for (std::size_t j = 0; j < a[i].size(); ++j)
            if (!SameScalar(a[i][j], b[i][j])) return false;
    }
    return true;
}

bool SameVector(const RCoVecD& a, const RCoVecD& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::bit_cast<std::uint64_t>(a[k]) != std::bit_cast<std::uint64_t>(b[k])) return false;
    return true;
}

struct SameValue {
    const CommandResult& other;
    bool operator()(const MatrixResult& r) const { return SameMatrix(r.Matrix, std::get<MatrixResult>(other).Matrix); }
    bool operator()(const ScalarResult& r) const { return SameScalar(r.Value, std::get<ScalarResult>(other).Value); }
    bool operator()(const DimensionResult& r) const {
        const auto& o = std::get<DimensionResult>(other);
        return r.Rows == o.Rows && r.Cols == o.Cols;
    }
    bool operator()(const FactorPairResult& r) const {
        const auto& o = std::get<FactorPairResult>(other);
        return std::string(r.FirstName) == o.FirstName && std::string(r.SecondName) == o.SecondName &&
               SameMatrix(r.First, o.First) && SameMatrix(r.Second, o.Second) && r.Rows == o.Rows && r.Cols == o.Cols &&
               r.SecondRealOnly == o.SecondRealOnly;
    }
    bool operator()(const SvdResult& r) const {
        const auto& o = std::get<SvdResult>(other);
        return SameMatrix(r.U, o.U) && SameMatrix(r.S, o.S) && SameMatrix(r.V, o.V) && r.Rows == o.Rows &&
               r.Cols == o.Cols;
    }
    bool operator()(const EigenResult& r) const {
        const auto& o = std::get<EigenResult>(other);
        return SameVector(r.Re, o.Re) && SameVector(r.Im, o.Im) && r.Order == o.Order && r.Unreached == o.Unreached;
    }
    bool operator()(const FactorListResult& r) const {
        const auto& o = std::get<FactorListResult>(other);
        if (r.Factors.size() != o.Factors.size()) return false;
        for (std::size_t k = 0; k < r.Factors.size(); ++k)
            if (r.Factors[k].Name != o.Factors[k].Name || !SameMatrix(r.Factors[k].Matrix, o.Factors[k].Matrix))
                return false;
        return true;
    }
};

void ExpectSameKept(const std::vector<KeptResult>& got, const std::vector<KeptResult>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_EQ(got[k].Label, want[k].Label);
        ASSERT_EQ(got[k].Value.index(), want[k].Value.index()) << want[k].Label;
        EXPECT_TRUE(std::visit(SameValue{want[k].Value}, got[k].Value)) << want[k].Label;
    }
}

class TextProject : public testutil::ScratchFolder {};

TEST_F(TextProject, OpensExactlyWhatWasSaved) {
    const CalcState saved = Worked();
    SaveTextProject(saved, PathOf("w.qvx"));
    CalcState opened = StartState('.');
    opened.Settings.DecimalMark = ',';
    OpenProject(opened, PathOf("w.qvx"));
    EXPECT_EQ(opened.MatrixA, saved.MatrixA);
    EXPECT_EQ(opened.MatrixB, saved.MatrixB);
    EXPECT_EQ(opened.X, saved.X);
    EXPECT_EQ(opened.Precision, saved.Precision);
    EXPECT_EQ(opened.Settings.RoundingFactor, saved.Settings.RoundingFactor);
    EXPECT_EQ(opened.Settings.Format, saved.Settings.Format);
    EXPECT_EQ(opened.Settings.DecimalMark, ',') << "the decimal mark is the system's, not the project's";
    EXPECT_EQ(opened.Panel.Lines(), saved.Panel.Lines());
    ExpectSameKept(opened.Kept, saved.Kept);
    // Printing a value again gives the same text: the kinds came back too.
    ResultPanel before, after;
    for (std::size_t k = 0; k + 1 < saved.Kept.size(); ++k) {
        WriteResult(saved.Kept[k].Value, before, saved.Settings);
        WriteResult(opened.Kept[k].Value, after, saved.Settings);
    }
    EXPECT_EQ(after.Lines(), before.Lines());
    EXPECT_EQ(Names(), (std::vector<std::string>{"w.qvx"}));
}

TEST_F(TextProject, EveryAcceptedFileEncodesToItsOwnBytes) {
    const std::string bytes = EncodeQvx(QvxFromState(Worked()));
    const QvxDecoded decoded = DecodeQvx(bytes);
    ASSERT_TRUE(decoded.Project);
    EXPECT_EQ(EncodeQvx(*decoded.Project), bytes);
}

// Damage of every kind: each is refused as damaged, and nothing changes.
TEST_F(TextProject, DamagedFilesAreRefusedWithNothingChanged) {
    const std::string good = EncodeQvx(QvxFromState(Worked()));
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string s = good;
        const std::size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return s.replace(at, from.size(), to);
    };
    const std::vector<std::string> damaged = {
        good.substr(0, good.size() - 1),           // truncated
        good + "x",                                // bytes after the end
        replaced("x 6:", "x 7:"),                  // a length too long
        replaced("x 6:", "x 99999999999:"),        // a length beyond the file
        replaced("format polar", "format round"),  // an unknown word
        replaced("R-0", "R-0.0"),                  // a double not in its shortest form
        replaced("C0.1,", "C1e-13,"),              // a complex part the values cannot hold
        replaced("kept 8", "kept 9999999"),        // more results than bytes
        replaced("factor-pair Q R", "factor-pair Q X"),
        replaced("\nend\n", "\nend\r\n"),
        replaced("Quorvix project 1", "Quorvix project 0"),
    };
    const std::string path = PathOf("d.qvx");
    for (const std::string& bytes : damaged) {
        testutil::WriteBytes(path, testutil::Bytes(bytes.begin(), bytes.end()));
        CalcState s = StartState('.');
        const Snapshot before(s);
        try {
            OpenProject(s, path);
            ADD_FAILURE() << "opened: " << bytes.substr(0, 80);
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Cannot open file \"" + path + "\". The file is damaged or is not a project file");
        }
        EXPECT_TRUE(Snapshot(s) == before);
        EXPECT_TRUE(s.Kept.empty());
    }
}

TEST_F(TextProject, ANewerVersionSaysSo) {
    std::string bytes = EncodeQvx(QvxFromState(Worked()));
    bytes.replace(0, std::string("Quorvix project 1").size(), "Quorvix project 12");
    testutil::WriteBytes(PathOf("n.qvx"), testutil::Bytes(bytes.begin(), bytes.end()));
    CalcState s = StartState('.');
    const Snapshot before(s);
    try {
        OpenTextProject(s, PathOf("n.qvx"));
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + PathOf("n.qvx") +
                                             "\". The project was saved by a newer version of Quorvix (text project "
                                             "format 12; this version reads format 1)");
    }
    EXPECT_TRUE(Snapshot(s) == before);
}

TEST_F(TextProject, TheResultsOpenedCanBeUsed) {
    CalcState s = StartState('.');
    s.MatrixA = {"4 3", "6 3"};
    FindOperationByStep("LU(A)")->Run(s, *FindOperationByStep("LU(A)"));
    SaveTextProject(s, PathOf("lu.qvx"));
    CalcState opened = StartState('.');
    OpenProject(opened, PathOf("lu.qvx"));
    ASSERT_EQ(opened.Kept.size(), 1u);
    EXPECT_EQ(opened.Kept[0].Label, "LU(A)");
    EXPECT_STREQ(std::get<FactorPairResult>(opened.Kept[0].Value).FirstName, "L");
}

// ---- .mtx projects and the kinds of files --------------------------------

TEST_F(TextProject, AnMtxSaveOfComplexElementsSaysToSaveAsQvx) {
    struct Case {
        EditorLines a, b;
        const char* message;
    };
    for (const Case& c : {Case{{"10+5i 1"},
                               {"1"},
                               "Projects in .mtx keep real numbers only (Matrix A, line 1, element 1: '10+5i'); "
                               "save as .qvx to keep everything"},
                          Case{{"1"},
                               {"1 2", "", "3 5(30)"},
                               "Projects in .mtx keep real numbers only (Matrix B, line 3, element 2: '5(30)'); "
                               "save as .qvx to keep everything"},
                          Case{{"1 abc"}, {}, "'abc' is not a valid floating point value"}}) {
        CalcState s = StartState('.');
        s.MatrixA = c.a;
        s.MatrixB = c.b;
        try {
            SaveProject(s, PathOf("c.mtx"));
            ADD_FAILURE();
        } catch (const CalcError& e) {
            EXPECT_STREQ(e.what(), c.message);
            ASSERT_TRUE(e.Place());
        }
        EXPECT_TRUE(Names().empty()) << "nothing written";
    }
}

TEST_F(TextProject, AMatrixMarketFileIsNotAProject) {
    const std::string text = "%%MatrixMarket matrix array real general\n1 1\n5\n";
    testutil::WriteBytes(PathOf("m.mtx"), testutil::Bytes(text.begin(), text.end()));
    CalcState s = StartState('.');
    try {
        OpenProject(s, PathOf("m.mtx"));
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "\"" + PathOf("m.mtx") + "\" is a Matrix Market file, not a project: import it into Matrix A or B");
    }
}

TEST(FileKind, ByTheFirstBytes) {
    EXPECT_EQ(FileKindOf("Quorvix project 1\nx 1:1"), FileKind::TextProject);
    EXPECT_EQ(FileKindOf("Quorvix project 7"), FileKind::TextProject);
    EXPECT_EQ(FileKindOf("%%MatrixMarket matrix"), FileKind::MatrixMarket);
    EXPECT_EQ(FileKindOf("%%matrixmarket"), FileKind::MatrixMarket);
    EXPECT_EQ(FileKindOf(std::string("\0\0\0\0\0\0\0\x80\xff\x3f", 10)), FileKind::Other);
    EXPECT_EQ(FileKindOf("%%Matrix"), FileKind::Other);
    EXPECT_TRUE(IsTextProjectPath("w.QVX"));
    EXPECT_FALSE(IsTextProjectPath("w.qvx/file"));
    EXPECT_FALSE(IsTextProjectPath("w"));
}

}  // namespace
}  // namespace quorvix
