// The manual's window, the About box and the addresses handed to the desktop.
#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include "modal_watchdog.h"
#include "quorvix_version.h"
#include "ui/about_box.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace quorvix {
namespace {

using test::Child;

QUrl Page(const char* name) { return QUrl(QStringLiteral("qrc:/manual/") + QString::fromLatin1(name)); }

// Clicks the first link of the shown page that leads to `href`, as a user does.
bool ClickLink(QTextBrowser* page, const QString& href) {
    QTextDocument* doc = page->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href) continue;
            QTextCursor at(doc);
            at.setPosition(fragment.position() + fragment.length() / 2);
            QTest::mouseClick(page->viewport(), Qt::LeftButton, Qt::NoModifier, page->cursorRect(at).center());
            return true;
        }
    }
    return false;
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        help.show();
        help.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    }
    QString Selected() const { return page->textCursor().selectedText(); }

    HelpWindow help;
    QTextBrowser* page = Child<QTextBrowser>(help, "page");
    QTreeWidget* contents = Child<QTreeWidget>(help, "contents");
};

TEST(Manual, MenuAndToolbarOpenOneWindowAtTheFirstPage) {
    MainWindow window;
    window.show();
    Child<QAction>(window, "Manual1")->trigger();
    auto* help = window.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentPage(), HelpWindow::FirstPage());
    EXPECT_TRUE(Child<QTextBrowser>(*help, "page")->toPlainText().contains(QStringLiteral("A first calculation")));
    help->ShowPage(Page("messages.html"));
    QTest::mouseClick(Child<QToolButton>(window, "SpeedButton6"), Qt::LeftButton);
    EXPECT_EQ(window.findChildren<HelpWindow*>().size(), 1);
    EXPECT_EQ(help->CurrentPage(), HelpWindow::FirstPage());
}

TEST_F(HelpWindowTest, LinksContentsBackAndForward) {
    // The contents list every page of the manual, the first page marked.
    ASSERT_EQ(contents->topLevelItemCount(), 1);
    EXPECT_GE(contents->topLevelItem(0)->childCount(), 8);
    EXPECT_EQ(contents->currentItem(), contents->topLevelItem(0));

    ASSERT_TRUE(ClickLink(page, QStringLiteral("matrices.html")));
    EXPECT_EQ(help.CurrentPage(), Page("matrices.html"));
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Entering matrices"));

    QTreeWidgetItem* messages =
        contents->findItems(QStringLiteral("Messages and what to do"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(messages, nullptr);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, Qt::NoModifier,
                      contents->visualItemRect(messages).center());
    EXPECT_EQ(help.CurrentPage(), Page("messages.html"));

    QTest::keyClick(&help, Qt::Key_Left, Qt::AltModifier);  // Back
    EXPECT_EQ(help.CurrentPage(), Page("matrices.html"));
    QTest::mouseClick(Child<QToolButton>(help, "backButton"), Qt::LeftButton);
    EXPECT_EQ(help.CurrentPage(), HelpWindow::FirstPage());
    EXPECT_FALSE(Child<QAction>(help, "back")->isEnabled());
    QTest::keyClick(&help, Qt::Key_Right, Qt::AltModifier);  // Forward
    EXPECT_EQ(help.CurrentPage(), Page("matrices.html"));
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Entering matrices"));
}

TEST_F(HelpWindowTest, CtrlFFindsTextForwardBackwardAndAroundTheManual) {
    QWidget* findBar = Child<QWidget>(help, "findBar");
    EXPECT_FALSE(findBar->isVisible());
    QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
    auto* box = Child<QLineEdit>(help, "findBox");
    ASSERT_TRUE(findBar->isVisible());
    EXPECT_TRUE(box->hasFocus());

    QTest::keyClicks(box, QStringLiteral("quorvix-cli"));
    EXPECT_EQ(Selected().toLower(), QStringLiteral("quorvix-cli"));
    const int first = page->textCursor().selectionStart();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Selected().toLower(), QStringLiteral("quorvix-cli"));
    const int second = page->textCursor().selectionStart();
    EXPECT_GT(second, first);
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(page->textCursor().selectionStart(), first);
    // Backwards from the first place goes round the manual to the last
    // place of the last page that holds the text.
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Selected().toLower(), QStringLiteral("quorvix-cli"));
    const std::vector<PageHits>& pages = help.PagesFound();
    ASSERT_GT(pages.size(), 1u);
    EXPECT_EQ(help.CurrentPage().adjusted(QUrl::RemoveFragment), pages.back().Page);
    QTextCursor after = page->textCursor();
    after.setPosition(after.selectionEnd());
    EXPECT_TRUE(page->document()->find(QStringLiteral("quorvix-cli"), after).isNull());

    box->clear();
    QTest::keyClicks(box, QStringLiteral("no such words"));
    EXPECT_TRUE(Selected().isEmpty());
    EXPECT_EQ(Child<QLabel>(help, "findResult")->text(), QStringLiteral("Not found"));
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(findBar->isVisible());
    // Esc in the find box closed only the bar.
    EXPECT_TRUE(help.isVisible());
}

