#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariantMap>

class Database;

// Table "Program settings": the settings the program added to the old "Application" row's, one
// row per key with its value as text.
class ProgramSettingsTable {
public:
    explicit ProgramSettingsTable(Database& database);

    // Every stored value by key; a key never stored is missing.
    QVariantMap read();
    // Writes the values in one transaction, adding the keys not stored yet.
    void write(const QList<QPair<QString, QVariant>>& values);
    // The same inside a transaction the caller holds.
    void writeWithin(const QList<QPair<QString, QVariant>>& values);

private:
    Database& m_database;
};
