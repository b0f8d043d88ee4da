#include "commands/operation_table.h"

#include <array>

#include "commands/handlers.h"
#include "commands/more_handlers.h"

namespace quorvix {

namespace {

constexpr GridColumn kA = GridColumn::A;
constexpr GridColumn kB = GridColumn::B;
constexpr GridColumn kBoth = GridColumn::Both;

// A command on one operand, bound to Matrix A or Matrix B for its row.
using OperandCommand = void (*)(CalcState&, const Operation&, Operand);
template <OperandCommand Command>
void OnA(CalcState& s, const Operation& op) {
    Command(s, op, Operand::A);
}
template <OperandCommand Command>
void OnB(CalcState& s, const Operation& op) {
    Command(s, op, Operand::B);
}

// In the order Auto runs them. Hints keep their double and trailing blanks:
// the window shows them letter for letter.
constexpr std::array<Operation, 43> kOperations{{
    {"SpeedButton11", kA, 0, "A", "Matrix  A", "A", "A", OnA<ShowMatrix>},
    {"SpeedButton12", kB, 0, "B", "Matrix  B", "B", "B", OnB<ShowMatrix>},
    {"SpeedButton13", kBoth, 0, "A+B", "Matrix A Plus Matrix B", "A+B", "A+B", AddMatrices},
    {"SpeedButton14", kA, 1, "A'", "Matrix Transpose", "A'", "A'", OnA<TransposeMatrix>},
    {"SpeedButton15", kB, 1, "B'", "Matrix Transpose", "B'", "B'", OnB<TransposeMatrix>},
    {"SpeedButton9", kBoth, 1, "A-B", "Matrix A minus Matrix B", "A-B", "A-B", SubtractMatrices},
    {"SpeedButton18", kA, 2, "inv A", "Matrix inverse", "inv(A)", "inv(A)", OnA<InvertMatrix>},
    {"SpeedButton38", kB, 2, "inv B", "Matrix inverse", "inv(B)", "inv(B)", OnB<InvertMatrix>},
    {"SpeedButton39", kBoth, 2, "A*B", "Matrix multiply", "A*B", "A*B", MultiplyMatrices},
    {"SpeedButton40", kA, 3, "max A", "Largest  component  of  Matrix A", "Max(A)", "Max(A)", OnA<LargestComponent>},
    {"SpeedButton45", kB, 3, "max B", "Largest  component  of  Matrix B", "Max(B)", "Max(B)", OnB<LargestComponent>},
    {"SpeedButton46", kBoth, 3, "A.*B", "Array multiply ;", "A.*B", "A.*B", MultiplyElementwise},
    {"SpeedButton47", kA, 4, "min A", "Smallest component of Matrix A", "Min(A)", "Min(A)", OnA<SmallestComponent>},
    {"SpeedButton48", kB, 4, "min B", "Smallest component of Matrix B", "Min(B)", "Min(B)", OnB<SmallestComponent>},
    {"SpeedButton49", kBoth, 4, "A/B", "matrix A divide matrix B;      A*inv(B)  ", "A/B", "A/B", DivideMatrices},
    {"SpeedButton50", kA, 5, "norm A", "Norm of Matrix A", "Norm(A)", "Norm(A)", OnA<NormOfMatrix>},
    {"SpeedButton51", kB, 5, "norm B", "Norm of Matrix B", "Norm(B)", "Norm(B)", OnB<NormOfMatrix>},
    {"SpeedButton52", kBoth, 5, "A./B", "Array divide", "A./B", "A./B", DivideElementwise},
    {"SpeedButton19", kA, 6, "dim A", "Dimension of Matrix A", "Dim(A)", "Dim(A)", OnA<DimensionOfMatrix>},
    {"SpeedButton20", kB, 6, "dim B", "Dimension of Matrix B", "Dim(B)", "Dim(B)", OnB<DimensionOfMatrix>},
    {"SpeedButton21", kBoth, 6, "A&B", "Element-wise logical AND", "A&B", "A&B", AndMatrices},
    {"SpeedButton24", kA, 7, "tr A", "Sum of diagonal elements", "Trace(A)", "Trace(A)", OnA<TraceOfMatrix>},
    {"SpeedButton25", kB, 7, "tr B", "Sum of diagonal elements", "Trace(B)", "Trace(B)", OnB<TraceOfMatrix>},
    {"SpeedButton22", kBoth, 7, "A|B", "Element-wise logical OR", "A|B", "A|B", OrMatrices},
    {"SpeedButton32", kA, 8, "det A", "Determinant of Matrix A", "Det(A)", "Det(A)", OnA<DeterminantOfMatrix>},
    {"SpeedButton37", kB, 8, "det B", "Determinant of Matrix B", "Det(B)", "Det(B)", OnB<DeterminantOfMatrix>},
    {"SpeedButton23", kBoth, 8, "A xor B", "Logical EXCLUSIVE OR;  XOR ", "A#B", "A#B", XorMatrices},
    {"SpeedButton34", kA, 9, "rank A", "Rank of Matrix A ", "Rank(A)", "Rank(A)", OnA<RankOfMatrix>},
    {"SpeedButton35", kB, 9, "rank B", "Rank of Matrix B", "Rank(B)", "Rank(B)", OnB<RankOfMatrix>},
    {"SpeedButton16", kBoth, 9, "A*x", "Matrix  A  multiply   x", "A*x", "A*x", OnA<ScaleMatrix>},
    {"SpeedButton33", kA, 10, "eig A", "Eigenvalues of Matrix A", "Eig(A)", "Eig(A)", OnA<EigenvaluesOfMatrix>},
    {"SpeedButton43", kB, 10, "eig B", "Eigenvalues of Matrix B", "Eig(B)", "Eig(B)", OnB<EigenvaluesOfMatrix>},
    {"SpeedButton17", kBoth, 10, "B*x", "Matrix  B  multiply   x", "B*x", "B*x", OnB<ScaleMatrix>},
    {"SpeedButton26", kA, 11, "QR A", "Orthogonal-triangular decomposition;  A=QR", "QR(A)", "QR(A)", OnA<FactorQR>},
    {"SpeedButton28", kB, 11, "QR B", "Orthogonal-triangular decomposition; B=QR", "QR(B)", "QR(B)", OnB<FactorQR>},
    {"SpeedButton27", kBoth, 11, "A^x", "Matrix power", "A^(", "A^x", OnA<PowerOfMatrix>},
    {"SpeedButton29", kA, 12, "LU A", "LU factorization; A=LU", "LU(A)", "LU(A)", OnA<FactorLU>},
    {"SpeedButton30", kB, 12, "LU B", "LU factorization; B=LU", "LU(B)", "LU(B)", OnB<FactorLU>},
    {"SpeedButton44", kBoth, 12, "B^x", "Matrix power", "B^(", "B^x", OnB<PowerOfMatrix>},
    {"SpeedButton31", kA, 13, "chol A", "Cholesky factorization;  A=LDL'", "Chol(A)", "Chol(A)", OnA<FactorCholesky>},
    {"SpeedButton36", kB, 13, "chol B", "Cholesky factorization;    B=LDL'", "Chol(B)", "Chol(B)", OnB<FactorCholesky>},
    {"SpeedButton41", kA, 14, "svd A", "Singular value decomposition; A=USV", "Svd(A)", "Svd(A)", OnA<FactorSVD>},
    {"SpeedButton42", kB, 14, "svd B", "Singular value decomposition; B=USV", "Svd(B)", "Svd(B)", OnB<FactorSVD>},
}};

// The menu of the operations beyond the 43, in its order; Row is the item's
// place. Control is the menu item's object name. Each caption has its own
// access key.
constexpr std::array<Operation, 19> kMoreOperations{{
    {"solveAction", kBoth, 0, "&Solve A*X = B",
     "Solve A*X = B: LU with partial pivoting, or least squares of minimum norm", "A\\B", "A\\B", SolveLinearSystem},
    {"pluAAction", kA, 1, "&PLU of A", "LU factorization with row exchanges; P*A=L*U", "PLU(A)", "PLU(A)",
     OnA<FactorPLU>},
    {"pluBAction", kB, 2, "PL&U of B", "LU factorization with row exchanges; P*B=L*U", "PLU(B)", "PLU(B)",
     OnB<FactorPLU>},
    {"eigvecAAction", kA, 3, "&Eigenvectors of A", "Eigenvalues and eigenvectors of Matrix A; A*V=V*D", "Eigvec(A)",
     "Eigvec(A)", OnA<EigenvectorsOfMatrix>},
    {"eigvecBAction", kB, 4, "Ei&genvectors of B", "Eigenvalues and eigenvectors of Matrix B; B*V=V*D", "Eigvec(B)",
     "Eigvec(B)", OnB<EigenvectorsOfMatrix>},
    {"svAAction", kA, 5, "Singular &values of A", "Singular values of Matrix A, descending", "Sv(A)", "Sv(A)",
     OnA<SingularValuesOfMatrix>},
    {"svBAction", kB, 6, "Si&ngular values of B", "Singular values of Matrix B, descending", "Sv(B)", "Sv(B)",
     OnB<SingularValuesOfMatrix>},
    {"pinvAAction", kA, 7, "Pseudo-&inverse of A", "Moore-Penrose pseudo-inverse of Matrix A", "Pinv(A)", "Pinv(A)",
     OnA<PseudoInverse>},
    {"pinvBAction", kB, 8, "Pseu&do-inverse of B", "Moore-Penrose pseudo-inverse of Matrix B", "Pinv(B)", "Pinv(B)",
     OnB<PseudoInverse>},
    {"condAAction", kA, 9, "&Condition number of A", "2-norm condition number of Matrix A", "Cond(A)", "Cond(A)",
     OnA<ConditionNumber>},
    {"condBAction", kB, 10, "C&ondition number of B", "2-norm condition number of Matrix B", "Cond(B)", "Cond(B)",
     OnB<ConditionNumber>},
    {"nullAAction", kA, 11, "Nu&ll space of A", "Orthonormal basis of the null space of Matrix A", "Null(A)", "Null(A)",
     OnA<NullSpaceBasis>},
    {"nullBAction", kB, 12, "Null sp&ace of B", "Orthonormal basis of the null space of Matrix B", "Null(B)", "Null(B)",
     OnB<NullSpaceBasis>},
    {"rrefAAction", kA, 13, "&Row echelon form of A", "Reduced row echelon form of Matrix A", "Rref(A)", "Rref(A)",
     OnA<RowEchelonForm>},
    {"rrefBAction", kB, 14, "Row ec&helon form of B", "Reduced row echelon form of Matrix B", "Rref(B)", "Rref(B)",
     OnB<RowEchelonForm>},
    {"expmAAction", kA, 15, "E&xponential of A", "Matrix exponential of Matrix A", "Expm(A)", "Expm(A)",
     OnA<MatrixExponential>},
    {"expmBAction", kB, 16, "Exponen&tial of B", "Matrix exponential of Matrix B", "Expm(B)", "Expm(B)",
     OnB<MatrixExponential>},
    {"conjugateTransposeAAction", kA, 17, "Con&jugate transpose of A", "Conjugate transpose of Matrix A", "A^H", "A^H",
     OnA<ConjugateTransposeOf>},
    {"conjugateTransposeBAction", kB, 18, "Conjugate transpose of &B", "Conjugate transpose of Matrix B", "B^H", "B^H",
     OnB<ConjugateTransposeOf>},
}};

}  // namespace

std::span<const Operation> Operations() { return kOperations; }

std::span<const Operation> MoreOperations() { return kMoreOperations; }

const Operation* FindOperationByStep(std::string_view step) {
    for (const Operation& op : kOperations)
        if (step == op.Step) return &op;
    for (const Operation& op : MoreOperations())
        if (step == op.Step) return &op;
    return nullptr;
}

}  // namespace quorvix