// Records what is handed to the desktop.
class DesktopRecorder : public QObject {
    Q_OBJECT

public:
    explicit DesktopRecorder(const QString& scheme) : scheme_(scheme) {
        QDesktopServices::setUrlHandler(scheme_, this, "Open");
    }
    ~DesktopRecorder() override { QDesktopServices::unsetUrlHandler(scheme_); }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }

private:
    QString scheme_;
};

TEST(AboutBox, HomepageAndHomeShowVersionLicenceAndOpenTheManual) {
    if (*MainWindow::HomePageAddress() != '\0') {
        // A build with a home page opens it instead.
        DesktopRecorder desktop(QUrl(QString::fromUtf8(MainWindow::HomePageAddress())).scheme());
        MainWindow window;
        Child<QAction>(window, "Connectto1")->trigger();
        ASSERT_EQ(desktop.opened.size(), 1);
        EXPECT_EQ(desktop.opened[0], QUrl(QString::fromUtf8(MainWindow::HomePageAddress())));
        return;
    }
    MainWindow window;
    window.show();
    Child<QAction>(window, "Connectto1")->trigger();
    auto* about = window.findChild<AboutBox*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    const QString text = about->Text();
    EXPECT_TRUE(text.contains(QStringLiteral("Quorvix ") + QString::fromLatin1(kVersion))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MIT licence"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromLatin1(kCopyright))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion()))) << text.toStdString();

    QTest::mouseClick(Child<QPushButton>(*about, "manualButton"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    auto* help = window.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentPage(), HelpWindow::FirstPage());

    QTest::mouseClick(Child<QToolButton>(window, "SpeedButton7"), Qt::LeftButton);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(window.findChildren<AboutBox*>().size(), 1);
    about->reject();
}

TEST(OpenAddress, TheDesktopGetsItOrAnErrorBoxSaysItCannot) {
    {
        DesktopRecorder desktop(QStringLiteral("https"));
        EXPECT_TRUE(OpenAddress(nullptr, QUrl(QStringLiteral("https://quorvix.example/"))));
        ASSERT_EQ(desktop.opened.size(), 1);
        EXPECT_EQ(desktop.opened[0], QUrl(QStringLiteral("https://quorvix.example/")));
    }
    // The test platform has no programs to open anything with.
    test::ModalWatchdog watchdog;
    watchdog.ExpectMessage(QMessageBox::Critical,
                           QStringLiteral("Cannot open \"https://quorvix.example/\". No program on this computer "
                                          "opens it."));
    EXPECT_FALSE(OpenAddress(nullptr, QUrl(QStringLiteral("https://quorvix.example/"))));
    EXPECT_EQ(watchdog.Pending(), 0);
}

}  // namespace
}  // namespace quorvix

#include "help_window_test.moc"
