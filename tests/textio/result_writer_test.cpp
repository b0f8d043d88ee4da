// The result writer: every result kind as the panel shows it, and the panel's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/matrice2.h"
#include "textio/command_result.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"
#include "textio/result_writer.h"

namespace quorvix {
namespace {

using Lines = std::vector<std::string>;

OutputSettings Settings(const std::string& precision = "3", char mark = '.') {
    OutputSettings s;
    s.DecimalMark = mark;
    PrecisionChange(precision, s);
    return s;
}

RCOMat Matrix(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

Scalar C(double re, double im = 0) { return Scalar::Complex(re, im); }
Scalar R(double v) { return Scalar::Real(v); }

// The command "Matrix A" as the command layer runs it: measure, label, read, print.
Lines ShowA(const EditorLines& editor, const OutputSettings& s) {
    ResultPanel panel;
    const std::int32_t rows = CountRows(editor);
    const ColumnCount cols = CountColumns(editor);
    if (cols.Incomplete) panel.AddLine(kIncompleteWarning);
    panel.AddLine("A");
    MatrixResult result;
    SizeMatrix(result.Matrix, rows, cols.Columns);
    ReadMatrix(editor, rows, cols.Columns, result.Matrix, s);
    WriteResult(result, panel, s);
    return panel.Lines();
}

// The panel after `label` and the printed result.
Lines Printed(const char* label, const CommandResult& result, const OutputSettings& s = Settings()) {
    ResultPanel panel;
    panel.AddLine(label);
    WriteResult(result, panel, s);
    return panel.Lines();
}

TEST(WriteResult, MatrixA) {
    EXPECT_EQ(ShowA({"1 2", "3 4"}, Settings()), (Lines{"A=", "          1          2", "          3          4", ""}));
}

TEST(WriteResult, MatrixAWithDecimalCommas) {
    EXPECT_EQ(ShowA({"1 2", "3 4"}, Settings("3", ',')),
              (Lines{"A=", "          1          2", "          3          4", ""}));
    EXPECT_EQ(ShowA({"1,5 -2,25", "0,5-1,5i 3"}, Settings("3", ',')),
              (Lines{"A=", "        1,5      -2,25", "   0,5-1,5i          3", ""}));
}

TEST(WriteResult, IncompleteMatrixAndEmptyEditor) {
    EXPECT_EQ(ShowA({"1 2 3", "4 5"}, Settings()),
              (Lines{"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.",
                     "A=", "          1          2          3", "          4          5          0", ""}));
    EXPECT_EQ(ShowA({}, Settings()), (Lines{"A=", ""}));
}

TEST(WriteResult, LongTextsAreNotCut) {
    EXPECT_EQ(ShowA({"1234567.891 -1-2.5i", "2(-90) i"}, Settings()),
              (Lines{"A=", " 1234567.891    -1-2.5i", "        -2i          i", ""}));
}

TEST(WriteResult, ComplexFormatFollowsTheSettings) {
    OutputSettings polar = Settings();
    polar.Format = ComplexFormat::Polar;
    EXPECT_EQ(ShowA({"1+i -5 5 -2i"}, polar), (Lines{"A=", "  1.414(45)     5(180)          5     2(-90)", ""}));
}

TEST(WriteResult, Scalar) {
    EXPECT_EQ(Printed("Max(A)", ScalarResult{C(5)}), (Lines{"Max(A)=", "", "            5", ""}));
    EXPECT_EQ(Printed("Norm(A)", ScalarResult{R(0.0625)}), (Lines{"Norm(A)=", "", "        0.062", ""}));
}

TEST(WriteResult, Dimension) {
    EXPECT_EQ(Printed("Dim(A)", DimensionResult{2, 13}), (Lines{"Dim(A)=", "", "       2*13", ""}));
}

TEST(WriteResult, QRPrintsRAsRealOnly) {
    const FactorPairResult qr{.FirstName = "Q",
                              .SecondName = "R",
                              .First = Matrix({{C(0, 1), R(0)}, {R(0), R(1)}}),
                              .Second = Matrix({{C(3, 4)}, {R(0)}}),
                              .Rows = 2,
                              .Cols = 1,
                              .SecondRealOnly = true};
    EXPECT_EQ(Printed("QR(A)", qr), (Lines{"QR(A)=", "", "   Q:", "          i          0", "          0          1",
                                           "", "   R:", "          3", "          0", ""}));
}

TEST(WriteResult, LUAndLDL) {
    for (const auto& [label, second] : {std::pair{"LU(A)", "U"}, std::pair{"Chol(A)", "D"}}) {
        const FactorPairResult factors{.FirstName = "L",
                                       .SecondName = second,
                                       .First = Matrix({{R(1), R(0)}, {R(0.5), R(1)}}),
                                       .Second = Matrix({{C(4), C(0, 2)}, {R(0), R(2)}}),
                                       .Rows = 2,
                                       .Cols = 2};
        EXPECT_EQ(Printed(label, factors),
                  (Lines{std::string(label) + "=", "", "   L:", "          1          0", "        0.5          1", "",
                         std::string("   ") + second + ":", "          4         2i", "          0          2", ""}));
    }
}

TEST(WriteResult, SVD) {
    const SvdResult svd{.U = Matrix({{R(-1)}}),
                        .S = Matrix({{R(5), C(0, 7)}}),
                        .V = Matrix({{R(0.6), R(0.8)}, {R(-0.8), R(0.6)}}),
                        .Rows = 1,
                        .Cols = 2};
    EXPECT_EQ(Printed("Svd(A)", svd),
              (Lines{"Svd(A)=", "", "   U:", "         -1", "", "   S:", "          5          0", "",
                     "   V:", "        0.6        0.8", "       -0.8        0.6", ""}));
}

TEST(WriteResult, NamedFactorsPrintWholeBlocksComplexAware) {
    const FactorListResult plu{{{"L", Matrix({{R(1)}, {R(0.5)}})}, {"U", Matrix({{C(2, 1), R(4)}})}, {"P", {}}}};
    EXPECT_EQ(Printed("PLU(A)", plu), (Lines{"PLU(A)=", "", "   L:", "          1", "        0.5", "",
                                             "   U:", "        2+i          4", "", "   P:", ""}));
}

TEST(WriteResult, EigenvaluesOnePlusMinusTwoI) {
    OutputSettings polar = Settings();
    polar.Format = ComplexFormat::Polar;  // eigenvalues are always rectangular
    EXPECT_EQ(Printed("Eig(A)", EigenResult{{0, 1, 1}, {0, -2, 2}, 2}, polar),
              (Lines{"Eig(A)=", "", "", "          1+        -2i", "          1+         2i", ""}));
}

TEST(WriteResult, EigenvaluesZeroPrintsItsLine) {
    EXPECT_EQ(Printed("Eig(A)", EigenResult{{9, 0, 3, 0}, {9, 0, 0, 0.5}, 3}),
              (Lines{"Eig(A)=", "", "", "          0", "          3", "          0+       0.5i", ""}));
    // The 2 x 2 zero matrix: both eigenvalues are 0.
    EXPECT_EQ(Printed("Eig(B)", EigenResult{{0, 0, 0}, {0, 0, 0}, 2}),
              (Lines{"Eig(B)=", "", "", "          0", "          0", ""}));
}

TEST(WriteResult, EigenvaluesNotReachedPrintNothing) {
    // The iteration gave up with positions 1 and 2 unfilled; position 3 is a zero it found.
    EXPECT_EQ(Printed("Eig(A)", EigenResult{{0, 0, 0, 0, 4}, {0, 0, 0, 0, 0}, 4, 2}),
              (Lines{"Eig(A)=", "", "", "          0", "          4", ""}));
}

TEST(WriteResult, ShortResultsNeverReadOutside) {
    const FactorPairResult shortFactors{
        .FirstName = "L", .SecondName = "U", .First = Matrix({{C(7)}}), .Second = {}, .Rows = 2, .Cols = 1};
    EXPECT_EQ(Printed("LU(A)", shortFactors),
              (Lines{"LU(A)=", "", "   L:", "          7          0", "          0          0", "",
                     "   U:", "          0", "          0", ""}));
    EXPECT_EQ(Printed("Eig(A)", EigenResult{{0, 2}, {}, 3}),
              (Lines{"Eig(A)=", "", "", "          2", "          0", "          0", ""}));
}

TEST(WriteResult, LargeValuesAtPrecisionEight) {
    EXPECT_EQ(Printed("A", MatrixResult{Matrix({{C(1e11), C(-1e11, 1e11)}})}, Settings("8")),
              (Lines{"A=", " 100000000000 -100000000000+100000000000i", ""}));
}

TEST(WriteResult, ExponentForm) {
    EXPECT_EQ(Printed("A", MatrixResult{Matrix({{C(1234.5678), R(0)}})}, Settings("e")),
              (Lines{"A=", " 1.235E+003 0.000E+000", ""}));
}

TEST(WriteResult, AThousandByAThousand) {
    MatrixResult big;
    SizeMatrix(big.Matrix, 1000, 1000);
    big.Matrix[999][999] = C(1, 1);
    const Lines lines = Printed("A", big);
    ASSERT_EQ(lines.size(), 1002u);
    EXPECT_EQ(lines[1].size(), 11000u);
    EXPECT_EQ(lines[1000].substr(10989), "        1+i");
    EXPECT_EQ(lines[1001], "");
}

TEST(ResultPanel, TextJoinsTheLines) {
    ResultPanel panel;
    EXPECT_EQ(panel.Text(), "");
    panel.AppendToLast("A");
    panel.AppendToLast("=");
    panel.AddLine("  1");
    panel.AddLine("");
    EXPECT_EQ(panel.Text(), "A=\n  1\n");
    EXPECT_EQ(panel.Text("\r\n"), "A=\r\n  1\r\n");
}

}  // namespace
}  // namespace quorvix
