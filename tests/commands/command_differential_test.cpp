// The commands that read and print through the direct ways, against the same
// commands as they were written before (read whole with the reference
// reader, combined by the reference routine of the numeric library, printed
// by the reference writer): the same panel lines, the same error with the
// same place, on random editors. A+B and its twins no longer hold B whole, so
// the order of their errors is checked here too: a token of B that cannot be
// read comes before an overflowing sum, wherever it stands.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "command_test_util.h"
#include "commands/handlers.h"
#include "core/reference/matrice2_reference.h"
#include "textio/reference/textio_reference.h"
#include "textio/textio_random.h"

namespace quorvix {
namespace {

using namespace textiotest;
using testing_util::RunOf;

// ---- The commands as they were -------------------------------------------------

RCOMat ReferenceOperand(const CalcState& s, Operand which, EditorSize size) {
    RCOMat m;
    SizeMatrix(m, size.Rows, size.Cols);
    ReadingEditor(which, [&] { reference::ReadMatrix(EditorOf(s, which), size.Rows, size.Cols, m, s.Settings); });
    return m;
}

void ReferencePrint(CalcState& s, const CommandResult& result) { reference::WriteResult(result, s.Panel, s.Settings); }

using PairRoutine = MatStatus (*)(const RCOMat&, const RCOMat&, RCOMat&);

void ReferencePair(CalcState& s, const char* label, PairRoutine routine, bool negateB) {
    const PairSize size = BeginPairCommand(s, label);
    if (size.A != size.B) {
        Refuse(s, std::string(" Error: To Calculate ") + label + ", the two Matrice must be same dimensions!");
        return;
    }
    const RCOMat a = ReferenceOperand(s, Operand::A, size.A);
    RCOMat b = ReferenceOperand(s, Operand::B, size.B);
    if (negateB)
        for (RCOVec& row : b)
            for (Scalar& v : row)
                if (!v.IsEmpty()) v = -v;
    MatrixResult result;
    SizeMatrix(result.Matrix, size.A.Rows, size.A.Cols);
    routine(a, b, result.Matrix);
    ReferencePrint(s, result);
}

void ReferenceShow(CalcState& s) {
    const EditorSize size = BeginCommand(s, Operand::A, "A");
    ReferencePrint(s, MatrixResult{ReferenceOperand(s, Operand::A, size)});
}

void ReferenceTranspose(CalcState& s) {
    const EditorSize size = BeginCommand(s, Operand::A, "A'");
    const RCOMat m = ReferenceOperand(s, Operand::A, size);
    MatrixResult result;
    SizeMatrix(result.Matrix, size.Cols, size.Rows);
    reference::MatTranspose(m, result.Matrix);
    ReferencePrint(s, result);
}

// A matrix that is not square is refused before it is read.
void ReferenceInverse(CalcState& s) {
    const EditorSize size = BeginCommand(s, Operand::A, "inv(A)");
    if (size.Rows != size.Cols) return Refuse(s, " Error: To Calculate inv(A), the Matrix must be square!");
    const RCOMat m = ReferenceOperand(s, Operand::A, size);
    MatrixResult result;
    const std::int32_t n = size.Rows;
    RCoVecD re(static_cast<std::size_t>(n) * n), im(static_cast<std::size_t>(n) * n);
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < n; ++j) {
            re[static_cast<std::size_t>(i) * n + j] = RealPart(m[i][j]);
            im[static_cast<std::size_t>(i) * n + j] = ImagPart(m[i][j]);
        }
    if (MatInverse(n, re, im, result.Matrix)) return Refuse(s, " Error: inv(A) has no result!");
    ReferencePrint(s, result);
}

struct Case {
    const char* step;
    std::function<void(CalcState&)> reference;
};

const Case kCases[] = {
    {"A", ReferenceShow},
    {"A+B", [](CalcState& s) { ReferencePair(s, "A+B", reference::MatAdd, false); }},
    {"A-B", [](CalcState& s) { ReferencePair(s, "A-B", reference::MatAdd, true); }},
    {"A&B", [](CalcState& s) { ReferencePair(s, "A&B", reference::MatAnd, false); }},
    {"A|B", [](CalcState& s) { ReferencePair(s, "A|B", reference::MatOr, false); }},
    {"A#B", [](CalcState& s) { ReferencePair(s, "A#B", reference::MatXor, false); }},
    {"A'", ReferenceTranspose},
    {"inv(A)", ReferenceInverse},
};

// What a command left: the panel, the error and its place.
std::string Outcome(CalcState& s, const std::function<void(CalcState&)>& command) {
    std::string error;
    try {
        command(s);
    } catch (const CalcError& e) {
        error = e.what();
        if (const auto place = e.Place())
            error += " at " + std::to_string(static_cast<int>(place->Editor)) + " " + std::to_string(place->Line) +
                     " " + std::to_string(place->Element);
    }
    std::string text = s.Panel.Text();
    return text + "\n[error] " + error;
}

TEST_P(Threads, CommandsLeaveThePanelAndTheErrorAsBefore) {
    Rng rng(Seed(11));
    for (int c = 0; c < 2000; ++c) {
        const bool large = c % 400 == 399;
        const int rows = large ? 60 + static_cast<int>(Pick(rng, 100)) : static_cast<int>(Pick(rng, 9));
        const int cols = large ? 60 + static_cast<int>(Pick(rng, 100)) : static_cast<int>(Pick(rng, 9));
        const bool clean = Pick(rng, 4) != 0;
        CalcState start = testing_util::StateWith("");
        start.MatrixA = EditorText(rng, rows, cols, '.', clean);
        // B of the same size most of the time, so that the sum is reached.
        start.MatrixB = Pick(rng, 8) == 0 ? EditorText(rng, static_cast<int>(Pick(rng, 9)), cols, '.', clean)
                                          : EditorText(rng, rows, cols, '.', clean);
        PrecisionChange(std::to_string(1 + Pick(rng, 8)), start.Settings);
        for (const Case& command : kCases) {
            CalcState fast = start, plain = start;
            ASSERT_EQ(Outcome(fast, RunOf(command.step)), Outcome(plain, command.reference))
                << "case " << c << ", " << command.step;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CommandDifferential, Threads, ::testing::Values(1, 4), ThreadsName);

// ---- The order of A+B's errors -----------------------------------------------------

struct OrderRow {
    const char* name;
    const char* a;
    const char* b;
    const char* error;
    ErrorEditor editor;
};

class SumErrorOrder : public ::testing::TestWithParam<OrderRow> {};

TEST_P(SumErrorOrder, TheErrorThePlainOrderRaises) {
    const OrderRow& row = GetParam();
    CalcState s = testing_util::StateWith(row.a, row.b);
    try {
        RunOf("A+B")(s);
        FAIL() << "no error";
    } catch (const CalcError& e) {
        EXPECT_EQ(std::string(e.what()), row.error);
        EXPECT_EQ(e.Place() ? e.Place()->Editor : ErrorEditor::None, row.editor);
    }
    // The label stays without "=", nothing is printed.
    EXPECT_EQ(s.Panel.Lines(), testing_util::Lines({"A+B"}));
}

INSTANTIATE_TEST_SUITE_P(Rows, SumErrorOrder,
                         ::testing::Values(
                             // The first element overflows; B's last token cannot be read: the parse error.
                             OrderRow{"ParseErrorAfterOverflow", "1e308 1\n1 1", "1e308 1\n1 x",
                                      "Could not parse real portion [<?>x]", ErrorEditor::B},
                             // B reads completely: then the overflow.
                             OrderRow{"OverflowOnceBIsRead", "1 1\n1e308 1", "1 1\n1e308 2", "Floating point overflow",
                                      ErrorEditor::None},
                             // A is read first: its own error comes before anything of B.
                             OrderRow{"AFirst", "1 y", "x 1", "Could not parse real portion [<?>y]", ErrorEditor::A}),
                         [](const ::testing::TestParamInfo<OrderRow>& info) { return info.param.name; });

}  // namespace
}  // namespace quorvix
