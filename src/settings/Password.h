#pragma once

#include <QChar>
#include <QDate>
#include <QString>

class ApplicationTable;

// The one optional password: what a password box lets through, checking a typed password,
// the rules for a new one, keeping it in the "Application" row, and the support reset code.
namespace Password {
inline constexpr int minimumLength = 5;
inline constexpr int maximumLength = 12;

inline const QString deniedText = QStringLiteral("Password not valid");
inline const QString deniedTitle = QStringLiteral("Access denied!");
inline const QString lengthText = QStringLiteral("Passwords must be between 5 and 12 characters long...");
inline const QString lengthTitle = QStringLiteral("Incorrect password...");

enum class KeyAction { Accept, Enter, Refuse };
struct KeyDecision {
    KeyAction action;
    QChar character; // what goes into the box when accepted
};
// Every password box: letters become upper case, Backspace passes, Enter triggers the box's
// action, anything else outside codes 32 to 94 is refused (with a beep).
KeyDecision filterKey(QChar typed);

enum class CheckResult { Ignored, Unlocked, Denied };
// `password` is the one held in memory (upper case, trimmed, not empty).
CheckResult check(const QString& typed, const QString& password);

// A box being left may be empty; otherwise its trimmed text needs 5 to 12 characters.
bool lengthAcceptable(const QString& boxText);
// A new password: 5 to 12 characters after trimming, codes 32 to 94 once in upper case.
bool validNew(const QString& entry);

// Saves the entry scrambled and returns the password as held in memory.
QString save(ApplicationTable& table, const QString& entry);
void remove(ApplicationTable& table);

// The number support gives out on a given day to clear a forgotten password.
int resetCode(QDate day);
// Clears the stored password when `typed` is today's reset code and the row has a password
// field value at all; returns whether it did.
bool clearByResetCode(ApplicationTable& table, const QString& typed, QDate today);
} // namespace Password
