#include "reports/ui/ReportWindow.h"

#include "PunchRecord.h"
#include "TestProgram.h"
#include "reports/PrintSettings.h"
#include "reports/ReportPeriod.h"
#include "reports/ui/PreviewPane.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
QDateTime at(int day, int hour, int minute)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute));
}

struct WindowFixture : TestProgram {
    ReportWindow window{services, session};
    QList<qint32> daysToPick;
    int paints = 0;

    WindowFixture()
        : TestProgram(at(7, 9, 5))
    {
        ClockRecords records(folder.database());
        for (int day = 1; day <= 5; ++day) {
            records.append(punchRecord(QStringLiteral("A1"), at(day, 8, 0), false, QStringLiteral("Ann")));
            records.append(punchRecord(QStringLiteral("A1"), at(day, 16, 30), true, QStringLiteral("Ann")));
        }
        window.pickDate = [this]() -> std::optional<QDate> {
            if (daysToPick.isEmpty())
                return std::nullopt;
            return DayNumber::toDate(daysToPick.takeFirst());
        };
        QObject::connect(window.preview(), &QPrintPreviewWidget::paintRequested, [this] { ++paints; });
        window.show();
    }

    template <typename T = QPushButton> T* find(const char* name)
    {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    void click(const char* name) { find<QAbstractButton>(name)->click(); }
    void pickPeriod(int firstDay, int lastDay)
    {
        daysToPick = {DayNumber::of(QDate(2026, 12, firstDay)), DayNumber::of(QDate(2026, 12, lastDay))};
        click("cmdDate_0");
        click("cmdDate_1");
    }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto& m : messages.shown)
            texts.append(m.title + QStringLiteral(": ") + m.text);
        return texts;
    }
};
} // namespace

TEST(ReportWindow, OpensWithoutPrintDatOnDoNotAdjust)
{
    WindowFixture f;
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Print between dates"));
    EXPECT_TRUE(f.find<QRadioButton>("Option1_0")->isChecked());
    EXPECT_TRUE(f.find<QRadioButton>("Option2_2")->isChecked());
    EXPECT_TRUE(f.find<QRadioButton>("Option3_2")->isChecked());
    EXPECT_FALSE(f.window.previewShown());
}

TEST(ReportWindow, PreviewNeedsBothDatesInOrder)
{
    WindowFixture f;
    f.click("cmdPreview");
    f.daysToPick = {DayNumber::of(QDate(2026, 12, 5))};
    f.click("cmdDate_0");
    f.click("cmdPreview");
    f.daysToPick = {DayNumber::of(QDate(2026, 12, 4))};
    f.click("cmdDate_1");
    f.click("cmdPreview");
    EXPECT_EQ(f.shownTexts(),
              (QStringList{"Date error: Starting date is missing...", "Date error: Ending date is missing...",
                           "Date error: Last date must be the same or later then First date!"}));
    EXPECT_EQ(f.messages.beeps, 1);
    EXPECT_FALSE(f.window.previewShown());
    EXPECT_EQ(f.find("cmdDate_0")->text(), QStringLiteral("Saturday, December 5, 2026"));
}

TEST(ReportWindow, PreviewRedrawsOnShadingAndOrientationAndSavesItsChoices)
{
    WindowFixture f;
    f.pickPeriod(1, 5);
    f.click("Option2_1"); // later to the nearest quarter: the warning comes first
    f.click("cmdPreview");
    ASSERT_TRUE(f.window.previewShown()) << f.shownTexts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f.shownTexts(), QStringList{QStringLiteral("Rounding: ") + Rounding::warningText()});
    EXPECT_FALSE(f.find("cmdDate_0")->isVisible());
    EXPECT_TRUE(f.find("cmdCancelPreview")->isVisible());
    EXPECT_GE(f.window.preview()->pageCount(), 1);

    const int before = f.paints;
    f.find<QScrollBar>("HScroll1")->setValue(3);
    EXPECT_GT(f.paints, before);
    const int afterShading = f.paints;
    f.click("optOrient_1");
    EXPECT_GT(f.paints, afterShading);
    EXPECT_EQ(f.window.preview()->orientation(), QPageLayout::Landscape);

    const QString pdf = f.folder.path() + QStringLiteral("/report.pdf");
    QString suggested;
    f.window.saveFileName = [&](const QString&, const QString& name, const QString&) {
        suggested = name;
        return pdf;
    };
    f.click("cmdSavePdf");
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/clocking-report-2026-12-01-to-2026-12-05.pdf")));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    f.click("cmdCancelPreview");
    EXPECT_FALSE(f.window.previewShown());
    EXPECT_TRUE(f.find("cmdDate_0")->isVisible());
    const PrintSettings saved = PrintDat::load(PrintDat::path(f.session.paths()));
    EXPECT_EQ(saved.roundingCode, 23);
    EXPECT_EQ(saved.shading, 3);
    EXPECT_EQ(saved.orientation, 1);
}

