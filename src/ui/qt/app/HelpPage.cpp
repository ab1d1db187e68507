#include "ui/qt/app/HelpPage.h"

#include <QCoreApplication>
#include <QFileInfo>

QString HelpIndexPath()
{
    const QString strInstalled = QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/../share/scrubix/help/index.html");
    if (QFileInfo(strInstalled).isFile())
        return QFileInfo(strInstalled).canonicalFilePath();
#ifdef SCRUBIX_SOURCE_DIR
    const QString strSource = QStringLiteral(SCRUBIX_SOURCE_DIR "/docs/help/index.html");
    if (QFileInfo(strSource).isFile())
        return QFileInfo(strSource).canonicalFilePath();
#endif
    return {};
}
