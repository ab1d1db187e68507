#include "IconResources.h"

#include "ui/res/MenuTemplate.h"

#include <QFile>
#include <QString>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void RegisterIconResources()
{
    Q_INIT_RESOURCE(scrubix_icons);
}

void InitIconResources()
{
    static const bool bRegistered = []
    {
        RegisterIconResources();
        return true;
    }();
    (void)bRegistered;
}

QIcon ApplicationIcon()
{
    InitIconResources();
    QIcon icon;
    for (int nSide : {16, 24, 32, 48, 64, 128, 256})
    {
        icon.addFile(QStringLiteral(":/icons/scrubix-%1.png").arg(nSide), QSize(nSide, nSide));
    }
    return icon;
}

QIcon ToolbarIcon(int32_t nCommandId)
{
    InitIconResources();
    for (const SToolbarButton& button : GetToolbarButtons())
    {
        if (button.nCommandId == nCommandId && button.pszIcon != nullptr)
        {
            const QString strFile = QString::fromUtf8(button.pszIcon);
            if (!QFile::exists(strFile))
            {
                return QIcon();
            }
            QIcon icon;
            icon.addFile(strFile, QSize(TOOLBAR_BUTTON_WIDTH, TOOLBAR_BUTTON_HEIGHT));
            QString strDoubled = strFile;
            strDoubled.insert(strDoubled.lastIndexOf(u'.'), QStringLiteral("@2x"));
            if (QFile::exists(strDoubled))
            {
                icon.addFile(strDoubled,
                             QSize(2 * TOOLBAR_BUTTON_WIDTH, 2 * TOOLBAR_BUTTON_HEIGHT));
            }
            return icon;
        }
    }
    return QIcon();
}

QPixmap ToolbarStrip(bool bDoubled)
{
    InitIconResources();
    QPixmap strip(bDoubled ? QStringLiteral(":/icons/toolbar@2x.png")
                           : QStringLiteral(":/icons/toolbar.png"));
    strip.setDevicePixelRatio(bDoubled ? 2.0 : 1.0);
    return strip;
}
