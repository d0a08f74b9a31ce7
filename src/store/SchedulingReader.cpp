#include "store/SchedulingReader.h"

#include "store/JetReader.h"
#include "store/SqliteSchedulingReader.h"

#include <QDir>
#include <QFile>

SchedulingError::SchedulingError(Kind kind, QString number, QString text)
    : std::runtime_error(text.toStdString())
    , m_kind(kind)
    , m_number(std::move(number))
    , m_text(std::move(text))
{}

// The numbers are the ones the scheduling product's own engine gives for the same failures, so a
// message read out over the telephone means the same to its support.
SchedulingError SchedulingError::missingTable(const QString& table)
{
    return {Kind::MissingTable, QStringLiteral("3078"),
            QStringLiteral("The table '%1' is missing from RTM.MDB.").arg(table)};
}

SchedulingError SchedulingError::missingField(const QString& table, const QString& field)
{
    return {Kind::MissingTable, QStringLiteral("3265"),
            QStringLiteral("The field '%1' of table '%2' is missing from RTM.MDB.").arg(field, table)};
}

SchedulingFile::Format SchedulingFile::formatOf(const QByteArray& header)
{
    if (header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return Format::Sqlite;
    const QByteArray jetMark = header.mid(4, 16);
    if (jetMark == QByteArrayLiteral("Standard Jet DB\0") ||
        jetMark == QByteArrayLiteral("Standard ACE DB\0"))
        return Format::Jet;
    return Format::Unknown;
}

std::unique_ptr<SchedulingReader> SchedulingFile::open(const QString& path, int busyTimeoutMs)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.exists())
        throw SchedulingError(SchedulingError::Kind::Unreadable, QStringLiteral("3024"),
                              QStringLiteral("Could not find file '%1'.").arg(shown));
    if (!file.open(QIODevice::ReadOnly))
        throw SchedulingError(SchedulingError::Kind::NoAccess, QStringLiteral("3051"),
                              QStringLiteral("The file '%1' cannot be opened for reading (%2).")
                                  .arg(shown, file.errorString()));
    const QByteArray header = file.read(32);
    file.close();
    switch (formatOf(header)) {
    case Format::Sqlite:
        return std::make_unique<SqliteSchedulingReader>(path, busyTimeoutMs);
    case Format::Jet:
        return std::make_unique<JetReader>(path);
    case Format::Unknown:
        break;
    }
    throw SchedulingError(SchedulingError::Kind::Unreadable, QStringLiteral("3343"),
                          QStringLiteral("Unrecognized database format '%1'.").arg(shown));
}
