#include "ui/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "quorvix_version.h"

namespace quorvix {

namespace {

QString PlaceText(const ErrorPlace& place) {
    if (place.Editor == ErrorEditor::X) return QStringLiteral("the x box");
    return QStringLiteral("Matrix %1, line %2, element %3")
        .arg(place.Editor == ErrorEditor::A ? QLatin1Char('A') : QLatin1Char('B'))
        .arg(place.Line)
        .arg(place.Element);
}

}  // namespace

void ReportOutcome(QWidget* window, const GuardedOutcome& outcome, const std::vector<std::string>& notices) {
    const QString title = QString::fromLatin1(kProgramName);
    if (outcome.Error && !outcome.Cancelled) {
        QString text = QString::fromStdString(*outcome.Error) + QLatin1Char('.');
        if (outcome.Place) text += QLatin1Char('\n') + PlaceText(*outcome.Place);
        QMessageBox::critical(window, title, text);
    }
    for (const std::string& notice : notices) QMessageBox::warning(window, title, QString::fromStdString(notice));
}

bool AskToQuitUnsaved(QWidget* window, UnsavedWork unsaved) {
    const QString lost = unsaved.Inputs && unsaved.Results ? QStringLiteral("The matrices you typed and the results")
                         : unsaved.Results                 ? QStringLiteral("The results")
                                                           : QStringLiteral("The matrices you typed");
    QMessageBox question(QMessageBox::Question, QString::fromLatin1(kProgramName),
                         QStringLiteral("Quit Quorvix? ") + lost + QStringLiteral(" have not been saved."),
                         QMessageBox::NoButton, window);
    QPushButton* quit = question.addButton(QStringLiteral("Quit"), QMessageBox::AcceptRole);
    QPushButton* stay = question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(stay);
    question.setEscapeButton(stay);
    question.exec();
    return question.clickedButton() == quit;
}

}  // namespace quorvix
