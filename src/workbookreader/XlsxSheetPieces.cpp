// A large sheet part is cut after a row's end into pieces that workers parse on their own,
// while this thread unpacks the next; their rows are put together in order.

#include "workbookreader/XlsxSheetPieces.h"

#include "workbookreader/XlsxSheet.h"

#include <QByteArray>
#include <QThread>

#include <cctype>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace xlsx {
namespace {

// A sheet part of this many bytes or more is read in pieces of sheetPieceSize on several
// threads (tests make both small).
constexpr qint64 defaultLargeSheetPart = 4 * 1024 * 1024;
constexpr qsizetype defaultSheetPieceSize = 256 * 1024;
qint64 largeSheetPart = defaultLargeSheetPart;
qsizetype sheetPieceSize = defaultSheetPieceSize;

// Where the last end tag of a row in `xml` ends ("</row>" or "</x:row>"); 0 when there is none.
qsizetype afterLastRowEnd(const QByteArray &xml)
{
    for (qsizetype at = xml.lastIndexOf("row>"); at > 1; at = xml.lastIndexOf("row>", at - 1)) {
        qsizetype slash = at - 1;
        if (xml[slash] == ':')
            for (--slash; slash > 0 && (std::isalnum(uchar(xml[slash])) || xml[slash] == '_' || xml[slash] == '-'); --slash) { }
        if (slash > 0 && xml[slash] == '/' && xml[slash - 1] == '<')
            return at + 4;
    }
    return 0;
}

// Reads a large sheet part on several threads as it is unpacked: the part is cut after a
// row's end into pieces of sheetPieceSize bytes, each parsed on its own by a worker, and their rows are
// put together in order. Only a few pieces wait at a time, so the part is never held whole.
// False when a piece cannot be read on its own (rows without their numbers, or anything
// else a piece trips on): the caller then reads the part in one go, which also tells a
// damaged part from one that is merely cut badly.
class SheetInPieces {
public:
    SheetInPieces(const QStringList &sharedStrings, const NumberFormats &formats)
        : m_sharedStrings(sharedStrings)
        , m_formats(formats)
    {
    }

    bool Read(const PartReader &part, WorksheetCells &sheet)
    {
        // The pieces are parsed by up to six workers while this thread unpacks the next.
        const int workers = qBound(1, QThread::idealThreadCount() - 1, 6);
        try {
            for (int i = 0; i < workers; ++i)
                m_threads.emplace_back([this] { work(); });
        } catch (const std::system_error &) {
            // No thread to be had: read the part in one go.
        }
        // The workers are let go and waited for however unpacking ends.
        struct Finish {
            SheetInPieces &pieces;
            ~Finish()
            {
                {
                    std::lock_guard lock(pieces.m_mutex);
                    pieces.m_closed = true;
                }
                pieces.m_ready.notify_all();
                for (std::thread &thread : pieces.m_threads)
                    thread.join();
                pieces.m_threads.clear();
            }
        };
        bool ok = false;
        {
            const Finish finish { *this };
            ok = !m_threads.empty() && unpack(part, workers);
        }
        for (const std::unique_ptr<Piece> &piece : m_pieces) {
            if (piece->outOfMemory)
                throw std::bad_alloc();
            ok = ok && piece->ok;
        }
        // The first piece and what follows the last row make the frame of the document.
        ok = ok && !m_pieces.empty() && m_pieces.front()->handler && m_pieces.front()->handler->finish(m_tail)
            && !m_pieces.front()->handler->NeedsWhole();
        if (ok)
            join(sheet);
        return ok;
    }

private:
    struct Piece {
        QByteArray xml;
        bool first = false;
        WorksheetCells cells;
        std::unique_ptr<Sheet> handler; // of the first piece, until the last is read
        qint64 base = 0;
        bool ok = false;
        bool outOfMemory = false;
    };

