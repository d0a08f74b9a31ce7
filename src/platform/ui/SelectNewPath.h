#pragma once

#include <QString>

class QWidget;

// Asks for the scheduling product's database file, starting in the program folder. Returns the
// chosen file's full path, or an empty text when cancelled. The path keeps its letter case: on
// this system a folder spelled in upper case is another folder.
QString selectNewPath(QWidget* parent, const QString& programFolder);
