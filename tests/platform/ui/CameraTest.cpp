#include "FakeCamera.h"
#include "platform/PictureWriter.h"
#include "platform/ui/QtCamera.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
int yellowPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += qRed(image.pixel(x, y)) > 190 && qGreen(image.pixel(x, y)) > 190 &&
                     qBlue(image.pixel(x, y)) < 110;
    }
    return count;
}
} // namespace

TEST(Camera, FakeFrameIsSavedAsJpegWithYellowText)
{
    QTemporaryDir dir;
    FakeCamera camera;
    camera.frame = QImage(320, 240, QImage::Format_RGB32);
    camera.frame.fill(QColor(90, 90, 90));
    const QString path = dir.filePath(QStringLiteral("1523.jpg"));
    ASSERT_TRUE(camera.capture(path, QStringLiteral("Id 123, Sample Name 04-Dec-26  In 08:01 AM")));

    const QImage saved(path, "JPG");
    ASSERT_EQ(saved.size(), QSize(320, 240));
    // The text sits on the lower part of the picture; the rest keeps the camera's frame.
    EXPECT_GT(yellowPixels(saved, QRect(0, 180, 320, 60)), 150);
    EXPECT_EQ(yellowPixels(saved, QRect(0, 0, 320, 150)), 0);
    // A missing Pictures folder: the file cannot be written.
    EXPECT_FALSE(camera.capture(dir.filePath(QStringLiteral("Pictures/2.jpg")), QStringLiteral("x")));
}

TEST(Camera, RealCameraWithoutDeviceSaysNoAtOnce)
{
    // The test machine has no video input; a station without one behaves the same.
    QTemporaryDir dir;
    QtCamera camera;
    QWidget area;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(camera.connectPreview(&area));
    EXPECT_FALSE(camera.capture(dir.filePath(QStringLiteral("3.jpg")), QStringLiteral("x")));
    EXPECT_LT(timer.elapsed(), 5000); // never waits for a device
    EXPECT_FALSE(NoCamera().capture(dir.filePath(QStringLiteral("4.jpg")), QStringLiteral("x")));
}