    bool unpack(const PartReader &part, int workers)
    {
        const qsizetype pieceSize = sheetPieceSize;
        QByteArray pending;
        bool first = true;
        for (;;) {
            const qsizetype at = pending.size();
            pending.resize(at + pieceSize);
            qint64 got = 0;
            if (!part(pending.data() + at, pieceSize, got))
                return false;
            pending.resize(at + got);
            if (got > 0 && pending.size() < pieceSize)
                continue;
            // What follows the last row (the end of the sheet data, page settings) is not
            // read.
            const qsizetype cut = afterLastRowEnd(pending);
            if (cut > 0) {
                if (!hand(pending.left(cut), first, workers))
                    return false;
                first = false;
                pending = pending.mid(cut);
            } else if (pending.size() > 16 * pieceSize) {
                return false; // no row ends in sight: not worth looking for one any longer
            }
            if (got == 0) {
                m_tail = pending;
                return !first; // a sheet without rows is read in one go
            }
        }
    }

    // Queues a piece for the workers, once fewer than two a worker wait; false when a
    // piece already failed.
    bool hand(QByteArray xml, bool first, int workers)
    {
        auto piece = std::make_unique<Piece>();
        piece->xml = std::move(xml);
        piece->first = first;
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [&] { return m_waiting.size() < size_t(2 * workers) || m_failed; });
        if (m_failed)
            return false;
        m_waiting.push_back(piece.get());
        m_pieces.push_back(std::move(piece));
        lock.unlock();
        m_ready.notify_one();
        return true;
    }

    void work()
    {
        for (;;) {
            Piece *piece = nullptr;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [&] { return !m_waiting.empty() || m_closed; });
                if (m_waiting.empty())
                    return;
                piece = m_waiting.front();
                m_waiting.pop_front();
            }
            m_done.notify_one();
            try {
                auto handler = std::make_unique<Sheet>(m_sharedStrings, m_formats, piece->cells, !piece->first);
                piece->ok = piece->first ? handler->begin(piece->xml) : handler->parsePiece(piece->xml);
                piece->base = handler->Base();
                if (piece->first)
                    piece->handler = std::move(handler);
            } catch (const std::bad_alloc &) {
                piece->outOfMemory = true;
            }
            piece->xml = QByteArray();
            if (!piece->ok) {
                std::lock_guard lock(m_mutex);
                m_failed = true;
            }
            m_done.notify_one();
        }
    }

    // The pieces' rows, in order, into `sheet`; a row met in two pieces keeps the cells of both.
    void join(WorksheetCells &sheet)
    {
        sheet.rows.clear();
        for (const std::unique_ptr<Piece> &piece : m_pieces) {
            QVector<QVector<QVariant>> &rows = piece->cells.rows;
            if (sheet.rows.size() < piece->base + rows.size())
                sheet.rows.resize(piece->base + rows.size());
            for (qsizetype r = 0; r < rows.size(); ++r) {
                QVector<QVariant> &target = sheet.rows[piece->base + r];
                if (target.isEmpty()) {
                    target = std::move(rows[r]);
                    continue;
                }
                for (qsizetype c = 0; c < rows[r].size(); ++c)
                    if (!rows[r][c].isNull())
                        sheet.Put(piece->base + r, c, std::move(rows[r][c]));
            }
            rows = {};
        }
    }

    const QStringList &m_sharedStrings;
    const NumberFormats &m_formats;
    std::vector<std::thread> m_threads;
    std::vector<std::unique_ptr<Piece>> m_pieces;
    std::deque<Piece *> m_waiting;
    QByteArray m_tail; // what follows the last row
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::condition_variable m_done;
    bool m_closed = false;
    bool m_failed = false;
};

} // namespace

bool ReadSheet(const std::function<PartReader(qint64 &size)> &open, const QStringList &sharedStrings,
    const NumberFormats &formats, WorksheetCells &sheet)
{
    qint64 size = 0;
    PartReader part = open(size);
    if (!part)
        return false;
    if (size >= largeSheetPart && SheetInPieces(sharedStrings, formats).Read(part, sheet))
        return true;
    if (size >= largeSheetPart && !(part = open(size)))
        return false;
    Sheet handler(sharedStrings, formats, sheet);
    return handler.parse(part);
}

void ReadSheetsInPiecesForTests(qsizetype pieceSize)
{
    largeSheetPart = pieceSize > 0 ? 0 : defaultLargeSheetPart;
    sheetPieceSize = pieceSize > 0 ? pieceSize : defaultSheetPieceSize;
}

} // namespace xlsx
