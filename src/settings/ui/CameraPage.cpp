#include "settings/ui/CameraPage.h"

#include "platform/Camera.h"
#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/CameraFile.h"

#include <QCameraDevice>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace {
const QString title = QStringLiteral("Camera");

QString sizeText(const QSize& size)
{
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

// The chosen device when it is still there, else the first one; none without a camera.
std::optional<QCameraDevice> chosenDevice(const CameraChoice& choice)
{
    const QList<QCameraDevice> devices = QMediaDevices::videoInputs();
    if (devices.isEmpty())
        return std::nullopt;
    for (const QCameraDevice& device : devices) {
        if (device.id() == choice.deviceId)
            return device;
    }
    return devices.first();
}
} // namespace

CameraPage::CameraPage(const Services& services, Session& session, QWidget* parent)
    : OptionsPage(parent)
    , m_services(services)
    , m_session(session)
{
    setProperty("helpText",
                QStringLiteral("Choose the camera that takes the pictures of clock ins and outs and "
                               "the size of the pictures, and test it."));
    auto* layout = new QHBoxLayout(this);
    auto* buttons = new QVBoxLayout;
    const auto button = [&](const char* name, const QString& caption, const QString& help) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setProperty("helpText", help);
        buttons->addWidget(b);
        return b;
    };
    connect(button("cmdPictureProperties", QStringLiteral("Picture properties"),
                   QStringLiteral("Choose which camera of this computer takes the pictures.")),
            &QPushButton::clicked, this, &CameraPage::chooseDevice);
    connect(
        button("cmdPictureSize", QStringLiteral("Picture size"),
               QStringLiteral("Choose the size, in dots, of the pictures the camera takes. Larger pictures "
                              "show more detail and take more room on the disk.")),
        &QPushButton::clicked, this, &CameraPage::chooseSize);
    connect(button("cmdTestCamera", QStringLiteral("Test camera"),
                   QStringLiteral("Shows the live picture of the camera, as the Clock screen would.")),
            &QPushButton::clicked, this, &CameraPage::testCamera);
    m_choice = new QLabel(this);
    m_choice->setObjectName(QStringLiteral("lblCamera"));
    m_choice->setWordWrap(true);
    buttons->addWidget(m_choice);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("camTest"));
    m_area->setFixedSize(320, 240);
    m_area->setStyleSheet(QStringLiteral("background: black;"));
    layout->addWidget(m_area, 0, Qt::AlignTop);
    layout->addStretch(1);
    showChoice();
}

void CameraPage::showChoice()
{
    const CameraChoice choice = CameraFile::read(m_session.paths());
    const std::optional<QCameraDevice> device = chosenDevice(choice);
    QString text = device ? device->description() : QStringLiteral("No camera found");
    if (device && choice.resolution.isValid() && device->id() == choice.deviceId)
        text += QStringLiteral("\n") + sizeText(choice.resolution);
    m_choice->setText(text);
}

void CameraPage::noCamera()
{
    m_services.messages.inform(
        this,
        QStringLiteral("No camera was found on this computer.\nConnect a camera and try "
                       "again."),
        title, MessageBoxes::Icon::Information);
}

void CameraPage::keep(const CameraChoice& choice)
{
    if (!CameraFile::write(m_session.paths(), choice)) {
        m_services.messages.inform(this,
                                   QStringLiteral("The camera choice could not be written to %1.")
                                       .arg(m_session.paths().inProgramFolder(CameraFile::fileName())),
                                   title, MessageBoxes::Icon::Warning);
        return;
    }
    stopCamera();
    m_services.camera.choose(choice);
    showChoice();
}

void CameraPage::chooseDevice()
{
    const QList<QCameraDevice> devices = QMediaDevices::videoInputs();
    if (devices.isEmpty()) {
        noCamera();
        return;
    }
    const CameraChoice current = CameraFile::read(m_session.paths());
    QStringList names;
    int at = 0;
    for (const QCameraDevice& device : devices) {
        if (device.id() == current.deviceId)
            at = static_cast<int>(names.size());
        names.append(device.description());
    }
    bool ok = false;
    const QString picked = QInputDialog::getItem(this, QStringLiteral("Picture properties"),
                                                 QStringLiteral("Camera"), names, at, false, &ok);
    if (!ok)
        return;
    const QCameraDevice device = devices.at(names.indexOf(picked));
    // Another camera has sizes of its own: it starts at the size it offers by itself.
    keep({device.id(), device.id() == current.deviceId ? current.resolution : QSize()});
}

void CameraPage::chooseSize()
{
    const CameraChoice current = CameraFile::read(m_session.paths());
    const std::optional<QCameraDevice> device = chosenDevice(current);
    if (!device) {
        noCamera();
        return;
    }
    QList<QSize> sizes = device->photoResolutions();
    if (sizes.isEmpty()) {
        for (const QCameraFormat& format : device->videoFormats()) {
            if (!sizes.contains(format.resolution()))
                sizes.append(format.resolution());
        }
    }
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() * a.height() < b.width() * b.height(); });
    QStringList names{QStringLiteral("As the camera offers it")};
    int at = 0;
    for (const QSize& size : std::as_const(sizes)) {
        if (size == current.resolution && device->id() == current.deviceId)
            at = static_cast<int>(names.size());
        names.append(sizeText(size));
    }
    bool ok = false;
    const QString picked = QInputDialog::getItem(
        this, QStringLiteral("Picture size"), QStringLiteral("Size of the pictures"), names, at, false, &ok);
    if (!ok)
        return;
    const qsizetype index = names.indexOf(picked);
    keep({device->id(), index <= 0 ? QSize() : sizes.at(index - 1)});
}

void CameraPage::testCamera()
{
    bool connected = false;
    try {
        connected = m_services.camera.connectPreview(m_area);
    } catch (...) {
    }
    if (!connected) {
        noCamera();
        return;
    }
    m_testing = true;
}

void CameraPage::stopCamera()
{
    if (!m_testing)
        return;
    m_testing = false;
    try {
        m_services.camera.release();
    } catch (...) {
    }
}
