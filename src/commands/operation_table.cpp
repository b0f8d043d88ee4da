#include "commands/operation_table.h"

#include <array>

#include "commands/handlers.h"

namespace quorvix {

namespace {

constexpr GridColumn kA = GridColumn::A;
constexpr GridColumn kB = GridColumn::B;
constexpr GridColumn kBoth = GridColumn::Both;

// In the order Auto runs them. Hints keep their double and trailing blanks:
// the window shows them letter for letter.
constexpr std::array<Operation, 43> kOperations{{
    {"SpeedButton11", kA, 0, "A", "Matrix  A", "A", "A", [](CalcState& s) { ShowMatrix(s, Operand::A); }},
    {"SpeedButton12", kB, 0, "B", "Matrix  B", "B", "B", [](CalcState& s) { ShowMatrix(s, Operand::B); }},
    {"SpeedButton13", kBoth, 0, "A+B", "Matrix A Plus Matrix B", "A+B", "A+B", AddMatrices},
    {"SpeedButton14", kA, 1, "A'", "Matrix Transpose", "A'", "A'",
     [](CalcState& s) { TransposeMatrix(s, Operand::A); }},
    {"SpeedButton15", kB, 1, "B'", "Matrix Transpose", "B'", "B'",
     [](CalcState& s) { TransposeMatrix(s, Operand::B); }},
    {"SpeedButton9", kBoth, 1, "A-B", "Matrix A minus Matrix B", "A-B", "A-B", SubtractMatrices},
    {"SpeedButton18", kA, 2, "inv A", "Matrix inverse", "inv(A)", "inv(A)",
     [](CalcState& s) { InvertMatrix(s, Operand::A); }},
    {"SpeedButton38", kB, 2, "inv B", "Matrix inverse", "inv(B)", "inv(B)",
     [](CalcState& s) { InvertMatrix(s, Operand::B); }},
    {"SpeedButton39", kBoth, 2, "A*B", "Matrix multiply", "A*B", "A*B", MultiplyMatrices},
    {"SpeedButton40", kA, 3, "max A", "Largest  component  of  Matrix A", "Max(A)", "Max(A)",
     [](CalcState& s) { LargestComponent(s, Operand::A); }},
    {"SpeedButton45", kB, 3, "max B", "Largest  component  of  Matrix B", "Max(B)", "Max(B)",
     [](CalcState& s) { LargestComponent(s, Operand::B); }},
    {"SpeedButton46", kBoth, 3, "A.*B", "Array multiply ;", "A.*B", "A.*B", MultiplyElementwise},
    {"SpeedButton47", kA, 4, "min A", "Smallest component of Matrix A", "Min(A)", "Min(A)",
     [](CalcState& s) { SmallestComponent(s, Operand::A); }},
    {"SpeedButton48", kB, 4, "min B", "Smallest component of Matrix B", "Min(B)", "Min(B)",
     [](CalcState& s) { SmallestComponent(s, Operand::B); }},
    {"SpeedButton49", kBoth, 4, "A/B", "matrix A divide matrix B;      A*inv(B)  ", "A/B", "A/B", DivideMatrices},
    {"SpeedButton50", kA, 5, "norm A", "Norm of Matrix A", "Norm(A)", "Norm(A)",
     [](CalcState& s) { NormOfMatrix(s, Operand::A); }},
    {"SpeedButton51", kB, 5, "norm B", "Norm of Matrix B", "Norm(B)", "Norm(B)",
     [](CalcState& s) { NormOfMatrix(s, Operand::B); }},
    {"SpeedButton52", kBoth, 5, "A./B", "Array divide", "A./B", "A./B", DivideElementwise},
    {"SpeedButton19", kA, 6, "dim A", "Dimension of Matrix A", "Dim(A)", "Dim(A)",
     [](CalcState& s) { DimensionOfMatrix(s, Operand::A); }},
    {"SpeedButton20", kB, 6, "dim B", "Dimension of Matrix B", "Dim(B)", "Dim(B)",
     [](CalcState& s) { DimensionOfMatrix(s, Operand::B); }},
    {"SpeedButton21", kBoth, 6, "A&B", "Element-wise logical AND", "A&B", "A&B", AndMatrices},
    {"SpeedButton24", kA, 7, "tr A", "Sum of diagonal elements", "Trace(A)", "Trace(A)",
     [](CalcState& s) { TraceOfMatrix(s, Operand::A); }},
    {"SpeedButton25", kB, 7, "tr B", "Sum of diagonal elements", "Trace(B)", "Trace(B)",
     [](CalcState& s) { TraceOfMatrix(s, Operand::B); }},
    {"SpeedButton22", kBoth, 7, "A|B", "Element-wise logical OR", "A|B", "A|B", OrMatrices},
    {"SpeedButton32", kA, 8, "det A", "Determinant of Matrix A", "Det(A)", "Det(A)",
     [](CalcState& s) { DeterminantOfMatrix(s, Operand::A); }},
    {"SpeedButton37", kB, 8, "det B", "Determinant of Matrix B", "Det(B)", "Det(B)",
     [](CalcState& s) { DeterminantOfMatrix(s, Operand::B); }},
    {"SpeedButton23", kBoth, 8, "A xor B", "Logical EXCLUSIVE OR;  XOR ", "A#B", "A#B", XorMatrices},
    {"SpeedButton34", kA, 9, "rank A", "Rank of Matrix A ", "Rank(A)", "Rank(A)",
     [](CalcState& s) { RankOfMatrix(s, Operand::A); }},
    {"SpeedButton35", kB, 9, "rank B", "Rank of Matrix B", "Rank(B)", "Rank(B)",
     [](CalcState& s) { RankOfMatrix(s, Operand::B); }},
    {"SpeedButton16", kBoth, 9, "A*x", "Matrix  A  multiply   x", "A*x", "A*x",
     [](CalcState& s) { ScaleMatrix(s, Operand::A); }},
    {"SpeedButton33", kA, 10, "eig A", "Eigenvalues of Matrix A", "Eig(A)", "Eig(A)",
     [](CalcState& s) { EigenvaluesOfMatrix(s, Operand::A); }},
    {"SpeedButton43", kB, 10, "eig B", "Eigenvalues of Matrix B", "Eig(B)", "Eig(B)",
     [](CalcState& s) { EigenvaluesOfMatrix(s, Operand::B); }},
    {"SpeedButton17", kBoth, 10, "B*x", "Matrix  B  multiply   x", "B*x", "B*x",
     [](CalcState& s) { ScaleMatrix(s, Operand::B); }},
    {"SpeedButton26", kA, 11, "QR A", "Orthogonal-triangular decomposition;  A=QR", "QR(A)", "QR(A)",
     [](CalcState& s) { FactorQR(s, Operand::A); }},
    {"SpeedButton28", kB, 11, "QR B", "Orthogonal-triangular decomposition; B=QR", "QR(B)", "QR(B)",
     [](CalcState& s) { FactorQR(s, Operand::B); }},
    {"SpeedButton27", kBoth, 11, "A^x", "Matrix power", "A^(", "A^x",
     [](CalcState& s) { PowerOfMatrix(s, Operand::A); }},
    {"SpeedButton29", kA, 12, "LU A", "LU factorization; A=LU", "LU(A)", "LU(A)",
     [](CalcState& s) { FactorLU(s, Operand::A); }},
    {"SpeedButton30", kB, 12, "LU B", "LU factorization; B=LU", "LU(B)", "LU(B)",
     [](CalcState& s) { FactorLU(s, Operand::B); }},
    {"SpeedButton44", kBoth, 12, "B^x", "Matrix power", "B^(", "B^x",
     [](CalcState& s) { PowerOfMatrix(s, Operand::B); }},
    {"SpeedButton31", kA, 13, "chol A", "Cholesky factorization;  A=LDL'", "Chol(A)", "Chol(A)",
     [](CalcState& s) { FactorCholesky(s, Operand::A); }},
    {"SpeedButton36", kB, 13, "chol B", "Cholesky factorization;    B=LDL'", "Chol(B)", "Chol(B)",
     [](CalcState& s) { FactorCholesky(s, Operand::B); }},
    {"SpeedButton41", kA, 14, "svd A", "Singular value decomposition; A=USV", "Svd(A)", "Svd(A)",
     [](CalcState& s) { FactorSVD(s, Operand::A); }},
    {"SpeedButton42", kB, 14, "svd B", "Singular value decomposition; B=USV", "Svd(B)", "Svd(B)",
     [](CalcState& s) { FactorSVD(s, Operand::B); }},
}};

}  // namespace

std::span<const Operation> Operations() { return kOperations; }

const Operation* FindOperationByStep(std::string_view step) {
    for (const Operation& op : kOperations)
        if (step == op.Step) return &op;
    return nullptr;
}

}  // namespace quorvix
