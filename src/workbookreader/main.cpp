// kaowu-workbook-reader: reads one workbook file and writes its cells to standard output
// (see WorkbookStream). The program starts it for every import, so that a file that makes
// the reader crash, hang or take all memory costs only this process:
//     kaowu-workbook-reader SECONDS MEGABYTES FILE
#include "workbookreader/WorkbookFile.h"
#include "workbookreader/WorkbookStream.h"

#include <QFile>
#include <cstdlib>
#include <new>
#include <sys/resource.h>

namespace {

void limit(int resource, rlim_t value)
{
    const rlimit limits { value, value };
    setrlimit(resource, &limits);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const rlim_t seconds = std::strtoull(argv[1], nullptr, 10);
    const rlim_t megabytes = std::strtoull(argv[2], nullptr, 10);
    if (seconds > 0)
        limit(RLIMIT_CPU, seconds);
    if (megabytes > 0)
        limit(RLIMIT_AS, megabytes * 1024 * 1024);
    limit(RLIMIT_CORE, 0);

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 3;
    WorkbookContent content;
    try {
        QFile file(QFile::decodeName(argv[3]));
        if (!file.open(QIODevice::ReadOnly))
            return 4;
        content = WorkbookFile::Read(file.readAll());
    } catch (const std::bad_alloc &) {
        content = WorkbookContent::Failed(WorkbookContent::Failure::OutOfMemory);
    }
    try {
        WorkbookStream::Encode(content, out);
    } catch (const std::bad_alloc &) {
        return 5;
    }
    out.flush();
    return 0;
}
