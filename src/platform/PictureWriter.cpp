#include "platform/PictureWriter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

QImage PictureWriter::stamped(const QImage& frame, const QString& text)
{
    QImage image = frame.convertToFormat(QImage::Format_RGB32);
    if (text.isEmpty())
        return image;
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(std::max(12, image.height() / 20));
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int margin = std::max(2, font.pixelSize() / 3);
    const int bandHeight = metrics.height() + 2 * margin;
    const QRect band(0, image.height() - bandHeight, image.width(), bandHeight);
    painter.fillRect(band, QColor(0, 0, 0, 140));
    painter.setPen(textColour);
    painter.drawText(band.adjusted(margin, 0, -margin, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

bool PictureWriter::write(const QImage& frame, const QString& path, const QString& text)
{
    if (frame.isNull())
        return false;
    return stamped(frame, text).save(path, "JPG", 90);
}
