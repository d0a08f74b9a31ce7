#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A PostgreSQL server of the test program's own: initdb into a temporary folder, listening only on
// a Unix socket in that folder (no TCP port), stopped and removed when the program ends.
class PostgresServer {
public:
    // The one server of this test program, started on first use.
    static PostgresServer& shared();
    // Empty when a server can be started here; otherwise why not (binaries or driver missing).
    static QString missingReason();

    // A durable server forces every commit to the disk as a real one does (for timings); the tests'
    // throw-away servers do not.
    explicit PostgresServer(bool durable = false);
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    bool isRunning() const { return m_running; }
    const QString& error() const { return m_error; }
    QString socketFolder() const;
    // A new empty database under a name unique in this server; its URL.
    QString createDatabase(const QString& prefix = QStringLiteral("clock"));
    QString url(const QString& databaseName) const;
    // For tests of a server that goes away and comes back; the data stays.
    bool stop();
    bool start();

private:
    bool run(const QStringList& command, QString* output = nullptr);

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_binaries;
    bool m_running = false;
    QString m_error;
    int m_databases = 0;
    bool m_durable = false;
};

// Skips the test, with the reason shown, where no server can be started.
#define TELLARIN_REQUIRE_POSTGRES()                                                                          \
    do {                                                                                                     \
        if (const QString reason = PostgresServer::missingReason(); !reason.isEmpty())                       \
            GTEST_SKIP() << qPrintable(reason);                                                              \
        ASSERT_TRUE(PostgresServer::shared().isRunning()) << qPrintable(PostgresServer::shared().error());   \
    } while (false)
