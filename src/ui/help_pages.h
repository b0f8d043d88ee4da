#pragma once
// Which page of the manual F1 opens for a control of the window: the page
// (and section) of an operation button, of the precision box, of the
// editors; the first page for anything else.
#include <QString>
#include <QUrl>

class QWidget;

namespace quorvix {

// The page and section that tells of the button with this caption ("A^x",
// "det A"): the first of the operations' pages that names the button in
// bold, at the section whose heading names it (or of its first mention); a
// button on B that no page names, at its twin's on A. Empty when no page
// names it.
QUrl ManualPageForButton(const QString& caption);

// The page for `control` (or the control it belongs to, for a part of a
// control such as a box's line edit); the first page when none is meant
// for it.
QUrl ManualPageFor(const QWidget* control);

}  // namespace quorvix