TEST(ReportWindow, EmptyPeriodShowsNoRecords)
{
    WindowFixture f;
    f.pickPeriod(20, 21);
    f.click("cmdPreview");
    EXPECT_EQ(f.shownTexts(), QStringList{"No records: No records found for printing.."});
    EXPECT_FALSE(f.window.previewShown());
}

TEST(ReportWindow, PrintGoesToTheConfirmedPrinter)
{
    WindowFixture f;
    f.pickPeriod(1, 5);
    const QString out = f.folder.path() + QStringLiteral("/printed.pdf");
    int asked = 0;
    f.window.confirmPrinter = [&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        return true;
    };
    f.click("cmdPrint");
    EXPECT_EQ(asked, 1);
    EXPECT_GT(QFile(out).size(), 0);
    EXPECT_EQ(f.paints, 0); // no preview on the way
}

TEST(ReportWindow, CancelClosesRejectedAndWritesPrintDat)
{
    WindowFixture f;
    f.click("Option3_4");
    f.click("cmdCANCEL");
    EXPECT_EQ(f.window.result(), QDialog::Rejected);
    EXPECT_EQ(PrintDat::load(PrintDat::path(f.session.paths())).roundingCode, 35);
}

namespace {
// More punches than one page holds.
void addManyPunches(Database& database)
{
    ClockRecords records(database);
    for (int employee = 0; employee < 12; ++employee)
        for (int day = 1; day <= 5; ++day) {
            const QString id = QStringLiteral("E%1").arg(employee, 2, 10, QLatin1Char('0'));
            records.append(punchRecord(id, at(day, 7, employee), false, QStringLiteral("Worker ") + id));
            records.append(punchRecord(id, at(day, 15, employee), true, QStringLiteral("Worker ") + id));
        }
}
} // namespace

