#include "settings/SettingsTable.h"

#include "settings/ExceptionSettings.h"
#include "settings/KioskSettings.h"
#include "settings/LateSettings.h"
#include "settings/PaySettings.h"
#include "settings/SettingsIo.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
using Kind = Setting::Kind;

qint16 toInt16(double value)
{
    const double rounded = std::nearbyint(value); // halves go to even, as integer fields always did
    return static_cast<qint16>(qBound(-32768.0, rounded, 32767.0));
}

// A box that does not hold a number counts as 0; the range checks then refuse it.
double typedValue(const QString& typed)
{
    return SettingsIo::typedNumber(typed).value_or(0.0);
}

bool withinHours(double hours)
{
    return hours >= 0.5 && hours <= 23.0;
}

Setting named(const char* key, Kind kind)
{
    Setting s;
    s.key = QString::fromLatin1(key);
    s.kind = kind;
    s.field = s.key;
    return s;
}

// A bit field is read from its highest bit down, subtracting each bit found: a value at or above
// twice the highest bit therefore sets every flag of the field, a negative one none.
Setting flag(const char* key, bool SettingsRecord::*member, const char* field, qint32 bit, qint32 highestBit,
             bool storedInverted = false)
{
    Setting s = named(key, Kind::Flag);
    s.field = QString::fromLatin1(field);
    s.bit = bit;
    s.read = [=](const QVariant& stored, SettingsRecord& settings) {
        const qint64 value = stored.toLongLong();
        const bool set = value >= 2LL * highestBit || (value >= 0 && (value & bit) != 0);
        settings.*member = set != storedInverted;
    };
    s.text = [=](const SettingsRecord& settings) {
        return SettingsTable::flagText(settings.*member);
    };
    s.take = [=](const QString& typed, const SettingsRecord&, SettingsRecord& held) {
        held.*member = SettingsTable::isOnText(typed);
        return QVariant();
    };
    s.fieldBits = [=](const SettingsRecord& held) {
        return held.*member != storedInverted ? bit : 0;
    };
    return s;
}

Setting options(const char* key, bool SettingsRecord::*member, qint32 bit, bool storedInverted = false)
{
    return flag(key, member, "Options", bit, 8192, storedInverted);
}

Setting options2(const char* key, bool SettingsRecord::*member, qint32 bit)
{
    return flag(key, member, "Options2", bit, 32);
}

// How a whole number is loaded, held and stored.
struct Whole {
    qint16 fallback = 0;              // what a Null field loads as
    bool zeroLoadsFallback = false;   // a stored 0 loads as the fallback too
    std::optional<qint16> zeroHeldAs; // what a typed 0 is held as after a save; nothing: 0
    bool storesHeld = false;          // the row gets the held value, not the typed one
    // Typed values outside [low, high] are held as `outside`.
    std::optional<std::pair<qint16, qint16>> range;
    qint16 outside = 0;
};

Setting whole(const char* key, qint16 SettingsRecord::*member, Whole rule)
{
    Setting s = named(key, Kind::Number);
    s.read = [=](const QVariant& stored, SettingsRecord& settings) {
        const qint16 value = stored.isNull() ? rule.fallback : toInt16(stored.toDouble());
        settings.*member = value == 0 && rule.zeroLoadsFallback ? rule.fallback : value;
    };
    s.text = [=](const SettingsRecord& settings) {
        return QString::number(settings.*member);
    };
    s.take = [=](const QString& typed, const SettingsRecord&, SettingsRecord& held) {
        const qint16 value = toInt16(typedValue(typed));
        qint16 kept = value;
        if (value == 0 && rule.zeroHeldAs)
            kept = *rule.zeroHeldAs;
        if (rule.range && (value < rule.range->first || value > rule.range->second))
            kept = rule.outside;
        held.*member = kept;
        return QVariant(rule.storesHeld ? kept : value);
    };
    return s;
}

// A minute limit of the work-hours checks, or the days pictures are kept: 0 means the default.
Setting limit(const char* key, qint16 SettingsRecord::*member, qint16 fallback)
{
    return whole(key, member,
                 {.fallback = fallback,
                  .zeroLoadsFallback = true,
                  .zeroHeldAs = fallback,
                  .storesHeld = false,
                  .range = std::nullopt,
                  .outside = 0});
}

