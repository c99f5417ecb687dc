#include "GridCopyBuffer.h"

namespace {

struct Buffer {
    GridBlock block;
    QString clipboardText;
};

Buffer &buffer()
{
    static Buffer instance;
    return instance;
}

} // namespace

const GridBlock &GridCopyBuffer::block()
{
    return buffer().block;
}

const QString &GridCopyBuffer::clipboardText()
{
    return buffer().clipboardText;
}

void GridCopyBuffer::set(const GridBlock &block, const QString &clipboardText)
{
    buffer().block = block;
    buffer().clipboardText = clipboardText;
}
