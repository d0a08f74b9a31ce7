#include "store/SchedulingLink.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {
const QString title = QStringLiteral("Database");
constexpr int periods = 7;

QString problemLine(const SchedulingError& error)
{
    return QStringLiteral("Database problem.. Error number is: %1.").arg(error.number());
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
        Department department{row[0].toInt(), row[1].toString()};
        snapshot.departments.highestNumber = std::max(snapshot.departments.highestNumber, department.number);
        snapshot.departments.entries.append(department);
    }

    const qint32 julian = DayNumber::of(today);
    const QList<QVariantList> employees =
        reader.rows(QStringLiteral("Employee"),
                    {QStringLiteral("Employee"), QStringLiteral("First Name"), QStringLiteral("Last Name"),
                     QStringLiteral("ID"), QStringLiteral("Dep number"), QStringLiteral("Active")});
    for (const QVariantList& e : employees) {
        if (!e[5].toBool())
            continue;
        StaffRow row;
        row.employee = employeeName(e[2], e[1]);
        row.employeeNumber = e[0].toInt();
        row.julian = julian;
        if (!e[3].isNull()) {
            row.employeeId = e[3].toString().trimmed();
            if (row.employeeId.isEmpty()) {
                row.employeeId = QStringLiteral("Blank");
                snapshot.blankEmployeeId = true;
            }
        }
        row.departmentNumber = static_cast<qint16>(e[4].toInt());
        if (const std::optional<QVariant> codes = reader.startsAndStops(today, e[0])) {
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
