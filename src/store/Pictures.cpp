#include "store/Pictures.h"

#include "platform/ProgramPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void KillPictures(const ProgramPaths& paths, QDate today, int pictureDays)
{
    const QDir folder(paths.picturesFolder());
    if (!folder.exists() || !today.isValid())
        return;
    const QDateTime midnight(today, QTime(0, 0));
    const QFileInfoList files = folder.entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        if (!file.fileName().endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive))
            continue;
        const QDateTime modified = file.lastModified();
        if (modified.isValid() && modified.addDays(pictureDays) < midnight)
            QFile::remove(file.absoluteFilePath());
    }
}
