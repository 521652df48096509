// The whole road on the real program: the splash and the main menu after it; each activity opened from
// its button and closed by its close box, a letter typed in the letter explorer; the about box; the exit
// confirmation answered No and then Yes, and the end of the run; SIGTERM ends it too. The road runs again
// at 200 % and under a window manager, whose close box ends it. Under a Wayland compositor, as a native
// Wayland client, it goes from the splash to the exit question and ends.
#include "app/mainmenulayout.h"
#include "hangman/hangmanlayout.h"
#include "harness.h"
#include "resources/resources.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QTest>

#include <cstdlib>

using namespace e2e;

namespace {
constexpr int SplashMs = 5000;
const QString MainTitle = QStringLiteral("Welcome to Wordpot");
const QColor Red(255, 0, 0);

QPoint centreTw(QRect twips) {
    return QPoint((twips.x() + twips.width() / 2) / 15, (twips.y() + twips.height() / 2) / 15);
}

// A picture's file as the program has it, for this scale: the 1x file at 100 %, its 2x file at 200 %. From
// the media folder beside the program ("z.gif") or the built-in resources (":/pictures/stop.gif"); of an
// icon, its image of this layout size.
QImage pictureFile(const QString& name, qreal scale, int iconSize = 0) {
    QString path =
        name.startsWith(':') ? name : QFileInfo(Program::builtExecutable()).absolutePath() + '/' + name;
    if (scale > 1)
        path.insert(path.lastIndexOf('.'), QStringLiteral("@2x"));
    QImageReader reader(path);
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        if (iconSize == 0 || image.width() == iconSize * scale)
            return image.convertToFormat(QImage::Format_ARGB32);
    } while (reader.jumpToNextImage());
    return {};
}

// Whether the middle of a picture (this share of its width and height: a button's face may clip the rest)
// stands pixel for pixel somewhere in the screen's area: at most 1 in 200 of its opaque pixels off by more
// than a few levels. A picture enlarged from a smaller one differs all along its edges.
bool showsPicture(const QImage& screen, QRect area, const QImage& picture, qreal share = 0.5) {
    const QImage shot = screen.convertToFormat(QImage::Format_RGB32);
    const QSize part = (QSizeF(picture.size()) * share).toSize();
    const QPoint from((picture.width() - part.width()) / 2, (picture.height() - part.height()) / 2);
    int opaque = 0;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            opaque += qAlpha(picture.pixel(from + QPoint(x, y))) == 255;
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
               std::abs(qBlue(a) - qBlue(b)) <= 8;
    };
    area &= shot.rect();
    for (int top = area.top(); top + part.height() <= area.bottom() + 1; ++top) {
        for (int left = area.left(); left + part.width() <= area.right() + 1; ++left) {
            int off = 0;
            for (int y = 0; y < part.height() && off <= opaque / 200; ++y) {
                const auto* want =
                    reinterpret_cast<const QRgb*>(picture.constScanLine(from.y() + y)) + from.x();
                const auto* got = reinterpret_cast<const QRgb*>(shot.constScanLine(top + y)) + left;
                for (int x = 0; x < part.width() && off <= opaque / 200; ++x)
                    off += qAlpha(want[x]) == 255 && !near(want[x], got[x]);
            }
            if (off <= opaque / 200)
                return true;
        }
    }
    return false;
}

// Waits for a window of this title and of this size at 100 % (scaled whole), centred, with something of
// this colour drawn in it, and with these decorations.
std::optional<QString> waitForPainted(const Desktop& desktop, const QString& title, QSize size,
                                      const QColor& colour, const QString& decorations, qreal scale = 1) {
    const auto id = desktop.waitForWindow(title, 5000, size * scale);
    const QRect window = id ? desktop.geometry(*id) : QRect();
    if (!id || !centred(QRect(window.topLeft() / scale, size)) ||
        !desktop.waitForColour(window, colour, int(200 * scale * scale)))
        return std::nullopt;
    return desktop.decorations(*id) == decorations ? id : std::nullopt;
}

// Under weston the program's windows are drawn into the compositor's one X window, which fills the screen, at
// places of the compositor's choosing: they are found by what shows. Weston draws its pointer too, which is
// kept in a corner the windows are not measured in.
const QPoint PointerCorner(ScreenSize.width() - 1, ScreenSize.height() - 1);
constexpr int PointerSize = 32;
constexpr int KeyDelayMs = 12;

