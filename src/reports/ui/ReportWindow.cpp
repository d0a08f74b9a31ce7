#include "reports/ui/ReportWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "platform/TimeSource.h"
#include "platform/ui/DatePicker.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPeriod.h"
#include "reports/ReportTexts.h"
#include "reports/ui/FontSample.h"
#include "reports/ui/PreviewPane.h"
#include "reports/ui/QuickPeriodButtons.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/DurableFiles.h"
#include "store/OwnFiles.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTextStream>
#include <QVBoxLayout>

namespace {
QString beforeDatePicked(int index)
{
    return index == 0 ? QStringLiteral("First date") : QStringLiteral("Last date");
}
} // namespace

ReportWindow::ReportWindow(const Services& services, Session& session, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    pickDate = [this] {
        return ::pickDate(m_services.time, this);
    };
    confirmPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    saveFileName = [this](const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, suggested, filter);
    };
    chooseFont = [this](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, current, this, QStringLiteral("Select a font and size"),
                                                QFontDialog::ScalableFonts);
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    setWindowTitle(QStringLiteral("Print between dates"));
    build();
    FontRead();
    // The size last used, else the whole screen: the preview's page needs the room.
    if (!restoreGeometry(ReportPeriod::windowGeometry(m_session.paths().programFolder())))
        setWindowState(windowState() | Qt::WindowMaximized);
}

ReportWindow::~ReportWindow() = default;

QGroupBox* ReportWindow::optionFrame(const QString& title, const QString& namePrefix,
                                     const QStringList& captions, QButtonGroup*& group)
{
    auto* frame = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(frame);
    group = new QButtonGroup(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(namePrefix + QString::number(i));
        group->addButton(option, i);
        layout->addWidget(option);
    }
    return frame;
}

