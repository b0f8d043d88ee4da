#pragma once
// MainMenu: the menu bar, whose "File" and "Help" buttons drop down the
// owner-drawn main menu. Each item is also an action of the window, so that
// its key (Ctrl+F, F2, F3, F8, F5, Esc, F1) works while the menu is closed.
// The menu only tells what was chosen; the window does it.
#include <vector>

#include "ui/skin_widgets.h"

class QAction;
class QMenu;
class QStyle;

namespace quorvix {

class MainMenu : public SkinToolBar {
    Q_OBJECT

public:
    // At its place on the window's menu-bar strip, `parent`.
    explicit MainMenu(QWidget* parent);

    // While a command runs every item but Exit does nothing (Exit's key, Esc,
    // then stops the command).
    void SetLocked(bool locked);

    // Adds `menu` to the bar before "Help", dropped down by a button of the
    // menu's title (with its access key) named `buttonName`, drawn as the
    // others are; it is locked with them.
    void AddMenu(QMenu* menu, const char* buttonName);

signals:
    void OpenProjectChosen();
    void SaveProjectChosen();
    void SaveResultChosen();
    void ImportAChosen();
    void ImportBChosen();
    void ClearChosen();
    void AutoChosen();
    void ExitChosen();
    void ManualChosen();
    void HomePageChosen();

private:
    std::vector<QAction*> items_;
    QAction* exitItem_ = nullptr;
    std::vector<QMenu*> added_;
    QWidget* helpButton_ = nullptr;
    QStyle* style_ = nullptr;
};

}  // namespace quorvix
