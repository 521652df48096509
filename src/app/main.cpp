// Wordpot: start-up. The main menu loads (running the splash modally) and the run lasts until the last
// window is unloaded.
#include "app/commandline.h"
#include "app/frmMain.h"
#include "app/mediacheck.h"
#include "forms/application.h"
#include "media/global.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = commandLineExitStatus(argc, argv))
        return *status;
    QApplication app(argc, argv);
    forms::prepareApplication();
    if (!mediaFolderIsComplete())
        return 1;
    Global::StartSound();
    Forms::setQuitWhenAllUnloaded(true);

    Forms::get<frmMain>().show();
    const int status = Forms::quitRequested() ? 0 : QApplication::exec();

    Forms::destroyAll();
    Global::StopSound();
    return status;
}
