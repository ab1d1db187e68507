#include "CQtPathPicker.h"

#include "platform/posix/CDriveMap.h"

#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

namespace
{
std::optional<std::string> ToWindowsForm(const QString& strHostPath)
{
    if (strHostPath.isEmpty())
        return std::nullopt;
    return CDriveMap::FromEnvironment().ToWindows(QFile::encodeName(strHostPath).toStdString());
}

QString ToHostForm(const std::string& strWindowsPath)
{
    const std::optional<std::string> host = CDriveMap::FromEnvironment().ToHost(strWindowsPath);
    return host ? QFile::decodeName(QByteArray::fromStdString(*host)) : QString();
}
} // namespace

std::optional<std::string> CQtPathPicker::BrowseForFolder(QWidget* pOwner, const QString& strTitle)
{
    QFileDialog dialog(pOwner, strTitle,
                       QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToWindowsForm(dialog.selectedFiles().first());
}

std::optional<std::string> CQtPathPicker::OpenFile(const std::string& strInitialFile)
{
    QFileDialog dialog(nullptr);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the file need not exist
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Every file, with or without a dot in its name.
    dialog.setNameFilter(QStringLiteral("All Files (*)"));
    const QString strInitial = ToHostForm(strInitialFile);
    if (!strInitial.isEmpty())
        dialog.selectFile(strInitial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToWindowsForm(dialog.selectedFiles().first());
}
