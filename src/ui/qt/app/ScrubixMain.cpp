#include "ui/qt/app/CScrubixApp.h"
#include "ui/qt/app/DisplayProbe.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"
#include "ui/rules/UnattendedRun.h"
#include "ui/startup/StartUpOnly.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

// The desktop program. `--startup-only` runs the start-up without a window.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], STARTUP_ONLY_OPTION) == 0)
            return RunStartUpOnly(argc, argv);

    // The arguments as given, before Qt takes its own options out.
    const std::string strArguments = JoinArguments(argc, argv);

    // Decided before the toolkit starts: without a display it would abort.
    CLaunchMode requested;
    requested.ScanLaunchTokens(strArguments);
    const bool bPlatformChosen = IsPlatformChosen();
    const EDisplayChoice display =
        ChooseDisplay(requested, bPlatformChosen, !bPlatformChosen && IsDisplayReachable());
    if (display == EDisplayChoice::Refuse)
    {
        std::fprintf(stderr, "%s\n", NO_DISPLAY_TEXT);
        return EXIT_NO_DISPLAY;
    }
    if (display == EDisplayChoice::Offscreen)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        SetHeadless(true);
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrubix"));
    QApplication::setQuitOnLastWindowClosed(false);

    CScrubixApp app(CreatePlatform());
    app.SetHeadless(display == EDisplayChoice::Offscreen);
    app.EnableDesktopNotice();
    if (!app.InitInstance(strArguments))
        return app.ExitStatus();
    QObject::connect(&app, &CScrubixApp::Finished, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    const int nStatus = QApplication::exec();
    return nStatus != 0 ? nStatus : app.ExitStatus();
}
