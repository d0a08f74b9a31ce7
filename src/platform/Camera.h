#pragma once

#include <QString>

class QWidget;

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
};

// For a station without a camera.
class NoCamera final : public Camera {
public:
    bool connectPreview(QWidget*) override { return false; }
    bool capture(const QString&, const QString&) override { return false; }
};
