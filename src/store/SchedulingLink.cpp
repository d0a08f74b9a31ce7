#include "store/SchedulingLink.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString title = QStringLiteral("Database");
constexpr int periods = 7;

QString problemLine(const SchedulingError& error)
{
    return QStringLiteral("Database problem.. Error number is: %1.").arg(error.number());
}

// A row the clock cannot take as it stands: named by table, key and field, so it can be corrected in
// the scheduling program. The staff table is then left as it was.
SchedulingError badValue(const QString& table, const QVariant& key, const QString& field, const QString& why)
{
    return SchedulingError(SchedulingError::Kind::BadValue, QStringLiteral("3349"),
                           QStringLiteral("Table %1, row with Employee %2: field %3 %4")
                               .arg(table, key.toString().left(40), field, why));
}

// A whole number within the range, from a number or a text holding one; nothing otherwise.
std::optional<qint64> wholeNumber(const QVariant& value, qint64 low, qint64 high)
{
    bool ok = false;
    qint64 number = 0;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        ok = std::isfinite(d) && d == std::trunc(d) && d >= double(low) && d <= double(high);
        number = ok ? static_cast<qint64>(d) : 0;
    } else {
        number = value.toString().trimmed().toLongLong(&ok);
    }
    return ok && number >= low && number <= high ? std::optional(number) : std::nullopt;
}

// Yes/No as a database keeps it: a boolean, a number (0 is No), or a word; nothing for anything else.
std::optional<bool> yesNo(const QVariant& value)
{
    if (value.isNull())
        return false;
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray) {
        const std::optional<qint64> number =
            wholeNumber(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
        if (value.typeId() == QMetaType::Bool)
            return value.toBool();
        return number ? std::optional(*number != 0) : std::nullopt;
    }
    const QString word = value.toString().trimmed().toLower();
    if (word == QLatin1String("yes") || word == QLatin1String("true") || word == QLatin1String("-1") ||
        word == QLatin1String("1") || word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("no") || word == QLatin1String("false") || word == QLatin1String("0") ||
        word.isEmpty() || word == QLatin1String("off"))
        return false;
    return std::nullopt;
}

// Whether every value the day's periods use lies within a day of quarter hours.
bool periodsFit(const QVariant& text)
{
    constexpr int dayOfQuarters = 96;
    const QString codes = text.isNull() ? QString() : text.toString();
    if (codes.size() < 2 * periods)
        return true; // counts as blanks
    for (int k = 0; k < periods; ++k) {
        const int stop = codes[k + periods].unicode() - 32;
        if (stop < 1)
            continue;
        if (stop > dayOfQuarters)
            return false;
        const int start = codes[k].unicode() - 32;
        if (k == 0 && (start < 0 || start > dayOfQuarters))
            return false;
    }
    return true;
}
} // namespace

SchedulingLink::Period SchedulingLink::decodeStartsAndStops(const QVariant& text)
{
    QString codes = text.isNull() ? QString() : text.toString();
    if (codes.size() < 2 * periods)
        codes = QString(2 * periods, QLatin1Char(' '));
    // The codes are bytes of the Windows code page: a file written on a Western system hands 128
    // (24:00) over as "€", which has to count as 128 again, not as U+20AC.
    const auto code = [&](int i) {
        const int byte = Windows1252::byteOf(codes[i]);
        return byte < 0 ? int(codes[i].unicode()) : byte;
    };
    Period period;
    for (int k = 0; k < periods; ++k) {
        const int stopCode = code(k + periods);
        if (stopCode < 33)
            continue;
        if (k == 0)
            period.start = static_cast<qint16>(code(0) - 32);
        period.stop = static_cast<qint16>(stopCode - 32);
    }
    return period;
}

QString SchedulingLink::employeeName(const QVariant& lastName, const QVariant& firstName)
{
    const QString last = lastName.toString().trimmed();
    const QString first = firstName.toString().trimmed();
    return first.isEmpty() ? last : last + QLatin1Char(' ') + first;
}

