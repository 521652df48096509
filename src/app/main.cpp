// Wordpot: start-up. The main menu loads (running the splash modally) and the run lasts until the last
// window is unloaded. The media folder is checked, and the audio device opened, on threads of their own
// while the rest is prepared.
#include "app/commandline.h"
#include "app/frmMain.h"
#include "app/mediacheck.h"
#include "app/sessionbus.h"
#include "forms/application.h"
#include "media/global.h"

#include <QApplication>

#include <future>

int main(int argc, char* argv[]) {
    refuseSessionBusLaunch();
    if (const std::optional<int> status = commandLineExitStatus(argc, argv))
        return *status;
    QApplication app(argc, argv);
    std::future<MediaCheck> check = std::async(std::launch::async, checkMediaFolder);
    forms::prepareApplication();
    Global::StartSound();
    if (!reportMediaCheck(check.get())) {
        Global::StopSound();
        return 1;
    }
    Forms::setQuitWhenAllUnloaded(true);

    Forms::get<frmMain>().show();
    const int status = Forms::quitRequested() ? 0 : QApplication::exec();

    Forms::destroyAll();
    Global::StopSound();
    return status;
}
