#pragma once

#include <QWidget>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolButton;
class QSpinBox;

// The report's print preview with the controls every preview has: fit to width or page, zoom in
// and out (also Ctrl+wheel, Ctrl++ and Ctrl+-), 100 %, and first, previous, next and last page
// with the page number.
//
// Object names: cmdFitWidth, cmdFitPage, cmdZoomOut, cmdZoomIn, cmdActualSize, lblZoom,
// cmdFirstPage, cmdPreviousPage, txtPage, lblPageCount, cmdNextPage, cmdLastPage, vp.
class PreviewPane final : public QWidget {
    Q_OBJECT

public:
    PreviewPane(QPrinter* printer, QWidget* parent);

    QPrintPreviewWidget* preview() const { return m_preview; }
    void fitWidth();
    void fitPage();
    void actualSize();
    void zoomIn();
    void zoomOut();
    void goToPage(int page);
    // Page 1 from its top, as a preview opens.
    void showFirstPageTop();
    int currentPage() const;
    int pageCount() const;
    // Shown as a percentage of the page's real size.
    double zoomFactor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshControls();

    QPrintPreviewWidget* m_preview = nullptr;
    QToolButton* m_first = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QSpinBox* m_page = nullptr;
    QLabel* m_pageCount = nullptr;
    QLabel* m_zoom = nullptr;
};
