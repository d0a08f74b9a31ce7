#include "platform/CommandOptions.h"

CommandOptions CommandOptions::parse(const QString& command, const QStringList& args,
                                     const QStringList& valued, const QStringList& flags, qsizetype maxWords)
{
    CommandOptions options;
    const auto fail = [&](const QString& problem) {
        options.m_problem = command + QStringLiteral(": ") + problem;
        return options;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString name = args.at(i);
        QString value;
        bool inline_ = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('='));
            name.startsWith(QLatin1String("--")) && eq > 2) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            inline_ = true;
        }
        if (flags.contains(name) && !inline_) {
            if (options.m_flags.contains(name))
                return fail(name + QStringLiteral(" is given twice"));
            options.m_flags.append(name);
            continue;
        }
        if (valued.contains(name)) {
            // The next option is never taken for a value: "--id --from 2026-12-01" lacks the ID.
            if (!inline_ && i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1String("--")))
                value = args.at(++i);
            if (value.trimmed().isEmpty())
                return fail(name + QStringLiteral(" needs a value"));
            if (options.m_values.contains(name))
                return fail(name + QStringLiteral(" is given twice"));
            options.m_values.insert(name, value);
            continue;
        }
        if (name.startsWith(QLatin1Char('-')))
            return fail(QStringLiteral("unknown option \"%1\"").arg(shown(args.at(i))));
        if (options.m_words.size() >= maxWords)
            return fail(QStringLiteral("unexpected \"%1\"").arg(shown(args.at(i))));
        options.m_words.append(name);
    }
    return options;
}

QString CommandOptions::shown(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
            result += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result;
}
