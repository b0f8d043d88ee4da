// The main menu (owner-drawn, dropped down from the menu bar) and the
// editors' pop-up menus (drawn by the platform).
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>

#include "ui/main_window.h"
#include "ui/skin.h"
#include "ui/skin_widgets.h"

namespace quorvix {

namespace {

QIcon MenuIcon(int index) {
    QIcon icon;
    const QPixmap picture = MenuImage(index);
    if (!picture.isNull()) icon.addPixmap(picture);
    return icon;
}

}  // namespace

void TForm1::CreateMenus() {
    menuStyle_ = new OwnerDrawMenuStyle();
    menuStyle_->setParent(this);

    // Each item of the main menu is also an action of the form, so that its
    // key works while the menu is closed.
    auto item = [this](QMenu* menu, const char* name, const char* caption, QKeySequence key, int image,
                       void (TForm1::*slot)()) {
        auto* action = new QAction(QString::fromLatin1(caption), menu);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setIcon(MenuIcon(image));
        action->setIconVisibleInMenu(true);
        connect(action, &QAction::triggered, this, slot);
        menu->addAction(action);
        addAction(action);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    File1 = new QMenu(QStringLiteral("File"), this);
    File1->setObjectName(QStringLiteral("File1"));
    Open1 = item(File1, "Open1", "Open project", QKeySequence(Qt::CTRL | Qt::Key_F), 13, &TForm1::Open1Click);
    Save3 = item(File1, "Save3", "Save project", QKeySequence(Qt::Key_F2), 18, &TForm1::Save3Click);
    N4 = separator(File1, "N4");
    Save1 = item(File1, "Save1", "Save result", QKeySequence(Qt::Key_F3), 24, &TForm1::Save1Click);
    Clear1 = item(File1, "Clear1", "Clear", QKeySequence(Qt::Key_F8), 3, &TForm1::Clear1Click);
    Auto1 = item(File1, "Auto1", "Auto", QKeySequence(Qt::Key_F5), 1, &TForm1::Auto1Click);
    Exit1 = separator(File1, "Exit1");
    Exit2 = item(File1, "Exit2", "Exit", QKeySequence(Qt::Key_Escape), 31, &TForm1::Exit2Click);

    Help1 = new QMenu(QStringLiteral("Help"), this);
    Help1->setObjectName(QStringLiteral("Help1"));
    Manual1 = item(Help1, "Manual1", "Manual", QKeySequence(Qt::Key_F1), 42, &TForm1::Manual1Click);
    Connectto1 = item(Help1, "Connectto1", "Homepage", QKeySequence(), 43, &TForm1::Connectto1Click);

    for (QMenu* menu : {File1, Help1}) menu->setStyle(menuStyle_);
    ToolButton1->SetDropDownMenu(File1);
    ToolButton2->SetDropDownMenu(Help1);
}

void TForm1::CreatePopupMenus() {
    auto popup = [this](const char* name, QPlainTextEdit* editor) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        connect(editor, &QPlainTextEdit::customContextMenuRequested, menu,
                [menu, editor](const QPoint& pos) { menu->popup(editor->viewport()->mapToGlobal(pos)); });
        return menu;
    };
    auto item = [this](QMenu* menu, const char* name, const char* caption, void (TForm1::*slot)()) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    PopupMenu1 = popup("PopupMenu1", RichEdit1);
    Copy1 = item(PopupMenu1, "Copy1", "Copy", &TForm1::Copy1Click);
    Paste1 = item(PopupMenu1, "Paste1", "Paste", &TForm1::Paste1Click);
    PopupMenu1->addSeparator();
    PolarToRect1 = item(PopupMenu1, "PolarToRect1", "Polar To Rect", &TForm1::PolarToRect1Click);
    RecttoPolar1 = item(PopupMenu1, "RecttoPolar1", "Rect to Polar", &TForm1::RecttoPolar1Click);
    PopupMenu1->addSeparator();
    Clear3 = item(PopupMenu1, "Clear3", "Clear", &TForm1::Clear3Click);
    Align1 = item(PopupMenu1, "Align1", "Align", &TForm1::Align1Click);

    PopupMenu2 = popup("PopupMenu2", RichEdit2);
    MenuItem1 = item(PopupMenu2, "MenuItem1", "Copy", &TForm1::MenuItem1Click);
    MenuItem2 = item(PopupMenu2, "MenuItem2", "Paste", &TForm1::MenuItem2Click);
    PopupMenu2->addSeparator();
    PolarToRect2 = item(PopupMenu2, "PolarToRect2", "Polar To Rect", &TForm1::PolarToRect2Click);
    RecttoPolar2 = item(PopupMenu2, "RecttoPolar2", "Rect to Polar", &TForm1::RecttoPolar2Click);
    PopupMenu2->addSeparator();
    MenuItem4 = item(PopupMenu2, "MenuItem4", "Clear", &TForm1::MenuItem4Click);
    Align2 = item(PopupMenu2, "Align2", "Align", &TForm1::Align2Click);

    PopupMenu3 = popup("PopupMenu3", RichEdit3);
    Copy2 = item(PopupMenu3, "Copy2", "Copy", &TForm1::Copy2Click);
    Paste2 = item(PopupMenu3, "Paste2", "Paste", &TForm1::Paste2Click);
    PopupMenu3->addSeparator();
    commatodot1 = item(PopupMenu3, "commatodot1", "comma to dot", &TForm1::commatodot1Click);
    dottocomma1 = item(PopupMenu3, "dottocomma1", "dot to comma", &TForm1::dottocomma1Click);
    PopupMenu3->addSeparator();
    Save2 = item(PopupMenu3, "Save2", "Save", &TForm1::Save2Click);
    PopupMenu3->addSeparator();
    Clear4 = item(PopupMenu3, "Clear4", "Clear", &TForm1::Clear4Click);
    Align3 = item(PopupMenu3, "Align3", "Align", &TForm1::Align3Click);
}

}  // namespace quorvix
