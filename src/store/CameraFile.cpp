#include "store/CameraFile.h"

#include "platform/ProgramPaths.h"

#include <QFile>
#include <QSaveFile>

QString CameraFile::fileName()
{
    return QStringLiteral("Camera.Dat");
}

CameraChoice CameraFile::read(const ProgramPaths& paths)
{
    QFile file(paths.findInProgramFolder(fileName()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    CameraChoice choice;
    if (!lines.isEmpty())
        choice.deviceId = lines.at(0).trimmed();
    if (lines.size() > 1) {
        const QList<QByteArray> size = lines.at(1).trimmed().toLower().split('x');
        bool wide = false;
        bool high = false;
        if (size.size() == 2) {
            const QSize parsed(size.at(0).toInt(&wide), size.at(1).toInt(&high));
            if (wide && high && parsed.isValid() && !parsed.isEmpty())
                choice.resolution = parsed;
        }
    }
    return choice;
}

bool CameraFile::write(const ProgramPaths& paths, const CameraChoice& choice)
{
    QSaveFile file(paths.inProgramFolder(fileName()));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = choice.deviceId + "\r\n";
    if (choice.resolution.isValid())
        bytes += QByteArray::number(choice.resolution.width()) + 'x' +
                 QByteArray::number(choice.resolution.height());
    bytes += "\r\n";
    file.write(bytes);
    return file.commit();
}
