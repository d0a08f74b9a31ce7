#pragma once

#include <QDate>

class ProgramPaths;

// Deletes punch pictures (files ending ".jpg" in any case in the data folder's Pictures folder) whose
// last change plus the given number of days falls before today's midnight. Errors are ignored.
void KillPictures(const ProgramPaths& paths, QDate today, int pictureDays);
