#include "reports/ui/ReportWindow.h"

#include "FakeMessageBoxes.h"
#include "FakeTimeSource.h"
#include "PunchRecord.h"
#include "TestFolder.h"
#include "platform/SoundPlayer.h"
#include "reports/PrintSettings.h"
#include "settings/ProgramState.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"

#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
QDateTime at(int day, int hour, int minute)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute));
}

struct WindowFixture {
    TestFolder folder;
    FakeTimeSource time{at(7, 9, 5)};
    FakeMessageBoxes messages;
    SilentSoundPlayer sounds;
    NoCamera camera;
    ProgramState state{folder.paths(), folder.database(), time, messages, sounds, camera};
    ReportWindow window{state};
    QList<qint32> daysToPick;
    int paints = 0;

    WindowFixture()
    {
        ClockRecords records(folder.database());
        for (int day = 1; day <= 5; ++day) {
            records.append(punchRecord(QStringLiteral("A1"), at(day, 8, 0), false, QStringLiteral("Ann")));
            records.append(punchRecord(QStringLiteral("A1"), at(day, 16, 30), true, QStringLiteral("Ann")));
        }
        window.pickDate = [this] {
            if (daysToPick.isEmpty())
                return false;
            state.pickedDay = static_cast<float>(daysToPick.takeFirst());
            return true;
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
    const PrintSettings saved = PrintDat::load(PrintDat::path(f.state.paths));
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

TEST(ReportWindow, CancelReportsCancelAndWritesPrintDat)
{
    WindowFixture f;
    f.click("Option3_4");
    f.click("cmdCANCEL");
    EXPECT_EQ(f.state.callMode, QStringLiteral("Cancel"));
    EXPECT_EQ(PrintDat::load(PrintDat::path(f.state.paths)).roundingCode, 35);
}
