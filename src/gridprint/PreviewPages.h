#pragma once

#include "Page.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QList>
#include <QSize>

#include <map>

class GridData;

// The pages of a print preview, one under another on grey, each drawn only when it comes into
// view: a list of 1,500 pages opens as fast as one of three. A page is rendered straight at
// the screen's resolution, so its lines stay as thin as on paper, and kept while it is near
// the view; pages scrolled far away are dropped again.
class PreviewPages : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum ZoomMode { CustomZoom, FitWidth, FitPage };

    explicit PreviewPages(const GridData &data, QWidget *parent = nullptr);

    // Lays out new pages (all of one paper size) and forgets every page drawn so far.
    void setPages(const QList<Page> &pages);
    int pageCount() const { return int(m_pages.size()); }
    const QList<Page> &pages() const { return m_pages; }

    // 1 shows the paper at its real size on a 96 dpi screen.
    double zoomFactor() const { return m_zoom; }
    void setZoomFactor(double zoom);
    ZoomMode zoomMode() const { return m_zoomMode; }
    // A fit mode follows the window as it is resized; setting a zoom factor ends it.
    void setZoomMode(ZoomMode mode);
    static constexpr double MinZoom = 0.1;
    static constexpr double MaxZoom = 4.0;

    // The page a teacher is looking at, from 1: the one taking most of the view, or the one
    // last gone to.
    int currentPage() const { return m_current; }
    void setCurrentPage(int page);

    // A page's size on screen, in device-independent pixels.
    QSize pageSize() const;
    // How many times a page has been rendered since the view was made, and which pages are
    // kept rendered now (from 1).
    int renderedCount() const { return m_rendered; }
    QList<int> cachedPages() const;
    // The rendering of a page kept for the view; null when it is not kept.
    QImage cachedImage(int page) const;

signals:
    void currentPageChanged(int page);
    void zoomFactorChanged(double zoom);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Pixels between the pages and around them.
    static constexpr int Gap = 12;

    QSizeF paperSize() const;
    int stride() const { return pageSize().height() + Gap; }
    // Where page `index` (from 0) stands in the scrolled area.
    QRect pageRect(int index) const;
    // The pages the view shows, from 0, as [first, last]; empty (first > last) without pages.
    std::pair<int, int> visibleRange() const;
    const QImage &rendering(int index);
    void dropFarPages(std::pair<int, int> visible);
    void applyZoom(double zoom);
    double fittedZoom() const;
    void updateScrollBars();
    void updateCurrentPage();

    const GridData &m_data;
    QList<Page> m_pages;
    double m_zoom = 1.0;
    ZoomMode m_zoomMode = CustomZoom;
    int m_current = 1;
    // Set while the view scrolls to a page it was sent to, so that page stays the current one.
    bool m_goingToPage = false;
    int m_rendered = 0;
    std::map<int, QImage> m_cache;
};
