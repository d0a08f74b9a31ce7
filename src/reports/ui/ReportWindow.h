#pragma once

#include "reports/PrintSettings.h"
#include "reports/ReportExports.h"
#include "reports/ReportLines.h"

#include <QDialog>
#include <QFont>
#include <QPageLayout>
#include <functional>
#include <memory>

class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QScrollBar;
class FontSample;
class PreviewPane;
class ReportDocument;
struct Services;
class Session;

// The report window "Print between dates": collects the period, order and rounding, keeps the
// font, orientation, shading and rounding in Print.Dat, and shows the report as a preview, on a
// printer, in a PDF file or as CSV.
//
// Object names: cmdDate_0/1, Option1_0/1, Option2_0..4 (IN rounding), Option3_0..4 (OUT
// rounding), frFont, cmdFont, Picture1, frOrientation, optOrient_0/1, frShading, HScroll1,
// lblColor, cmdPreview, cmdPrint, cmdCANCEL, cmdPreviewPrint, cmdCancelPreview, cmdSavePdf,
// cmdExportCsv, cmdThisWeek, cmdLastWeek, cmdThisMonth, cmdLastMonth, and those of PreviewPane.
//
// Escape in the preview goes back to the request; the close box and Alt+F4 close the window.
class ReportWindow : public QDialog {
    Q_OBJECT

public:
    explicit ReportWindow(const Services& services, Session& session, QWidget* parent = nullptr);
    ~ReportWindow() override;

    // The dialogs the window asks through; tests answer them without a screen.
    // The day picked, or nothing when cancelled.
    std::function<std::optional<QDate>()> pickDate;
    std::function<bool(QPrinter&)> confirmPrinter;
    std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>
        saveFileName;
    std::function<std::optional<QFont>(const QFont& current)> chooseFont;
    // Fills the CSV's pay columns; without it they stay empty.
    std::function<PairPayLookup(Database&, const ReportRequest&)> pairPay;

    const ReportRequest& request() const { return m_request; }
    const PrintSettings& printSettings() const { return m_print; }
    bool previewShown() const { return m_previewShown; }
    QPrintPreviewWidget* preview() const;
    PreviewPane* previewPane() const { return m_previewPane; }
    // The page of a saved PDF: the printer's paper, with the margins of the default printer's
    // printable area but never under a quarter inch.
    QPageLayout pdfPageLayout() const;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    QGroupBox* optionFrame(const QString& title, const QString& namePrefix, const QStringList& captions,
                           QButtonGroup*& group);
    void pickDay(int index);
    void showDay(int index);
    void choosePeriod(int quick);

    void previewReport();
    void printReport();
    void printFromPreview();
    void cancelPreview();
    // Tells the user and answers true when the path is one of the program's own files.
    bool refusedOutput(const QString& path, const QString& title);
    void savePdf();
    void exportCsv();
    void changeFont();
    void orientationChanged(int index);
    void shadingChanged(int value);

    bool checkDate();
    // Reads the rows of the request into a fresh document; false (with the message shown) when
    // there are none or the database fails.
    bool loadDocument();
    void paintPreview(QPrinter* printer);
    void showPreviewView(bool shown);
    void FontInPicture();
    void FontWrite();
    void FontRead();
    void updateColorSample();
    int selectedRoundingCode() const;

    const Services& m_services;
    Session& m_session;
    ReportRequest m_request;
    PrintSettings m_print;
    std::unique_ptr<ReportDocument> m_document;
    std::unique_ptr<QPrinter> m_printer;
    bool m_previewShown = false;
    bool m_rowsFresh = false; // loaded for this paint already

    QPushButton* m_dates[2] = {};
    QButtonGroup* m_order = nullptr;
    QButtonGroup* m_inRounding = nullptr;
    QButtonGroup* m_outRounding = nullptr;
    QButtonGroup* m_orientation = nullptr;
    QList<QWidget*> m_requestView;
    QList<QWidget*> m_previewButtons;
    FontSample* m_sample = nullptr;
    QScrollBar* m_shading = nullptr;
    QLabel* m_color = nullptr;
    QBoxLayout* m_settingsRow = nullptr;
    PreviewPane* m_previewPane = nullptr;
    QPrintPreviewWidget* m_preview = nullptr;
};
