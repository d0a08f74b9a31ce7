#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The options of one headless command, read the same way by every command: --name VALUE or
// --name=VALUE, flags, and plain words; a missing or empty value, an option given twice or an
// unknown option is a problem stated in one form.
class CommandOptions {
public:
    // `command` prefixes the problem ("report: --from needs a value"); `maxWords` plain words are
    // taken in order, a further one is a problem.
    static CommandOptions parse(const QString& command, const QStringList& args, const QStringList& valued,
                                const QStringList& flags = {}, qsizetype maxWords = 0);

    bool ok() const { return m_problem.isEmpty(); }
    // The one line to show when !ok().
    const QString& problem() const { return m_problem; }
    bool has(const QString& option) const { return m_values.contains(option); }
    QString value(const QString& option, const QString& otherwise = {}) const
    {
        return m_values.value(option, otherwise);
    }
    bool flag(const QString& name) const { return m_flags.contains(name); }
    const QStringList& words() const { return m_words; }

    // A typed text as it may be shown in one line on a terminal: control characters and escape
    // sequences as \xNN, never raw.
    static QString shown(const QString& text);

private:
    QHash<QString, QString> m_values;
    QStringList m_flags;
    QStringList m_words;
    QString m_problem;
};
