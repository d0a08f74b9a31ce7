#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QWidget;

// The capture device and the picture size the manager chose; empty: the first device, at the size
// it offers by itself.
struct CameraChoice {
    QByteArray deviceId;
    QSize resolution;
    bool operator==(const CameraChoice&) const = default;
};

// The punch camera: a live preview on the clock screen and one stamped JPEG per recorded punch.
// Every failure is a quiet false; a punch never waits for or stops on the camera.
class Camera {
public:
    virtual ~Camera() = default;
    // Connects the first capture device and shows its live picture filling the area.
    virtual bool connectPreview(QWidget* area) = 0;
    // Saves the current frame at path as a JPEG with text drawn on it in yellow. True when the
    // picture was taken or is on its way (a real device delivers the frame a moment later).
    virtual bool capture(const QString& path, const QString& text) = 0;
    // Starts the device without a preview, so the first punch finds it ready.
    virtual void prepare() {}
    // Stops the device when the clock screen closes: its light goes off and others may use it.
    virtual void release() {}
    // Takes the next pictures and previews with this device and size.
    virtual void choose(const CameraChoice&) {}
};

// For a station without a camera.
class NoCamera final : public Camera {
public:
    bool connectPreview(QWidget*) override { return false; }
    bool capture(const QString&, const QString&) override { return false; }
};
