// The main menu: its buttons, keys and menus, the hourglass while an activity loads; and the start-up
// check of the media folder.
#include "abc/frmABC.h"
#include "about/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmWords.h"
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
#include "words/chosen.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <climits>
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

    // A picture is refused when its header is damaged (a JPEG's is read without its decoder: a frame of some
    // size must come before the image data) or when it is cut short (a JPEG or GIF still decodes into the
    // top of the picture; an icon's directory then lists images beyond the file's end).
    void startUpCheckFindsDamagedPictures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("mark"); // the bytes are changed from the first place this is found
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("cut"); // the bytes taken off the end
        QTest::addColumn<bool>("readable");
        QTest::newRow("jpeg whole") << u"dog.jpg"_s << "\xFF\xD8"_ba << 0 << "\xFF\xD8"_ba << 0 << true;
        QTest::newRow("jpeg garbled after the start mark")
            << u"dog.jpg"_s << "\xFF\xD8"_ba << 2 << "\x00"_ba << 0 << false;
        QTest::newRow("jpeg frame of no width")
            << u"dog.jpg"_s << "\xFF\xC0"_ba << 7 << "\x00\x00"_ba << 0 << false;
        QTest::newRow("jpeg no frame before the image data")
            << u"dog.jpg"_s << "\xFF\xC0"_ba << 1 << "\xE5"_ba << 0 << false;
        QTest::newRow("jpeg cut short") << u"dog.jpg"_s << QByteArray() << 0 << QByteArray() << 4000 << false;
        QTest::newRow("gif cut short") << u"Zebra.gif"_s << QByteArray() << 0 << QByteArray() << 400 << false;
        QTest::newRow("icon cut short")
            << u"face02.ico"_s << QByteArray() << 0 << QByteArray() << 400 << false;
    }
    void startUpCheckFindsDamagedPictures() {
        QFETCH(QString, name);
        QFETCH(QByteArray, mark);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(int, cut);
        QFETCH(bool, readable);
        testsupport::prepare();
        const MediaFile file(u'\\' + name);
        QFile original(MediaFolder::resolve(file));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray data = original.readAll();
        const qsizetype at = data.indexOf(mark);
        QVERIFY(at >= 0 && cut < data.size());
        data.replace(at + offset, bytes.size(), bytes);
        data.chop(cut);
        QTemporaryDir dir;
        QFile copy(dir.filePath(name));
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(data) == data.size());
        copy.close();
        MediaFolder::setPathForTesting(dir.path());
        QCOMPARE(checkMediaFolder().unreadablePictures.contains(file), !readable);
    }

    // A picture's 2x file is read only on a screen above 100 %, and there only a damaged one is reported,
    // under its own name; a missing one is no fault.
    void startUpCheckReadsLargeFilesAbove100_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("largeBytes"); // how much of a real 2x file is there; -1: no file
        QTest::addColumn<bool>("reported");
        QTest::newRow("100 %, cut short") << 1.0 << 900 << false;
        QTest::newRow("200 %, whole") << 2.0 << INT_MAX << false;
        QTest::newRow("200 %, missing") << 2.0 << -1 << false;
        QTest::newRow("200 %, cut short") << 2.0 << 900 << true;
        QTest::newRow("150 %, cut short") << 1.5 << 900 << true;
    }
    void startUpCheckReadsLargeFilesAbove100() {
        QFETCH(qreal, ratio);
        QFETCH(int, largeBytes);
        QFETCH(bool, reported);
        testsupport::prepare();
        const MediaFile tile(u"\\z.gif"_s), large(u"\\z@2x.gif"_s);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(MediaFolder::resolve(tile), dir.filePath(u"z.gif"_s)));
        if (largeBytes >= 0) {
            QFile original(MediaFolder::resolve(large));
            QFile copy(dir.filePath(u"Z@2X.GIF"_s));
            QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly));
            copy.write(original.read(largeBytes));
        }
        MediaFolder::setPathForTesting(dir.path());
        const MediaCheck check = checkMediaFolder(ratio);
        // The spelling game names its tiles in capitals.
        const auto named = [](const QList<MediaFile>& files, const MediaFile& file) {
            return std::any_of(files.cbegin(), files.cend(), [&](const MediaFile& each) {
                return each.name().compare(file.name(), Qt::CaseInsensitive) == 0;
            });
        };
        QVERIFY(!named(check.unreadablePictures, tile) && !named(check.missingPictures, large));
        QCOMPARE(named(check.unreadablePictures, large), reported);
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

    // The command line of the real program, with no display: Qt's own options are Qt's, help and version
    // answer without a window, and anything else is refused as it was typed. An option that chooses the
    // window system or the display reaches Qt.
    void commandLine_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says"); // on stdout, or stderr for a status other than 0
        const QString version = u"Wordpot " WORDPOT_VERSION ""_s;
        const QString cannotOpen = u"the one it was given could not be opened"_s;
        QTest::newRow("version") << u"--version"_s << 0 << version;
        QTest::newRow("help") << u"-h"_s << 0 << u"-platform"_s;
        QTest::newRow("Qt's options")
            << u"-platform offscreen -style Fusion -reverse --version"_s << 0 << version;
        QTest::newRow("Qt's options with =")
            << u"-style=Fusion -qwindowgeometry 9x9+0+0 --help"_s << 0 << u"Usage:"_s;
        QTest::newRow("a restored session") << u"-session 1234abcd --version"_s << 0 << version;
        QTest::newRow("a platform") << u"-platform nowhere"_s << 1 << cannotOpen;
        QTest::newRow("a display") << u"-display :1023"_s << 1 << cannotOpen;
        QTest::newRow("unknown short") << u"-x"_s << 2 << u"Unknown option '-x'"_s;
        QTest::newRow("unknown word") << u"-platforms x"_s << 2 << u"Unknown option '-platforms'"_s;
        QTest::newRow("unknown long") << u"--frobnicate=3"_s << 2 << u"Unknown option '--frobnicate'"_s;
        QTest::newRow("no value") << u"--version -session"_s << 2 << u"Missing value after '-session'"_s;
        QTest::newRow("a word list") << u"words.kvtml --version"_s << 0 << version;
    }
    void commandLine() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, says);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(WORDPOT_EXECUTABLE), arguments.split(u' '));
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        const QString output = QString::fromLocal8Bit(status == 0 ? program.readAllStandardOutput()
                                                                  : program.readAllStandardError());
        QVERIFY2(output.contains(says), qPrintable(output));
        QCOMPARE(program.exitCode(), status);
    }

    // The desktop's lists by language, Wordpot's own words first and ticked; ticking a list unticks the
    // built-in words and another language's lists; OK remembers the choice, and the settings file is
    // written only when it changes. A list given on the command line is chosen as if ticked.
    void choosingWords() {
        QTemporaryDir data, config;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        // None of the machine's own lists; the sample list as installed.
        const QString sample = QDir::cleanPath(WORDPOT_ASSETS_DIR "/../dist/words");
        qputenv("XDG_DATA_DIRS", sample.toUtf8());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString tiere = testsupport::writeWordList(data.filePath(u"apps/kvtml/de/tiere.kvtml"_s),
                                                         u"de"_s, {u"Bär"_s}, u"Tiere"_s);
        const QString fruits =
            testsupport::writeWordList(data.filePath(u"apps/kvtml/fr/fruits.kvtml"_s), u"fr"_s,
                                       {u"poire"_s, u"été"_s, u"x"_s}, u"Fruits"_s);
        const QString settings = config.filePath(u"Wordpot/Wordpot.conf"_s);
        const auto shown = [](frmWords& dialog) {
            QStringList items;
            for (int i = 0; i < dialog.lstWords->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = dialog.lstWords->topLevelItem(i);
                items << item->text(0) + (item->checkState(0) == Qt::Checked ? u" *"_s : QString());
                for (int j = 0; j < item->childCount(); ++j)
                    items << u"  "_s + item->child(j)->text(0) +
                                 (item->child(j)->checkState(0) == Qt::Checked ? u" *"_s : QString());
            }
            return items.join(u'/') + u" | "_s + dialog.lblSummary->caption();
        };
        auto& dialog = Forms::get<frmWords>();
        dialog.load();
        QVERIFY2(shown(dialog).startsWith(u"English: Wordpot's own words */"_s), qPrintable(shown(dialog)));
        QVERIFY2(shown(dialog).contains(u"Deutsch/  Tiere/"_s) &&
                     shown(dialog).contains(u"Français/  Fruits"_s),
                 qPrintable(shown(dialog)));
        dialog.tick(tiere);
        dialog.tick(fruits);
        QVERIFY2(shown(dialog).endsWith(u"  Fruits * | Hangman plays with 2 words in Français. The spelling "
                                        "game and the letter explorer keep their own words: none of these "
                                        "words comes with a picture."_s),
                 qPrintable(shown(dialog)));
        QVERIFY(!shown(dialog).contains(u"Tiere *"_s) && !shown(dialog).contains(u"words *"_s));
        dialog.tick(sample + u"/apps/kvtml/en/wordpot-family.kvtml"_s);
        QVERIFY2(shown(dialog).contains(u"  Our words */"_s) &&
                     shown(dialog).endsWith(u" | Hangman plays with 12 words in English. The spelling "
                                            "game plays with the 12 words that have a picture; the letter "
                                            "explorer shows a picture for 8 of its letters."_s),
                 qPrintable(shown(dialog)));
        dialog.cmdCancel_Click();
        QVERIFY(!QFile::exists(settings));
        dialog.load();
        dialog.cmdOK_Click(); // nothing changed
        QVERIFY(!QFile::exists(settings));
        dialog.load();
        dialog.tick(tiere);
        dialog.cmdOK_Click();
        QCOMPARE(words::currentChoice(), (words::Choice{u"de"_s, {tiere}}));
        openWordLists({fruits, tiere}); // the second is of another language
        QCOMPARE(words::currentChoice(), (words::Choice{u"fr"_s, {fruits}}));
        dialog.load();
        QVERIFY2(shown(dialog).contains(u"  Fruits * |"_s), qPrintable(shown(dialog)));
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME"})
            qunsetenv(name);
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
