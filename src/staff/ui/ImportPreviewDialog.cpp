#include "staff/ui/ImportPreviewDialog.h"

#include "staff/ImportSummary.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ImportPreviewDialog::ImportPreviewDialog(const StaffCsv::Plan& plan, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import employees"));
    auto* layout = new QVBoxLayout(this);
    QString text =
        QStringLiteral("The import will make these changes:\n") + ImportSummary::sentence(plan) + u'.';
    if (!ImportSummary::newDepartments(plan).isEmpty())
        text +=
            QStringLiteral("\n\nDepartments that do not exist yet will be created. If a name is misspelt, "
                           "press Cancel and correct the file.");
    m_summary = new QLabel(text, this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    static const char* const kinds[] = {"New", "Changed", "Unchanged", "New department"};
    m_changes = new QListWidget(this);
    m_changes->setObjectName(QStringLiteral("lstChanges"));
    m_changes->setMinimumSize(520, 200);
    for (const StaffCsv::Change& c : plan.changes) {
        QString line =
            QString::fromLatin1(kinds[static_cast<int>(c.kind)]) + QStringLiteral(":  ") +
            (c.kind == StaffCsv::Change::Kind::Department ? c.name : c.key + QStringLiteral("  ") + c.name);
        if (c.kind == StaffCsv::Change::Kind::Change)
            line += QStringLiteral("  (") + c.what.join(QStringLiteral(", ")) + u')';
        m_changes->addItem(line);
    }
    layout->addWidget(m_changes);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("cmdImport"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ImportPreviewDialog::summary() const
{
    return m_summary->text();
}

QStringList ImportPreviewDialog::lines() const
{
    QStringList lines;
    for (int i = 0; i < m_changes->count(); ++i)
        lines.append(m_changes->item(i)->text());
    return lines;
}
