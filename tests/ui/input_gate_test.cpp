// While the gate drops the window's input, only what was kept usable takes
// any; another window and the time after are not touched.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "ui/input_gate.h"

namespace quorvix {
namespace {

class Gate : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{line, usable, editor}) layout->addWidget(w);
        QString text;
        for (int i = 0; i < 200; ++i) text += QStringLiteral("%1\n").arg(i);
        editor->setPlainText(text);
        window.resize(200, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        gate.KeepUsable(usable);
        gate.KeepScrollable(editor);
        gate.BeginDropping();
    }
    void Wheel(QWidget* target) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    QWidget window;
    QLineEdit* line = new QLineEdit(&window);
    QPushButton* usable = new QPushButton(QStringLiteral("Cancel"), &window);
    QPlainTextEdit* editor = new QPlainTextEdit(&window);
    InputGate gate{&window};
};

TEST_F(Gate, TypingAndClicksAreDroppedButTheUsableControlWorks) {
    QTest::keyClicks(line, QStringLiteral("ab"));
    QTest::keyClicks(editor, QStringLiteral("zz"));
    EXPECT_TRUE(line->text().isEmpty());
    EXPECT_FALSE(editor->toPlainText().contains(QStringLiteral("zz")));
    QSignalSpy clicked(usable, &QPushButton::clicked);
    QTest::mouseClick(usable, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Gate, TheEditorStillScrolls) {
    QScrollBar* bar = editor->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    Wheel(editor->viewport());
    EXPECT_GT(bar->value(), 0);
    const int afterWheel = bar->value();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, bar->height() - 20));
    EXPECT_GT(bar->value(), afterWheel);
}

TEST_F(Gate, EscIsToldAndNoShortcutFires) {
    QSignalSpy escape(&gate, &InputGate::EscapePressed);
    int fired = 0;
    auto* shortcut = new QAction(&window);
    shortcut->setShortcut(QKeySequence(Qt::Key_F8));
    window.addAction(shortcut);
    QObject::connect(shortcut, &QAction::triggered, [&] { ++fired; });
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    line->setFocus();
    QTest::keyClick(line, Qt::Key_F8);
    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(escape.count(), 1);
    gate.EndDropping();
    QTest::keyClick(line, Qt::Key_F8);
    EXPECT_EQ(fired, 1);
}

TEST_F(Gate, OtherWindowsAndTheTimeAfterAreNotTouched) {
    QLineEdit other;
    other.show();
    QTest::keyClicks(&other, QStringLiteral("ok"));
    EXPECT_EQ(other.text(), QStringLiteral("ok"));
    gate.EndDropping();
    QTest::keyClicks(line, QStringLiteral("ab"));
    EXPECT_EQ(line->text(), QStringLiteral("ab"));
}

}  // namespace
}  // namespace quorvix
