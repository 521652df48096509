// The main menu: its window, controls, focus order, menus and the hourglass while an activity loads; and
// the start-up check of the media folder.
#include "app/frmMain.h"
#include "app/mediacheck.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/mediafolder.h"
#include "shell/frmSplash.h"
#include "testsupport.h"

#include <QApplication>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Stands in for an activity: its load handler sees the pointer the main menu left, then restores it.
class frmProbe final : public Form {
    Q_OBJECT
public:
    frmProbe()
        : Form({.caption = QStringLiteral("Probe"), .clientTwips = {1500, 1500}}) {}
    Screen::MousePointer pointerAtLoad = Screen::MousePointer::Default;
    void Form_Load() override {
        pointerAtLoad = Screen::mousePointer();
        Screen::setMousePointer(Screen::MousePointer::Default);
    }

protected:
    void build() override {}
};
// The main menu as the child first sees it: the splash it runs while loading is closed at once.
frmMain& showMainMenu() {
    testsupport::whenShown(Forms::get<frmSplash>(), [] { Forms::get<frmSplash>().Timer1_Timer(); });
    Forms::get<frmMain>().show();
    return Forms::get<frmMain>();
}
} // namespace

class MainTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() { Forms::destroyAll(); }

    void windowAsDesigned() {
        testsupport::SoundLog sounds;
        auto& main = showMainMenu();
        QWidget* window = main.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Welcome to Wordpot"));
        QCOMPARE(main.clientSize(), QSize(476, 355));
        QCOMPARE(window->minimumSize(), window->maximumSize()); // not resizable
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(main.client()->grab().toImage().pixelColor(240, 10), QColor(Qt::white));
    }

    void controlsAsDesigned_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QSize>("picture");
        QTest::newRow("cmdABC") << "cmdABC" << QRect(16, 16, 161, 89) << QSize(150, 100);
        QTest::newRow("cmdWordpot") << "cmdWordpot" << QRect(296, 16, 161, 89) << QSize(160, 150);
        QTest::newRow("cmdHangman") << "cmdHangman" << QRect(296, 248, 161, 89) << QSize(150, 100);
        QTest::newRow("Image1") << "Image1" << QRect(40, 240, 100, 100) << QSize(100, 100);
    }

    void controlsAsDesigned() {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QFETCH(QSize, picture);
        testsupport::SoundLog sounds;
        auto& main = showMainMenu();
        const QMap<QString, QWidget*> controls{{"cmdABC", main.cmdABC},
                                               {"cmdWordpot", main.cmdWordpot},
                                               {"cmdHangman", main.cmdHangman},
                                               {"Image1", main.Image1}};
        QWidget* widget = controls.value(control);
        QCOMPARE(widget->geometry(), geometry);
        if (auto* button = qobject_cast<CommandButton*>(widget)) {
            QVERIFY(button->isGraphical());
            QVERIFY(button->text().isEmpty());
            QCOMPARE(button->picture().natural().size(), picture);
        } else {
            QCOMPARE(static_cast<Image*>(widget)->picture().natural().size(), picture);
        }
    }

    void focusStartsOnABCAndTabGoesRound() {
        testsupport::SoundLog sounds;
        auto& main = showMainMenu();
        QVERIFY(QTest::qWaitForWindowActive(main.window()));
        QCOMPARE(QApplication::focusWidget(), main.cmdABC.data());
        QTest::keyClick(main.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.cmdWordpot.data());
        QTest::keyClick(main.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.cmdHangman.data());
        QTest::keyClick(main.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.cmdABC.data());
    }

    void menusAndAccessKeys() {
        testsupport::SoundLog sounds;
        auto& main = showMainMenu();
        QVERIFY(QTest::qWaitForWindowActive(main.window()));
        QCOMPARE(main.mnuFile->title(), QStringLiteral("&File"));
        QCOMPARE(main.mnuExit->text(), QStringLiteral("E&xit"));
        QCOMPARE(main.mnuHelp->title(), QStringLiteral("&Help"));
        QCOMPARE(main.mnuAbout->text(), QStringLiteral("&About Wordpot"));
        QVERIFY(main.mnuExit->shortcut().isEmpty());
        QVERIFY(main.mnuAbout->shortcut().isEmpty());
        QTest::keyClick(main.window()->windowHandle(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(main.mnuHelp->isVisible());
        main.mnuHelp->close();
        QTest::keyClick(main.window()->windowHandle(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(main.mnuFile->isVisible());
        main.mnuFile->close();
    }

    void hourglassFromTheClickUntilTheActivityHasLoaded() {
        auto& probe = Forms::get<frmProbe>();
        Screen::MousePointer whileOpen = Screen::MousePointer::Hourglass;
        testsupport::whenShown(probe, [&] {
            whileOpen = Screen::mousePointer();
            probe.unload();
        });
        frmMain::openActivity<frmProbe>();
        QCOMPARE(probe.pointerAtLoad, Screen::MousePointer::Hourglass);
        QCOMPARE(whileOpen, Screen::MousePointer::Default);
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
    }

    void closeBoxUnloadsTheMainMenu() {
        testsupport::SoundLog sounds;
        auto& main = showMainMenu();
        main.window()->close();
        QVERIFY(!main.isLoaded());
    }

    void startUpCheckFindsWhatIsMissing() {
        QTemporaryDir dir;
        QStringList names;
        for (const MediaFile& file : mediaManifest())
            names.append(file.name());
        QVERIFY(names.contains(QStringLiteral("\\wordpot.gif")));
        QVERIFY(!names.contains(QStringLiteral("\\.wav")));
        // A folder with every file but one picture and one sound, stored in other letter cases.
        const QString missingPicture = QStringLiteral("\\wordpot.gif");
        const QString missingSound = QStringLiteral("\\bye.wav");
        for (const QString& name : names) {
            if (name == missingPicture || name == missingSound)
                continue;
            QFile file(dir.filePath(name.mid(1).toUpper()));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        MediaFolder::setPathForTesting(dir.path());
        const MediaCheck check = checkMediaFolder();
        MediaFolder::setPathForTesting(QStringLiteral(WORDPOT_ASSETS_DIR));
        QCOMPARE(check.missingPictures, QList<MediaFile>{MediaFile(missingPicture)});
        QCOMPARE(check.missingSounds, QList<MediaFile>{MediaFile(missingSound)});
    }
};

QTEST_MAIN(MainTest)
#include "tst_main.moc"
