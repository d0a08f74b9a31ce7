#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <QVariant>
#include <stdexcept>

// Builds a scheduling database as an SQLite file, with only the tables and fields this program reads.
class RtmFixture {
public:
    struct Person {
        QVariant key;
        QVariant first;
        QVariant last;
        QVariant id;
        int department = 0;
        bool active = true;
    };

    explicit RtmFixture(const QString& path, bool withDaySchedule = true)
        : m_connection(QUuid::createUuid().toString())
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(path);
            if (!db.open())
                throw std::runtime_error("cannot make the scheduling fixture");
        }
        exec(R"(CREATE TABLE "Department" ("Dep number" INTEGER, "Department name" TEXT))");
        exec(R"(CREATE TABLE "Employee" ("Employee" INTEGER PRIMARY KEY, "First Name" TEXT, "Last Name" TEXT,
                "ID" TEXT, "Dep number" INTEGER, "Active" BOOLEAN))");
        if (withDaySchedule) {
            exec(R"(CREATE TABLE "Day schedule" ("Day" TEXT, "Employee" INTEGER, "Starts & Stops" TEXT))");
            exec(R"(CREATE INDEX "Day and Employee" ON "Day schedule" ("Day", "Employee"))");
        }
    }
    ~RtmFixture()
    {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }

    void department(int number, const QString& name)
    {
        exec(R"(INSERT INTO "Department" VALUES (?, ?))", {number, name});
    }
    void employee(const Person& p)
    {
        exec(R"(INSERT INTO "Employee" VALUES (?, ?, ?, ?, ?, ?))",
             {p.key, p.first, p.last, p.id, p.department, p.active});
    }
    void schedule(QDate day, int key, const QVariant& startsAndStops)
    {
        exec(R"(DELETE FROM "Day schedule" WHERE "Day" = ? AND "Employee" = ?)",
             {day.toString(Qt::ISODate), key});
        exec(R"(INSERT INTO "Day schedule" VALUES (?, ?, ?))",
             {day.toString(Qt::ISODate), key, startsAndStops});
    }
    // The 14 characters of one period from start to stop, in quarter hours.
    static QString period(int start, int stop)
    {
        QString codes(14, QLatin1Char(' '));
        codes[0] = QChar(start + 32);
        codes[7] = QChar(stop + 32);
        return codes;
    }
    void exec(const char* sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database(m_connection, false));
        q.prepare(QString::fromUtf8(sql));
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
    }

private:
    QString m_connection;
};
