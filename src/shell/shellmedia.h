// The media files of the splash and the exit confirmation, as the windows ask for them. No widgets.
#pragma once

#include "media/mediafile.h"

#include <QList>

namespace shell {

inline const MediaFile SplashPicture{QStringLiteral("\\wordpot.gif")};
inline const MediaFile WelcomeSound{QStringLiteral("\\welcome.wav")};
inline const MediaFile QuitSound{QStringLiteral("\\quit.wav")};
inline const MediaFile ByeSound{QStringLiteral("\\bye.wav")};

inline QList<MediaFile> mediaFiles() {
    return {SplashPicture, WelcomeSound, QuitSound, ByeSound};
}

} // namespace shell
