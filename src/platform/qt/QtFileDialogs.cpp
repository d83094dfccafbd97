// Ostrel-Vane Studio - the open and save dialogs of the desktop.
#include "platform/qt/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace HalvrennInc {

namespace {
QString qtText(std::string_view sText)
{
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}
}  // namespace

QString ToQtNameFilters(std::string_view sFilter)
{
    const QStringList parts = qtText(sFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString sDescription = parts[i].trimmed();
        // The description usually shows its patterns already; Qt reads them from the last
        // parentheses, so they are replaced by the real list.
        if (sDescription.endsWith(QLatin1Char(')'))) {
            const qsizetype iOpen = sDescription.lastIndexOf(QLatin1Char('('));
            if (iOpen >= 0) sDescription = sDescription.left(iOpen).trimmed();
        }
        QString sPatterns = parts[i + 1].trimmed();
        sPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(sDescription, sPatterns);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialogs::openFile(std::string_view sTitle, std::string_view sFileName,
                                                   std::string_view sFilter)
{
    return run(false, sTitle, sFileName, sFilter, {}, false);
}

std::optional<std::string> QtFileDialogs::saveFile(std::string_view sTitle, std::string_view sFileName,
                                                   std::string_view sFilter, std::string_view sDefaultExtension,
                                                   bool bAskOverwrite)
{
    return run(true, sTitle, sFileName, sFilter, sDefaultExtension, bAskOverwrite);
}

std::optional<std::string> QtFileDialogs::run(bool bSave, std::string_view sTitle, std::string_view sFileName,
                                              std::string_view sFilter, std::string_view sDefaultExtension,
                                              bool bAskOverwrite)
{
    QFileDialog dialog(m_pParent, qtText(sTitle));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !bAskOverwrite);
    const QString sFilters = ToQtNameFilters(sFilter);
    if (!sFilters.isEmpty()) {
        dialog.setNameFilters(sFilters.split(QStringLiteral(";;")));
        dialog.selectNameFilter(dialog.nameFilters().front());
    }
    if (!sDefaultExtension.empty()) dialog.setDefaultSuffix(qtText(sDefaultExtension));
    // A name such as "*.txt" is a pattern, which the filter already shows; a real name is
    // offered in the name box.
    const QString sName = qtText(sFileName);
    if (m_pSettings) {
        const std::optional<std::string> sFolder = m_pSettings->readString(kLastFolderValueName);
        if (sFolder && QFileInfo(QString::fromStdString(*sFolder)).isDir())
            dialog.setDirectory(QString::fromStdString(*sFolder));
    }
    if (!sName.isEmpty() && !sName.contains(QLatin1Char('*')) && !sName.contains(QLatin1Char('?')))
        dialog.selectFile(sName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString sChosen = dialog.selectedFiles().front();
    if (m_pSettings)
        m_pSettings->writeString(kLastFolderValueName, QFileInfo(sChosen).absolutePath().toUtf8().toStdString());
    return sChosen.toUtf8().toStdString();
}

}  // namespace HalvrennInc
