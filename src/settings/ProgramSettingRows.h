#pragma once

#include "settings/SettingsTable.h"

// A flag the program keeps in its own table rather than in the "Application" row.
namespace ProgramSettingRows {
// On or off, stored as its word.
inline Setting onOff(const char* name, bool SettingsRecord::*member)
{
    Setting s = SettingsTable::ownSetting(name, Setting::Kind::Flag);
    s.read = [=](const QVariant& stored, SettingsRecord& settings) {
        settings.*member = SettingsTable::isOnText(SettingsTable::storedText(stored));
    };
    s.text = [=](const SettingsRecord& settings) {
        return SettingsTable::flagText(settings.*member);
    };
    s.take = [=](const QString& typed, const SettingsRecord&, SettingsRecord& held) {
        held.*member = SettingsTable::isOnText(typed);
        return QVariant(SettingsTable::flagText(held.*member));
    };
    return s;
}
} // namespace ProgramSettingRows
