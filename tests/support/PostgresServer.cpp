#include "PostgresServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {
// Debian keeps the server programs out of PATH, one folder per major version.
QString findBinaries()
{
    if (const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pg_ctl")); !onPath.isEmpty())
        return QFileInfo(onPath).canonicalPath();
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    const QStringList found =
        versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& version : found) {
        const QString bin = versions.filePath(version + QStringLiteral("/bin"));
        if (QFileInfo::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

// The server refuses to run as root; there it runs as Debian's postgres account.
const passwd* serverAccount()
{
    return geteuid() == 0 ? getpwnam("postgres") : nullptr;
}
} // namespace

PostgresServer& PostgresServer::shared()
{
    static PostgresServer server;
    return server;
}

QString PostgresServer::missingReason()
{
    if (findBinaries().isEmpty())
        return QStringLiteral("PostgreSQL server programs (Debian package postgresql) are not installed");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("Qt's PostgreSQL driver (Debian package libqt6sql6-psql) is not installed");
    if (geteuid() == 0 && !serverAccount())
        return QStringLiteral("running as root without a postgres account to run the server as");
    return {};
}

PostgresServer::PostgresServer(bool durable)
    : m_folder(std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tellarin-pg-XXXXXX")))
    , m_binaries(findBinaries())
    , m_durable(durable)
{
    if (!missingReason().isEmpty()) {
        m_error = missingReason();
        return;
    }
    if (const passwd* account = serverAccount()) {
        if (chown(QFile::encodeName(m_folder->path()).constData(), account->pw_uid, account->pw_gid) != 0) {
            m_error = QStringLiteral("cannot hand %1 to the postgres account").arg(m_folder->path());
            return;
        }
    }
    QString output;
    if (!run({m_binaries + QStringLiteral("/initdb"), QStringLiteral("-D"),
              m_folder->filePath(QStringLiteral("data")), QStringLiteral("-A"), QStringLiteral("trust"),
              QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")},
             &output)) {
        m_error = QStringLiteral("initdb failed: ") + output;
        return;
    }
    start();
}

PostgresServer::~PostgresServer()
{
    if (m_running)
        stop();
}

QString PostgresServer::socketFolder() const
{
    return m_folder->path();
}

bool PostgresServer::run(const QStringList& command, QString* output)
{
    QStringList arguments = command;
    QString program = arguments.takeFirst();
    if (const passwd* account = serverAccount()) {
        arguments.prepend(program);
        arguments.prepend(QStringLiteral("--"));
        arguments.prepend(QString::fromLocal8Bit(account->pw_name));
        arguments.prepend(QStringLiteral("-u"));
        program = QStringLiteral("runuser");
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_folder->path());
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PostgresServer::start()
{
    QString output;
    // No TCP port at all: the tests reach the server through the socket in its own folder. Its data
    // is thrown away with the folder, so nothing is forced to the disk: each new database and the
    // last checkpoint would otherwise wait for the disk that other programs share.
    m_running =
        run({m_binaries + QStringLiteral("/pg_ctl"), QStringLiteral("-D"),
             m_folder->filePath(QStringLiteral("data")), QStringLiteral("-l"),
             m_folder->filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("-o"),
             QStringLiteral("-k %1 -c listen_addresses='' -c max_connections=60 -c fsync=%2")
                 .arg(m_folder->path(), m_durable ? QStringLiteral("on") : QStringLiteral("off")),
             QStringLiteral("start")},
            &output);
    if (!m_running)
        m_error = QStringLiteral("pg_ctl start failed: ") + output;
    return m_running;
}

bool PostgresServer::stop()
{
    const bool stopped = run({m_binaries + QStringLiteral("/pg_ctl"), QStringLiteral("-D"),
                              m_folder->filePath(QStringLiteral("data")), QStringLiteral("-m"),
                              QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
    if (stopped)
        m_running = false;
    return stopped;
}

QString PostgresServer::url(const QString& databaseName) const
{
    return QStringLiteral("postgresql://postgres@/%1?host=%2").arg(databaseName, m_folder->path());
}

QString PostgresServer::createDatabase(const QString& prefix)
{
    const QString name =
        QStringLiteral("%1_%2_%3").arg(prefix).arg(QCoreApplication::applicationPid()).arg(++m_databases);
    const QString connection = QStringLiteral("tellarin-test-admin");
    bool created = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(m_folder->path());
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(QStringLiteral("postgres"));
        if (db.open()) {
            QSqlQuery query(db);
            created = query.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
            if (!created)
                m_error = query.lastError().text();
        } else {
            m_error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return created ? url(name) : QString();
}
