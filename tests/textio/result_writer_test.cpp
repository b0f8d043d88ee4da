// The result writer: every result kind as the panel shows it, and the panel's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/matrice2.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"
#include "textio/result_state.h"
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
    ResultState state;
    state.ResultKind = rkMatrix;
    const std::int32_t rows = CountRows(editor);
    const std::int32_t cols = CountColumns(editor, panel);
    panel.AddLine("A");
    state.ResultRows = rows;
    state.ResultCols = cols;
    SizeMatrix(state.ResultMatrix, rows, cols);
    ReadMatrix(editor, rows, cols, state.ResultMatrix, s);
    WriteResult(state, panel, s);
    return panel.Lines();
}

TEST(WriteResult, MatrixA) {
    EXPECT_EQ(ShowA({"1 2", "3 4"}, Settings()),
              (Lines{"A=", "          1          2", "          3          4", ""}));
}

TEST(WriteResult, MatrixAWithDecimalCommas) {
    EXPECT_EQ(ShowA({"1 2", "3 4"}, Settings("3", ',')),
              (Lines{"A=", "          1          2", "          3          4", ""}));
    EXPECT_EQ(ShowA({"1,5 -2,25", "0,5-1,5i 3"}, Settings("3", ',')),
              (Lines{"A=", "        1,5      -2,25", "   0,5-1,5i          3", ""}));
}

TEST(WriteResult, IncompleteMatrixAndEmptyEditor) {
    EXPECT_EQ(ShowA({"1 2 3", "4 5"}, Settings()),
              (Lines{"Warning : Matrix is incomplete, and the null elements will be replaced by zeros.", "A=",
                     "          1          2          3", "          4          5          0", ""}));
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
    ResultPanel panel;
    panel.AddLine("Max(A)");
    ResultState state;
    state.ResultKind = rkScalar;
    state.ResultScalar = C(5);
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines(), (Lines{"Max(A)=", "", "            5", ""}));
    EXPECT_EQ(state.ResultKind, rkMatrix);

    state.ResultKind = rkScalar;
    state.ResultScalar = R(0.0625);
    panel.AddLine("Norm(A)");
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines().back(), "");
    EXPECT_EQ(panel.Lines()[panel.LineCount() - 2], "        0.062");
}

TEST(WriteResult, Dimension) {
    ResultPanel panel;
    panel.AddLine("Dim(A)");
    ResultState state;
    state.ResultKind = rkDimension;
    state.DimRows = 2;
    state.DimCols = 13;
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines(), (Lines{"Dim(A)=", "", "       2*13", ""}));
    EXPECT_EQ(state.ResultKind, rkMatrix);
}

TEST(WriteResult, QRPrintsRAsRealOnly) {
    ResultPanel panel;
    panel.AddLine("QR(A)");
    ResultState state;
    state.ResultKind = rkQR;
    state.ResultRows = 2;
    state.ResultCols = 1;
    state.ResultFactor1 = Matrix({{C(0, 1), R(0)}, {R(0), R(1)}});
    state.ResultFactor2 = Matrix({{C(3, 4)}, {R(0)}});
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines(), (Lines{"QR(A)=", "", "   Q:", "          i          0", "          0          1", "",
                                    "   R:", "          3", "          0", ""}));
    EXPECT_EQ(state.ResultKind, rkMatrix);
}

TEST(WriteResult, LUAndLDL) {
    for (const auto& [kind, label, second] :
         {std::tuple{rkLU, "LU(A)", "   U:"}, std::tuple{rkLDL, "Chol(A)", "   D:"}}) {
        ResultPanel panel;
        panel.AddLine(label);
        ResultState state;
        state.ResultKind = kind;
        state.ResultRows = 2;
        state.ResultCols = 2;
        state.ResultFactor1 = Matrix({{R(1), R(0)}, {R(0.5), R(1)}});
        state.ResultFactor2 = Matrix({{C(4), C(0, 2)}, {R(0), R(2)}});
        WriteResult(state, panel, Settings());
        EXPECT_EQ(panel.Lines(), (Lines{std::string(label) + "=", "", "   L:", "          1          0",
                                        "        0.5          1", "", second, "          4         2i",
                                        "          0          2", ""}));
        EXPECT_EQ(state.ResultKind, rkMatrix);
    }
}

