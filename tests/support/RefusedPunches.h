#pragma once

#include "store/Database.h"
#include "store/DatabaseLocation.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

// Makes the server refuse every new clock record with an error of its own (not a lost connection),
// or accept them again: a fault that a station must survive without losing a punch.
inline void refusePunches(const QString& url, bool refuse)
{
    Database database;
    ASSERT_TRUE(database.openServer(*DatabaseLocation::parse(url)).ok());
    QSqlQuery query(database.connection());
    const QStringList statements =
        refuse ? QStringList{QStringLiteral("CREATE OR REPLACE FUNCTION refuse_punch() RETURNS trigger "
                                            "LANGUAGE plpgsql AS $$BEGIN RAISE EXCEPTION 'refused for the "
                                            "test'; END$$"),
                             QStringLiteral(R"(CREATE TRIGGER refuse_punch BEFORE INSERT ON "In Out" )"
                                            R"(FOR EACH ROW EXECUTE FUNCTION refuse_punch())")}
               : QStringList{QStringLiteral(R"(DROP TRIGGER refuse_punch ON "In Out")")};
    for (const QString& sql : statements)
        ASSERT_TRUE(query.exec(sql)) << qPrintable(query.lastError().text());
}
