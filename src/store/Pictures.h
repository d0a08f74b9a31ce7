#pragma once

#include <QDate>

class ProgramPaths;

// Removes punch pictures older than the days they are kept.
void KillPictures(const ProgramPaths& paths, QDate today, int pictureDays);