// The smallest rectangle holding everything that is not the compositor's empty desktop.
QRect shownArea(const QImage& screen) {
    const QRgb desktop = x11driver::Screen::waylandBackground().rgb();
    const QRect pointer(PointerCorner - QPoint(PointerSize, PointerSize), PointerCorner);
    QRect area;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) != desktop && !pointer.contains(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

// The rectangle of the rows that hold at least `perRow` pixels of exactly this colour: a band of controls
// painted in it, such as Hangman's letter tiles.
QRect bandOf(const QImage& screen, QRgb colour, int perRow) {
    QRect band;
    for (int y = 0; y < screen.height(); ++y) {
        QRect row;
        int count = 0;
        for (int x = 0; x < screen.width(); ++x) {
            if (screen.pixel(x, y) == colour) {
                row |= QRect(x, y, 1, 1);
                ++count;
            }
        }
        if (count >= perRow)
            band |= row;
    }
    return band;
}
} // namespace

class RoadEndToEnd : public QObject {
    Q_OBJECT
private:
    // Under a window manager the program's windows go out of sight and come back together while a modal
    // one runs: Hangman, maximised and minimised, takes the main menu with it; the main menu brought back
    // from the taskbar brings Hangman back, still maximised; closed while minimised, it gives the main menu
    // back, where it stood (the window manager animates a window back from its taskbar entry).
    void minimiseTogether(const Desktop& desktop, const QString& main, const QString& hangman) {
        const QRect place = desktop.geometry(main);
        const auto state = [&](const QString& window) { return desktop.mapState(window); };
        const auto maximised = [&] {
            const QStringList state = desktop.atoms(hangman, "_NET_WM_STATE");
            return state.contains(QLatin1String("_NET_WM_STATE_MAXIMIZED_VERT")) &&
                   state.contains(QLatin1String("_NET_WM_STATE_MAXIMIZED_HORZ"));
        };
        using enum Desktop::MapState;
        desktop.maximize(hangman);
        QVERIFY(waitUntil(maximised));
        desktop.minimize(hangman);
        QVERIFY2(waitUntil([&] { return state(hangman) == Unmapped && state(main) == Unmapped; }),
                 qPrintable(desktop.windowTree()));
        desktop.activate(main);
        QVERIFY2(waitUntil([&] { return state(hangman) == Viewable && state(main) == Viewable; }),
                 qPrintable(desktop.windowTree()));
        QVERIFY(desktop.syncWindowManager());
        QVERIFY2(maximised(), qPrintable(desktop.atoms(hangman, "_NET_WM_STATE").join(' ')));
        desktop.minimize(hangman);
        QVERIFY(waitUntil([&] { return state(hangman) == Unmapped && state(main) == Unmapped; }));
        desktop.closeWindow(hangman);
        QVERIFY2(waitUntil([&] {
                     return state(main) == Viewable && desktop.geometry(main) == place &&
                            state(hangman) != Viewable;
                 }),
                 qPrintable(desktop.windowTree()));
    }

private slots:
    void initTestCase() { resources::init(); }

