// kaowu-workbook-reader: reads one workbook file and writes its cells to standard output
// (see WorkbookStream). The program starts it for every import, so that a file that makes
// the reader crash, hang or take all memory costs only this process:
//     kaowu-workbook-reader SECONDS MEGABYTES FILE
// MEGABYTES is the memory it may take beyond what it holds when it starts (its libraries).
#include "workbookreader/WorkbookFile.h"
#include "workbookreader/WorkbookStream.h"

#include <QBuffer>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void limit(int resource, rlim_t value)
{
    const rlimit limits { value, value };
    setrlimit(resource, &limits);
}

// The address space the process has mapped so far, in bytes.
rlim_t addressSpace()
{
    unsigned long pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

// Encoded whole first: many small writes through a buffered device cost more than the
// reading itself.
void encode(const WorkbookContent &content, QByteArray &bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WorkbookStream::Encode(content, buffer);
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
        limit(RLIMIT_AS, addressSpace() + megabytes * 1024 * 1024);
    limit(RLIMIT_CORE, 0);

    WorkbookContent content;
    try {
        QFile file(QFile::decodeName(argv[3]));
        if (!file.open(QIODevice::ReadOnly))
            return 4;
        content = WorkbookFile::Read(file.readAll());
    } catch (const std::bad_alloc &) {
        content = WorkbookContent::Failed(WorkbookContent::Failure::OutOfMemory);
    }
    QByteArray bytes;
    try {
        encode(content, bytes);
    } catch (const std::bad_alloc &) {
        // The cells were read but do not fit a second time as bytes: the workbook is too
        // large, not damaged. Its cells go first, to make room for saying so.
        bytes = QByteArray();
        content = WorkbookContent::Failed(WorkbookContent::Failure::TooLargeToHandOver);
        try {
            encode(content, bytes);
        } catch (const std::bad_alloc &) {
            return 5;
        }
    }
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t step = write(STDOUT_FILENO, bytes.constData() + written, size_t(bytes.size() - written));
        if (step < 0 && errno != EINTR)
            return 3;
        written += qMax<ssize_t>(step, 0);
    }
    // Ends without freeing the cells one by one (hundreds of thousands of them): the system
    // takes the memory back at once.
    _exit(0);
}
