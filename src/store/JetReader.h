#pragma once

#include "store/SchedulingReader.h"

#include <QHash>

// The values libmdb hands over as text, turned into the types of their columns.
namespace JetValues {
// Column types as libmdb numbers them.
enum ColumnType {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    LongInteger = 0x04,
    Money = 0x05,
    Float = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Text = 0x0a,
    Memo = 0x0c,
    Numeric = 0x10,
};
// The bound text of a column: booleans as 1 or 0, dates as yyyy-MM-dd hh:mm:ss, text in UTF-8.
// libmdb binds a Null as an empty text, so an empty value is Null whatever the type.
QVariant toVariant(int columnType, const QByteArray& bound);
} // namespace JetValues

// The scheduling database as a Jet (Access) file, read through libmdb, which only ever reads: the
// file is neither written nor locked against the scheduling program.
class JetReader final : public SchedulingReader {
public:
    explicit JetReader(const QString& path);
    ~JetReader() override;
    JetReader(const JetReader&) = delete;
    JetReader& operator=(const JetReader&) = delete;

    QList<QVariantList> rows(const QString& table, const QStringList& fields) override;
    std::optional<QVariant> startsAndStops(QDate day, const QVariant& employee) override;

private:
    struct Handle;
    QList<QVariantList> read(const QString& table, const QStringList& fields, bool dayScheduleKeys);

    QString m_path;
    Handle* m_handle = nullptr;
    QDate m_scheduleDay;                 // the day whose schedule rows are held
    QHash<QString, QVariant> m_schedule; // employee key as text -> Starts & Stops
};
