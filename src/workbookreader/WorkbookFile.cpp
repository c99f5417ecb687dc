#include "workbookreader/WorkbookFile.h"

#include "workbookreader/CompoundFile.h"
#include "workbookreader/XlsReader.h"
#include "workbookreader/XlsxReader.h"

WorkbookContent WorkbookFile::Read(const QByteArray &bytes)
{
    if (CompoundFile::HasSignature(bytes))
        return XlsReader::Read(bytes);
    if (XlsxReader::HasSignature(bytes))
        return XlsxReader::Read(bytes);
    return WorkbookContent::Failed(WorkbookContent::Failure::NotAWorkbook);
}
