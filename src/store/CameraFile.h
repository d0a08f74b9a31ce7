#pragma once

#include "platform/Camera.h"

class ProgramPaths;

// Camera.Dat in the program folder: the capture device and the picture size chosen in the options,
// kept beside the program's other local files. Line 1 is the device id, line 2 the size as
// WIDTHxHEIGHT; a missing or unreadable file is the empty choice.
namespace CameraFile {
QString fileName();
CameraChoice read(const ProgramPaths& paths);
// Writes the file whole; false when it cannot be written.
bool write(const ProgramPaths& paths, const CameraChoice& choice);
} // namespace CameraFile
