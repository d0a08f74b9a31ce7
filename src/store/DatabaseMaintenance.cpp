#include "store/DatabaseMaintenance.h"

#include "platform/ProgramPaths.h"
#include "store/ApplicationTable.h"
#include "store/ClockFiles.h"
#include "store/DatabaseError.h"

Database::OpenResult DatabaseMaintenance::openClockDatabase(Database& database, const ProgramPaths& paths) {
    QString error;
    if (!ClockFiles::ensureClockDatabase(paths, &error)) {
        Database::OpenResult result;
        result.status = Database::OpenStatus::Damaged;
        result.errorNumber = QStringLiteral("0");
        result.errorText = error;
        return result;
    }
    return database.open(paths.clockDatabase());
}

bool DatabaseMaintenance::repair(Database&, const ProgramPaths&, QString*) {
    return true;
}

int DatabaseMaintenance::layoutVersion(Database& database) {
    try {
        const QVariant version = ApplicationTable(database).read().value(QStringLiteral("Version"));
        return version.isNull() ? 0 : version.toInt();
    } catch (const DatabaseError&) {
        return 0;
    }
}

void DatabaseMaintenance::CheckDBversion(Database&) {}

DatabaseMaintenance::Result DatabaseMaintenance::compact(Database&, const ProgramPaths&) {
    return Result::Done;
}

DatabaseMaintenance::Result DatabaseMaintenance::migrate(Database&, const ProgramPaths&, const QDateTime&) {
    return Result::Done;
}

QString DatabaseMaintenance::fileFormatVersion(Database&) {
    return QStringLiteral("4.0");
}
