#include "store/IntegrityCheck.h"

#include "store/DatabaseError.h"

#include <QMetaObject>
#include <QObject>
#include <QStringList>
#include <sqlite3.h>

namespace {
constexpr int busyTimeoutMs = 3000;
// Problems listed before the check gives up: enough to tell the user what is wrong.
constexpr int problemLimit = 20;

int stopRequested(void* stop)
{
    return static_cast<const std::atomic_bool*>(stop)->load() ? 1 : 0;
}

// Closes the connection however the check ends.
struct Connection {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    ~Connection()
    {
        sqlite3_finalize(statement);
        sqlite3_close_v2(db);
    }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db)); }
};
} // namespace

IntegrityCheck::~IntegrityCheck()
{
    stop();
}

std::optional<IntegrityCheck::Damage> IntegrityCheck::run(const QString& path, const std::atomic_bool& stop)
{
    Connection c;
    int code = sqlite3_open_v2(path.toUtf8().constData(), &c.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                               nullptr);
    if (code != SQLITE_OK)
        return DatabaseError::isDamage(QString::number(code))
                   ? std::optional(Damage{QString::number(code), c.error()})
                   : std::nullopt;
    sqlite3_busy_timeout(c.db, busyTimeoutMs);
    sqlite3_progress_handler(c.db, 1000, &stopRequested, const_cast<std::atomic_bool*>(&stop));
    const QByteArray sql =
        QByteArrayLiteral("PRAGMA integrity_check(") + QByteArray::number(problemLimit) + ')';
    code = sqlite3_prepare_v2(c.db, sql.constData(), -1, &c.statement, nullptr);
    QStringList problems;
    while (code == SQLITE_OK || code == SQLITE_ROW) {
        code = sqlite3_step(c.statement);
        if (code == SQLITE_ROW)
            problems.append(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(c.statement, 0))));
    }
    if (code != SQLITE_DONE) {
        // A page too damaged to be checked ends the check with the engine's own error.
        if (!stop && DatabaseError::isDamage(QString::number(sqlite3_extended_errcode(c.db))))
            return Damage{QString::number(sqlite3_extended_errcode(c.db)), c.error()};
        return std::nullopt;
    }
    if (problems == QStringList{QStringLiteral("ok")} || problems.isEmpty())
        return std::nullopt;
    if (problems.size() >= problemLimit)
        problems.append(QStringLiteral("..."));
    return Damage{QStringLiteral("11"), problems.join(QStringLiteral("\r\n"))};
}

void IntegrityCheck::start(const QString& path, QObject* receiver, std::function<void(const Damage&)> found)
{
    stop();
    m_stop = false;
    // The receiver outlives the thread: its owner stops the check before it goes.
    m_thread = std::thread([this, path, receiver, found = std::move(found)] {
        const std::optional<Damage> damage = run(path, m_stop);
        if (damage && !m_stop)
            QMetaObject::invokeMethod(
                receiver, [found, damage = *damage] { found(damage); }, Qt::QueuedConnection);
    });
}

void IntegrityCheck::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}
