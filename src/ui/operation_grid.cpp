#include "ui/operation_grid.h"

#include <QIcon>
#include <QPixmap>
#include <algorithm>
#include <utility>

#include "ui/control_look.h"
#include "ui/focus_widgets.h"
#include "ui/skin.h"

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

QFont ColumnFont(const char* family) { return Font(QString::fromLatin1(family), 11); }

}  // namespace

QRect OperationButtonGeometry(const Operation& op) {
    return QRect(ColumnLeft(op.Column), 80 + 32 * op.Row, kOperationButtonWidth, kOperationButtonHeight);
}

ButtonFont OperationButtonFont(const Operation& op) {
    switch (op.Column) {
        // "A" as well: its caption is of the column's maroon.
        case GridColumn::A: return {ColumnFont("MS Sans Serif"), QColor(128, 0, 0)};
        case GridColumn::B: return {ColumnFont("Arial"), QColor(0, 128, 0)};
        case GridColumn::Both: break;
    }
    return {ColumnFont("Arial"), QColor(0, 0, 128)};
}

std::vector<QWidget*> AddOperationButtons(QWidget* panel, const std::function<void(const Operation&)>& run,
                                          const std::function<void()>& autoCalculate) {
    std::vector<std::pair<const Operation*, QWidget*>> made;
    for (const Operation& op : Operations()) {
        auto* button = Named(new FocusButton(panel), op.Control);
        button->setGeometry(OperationButtonGeometry(op));
        const QPixmap glyph = OperationGlyph(QString::fromLatin1(op.Control));
        button->setIcon(QIcon(glyph));
        button->setIconSize(glyph.size());
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(QString::fromLatin1(op.Hint));
        const ButtonFont font = OperationButtonFont(op);
        button->setFont(font.Font);
        SetTextColour(button, font.Colour);
        QObject::connect(button, &QToolButton::clicked, panel, [run, &op] { run(op); });
        made.emplace_back(&op, button);
    }
    std::stable_sort(made.begin(), made.end(), [](const auto& a, const auto& b) {
        return std::make_pair(a.first->Column, a.first->Row) < std::make_pair(b.first->Column, b.first->Row);
    });
    std::vector<QWidget*> buttons;
    for (const auto& [op, button] : made) buttons.push_back(button);

    auto* autoCalculateButton = Named(new FocusButton(panel), "SpeedButton10");
    autoCalculateButton->setGeometry(368, 496, 65, 57);
    autoCalculateButton->setText(QStringLiteral("AuTo"));
    autoCalculateButton->setToolTip(QStringLiteral("Auto calculate"));
    QFont autoFont = Font(QStringLiteral("Arial"), 16);
    autoFont.setBold(true);
    autoFont.setItalic(true);
    autoCalculateButton->setFont(autoFont);
    SetTextColour(autoCalculateButton, QColor(0, 128, 0));
    QObject::connect(autoCalculateButton, &QToolButton::clicked, panel, autoCalculate);
    buttons.push_back(autoCalculateButton);
    return buttons;
}

}  // namespace quorvix
