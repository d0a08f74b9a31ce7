#pragma once

#include "platform/Camera.h"
#include "platform/PictureWriter.h"

#include <QImage>
#include <QStringList>
#include <stdexcept>

// A camera whose frame is a test image, stamped and saved by the same writer as the real one.
// Without a frame it fails like a camera that is not there; it can also be told to throw, to
// prove nobody trusts a camera to behave.
class FakeCamera final : public Camera {
public:
    bool connectPreview(QWidget* area) override
    {
        ++previews;
        return area != nullptr && !frame.isNull();
    }
    bool capture(const QString& path, const QString& text) override
    {
        captures.append(path);
        texts.append(text);
        if (throws)
            throw std::runtime_error("camera driver fell over");
        return PictureWriter::write(frame, path, text);
    }

    QImage frame;
    bool throws = false;
    int previews = 0;
    QStringList captures;
    QStringList texts;
};
