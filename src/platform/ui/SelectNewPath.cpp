#include "platform/ui/SelectNewPath.h"

#include <QDir>
#include <QFileDialog>

QString selectNewPath(QWidget* parent, const QString& programFolder)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SelectNewPath"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(QDir(programFolder).absolutePath() + QLatin1Char('/'));
    // The file may come from Windows in any letter case; the pattern after the caption matches them
    // all and stays out of sight.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QStringLiteral("MS Access database (Rtm.mdb) ([Rr][Tt][Mm].[Mm][Dd][Bb])"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
