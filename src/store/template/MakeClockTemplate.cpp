// Builds the empty clock database from its schema: MakeClockTemplate SCHEMA.sql OUTPUT.
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: MakeClockTemplate SCHEMA.sql OUTPUT\n";
        return 2;
    }
    QFile schema(args.at(1));
    if (!schema.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream(stderr) << "cannot read " << args.at(1) << "\n";
        return 1;
    }
    QString text = QString::fromUtf8(schema.readAll());
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));

    int failures = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("template"));
        db.setDatabaseName(args.at(2));
        if (!db.open()) {
            QTextStream(stderr) << db.lastError().text() << "\n";
            return 1;
        }
        const QStringList statements = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& statement : statements) {
            if (statement.trimmed().isEmpty())
                continue;
            QSqlQuery query(db);
            if (!query.exec(statement)) {
                QTextStream(stderr) << query.lastError().text() << "\n" << statement << "\n";
                ++failures;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("template"));
    return failures == 0 ? 0 : 1;
}
