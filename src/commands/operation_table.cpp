#include "commands/operation_table.h"

#include <array>

#include "commands/handlers.h"

namespace quorvix {

namespace {

// In the order Auto presses the buttons.
constexpr std::array<Operation, 43> kOperations{{
    {"SpeedButton11", "Matrix  A", "A", "A", rkMatrix, SpeedButton11Click},
    {"SpeedButton12", "Matrix  B", "B", "B", rkMatrix, SpeedButton12Click},
    {"SpeedButton13", "Matrix A Plus Matrix B", "A+B", "A+B", rkMatrix, SpeedButton13Click},
    {"SpeedButton14", "Matrix Transpose", "A'", "A'", rkMatrix, SpeedButton14Click},
    {"SpeedButton15", "Matrix Transpose", "B'", "B'", rkMatrix, SpeedButton15Click},
    {"SpeedButton9", "Matrix A minus Matrix B", "A-B", "A-B", rkMatrix, SpeedButton9Click},
    {"SpeedButton18", "Matrix inverse", "inv(A)", "inv(A)", rkMatrix, SpeedButton18Click},
    {"SpeedButton38", "Matrix inverse", "inv(B)", "inv(B)", rkMatrix, SpeedButton38Click},
    {"SpeedButton39", "Matrix multiply", "A*B", "A*B", rkMatrix, SpeedButton39Click},
    {"SpeedButton40", "Largest  component  of  Matrix A", "Max(A)", "Max(A)", rkScalar, SpeedButton40Click},
    {"SpeedButton45", "Largest  component  of  Matrix B", "Max(B)", "Max(B)", rkScalar, SpeedButton45Click},
    {"SpeedButton46", "Array multiply ;", "A.*B", "A.*B", rkMatrix, SpeedButton46Click},
    {"SpeedButton47", "Smallest component of Matrix A", "Min(A)", "Min(A)", rkScalar, SpeedButton47Click},
    {"SpeedButton48", "Smallest component of Matrix B", "Min(B)", "Min(B)", rkScalar, SpeedButton48Click},
    {"SpeedButton49", "matrix A divide matrix B;      A*inv(B)  ", "A/B", "A/B", rkMatrix, SpeedButton49Click},
    {"SpeedButton50", "Norm of Matrix A", "Norm(A)", "Norm(A)", rkScalar, SpeedButton50Click},
    {"SpeedButton51", "Norm of Matrix B", "Norm(B)", "Norm(B)", rkScalar, SpeedButton51Click},
    {"SpeedButton52", "Array divide", "A./B", "A./B", rkMatrix, SpeedButton52Click},
    {"SpeedButton19", "Dimension of Matrix A", "Dim(A)", "Dim(A)", rkDimension, SpeedButton19Click},
    {"SpeedButton20", "Dimension of Matrix B", "Dim(B)", "Dim(B)", rkDimension, SpeedButton20Click},
    {"SpeedButton21", "Element-wise logical AND", "A&B", "A&B", rkMatrix, SpeedButton21Click},
    {"SpeedButton24", "Sum of diagonal elements", "Trace(A)", "Trace(A)", rkScalar, SpeedButton24Click},
    {"SpeedButton25", "Sum of diagonal elements", "Trace(B)", "Trace(B)", rkScalar, SpeedButton25Click},
    {"SpeedButton22", "Element-wise logical OR", "A|B", "A|B", rkMatrix, SpeedButton22Click},
    {"SpeedButton32", "Determinant of Matrix A", "Det(A)", "Det(A)", rkScalar, SpeedButton32Click},
    {"SpeedButton37", "Determinant of Matrix B", "Det(B)", "Det(B)", rkScalar, SpeedButton37Click},
    {"SpeedButton23", "Logical EXCLUSIVE OR;  XOR ", "A#B", "A#B", rkMatrix, SpeedButton23Click},
    {"SpeedButton34", "Rank of Matrix A ", "Rank(A)", "Rank(A)", rkScalar, SpeedButton34Click},
    {"SpeedButton35", "Rank of Matrix B", "Rank(B)", "Rank(B)", rkScalar, SpeedButton35Click},
    {"SpeedButton16", "Matrix  A  multiply   x", "A*x", "A*x", rkMatrix, SpeedButton16Click},
    {"SpeedButton33", "Eigenvalues of Matrix A", "Eig(A)", "Eig(A)", rkEigen, SpeedButton33Click},
    {"SpeedButton43", "Eigenvalues of Matrix B", "Eig(B)", "Eig(B)", rkEigen, SpeedButton43Click},
    {"SpeedButton17", "Matrix  B  multiply   x", "B*x", "B*x", rkMatrix, SpeedButton17Click},
    {"SpeedButton26", "Orthogonal-triangular decomposition;  A=QR", "QR(A)", "QR(A)", rkQR, SpeedButton26Click},
    {"SpeedButton28", "Orthogonal-triangular decomposition; B=QR", "QR(B)", "QR(B)", rkQR, SpeedButton28Click},
    {"SpeedButton27", "Matrix power", "A^(", "A^x", rkMatrix, SpeedButton27Click},
    {"SpeedButton29", "LU factorization; A=LU", "LU(A)", "LU(A)", rkLU, SpeedButton29Click},
    {"SpeedButton30", "LU factorization; B=LU", "LU(B)", "LU(B)", rkLU, SpeedButton30Click},
    {"SpeedButton44", "Matrix power", "B^(", "B^x", rkMatrix, SpeedButton44Click},
    {"SpeedButton31", "Cholesky factorization;  A=LDL'", "Chol(A)", "Chol(A)", rkLDL, SpeedButton31Click},
    {"SpeedButton36", "Cholesky factorization;    B=LDL'", "Chol(B)", "Chol(B)", rkLDL, SpeedButton36Click},
    {"SpeedButton41", "Singular value decomposition; A=USV", "Svd(A)", "Svd(A)", rkSVD, SpeedButton41Click},
    {"SpeedButton42", "Singular value decomposition; B=USV", "Svd(B)", "Svd(B)", rkSVD, SpeedButton42Click},
}};

}  // namespace

std::span<const Operation> Operations() { return kOperations; }

const Operation* FindOperationByStep(std::string_view step) {
    for (const Operation& op : kOperations)
        if (step == op.Step) return &op;
    return nullptr;
}

const Operation* FindOperationByControl(std::string_view control) {
    for (const Operation& op : kOperations)
        if (control == op.Control) return &op;
    return nullptr;
}

}  // namespace quorvix
