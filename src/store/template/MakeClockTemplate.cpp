// Lays out the empty clock database with the program's own upgrade routine: MakeClockTemplate OUTPUT.
#include "store/SchemaUpgrade.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: MakeClockTemplate OUTPUT\n";
        return 2;
    }
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("template"));
        db.setDatabaseName(args.at(1));
        if (!db.open()) {
            QTextStream(stderr) << db.lastError().text() << "\n";
            return 1;
        }
        const SchemaUpgrade::Result result = SchemaUpgrade::upgrade(db, SchemaUpgrade::Backend::File);
        if (result.outcome != SchemaUpgrade::Outcome::Upgraded)
            QTextStream(stderr) << result.message << "\n";
        // Files in the current format carry 40 ("4.0"); files without it are the older format.
        QSqlQuery stamp(db);
        done = result.outcome == SchemaUpgrade::Outcome::Upgraded &&
               stamp.exec(QStringLiteral("PRAGMA user_version = 40"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("template"));
    return done ? 0 : 1;
}
