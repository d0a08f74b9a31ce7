#include "settings/ui/OptionsPage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

const char* const OptionsPage::helpProperty = "helpText";

void OptionsPage::load(const SettingsRecord& settings)
{
    m_loaded = settings;
    for (const Flag& flag : std::as_const(m_flags)) {
        const bool on = SettingsTable::isOnText(SettingsTable::at(flag.key).text(settings));
        // An option button is cleared by checking its opposite.
        if (flag.off && !on)
            flag.off->setChecked(true);
        else
            flag.on->setChecked(on);
    }
    for (const Box& box : std::as_const(m_boxes))
        box.box->setText(SettingsTable::at(box.key).text(settings));
    for (const Choice& choice : std::as_const(m_choices))
        choice.box->setCurrentIndex(choice.box->findData(SettingsTable::at(choice.key).text(settings)));
}

std::optional<Refusal> OptionsPage::validate() const
{
    SettingsChange change;
    save(change);
    return SettingsTable::refusal(change, m_loaded);
}

void OptionsPage::save(SettingsChange& change) const
{
    for (const Flag& flag : m_flags)
        change.setFlag(flag.key, flag.on->isChecked());
    for (const Box& box : m_boxes)
        change.set(box.key, box.box->text());
    for (const Choice& choice : m_choices)
        change.set(choice.key, choice.box->currentData().toString());
}

void OptionsPage::bindFlag(QAbstractButton* on, const QString& key, QAbstractButton* off)
{
    Q_ASSERT(SettingsTable::at(key).kind == Setting::Kind::Flag);
    m_flags.append({on, off, key});
}

void OptionsPage::bindBox(QLineEdit* box, const QString& key)
{
    Q_ASSERT(SettingsTable::at(key).kind != Setting::Kind::Flag);
    m_boxes.append({box, key});
}

QCheckBox* OptionsPage::addCheck(const char* name, const char* key, const QString& caption,
                                 const QString& help)
{
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(QString::fromLatin1(name));
    setHelp(check, help);
    bindFlag(check, QString::fromLatin1(key));
    return check;
}

QLineEdit* OptionsPage::addBox(const char* name, const char* key, const QString& help, int width)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    if (width > 0)
        box->setFixedWidth(width);
    setHelp(box, help);
    bindBox(box, QString::fromLatin1(key));
    return box;
}

QComboBox* OptionsPage::addChoice(const char* name, const char* key, const QString& help,
                                  const QStringList& shown)
{
    const Setting& setting = SettingsTable::at(QString::fromLatin1(key));
    Q_ASSERT(setting.kind == Setting::Kind::Choice);
    Q_ASSERT(shown.isEmpty() || shown.size() == setting.choices.size());
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    for (qsizetype i = 0; i < setting.choices.size(); ++i)
        box->addItem(shown.isEmpty() ? setting.choices[i] : shown[i], setting.choices[i]);
    setHelp(box, help);
    m_choices.append({box, setting.key});
    return box;
}

void OptionsPage::setHelp(QWidget* widget, const QString& text)
{
    widget->setProperty(helpProperty, text);
}
