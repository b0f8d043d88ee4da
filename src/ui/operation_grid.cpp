#include "ui/operation_grid.h"

namespace quorvix {

namespace {

int ColumnLeft(GridColumn column) {
    switch (column) {
        case GridColumn::A: return 224;
        case GridColumn::B: return 296;
        case GridColumn::Both: break;
    }
    return 368;
}

QFont Font(const char* family) {
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(11);
    return font;
}

}  // namespace

QRect OperationButtonGeometry(const Operation& op) {
    return QRect(ColumnLeft(op.Column), 80 + 32 * op.Row, kOperationButtonWidth, kOperationButtonHeight);
}

ButtonFont OperationButtonFont(const Operation& op) {
    switch (op.Column) {
        case GridColumn::A:
            if (op.Row == 0) return {Font("Arial"), QColor(Qt::black)};
            return {Font("MS Sans Serif"), QColor(128, 0, 0)};
        case GridColumn::B: return {Font("Arial"), QColor(0, 128, 0)};
        case GridColumn::Both: break;
    }
    return {Font("Arial"), QColor(0, 0, 128)};
}

}  // namespace quorvix
