#pragma once

#include "store/EditHistory.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

class Database;

// A manager's decision to let an exception stand: which record and kind, what the records it was
// judged on looked like then ("basis"), the note, who and when.
struct Resolution {
    qint64 recordNumber = 0;
    QString kind;
    QString basis;
    QString note;
    QString user;
    QDateTime when;
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

// Table "Resolved exceptions". Each resolution is written in one transaction with its edit-history
// entry (on the record, which it leaves as it is), so the chain shows who resolved what.
class ResolvedExceptions {
public:
    static const QString resolvedAction; // "Action" of the history entry

    explicit ResolvedExceptions(Database& database);

    // Stores the resolution, replacing an earlier one of the same record and kind.
    void resolve(const Resolution& resolution, const EditStamp& stamp);
    // The resolutions of records numbered from `first` to `last`, keyed by record number and kind.
    QHash<QPair<qint64, QString>, Resolution> between(qint64 first, qint64 last);

private:
    Database& m_database;
};
