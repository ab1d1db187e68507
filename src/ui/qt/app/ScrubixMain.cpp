#include "ui/qt/app/CScrubixApp.h"
#include "ui/startup/StartUpOnly.h"

#include <QApplication>
#include <cstring>

// The desktop program. `--startup-only` runs the start-up without a window.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], STARTUP_ONLY_OPTION) == 0)
            return RunStartUpOnly(argc, argv);

    // The arguments as given, before Qt takes its own options out.
    const std::string strArguments = JoinArguments(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrubix"));
    QApplication::setQuitOnLastWindowClosed(false);

    CScrubixApp app(CreatePlatform());
    if (!app.InitInstance(strArguments))
        return 0;
    QObject::connect(&app, &CScrubixApp::FrameDestroyed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
