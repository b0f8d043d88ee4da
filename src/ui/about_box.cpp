#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "quorvix_version.h"
#include "ui/help_window.h"
#include "ui/skin.h"

namespace quorvix {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(kProgramName)));
    setWindowIcon(ApplicationIcon());

    auto paragraph = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        paragraphs_ << label;
        return label;
    };
    QLabel* title = paragraph(
        "programName", QStringLiteral("%1 %2").arg(QString::fromLatin1(kProgramName), QString::fromLatin1(kVersion)));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    paragraph("description",
              QStringLiteral("A matrix calculator: type Matrix A, Matrix B and a coefficient x as plain text, "
                             "press one of 43 operations, and read the labelled result in the result panel."));
    paragraph("licence", QStringLiteral("Free software under the %1 licence. %2.")
                             .arg(QString::fromLatin1(kLicense), QString::fromLatin1(kCopyright)));
    paragraph("qtVersion", QStringLiteral("Built with Qt %1, running on Qt %2.")
                               .arg(QString::fromLatin1(QT_VERSION_STR), QString::fromLatin1(qVersion())));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* manual = buttons->addButton(QStringLiteral("&Manual"), QDialogButtonBox::HelpRole);
    manual->setObjectName(QStringLiteral("manualButton"));
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    connect(manual, &QPushButton::clicked, this, &AboutBox::OpenManual);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QVBoxLayout;
    for (QLabel* label : paragraphs_) text->addWidget(label);
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

AboutBox* AboutBox::ShowFor(QWidget* owner) {
    AboutBox* box = owner != nullptr ? owner->findChild<AboutBox*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (box == nullptr) {
        box = new AboutBox(owner);
        if (owner == nullptr) box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->open();
    box->raise();
    box->activateWindow();
    return box;
}

QString AboutBox::Text() const {
    QStringList lines;
    for (const QLabel* label : paragraphs_) lines << label->text();
    return lines.join(QLatin1Char('\n'));
}

void AboutBox::OpenManual() {
    // The manual belongs to the window the box was opened from, and stays
    // open when the box closes.
    QWidget* owner = parentWidget();
    accept();
    HelpWindow::ShowFor(owner);
}

}  // namespace quorvix
