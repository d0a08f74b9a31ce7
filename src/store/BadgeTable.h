#pragma once

#include "store/EditHistory.h"

#include <QList>
#include <QString>
#include <optional>

class Database;

// A card or barcode number as the clock keeps it: the reader's text, or with a reader that sends
// hexadecimal the decimal number printed on the card.
namespace BadgeNumber {
// The longest number kept; barcodes and QR codes can be long, cards are 8 to 14 digits.
constexpr int longest = 40;

// The number as typed or read: trimmed; nothing when it is empty, too long or holds a blank or a
// control character.
std::optional<QString> typed(const QString& text);
// What a reader sent, as the number printed on the card. With `hex`, hexadecimal of up to 8 digits
// is the card's 32-bit number and up to 10 digits carries a leading maker's byte that cards do not
// print: both are read as that 32-bit number in 10 decimal digits ("0044DA59" is "0004512345").
// Longer hexadecimal is read whole, in decimal without padding, up to 16 digits. Anything that is not
// hexadecimal, and everything without `hex`, is kept as it came.
QString fromReader(const QString& read, bool hex);
} // namespace BadgeNumber

struct BadgeRow {
    QString badge;
    QString employeeId; // in the form IDs compare in
    friend bool operator==(const BadgeRow&, const BadgeRow&) = default;
};

// Table "Badges": which employee each card stands for. Every change is one transaction together
// with its edit-history entry.
class BadgeTable {
public:
    static const QString changedAction; // "Action" of a history entry for a badge change

    // A card already held by another employee.
    struct Taken {
        QString employeeId;
    };

    explicit BadgeTable(Database& database);

    std::optional<QString> employeeFor(const QString& badge);
    std::optional<QString> badgeOf(const QString& employeeId);
    // Every badge, by employee ID.
    QList<BadgeRow> all();

    // Gives the employee the card, in place of the one they had. A card held by another employee is
    // refused with who holds it and nothing is written.
    std::optional<Taken> assign(const QString& employeeId, const QString& badge, const EditStamp& stamp);
    // Takes the employee's card away; false when they had none.
    bool remove(const QString& employeeId, const EditStamp& stamp);

private:
    Database& m_database;
};
