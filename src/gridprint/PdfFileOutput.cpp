#include "PdfFileOutput.h"

#include <stdexcept>

PdfFileOutput::PdfFileOutput(const QString &path)
    : Pipeline("pdf file", nullptr)
    , m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("the file cannot be opened");
}

void PdfFileOutput::write(unsigned char const *data, size_t len)
{
    if (len > 0 && m_file.write(reinterpret_cast<const char *>(data), qint64(len)) != qint64(len)) {
        m_failed = true;
        throw std::runtime_error("the file cannot be written");
    }
}

void PdfFileOutput::finish()
{
    if (!m_file.flush())
        m_failed = true;
}

void PdfFileOutput::close()
{
    finish();
    m_file.close();
    if (m_failed || m_file.error() != QFileDevice::NoError)
        throw std::runtime_error("the file cannot be written");
}