TEST(ReportWindow, PreviewZoomsAndPages)
{
    WindowFixture f;
    addManyPunches(f.folder.database());
    f.pickPeriod(1, 5);
    f.click("cmdPreview");
    ASSERT_TRUE(f.window.previewShown());
    PreviewPane* pane = f.window.previewPane();
    ASSERT_GE(pane->pageCount(), 2);
    EXPECT_EQ(f.window.preview()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    EXPECT_LE(f.window.minimumSizeHint().width(), 1280); // the whole window fits a 1280x1024 screen

    f.click("cmdActualSize");
    EXPECT_DOUBLE_EQ(pane->zoomFactor(), 1.0);
    EXPECT_EQ(f.find<QLabel>("lblZoom")->text(), QStringLiteral("100 %"));
    f.click("cmdZoomIn");
    EXPECT_DOUBLE_EQ(pane->zoomFactor(), 1.25);
    f.click("cmdZoomOut");
    f.click("cmdZoomOut");
    EXPECT_DOUBLE_EQ(pane->zoomFactor(), 0.8);

    // Ctrl+wheel on the page zooms; the wheel alone scrolls
    QWidget* page = f.window.preview()->findChild<QAbstractScrollArea*>()->viewport();
    const auto wheel = [&](Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(50, 50), page->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &event);
    };
    wheel(Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(pane->zoomFactor(), 1.0);
    wheel(Qt::NoModifier);
    EXPECT_DOUBLE_EQ(pane->zoomFactor(), 1.0);
    f.click("cmdFitPage");
    EXPECT_EQ(f.window.preview()->zoomMode(), QPrintPreviewWidget::FitInView);

    EXPECT_EQ(pane->currentPage(), 1);
    EXPECT_FALSE(f.find<QAbstractButton>("cmdPreviousPage")->isEnabled());
    f.click("cmdNextPage");
    EXPECT_EQ(pane->currentPage(), 2);
    f.click("cmdLastPage");
    EXPECT_EQ(pane->currentPage(), pane->pageCount());
    EXPECT_FALSE(f.find<QAbstractButton>("cmdNextPage")->isEnabled());
    EXPECT_EQ(f.find<QLabel>("lblPageCount")->text(), QStringLiteral("of %1").arg(pane->pageCount()));
    f.click("cmdFirstPage");
    EXPECT_EQ(pane->currentPage(), 1);
    f.find<QSpinBox>("txtPage")->setValue(2);
    EXPECT_EQ(pane->currentPage(), 2);
}

TEST(ReportWindow, EscapeLeavesThePreviewTheCloseBoxTheWindow)
{
    WindowFixture f;
    f.pickPeriod(1, 5);
    f.click("cmdPreview");
    ASSERT_TRUE(f.window.previewShown());
    QTest::keyClick(&f.window, Qt::Key_Escape);
    EXPECT_FALSE(f.window.previewShown());
    EXPECT_TRUE(f.window.isVisible());

    f.click("cmdPreview");
    ASSERT_TRUE(f.window.previewShown());
    f.find<QScrollBar>("HScroll1")->setValue(4);
    EXPECT_TRUE(f.window.close()); // the close box and Alt+F4
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_EQ(PrintDat::load(PrintDat::path(f.session.paths())).shading, 4);
}

TEST(ReportWindow, KeepsTheSizeStartsWithoutDaysAndOffersQuickPeriods)
{
    WindowFixture f;
    EXPECT_TRUE(f.window.windowState() & Qt::WindowMaximized); // nothing kept yet
    f.pickPeriod(1, 5);
    f.window.setWindowState(Qt::WindowNoState);
    f.window.resize(900, 700);
    f.window.close();

    ReportWindow again(f.services, f.session);
    EXPECT_FALSE(again.windowState() & Qt::WindowMaximized);
    // every opening starts with both days unchosen
    EXPECT_EQ(again.request().firstDay, 0);
    EXPECT_EQ(again.request().lastDay, 0);

    // Today is Monday 7 December; the week begins on Sunday here.
    const struct {
        const char* button;
        QDate first;
        QDate last;
    } quick[] = {
        {"cmdThisWeek", QDate(2026, 12, 6), QDate(2026, 12, 12)},
        {"cmdLastWeek", QDate(2026, 11, 29), QDate(2026, 12, 5)},
        {"cmdThisMonth", QDate(2026, 12, 1), QDate(2026, 12, 31)},
        {"cmdLastMonth", QDate(2026, 11, 1), QDate(2026, 11, 30)},
    };
    for (const auto& q : quick) {
        again.findChild<QPushButton*>(QString::fromLatin1(q.button))->click();
        EXPECT_EQ(again.request().firstDay, DayNumber::of(q.first)) << q.button;
        EXPECT_EQ(again.request().lastDay, DayNumber::of(q.last)) << q.button;
    }
}

TEST(ReportWindow, PdfMarginsArePrintable)
{
    WindowFixture f;
    const QMarginsF margins = f.window.pdfPageLayout().margins(QPageLayout::Millimeter);
    for (qreal side : {margins.left(), margins.top(), margins.right(), margins.bottom()})
        EXPECT_GE(side, 6.35 - 1e-9);
}

TEST(ReportWindow, SavingNeverWritesOverTheProgramsOwnFiles)
{
    WindowFixture f;
    f.pickPeriod(1, 5);
    f.click("cmdPreview");
    ASSERT_TRUE(f.window.previewShown());
    const QString database = f.session.paths().clockDatabase();
    QFile before(database);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();
    f.window.saveFileName = [&](const QString&, const QString&, const QString&) {
        return database;
    };
    f.messages.shown.clear();
    f.click("cmdSavePdf");
    f.click("cmdExportCsv");
    ASSERT_EQ(f.messages.shown.size(), 2);
    for (const auto& shown : f.messages.shown)
        EXPECT_TRUE(shown.text.contains(QLatin1String("the program's own file"))) << shown.text.toStdString();
    QFile after(database);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
}