// How long a confirmation stays on the clock screen.
Setting seconds(const char* key, qint16 SettingsRecord::*member)
{
    return whole(key, member,
                 {.fallback = 0,
                  .zeroLoadsFallback = false,
                  .zeroHeldAs = std::nullopt,
                  .storesHeld = true,
                  .range = std::pair<qint16, qint16>(0, 10),
                  .outside = 2});
}

enum class Stored { Typed, Held };

// A text of the clock screen; a blank one is held as its default. The row keeps either what was
// typed (trimmed, blank included: the next load supplies the default) or what is held.
Setting phrase(const char* key, QString SettingsRecord::*member, const char* fallback, Stored stored,
               const char* heldAfterSave = nullptr)
{
    Setting s = named(key, Kind::Text);
    const QString loaded = QString::fromLatin1(fallback);
    const QString saved = heldAfterSave ? QString::fromLatin1(heldAfterSave) : loaded;
    s.read = [=](const QVariant& value, SettingsRecord& settings) {
        const QString text = value.isNull() ? QString() : value.toString();
        settings.*member = !loaded.isEmpty() && text.trimmed().isEmpty() ? loaded : text;
    };
    s.text = [=](const SettingsRecord& settings) {
        return settings.*member;
    };
    s.take = [=](const QString& typed, const SettingsRecord&, SettingsRecord& held) {
        const QString text = typed.trimmed();
        held.*member = text.isEmpty() ? saved : text;
        return QVariant(stored == Stored::Held ? held.*member : text);
    };
    return s;
}

Setting forceAfter()
{
    Setting s = named("ForceAfter", Kind::Decimal);
    s.read = [](const QVariant& stored, SettingsRecord& settings) {
        settings.forceAfter = stored.isNull() ? 12.0f : stored.toFloat();
    };
    // A stored 0 is shown as the 12 hours a blank row would have.
    s.text = [](const SettingsRecord& settings) {
        return settings.forceAfter == 0.0f ? QStringLiteral("12")
                                           : SettingsIo::numberText(settings.forceAfter);
    };
    s.take = [](const QString& typed, const SettingsRecord&, SettingsRecord& held) {
        held.forceAfter = static_cast<float>(typedValue(typed));
        return QVariant(static_cast<double>(held.forceAfter));
    };
    s.check = [](const SettingsChange& change, const SettingsRecord& current) -> std::optional<Refusal> {
        if (change.isOn(QStringLiteral("ForceClockOuts"), current) &&
            !withinHours(typedValue(change.textOf(QStringLiteral("ForceAfter"), current))))
            return Refusal{QStringLiteral("Force after hours must be between .5 and 23"),
                           QStringLiteral("Force a clock out after...")};
        return std::nullopt;
    };
    s.checkReads = {QStringLiteral("ForceClockOuts")};
    return s;
}

const QString deductTitle = QStringLiteral("Automatically deduct break hours");

// Minutes worked before the break is deducted, typed as hours.
Setting minBeforeDed()
{
    Setting s = named("MinBeforeDed", Kind::Hours);
    s.read = [](const QVariant& stored, SettingsRecord& settings) {
        const qint16 minutes = stored.isNull() ? qint16(300) : toInt16(stored.toDouble());
        settings.minBeforeDed = minutes == 0 ? qint16(300) : minutes;
    };
    s.text = [](const SettingsRecord& settings) {
        return SettingsIo::hoursText(settings.minBeforeDed);
    };
    s.take = [](const QString& typed, const SettingsRecord& current, SettingsRecord& held) {
        // The box shows hours with one decimal, which most minute counts do not survive (255
        // minutes show as 4.3 hours): hours left as they were shown keep the minutes they were
        // shown from.
        const qint16 minutes = typed.trimmed() == SettingsIo::hoursText(current.minBeforeDed)
                                   ? current.minBeforeDed
                                   : SettingsIo::typedMinutes(typed);
        held.minBeforeDed = minutes == 0 ? qint16(300) : minutes;
        return QVariant(minutes);
    };
    s.check = [](const SettingsChange& change, const SettingsRecord& current) -> std::optional<Refusal> {
        if (change.isOn(QStringLiteral("AutoDeduct"), current) &&
            !withinHours(typedValue(change.textOf(QStringLiteral("MinBeforeDed"), current))))
            return Refusal{QStringLiteral("Hours must be between .5 and 23"), deductTitle};
        return std::nullopt;
    };
    s.checkReads = {QStringLiteral("AutoDeduct")};
    return s;
}

