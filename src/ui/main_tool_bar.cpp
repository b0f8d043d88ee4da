#include "ui/main_tool_bar.h"

#include <QIcon>

#include "ui/control_look.h"
#include "ui/focus_widgets.h"
#include "ui/skin.h"
#include "ui/skin_draw.h"

namespace quorvix {

MainToolBar::MainToolBar(QWidget* panel) : SkinToolBar(panel, DrawToolBarBackground) {
    setObjectName(QStringLiteral("ToolBar2"));
    setGeometry(0, 0, 767, 57);
    struct ToolButtonDef {
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (MainToolBar::*Clicked)();
    };
    const ToolButtonDef tools[] = {
        {"SpeedButton3", "Save", "Save Result", &MainToolBar::SaveClicked},
        {"SpeedButton4", "Clear", "Clear Result", &MainToolBar::ClearClicked},
        {"SpeedButton5", "Auto", "Auto Generate", &MainToolBar::AutoClicked},
        {"SpeedButton6", "Manual", "Manual", &MainToolBar::ManualClicked},
        {"SpeedButton7", "Home", "HomePage", &MainToolBar::HomeClicked},
    };
    int left = 0;
    for (const ToolButtonDef& def : tools) {
        auto* button = Named(new FocusButton(this), def.Name);
        const int width = left == 0 ? 49 : 47;
        button->setGeometry(left, 1, width, 55);
        left += width;
        button->setText(QString::fromLatin1(def.Caption));
        button->setToolTip(QString::fromLatin1(def.Hint));
        button->setIcon(QIcon(ToolButtonGlyph(QString::fromLatin1(def.Name))));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFont(Font(QStringLiteral("Arial"), 11));
        SetTextColour(button, QColor(0, 128, 128));
        connect(button, &QToolButton::clicked, this, def.Clicked);
        buttons_.push_back(button);
    }
}

}  // namespace quorvix
