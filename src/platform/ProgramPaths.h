#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files: the program folder (template, staff files, sounds, path file)
// and the data folder (clock database, pictures), from which every file path is derived.
class ProgramPaths {
public:
    explicit ProgramPaths(QString programFolder);

    // --program-folder DIR, else TELLARIN_PROGRAM_FOLDER, else the user's application-data folder.
    static QString resolveProgramFolder(const QStringList& arguments);
    // Where a file dialog for the user's own files starts: the documents folder, else home.
    static QString documentsFolder();

    const QString& programFolder() const { return m_programFolder; }
    const QString& dataFolder() const { return m_dataFolder; }
    void setDataFolder(const QString& folder);

    QString inProgramFolder(const QString& fileName) const;
    QString inDataFolder(const QString& fileName) const;
    // A file of the program folder whose name matches without regard to case (a user may
    // replace In.Wav by in.wav); the exact-case path when none exists.
    QString findInProgramFolder(const QString& fileName) const;

    // Found without regard to case: a database restored as Clock.MDB is the same database.
    QString clockDatabase() const { return findIn(m_dataFolder, QStringLiteral("Clock.mdb")); }
    QString clockTemplate() const { return inProgramFolder(QStringLiteral("Clock.jan")); }
    QString picturesFolder() const { return inDataFolder(QStringLiteral("Pictures")); }

private:
    static QString findIn(const QString& folder, const QString& fileName);

    QString m_programFolder;
    QString m_dataFolder;
};
