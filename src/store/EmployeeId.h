#pragma once

#include <QHashFunctions>
#include <QString>

// An employee ID as the clock stores and compares it: trimmed, and each letter upper-cased one
// character for one ("ß" stays itself rather than becoming "SS"), so two IDs are the same exactly
// when their stored forms compare equal without regard to case.
class EmployeeId {
public:
    EmployeeId() = default;
    explicit EmployeeId(const QString& text)
        : m_key(normalised(text))
    {}

    // The form every writer stores and every comparison and lookup uses.
    static QString normalised(const QString& text);
    static bool same(const QString& a, const QString& b) { return normalised(a) == normalised(b); }

    const QString& text() const { return m_key; }
    bool isEmpty() const { return m_key.isEmpty(); }
    friend bool operator==(const EmployeeId&, const EmployeeId&) = default;
    friend size_t qHash(const EmployeeId& id, size_t seed = 0) { return qHash(id.m_key, seed); }

private:
    QString m_key;
};
