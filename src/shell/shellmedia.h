// The media files of the splash and the exit confirmation, as the windows ask for them.
#pragma once

#include <QStringList>

namespace shell {

inline const QString SplashPicture = QStringLiteral("\\wordpot.gif");
inline const QString WelcomeSound = QStringLiteral("\\welcome.wav");
inline const QString QuitSound = QStringLiteral("\\quit.wav");
inline const QString ByeSound = QStringLiteral("\\bye.wav");

QStringList mediaFiles();

} // namespace shell
