// quorvix: the calculator's window.
#include <QApplication>
#include <QFile>
#include <QStringList>
#include <clocale>

#include "quorvix_version.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quorvix::kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(quorvix::kVersion));
    // Lets the desktop join the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quorvix::kAppId));
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The toolkit takes the user's locale for the C library; the engine reads
    // the locale's decimal mark itself and relies on the C conventions for
    // everything else.
    std::setlocale(LC_NUMERIC, "C");
    quorvix::MainWindow window;
    window.show();
    // "quorvix FILE": the desktop hands a project over this way.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.OpenProjectFile(QFile::encodeName(arguments.at(1)).toStdString());
    return app.exec();
}
