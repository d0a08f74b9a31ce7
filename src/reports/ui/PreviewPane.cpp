#include "reports/ui/PreviewPane.h"

#include <QAbstractScrollArea>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>

namespace {
constexpr double zoomStep = 1.25;
constexpr double smallestZoom = 0.1;
constexpr double largestZoom = 8.0;
} // namespace

PreviewPane::PreviewPane(QPrinter* printer, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    const auto button = [this, bar](const char* name, const QString& text, const QString& tip,
                                    const std::function<void()>& action) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QToolButton::clicked, this, action);
        bar->addWidget(b);
        return b;
    };
    button("cmdFitWidth", QStringLiteral("Fit &width"), QStringLiteral("Page as wide as the window"),
           [this] { fitWidth(); });
    button("cmdFitPage", QStringLiteral("Fit p&age"), QStringLiteral("Whole page in the window"),
           [this] { fitPage(); });
    button("cmdZoomOut", QStringLiteral("\u2212"), QStringLiteral("Zoom out (Ctrl+-, Ctrl+wheel)"),
           [this] { zoomOut(); });
    m_zoom = new QLabel(this);
    m_zoom->setObjectName(QStringLiteral("lblZoom"));
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(QStringLiteral("8888 %")));
    m_zoom->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_zoom);
    button("cmdZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in (Ctrl++, Ctrl+wheel)"),
           [this] { zoomIn(); });
    button("cmdActualSize", QStringLiteral("100 %"), QStringLiteral("The page at its real size"),
           [this] { actualSize(); });
    bar->addStretch(1);

    // step: 0 the first page, 2 the last, -1 and 1 the neighbours
    const auto pageButton = [this, button](const char* name, const QString& text, const QString& tip,
                                           int step) {
        return button(name, text, tip, [this, step] {
            goToPage(step == 0 ? 1 : step == 2 ? pageCount() : currentPage() + step);
        });
    };
    m_first = pageButton("cmdFirstPage", QStringLiteral("|\u25c0"), QStringLiteral("First page"), 0);
    m_previous = pageButton("cmdPreviousPage", QStringLiteral("\u25c0"),
                            QStringLiteral("Previous page (Page Up)"), -1);
    bar->addWidget(new QLabel(QStringLiteral("Page"), this));
    m_page = new QSpinBox(this);
    m_page->setObjectName(QStringLiteral("txtPage"));
    m_page->setRange(1, 1);
    m_page->setKeyboardTracking(false);
    bar->addWidget(m_page);
    m_pageCount = new QLabel(this);
    m_pageCount->setObjectName(QStringLiteral("lblPageCount"));
    bar->addWidget(m_pageCount);
    m_next = pageButton("cmdNextPage", QStringLiteral("\u25b6"), QStringLiteral("Next page (Page Down)"), 1);
    m_last = pageButton("cmdLastPage", QStringLiteral("\u25b6|"), QStringLiteral("Last page"), 2);

    m_preview = new QPrintPreviewWidget(printer, this);
    m_preview->setObjectName(QStringLiteral("vp"));
    layout->addWidget(m_preview, 1);
    // The preview draws on a scroll area of its own; its wheel events come through here.
    for (QAbstractScrollArea* view : m_preview->findChildren<QAbstractScrollArea*>())
        view->viewport()->installEventFilter(this);

    connect(m_page, &QSpinBox::valueChanged, this, [this](int page) {
        if (page != currentPage())
            m_preview->setCurrentPage(page);
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &PreviewPane::refreshControls);

    const auto shortcut = [this](const QKeySequence& keys, void (PreviewPane::*slot)()) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::ZoomIn, &PreviewPane::zoomIn);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), &PreviewPane::zoomIn);
    shortcut(QKeySequence::ZoomOut, &PreviewPane::zoomOut);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &PreviewPane::actualSize);
    refreshControls();
}

void PreviewPane::fitWidth()
{
    m_preview->fitToWidth();
    refreshControls();
}

void PreviewPane::fitPage()
{
    m_preview->fitInView();
    refreshControls();
}

void PreviewPane::actualSize()
{
    m_preview->setZoomFactor(1.0);
    refreshControls();
}

void PreviewPane::zoomIn()
{
    m_preview->setZoomFactor(std::min(largestZoom, zoomFactor() * zoomStep));
    refreshControls();
}

void PreviewPane::zoomOut()
{
    m_preview->setZoomFactor(std::max(smallestZoom, zoomFactor() / zoomStep));
    refreshControls();
}

void PreviewPane::goToPage(int page)
{
    m_preview->setCurrentPage(std::clamp(page, 1, std::max(1, pageCount())));
    refreshControls();
}

void PreviewPane::showFirstPageTop()
{
    goToPage(1);
    // Fitting waits for the preview's final size, which comes once the window is laid out.
    QTimer::singleShot(0, this, [this] {
        if (auto* view = m_preview->findChild<QAbstractScrollArea*>())
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
    });
}

int PreviewPane::currentPage() const
{
    return m_preview->currentPage();
}

int PreviewPane::pageCount() const
{
    return m_preview->pageCount();
}

double PreviewPane::zoomFactor() const
{
    return m_preview->zoomFactor();
}

bool PreviewPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int steps = wheel->angleDelta().y();
            if (steps > 0)
                zoomIn();
            else if (steps < 0)
                zoomOut();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewPane::refreshControls()
{
    const int pages = std::max(1, pageCount());
    const int page = std::clamp(currentPage(), 1, pages);
    {
        const QSignalBlocker block(m_page);
        m_page->setRange(1, pages);
        m_page->setValue(page);
    }
    m_pageCount->setText(QStringLiteral("of %1").arg(pages));
    m_first->setEnabled(page > 1);
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < pages);
    m_last->setEnabled(page < pages);
    m_zoom->setText(QStringLiteral("%1 %").arg(qRound(zoomFactor() * 100)));
}
