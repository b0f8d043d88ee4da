// The window's tests run without a display, in a temporary settings folder,
// with the C locale unless a test sets another one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <string_view>

// Under LeakSanitizer. The C library's newlocale() keeps its copy of
// LOCPATH, which only the locale tests set (to locales they build).
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

int main(int argc, char** argv) {
    // Listing the tests needs no window system.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--gtest_list_tests") {
            ::testing::InitGoogleTest(&argc, argv);
            return RUN_ALL_TESTS();
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    setenv("LC_ALL", "C", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvix"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
