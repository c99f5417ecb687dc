// Feeds arbitrary bytes to the grid file loader: it must refuse or accept, never crash, hang or
// leave a refused grid changed.
#include "griddata/GridData.h"
#include "griddata/GridFile.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const GridData pristine;
    static const QByteArray pristineJson = GridFile::toJson(pristine);
    GridData grid;
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!GridFile::fromJson(json, grid)) {
        if (GridFile::toJson(grid) != pristineJson)
            std::abort();
        return 0;
    }
    // What loads must save and load again.
    GridData again;
    if (!GridFile::fromJson(GridFile::toJson(grid), again))
        std::abort();
    return 0;
}
