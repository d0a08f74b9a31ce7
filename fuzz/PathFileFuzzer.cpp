// Any RtmPath.DAT must read without a crash, never be removed by reading, and name either a folder
// of this system (absolute, after a relative one is taken from the program folder) or a problem.
#include "platform/ProgramPaths.h"
#include "store/PathFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const ProgramPaths paths(folder.path());
    const QString file = paths.inProgramFolder(PathFile::fileName());
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    PathFile::Trouble trouble;
    const PathFile::State state = PathFile::read(paths, &trouble);
    if (!QFile::exists(file))
        std::abort();
    if (state.source != EmployeeSource::None && trouble.problem.isEmpty() &&
        QDir::isRelativePath(state.dataFolder))
        std::abort();
    return 0;
}
