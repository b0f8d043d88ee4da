#include "ui/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <algorithm>

#include "ui/control_look.h"
#include "ui/skin.h"
#include "ui/skin_draw.h"

namespace quorvix {

namespace {

QIcon MenuIcon(int index) {
    QIcon icon;
    const QPixmap picture = MenuImage(index);
    if (!picture.isNull()) icon.addPixmap(picture);
    return icon;
}

}  // namespace

MainMenu::MainMenu(QWidget* parent) : SkinToolBar(parent, DrawMenuBarBackground) {
    setObjectName(QStringLiteral("ToolBar1"));
    // A little more room on the left than the borders leave.
    setGeometry(12, 25, 761, 28);
    auto* fileButton = Named(new MenuBarButton(this), "ToolButton1");
    // Alt+F and Alt+H drop the menus down; the captions show the underline.
    fileButton->setText(QStringLiteral("&File"));
    fileButton->setGeometry(0, 0, 65, 28);
    auto* helpButton = Named(new MenuBarButton(this), "ToolButton2");
    helpButton->setText(QStringLiteral("&Help"));
    helpButton->setGeometry(65, 0, 65, 28);
    for (MenuBarButton* button : {fileButton, helpButton}) {
        button->setFont(font());
        SetTextColour(button, Qt::white);
    }

    auto* style = new OwnerDrawMenuStyle();
    style->setParent(this);
    style_ = style;
    helpButton_ = helpButton;
    QWidget* window = this->window();
    auto item = [this, window](QMenu* menu, const char* name, const char* caption, QKeySequence key, int image,
                               void (MainMenu::*chosen)()) {
        auto* action = new QAction(QString::fromUtf8(caption), menu);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setIcon(MenuIcon(image));
        action->setIconVisibleInMenu(true);
        connect(action, &QAction::triggered, this, chosen);
        menu->addAction(action);
        window->addAction(action);
        items_.push_back(action);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    auto* fileMenu = Named(new QMenu(QStringLiteral("&File"), this), "File1");
    item(fileMenu, "Open1", "&Open project", QKeySequence(Qt::CTRL | Qt::Key_F), 13, &MainMenu::OpenProjectChosen);
    item(fileMenu, "Save3", "&Save project", QKeySequence(Qt::Key_F2), 18, &MainMenu::SaveProjectChosen);
    item(fileMenu, "ImportA", "&Import matrix into A…", QKeySequence(Qt::CTRL | Qt::Key_I), -1,
         &MainMenu::ImportAChosen);
    item(fileMenu, "ImportB", "Import matrix into &B…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), -1,
         &MainMenu::ImportBChosen);
    separator(fileMenu, "N4");
    item(fileMenu, "Save1", "Save &result", QKeySequence(Qt::Key_F3), 24, &MainMenu::SaveResultChosen);
    item(fileMenu, "Clear1", "&Clear", QKeySequence(Qt::Key_F8), 3, &MainMenu::ClearChosen);
    item(fileMenu, "Auto1", "&Auto", QKeySequence(Qt::Key_F5), 1, &MainMenu::AutoChosen);
    separator(fileMenu, "Exit1");
    exitItem_ = item(fileMenu, "Exit2", "E&xit", QKeySequence(Qt::Key_Escape), 31, &MainMenu::ExitChosen);

    auto* helpMenu = Named(new QMenu(QStringLiteral("&Help"), this), "Help1");
    item(helpMenu, "Manual1", "&Manual", QKeySequence(Qt::Key_F1), 42, &MainMenu::ManualChosen);
    item(helpMenu, "Connectto1", "&Homepage", QKeySequence(), 43, &MainMenu::HomePageChosen);

    for (QMenu* menu : {fileMenu, helpMenu}) menu->setStyle(style);
    fileButton->SetDropDownMenu(fileMenu);
    helpButton->SetDropDownMenu(helpMenu);
}

void MainMenu::SetLocked(bool locked) {
    for (QAction* item : items_)
        if (item != exitItem_) item->setEnabled(!locked);
    for (QMenu* menu : added_) menu->setEnabled(!locked);
}

void MainMenu::AddMenu(QMenu* menu, const char* buttonName) {
    auto* button = Named(new MenuBarButton(this), buttonName);
    button->setText(menu->title());
    button->setFont(font());
    SetTextColour(button, Qt::white);
    // As wide as File and Help, or as the caption needs.
    const int width = std::max(65, button->fontMetrics().horizontalAdvance(menu->title()) + 24);
    button->setGeometry(helpButton_->x(), 0, width, 28);
    helpButton_->move(helpButton_->x() + width, 0);
    menu->setParent(this, menu->windowFlags());
    menu->setStyle(style_);
    for (QMenu* submenu : menu->findChildren<QMenu*>()) submenu->setStyle(style_);
    button->SetDropDownMenu(menu);
    added_.push_back(menu);
}

}  // namespace quorvix
