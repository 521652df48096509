// The windows around the activities: the splash and the exit confirmation.
#include "app/frmMain.h"
#include "feedback/frmHappyFace.h"
#include "forms/screen.h"
#include "media/mediafolder.h"
#include "shell/frmExit.h"
#include "shell/frmSplash.h"
#include "testsupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using testsupport::SoundLog;

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() {
        Forms::destroyAll();
        Screen::setMousePointer(Screen::MousePointer::Default);
    }

    // ---- splash ----

    void splashLoadsItsPictureAndStartsTheWelcome() {
        SoundLog sounds;
        auto& splash = Forms::get<frmSplash>();
        splash.load();
        QCOMPARE(sounds.calls, (QList<SoundLog::Call>{{QStringLiteral("\\welcome.wav"), false}}));
        QCOMPARE(splash.Timer1->interval(), 5000);
        QVERIFY(splash.Timer1->isEnabled());
        QVERIFY(splash.Image1->width() <= 200 && splash.Image1->height() <= 192);
        QVERIFY(!splash.Image1->picture().isNull());
        QCOMPARE(splash.Image1->pos(), QPoint(72, 88));
        QCOMPARE(splash.clientSize(), QSize(582, 291));
        QCOMPARE(splash.window()->windowType(), Qt::SplashScreen);
        QVERIFY(splash.window()->windowFlags() & Qt::FramelessWindowHint);
        splash.Timer1_Timer();
        QVERIFY(!splash.isLoaded());
    }

    void splashClosesOnCharacterKeysOnly_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("a letter") << int(Qt::Key_A) << 0 << true;
        QTest::newRow("a capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << true;
        QTest::newRow("a digit") << int(Qt::Key_7) << 0 << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << true;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << 0 << false;
        QTest::newRow("an arrow") << int(Qt::Key_Left) << 0 << false;
        QTest::newRow("a function key") << int(Qt::Key_F1) << 0 << false;
    }

    void splashClosesOnCharacterKeysOnly() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        SoundLog sounds;
        auto& splash = Forms::get<frmSplash>();
        splash.show();
        QVERIFY(QTest::qWaitForWindowActive(splash.window()));
        QTest::keyClick(splash.window()->windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(!splash.isLoaded(), closes);
    }

    void aClickOnTheSplashDoesNothing() {
        SoundLog sounds;
        auto& splash = Forms::get<frmSplash>();
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(splash.window()));
        QTest::mouseClick(splash.window()->windowHandle(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseClick(splash.window()->windowHandle(), Qt::LeftButton, {}, QPoint(150, 200));
        QVERIFY(splash.isLoaded());
        QVERIFY(splash.Timer1->isEnabled());
    }

    void mainMenuShowsOnlyAfterTheSplash() {
        SoundLog sounds;
        auto& main = Forms::get<frmMain>();
        auto& splash = Forms::get<frmSplash>();
        bool mainVisibleWithSplash = true;
        testsupport::whenShown(splash, [&] {
            mainVisibleWithSplash = main.window()->isVisible();
            splash.Timer1_Timer();
        });
        main.show();
        QVERIFY(!mainVisibleWithSplash);
        QVERIFY(main.window()->isVisible());
        QVERIFY(!splash.isLoaded());
    }

    // ---- exit confirmation ----

    void exitLoadsItsPicturesAndStartsTheQuitSound() {
        SoundLog sounds;
        auto& exit = Forms::get<frmExit>();
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        exit.load();
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
        QCOMPARE(sounds.calls, (QList<SoundLog::Call>{{QStringLiteral("\\quit.wav"), false}}));
        QCOMPARE(exit.Image1->picture().natural().size(), QSize(200, 200));
        QCOMPARE(exit.Image1->geometry(), QRect(96, 8, 200, 200));
        QCOMPARE(exit.cmdYes->picture().natural().size(), QSize(300, 300));
        QCOMPARE(exit.cmdNo->picture().natural().size(), QSize(300, 300));
        QCOMPARE(exit.cmdYes->text(), QStringLiteral("&Yes"));
        QCOMPARE(exit.cmdNo->text(), QStringLiteral("&No"));
        QCOMPARE(exit.clientSize(), QSize(389, 343));
        QCOMPARE(exit.caption(), QStringLiteral("Exit?"));
    }

    void yesSaysGoodbyeThenUnloadsEveryWindow() {
        auto& main = Forms::get<frmMain>();
        auto& exit = Forms::get<frmExit>();
        QStringList unloads;
        connect(&exit, &Form::unloaded, this, [&] { unloads << QStringLiteral("exit"); });
        connect(&main, &Form::unloaded, this, [&] { unloads << QStringLiteral("main"); });
        bool bothLoadedDuringGoodbye = false;
        SoundLog sounds([&](const SoundLog::Call& call) {
            if (call.name == QLatin1String("\\bye.wav"))
                bothLoadedDuringGoodbye = main.isLoaded() && exit.isLoaded();
        });
        testsupport::whenShown(splashOf(), [] { Forms::get<frmSplash>().Timer1_Timer(); });
        main.show();
        testsupport::whenShown(exit, [&] { exit.cmdYes->click(); });
        main.Image1_Click();
        QCOMPARE(sounds.calls.last(), (SoundLog::Call{QStringLiteral("\\bye.wav"), true}));
        QVERIFY(bothLoadedDuringGoodbye);
        QCOMPARE(unloads, (QStringList{QStringLiteral("exit"), QStringLiteral("main")}));
        QCOMPARE(Forms::loadedCount(), 0);
        // The happy face was never shown: it is not loaded just to be unloaded.
        QVERIFY(!Forms::get<frmHappyFace>().isLoaded());
    }

    void yesUnloadsALoadedHappyFaceLast() {
        SoundLog sounds;
        auto& main = Forms::get<frmMain>();
        auto& exit = Forms::get<frmExit>();
        auto& happy = Forms::get<frmHappyFace>();
        QStringList unloads;
        connect(&exit, &Form::unloaded, this, [&] { unloads << QStringLiteral("exit"); });
        connect(&main, &Form::unloaded, this, [&] { unloads << QStringLiteral("main"); });
        connect(&happy, &Form::unloaded, this, [&] { unloads << QStringLiteral("happy"); });
        testsupport::whenShown(splashOf(), [] { Forms::get<frmSplash>().Timer1_Timer(); });
        main.show();
        happy.load();
        exit.load();
        exit.cmdYes_Click();
        QCOMPARE(unloads,
                 (QStringList{QStringLiteral("exit"), QStringLiteral("main"), QStringLiteral("happy")}));
        QCOMPARE(Forms::loadedCount(), 0);
    }

    void noAltNAndTheCloseBoxChangeNothing_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("No") << QStringLiteral("No");
        QTest::newRow("Alt+N") << QStringLiteral("Alt+N");
        QTest::newRow("close box") << QStringLiteral("close box");
        QTest::newRow("File, Exit, then No") << QStringLiteral("menu");
    }

    void noAltNAndTheCloseBoxChangeNothing() {
        QFETCH(QString, way);
        auto& main = Forms::get<frmMain>();
        auto& exit = Forms::get<frmExit>();
        SoundLog sounds;
        testsupport::whenShown(splashOf(), [] { Forms::get<frmSplash>().Timer1_Timer(); });
        main.show();
        sounds.clear();
        testsupport::whenShown(exit, [&] {
            QVERIFY(QTest::qWaitForWindowActive(exit.window()));
            if (way == QLatin1String("Alt+N"))
                QTest::keyClick(exit.window()->windowHandle(), Qt::Key_N, Qt::AltModifier);
            else if (way == QLatin1String("close box"))
                exit.window()->close();
            else
                exit.cmdNo->click();
        });
        if (way == QLatin1String("menu"))
            main.mnuExit->trigger();
        else
            main.Image1_Click();
        QVERIFY(!exit.isLoaded());
        QVERIFY(main.isLoaded());
        QVERIFY(main.window()->isVisible());
        QCOMPARE(sounds.names(), QStringList{QStringLiteral("\\quit.wav")});
        // Reopening plays the quit sound again.
        testsupport::whenShown(exit, [&] { exit.cmdNo->click(); });
        main.Image1_Click();
        QCOMPARE(sounds.names(), (QStringList{QStringLiteral("\\quit.wav"), QStringLiteral("\\quit.wav")}));
    }

    void enterChoosesYesAndEscapeDoesNothing() {
        auto& exit = Forms::get<frmExit>();
        SoundLog sounds;
        exit.show();
        QVERIFY(QTest::qWaitForWindowActive(exit.window()));
        QCOMPARE(QApplication::focusWidget(), exit.cmdYes.data());
        QTest::keyClick(exit.window()->windowHandle(), Qt::Key_Escape);
        QVERIFY(exit.isLoaded());
        QTest::keyClick(exit.window()->windowHandle(), Qt::Key_Return);
        QVERIFY(!exit.isLoaded());
        QCOMPARE(sounds.names().last(), QStringLiteral("\\bye.wav"));
    }

private:
    static Form& splashOf() { return Forms::get<frmSplash>(); }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
