#include "platform/StreamMessageBoxes.h"

#include <QRegularExpression>
#include <QTextStream>

QString StreamMessageBoxes::oneLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed();
}

void StreamMessageBoxes::inform(QWidget*, const QString& text, const QString&, Icon)
{
    m_err << oneLine(text) << Qt::endl;
}

MessageBoxes::Answer StreamMessageBoxes::askYesNo(QWidget*, const QString& text, const QString&, Icon)
{
    m_err << oneLine(text) << Qt::endl;
    return Answer::No;
}

MessageBoxes::Answer StreamMessageBoxes::askYesNoCancel(QWidget*, const QString& text, const QString&, Icon)
{
    m_err << oneLine(text) << Qt::endl;
    return Answer::Cancel;
}