void ReportWindow::build()
{
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    top->addLayout(left);

    auto* dates = new QGroupBox(QStringLiteral("Select one or two dates "), this);
    auto* datesColumn = new QVBoxLayout(dates);
    auto* datesLayout = new QHBoxLayout;
    datesColumn->addLayout(datesLayout);
    for (int i = 0; i < 2; ++i) {
        m_dates[i] = new QPushButton(beforeDatePicked(i), dates);
        m_dates[i]->setObjectName(QStringLiteral("cmdDate_%1").arg(i));
        m_dates[i]->setMinimumWidth(200);
        connect(m_dates[i], &QPushButton::clicked, this, [this, i] { pickDay(i); });
        datesLayout->addWidget(m_dates[i]);
    }
    auto* quickLayout = new QHBoxLayout;
    datesColumn->addLayout(quickLayout);
    addQuickPeriodButtons(quickLayout, this,
                          [this](ReportPeriod::Quick quick) { choosePeriod(static_cast<int>(quick)); });
    left->addWidget(dates);

    auto* order = optionFrame(
        QStringLiteral("Print order "), QStringLiteral("Option1_"),
        {QStringLiteral("Print in Employee order"), QStringLiteral("Print in Department order")}, m_order);
    m_order->button(0)->setChecked(true);
    left->addWidget(order);

    auto* rounding = new QHBoxLayout;
    auto* in = optionFrame(QStringLiteral("Rounding clock \"IN\" time "), QStringLiteral("Option2_"),
                           RoundingCode::inOptionTexts(), m_inRounding);
    auto* out = optionFrame(QStringLiteral("Rounding clock \"OUT\" time "), QStringLiteral("Option3_"),
                            RoundingCode::outOptionTexts(), m_outRounding);
    rounding->addWidget(in);
    rounding->addWidget(out);
    left->addLayout(rounding);

    auto* font = new QGroupBox(QStringLiteral("Current Font "), this);
    font->setObjectName(QStringLiteral("frFont"));
    auto* fontLayout = new QHBoxLayout(font);
    auto* fontButton = new QPushButton(QStringLiteral("&Font..."), font);
    fontButton->setObjectName(QStringLiteral("cmdFont"));
    connect(fontButton, &QPushButton::clicked, this, &ReportWindow::changeFont);
    m_sample = new FontSample(font);
    m_sample->setObjectName(QStringLiteral("Picture1"));
    fontLayout->addWidget(fontButton);
    fontLayout->addWidget(m_sample, 1);

    auto* orientation = optionFrame(QStringLiteral("Paper Orientation "), QStringLiteral("optOrient_"),
                                    {QStringLiteral("Portrait"), QStringLiteral("Landscape")}, m_orientation);
    orientation->setObjectName(QStringLiteral("frOrientation"));
    connect(m_orientation, &QButtonGroup::idClicked, this, &ReportWindow::orientationChanged);

    auto* shading = new QGroupBox(QStringLiteral("Total  shading "), this);
    shading->setObjectName(QStringLiteral("frShading"));
    auto* shadingLayout = new QHBoxLayout(shading);
    m_shading = new QScrollBar(Qt::Horizontal, shading);
    m_shading->setObjectName(QStringLiteral("HScroll1"));
    m_shading->setRange(1, PrintSettings::shadingCount);
    m_shading->setPageStep(1);
    m_shading->setMinimumWidth(120);
    m_color = new QLabel(shading);
    m_color->setObjectName(QStringLiteral("lblColor"));
    m_color->setFixedSize(48, 22);
    m_color->setAutoFillBackground(true);
    m_color->setFrameShape(QFrame::Box);
    connect(m_shading, &QScrollBar::valueChanged, this, &ReportWindow::shadingChanged);
    shadingLayout->addWidget(m_shading, 1);
    shadingLayout->addWidget(m_color);

    m_settingsRow = new QBoxLayout(QBoxLayout::LeftToRight);
    m_settingsRow->addWidget(font, 2);
    m_settingsRow->addWidget(orientation);
    m_settingsRow->addWidget(shading, 1);
    left->addLayout(m_settingsRow);

    const auto button = [this](const char* name, const QString& text, void (ReportWindow::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    QPushButton* preview = button("cmdPreview", QStringLiteral("Pre&view"), &ReportWindow::previewReport);
    QPushButton* print = button("cmdPrint", QStringLiteral("&Print"), &ReportWindow::printReport);
    QPushButton* cancel = button("cmdCANCEL", QStringLiteral("&Cancel"), &ReportWindow::reject);
    QPushButton* previewPrint =
        button("cmdPreviewPrint", QStringLiteral("&Print"), &ReportWindow::printFromPreview);
    QPushButton* savePdf = button("cmdSavePdf", QStringLiteral("Save as P&DF…"), &ReportWindow::savePdf);
    QPushButton* exportCsv = button("cmdExportCsv", QStringLiteral("Export C&SV…"), &ReportWindow::exportCsv);
    QPushButton* cancelPreview =
        button("cmdCancelPreview", QStringLiteral("&Cancel"), &ReportWindow::cancelPreview);
    for (QPushButton* b : {preview, print, cancel, previewPrint, savePdf, exportCsv, cancelPreview})
        buttons->addWidget(b);
    buttons->addStretch();
    left->addLayout(buttons);
    left->addStretch();
    preview->setDefault(true);

    m_requestView = {dates, order, in, out, preview, print, cancel};
    m_previewButtons = {previewPrint, savePdf, exportCsv, cancelPreview};

    m_previewPane = new PreviewPane(m_printer.get(), this);
    m_preview = m_previewPane->preview();
    m_preview->setMinimumSize(520, 600);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &ReportWindow::paintPreview);
    top->addWidget(m_previewPane, 1);
    showPreviewView(false);
}

void ReportWindow::showPreviewView(bool shown)
{
    m_previewShown = shown;
    for (QWidget* w : std::as_const(m_requestView))
        w->setVisible(!shown);
    for (QWidget* w : std::as_const(m_previewButtons))
        w->setVisible(shown);
    m_previewPane->setVisible(shown);
    // The settings frames stay beside the surface, one under the other so the page gets the width.
    m_settingsRow->setDirection(shown ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    if (shown && !isMaximized() && width() < 1100)
        resize(1100, std::max(height(), 760));
}

void ReportWindow::pickDay(int index)
{
    const std::optional<QDate> day = pickDate();
    if (!day)
        return;
    (index == 0 ? m_request.firstDay : m_request.lastDay) = DayNumber::of(*day);
    showDay(index);
}

void ReportWindow::choosePeriod(int quick)
{
    const ReportPeriod::Days days = ReportPeriod::quick(static_cast<ReportPeriod::Quick>(quick),
                                                        m_services.time.today(), QLocale().firstDayOfWeek());
    m_request.firstDay = days.firstDay;
    m_request.lastDay = days.lastDay;
    showDay(0);
    showDay(1);
}

void ReportWindow::showDay(int index)
{
    const qint32 day = index == 0 ? m_request.firstDay : m_request.lastDay;
    QPushButton* button = m_dates[index];
    if (day == 0) {
        button->setText(beforeDatePicked(index));
        button->setStyleSheet(QString());
        return;
    }
    button->setText(QLocale::system().toString(DayNumber::toDate(day), QLocale::LongFormat));
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: rgb(255, 0, 0); background: rgb(255, 255, 255); }"));
}

bool ReportWindow::checkDate()
{
    if (const auto problem = ReportTexts::CheckDate(m_request.firstDay, m_request.lastDay)) {
        if (m_request.firstDay == 0)
            m_services.messages.beep();
        m_services.messages.inform(this, problem->text, problem->title, MessageBoxes::Icon::Warning);
        return false;
    }
    return true;
}

int ReportWindow::selectedRoundingCode() const
{
    return RoundingCode::fromOptions(std::max(0, m_inRounding->checkedId()),
                                     std::max(0, m_outRounding->checkedId()))
        .code();
}

bool ReportWindow::loadDocument()
{
    m_request.employeeReport = m_order->checkedId() != 1;
    m_request.rounding = RoundingCode(selectedRoundingCode());
    m_document = std::make_unique<ReportDocument>(m_services.time, m_session, m_request, pairPay);
    try {
        if (m_document->load(m_services.database)) {
            m_rowsFresh = true;
            return true;
        }
        m_services.messages.inform(this, ReportTexts::noRecordsText(), ReportTexts::noRecordsTitle(),
                                   MessageBoxes::Icon::Information);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    m_document.reset();
    return false;
}

void ReportWindow::previewReport()
{
    if (!checkDate())
        return;
    if (RoundingCode(selectedRoundingCode()).needsWarning())
        m_services.messages.inform(this, Rounding::warningText(), Rounding::warningTitle(),
                                   MessageBoxes::Icon::None);
    if (!loadDocument())
        return;
    if (m_print.shading < 1 || m_print.shading > PrintSettings::shadingCount)
        m_print.shading = 1;
    {
        const QSignalBlocker blockShading(m_shading);
        const QSignalBlocker blockOrientation(m_orientation);
        m_shading->setValue(m_print.shading);
        m_orientation->button(m_print.orientation == 1 ? 1 : 0)->setChecked(true);
    }
    updateColorSample();
    FontInPicture();
    m_printer->setPageOrientation(m_print.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    showPreviewView(true);
    m_preview->updatePreview();
    m_previewPane->fitWidth();
    m_previewPane->showFirstPageTop();
}

void ReportWindow::paintPreview(QPrinter* printer)
{
    if (!m_document || !m_previewShown)
        return;
    // Every re-draw reads the rows afresh: punches made meanwhile at the clock belong in it.
    try {
        if (!m_rowsFresh)
            m_document->load(m_services.database);
        m_rowsFresh = false;
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return;
    }
    m_document->paint(*printer, m_print);
}

void ReportWindow::printReport()
{
    if (!checkDate() || !confirmPrinter(*m_printer))
        return;
    FontInPicture();
    if (loadDocument())
        m_document->paint(*m_printer, m_print);
    m_rowsFresh = false;
}

void ReportWindow::printFromPreview()
{
    if (!confirmPrinter(*m_printer))
        return;
    if (loadDocument())
        m_document->paint(*m_printer, m_print);
    m_rowsFresh = false;
    cancelPreview();
}

void ReportWindow::cancelPreview()
{
    FontWrite();
    showPreviewView(false);
}

bool ReportWindow::refusedOutput(const QString& path, const QString& title)
{
    const QString refusal = OwnFiles::refusal(m_session.paths(), path);
    if (!refusal.isEmpty())
        m_services.messages.inform(this, refusal, title, MessageBoxes::Icon::Warning);
    return !refusal.isEmpty();
}

void ReportWindow::savePdf()
{
    if (!m_document)
        return;
    const QString folder = ProgramPaths::documentsFolder();
    const QString path =
        saveFileName(QStringLiteral("Save the report as PDF"),
                     QDir(folder).filePath(ReportDocument::defaultFileName(m_request, QStringLiteral("pdf"))),
                     QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty() || refusedOutput(path, QStringLiteral("Save as PDF")))
        return;
    // Drawn beside the file and renamed into place: a failure leaves an earlier PDF whole.
    QTemporaryFile drawn(path + QStringLiteral(".XXXXXX"));
    bool written = drawn.open();
    if (written) {
        drawn.close();
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(drawn.fileName());
        pdf.setPageLayout(pdfPageLayout());
        pdf.setCreator(QStringLiteral("Tellarin"));
        pdf.setDocName(m_document->report().title());
        written = m_document->paint(pdf, m_print) > 0;
    }
    written = written && QFile(drawn.fileName()).size() > 0 && DurableFiles::replace(drawn.fileName(), path);
    if (written)
        drawn.setAutoRemove(false);
    else
        m_services.messages.inform(this, QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path),
                                   QStringLiteral("Save as PDF"), MessageBoxes::Icon::Warning);
}

void ReportWindow::exportCsv()
{
    if (!m_document)
        return;
    const QString folder = ProgramPaths::documentsFolder();
    const QString path =
        saveFileName(QStringLiteral("Export the report as CSV"),
                     QDir(folder).filePath(ReportDocument::defaultFileName(m_request, QStringLiteral("csv"))),
                     QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty() || refusedOutput(path, QStringLiteral("Export CSV")))
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QTextStream out(&file);
        m_document->writeCsv(out);
        out.flush();
        if (file.commit())
            return;
    }
    m_services.messages.inform(this,
                               QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) +
                                   QStringLiteral(": ") + file.errorString(),
                               QStringLiteral("Export CSV"), MessageBoxes::Icon::Warning);
}

