#include "store/StaffFiles.h"

#include "platform/ProgramPaths.h"
#include "store/Windows1252.h"

#include <QFile>
#include <QSaveFile>
#include <limits>

namespace {
constexpr int employeeLines = 10;
constexpr int departmentLines = 4;
constexpr qsizetype maxEntries = 32767; // the lists count in 16 bits
const QByteArray lineEnd = QByteArrayLiteral("\r\n");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// CR LF ends a line; a lone CR or LF is accepted too, for files that went through another editor.
// A last line without its line end still counts.
QList<QByteArrayView> splitLines(const QByteArray& bytes)
{
    QList<QByteArrayView> lines;
    const QByteArrayView all(bytes);
    qsizetype begin = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const char c = all[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(all.sliced(begin, i - begin));
        if (c == '\r' && i + 1 < all.size() && all[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < all.size())
        lines.append(all.sliced(begin));
    return lines;
}

// A field ends at a comma, which is why the editors never let one into a name.
QByteArrayView fieldOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma >= 0)
        line = line.first(comma);
    qsizetype first = 0;
    while (first < line.size() && isBlank(line[first]))
        ++first;
    return line.sliced(first);
}

QString textField(QByteArrayView line)
{
    return Windows1252::decode(fieldOf(line));
}

// A number that does not fit the field reads as 0, like any other non-number.
template <typename T> T numberField(QByteArrayView line)
{
    bool ok = false;
    const qint64 value = fieldOf(line).trimmed().toLongLong(&ok);
    return ok && value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max()
               ? static_cast<T>(value)
               : T(0);
}

Money moneyField(QByteArrayView line)
{
    return Money::parse(QString::fromLatin1(fieldOf(line))).value_or(Money());
}

void raiseHighest(qint32& highest, qint32 number)
{
    if (number > highest && number <= highestStaffNumber)
        highest = number;
}

void appendNumber(QByteArray& out, const QString& plain)
{
    if (!plain.startsWith(QLatin1Char('-')))
        out.append(' ');
    out.append(plain.toLatin1()).append(' ').append(lineEnd);
}

void appendNumber(QByteArray& out, qint64 number)
{
    appendNumber(out, QString::number(number));
}

// Commas and line breaks would split the field when read back, leading blanks would be dropped.
QByteArray fileText(const QString& text)
{
    QByteArray bytes = Windows1252::encode(text);
    for (char& c : bytes) {
        if (c == ',' || c == '\r' || c == '\n')
            c = ' ';
    }
    qsizetype first = 0;
    while (first < bytes.size() && isBlank(bytes[first]))
        ++first;
    return bytes.sliced(first);
}

void appendText(QByteArray& out, const QByteArray& text)
{
    out.append(text).append(lineEnd);
}

void appendCodes(QByteArray& out, QByteArray codes)
{
    for (char& c : codes) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    out.append(codes).append(lineEnd);
}

void appendReserved(QByteArray& out)
{
    out.append(' ').append(lineEnd);
    appendNumber(out, 0);
}

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
} // namespace

QString StaffFiles::employeeFile(const ProgramPaths& paths)
{
    return paths.findInProgramFolder(QStringLiteral("Empl.DAT"));
}

QString StaffFiles::departmentFile(const ProgramPaths& paths)
{
    return paths.findInProgramFolder(QStringLiteral("Dept.DAT"));
}

EmployeeList StaffFiles::readEmployees(const QByteArray& bytes)
{
    const QList<QByteArrayView> lines = splitLines(bytes);
    EmployeeList list;
    for (qsizetype at = 0; at + employeeLines <= lines.size() && list.count() < maxEntries;
         at += employeeLines) {
        Employee e;
        e.employeeNumber = numberField<qint32>(lines[at]);
        e.name = textField(lines[at + 1]);
        e.employeeId = textField(lines[at + 2]);
        e.departmentNumber = numberField<qint16>(lines[at + 3]);
        e.pay = moneyField(lines[at + 4]);
        e.active = numberField<qint64>(lines[at + 5]) != 0;
        e.schedule = WeeklySchedule(lines[at + 6].toByteArray(), lines[at + 7].toByteArray());
        // lines 9 and 10 are reserved
        raiseHighest(list.highestNumber, e.employeeNumber);
        list.entries.append(e);
    }
    return list;
}

DepartmentList StaffFiles::readDepartments(const QByteArray& bytes)
{
    const QList<QByteArrayView> lines = splitLines(bytes);
    DepartmentList list;
    for (qsizetype at = 0; at + departmentLines <= lines.size() && list.count() < maxEntries;
         at += departmentLines) {
        Department d;
        d.number = numberField<qint32>(lines[at]);
        d.name = textField(lines[at + 1]);
        // lines 3 and 4 are reserved
        raiseHighest(list.highestNumber, d.number);
        list.entries.append(d);
    }
    return list;
}

QByteArray StaffFiles::employeeBytes(const QList<Employee>& employees)
{
    QByteArray out;
    for (const Employee& e : employees) {
        if (e.employeeNumber <= 0)
            continue;
        appendNumber(out, e.employeeNumber);
        appendText(out, fileText(e.name));
        appendText(out, fileText(e.employeeId));
        appendNumber(out, e.departmentNumber);
        appendNumber(out, e.pay.toString());
        appendNumber(out, e.active ? -1 : 0);
        appendCodes(out, e.schedule.startCodes());
        appendCodes(out, e.schedule.stopCodes());
        appendReserved(out);
    }
    return out;
}

QByteArray StaffFiles::departmentBytes(const QList<Department>& departments)
{
    QByteArray out;
    for (const Department& d : departments) {
        const QByteArray name = fileText(d.name);
        if (name.isEmpty())
            continue;
        appendNumber(out, d.number);
        appendText(out, name);
        appendReserved(out);
    }
    return out;
}

EmployeeList StaffFiles::loadEmployees(const QString& path)
{
    return readEmployees(readWhole(path));
}

DepartmentList StaffFiles::loadDepartments(const QString& path)
{
    return readDepartments(readWhole(path));
}

bool StaffFiles::writeEmployees(const QString& path, const QList<Employee>& employees)
{
    return writeWhole(path, employeeBytes(employees));
}

bool StaffFiles::writeDepartments(const QString& path, const QList<Department>& departments)
{
    return writeWhole(path, departmentBytes(departments));
}
