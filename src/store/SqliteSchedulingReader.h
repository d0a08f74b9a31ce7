#pragma once

#include "store/SchedulingReader.h"

#include <QSqlQuery>
#include <optional>

// The scheduling database as an SQLite file (what a scheduling export provides), opened read-only.
// The day schedule's keys are the two fields of its index `Day and Employee`, or `Day` (the date as
// yyyy-MM-dd text) and `Employee` when the index is not there.
class SqliteSchedulingReader final : public SchedulingReader {
public:
    SqliteSchedulingReader(const QString& path, int busyTimeoutMs);
    ~SqliteSchedulingReader() override;

    QList<QVariantList> rows(const QString& table, const QStringList& fields) override;
    std::optional<QVariant> startsAndStops(QDate day, const QVariant& employee) override;

private:
    void open(int busyTimeoutMs);
    void close();
    QString tableNamed(const QString& table);
    QStringList columnsNamed(const QString& table, const QStringList& fields);
    QSqlQuery run(const QString& sql, const QVariantList& values = {});
    [[noreturn]] void fail(const QSqlQuery& query);

    QString m_path;
    QString m_connection;
    std::optional<QSqlQuery> m_lookup;
};
