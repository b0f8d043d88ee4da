#pragma once
// How the window's controls are made to look: their object names, fonts,
// text colours, the skin's pictures and the editors' fixed-pitch text. Every
// part of the window builds its controls through these, so that one control
// looks like its neighbours whichever part made it.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace quorvix {

class SkinImage;

// Gives `widget` the design's name of its control ("RichEdit1"), by which
// tests and the design find it.
template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFont Font(const QString& family, int pixelHeight);
void SetTextColour(QWidget* widget, const QColor& colour);

// A picture of the skin at `geometry` on `parent`, drawn at its top left or
// stretched over it; an empty `file` leaves it blank for a strip drawn later.
SkinImage* Picture(QWidget* parent, const char* name, QRect geometry, const QString& file, bool stretch = false);

// An editor of matrix text: no wrapping, both scroll bars, the fixed-pitch
// font, and a pop-up menu of the window's own.
void SetUpTextEditor(QPlainTextEdit* editor, QRect geometry);

}  // namespace quorvix
