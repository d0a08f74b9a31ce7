#include "store/Pictures.h"

void KillPictures(const ProgramPaths&, QDate, int) {}