SchedulingLink::Snapshot SchedulingLink::read(SchedulingReader& reader, QDate today)
{
    Snapshot snapshot;
    for (const QVariantList& row :
         reader.rows(QStringLiteral("Department"),
                     {QStringLiteral("Dep number"), QStringLiteral("Department name")})) {
        const std::optional<qint64> number = wholeNumber(row[0], 0, std::numeric_limits<qint16>::max());
        if (!number)
            throw SchedulingError(SchedulingError::Kind::BadValue, QStringLiteral("3349"),
                                  QStringLiteral("Table Department: field Dep number holds %1, not a "
                                                 "department number from 0 to 32767")
                                      .arg(row[0].toString().left(40)));
        Department department{static_cast<qint32>(*number), row[1].toString()};
        snapshot.departments.highestNumber = std::max(snapshot.departments.highestNumber, department.number);
        snapshot.departments.entries.append(department);
    }

    const qint32 julian = DayNumber::of(today);
    const QList<QVariantList> employees =
        reader.rows(QStringLiteral("Employee"),
                    {QStringLiteral("Employee"), QStringLiteral("First Name"), QStringLiteral("Last Name"),
                     QStringLiteral("ID"), QStringLiteral("Dep number"), QStringLiteral("Active")});
    const QString table = QStringLiteral("Employee");
    QHash<QString, QString> keyOfId; // an ID in upper case, and the employee whose ID it is
    for (const QVariantList& e : employees) {
        const std::optional<bool> active = yesNo(e[5]);
        if (!active)
            throw badValue(table, e[0], QStringLiteral("Active"),
                           QStringLiteral("holds %1, not yes or no").arg(e[5].toString().left(40)));
        if (!*active)
            continue;
        const std::optional<qint64> key = wholeNumber(e[0], 1, std::numeric_limits<qint32>::max());
        if (!key)
            throw badValue(table, e[0], QStringLiteral("Employee"),
                           QStringLiteral("is not a number from 1 to 2147483647"));
        std::optional<qint64> department = e[4].isNull()
                                               ? std::optional<qint64>(0)
                                               : wholeNumber(e[4], 0, std::numeric_limits<qint16>::max());
        if (!department)
            throw badValue(table, e[0], QStringLiteral("Dep number"),
                           QStringLiteral("holds %1, not a department number from 0 to 32767")
                               .arg(e[4].toString().left(40)));
        StaffRow row;
        row.employee = employeeName(e[2], e[1]);
        row.employeeNumber = static_cast<qint32>(*key);
        row.julian = julian;
        if (!e[3].isNull()) {
            row.employeeId = e[3].toString().trimmed();
            if (row.employeeId.isEmpty()) {
                row.employeeId = QStringLiteral("Blank");
                snapshot.blankEmployeeId = true;
            } else if (const QString other = keyOfId.value(row.employeeId.toUpper()); !other.isEmpty()) {
                // The clock compares IDs without regard to case: two such rows would be one employee.
                throw SchedulingError(SchedulingError::Kind::BadValue, QStringLiteral("3022"),
                                      QStringLiteral("Table Employee, rows with Employee %1 and %2: field ID "
                                                     "holds the same ID %3 (letter case aside)")
                                          .arg(other, e[0].toString(), row.employeeId));
            } else {
                keyOfId.insert(row.employeeId.toUpper(), e[0].toString());
            }
        }
        row.departmentNumber = static_cast<qint16>(*department);
        if (const std::optional<QVariant> codes = reader.startsAndStops(today, e[0])) {
            if (!periodsFit(*codes))
                throw badValue(QStringLiteral("Day schedule"), e[0], QStringLiteral("Starts & Stops"),
                               QStringLiteral("holds a time outside the day"));
            const Period period = decodeStartsAndStops(*codes);
            row.start = period.start;
            row.stop = period.stop;
        }
        snapshot.rows.append(row);
    }
    return snapshot;
}

