// Wordpot: start-up. The main menu loads (running the splash modally) and the run lasts until the last
// window is unloaded. Nothing the splash does not need runs before it is painted: the media folder is
// checked on its own thread and the audio device is opened on the sound player's.
#include "app/commandline.h"
#include "app/frmMain.h"
#include "app/mediacheck.h"
#include "forms/application.h"
#include "media/global.h"
#include "shell/frmSplash.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = commandLineExitStatus(argc, argv))
        return *status;
    QApplication app(argc, argv);
    StartUpCheck check;
    forms::prepareApplication();
    Global::StartSound();
    Forms::setQuitWhenAllUnloaded(true);
    // The main menu appears when the splash closes: no activity can be opened before the check has passed.
    QObject::connect(&Forms::get<frmSplash>(), &Form::unloaded, &check, &StartUpCheck::finish);

    Forms::get<frmMain>().show();
    const int status = Forms::quitRequested() ? 0 : QApplication::exec();

    Forms::destroyAll();
    Global::StopSound();
    return check.passed() ? status : 1;
}
