#include "pay/ui/PaySummaryWindow.h"

#include "pay/PayDocument.h"
#include "pay/PaySummary.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "platform/TimeSource.h"
#include "platform/ui/DateBox.h"
#include "platform/ui/PlainButton.h"
#include "reports/ReportTexts.h"
#include "reports/ui/PreviewPane.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/OwnFiles.h"
#include "store/StaffFiles.h"

#include <QBuffer>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

PaySummaryWindow::PaySummaryWindow(const Services& services, Session& session, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_print(PrintDat::load(PrintDat::path(session.paths())))
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    confirmPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    saveFileName = [this](const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, suggested, filter);
    };
    setWindowTitle(QStringLiteral("Pay summary"));
    // Nine columns of figures need the width of a landscape page.
    m_printer->setPageOrientation(QPageLayout::Landscape);

    m_first = dateBox("dteFrom");
    m_last = dateBox("dteTo");
    QPushButton* thisWeek = plainButton(QStringLiteral("This &week"), "cmdThisWeek");
    QPushButton* lastWeek = plainButton(QStringLiteral("&Last week"), "cmdLastWeek");
    QPushButton* previewButton = plainButton(QStringLiteral("Pre&view"), "cmdPreview");
    QPushButton* printButton = plainButton(QStringLiteral("&Print..."), "cmdPrint");
    QPushButton* pdfButton = plainButton(QStringLiteral("Save as P&DF..."), "cmdSavePdf");
    QPushButton* csvButton = plainButton(QStringLiteral("Export &CSV..."), "cmdExportCsv");
    QPushButton* closeButton = plainButton(QStringLiteral("Close"), "cmdClose");
    previewButton->setDefault(true);
    connect(thisWeek, &QPushButton::clicked, this, [this] { chooseWeek(0); });
    connect(lastWeek, &QPushButton::clicked, this, [this] { chooseWeek(1); });
    connect(previewButton, &QPushButton::clicked, this, &PaySummaryWindow::preview);
    connect(printButton, &QPushButton::clicked, this, &PaySummaryWindow::print);
    connect(pdfButton, &QPushButton::clicked, this, &PaySummaryWindow::savePdf);
    connect(csvButton, &QPushButton::clicked, this, &PaySummaryWindow::exportCsv);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("From")));
    choices->addWidget(m_first);
    choices->addWidget(new QLabel(QStringLiteral("to")));
    choices->addWidget(m_last);
    choices->addWidget(thisWeek);
    choices->addWidget(lastWeek);
    choices->addStretch();
    for (QPushButton* b : {previewButton, printButton, pdfButton, csvButton, closeButton})
        choices->addWidget(b);

    m_previewPane = new PreviewPane(m_printer.get(), this);
    connect(m_previewPane->preview(), &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (m_summary)
            PayDocument::paint(*m_summary, *printer, m_print);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_previewPane, 1);
    chooseWeek(1);
    resize(1100, 760);
}

PaySummaryWindow::~PaySummaryWindow() = default;

void PaySummaryWindow::setPeriod(QDate first, QDate last)
{
    m_first->setDate(first);
    m_last->setDate(last);
}

void PaySummaryWindow::chooseWeek(int weeksBack)
{
    const QDate today = m_services.time.now().date();
    const int start = PaySummary::rulesOf(m_session).workweekStart;
    const QDate first = today.addDays(-((today.dayOfWeek() - start + 7) % 7) - 7 * weeksBack);
    setPeriod(first, first.addDays(6));
}

bool PaySummaryWindow::load()
{
    const qint32 first = DayNumber::of(m_first->date());
    const qint32 last = DayNumber::of(m_last->date());
    if (const auto problem = ReportTexts::CheckDate(first, last)) {
        m_services.messages.inform(this, problem->text, problem->title, MessageBoxes::Icon::Warning);
        return false;
    }
    // The files are the truth: another window or the command line may have saved since.
    m_session.reloadStaffFiles();
    auto summary = std::make_unique<PaySummary>(PaySummary::requestFor(m_session, first, last),
                                                m_session.settings(), m_session.departments());
    try {
        if (!summary->load(m_services.database, m_session.employees().entries)) {
            m_services.messages.inform(
                this, QStringLiteral("No employee has a complete IN and OUT in this period."), windowTitle(),
                MessageBoxes::Icon::Information);
            return false;
        }
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return false;
    }
    m_summary = std::move(summary);
    return true;
}

void PaySummaryWindow::preview()
{
    if (!load())
        return;
    m_previewPane->preview()->updatePreview();
    m_previewPane->fitWidth();
    m_previewPane->showFirstPageTop();
}

void PaySummaryWindow::print()
{
    if (load() && confirmPrinter(*m_printer))
        PayDocument::paint(*m_summary, *m_printer, m_print);
}

QString PaySummaryWindow::chosenFile(const QString& caption, const QString& extension, const QString& filter)
{
    const QString suggested =
        QDir(ProgramPaths::documentsFolder())
            .filePath(PayDocument::defaultFileName(DayNumber::of(m_first->date()),
                                                   DayNumber::of(m_last->date()), extension));
    const QString path = saveFileName(caption, suggested, filter);
    if (path.isEmpty())
        return {};
    if (const QString refusal = OwnFiles::refusal(m_session.paths(), path); !refusal.isEmpty()) {
        m_services.messages.inform(this, refusal, caption, MessageBoxes::Icon::Warning);
        return {};
    }
    return path;
}

void PaySummaryWindow::write(const QString& path, const QByteArray& bytes, const QString& title)
{
    QString error;
    if (!OwnFiles::writeOutput(path, bytes, &error))
        m_services.messages.inform(this, error, title, MessageBoxes::Icon::Warning);
}

void PaySummaryWindow::savePdf()
{
    const QString title = QStringLiteral("Save as PDF");
    const QString path = chosenFile(title, QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty() || !load())
        return;
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!PayDocument::writePdf(*m_summary, pdf, m_print)) {
        m_services.messages.inform(this, QStringLiteral("The pages could not be drawn."), title,
                                   MessageBoxes::Icon::Warning);
        return;
    }
    write(path, pdf.data(), title);
}

void PaySummaryWindow::exportCsv()
{
    const QString title = QStringLiteral("Export CSV");
    const QString path = chosenFile(title, QStringLiteral("csv"), QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty() || !load())
        return;
    QString text;
    QTextStream out(&text);
    m_summary->writeCsv(out);
    out.flush();
    write(path, text.toUtf8(), title);
}
