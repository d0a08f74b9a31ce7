// glib and iconv first: the libmdb header would otherwise include them inside its extern "C" block,
// and glib must not meet Qt's keyword macros.
#include "store/JetReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

namespace {
const QString dayScheduleTable = QStringLiteral("Day schedule");
const QString dayAndEmployeeIndex = QStringLiteral("Day and Employee");

SchedulingError unreadable(const QString& path)
{
    return {SchedulingError::Kind::Unreadable, QStringLiteral("3343"),
            QStringLiteral("Unrecognized database format '%1'.").arg(QDir::toNativeSeparators(path))};
}
} // namespace

QVariant JetValues::toVariant(int columnType, const QByteArray& bound)
{
    if (bound.isEmpty())
        return {};
    switch (columnType) {
    case Boolean:
        return QVariant(bound.trimmed() != "0");
    case Byte:
    case Integer:
    case LongInteger:
        return QVariant(bound.trimmed().toLongLong());
    case Money:
    case Float:
    case Double:
    case Numeric:
        return QVariant(bound.trimmed().toDouble());
    case DateTime: {
        const QDateTime moment = QDateTime::fromString(QString::fromLatin1(bound.trimmed()),
                                                       QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return moment.isValid() ? QVariant(moment) : QVariant();
    }
    default:
        return QVariant(QString::fromUtf8(bound));
    }
}

struct JetReader::Handle {
    MdbHandle* mdb = nullptr;
};

JetReader::JetReader(const QString& path)
    : m_path(path)
    , m_handle(new Handle)
{
    const QByteArray name = QFile::encodeName(path);
    m_handle->mdb = mdb_open(name.constData(), MDB_NOFLAGS); // read-only
    if (!m_handle->mdb || !mdb_read_catalog(m_handle->mdb, MDB_TABLE)) {
        delete m_handle;
        m_handle = nullptr;
        throw unreadable(path);
    }
    mdb_set_date_fmt(m_handle->mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(m_handle->mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(m_handle->mdb);
}

JetReader::~JetReader()
{
    if (m_handle)
        mdb_close(m_handle->mdb);
    delete m_handle;
}

QList<QVariantList> JetReader::rows(const QString& table, const QStringList& fields)
{
    return read(table, fields, false);
}

// With dayScheduleKeys the two key fields of the index `Day and Employee` are read after the fields
// asked for.
QList<QVariantList> JetReader::read(const QString& tableName, const QStringList& fields, bool dayScheduleKeys)
{
    MdbHandle* mdb = m_handle->mdb;
    MdbCatalogEntry* entry = nullptr;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (candidate->object_type == MDB_TABLE &&
            tableName.compare(QString::fromUtf8(candidate->object_name), Qt::CaseInsensitive) == 0)
            entry = candidate;
    }
    if (!entry)
        throw SchedulingError::missingTable(tableName);
    MdbTableDef* table = mdb_read_table(entry);
    if (!table)
        throw unreadable(m_path);
    const std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> owner(table, mdb_free_tabledef);
    mdb_read_columns(table);

    QList<int> columns; // 0-based
    const auto columnNamed = [&](const QString& field) {
        for (guint c = 0; c < table->num_cols; ++c) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            if (field.compare(QString::fromUtf8(column->name), Qt::CaseInsensitive) == 0)
                return static_cast<int>(c);
        }
        throw SchedulingError::missingField(tableName, field);
    };
    for (const QString& field : fields)
        columns.append(columnNamed(field));
    if (dayScheduleKeys) {
        mdb_read_indices(table);
        bool found = false;
        for (guint i = 0; i < table->num_idxs && !found; ++i) {
            const auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
            if (dayAndEmployeeIndex.compare(QString::fromUtf8(index->name), Qt::CaseInsensitive) != 0 ||
                index->num_keys < 2)
                continue;
            columns.append(index->key_col_num[0] - 1);
            columns.append(index->key_col_num[1] - 1);
            found = true;
        }
        if (!found)
            throw SchedulingError(SchedulingError::Kind::MissingTable, QStringLiteral("3015"),
                                  QStringLiteral("The index '%1' of table '%2' is missing from RTM.MDB.")
                                      .arg(dayAndEmployeeIndex, tableName));
    }

    QList<QByteArray> buffers;
    QList<int> types;
    for (const int c : columns) {
        buffers.append(QByteArray(static_cast<qsizetype>(mdb->bind_size) + 1, '\0'));
        types.append(static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c))->col_type);
    }
    // Binding by column overwrites an earlier binding of the same column: a key asked for twice is
    // read into one buffer and copied.
    QList<int> bufferOf;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const qsizetype first = columns.indexOf(columns[i]);
        bufferOf.append(static_cast<int>(first));
        if (first == i)
            mdb_bind_column(table, columns[i] + 1, buffers[i].data(), nullptr);
    }
    mdb_rewind_table(table);
    QList<QVariantList> result;
    while (mdb_fetch_row(table)) {
        QVariantList row;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QByteArray& buffer = buffers[bufferOf[i]];
            row.append(JetValues::toVariant(types[i], QByteArray(buffer.constData())));
        }
        result.append(row);
    }
    return result;
}

std::optional<QVariant> JetReader::startsAndStops(QDate day, const QVariant& employee)
{
    if (m_scheduleDay != day) {
        m_schedule.clear();
        for (const QVariantList& row : read(dayScheduleTable, {QStringLiteral("Starts & Stops")}, true)) {
            if (row[1].toDateTime().date() == day)
                m_schedule.insert(row[2].toString(), row[0]);
        }
        m_scheduleDay = day;
    }
    const auto found = m_schedule.constFind(employee.toString());
    if (found == m_schedule.cend())
        return std::nullopt;
    return *found;
}
