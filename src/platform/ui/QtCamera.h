#pragma once

#include "platform/Camera.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <memory>

class QCamera;
class QImage;
class QImageCapture;
class QMediaCaptureSession;
class QVideoWidget;

// The chosen video input of the machine (else the first) through Qt Multimedia. The frame of a capture
// arrives later; it is stamped and saved then, while the punch goes on.
class QtCamera final : public QObject, public Camera {
    Q_OBJECT

public:
    explicit QtCamera(QObject* parent = nullptr);
    ~QtCamera() override;

    bool connectPreview(QWidget* area) override;
    bool capture(const QString& path, const QString& text) override;
    void prepare() override;
    void release() override;
    void choose(const CameraChoice& choice) override;

private:
    bool start();
    void saveFrame(int id, const QImage& frame);
    void dropRequest(int id);

    CameraChoice m_choice;
    std::unique_ptr<QMediaCaptureSession> m_session;
    QCamera* m_camera = nullptr;
    QImageCapture* m_imageCapture = nullptr;
    QPointer<QVideoWidget> m_preview;
    struct Request {
        QString path;
        QString text;
    };
    QHash<int, Request> m_requests; // by capture id
};
