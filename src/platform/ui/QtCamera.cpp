#include "platform/ui/QtCamera.h"

#include "platform/PictureWriter.h"

#include <QCamera>
#include <QCameraDevice>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVBoxLayout>
#include <QVideoWidget>

QtCamera::QtCamera(QObject* parent)
    : QObject(parent)
{}

QtCamera::~QtCamera() = default;

bool QtCamera::start()
{
    if (m_camera && m_camera->error() == QCamera::NoError) {
        if (!m_camera->isActive())
            m_camera->start();
        return true;
    }
    // A device that failed before is tried afresh: it may have been plugged in since.
    release();
    delete m_imageCapture;
    delete m_camera;
    m_imageCapture = nullptr;
    m_camera = nullptr;
    const QList<QCameraDevice> devices = QMediaDevices::videoInputs();
    if (devices.isEmpty())
        return false;
    QCameraDevice device = devices.first();
    for (const QCameraDevice& candidate : devices) {
        if (candidate.id() == m_choice.deviceId)
            device = candidate;
    }
    m_session = std::make_unique<QMediaCaptureSession>();
    m_camera = new QCamera(device, this);
    m_imageCapture = new QImageCapture(this);
    if (m_choice.resolution.isValid() && device.id() == m_choice.deviceId)
        m_imageCapture->setResolution(m_choice.resolution);
    m_session->setCamera(m_camera);
    m_session->setImageCapture(m_imageCapture);
    connect(m_imageCapture, &QImageCapture::imageCaptured, this, &QtCamera::saveFrame);
    connect(m_imageCapture, &QImageCapture::errorOccurred, this,
            [this](int id, QImageCapture::Error, const QString&) { dropRequest(id); });
    m_camera->start();
    return true;
}

bool QtCamera::connectPreview(QWidget* area)
{
    if (!area || !start())
        return false;
    if (!m_preview) {
        m_preview = new QVideoWidget(area);
        auto* layout = area->layout() ? area->layout() : new QVBoxLayout(area);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_preview);
    }
    m_session->setVideoOutput(m_preview.data());
    m_preview->show();
    return true;
}

bool QtCamera::capture(const QString& path, const QString& text)
{
    if (!start() || !m_imageCapture->isReadyForCapture())
        return false;
    const int id = m_imageCapture->capture();
    if (id < 0)
        return false;
    m_requests.insert(id, {path, text});
    return true;
}

void QtCamera::prepare()
{
    start();
}

void QtCamera::release()
{
    m_requests.clear();
    if (m_camera)
        m_camera->stop();
}

void QtCamera::choose(const CameraChoice& choice)
{
    if (choice == m_choice)
        return;
    m_choice = choice;
    // The next start opens the chosen device; a preview on show keeps its old device until then.
    release();
    delete m_imageCapture;
    delete m_camera;
    m_imageCapture = nullptr;
    m_camera = nullptr;
}

void QtCamera::saveFrame(int id, const QImage& frame)
{
    const auto it = m_requests.constFind(id);
    if (it == m_requests.cend())
        return;
    PictureWriter::write(frame, it->path, it->text);
    m_requests.erase(it);
}

void QtCamera::dropRequest(int id)
{
    m_requests.remove(id);
}
