// quorvix: the calculator's window.
#include <QApplication>
#include <clocale>

#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvix"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The toolkit takes the user's locale for the C library; the engine reads
    // the locale's decimal mark itself and relies on the C conventions for
    // everything else.
    std::setlocale(LC_NUMERIC, "C");
    quorvix::MainWindow window;
    window.show();
    return app.exec();
}
