// A damaged scheduling database must be read without a crash: either today's staff, every row
// within its ranges, or a SchedulingError to show.
#include "store/SchedulingLink.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

// The SQLite driver is a plugin, found through the application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The Jet reader is a library of its own; the SQLite path is this program's.
    if (SchedulingFile::formatOf(bytes.left(64)) != SchedulingFile::Format::Sqlite)
        return 0;
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("RTM.MDB"));
    QFile::remove(path);
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(bytes);
    }
    try {
        const SchedulingLink::Snapshot snapshot = SchedulingLink::readFile(path, QDate(2026, 12, 4));
        for (const StaffRow& row : snapshot.rows) {
            if (row.employeeNumber < 1 || row.departmentNumber < 0 || row.start < 0 || row.stop < 0 ||
                row.start > 96 || row.stop > 96)
                std::abort();
        }
    } catch (const SchedulingError&) {
    }
    // Read-only: nothing may be left beside it.
    if (QFile::exists(path + QStringLiteral("-wal")) || QFile::exists(path + QStringLiteral("-journal")))
        std::abort();
    return 0;
}
