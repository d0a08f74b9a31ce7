#pragma once

#include "reports/PrintSettings.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <memory>

class PaySummary;
class PreviewPane;
class QDateEdit;
class QPrinter;
class Session;
struct Services;

// The "Pay summary" window: the period, then the summary as a preview, on a printer, in a PDF
// file or as CSV. Every output reads the punches and rates afresh.
//
// Object names: dteFrom, dteTo, cmdThisWeek, cmdLastWeek, cmdPreview, cmdPrint, cmdSavePdf,
// cmdExportCsv, cmdClose, and those of PreviewPane.
class PaySummaryWindow : public QDialog {
    Q_OBJECT

public:
    PaySummaryWindow(const Services& services, Session& session, QWidget* parent = nullptr);
    ~PaySummaryWindow() override;

    // The dialogs the window asks through; tests answer them without a screen.
    std::function<bool(QPrinter&)> confirmPrinter;
    std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>
        saveFileName;

    void setPeriod(QDate first, QDate last);
    PreviewPane* previewPane() const { return m_previewPane; }
    // The summary last shown or written; nothing before.
    const PaySummary* summary() const { return m_summary.get(); }

    // The buttons' actions, callable without a click.
    void preview();
    void print();
    void savePdf();
    void exportCsv();

private:
    // The workweek (of the pay rules) that holds the day.
    void chooseWeek(int weeksBack);
    // Reads the period afresh; false, after telling the user why, when there is nothing to show.
    bool load();
    QString chosenFile(const QString& caption, const QString& extension, const QString& filter);
    void write(const QString& path, const QByteArray& bytes, const QString& title);

    const Services& m_services;
    Session& m_session;
    PrintSettings m_print;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PaySummary> m_summary;
    QDateEdit* m_first = nullptr;
    QDateEdit* m_last = nullptr;
    PreviewPane* m_previewPane = nullptr;
};
