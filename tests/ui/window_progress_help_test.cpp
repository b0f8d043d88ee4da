// A long power's progress in the window, which only goes forward and tells
// the time left; and the manual: searched whole, closed with Esc and Ctrl+W,
// given the keyboard when it opens, opened by F1 at the focused control's page.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <vector>

#include "commands/operation_table.h"
#include "core/cancel.h"
#include "modal_watchdog.h"
#include "ui/help_pages.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;
using test::ModalWatchdog;

QUrl Page(const char* name) { return QUrl(QStringLiteral("qrc:/manual/") + QString::fromLatin1(name)); }

// An n x n matrix of small entries, so that its powers stay finite.
QString SmallMatrix(int n) {
    QString text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            text += (i * 7 + j * 3) % 5 == 0 ? QStringLiteral("0.01 ") : QStringLiteral("0.002 ");
        text += QLatin1Char('\n');
    }
    return text;
}

TEST(WindowProgress, ALongPowersBarOnlyGoesForwardAndTellsTheTimeLeft) {
    ModalWatchdog watchdog;
    MainWindow window;
    window.show();
    const test::Controls ui(window);
    ui.MatrixA->setPlainText(SmallMatrix(110));
    ui.X->setText(QStringLiteral("4000"));
    QTest::mouseClick(Child<QToolButton>(window, "SpeedButton27"), Qt::LeftButton);
    ASSERT_TRUE(window.CommandRunning());
    auto* bar = Child<QProgressBar>(window, "ProgressBar");
    auto* times = Child<QLabel>(window, "ElapsedTime");
    // The bar as the window shows it, and the engine's own record it is read
    // from, a few times for each time the bar is drawn again.
    std::vector<int> values;
    std::vector<double> records;
    bool toldTimeLeft = false;
    QElapsedTimer clock;
    clock.start();
    while (window.CommandRunning() && clock.elapsed() < 6000) {
        QTest::qWait(25);
        records.push_back(CurrentProgress().Fraction);
        if (!bar->isVisible()) continue;
        values.push_back(bar->value());
        toldTimeLeft = toldTimeLeft || times->text().contains(QStringLiteral("left"));
    }
    window.CancelCommand();
    window.WaitForCommand();
    ASSERT_GT(values.size(), 10u);
    for (std::size_t i = 1; i < values.size(); ++i) ASSERT_GE(values[i], values[i - 1]) << "sample " << i;
    for (std::size_t i = 1; i < records.size(); ++i) ASSERT_GE(records[i], records[i - 1]) << "record " << i;
    EXPECT_GT(values.back(), values.front());
    EXPECT_TRUE(toldTimeLeft) << times->text().toStdString();
}

class ManualSearch : public ::testing::Test {
protected:
    void SetUp() override {
        help.show();
        help.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
        box = Child<QLineEdit>(help, "findBox");
    }
    QString Selected() const { return page->textCursor().selectedText(); }

    HelpWindow help;
    QTextBrowser* page = Child<QTextBrowser>(help, "page");
    QListWidget* list = Child<QListWidget>(help, "pagesFound");
    QLineEdit* box = nullptr;
};

// The pages of the manual whose text holds `text`, read here from the files.
QSet<QUrl> PagesHolding(const QString& text) {
    QSet<QUrl> pages;
    for (const QString& name : QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.html")})) {
        QFile file(QStringLiteral(":/manual/") + name);
        if (!file.open(QIODevice::ReadOnly)) continue;
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        if (document.toPlainText().contains(text, Qt::CaseInsensitive)) pages.insert(Page(name.toLatin1().constData()));
    }
    return pages;
}

TEST_F(ManualSearch, ListsEveryPageWithHits) {
    EXPECT_FALSE(list->isVisible());
    QTest::keyClicks(box, QStringLiteral("Ctrl+Tab"));
    EXPECT_TRUE(list->isVisible());
    const QSet<QUrl> expected = PagesHolding(QStringLiteral("Ctrl+Tab"));
    ASSERT_GE(expected.size(), 1);
    QSet<QUrl> listed;
    for (const PageHits& hits : help.PagesFound()) {
        listed.insert(hits.Page);
        EXPECT_GT(hits.Hits, 0);
    }
    EXPECT_EQ(listed, expected);
    ASSERT_EQ(list->count(), static_cast<int>(help.PagesFound().size()));
    // Each entry names its page and its number of hits.
    EXPECT_TRUE(list->item(0)->text().endsWith(QStringLiteral(" (%1)").arg(help.PagesFound()[0].Hits)));
    // A text found nowhere lists nothing and says so.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("no such words anywhere"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(Child<QLabel>(help, "findResult")->text(), QStringLiteral("Not found"));
}

