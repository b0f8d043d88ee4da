#pragma once
// MainToolBar: the toolbar at the top of the panel, with "Save", "Clear",
// "Auto", "Manual" and "Home", each a glyph above its caption. It only tells
// which button was pressed; the window does it.
#include <vector>

#include "ui/skin_widgets.h"

namespace quorvix {

class MainToolBar : public SkinToolBar {
    Q_OBJECT

public:
    explicit MainToolBar(QWidget* panel);

    // Left to right, as Tab reaches them.
    const std::vector<QWidget*>& Buttons() const { return buttons_; }

signals:
    void SaveClicked();
    void ClearClicked();
    void AutoClicked();
    void ManualClicked();
    void HomeClicked();

private:
    std::vector<QWidget*> buttons_;
};

}  // namespace quorvix
