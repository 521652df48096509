#include "forms/application.h"

#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/form.h"
#include "resources/resources.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

namespace forms {

void prepareApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Wordpot"));
    QCoreApplication::setApplicationVersion(QStringLiteral(WORDPOT_VERSION));
    // The same look on every platform: the window designs are pixel layouts.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    resources::init();
    QAccessible::installFactory(accessibleControl);
    QAccessible::installFactory(accessibleWindow);
    QApplication::setFont(font(FontFace::MsSansSerif, 8.25));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.ico")));
    // The program ends when its last window is unloaded, not when the last visible one closes: the main
    // menu is loaded but hidden while the splash runs.
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace forms
