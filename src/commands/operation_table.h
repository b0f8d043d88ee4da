#pragma once
// The table of operations: one row per operation button, holding everything
// that belongs to it. The window makes its buttons from these rows (place,
// glyph caption, hint, the design's control name as the widget's object
// name), quorvix-cli takes its step words from them, and Auto runs them in
// the table's order.
#include <cstdint>
#include <span>
#include <string_view>

#include "commands/calc_state.h"

namespace quorvix {

struct Operation;
// An operation's command, given its own row of the table: it labels its
// result with the row's Label, so a label is written only in the table.
using CommandHandler = void (*)(CalcState&, const Operation&);

// The three columns of the button grid.
enum class GridColumn : std::uint8_t {
    A,     // commands on Matrix A
    B,     // commands on Matrix B
    Both,  // commands on both matrices or on x
};

struct Operation {
    const char* Control;  // the design's name of the button, "SpeedButton13"
    GridColumn Column;    // the button's column in the grid
    std::int32_t Row;     // its row, counted from 0 at the top
    const char* Caption;  // the text of the button's glyph, "A+B", "det A"
    const char* Hint;     // the button's hint, letter for letter ("Matrix  A", "Rank of Matrix A ")
    const char* Label;    // the result label; for the powers the prefix "A^(" / "B^("
    const char* Step;     // quorvix-cli's step word: the label, or "A^x" / "B^x"
    CommandHandler Run;   // called as op.Run(state, op)
};

// All 43 operations, in the order Auto runs them.
std::span<const Operation> Operations();
// The operations beyond the 43, in double precision on LAPACK, in the order
// of their menu: Column says whether an item acts on A, on B or on both,
// Row is its place in the menu, Caption its menu text. Auto runs none.
std::span<const Operation> MoreOperations();
// The operation with this step word, among both tables, or nullptr.
const Operation* FindOperationByStep(std::string_view step);

}  // namespace quorvix
