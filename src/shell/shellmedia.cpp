#include "shell/shellmedia.h"

namespace shell {
QStringList mediaFiles() {
    return {SplashPicture, WelcomeSound, QuitSound, ByeSound};
}
} // namespace shell
