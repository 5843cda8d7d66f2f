// Image buttons: the picture of each state, and a button that follows its action.

#include "ui/skin/TImageButton.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

constexpr QSize kSize(30, 20);

SkinPicture solid(QColor color, QSize size = kSize) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return SkinPicture(image);
}

QColor shownColor(TImageButton& button) {
    return button.grab().toImage().pixelColor(2, 2);
}

void hover(TImageButton& button, bool inside) {
    if (inside) {
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QApplication::sendEvent(&button, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
    }
}

TEST(TImageButton, EachStateShowsItsPicture) {
    TImageButton button;
    button.resize(kSize);
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue, Qt::gray};
    for (int s = 0; s < kButtonStateCount; ++s)
        button.SetPicture(static_cast<ButtonState>(s), solid(colors[s]));

    EXPECT_EQ(button.CurrentState(), ButtonState::Normal);
    EXPECT_EQ(shownColor(button), QColor(Qt::red));
    hover(button, true);
    EXPECT_EQ(button.CurrentState(), ButtonState::MouseOn);
    EXPECT_EQ(shownColor(button), QColor(Qt::green));
    button.setDown(true);
    EXPECT_EQ(button.CurrentState(), ButtonState::MouseDown);
    EXPECT_EQ(shownColor(button), QColor(Qt::blue));
    button.setDown(false);
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentState(), ButtonState::Disable);
    EXPECT_EQ(shownColor(button), QColor(Qt::gray));
    button.setEnabled(true);
    hover(button, false);
    EXPECT_EQ(shownColor(button), QColor(Qt::red));

    // A state without a picture shows the normal one.
    button.SetPicture(ButtonState::MouseOn, SkinPicture());
    hover(button, true);
    EXPECT_EQ(shownColor(button), QColor(Qt::red));
}

TEST(TImageButton, FollowsItsAction) {
    QAction action("\r\r\r\rTo AVI");
    action.setToolTip("To AVI");
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    TImageButton button;
    button.resize(kSize);
    button.SetAction(&action);
    EXPECT_EQ(button.text(), "\r\r\r\rTo AVI");
    EXPECT_EQ(button.toolTip(), "To AVI");

    button.click();
    EXPECT_EQ(triggered, 1);
    action.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(button.CurrentState(), ButtonState::Disable);
    button.click();
    EXPECT_EQ(triggered, 1);
    action.setEnabled(true);
    action.setText("To MP4");
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.text(), "To MP4");

    // Another action replaces the first, which no longer reaches the button.
    QAction other("Exit");
    other.setEnabled(false);
    button.SetAction(&other);
    EXPECT_FALSE(button.isEnabled());
    action.setText("stale");
    EXPECT_EQ(button.text(), "Exit");
}

TEST(TImageButton, OutlivesItsAction) {
    TImageButton button;
    {
        QAction action("Convert");
        button.SetAction(&action);
    }
    EXPECT_EQ(button.Action(), nullptr);
    button.click(); // nothing to trigger, nothing to crash
}

TEST(TImageButton, CaptionLinesSitBelowThePicture) {
    // Four line breaks move a caption below the picture: its ink is in the lower part only.
    TImageButton button;
    button.resize(62, 76);
    button.SetPicture(ButtonState::Normal, solid(Qt::black, QSize(62, 76)));
    button.SetCaptionColors(Qt::white, Qt::gray);
    QAction action("\r\r\r\rExit");
    button.SetAction(&action);
    QImage image = button.grab().toImage();
    int firstInkRow = -1;
    for (int y = 0; y < image.height() && firstInkRow < 0; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() > 128) {
                firstInkRow = y;
                break;
            }
    EXPECT_GT(firstInkRow, 38);

    button.SetShowCaption(false);
    image = button.grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::black));
}

TEST(TImageButton, PaintsTheDoubledPictureAtTwiceTheDensity) {
    QImage doubled(kSize * 2, QImage::Format_RGB32);
    for (int y = 0; y < doubled.height(); ++y)
        for (int x = 0; x < doubled.width(); ++x)
            doubled.setPixelColor(x, y, (x + y) % 2 ? Qt::black : Qt::white);
    QImage normal(kSize, QImage::Format_RGB32);
    normal.fill(Qt::gray);
    TImageButton button;
    button.resize(kSize);
    button.SetPicture(ButtonState::Normal, SkinPicture(normal, doubled));

    QImage target(kSize * 2, QImage::Format_RGB32);
    target.setDevicePixelRatio(2.0);
    button.render(&target);
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x)
            ASSERT_EQ(target.pixelColor(x, y), doubled.pixelColor(x, y)) << x << "," << y;
}

} // namespace
