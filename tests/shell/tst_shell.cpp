// The windows around the activities: the splash and the exit confirmation.
#include "app/frmMain.h"
#include "feedback/frmHappyFace.h"
#include "shell/frmExit.h"
#include "shell/frmSplash.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;
using testsupport::SoundLog;

namespace {
void press(QWidget* window, const QString& keys) {
    QTest::keyClick(window->windowHandle(), QKeySequence(keys)[0].key(),
                    QKeySequence(keys)[0].keyboardModifiers());
}
} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() { Forms::destroyAll(); }

    // The frameless splash shows its picture and starts the welcome. It closes on its timer or a key that
    // types a character; after a click or another key it stays, and still goes on its own.
    void whatClosesTheSplash_data() {
        QTest::addColumn<bool>("closes");
        for (const char* key : {"A", "Shift+A", "7", "Space", "Return", "Escape", "Backspace", "timer"})
            QTest::newRow(key) << true;
        for (const char* key : {"Shift", "Left", "F1", "click"})
            QTest::newRow(key) << false;
    }
    void whatClosesTheSplash() {
        QFETCH(bool, closes);
        const QString input = QString::fromLatin1(QTest::currentDataTag());
        SoundLog sounds;
        auto& splash = Forms::get<frmSplash>();
        splash.show();
        QVERIFY(QTest::qWaitForWindowActive(splash.window()) && !splash.Image1->picture().isNull() &&
                splash.window()->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(sounds.calls, (QList<SoundLog::Call>{{u"\\welcome.wav"_s, false}}));
        QCOMPARE(splash.Timer1->interval(), 5000); // too long to wait for here
        if (input == "timer"_L1)
            emit splash.Timer1->timer();
        else if (input == "click"_L1)
            QTest::mouseClick(splash.window()->windowHandle(), Qt::LeftButton, {}, QPoint(150, 200));
        else
            press(splash.window(), input);
        QCOMPARE(splash.isLoaded() && splash.Timer1->isEnabled(), !closes);
    }

    // Each way out of the exit confirmation, opened over the main menu under the hourglass: the windows
    // it unloads, in order | the sounds. A way that stays opens it again, to see that nothing has changed.
    void exitChoices_data() {
        QTest::addColumn<bool>("happyLoaded");
        QTest::addColumn<QString>("after");
        QTest::newRow("Yes") << true << u"exit main happy|\\quit.wav \\bye.wav"_s;
        QTest::newRow("Alt+Y") << false << u"exit main|\\quit.wav \\bye.wav"_s;
        QTest::newRow("Escape Return") << false << u"exit main|\\quit.wav \\bye.wav"_s;
        QTest::newRow("No") << true << u"exit exit|\\quit.wav \\quit.wav"_s;
        QTest::newRow("Alt+N") << false << u"exit exit|\\quit.wav \\quit.wav"_s;
        QTest::newRow("close") << false << u"exit exit|\\quit.wav \\quit.wav"_s;
    }
    void exitChoices() {
        QFETCH(bool, happyLoaded);
        QFETCH(QString, after);
        auto& main = Forms::get<frmMain>();
        auto& exit = Forms::get<frmExit>();
        auto& happy = Forms::get<frmHappyFace>();
        QStringList unloaded;
        SoundLog log([&](const SoundLog::Call& call) {
            // Goodbye is heard to its end before any window unloads; nothing else is waited for.
            const bool bye = call.name == "\\bye.wav"_L1;
            QVERIFY(call.wait == bye && (!bye || unloaded.isEmpty()));
        });
        testsupport::whenShown(Forms::get<frmSplash>(), [&] {
            QVERIFY(!main.window()->isVisible()); // the main menu shows once the splash has gone
            Forms::get<frmSplash>().Timer1_Timer();
        });
        main.show();
        if (happyLoaded) {
            happy.load();
            happy.Timer1->setEnabled(false); // its own ticks are not under test here
        }
        for (const auto& [form, name] :
             {std::pair<Form*, QString>{&exit, u"exit"_s}, {&main, u"main"_s}, {&happy, u"happy"_s}})
            connect(form, &Form::unloaded, this, [&unloaded, name] { unloaded << name; });
        log.clear();
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        exit.show();
        QVERIFY(QTest::qWaitForWindowActive(exit.window()) &&
                Screen::mousePointer() == Screen::MousePointer::Default);
        // The stop sign, and a face on each button.
        QCOMPARE(
            (QList<QSize>{exit.Image1->picture().natural().size(), exit.cmdYes->picture().natural().size(),
                          exit.cmdNo->picture().natural().size()}),
            (QList<QSize>{{200, 200}, {300, 300}, {300, 300}}));
        for (const QString& step : QString::fromLatin1(QTest::currentDataTag()).split(u' ')) {
            if (step == "Yes"_L1 || step == "No"_L1)
                QTest::mouseClick(step == "Yes"_L1 ? exit.cmdYes : exit.cmdNo, Qt::LeftButton);
            else if (step == "close"_L1)
                exit.window()->close();
            else if (exit.isLoaded())
                press(exit.window(), step);
        }
        if (main.isLoaded()) { // the main menu's stop sign opens it again
            QVERIFY(!exit.isLoaded() && main.window()->isVisible());
            testsupport::whenShown(exit, [&] { exit.cmdNo->click(); });
            main.Image1_Click();
        }
        QCOMPARE(unloaded.join(u' ') + u'|' + log.names().join(u' '), after);
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
