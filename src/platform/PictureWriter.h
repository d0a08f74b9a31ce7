#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Stamps a line of text on a camera frame and saves it as a JPEG; shared by every camera.
namespace PictureWriter {
inline const QColor textColour{255, 255, 0};

// The frame with the text drawn along its lower edge, on a dark band so it reads on any picture.
QImage stamped(const QImage& frame, const QString& text);
// False when the frame is empty or the file cannot be written (a missing folder, say).
bool write(const QImage& frame, const QString& path, const QString& text);
} // namespace PictureWriter
