#pragma once

#include <QList>
#include <QString>
#include <optional>

// The program's help: numbered topics, each a title and an HTML body.
namespace HelpTopics {
struct Topic {
    int number = 0;
    QString title;
    QString html;
};

constexpr int overview = 10;
constexpr int licenseAgreement = 20;
constexpr int equipment = 50;
constexpr int clockScreen = 110;
constexpr int employeeEditor = 120;
constexpr int exceptions = 130;

// Every topic in reading order.
const QList<Topic>& all();
std::optional<Topic> find(int number);
} // namespace HelpTopics
