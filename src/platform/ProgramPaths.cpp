#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}
} // namespace

ProgramPaths::ProgramPaths(QString programFolder)
    : m_programFolder(cleanFolder(programFolder))
    , m_dataFolder(m_programFolder)
{}

QString ProgramPaths::resolveProgramFolder(const QStringList& arguments)
{
    const QString option = QStringLiteral("--program-folder");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == option && i + 1 < arguments.size())
            return cleanFolder(arguments.at(i + 1));
        if (arguments.at(i).startsWith(option + QLatin1Char('=')))
            return cleanFolder(arguments.at(i).mid(option.size() + 1));
    }
    const QString fromEnvironment = qEnvironmentVariable("TELLARIN_PROGRAM_FOLDER");
    if (!fromEnvironment.isEmpty())
        return cleanFolder(fromEnvironment);
    return cleanFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void ProgramPaths::setDataFolder(const QString& folder)
{
    m_dataFolder = cleanFolder(folder);
}

QString ProgramPaths::inProgramFolder(const QString& fileName) const
{
    return m_programFolder + QLatin1Char('/') + fileName;
}

QString ProgramPaths::inDataFolder(const QString& fileName) const
{
    return m_dataFolder + QLatin1Char('/') + fileName;
}

QString ProgramPaths::findInProgramFolder(const QString& fileName) const
{
    return findIn(m_programFolder, fileName);
}

QString ProgramPaths::findIn(const QString& folder, const QString& fileName)
{
    const QString exact = folder + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + entry;
    }
    return exact;
}

QString ProgramPaths::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}
