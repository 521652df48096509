// Wordpot: start-up. The main menu loads (running the splash modally) and the run lasts until the last
// window is unloaded. The media folder is checked on a thread of its own while the rest is prepared; the
// sound player starts once the check has passed.
#include "app/commandline.h"
#include "app/frmMain.h"
#include "app/frmWords.h"
#include "app/mediacheck.h"
#include "app/sessionbus.h"
#include "forms/application.h"
#include "forms/pictures.h"
#include "forms/platform.h"
#include "media/global.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <future>

#ifdef __GLIBC__
#include <malloc.h>
#endif

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

// Asks the C library to give every large block (a decoded picture or sound) its own mapping, returned to
// the system when freed. glibc otherwise raises that threshold after the first such block is freed and
// serves the rest from its heap, which the pictures and sounds of an activity opened again and again
// fragment: the program would grow by a megabyte or so over a few hundred openings.
void returnLargeBlocksWhenFreed() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 64 * 1024); // a fixed threshold is never raised
#endif
}
} // namespace

int main(int argc, char* argv[]) {
    refuseSessionBusLaunch();
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;
    if (const QString missing = commandLine.choosesDisplay ? QString() : platform::missingDisplay();
        !missing.isEmpty()) {
        std::fprintf(stderr, "Wordpot needs a graphical display: %s\n", qPrintable(missing));
        return 1;
    }
    qtHandler = qInstallMessageHandler(failedToReachDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    std::future<MediaCheck> check = std::async(std::launch::async, checkMediaFolder, forms::pictureRatio());
    forms::prepareApplication();
    if (!reportMediaCheck(check.get()))
        return 1;
    Global::StartSound();
    Forms::setQuitWhenAllUnloaded(true);
    if (!commandLine.files.isEmpty())
        openWordLists(commandLine.files);

    Forms::get<frmMain>().show();
    // Once the splash has gone: mapping the start's own large blocks afresh would slow the first paint.
    returnLargeBlocksWhenFreed();
    const int status = Forms::quitRequested() ? 0 : QApplication::exec();

    Forms::destroyAll();
    Global::StopSound();
    return status;
}
