// The main menu: its buttons, keys and menus, the hourglass while an activity loads; and the start-up
// check of the media folder.
#include "abc/frmABC.h"
#include "about/frmAbout.h"
#include "app/frmMain.h"
#include "app/mediacheck.h"
#include "app/sessionbus.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "hangman/frmHangman.h"
#include "media/global.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"
#include "shell/frmExit.h"
#include "shell/frmSplash.h"
#include "testsupport.h"
#include "wordpot/frmWordpot.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <pthread.h>

using namespace Qt::StringLiterals;

namespace {
// A control of a loaded window: a member, or the member of a control array at an index.
using Control = QWidget* (*)();
template <class T, auto Member, int Index = -1> QWidget* control() {
    Forms::get<T>().load();
    if constexpr (Index < 0)
        return Forms::get<T>().*Member;
    else
        return (Forms::get<T>().*Member)(Index);
}
template <class T> QWidget* face() {
    Forms::get<T>().load();
    return Forms::get<T>().client()->template findChild<forms::Image*>();
}
} // namespace

class MainTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() { Forms::destroyAll(); }

    // Picture buttons without captions on a fixed white window; the focus starts on the letter explorer's and
    // Tab goes round the three. Alt and the underlined letter open a menu, the next underlined letter its
    // command, which has no shortcut of its own. An activity opens under the hourglass; the about box keeps
    // what it finds.
    void buttonsKeysAndMenus() {
        testsupport::SoundLog sounds;
        testsupport::whenShown(Forms::get<frmSplash>(), [] { Forms::get<frmSplash>().Timer1_Timer(); });
        auto& main = Forms::get<frmMain>();
        main.show();
        QWidget* window = main.window();
        QVERIFY(QTest::qWaitForWindowActive(window) && !main.Image1->picture().isNull());
        QVERIFY(window->minimumSize() == window->maximumSize() &&
                main.client()->grab().toImage().pixelColor(240, 10) == Qt::white);
        for (forms::CommandButton* button :
             {main.cmdABC.data(), main.cmdWordpot.data(), main.cmdHangman.data()}) {
            QVERIFY(QApplication::focusWidget() == button && !button->picture().isNull() &&
                    button->text().isEmpty());
            QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), main.cmdABC.data());
        QStringList opened;
        std::function<void(Form&)> record = [&](Form& form) { // each showing, "*" under the hourglass
            testsupport::whenShown(form, [&, shown = &form] {
                opened << shown->caption() +
                              (Screen::mousePointer() == Screen::MousePointer::Hourglass ? "*"_L1 : ""_L1);
                shown->unload();
                record(*shown);
            });
        };
        record(Forms::get<frmExit>());
        record(Forms::get<frmAbout>());
        const auto command = [&](Qt::Key menuKey, QMenu* menu, Qt::Key key) {
            QTest::keyClick(window->windowHandle(), menuKey, Qt::AltModifier);
            QTRY_VERIFY(menu->isVisible() && menu->actions().constFirst()->shortcut().isEmpty());
            QTest::keyClick(menu, key);
        };
        command(Qt::Key_F, main.mnuFile, Qt::Key_X);
        command(Qt::Key_H, main.mnuHelp, Qt::Key_A);
        frmMain::openActivity<frmAbout>();
        Screen::setMousePointer(Screen::MousePointer::Default);
        QCOMPARE(opened, (QStringList{u"Exit?"_s, u"About Wordpot"_s, u"About Wordpot*"_s}));
    }

    // A folder with every file but one picture and one sound, in capitals: only those two are missing.
    // "\.wav", asked for by a big-letter click before any letter, names no file on purpose.
    void startUpCheckFindsWhatIsMissing() {
        QTemporaryDir dir;
        const MediaFile picture(u"\\wordpot.gif"_s), sound(u"\\bye.wav"_s);
        QVERIFY(!mediaManifest().contains(MediaFile(u"\\.wav"_s)));
        for (const MediaFile& file : mediaManifest())
            QVERIFY(file == picture || file == sound ||
                    QFile(dir.filePath(file.name().mid(1).toUpper())).open(QIODevice::WriteOnly));
        MediaFolder::setPathForTesting(dir.path());
        QCOMPARE(checkMediaFolder().missingPictures, QList<MediaFile>{picture});
        QCOMPARE(checkMediaFolder().missingSounds, QList<MediaFile>{sound});
    }

    // A JPEG's header is read without its decoder: a frame of some size must come before the image data.
    void startUpCheckReadsJpegHeaders_data() {
        QTest::addColumn<QByteArray>("mark"); // the bytes are changed from the first place this is found
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::newRow("whole") << "\xFF\xD8"_ba << 0 << "\xFF\xD8"_ba << true;
        QTest::newRow("garbled after the start mark") << "\xFF\xD8"_ba << 2 << "\x00"_ba << false;
        QTest::newRow("frame of no width") << "\xFF\xC0"_ba << 7 << "\x00\x00"_ba << false;
        QTest::newRow("no frame before the image data") << "\xFF\xC0"_ba << 1 << "\xE5"_ba << false;
    }
    void startUpCheckReadsJpegHeaders() {
        QFETCH(QByteArray, mark);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        testsupport::prepare();
        const MediaFile dog(u"\\dog.jpg"_s);
        QFile original(MediaFolder::resolve(dog));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray data = original.readAll();
        const qsizetype at = data.indexOf(mark);
        QVERIFY(at >= 0);
        data.replace(at + offset, bytes.size(), bytes);
        QTemporaryDir dir;
        QFile copy(dir.filePath(u"dog.jpg"_s));
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(data) == data.size());
        copy.close();
        MediaFolder::setPathForTesting(dir.path());
        QCOMPARE(checkMediaFolder().unreadablePictures.contains(dog), !readable);
    }

    // What a screen reader says of each control a child can use: its name, and that it is a button (or the
    // box a letter is typed into).
    void accessibleNamesAndRoles_data() {
        QTest::addColumn<Control>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("main ABC's") << &control<frmMain, &frmMain::cmdABC> << u"ABC's"_s;
        QTest::newRow("main Wordpot") << &control<frmMain, &frmMain::cmdWordpot> << u"Wordpot"_s;
        QTest::newRow("main Hangman") << &control<frmMain, &frmMain::cmdHangman> << u"Hangman"_s;
        QTest::newRow("main stop") << &control<frmMain, &frmMain::Image1> << u"Stop"_s;
        QTest::newRow("explorer tile") << &control<frmABC, &frmABC::lblabc, 1> << u"B"_s;
        QTest::newRow("explorer box") << &control<frmABC, &frmABC::Text1> << u"Type a letter"_s;
        QTest::newRow("spelling letter")
            << &control<frmWordpot, &frmWordpot::img_Letters, 0> << QString(QChar(wordpot::Board[0].letter));
        QTest::newRow("spelling erase") << &control<frmWordpot, &frmWordpot::cmdErase> << u"Erase"_s;
        QTest::newRow("hangman level") << &control<frmHangman, &frmHangman::cmdDifficulty> << u"EASY"_s;
        QTest::newRow("happy face") << &face<frmHappyFace> << u"Happy face"_s;
        QTest::newRow("sad face") << &face<frmSadface> << u"Sad face"_s;
    }
    void accessibleNamesAndRoles() {
        QFETCH(Control, control);
        testsupport::prepare(); // the media folder again, after the start-up check
        testsupport::SoundLog sounds;
        testsupport::whenShown(Forms::get<frmSplash>(), [] { Forms::get<frmSplash>().Timer1_Timer(); });
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control());
        QVERIFY(accessible != nullptr);
        QTEST(accessible->text(QAccessible::Name), "name");
        QCOMPARE(accessible->role(),
                 qobject_cast<QLineEdit*>(control()) ? QAccessible::EditableText : QAccessible::Button);
    }

    // With no session bus about (and a display, which libdbus needs to launch one), starting the sound
    // forks nothing.
    void noSessionBusIsLaunched() {
        static int forks = 0;
        pthread_atfork([] { ++forks; }, nullptr, nullptr);
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("DISPLAY", ":0");
        refuseSessionBusLaunch();
        Global::StartSound();
        QVERIFY(!SoundPlayer::instance().driverName().isEmpty());
        Global::StopSound();
        QCOMPARE(forks, 0);
    }
};

QTEST_MAIN(MainTest)
#include "tst_main.moc"
