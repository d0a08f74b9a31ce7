#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Where the clock data lives: the embedded file in the data folder (the default) or a PostgreSQL
// server named by a URL, chosen by --database, else TELLARIN_DATABASE, else the station settings.
class DatabaseLocation {
public:
    enum class Kind { File, Server };

    DatabaseLocation() = default;
    static DatabaseLocation file() { return {}; }
    // postgresql://[user[:password]@][host][:port][/database][?host=/socket/folder&...]; also
    // postgres://. Empty or "file" means the embedded file. nullopt with a reason when malformed.
    static std::optional<DatabaseLocation> parse(const QString& url, QString* error = nullptr);

    Kind kind() const { return m_kind; }
    bool isServer() const { return m_kind == Kind::Server; }
    const QString& host() const { return m_host; }
    int port() const { return m_port; }
    const QString& user() const { return m_user; }
    const QString& databaseName() const { return m_databaseName; }
    // Only what the URL itself carried; otherwise libpq's own sources (PGPASSWORD, ~/.pgpass).
    const QString& password() const { return m_password; }
    // libpq keywords from the query string (sslmode, connect_timeout, ...), "key=value;..." form.
    const QString& connectOptions() const { return m_options; }
    // The URL without its password: what may be shown or kept.
    QString displayUrl() const;

private:
    Kind m_kind = Kind::File;
    QString m_host;
    int m_port = -1;
    QString m_user;
    QString m_databaseName;
    QString m_password;
    QString m_options;
};

// The station's own settings, kept in Station.ini in its program folder: the database it uses and
// the name it gives its queued punches. Never a password.
class StationSettings {
public:
    explicit StationSettings(const QString& programFolder);

    QString databaseUrl() const;
    void setDatabaseUrl(const QString& url);
    // A stable name for this station: kept once chosen; the machine's host name and the program
    // folder's name at first.
    QString stationName();
    // Whether the first-start welcome was closed on this station; it is not shown again after.
    bool welcomeDismissed() const;
    void setWelcomeDismissed();

    // --database URL, else TELLARIN_DATABASE, else the kept URL. nullopt with a reason when the
    // chosen URL is malformed.
    static std::optional<DatabaseLocation> resolve(const QStringList& arguments, const QString& environment,
                                                   const StationSettings& settings, QString* error);

private:
    QString m_path;
};