Setting minutesToDeduct()
{
    // A stored 0 deducts nothing; a typed 0 is held as the 30 minutes of a blank row.
    Setting s = whole("MinutesToDeduct", &SettingsRecord::minutesToDeduct,
                      {.fallback = 30,
                       .zeroLoadsFallback = false,
                       .zeroHeldAs = 30,
                       .storesHeld = false,
                       .range = std::nullopt,
                       .outside = 0});
    s.check = [](const SettingsChange& change, const SettingsRecord& current) -> std::optional<Refusal> {
        if (!change.isOn(QStringLiteral("AutoDeduct"), current))
            return std::nullopt;
        const double hours = typedValue(change.textOf(QStringLiteral("MinBeforeDed"), current));
        const double minutes = typedValue(change.textOf(QStringLiteral("MinutesToDeduct"), current));
        if (withinHours(hours) && (minutes < 1.0 || minutes > hours * 60.0))
            return Refusal{QStringLiteral("Auto deduct minutes must be less then hours"), deductTitle};
        return std::nullopt;
    };
    s.checkReads = {QStringLiteral("AutoDeduct"), QStringLiteral("MinBeforeDed")};
    return s;
}

QList<Setting> buildTable()
{
    using R = SettingsRecord;
    return {
        // Each bit field from its highest bit down.
        options("ShowLiveCam", &R::showLiveCam, 8192),
        options("AutoDeduct", &R::autoDeduct, 4096),
        options("AllowMinimize", &R::allowMinimize, 2048),
        options("ShowKeyboard", &R::showKeyboard, 1024),
        options("LateOutReject", &R::lateOutReject, 512),
        options("EarlyInReject", &R::earlyInReject, 256),
        options("ShowClockFirst", &R::showClockFirst, 128),
        // Stored inverted: the bit is set when sound is off, so a blank row has sound on.
        options("UseSound", &R::useSound, 64, true),
        options("ForceClockOuts", &R::forceClockOuts, 32),
        options("LateOutShow", &R::lateOutShow, 16),
        options("EarlyInShow", &R::earlyInShow, 8),
        options("ReportTips", &R::reportTips, 4),
        options("Clock12Hour", &R::clock12Hour, 2),
        options("TakePictures", &R::takePictures, 1),
        options2("EarlyOutReject", &R::earlyOutReject, 32),
        options2("LateInReject", &R::lateInReject, 16),
        options2("EarlyOutShow", &R::earlyOutShow, 8),
        options2("LateInShow", &R::lateInShow, 4),
        options2("ShowInOutLists", &R::showInOutLists, 2),
        options2("ShowElapsedTime", &R::showElapsedTime, 1),

        limit("EarlyLimit", &R::earlyLimit, 10),
        limit("LateLimit", &R::lateLimit, 10),
        limit("LateINlimit", &R::lateInLimit, 10),
        limit("EarlyOUTlimit", &R::earlyOutLimit, 10),
        limit("PictureDays", &R::pictureDays, 30),
        whole("ScreenInOutDays", &R::screenInOutDays,
              {.fallback = 7,
               .zeroLoadsFallback = true,
               .zeroHeldAs = 7,
               .storesHeld = true,
               .range = std::nullopt,
               .outside = 0}),
        seconds("KeepInSeconds", &R::keepInSeconds),
        seconds("KeepOutSeconds", &R::keepOutSeconds),
        // The range checks in the order the options dialog has always made them.
        forceAfter(),
        minBeforeDed(),
        minutesToDeduct(),

        // An empty early clock-in message is saved with two points, the captions in capitals: the
        // next start loads the blank phrases with their first defaults again.
        phrase("EarlyMessage", &R::earlyMessage, "You clocked in early...", Stored::Held,
               "You clocked in early.."),
        phrase("LateMessage", &R::lateMessage, "You clocked out late...", Stored::Held),
        phrase("LateINmessage", &R::lateInMessage, "You clocked in late...", Stored::Held),
        phrase("EarlyOUTmessage", &R::earlyOutMessage, "You clocked out early...", Stored::Held),
        phrase("EnterID", &R::enterId, "Enter ID", Stored::Typed),
        phrase("TipsWord", &R::tipsWord, "Tips", Stored::Typed),
        phrase("ClockingIN", &R::clockingIn, "Clocking In", Stored::Typed, "Clocking IN"),
        phrase("ClockingOUT", &R::clockingOut, "Clocking Out", Stored::Typed, "Clocking OUT"),
        phrase("NotFound", &R::notFound, "not found", Stored::Typed),
        phrase("TryAgain", &R::tryAgain, "try again", Stored::Typed),
        phrase("Rejected", &R::rejected, "Rejected", Stored::Typed),
        phrase("GoodMorning", &R::goodMorning, "", Stored::Held),
        phrase("GoodNight", &R::goodNight, "", Stored::Held),
    };
}

