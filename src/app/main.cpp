// Wordpot: start-up. The main menu loads (running the splash modally) and the run lasts until the last
// window is unloaded. The media folder is checked on a thread of its own while the rest is prepared; the
// sound player starts once the check has passed.
#include "app/commandline.h"
#include "app/frmMain.h"
#include "app/mediacheck.h"
#include "app/sessionbus.h"
#include "forms/application.h"
#include "forms/platform.h"
#include "media/global.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <future>

namespace {
QtMessageHandler qtHandler = nullptr;

// While the application is being made, a fatal message means the window system could not be reached
// (a display named but gone, a platform that will not load): Qt would abort and leave a core file.
void failedToReachDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg)
        return qtHandler(type, context, message);
    std::fputs("Wordpot needs a graphical display: the one it was given could not be opened.\n", stderr);
    std::_Exit(1);
}
} // namespace

int main(int argc, char* argv[]) {
    refuseSessionBusLaunch();
    if (const std::optional<int> status = commandLineExitStatus(argc, argv))
        return *status;
    if (const QString missing = platform::missingDisplay(); !missing.isEmpty()) {
        std::fprintf(stderr, "Wordpot needs a graphical display: %s\n", qPrintable(missing));
        return 1;
    }
    qtHandler = qInstallMessageHandler(failedToReachDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    std::future<MediaCheck> check = std::async(std::launch::async, checkMediaFolder);
    forms::prepareApplication();
    if (!reportMediaCheck(check.get()))
        return 1;
    Global::StartSound();
    Forms::setQuitWhenAllUnloaded(true);

    Forms::get<frmMain>().show();
    // Once the splash has gone: mapping the start's own large blocks afresh would slow the first paint.
    platform::returnLargeBlocksWhenFreed();
    const int status = Forms::quitRequested() ? 0 : QApplication::exec();

    Forms::destroyAll();
    Global::StopSound();
    return status;
}
