#pragma once
// Where the operation buttons stand on the window and how their column looks:
// three columns (commands on A, on B, on both or on x), rows 32 pixels apart
// from the top at 80. The table of operations says which column and row.
#include <QColor>
#include <QFont>
#include <QRect>

#include "commands/operation_table.h"

namespace quorvix {

inline constexpr int kOperationButtonWidth = 65;
inline constexpr int kOperationButtonHeight = 25;

// The button's place on the panel.
QRect OperationButtonGeometry(const Operation& op);

// The font of a button in its column: maroon "MS Sans Serif" for A, green
// "Arial" for B, navy "Arial" for both; the first button of column A (Matrix
// A itself) has a black "Arial".
struct ButtonFont {
    QFont Font;
    QColor Colour;
};
ButtonFont OperationButtonFont(const Operation& op);

}  // namespace quorvix