    void splashThenMainMenuAfterFiveSeconds() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        QElapsedTimer sinceStart; // the splash's timer starts after this, when the splash loads
        sinceStart.start();
        Program program(desktop);
        const auto splash = desktop.waitForSplash();
        QElapsedTimer sinceSeen; // and before this
        sinceSeen.start();
        E2E_VERIFY2(splash.has_value(), desktop.windowTree() + program.describe());
        const QRect window = desktop.geometry(*splash);
        QVERIFY(centred(window));
        QVERIFY(!desktop.hasWindow(MainTitle));
        // No taskbar entry (that it asks for no frame or title bar is checked on the road).
        const QStringList state = desktop.atoms(*splash, "_NET_WM_STATE");
        QVERIFY2(state.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(state.join(' ')));
        // A click does not close it: the main menu still comes only after five seconds.
        desktop.click(window.center());
        QVERIFY(desktop.waitForWindow(MainTitle, SplashMs + 3000).has_value());
        QVERIFY2(sinceStart.elapsed() >= SplashMs, qPrintable(QString::number(sinceStart.elapsed())));
        QVERIFY2(sinceSeen.elapsed() <= SplashMs + 700, qPrintable(QString::number(sinceSeen.elapsed())));
        QVERIFY(!desktop.splashWindow().has_value());
        program.terminate(); // SIGTERM ends the run at once
        QVERIFY(program.waitForExit(2000));
    }

    // The road at 100 %, scaled whole at 200 % (on a screen twice as large), and under a window manager,
    // which draws the title bars and close boxes.
    void everyWindowOnTheWayAndYesEndsTheRun_data() {
        QTest::addColumn<DesktopSetup>("setup");
        QTest::newRow("100 %") << DesktopSetup{};
        QTest::newRow("200 %") << DesktopSetup{.screen = ScreenSize * 2, .scaleFactor = QStringLiteral("2")};
        QTest::newRow("openbox") << DesktopSetup{.windowManager = true};
    }
    void everyWindowOnTheWayAndYesEndsTheRun() {
        QFETCH(DesktopSetup, setup);
        const qreal s = qreal(setup.screen.width()) / ScreenSize.width();
        const QString shot = QString(QTest::currentDataTag()).remove(' ').remove('%').prepend('-');
        Desktop desktop(setup);
        const auto keep = [&](const char* name) {
            return desktop.keepScreenshot(name + (s == 1 && !setup.windowManager ? QString() : shot));
        };
        // Each window's pictures are their files for the screen: at 200 % the 2x files, not the 1x ones
        // enlarged. Places are in layout pixels, with room round them for a menu bar or a centred picture.
        const auto showsFile = [&](QRect place, const QString& file, qreal share = 0.5, int iconSize = 0) {
            const QImage picture = pictureFile(file, s, iconSize);
            const QRect area = QRect(place.topLeft() * s, place.size() * s).adjusted(-8, -8, 8, 8);
            if (!picture.isNull() &&
                waitUntil([&] { return showsPicture(desktop.screenshot(), area, picture, share); }))
                return true;
            qWarning().noquote() << file << "is not shown at" << s << "in" << area;
            return false;
        };
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        // A key closes the splash at once.
        const auto splash = desktop.waitForSplash();
        E2E_VERIFY2(splash.has_value(), desktop.windowTree() + program.describe());
        QCOMPARE(desktop.geometry(*splash).size(), QSize(582, 291) * s);
        QVERIFY(desktop.waitForColour(desktop.geometry(*splash), Red, int(200 * s * s)));
        QCOMPARE(desktop.decorations(*splash), QString());
        const QRect splashWindow = desktop.geometry(*splash);
        QVERIFY(showsFile(QRect(splashWindow.topLeft() / s, splashWindow.size() / s), "wordpot.gif"));
        keep("splash");
        desktop.key(*splash, QStringLiteral("a"));
        const auto main = desktop.waitForWindow(MainTitle, 2000);
        E2E_VERIFY2(main.has_value(), desktop.windowTree() + program.describe());
        // The client area of 476 x 355 lies under the menu bar; the stop sign is red, the background white.
        const QRect window = desktop.geometry(*main);
        QCOMPARE(window.width(), 476 * s);
        QVERIFY2(window.height() >= (355 + 15) * s && window.height() <= (355 + 30) * s,
                 qPrintable(desktop.windowTree()));
        QVERIFY(centred(QRect(window.topLeft() / s, window.size() / s)));
        QCOMPARE(desktop.decorations(*main), QStringLiteral("title close"));
        const QPoint client = window.topLeft() + QPoint(0, window.height() - 355 * s);
        QVERIFY(
            desktop.waitForColour(QRect(client + QPoint(80, 250) * s, QSize(20, 20) * s), Red, 300 * s * s));
        const QPoint mainClient = client / s;
        QVERIFY(showsFile(QRect(mainClient + QPoint(40, 240), QSize(100, 100)), ":/pictures/stop.gif"));
        QVERIFY(showsFile(QRect(mainClient + QPoint(16, 16), QSize(161, 89)), ":/bitmaps/102.bmp"));
        QVERIFY(showsFile(QRect(mainClient + QPoint(296, 248), QSize(161, 89)), ":/pictures/cmdhangman.gif"));
        QCOMPARE(colourAt(keep("main-menu"), client + QPoint(240, 180) * s), QColor(Qt::white));

        // Each activity opens from its button and closes with its close box; the letter explorer takes a
        // letter from the keyboard first: its four corners turn red and its picture shows.
        const struct {
            const char* title;
            QPoint button;
            QSize size;
            QColor colour; // of something drawn once it shows
            const char* screenshot;
            const char* decorations;
        } activities[] = {
            {"Wordpot", {96, 60}, {646, 496}, Qt::magenta, "letter-explorer", "title close"},
            {"Wordpot", {376, 60}, {794, 493}, Qt::white, "spelling-game", "title close"},
            {"Hangman", {376, 292}, {645, 521}, Red, "hangman", "title close minimize maximize sizable"},
        };
        for (const auto& activity : activities) {
            desktop.click(client + activity.button * s);
            const auto id = waitForPainted(desktop, activity.title, activity.size, activity.colour,
                                           activity.decorations, s);
            QVERIFY2(id.has_value(), qPrintable(desktop.windowTree()));
            if (activity.screenshot == QLatin1String("letter-explorer")) {
                desktop.key(*id, QStringLiteral("j"));
                const QRect explorer = desktop.geometry(*id);
                for (const QPoint corner :
                     {QPoint(24, 48), QPoint(464, 40), QPoint(16, 336), QPoint(456, 344)})
                    QVERIFY(desktop.waitForColour(QRect(explorer.topLeft() + corner * s, QSize(177, 137) * s),
                                                  Red, 500 * s * s));
                const QRect picture(explorer.topLeft() + QPoint(208, 128) * s, QSize(120, 120) * s);
                QVERIFY(waitUntil(
                    [&] { return countNear(desktop.screenshot(), picture, Qt::white, 10) < 12000 * s * s; }));
            }
            const QPoint at = desktop.geometry(*id).topLeft() / s;
            if (activity.screenshot == QLatin1String("letter-explorer"))
                QVERIFY(showsFile(QRect(at + QPoint(208, 128), QSize(209, 209)), "jellybeans2.jpg"));
            else if (activity.screenshot ==
                     QLatin1String("spelling-game")) // Z's tile on its slot of the bowl
                QVERIFY(showsFile(QRect(at + QPoint(96, 120), QSize(44, 44)), "z.gif", 0.8));
            else
                QVERIFY(showsFile(QRect(at + QPoint(272, 408), QSize(100, 130)), ":/pictures/stop.gif"));
            keep(activity.screenshot);
            if (setup.windowManager && activity.screenshot == QLatin1String("hangman")) {
                minimiseTogether(desktop, *main, *id); // and closes Hangman
                if (QTest::currentTestFailed())
                    return;
            } else {
                desktop.closeWindow(*id);
            }
            QVERIFY(desktop.waitForNoWindow(activity.title, 3000));
        }

        // Help, About, then Escape.
        desktop.key(*main, QStringLiteral("alt+h"));
        QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
        desktop.key(*main, QStringLiteral("Return"));
        const auto about = waitForPainted(desktop, QStringLiteral("About Wordpot"), {413, 235},
                                          QColor(0x80, 0, 0), QStringLiteral("title close"), s);
        QVERIFY2(about.has_value(), qPrintable(desktop.windowTree())); // the note to parents, in dark red
        QVERIFY(showsFile(QRect(desktop.geometry(*about).topLeft() / s + QPoint(18, 18), QSize(32, 32)),
                          ":/pictures/icon.ico", 1, 32));
        keep("about");
        desktop.key(*about, QStringLiteral("Escape"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("About Wordpot"), 2000));

        // The stop sign; the question keeps the keyboard when the main menu is clicked; then No by its key.
        desktop.click(client + QPoint(90, 290) * s);
        auto exit = waitForPainted(desktop, QStringLiteral("Exit?"), {389, 343}, Red, "title close", s);
        QVERIFY2(exit.has_value(), qPrintable(desktop.windowTree()));
        QVERIFY(showsFile(QRect(desktop.geometry(*exit).topLeft() / s + QPoint(96, 8), QSize(200, 200)),
                          ":/bitmaps/103.bmp"));
        keep("exit");
        desktop.click(client + QPoint(20, 150) * s);
        desktop.key(*exit, QStringLiteral("alt+n"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Exit?"), 2000));
        QVERIFY(program.isRunning());

        if (setup.windowManager) { // the close box the window manager drew ends the run
            const QList<long> frame =
                desktop.numbers(*main, "_NET_FRAME_EXTENTS"); // left, right, top, bottom
            desktop.click(
                QPoint(window.right() + int(frame.value(1)) - 10, window.top() - int(frame.value(2)) / 2));
        } else { // File, Exit, then Yes: goodbye, and the run ends with status 0.
            desktop.key(*main, QStringLiteral("alt+f"));
            QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
            desktop.key(*main, QStringLiteral("Return"));
            exit = desktop.waitForWindow(QStringLiteral("Exit?"), 3000);
            QVERIFY(exit.has_value());
            desktop.click(desktop.geometry(*exit).topLeft() + centreTw(QRect(240, 3360, 2295, 1335)) * s);
        }
        QVERIFY(program.waitForExit(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // The same program as a native Wayland client: it cannot reach X, since it is given no DISPLAY.
    void waylandFromTheSplashToTheExitQuestion() {
        using namespace mainmenu::layout;
        Desktop desktop({.wayland = true});
        QVERIFY2(desktop.isRunning(), "weston did not start on the X server");
        const x11driver::Screen& screen = desktop.screen();
        const auto pointerAway = [&] { desktop.moveTo(PointerCorner); };
        // Keys go to the window the compositor gave the keyboard, wherever the pointer is.
        const auto press = [&](const QStringList& keys) {
            for (const QString& key : keys)
                screen.key(key, true, KeyDelayMs);
            for (auto key = keys.crbegin(); key != keys.crend(); ++key)
                screen.key(*key, false, KeyDelayMs);
            screen.sync();
        };
        QRect shown;
        Program program(desktop);
        const auto failed = [&](const char* name) {
            desktop.keepScreenshot(name + QStringLiteral("-failed"));
            return QStringLiteral("showing %1x%2+%3+%4\n")
                       .arg(shown.width())
                       .arg(shown.height())
                       .arg(shown.x())
                       .arg(shown.y()) +
                   program.describe();
        };
        pointerAway();

        E2E_VERIFY2(
            waitUntil([&] { return (shown = shownArea(desktop.screenshot())).size() == QSize(582, 291); },
                      10000),
            failed("splash-wayland"));
        QVERIFY(desktop.waitForColour(shown, Red));
        desktop.keepScreenshot(QStringLiteral("splash-wayland"));

        // A key closes the splash. The main menu's client area lies at the bottom of what shows of it,
        // between the equal side and bottom edges of the frame the toolkit draws on Wayland; its stop sign is
        // red where the design puts it.
        press({QStringLiteral("a")});
        QRect client;
        const auto mainMenuShown = [&] {
            const QImage now = desktop.screenshot();
            shown = shownArea(now);
            const int edge = (shown.width() - Client.width()) / 2;
            client = QRect(QPoint(shown.left() + edge, shown.bottom() - edge - Client.height() + 1), Client);
            const QRect red(client.topLeft() + StopSign.center() - QPoint(10, 40), QSize(20, 20));
            return edge >= 0 && shown.height() > Client.height() + edge && countNear(now, red, Red) >= 300;
        };
        E2E_VERIFY2(waitUntil(mainMenuShown, 10000), failed("main-menu-wayland"));
        desktop.keepScreenshot(QStringLiteral("main-menu-wayland"));

        // Hangman opens from its button: its row of letter tiles shows, and its count of chances, red, stands
        // where its design puts it beside them.
        desktop.click(client.topLeft() + HangmanButton.center());
        pointerAway();
        const QRgb tileColour = forms::bgr(hangman::layout::TileColour).rgb();
        const QRect tiles = hangman::layout::tile(0) | hangman::layout::tile(25);
        QPoint hangman;
        const auto hangmanShown = [&] {
            const QImage now = desktop.screenshot();
            const QRect band = bandOf(now, tileColour, tiles.width() / 2);
            hangman = band.topLeft() - tiles.topLeft();
            return band.size() == tiles.size() &&
                   countNear(now, hangman::layout::CountArea.translated(hangman), Red) > 1000;
        };
        E2E_VERIFY2(waitUntil(hangmanShown, 10000), failed("hangman-wayland"));
        desktop.keepScreenshot(QStringLiteral("hangman-wayland"));

        // Its stop sign closes it; the main menu's opens the question, with a far larger stop sign.
        desktop.click(hangman + hangman::layout::StopSign.center());
        pointerAway();
        QVERIFY(
            waitUntil([&] { return bandOf(desktop.screenshot(), tileColour, tiles.width() / 2).isEmpty(); }));
        const auto red = [&] { return countNear(desktop.screenshot(), QRect(QPoint(), ScreenSize), Red); };
        const int redBefore = red();
        desktop.click(client.topLeft() + StopSign.center());
        pointerAway();
        E2E_VERIFY2(waitUntil([&] { return red() > redBefore + 10000; }), failed("exit-wayland"));
        desktop.keepScreenshot(QStringLiteral("exit-wayland"));

        // Yes by its access key: goodbye, and the run ends with status 0.
        press({QStringLiteral("Alt_L"), QStringLiteral("y")});
        E2E_VERIFY2(program.waitForExit(5000), failed("goodbye-wayland"));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(RoadEndToEnd)
#include "tst_e2e_road.moc"