TEST(WriteResult, SVD) {
    ResultPanel panel;
    panel.AddLine("Svd(A)");
    ResultState state;
    state.ResultKind = rkSVD;
    state.ResultRows = 1;
    state.ResultCols = 2;
    state.ResultFactor1 = Matrix({{R(-1)}});
    state.WorkA = Matrix({{R(5), C(0, 7)}});
    state.ResultFactor2 = Matrix({{R(0.6), R(0.8)}, {R(-0.8), R(0.6)}});
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines(), (Lines{"Svd(A)=", "", "   U:", "         -1", "", "   S:", "          5          0", "",
                                    "   V:", "        0.6        0.8", "       -0.8        0.6", ""}));
    EXPECT_EQ(state.ResultKind, rkMatrix);
}

TEST(WriteResult, EigenvaluesOnePlusMinusTwoI) {
    ResultPanel panel;
    panel.AddLine("Eig(A)");
    ResultState state;
    state.ResultKind = rkEigen;
    state.ResultCols = 2;
    state.EigenRe = {0, 1, 1};
    state.EigenIm = {0, -2, 2};
    OutputSettings polar = Settings();
    polar.Format = ComplexFormat::Polar;  // eigenvalues are always rectangular
    WriteResult(state, panel, polar);
    EXPECT_EQ(panel.Lines(),
              (Lines{"Eig(A)=", "", "", "          1+        -2i", "          1+         2i", ""}));
    EXPECT_EQ(state.ResultKind, rkMatrix);
}

TEST(WriteResult, EigenvaluesZeroPrintsNoLine) {
    ResultPanel panel;
    panel.AddLine("Eig(A)");
    ResultState state;
    state.ResultKind = rkEigen;
    state.ResultCols = 3;
    state.EigenRe = {9, 0, 3, 0};
    state.EigenIm = {9, 0, 0, 0.5};
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines(), (Lines{"Eig(A)=", "", "", "          3", "          0+       0.5i", ""}));

    // The 2 x 2 zero matrix: only the label and the empty lines.
    ResultPanel zero;
    zero.AddLine("Eig(B)");
    state.ResultKind = rkEigen;
    state.ResultCols = 2;
    state.EigenRe = {0, 0, 0};
    state.EigenIm = {0, 0, 0};
    WriteResult(state, zero, Settings());
    EXPECT_EQ(zero.Lines(), (Lines{"Eig(B)=", "", "", ""}));
}

TEST(WriteResult, ShortStateNeverReadsOutside) {
    ResultPanel panel;
    panel.AddLine("A");
    ResultState state;
    state.ResultRows = 2;
    state.ResultCols = 2;
    state.ResultMatrix = Matrix({{C(7)}});
    WriteResult(state, panel, Settings());
    EXPECT_EQ(panel.Lines(), (Lines{"A=", "          7          0", "          0          0", ""}));

    ResultPanel eig;
    eig.AddLine("Eig(A)");
    state.ResultKind = rkEigen;
    state.ResultCols = 5;
    state.EigenRe = {0, 2};
    state.EigenIm = {};
    WriteResult(state, eig, Settings());
    EXPECT_EQ(eig.Lines(), (Lines{"Eig(A)=", "", "", "          2", ""}));
}

TEST(WriteResult, LargeValuesAtPrecisionEight) {
    ResultPanel panel;
    panel.AddLine("A");
    ResultState state;
    state.ResultRows = 1;
    state.ResultCols = 2;
    state.ResultMatrix = Matrix({{C(1e11), C(-1e11, 1e11)}});
    WriteResult(state, panel, Settings("8"));
    EXPECT_EQ(panel.Lines(), (Lines{"A=", " 100000000000 -100000000000+100000000000i", ""}));
}

TEST(WriteResult, ExponentForm) {
    ResultPanel panel;
    panel.AddLine("A");
    ResultState state;
    state.ResultRows = 1;
    state.ResultCols = 2;
    state.ResultMatrix = Matrix({{C(1234.5678), R(0)}});
    WriteResult(state, panel, Settings("e"));
    EXPECT_EQ(panel.Lines(), (Lines{"A=", " 1.235E+003 0.000E+000", ""}));
}

TEST(WriteResult, AThousandByAThousand) {
    ResultPanel panel;
    panel.AddLine("A");
    ResultState state;
    state.ResultRows = 1000;
    state.ResultCols = 1000;
    SizeMatrix(state.ResultMatrix, 1000, 1000);
    state.ResultMatrix[999][999] = C(1, 1);
    WriteResult(state, panel, Settings());
    ASSERT_EQ(panel.LineCount(), 1002u);
    EXPECT_EQ(panel.Lines()[1].size(), 11000u);
    EXPECT_EQ(panel.Lines()[1000].substr(10989), "        1+i");
    EXPECT_EQ(panel.Lines()[1001], "");
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