TEST_F(ManualSearch, EnterAndF3GoThroughEveryHitPageAfterPage) {
    QTest::keyClicks(box, QStringLiteral("quorvix-cli"));
    const std::vector<PageHits> pages = help.PagesFound();
    ASSERT_GT(pages.size(), 2u);
    int total = 0;
    for (const PageHits& hits : pages) total += hits.Hits;
    // The first hit is marked as the text is typed; each Enter (or F3) then
    // goes one further, page after page in the contents' order, and round.
    std::vector<QUrl> visited{help.CurrentPage().adjusted(QUrl::RemoveFragment)};
    for (int i = 1; i < total; ++i) {
        QTest::keyClick(i % 2 == 0 ? static_cast<QWidget*>(box) : static_cast<QWidget*>(&help),
                        i % 2 == 0 ? Qt::Key_Return : Qt::Key_F3);
        ASSERT_EQ(Selected().toLower(), QStringLiteral("quorvix-cli")) << i;
        const QUrl now = help.CurrentPage().adjusted(QUrl::RemoveFragment);
        if (now != visited.back()) visited.push_back(now);
    }
    std::vector<QUrl> order;
    for (const PageHits& hits : pages) order.push_back(hits.Page);
    // Typed on the first page, which holds the text: the walk starts there.
    EXPECT_EQ(visited, order);
    // One more goes round to the first hit of all.
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(help.CurrentPage().adjusted(QUrl::RemoveFragment), pages.front().Page);
    // A page chosen from the list opens at its first hit.
    QTest::keyClick(list, Qt::Key_End);
    const QModelIndex last = list->currentIndex();
    emit list->itemActivated(list->item(last.row()));
    EXPECT_EQ(help.CurrentPage().adjusted(QUrl::RemoveFragment), pages.back().Page);
    EXPECT_EQ(Selected().toLower(), QStringLiteral("quorvix-cli"));
}

TEST(ManualWindow, EscAndCtrlWCloseIt) {
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        HelpWindow help;
        help.show();
        help.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        QWidget* page = Child<QTextBrowser>(help, "page");
        page->setFocus();
        QTest::keySequence(page, key);
        EXPECT_FALSE(help.isVisible()) << key.toString().toStdString();
    }
}

class ManualFromTheWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        Activate();
    }
    void Activate() {
        if (window.isActiveWindow()) return;
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    HelpWindow* F1From(QWidget* control) {
        Activate();
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_F1);
        return window.findChild<HelpWindow*>();
    }

    ModalWatchdog watchdog;
    MainWindow window;
    const test::Controls ui{window};
};

TEST_F(ManualFromTheWindow, ItGetsTheKeyboardWhenItOpens) {
    HelpWindow* help = F1From(ui.MatrixA);
    ASSERT_NE(help, nullptr);
    // (A window whose owner is active counts as active itself: wait for the
    // application's own active window.)
    ASSERT_TRUE(QTest::qWaitFor([help] { return QApplication::activeWindow() == help; }));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->window(), help);
    // Ctrl+F is the manual's find, not "Open project" (no dialog comes).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(Child<QWidget>(*help, "findBar")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>(*help, "findBox"));
}

TEST_F(ManualFromTheWindow, F1OpensTheFocusedControlsPage) {
    // "det A": the section on the determinant.
    HelpWindow* help = F1From(Child<QToolButton>(window, "SpeedButton32"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->CurrentPage(), QUrl(QStringLiteral("qrc:/manual/op_numbers.html#det")));
    EXPECT_EQ(F1From(ui.Precision)->CurrentPage(), Page("results.html"));
    EXPECT_EQ(F1From(Child<QToolButton>(window, "SpeedButton10"))->CurrentPage(), Page("auto.html"));
    EXPECT_EQ(F1From(ui.MatrixB)->CurrentPage(), Page("matrices.html"));
    // The menu item and the toolbar button open the first page.
    Activate();
    ui.Precision->setFocus(Qt::TabFocusReason);
    Child<QAction>(window, "Manual1")->trigger();
    EXPECT_EQ(help->CurrentPage(), HelpWindow::FirstPage());
}

TEST(ManualPages, EveryOperationButtonHasAPageThatNamesIt) {
    for (const Operation& op : Operations()) {
        const QString caption = QString::fromLatin1(op.Caption);
        const QUrl page = ManualPageForButton(caption);
        ASSERT_FALSE(page.isEmpty()) << op.Caption;
        QFile file(QLatin1Char(':') + page.path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << op.Caption;
        const QString html = QString::fromUtf8(file.readAll());
        // It, or its twin on A.
        const QString twin = QString(caption).replace(QLatin1Char('B'), QLatin1Char('A'));
        EXPECT_TRUE(html.contains(QStringLiteral("<b>") + caption.toHtmlEscaped() + QStringLiteral("</b>")) ||
                    html.contains(QStringLiteral("<b>") + twin.toHtmlEscaped() + QStringLiteral("</b>")))
            << op.Caption;
        // A section named is one the page has.
        if (page.hasFragment()) {
            EXPECT_TRUE(html.contains(QStringLiteral("<a name=\"%1\">").arg(page.fragment()))) << op.Caption;
        }
    }
    EXPECT_TRUE(ManualPageForButton(QStringLiteral("no such button")).isEmpty());
}

}  // namespace
}  // namespace quorvix
