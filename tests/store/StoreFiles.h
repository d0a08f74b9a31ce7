#pragma once

#include "PunchRecord.h"
#include "platform/ProgramPaths.h"
#include "store/ClockFiles.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A data folder whose clock database files the store tests fill, damage, lock and inspect.
class ClockFolder {
public:
    ProgramPaths paths() const { return ProgramPaths(m_dir.path()); }
    QString file(const QString& name = QStringLiteral("Clock.mdb")) const
    {
        return paths().inDataFolder(name);
    }
    Database& database() { return m_database; }

    void createAndOpen()
    {
        ASSERT_TRUE(ClockFiles::ensureClockDatabase(paths()));
        ASSERT_TRUE(m_database.open(file()).ok());
    }

    // Appends punches whose employee names carry a unique marker ("ROW-00042|"), findable in the file.
    QList<qint64> addPunches(int count)
    {
        ClockRecords records(m_database);
        QList<qint64> numbers;
        m_database.beginTransaction();
        for (int i = 0; i < count; ++i) {
            ClockRecord r = punchRecord(QStringLiteral("E%1").arg(i % 9),
                                        QDateTime(QDate(2026, 12, 4), QTime(8, 0)).addSecs(i), i % 2 == 1,
                                        QStringLiteral("ROW-%1|").arg(i, 5, 10, QLatin1Char('0')) +
                                            QString(40, QLatin1Char('x')));
            // Rows without a Created time and with mark 0 pack tightly enough that damage to
            // them once sent the salvage round a loop of pages for ever: keep them that way.
            r.created = QDateTime();
            numbers.append(records.append(r));
        }
        m_database.commit();
        return numbers;
    }

    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    void writeBytes(const QByteArray& bytes, const QString& name = QStringLiteral("Clock.mdb")) const
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readBytes(const QString& name = QStringLiteral("Clock.mdb")) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    Database m_database;
};

// Facts read straight from a closed or open database file through a connection of their own.
inline QVariant fileScalar(const QString& path, const QString& sql)
{
    SqliteConnection connection(path, 1000);
    return connection.scalar(sql);
}
inline QString integrityOf(const QString& path)
{
    return fileScalar(path, QStringLiteral("PRAGMA integrity_check")).toString();
}
inline QVariantList recordNumbers(const QString& path)
{
    SqliteConnection connection(path, 1000);
    return connection.column(QStringLiteral(R"(SELECT "Record number" FROM "In Out" ORDER BY 1)"));
}

// Turns a closed database into one of the older file format: unstamped, small pages.
inline void makeOlderFormat(const QString& path)
{
    SqliteConnection c(path, 1000);
    ASSERT_TRUE(c.exec(QStringLiteral("PRAGMA journal_mode=DELETE")));
    ASSERT_TRUE(c.exec(QStringLiteral("PRAGMA page_size=1024")));
    ASSERT_TRUE(c.exec(QStringLiteral("VACUUM")));
    ASSERT_TRUE(c.exec(QStringLiteral("PRAGMA user_version=0")));
}

// The helper process that punches, compacts, migrates or holds a lock until it is killed.
class Child {
public:
    explicit Child(const QStringList& arguments)
    {
        m_process.setProgram(QStringLiteral(TELLARIN_PUNCH_CHILD));
        m_process.setArguments(arguments);
        m_process.start();
    }
    Child(const QString& mode, const QString& folder)
        : Child(QStringList{mode, folder})
    {}
    ~Child()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    // Waits for the first complete line of output; false when the child ends or is silent too long.
    bool waitForLine(int timeoutMs = 10000)
    {
        while (!m_buffer.contains('\n')) {
            if (!m_process.waitForReadyRead(timeoutMs))
                return false;
            m_buffer += m_process.readAllStandardOutput();
        }
        return true;
    }
    // SIGKILL, then every line the child finished writing before it died.
    QList<QByteArray> kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
        m_buffer += m_process.readAllStandardOutput();
        QList<QByteArray> lines = m_buffer.split('\n');
        lines.removeLast(); // a line cut short by the kill is no report
        return lines;
    }
    // Waits for the child to end by itself; every line it wrote, or nothing unless it ended well.
    QList<QByteArray> linesAtExit(int timeoutMs)
    {
        if (!m_process.waitForFinished(timeoutMs) || m_process.exitStatus() != QProcess::NormalExit ||
            m_process.exitCode() != 0)
            return {};
        m_buffer += m_process.readAllStandardOutput();
        QList<QByteArray> lines = m_buffer.split('\n');
        lines.removeLast();
        return lines;
    }
    void closeInput() { m_process.closeWriteChannel(); }
    bool waitForFinished() { return m_process.waitForFinished(10000); }

private:
    QProcess m_process;
    QByteArray m_buffer;
};
