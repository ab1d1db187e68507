#include "CQtPathPicker.h"

#include "platform/posix/CDriveMap.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace
{
QString ToHostForm(const std::string& strWindowsPath)
{
    if (strWindowsPath.empty())
        return {};
    const std::optional<std::string> host = CDriveMap::FromEnvironment().ToHost(strWindowsPath);
    return host ? QFile::decodeName(QByteArray::fromStdString(*host)) : QString();
}

SPathChoice Chosen(const QFileDialog& dialog)
{
    SPathChoice choice;
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.bChosen = true;
    choice.strHostPath = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    choice.windowsPath = CDriveMap::FromEnvironment().ToWindows(choice.strHostPath);
    return choice;
}
} // namespace

SPathChoice CQtPathPicker::BrowseForFolder(QWidget* pOwner, const QString& strTitle,
                                           const std::string& strStartFolder)
{
    QFileDialog dialog(pOwner, strTitle, ToHostForm(strStartFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.exec();
    return Chosen(dialog);
}

SPathChoice CQtPathPicker::OpenFile(QWidget* pOwner, const std::string& strStartFolder,
                                    const std::string& strInitialFile)
{
    QFileDialog dialog(pOwner, QString(), ToHostForm(strStartFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the file need not exist
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Every file, with or without a dot in its name.
    dialog.setNameFilter(QStringLiteral("All Files (*)"));
    const QFileInfo initial(ToHostForm(strInitialFile));
    if (!initial.fileName().isEmpty() &&
        QDir(initial.absolutePath()) == QDir(ToHostForm(strStartFolder)))
        dialog.selectFile(initial.fileName());
    dialog.exec();
    return Chosen(dialog);
}