QList<Setting> buildAll()
{
    return buildTable() + PaySettings::rows() + KioskSettings::rows() + ExceptionSettings::rows() +
           LateSettings::rows();
}
} // namespace

SettingsRecord::SettingsRecord()
{
    for (const Setting& setting : SettingsTable::all())
        setting.read(QVariant(), *this);
}

Setting SettingsTable::ownSetting(const char* key, Setting::Kind kind)
{
    Setting s;
    s.key = QString::fromLatin1(key);
    s.kind = kind;
    s.field = s.key;
    s.place = Setting::Place::ProgramTable;
    return s;
}

QString SettingsTable::storedText(const QVariant& stored)
{
    return stored.isNull() ? QString() : stored.toString().trimmed();
}

const QList<Setting>& SettingsTable::all()
{
    static const QList<Setting> table = buildAll();
    return table;
}

const Setting* SettingsTable::find(const QString& key)
{
    for (const Setting& setting : all()) {
        if (setting.key.compare(key, Qt::CaseInsensitive) == 0)
            return &setting;
    }
    return nullptr;
}

const Setting& SettingsTable::at(const QString& key)
{
    const Setting* setting = find(key);
    Q_ASSERT_X(setting, "SettingsTable::at", qPrintable(key));
    return *setting;
}

std::optional<Refusal> SettingsTable::refusal(const SettingsChange& change, const SettingsRecord& current)
{
    for (const Setting& setting : all()) {
        if (!setting.check)
            continue;
        const bool touched =
            change.holds(setting.key) || std::any_of(setting.checkReads.cbegin(), setting.checkReads.cend(),
                                                     [&](const QString& key) { return change.holds(key); });
        if (!touched)
            continue;
        if (std::optional<Refusal> refused = setting.check(change, current))
            return refused;
    }
    return std::nullopt;
}

QString SettingsTable::flagText(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

bool SettingsTable::isOnText(const QString& typed)
{
    const QString word = typed.trimmed().toLower();
    return word == QLatin1String("on") || word == QLatin1String("1") || word == QLatin1String("yes") ||
           word == QLatin1String("true");
}

SettingsChange SettingsChange::of(const SettingsRecord& settings)
{
    SettingsChange change;
    for (const Setting& setting : SettingsTable::all())
        change.set(setting.key, setting.text(settings));
    return change;
}

void SettingsChange::set(const QString& key, const QString& typed)
{
    m_typed.insert(SettingsTable::at(key).key.toLower(), typed);
}

void SettingsChange::setFlag(const QString& key, bool on)
{
    set(key, SettingsTable::flagText(on));
}

std::optional<QString> SettingsChange::typed(const QString& key) const
{
    const auto it = m_typed.constFind(key.toLower());
    if (it == m_typed.cend())
        return std::nullopt;
    return *it;
}

QString SettingsChange::textOf(const QString& key, const SettingsRecord& current) const
{
    return typed(key).value_or(SettingsTable::at(key).text(current));
}

bool SettingsChange::isOn(const QString& key, const SettingsRecord& current) const
{
    return SettingsTable::isOnText(textOf(key, current));
}
