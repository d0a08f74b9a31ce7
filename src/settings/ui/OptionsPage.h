#pragma once

#include "settings/SettingsTable.h"

#include <QList>
#include <QWidget>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;

// One page of the options dialog: shows the settings it holds, refuses what cannot be kept and
// hands what it shows to the save. A control is tied to its setting where it is made, so a new
// option is one row of SettingsTable and one control. Pages that act on their own buttons hold no
// setting and keep the defaults.
class OptionsPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The property that holds the explanation the dialog shows while the mouse is over a widget.
    static const char* const helpProperty;

    virtual void load(const SettingsRecord& settings);
    // The refusal of what the page shows, with the message that says why; empty when it can be kept.
    virtual std::optional<Refusal> validate() const;
    virtual void save(SettingsChange& change) const;

protected:
    // A check box, or an option button with its opposite, showing a flag.
    void bindFlag(QAbstractButton* on, const QString& key, QAbstractButton* off = nullptr);
    void bindBox(QLineEdit* box, const QString& key);
    QCheckBox* addCheck(const char* name, const char* key, const QString& caption, const QString& help);
    QLineEdit* addBox(const char* name, const char* key, const QString& help, int width = 0);
    // A list of the setting's choices.
    // `shown`: what each choice reads as in the box, when not the value itself.
    QComboBox* addChoice(const char* name, const char* key, const QString& help,
                         const QStringList& shown = {});
    static void setHelp(QWidget* widget, const QString& text);

    // The settings the page was last loaded from.
    const SettingsRecord& loaded() const { return m_loaded; }

private:
    struct Flag {
        QAbstractButton* on;
        QAbstractButton* off;
        QString key;
    };
    struct Box {
        QLineEdit* box;
        QString key;
    };
    struct Choice {
        QComboBox* box;
        QString key;
    };
    QList<Flag> m_flags;
    QList<Box> m_boxes;
    QList<Choice> m_choices;
    SettingsRecord m_loaded;
};