void ReportWindow::changeFont()
{
    QFont current = ReportDocument::font(m_print);
    current.setBold(m_print.bold);
    const std::optional<QFont> chosen = chooseFont(current);
    if (!chosen)
        return;
    m_print.fontName = chosen->family();
    m_print.fontSize = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : m_print.fontSize;
    m_print.bold = chosen->bold();
    m_print.italic = chosen->italic();
    if (m_print.fontName.trimmed().isEmpty()) {
        m_services.messages.inform(this, QStringLiteral("No font selected."), windowTitle(),
                                   MessageBoxes::Icon::Warning);
        return;
    }
    // Printers here take every installed scalable font: the driver embeds it.
    if (!QFontDatabase::families().contains(m_print.fontName, Qt::CaseInsensitive)) {
        m_services.messages.inform(
            this, QStringLiteral("Font ") + m_print.fontName + QStringLiteral(" is not available."),
            windowTitle(), MessageBoxes::Icon::Warning);
        return;
    }
    FontInPicture();
    if (m_previewShown)
        m_preview->updatePreview();
}

void ReportWindow::orientationChanged(int index)
{
    m_print.orientation = index == 1 ? 1 : 0;
    if (m_previewShown)
        m_preview->setOrientation(m_print.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    else
        m_printer->setPageOrientation(m_print.orientation == 1 ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
}

void ReportWindow::shadingChanged(int value)
{
    m_print.shading = value;
    updateColorSample();
    if (m_previewShown)
        m_preview->updatePreview();
}

void ReportWindow::updateColorSample()
{
    QPalette p = m_color->palette();
    p.setColor(QPalette::Window, PrintSettings::shadingColor(m_print.shading));
    m_color->setPalette(p);
}

void ReportWindow::FontInPicture()
{
    QFont font = ReportDocument::font(m_print);
    m_sample->setSampleFont(font);
}

void ReportWindow::FontWrite()
{
    m_print.roundingCode = selectedRoundingCode();
    PrintDat::save(PrintDat::path(m_session.paths()), m_print);
}

void ReportWindow::FontRead()
{
    m_print = PrintDat::load(PrintDat::path(m_session.paths()));
    const RoundingCode code(m_print.roundingCode);
    m_inRounding->button(code.inOption())->setChecked(true);
    m_outRounding->button(code.outOption())->setChecked(true);
    const QSignalBlocker blockShading(m_shading);
    const QSignalBlocker blockOrientation(m_orientation);
    m_shading->setValue(m_print.shading);
    m_orientation->button(m_print.orientation == 1 ? 1 : 0)->setChecked(true);
    m_printer->setPageOrientation(m_print.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    updateColorSample();
    FontInPicture();
}

QPrintPreviewWidget* ReportWindow::preview() const
{
    return m_preview;
}

QPageLayout ReportWindow::pdfPageLayout() const
{
    std::optional<QMarginsF> printable;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        QPrinter probe(printer, QPrinter::HighResolution);
        QPageLayout layout = probe.pageLayout();
        layout.setUnits(QPageLayout::Millimeter);
        printable = layout.minimumMargins();
    }
    const QPageLayout& paper = m_printer->pageLayout();
    return QPageLayout(paper.pageSize(), paper.orientation(), ReportDocument::pdfMargins(printable),
                       QPageLayout::Millimeter);
}

void ReportWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape in the preview goes back to the request; the window stays.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_previewShown) {
        cancelPreview();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ReportWindow::done(int result)
{
    FontWrite();
    ReportPeriod::rememberWindowGeometry(m_session.paths().programFolder(), saveGeometry());
    QDialog::done(result);
}
