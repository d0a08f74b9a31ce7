#include "platform/ProgramLog.h"

#include "platform/TimeSource.h"

#include <QDir>
#include <QFile>

ProgramLog::ProgramLog(QString programFolder, const TimeSource& time)
    : m_path(QDir(programFolder).filePath(fileName()))
    , m_time(time)
{}

void ProgramLog::write(const QString& line) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QString stamped =
        m_time.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\t') + line.simplified();
    file.write((stamped + QLatin1Char('\n')).toUtf8());
}
