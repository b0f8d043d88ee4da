#include "ui/precision_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "commands/set_precision.h"
#include "ui/command_runner.h"
#include "ui/control_look.h"
#include "ui/skin_widgets.h"

namespace quorvix {

PrecisionBox::PrecisionBox(QWidget* parent, QRect boxGeometry) : QWidget(parent) {
    setObjectName(QStringLiteral("PrecisionBox"));
    setGeometry(boxGeometry.adjusted(-2, -2, 2, 2));
    // The frame behind the box, two pixels wider on every side.
    alarm_ = Named(new AlarmFrame(this), "PrecisionAlarm");
    alarm_->setGeometry(rect());
    alarm_->hide();
    box_ = Named(new QComboBox(this), "ComboBox1");
    box_->setGeometry(2, 2, boxGeometry.width(), boxGeometry.height());
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->addItems({"1", "2", "3", "4", "5", "6", "7", "8", "e"});
    box_->setToolTip(QStringLiteral("Precision of result"));
    connect(box_, &QComboBox::editTextChanged, this, &PrecisionBox::ShowValidity);
    // Checked once the key, the focus change or the list has finished with
    // the box: an error box opened in the middle of a focus change would
    // take the focus while it moves. Enter checks the text again; leaving
    // and choosing (Enter makes the box report a choice too) only a text
    // not checked yet.
    connect(box_->lineEdit(), &QLineEdit::returnPressed, this, &PrecisionBox::ApplyAsked, Qt::QueuedConnection);
    auto done = [this] {
        if (box_->currentText() != checked_) emit ApplyAsked();
    };
    connect(box_->lineEdit(), &QLineEdit::editingFinished, this, done, Qt::QueuedConnection);
    connect(box_, &QComboBox::textActivated, this, done, Qt::QueuedConnection);
}

std::string PrecisionBox::Text() const { return box_->currentText().toStdString(); }

bool PrecisionBox::Apply(CommandRunner& runner) {
    // While the text is checked the error box can take the focus from the
    // box, which must not check it once more.
    if (applying_ || runner.Running()) return false;
    const QString text = box_->currentText();
    checked_ = text;
    if (text == applied_) return true;
    applying_ = true;
    const GuardedOutcome outcome = *runner.RunNow([t = text.toStdString()](CalcState& s) { SetPrecision(s, t); });
    if (outcome.Error)
        emit Refused(outcome);
    else
        applied_ = text;
    applying_ = false;
    return !outcome.Error;
}

void PrecisionBox::Show(const CalcState& s) {
    settings_ = s.Settings;
    const QString precision = QString::fromStdString(s.Precision);
    if (box_->currentText() == precision) return;
    const QSignalBlocker block(box_);
    box_->setEditText(precision);
    applied_ = checked_ = precision;
    ShowValidity();
}

void PrecisionBox::SetLocked(bool locked) { box_->lineEdit()->setReadOnly(locked); }

void PrecisionBox::ShowValidity() { alarm_->setVisible(!IsPrecisionText(Text(), settings_)); }

}  // namespace quorvix
