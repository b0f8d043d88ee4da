#pragma once
// PrecisionBox: the precision box ("ComboBox1": the digits after the mark, or
// "e" for the exponent form) with the red frame around it ("PrecisionAlarm")
// that shows while its text is not a precision. Typing only shows the frame;
// the text is applied (the rounding factor set from it, or the error box
// shown) once the user is done with it: on Enter, on leaving the box or
// choosing from its list with a text not checked yet, and before a command
// that prints numbers.
#include <QString>
#include <QWidget>
#include <string>

#include "commands/calc_state.h"
#include "commands/guarded_run.h"

class QComboBox;

namespace quorvix {

class CommandRunner;

class PrecisionBox : public QWidget {
    Q_OBJECT

public:
    // The box at `boxGeometry` on `parent`, the frame just outside it.
    PrecisionBox(QWidget* parent, QRect boxGeometry);

    QComboBox* Box() const { return box_; }
    std::string Text() const;

    // Applies the box's text through `runner`, unless it is the text applied
    // last. False when it is not a precision (Refused() has told why, and the
    // factor stays as it was) or while a command runs.
    bool Apply(CommandRunner& runner);
    // Shows the state's precision. A text the box does not hold yet (an
    // opened project's) was applied with the state.
    void Show(const CalcState& s);
    // The text cannot be typed in while a command runs.
    void SetLocked(bool locked);

signals:
    // The user is done with the box: the window applies its text.
    void ApplyAsked();
    // The text was not a precision: the error to show.
    void Refused(const GuardedOutcome& outcome);

private:
    void ShowValidity();

    QComboBox* box_;
    QWidget* alarm_;
    OutputSettings settings_;  // what the text is checked against (its decimal mark)
    QString applied_;          // the text the factor was last set from
    QString checked_;          // the text last checked
    bool applying_ = false;
};

}  // namespace quorvix
