// The image button's pictures and events, checked on the rendered button.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>
#include <string>
#include <vector>

#include "ui/image_button.h"

namespace quorvix {
namespace {

const QColor kNormal(200, 40, 40);  // Pic
const QColor kHover(40, 200, 40);   // PicUp
const QColor kDown(40, 40, 200);    // PicDown
const QColor kDisabled(128, 128, 128);
const QColor kBackground(250, 250, 0);

QPixmap Solid(const QColor& colour) {
    QPixmap pixmap(20, 12);
    pixmap.fill(colour);
    return pixmap;
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(100, 60);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, kBackground);
        host.setPalette(palette);
        host.setAutoFillBackground(true);
        button = new ImageButton(&host);
        button->setGeometry(10, 10, 33, 25);
        host.show();
        button->OnMouseEnter = [this](const ImageButtonMouse& m) {
            events.push_back("enter:" + std::to_string(m.Type));
        };
        button->OnMouseLeave = [this](const ImageButtonMouse& m) {
            events.push_back("leave:" + std::to_string(m.Type));
        };
        button->OnMouseDown = [this](const ImageButtonMouse& m) { events.push_back("down:" + std::to_string(m.Type)); };
        button->OnMouseUp = [this](const ImageButtonMouse& m) { events.push_back("up:" + std::to_string(m.Type)); };
        QObject::connect(button, &ImageButton::Clicked, [this] { ++clicks; });
    }

    void GivePictures() {
        button->SetPic(Solid(kNormal));
        button->SetPicUp(Solid(kHover));
        button->SetPicDown(Solid(kDown));
        button->SetPicDisable(Solid(kDisabled));
    }

    // The colour the button shows, read from its rendering.
    QColor Shown() { return button->grab().toImage().pixelColor(5, 5); }

    void Enter() {
        QEnterEvent event(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
        QApplication::sendEvent(button, &event);
    }
    void Leave() {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(button, &event);
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton which = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                      : type == QEvent::MouseMove        ? Qt::MouseButtons(Qt::LeftButton)
                                                                         : Qt::MouseButtons(which);
        QMouseEvent event(type, QPointF(at), button->mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : which, held, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }

    QWidget host;
    ImageButton* button = nullptr;
    std::vector<std::string> events;
    int clicks = 0;
};

const std::string kEnter = "enter:" + std::to_string(QEvent::Enter);
const std::string kLeave = "leave:" + std::to_string(QEvent::Leave);
const std::string kDownMsg = "down:" + std::to_string(QEvent::MouseButtonPress);
const std::string kUpMsg = "up:" + std::to_string(QEvent::MouseButtonRelease);

TEST_F(ImageButtonTest, StartsSupportedEnabledWithNoPicturesAndStillClicks) {
    EXPECT_TRUE(button->Supported());
    EXPECT_TRUE(button->Enabled());
    EXPECT_FALSE(button->Hover());
    EXPECT_FALSE(button->Pressed());
    EXPECT_TRUE(button->Pic().isNull());
    EXPECT_TRUE(button->PicUp().isNull());
    EXPECT_TRUE(button->PicDown().isNull());
    EXPECT_TRUE(button->PicDisable().isNull());
    // Nothing drawn: the host's background shows through.
    EXPECT_EQ(Shown(), kBackground);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Shown(), kBackground);
}

TEST_F(ImageButtonTest, HoverPressLeaveEnterRelease) {
    GivePictures();
    EXPECT_EQ(Shown(), kNormal);
    Enter();
    EXPECT_EQ(Shown(), kHover);
    EXPECT_TRUE(button->Hover());
    Mouse(QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(Shown(), kDown);
    EXPECT_TRUE(button->Pressed());
    // Out with the button held: the normal picture; the pressed flag stays.
    Mouse(QEvent::MouseMove, {60, 5});
    EXPECT_EQ(Shown(), kNormal);
    EXPECT_FALSE(button->Hover());
    EXPECT_TRUE(button->Pressed());
    // Back in: pressed again.
    Mouse(QEvent::MouseMove, {6, 6});
    EXPECT_EQ(Shown(), kDown);
    // Released inside: the hover picture, and a click.
    Mouse(QEvent::MouseButtonRelease, {6, 6});
    EXPECT_EQ(Shown(), kHover);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 1);
    Leave();
    EXPECT_EQ(Shown(), kNormal);
    EXPECT_EQ(events, (std::vector<std::string>{kEnter, kDownMsg, kLeave, kEnter, kUpMsg, kLeave}));
}

TEST_F(ImageButtonTest, ReleasedOutsideShowsNormalAndDoesNotClick) {
    GivePictures();
    Enter();
    Mouse(QEvent::MouseButtonPress, {5, 5});
    Mouse(QEvent::MouseMove, {60, 40});
    Mouse(QEvent::MouseButtonRelease, {60, 40});
    // The platform's late leave report changes nothing more.
    Leave();
    EXPECT_EQ(Shown(), kNormal);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(events, (std::vector<std::string>{kEnter, kDownMsg, kLeave, kUpMsg}));
}

TEST_F(ImageButtonTest, OtherButtonsNeitherPressNorClick) {
    GivePictures();
    Enter();
    Mouse(QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    EXPECT_EQ(Shown(), kHover);
    EXPECT_FALSE(button->Pressed());
    Mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(events, (std::vector<std::string>{kEnter}));
}

TEST_F(ImageButtonTest, UnsupportedKeepsItsPictureAndEventsButClicks) {
    GivePictures();
    button->SetSupported(false);
    Enter();
    EXPECT_EQ(Shown(), kNormal);
    Mouse(QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(Shown(), kNormal);
    Mouse(QEvent::MouseMove, {60, 5});
    Mouse(QEvent::MouseMove, {5, 5});
    EXPECT_EQ(Shown(), kNormal);
    Mouse(QEvent::MouseButtonRelease, {5, 5});
    Leave();
    EXPECT_EQ(Shown(), kNormal);
    EXPECT_FALSE(button->Hover());
    EXPECT_FALSE(button->Pressed());
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImageButtonTest, DisabledShowsItsPictureIgnoresTheMouseAndEnablingShowsHover) {
    GivePictures();
    button->SetEnabled(false);
    EXPECT_EQ(Shown(), kDisabled);
    EXPECT_FALSE(button->isEnabled());
    Enter();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(Shown(), kDisabled);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(events.empty());
    // A new disabled picture shows at once while disabled.
    button->SetPicDisable(Solid(Qt::black));
    EXPECT_EQ(Shown(), QColor(Qt::black));
    // Enabling shows the hover picture, not the normal one.
    button->SetEnabled(true);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(Shown(), kHover);
}

TEST_F(ImageButtonTest, PicturesAreCopiesAndOnlyPicShowsAtOnce) {
    QPixmap source = Solid(kNormal);
    button->SetPicUp(Solid(kHover));
    button->SetPicDown(Solid(kDown));
    EXPECT_EQ(Shown(), kBackground);
    button->SetPicDisable(Solid(kDisabled));
    EXPECT_EQ(Shown(), kBackground);
    button->SetPic(source);
    source.fill(Qt::white);
    EXPECT_EQ(Shown(), kNormal);
    EXPECT_EQ(button->Pic().toImage().pixelColor(0, 0), kNormal);
}

}  // namespace
}  // namespace quorvix
