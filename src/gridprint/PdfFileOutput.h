#pragma once

#include <QFile>

#include <qpdf/Pipeline.hh>

// Where a joined PDF is written: the file, every write checked. qpdf's own file output lets a
// full disk pass unnoticed when the last bytes are flushed, and the file would be reported
// written.
class PdfFileOutput : public Pipeline {
public:
    // Throws std::runtime_error when the file cannot be opened for writing.
    explicit PdfFileOutput(const QString &path);
    // Throws std::runtime_error when the bytes do not reach the file.
    void write(unsigned char const *data, size_t len) override;
    // qpdf finishes its pipelines also from destructors, where nothing may be thrown: a failure
    // here is kept for close().
    void finish() override;
    // Throws std::runtime_error when any of the file did not reach the disk.
    void close();

private:
    QFile m_file;
    bool m_failed = false;
};
