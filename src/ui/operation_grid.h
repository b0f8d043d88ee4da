#pragma once
// Where each operation button stands on the form: three columns (commands
// on A, on B, on both or on x), rows 32 pixels apart from the top at 80.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <span>

namespace quorvix {

struct OperationButtonPlace {
    const char* Control;  // "SpeedButton13"
    int Left;
    int Top;
};

inline constexpr int kOperationButtonWidth = 65;
inline constexpr int kOperationButtonHeight = 25;

// The 43 operation buttons, row by row.
std::span<const OperationButtonPlace> OperationGrid();
// The place of one control, or nullptr.
const OperationButtonPlace* FindOperationPlace(const char* control);

// The font of a button in its column: maroon "MS Sans Serif" for A, green
// "Arial" for B, navy "Arial" for both; SpeedButton11 has a black "Arial".
struct ButtonFont {
    QFont Font;
    QColor Colour;
};
ButtonFont OperationButtonFont(const OperationButtonPlace& place);

}  // namespace quorvix
