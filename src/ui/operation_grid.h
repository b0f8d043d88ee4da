#pragma once
// The operation buttons: where they stand on the window and how their column
// looks, three columns (commands on A, on B, on both or on x), rows 32 pixels
// apart from the top at 80. The table of operations says which column and
// row. Beside them stands "AuTo", which runs Auto.
#include <QColor>
#include <QFont>
#include <QRect>
#include <functional>
#include <vector>

#include "commands/operation_table.h"

class QWidget;

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

// A button on `panel` for each operation of the table, which hands its
// operation to `run`; then "AuTo". Returned in the order Tab reaches them:
// column by column, top to bottom, "AuTo" last.
std::vector<QWidget*> AddOperationButtons(QWidget* panel, const std::function<void(const Operation&)>& run,
                                          const std::function<void()>& autoCalculate);

}  // namespace quorvix
