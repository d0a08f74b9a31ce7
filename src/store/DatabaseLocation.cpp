#include "store/DatabaseLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QUrl>
#include <QUuid>

namespace {
QString decoded(const QString& part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Takes "--database URL" or "--database=URL" out of the arguments; nullopt when absent.
std::optional<QString> databaseArgument(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--database") && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (a.startsWith(QLatin1String("--database=")))
            return a.mid(11);
    }
    return std::nullopt;
}

const QString urlKey = QStringLiteral("database/url");
const QString stationKey = QStringLiteral("station/name");
} // namespace

std::optional<DatabaseLocation> DatabaseLocation::parse(const QString& url, QString* error)
{
    const QString text = url.trimmed();
    if (text.isEmpty() || text.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
        return file();
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    const QString scheme = schemeEnd < 0 ? QString() : text.left(schemeEnd).toLower();
    if (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")) {
        fail(error, QStringLiteral("The database address %1 is not a postgresql:// URL.").arg(text));
        return std::nullopt;
    }
    DatabaseLocation location;
    location.m_kind = Kind::Server;
    QString rest = text.mid(schemeEnd + 3);
    QString query;
    if (const qsizetype q = rest.indexOf(QLatin1Char('?')); q >= 0) {
        query = rest.mid(q + 1);
        rest.truncate(q);
    }
    QString authority = rest;
    if (const qsizetype slash = rest.indexOf(QLatin1Char('/')); slash >= 0) {
        authority = rest.left(slash);
        location.m_databaseName = decoded(rest.mid(slash + 1));
    }
    if (const qsizetype at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const QString userInfo = authority.left(at);
        authority = authority.mid(at + 1);
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        location.m_user = decoded(colon < 0 ? userInfo : userInfo.left(colon));
        if (colon >= 0)
            location.m_password = decoded(userInfo.mid(colon + 1));
    }
    QString portText;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0) {
            fail(error, QStringLiteral("The database address %1 has an unclosed [ in its host.").arg(text));
            return std::nullopt;
        }
        location.m_host = authority.mid(1, close - 1);
        if (authority.mid(close + 1).startsWith(QLatin1Char(':')))
            portText = authority.mid(close + 2);
    } else {
        const qsizetype colon = authority.lastIndexOf(QLatin1Char(':'));
        location.m_host = decoded(colon < 0 ? authority : authority.left(colon));
        if (colon >= 0)
            portText = authority.mid(colon + 1);
    }
    QStringList options;
    bool badOption = false;
    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        const QString key = decoded(eq < 0 ? pair : pair.left(eq));
        const QString value = eq < 0 ? QString() : decoded(pair.mid(eq + 1));
        if (key == QLatin1String("host"))
            location.m_host = value;
        else if (key == QLatin1String("port"))
            portText = value;
        else if (key == QLatin1String("user"))
            location.m_user = value;
        else if (key == QLatin1String("dbname"))
            location.m_databaseName = value;
        else if (key == QLatin1String("password"))
            location.m_password = value;
        else if (value.contains(QLatin1Char(';')))
            badOption = !fail(error, QStringLiteral("The database option %1 may not contain ';'.").arg(key));
        else
            options.append(key + QLatin1Char('=') + value);
    }
    if (badOption)
        return std::nullopt;
    if (!portText.isEmpty()) {
        bool ok = false;
        location.m_port = portText.toInt(&ok);
        if (!ok || location.m_port <= 0 || location.m_port > 65535) {
            fail(error, QStringLiteral("The database address %1 has a bad port number.").arg(text));
            return std::nullopt;
        }
    }
    location.m_options = options.join(QLatin1Char(';'));
    return location;
}

QString DatabaseLocation::displayUrl() const
{
    if (!isServer())
        return QStringLiteral("file");
    QString url = QStringLiteral("postgresql://");
    if (!m_user.isEmpty())
        url += QString::fromUtf8(QUrl::toPercentEncoding(m_user)) + QLatin1Char('@');
    const bool socketFolder = m_host.startsWith(QLatin1Char('/'));
    if (!socketFolder)
        url += m_host.contains(QLatin1Char(':')) ? QLatin1Char('[') + m_host + QLatin1Char(']') : m_host;
    if (m_port > 0)
        url += QLatin1Char(':') + QString::number(m_port);
    url += QLatin1Char('/') + QString::fromUtf8(QUrl::toPercentEncoding(m_databaseName));
    QStringList query;
    if (socketFolder)
        query.append(QStringLiteral("host=") + m_host);
    for (const QString& option : m_options.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        query.append(option);
    if (!query.isEmpty())
        url += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return url;
}

StationSettings::StationSettings(const QString& programFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("Station.ini")))
{}

QString StationSettings::databaseUrl() const
{
    return QSettings(m_path, QSettings::IniFormat).value(urlKey).toString();
}

void StationSettings::setDatabaseUrl(const QString& url)
{
    // A password typed into the URL is left to libpq's own sources rather than kept in plain text.
    const std::optional<DatabaseLocation> location = DatabaseLocation::parse(url);
    QSettings settings(m_path, QSettings::IniFormat);
    if (!location || !location->isServer())
        settings.remove(urlKey);
    else
        settings.setValue(urlKey, location->displayUrl());
}

bool StationSettings::welcomeDismissed() const
{
    return QSettings(m_path, QSettings::IniFormat).value(QStringLiteral("welcome/dismissed")).toBool();
}

void StationSettings::setWelcomeDismissed()
{
    QSettings(m_path, QSettings::IniFormat).setValue(QStringLiteral("welcome/dismissed"), true);
}

QString StationSettings::stationName()
{
    QSettings settings(m_path, QSettings::IniFormat);
    QString name = settings.value(stationKey).toString();
    if (name.isEmpty()) {
        // The queued punches' keys rest on it: a folder copied to another machine, or two machines of
        // the same name, must still give distinct stations.
        name = QSysInfo::machineHostName() + QLatin1Char('/') +
               QFileInfo(QFileInfo(m_path).absolutePath()).fileName() + QLatin1Char('/') +
               QUuid::createUuid().toString(QUuid::Id128).left(8);
        settings.setValue(stationKey, name);
        settings.sync();
    }
    return name;
}

std::optional<DatabaseLocation> StationSettings::resolve(const QStringList& arguments,
                                                         const QString& environment,
                                                         const StationSettings& settings, QString* error)
{
    if (const std::optional<QString> argument = databaseArgument(arguments))
        return DatabaseLocation::parse(*argument, error);
    if (!environment.trimmed().isEmpty())
        return DatabaseLocation::parse(environment, error);
    return DatabaseLocation::parse(settings.databaseUrl(), error);
}
