#include "ui/control_look.h"

#include <QFontDatabase>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>

#include "ui/skin.h"
#include "ui/skin_widgets.h"

namespace quorvix {

namespace {

// The height of the window's other text; at it, a row of a 4 x 4 result
// (four fields of eleven characters) fits the result panel's width.
constexpr int kEditorFontPixels = 11;

// The matrices are printed in fields of ten characters and "Align" pads
// tokens with blanks, so the editors use the system's fixed-pitch font: with
// any other, columns drift apart.
QFont EditorFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(kEditorFontPixels);
    return font;
}

}  // namespace

QFont Font(const QString& family, int pixelHeight) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

SkinImage* Picture(QWidget* parent, const char* name, QRect geometry, const QString& file, bool stretch) {
    auto* image = Named(new SkinImage(parent, stretch), name);
    image->setGeometry(geometry);
    if (!file.isEmpty()) image->SetPicture(QPixmap::fromImage(SkinPicture(file)));
    return image;
}

void SetUpTextEditor(QPlainTextEdit* editor, QRect geometry) {
    editor->setGeometry(geometry);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setWordWrapMode(QTextOption::NoWrap);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setFont(EditorFont());
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
}

}  // namespace quorvix
