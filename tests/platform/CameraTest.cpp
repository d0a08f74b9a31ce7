#include "FakeCamera.h"
#include "platform/PictureWriter.h"
#include "platform/QtCamera.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
QImage greyFrame()
{
    QImage frame(320, 240, QImage::Format_RGB32);
    frame.fill(QColor(90, 90, 90));
    return frame;
}

bool isYellow(QRgb pixel)
{
    return qRed(pixel) > 190 && qGreen(pixel) > 190 && qBlue(pixel) < 110;
}

int yellowPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += isYellow(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}
} // namespace

TEST(Camera, FakeFrameIsSavedAsJpegWithYellowText)
{
    QTemporaryDir dir;
    FakeCamera camera;
    camera.frame = greyFrame();
    const QString path = dir.filePath(QStringLiteral("1523.jpg"));
    ASSERT_TRUE(camera.capture(path, QStringLiteral("Id 123, Sample Name 04-Dec-26  In 08:01 AM")));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(3);
    EXPECT_EQ(head, QByteArray("\xFF\xD8\xFF")); // JPEG, whatever the name says
    const QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(320, 240));
    // The text sits on the lower part of the picture; the rest keeps the camera's frame.
    EXPECT_GT(yellowPixels(saved, QRect(0, 180, 320, 60)), 150);
    EXPECT_EQ(yellowPixels(saved, QRect(0, 0, 320, 150)), 0);
}

TEST(Camera, FailuresAreAQuietFalse)
{
    QTemporaryDir dir;
    FakeCamera noFrame;
    EXPECT_FALSE(noFrame.capture(dir.filePath(QStringLiteral("1.jpg")), QStringLiteral("x")));

    FakeCamera camera;
    camera.frame = greyFrame();
    // A missing Pictures folder: the file cannot be written.
    const QString missingFolder = dir.filePath(QStringLiteral("Pictures/2.jpg"));
    EXPECT_FALSE(camera.capture(missingFolder, QStringLiteral("x")));
    EXPECT_FALSE(QFile::exists(missingFolder));
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
    EXPECT_FALSE(camera.connectPreview(nullptr));
    EXPECT_LT(timer.elapsed(), 5000); // never waits for a device
    EXPECT_FALSE(NoCamera().capture(dir.filePath(QStringLiteral("4.jpg")), QStringLiteral("x")));
}
