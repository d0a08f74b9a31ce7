#include "reports/PrintSettings.h"

#include "platform/ProgramPaths.h"
#include "reports/Rounding.h"
#include "store/Windows1252.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <cmath>
#include <optional>

namespace {
QByteArray number(double value)
{
    const QByteArray digits = QByteArray::number(value, 'g', 7);
    return (value < 0 ? digits : ' ' + digits) + ' ';
}

QByteArray flag(bool value)
{
    return number(value ? -1 : 0);
}

std::optional<double> numberOf(const QByteArray& line)
{
    bool ok = false;
    const double value = line.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}
} // namespace

QColor PrintSettings::shadingColor(int index)
{
    static const QColor colors[shadingCount] = {
        QColor(255, 255, 150), QColor(0, 255, 128),   QColor(0, 255, 255),   QColor(240, 240, 240),
        QColor(220, 220, 220), QColor(200, 200, 200), QColor(180, 180, 180),
    };
    return colors[index >= 1 && index <= shadingCount ? index - 1 : 0];
}

QString PrintDat::path(const ProgramPaths& paths)
{
    return paths.inProgramFolder(QStringLiteral("Print.Dat"));
}

PrintSettings PrintDat::read(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.size() < 7)
        return {};
    const auto code = numberOf(lines[0]);
    const auto size = numberOf(lines[2]);
    const auto bold = numberOf(lines[3]);
    const auto italic = numberOf(lines[4]);
    const auto orientation = numberOf(lines[5]);
    const auto shading = numberOf(lines[6]);
    if (!code || !size || !bold || !italic || !orientation || !shading)
        return {};
    // Each value is taken only within its range, and otherwise replaced by its default: a hand-edited
    // or damaged file must neither reach a conversion that cannot hold it nor blank the report.
    const PrintSettings defaults;
    const auto whole = [](double value, double low, double high) -> std::optional<int> {
        if (!std::isfinite(value) || value != std::trunc(value) || value < low || value > high)
            return std::nullopt;
        return static_cast<int>(value);
    };
    PrintSettings s;
    const std::optional<int> rounding = whole(*code, 0, 55);
    s.roundingCode = rounding && RoundingCode::isValid(*rounding) ? *rounding : RoundingCode::defaultCode;
    s.fontName = Windows1252::decode(lines[1].trimmed());
    if (s.fontName.isEmpty())
        s.fontName = defaults.fontName;
    // Kept to hundredths, so that the number written reads back as the same size.
    s.fontSize = std::isfinite(*size) && *size >= PrintSettings::minimumFontSize &&
                         *size <= PrintSettings::maximumFontSize
                     ? std::round(*size * 100) / 100
                     : defaults.fontSize;
    s.bold = std::isfinite(*bold) ? *bold != 0 : defaults.bold;
    s.italic = std::isfinite(*italic) ? *italic != 0 : defaults.italic;
    s.orientation = std::isfinite(*orientation) && *orientation > 1
                        ? 1
                        : whole(*orientation, 0, 1).value_or(defaults.orientation);
    s.shading = whole(*shading, 1, PrintSettings::shadingCount).value_or(defaults.shading);
    return s;
}

QByteArray PrintDat::bytes(const PrintSettings& s)
{
    const QByteArray end = "\r\n";
    return number(s.roundingCode) + end + Windows1252::encode(s.fontName) + end + number(s.fontSize) + end +
           flag(s.bold) + end + flag(s.italic) + end + number(s.orientation) + end + number(s.shading) + end +
           end + number(0) + end;
}

PrintSettings PrintDat::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return read(file.readAll());
}

bool PrintDat::save(const QString& path, const PrintSettings& settings)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes(settings));
    return file.commit();
}
