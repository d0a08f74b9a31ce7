#include "settings/ui/TranslationsPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TranslationsPage::TranslationsPage(QWidget* parent)
    : OptionsPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    const QString translationsHelp =
        QStringLiteral("You can translate common phrases to employees in their local langauge.");
    auto* local = new QGroupBox(QStringLiteral("Local translation for "), this);
    setHelp(local, translationsHelp);
    auto* grid = new QGridLayout(local);
    struct Phrase {
        const char* name;
        const char* key;
        const char* caption;
    };
    const Phrase phrases[] = {
        {"txtRejected", "Rejected", "Rejected"},
        {"txtClockingIN", "ClockingIN", "Clocking IN"},
        {"txtClockingOUT", "ClockingOUT", "Clocking OUT"},
        {"txtTipsWord", "TipsWord", "Tips"},
        {"txtEnterID", "EnterID", "Enter ID"},
        {"txtTryAgain", "TryAgain", "try again"},
        {"txtNotFound", "NotFound", "not found"},
    };
    int line = 0;
    for (const Phrase& phrase : phrases) {
        auto* label = new QLabel(QString::fromLatin1(phrase.caption), local);
        setHelp(label, translationsHelp);
        grid->addWidget(label, line, 0);
        QLineEdit* box = addBox(phrase.name, phrase.key, translationsHelp, 220);
        if (QLatin1String(phrase.key) == QLatin1String("Rejected"))
            box->setMaxLength(12); // the field holds no more
        grid->addWidget(box, line, 1);
        ++line;
    }
    grid->setColumnStretch(2, 1);
    layout->addWidget(local);

    const QString messagesHelp =
        QStringLiteral("An optional greeting shown to every employee who clocks in or out, for example "
                       "\"Good morning\" and \"Have a good evening\". Leave it empty to show none.");
    auto* optional = new QGroupBox(QStringLiteral("Optional messages "), this);
    setHelp(optional, messagesHelp);
    auto* messages = new QGridLayout(optional);
    messages->addWidget(new QLabel(QStringLiteral("Clock in message"), optional), 0, 0);
    messages->addWidget(addBox("txtGoodMorning", "GoodMorning", messagesHelp), 0, 1);
    messages->addWidget(new QLabel(QStringLiteral("Clock out message"), optional), 1, 0);
    messages->addWidget(addBox("txtGoodNight", "GoodNight", messagesHelp), 1, 1);
    layout->addWidget(optional);
    layout->addStretch(1);
}