SchedulingLink::Snapshot SchedulingLink::readFile(const QString& path, QDate today)
{
    const std::unique_ptr<SchedulingReader> reader = SchedulingFile::open(path);
    return read(*reader, today);
}

void SchedulingLink::store(Database& database, const Snapshot& snapshot)
{
    StaffTable(database).replaceAll(snapshot.rows);
}

SchedulingLink::Reaction SchedulingLink::reportFailure(const SchedulingError& error, MessageBoxes& messages,
                                                       QWidget* parent)
{
    const QString nl = QStringLiteral("\n");
    switch (error.kind()) {
    case SchedulingError::Kind::InUse:
        messages.inform(parent, QStringLiteral("Database is in use!") + nl + QStringLiteral("Try later."),
                        title, MessageBoxes::Icon::Critical);
        return Reaction::EndProgram;
    case SchedulingError::Kind::NoAccess:
        messages.inform(parent, problemLine(error) + QStringLiteral("  ") + error.text(), title,
                        MessageBoxes::Icon::Critical);
        return Reaction::EndProgram;
    case SchedulingError::Kind::MissingTable:
    case SchedulingError::Kind::BadValue:
        // Repairing cannot add what the scheduling program never wrote; the clock keeps its staff.
        messages.inform(parent, problemLine(error) + nl + error.text(), title, MessageBoxes::Icon::Critical);
        return Reaction::GoOn;
    case SchedulingError::Kind::Unreadable:
        break;
    }
    const QString question =
        problemLine(error) + nl + error.text() + nl + QStringLiteral("Repair the database?");
    // The scheduling database is never repaired here: Yes gives its program the chance to let go of
    // it and reads it again.
    if (messages.askYesNo(parent, question, title, MessageBoxes::Icon::Critical) == MessageBoxes::Answer::Yes)
        return Reaction::TryAgain;
    return Reaction::EndProgram;
}

std::optional<QString> SchedulingLink::folderOfChosenFile(const QString& chosenFile)
{
    const QFileInfo file(chosenFile);
    if (file.fileName().toUpper() != QLatin1String("RTM.MDB"))
        return std::nullopt;
    QString folder = file.absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}

QString SchedulingLink::fileIn(const ProgramPaths& paths)
{
    const QDir folder(paths.dataFolder());
    const QString name = QStringLiteral("RTM.MDB");
    const QStringList found = folder.entryList({name}, QDir::Files); // name filters ignore case
    return folder.filePath(found.isEmpty() || found.contains(name) ? name : found.first());
}

void SchedulingLink::readInBackground(const QString& path, QDate today, QObject* context,
                                      std::function<void(const Outcome&)> done)
{
    auto outcome = std::make_shared<Outcome>();
    QThread* thread = QThread::create([path, today, outcome] {
        try {
            outcome->snapshot = readFile(path, today);
        } catch (const SchedulingError& error) {
            outcome->error = error;
        } catch (const std::exception& error) {
            outcome->error = SchedulingError(SchedulingError::Kind::Unreadable, QStringLiteral("3000"),
                                             QString::fromLocal8Bit(error.what()));
        }
    });
    QObject::connect(thread, &QThread::finished, context,
                     [outcome, done = std::move(done)] { done(*outcome); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

std::optional<QString> SchedulingLink::acceptChosenFile(const QString& chosenFile, MessageBoxes& messages,
                                                        QWidget* parent)
{
    if (chosenFile.isEmpty())
        return std::nullopt;
    std::optional<QString> folder = folderOfChosenFile(chosenFile);
    if (!folder) {
        messages.beep();
        messages.inform(parent, QStringLiteral("The file you selected is not Rtm.mdb"),
                        QStringLiteral("New database file"), MessageBoxes::Icon::Information);
    }
    return folder;
}
