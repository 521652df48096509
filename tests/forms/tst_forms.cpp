// The window runtime: loading and unloading, modal windows and their nested loops, deferred destruction,
// the end of the run, and the classic controls and keyboard rules every window relies on.
#include "forms/fonts.h"
#include "forms/form.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

using namespace forms;

namespace {
// A window with a text box, two buttons and members that must outlive its controls. Two of them serve as
// an opener and its modal child; the hooks let a test act from inside their handlers.
template <int Id> class frmSample final : public Form {
public:
    frmSample()
        : Form({.caption = QStringLiteral("Sample"), .clientTwips = {3008, 1507}}) {}
    QPointer<TextBox> txtAnswer;
    QPointer<CommandButton> cmdFirst, cmdSecond;
    int loads = 0, changes = 0;
    QStringList clicks;
    bool withDefaultAndCancel = false;
    std::function<void()> onLoad = [] {}, onFirst = [] {};

    void Form_Load() override {
        ++loads;
        onLoad();
    }

protected:
    void build() override {
        txtAnswer = new TextBox(client(), rectTw(0, 300, 1500, 300));
        cmdFirst = new CommandButton(client(), rectTw(0, 900, 1200, 450), QStringLiteral("&First"));
        cmdSecond = new CommandButton(client(), rectTw(1500, 900, 1200, 450), QStringLiteral("&Second"));
        connect(txtAnswer, &TextBox::change, this, [this] { ++changes; });
        connect(cmdFirst, &CommandButton::clicked, this, [this] {
            clicks << "first";
            onFirst();
        });
        connect(cmdSecond, &CommandButton::clicked, this, [this] { clicks << "second"; });
        if (withDefaultAndCancel) {
            setDefaultButton(cmdFirst);
            setCancelButton(cmdSecond);
        }
    }
};
using frmOpener = frmSample<0>;
using frmChild = frmSample<1>;
} // namespace

class FormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }

    void cleanup() {
        Forms::setQuitWhenAllUnloaded(false);
        Forms::destroyAll();
    }

    // The bundled stand-ins, sized in pixels at 96 dpi whatever the screen's.
    void fontsAreTheBundledStandIns() {
        using Font = std::tuple<FontFace, double, QString, int>;
        for (const auto& [face, points, family, pixels] :
             {Font{FontFace::MsSansSerif, 8.25, "Liberation Sans", 11},
              Font{FontFace::Arial, 72, "Liberation Sans", 96},
              Font{FontFace::TimesNewRoman, 72, "Liberation Serif", 96},
              Font{FontFace::ArialBlack, 99.75, "Lato", 133}}) {
            const QFont f = font(face, points, true);
            QCOMPARE(f.pixelSize(), pixels);
            QVERIFY2(QFontInfo(f).family().startsWith(family), qPrintable(QFontInfo(f).family()));
        }
    }

    void aWindowLoadsOnceAtItsDesignSize() {
        auto& form = Forms::get<frmOpener>();
        form.load();
        form.load();
        QCOMPARE(form.loads, 1);
        QCOMPARE(form.clientSize(), QSize(201, 100)); // 3008 x 1507 twips, to the nearest pixel
    }

    void textBoxReportsOnlyRealChanges_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("changes");
        QTest::newRow("emptying an empty box") << QStringList{""} << 0;
        QTest::newRow("the same letter twice") << QStringList{"a", "a"} << 1;
        QTest::newRow("set and emptied") << QStringList{"a", "", ""} << 2;
        QTest::newRow("case is a change") << QStringList{"a", "A"} << 2;
    }

    void textBoxReportsOnlyRealChanges() {
        QFETCH(QStringList, texts);
        QFETCH(int, changes);
        auto& form = Forms::get<frmOpener>();
        form.load();
        for (const QString& text : texts)
            form.txtAnswer->setText(text);
        QCOMPARE(form.changes, changes);
    }

    // The caret blinks while the box is in use and rests, shown, once it is left alone; a key wakes it.
    void textBoxCaretRestsWhenLeftAlone() {
        auto& form = Forms::get<frmOpener>();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        form.txtAnswer->setFocus();
        const int blinkMs = QApplication::cursorFlashTime();
        QVERIFY(blinkMs > 0);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::cursorFlashTime(), 0, TextBox::CaretRestMs + 1000);
        QTest::keyClick(form.txtAnswer, Qt::Key_A);
        QCOMPARE(QApplication::cursorFlashTime(), blinkMs);
    }

    // No default or cancel button unless a design names one; Enter and Space click the focused button, an
    // access key its button. Each key is held into two repeats, each a release and a press at one time: Qt
    // flags the first; the second it may miss, when the press has not yet arrived as the release does.
    // Either way a key counts once, however long it is held (Space, which clicks on its release, only
    // when Qt sees the repeat).
    void classicKeys_data() {
        QTest::addColumn<bool>("withDefaults");
        QTest::addColumn<int>("focus"); // the text box, the first or the second button
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("clicked");
        const auto row = [](const char* tag, bool defaults, int focus, QKeyCombination key,
                            const char* clicked) {
            QTest::newRow(tag) << defaults << focus << key << QString(clicked);
        };
        row("Escape does nothing", false, 2, Qt::Key_Escape, "");
        row("Enter in a text box presses nothing", false, 0, Qt::Key_Return, "");
        row("Enter clicks the focused button", false, 2, Qt::Key_Return, "second");
        row("keypad Enter clicks it too", false, 1, Qt::KeypadModifier | Qt::Key_Enter, "first");
        row("Space clicks the focused button", false, 2, Qt::Key_Space, "second");
        row("an access key clicks its button", false, 0, Qt::AltModifier | Qt::Key_S, "second");
        row("Enter goes to a named default", true, 0, Qt::Key_Return, "first");
        row("a focused button beats the default", true, 2, Qt::Key_Return, "second");
        row("Escape goes to a named cancel", true, 0, Qt::Key_Escape, "second");
    }

    void classicKeys() {
        QFETCH(bool, withDefaults);
        QFETCH(int, focus);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, clicked);
        auto& form = Forms::get<frmOpener>();
        form.withDefaultAndCancel = withDefaults;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        QList<QWidget*>{form.txtAnswer, form.cmdFirst, form.cmdSecond}[focus]->setFocus();
        QWindow* window = form.window()->windowHandle();
        const char ascii = QTest::keyToAscii(key.key());
        const QString text = ascii != 0 ? QString(QChar::fromLatin1(ascii)) : QString();
        // As Qt delivers a key from the window system: a press goes to the window as a shortcut override,
        // then, unless taken, to the shortcuts, and then, unless taken, to the window.
        const auto send = [&](QEvent::Type type, ulong time, bool flagged) {
            constexpr quint32 ScanCode = 36;
            const auto deliver = [&](QEvent::Type as) {
                QKeyEvent event(as, key.key(), key.keyboardModifiers(), ScanCode, 0, 0, text, flagged);
                event.setTimestamp(time);
                QCoreApplication::sendEvent(window, &event);
                return event.isAccepted();
            };
            if (type == QEvent::KeyPress &&
                (deliver(QEvent::ShortcutOverride) ||
                 qt_sendShortcutOverrideEvent(window, time, key.key(), key.keyboardModifiers(), text,
                                              flagged)))
                return;
            deliver(type);
        };
        const bool qtMayMiss = key.key() != Qt::Key_Space;
        send(QEvent::KeyPress, 1000, false);
        send(QEvent::KeyRelease, 1500, true);
        send(QEvent::KeyPress, 1500, true);
        send(QEvent::KeyRelease, 1540, !qtMayMiss);
        send(QEvent::KeyPress, 1540, !qtMayMiss);
        send(QEvent::KeyRelease, 1600, false);
        QCOMPARE(form.clicks.join(' '), clicked);
        QVERIFY(form.isLoaded());
    }

    // The opener stays visible but takes no input, its close box included. As the exit's Yes does, the
    // child's handler unloads the opener, and a later event the child: no control goes while a handler of
    // its window is on the stack, and the opener's handler resumes once the child has gone.
    void modalWindowsAndUnloadsUnderRunningHandlers() {
        auto& opener = Forms::get<frmOpener>();
        auto& child = Forms::get<frmChild>();
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(opener.window()));
        const QPointer<QWidget> openerWindow = opener.window();
        QPointer<QWidget> childWindow;
        bool childWasModal = false, openerTookNoInput = false, openerControlsAliveOnReturn = false;
        opener.onFirst = [&] {
            child.showModal();
            openerControlsAliveOnReturn =
                !opener.cmdFirst.isNull() && opener.cmdFirst->text() == QLatin1String("&First");
        };
        child.onFirst = [&] {
            opener.unload();
            QTimer::singleShot(50, &child, [&] {
                child.unload();
                // The handler goes on after unloading: its button is still there to touch.
                child.cmdFirst->setText(QStringLiteral("still here"));
            });
        };
        testsupport::whenShown(child, [&] {
            childWindow = child.window();
            childWasModal = QApplication::activeModalWidget() == child.window();
            QTest::mouseClick(opener.window()->windowHandle(), Qt::LeftButton, {},
                              opener.cmdSecond->mapTo(opener.window(), QPoint(5, 5)));
            opener.window()->close();
            openerTookNoInput =
                !opener.clicks.contains("second") && opener.isLoaded() && opener.window()->isVisible();
            QTest::mouseClick(child.cmdFirst, Qt::LeftButton);
        });
        QTest::mouseClick(opener.cmdFirst, Qt::LeftButton);
        QVERIFY(childWasModal && openerTookNoInput && openerControlsAliveOnReturn);
        QVERIFY(!opener.isLoaded() && !child.isLoaded());
        testsupport::settle();
        QVERIFY(openerWindow.isNull() && childWindow.isNull());
        opener.load(); // controls come back in their design state; members have lived on
        QVERIFY(opener.cmdFirst->text() == QLatin1String("&First") && opener.loads == 2);
    }

    // An empty image keeps its layout size and takes clicks there. A picture gives it its own size (an
    // icon's 32 x 32 image); stretched, it shows the smallest image that covers it, else the largest.
    void imagesTakeTheirPicturesSize() {
        QWidget parent;
        Image image(&parent, QRect(10, 10, 200, 200));
        QSignalSpy clicks(&image, &Image::clicked);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("picture not found.*nothere\\.gif"));
        image.setPicture(LoadPicture(MediaFile(QStringLiteral("\\nothere.gif"))));
        QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(150, 150));
        QCOMPARE(clicks.count(), 1);
        image.setPicture(LoadPicture(MediaFile(QStringLiteral("\\face01.ico")))); // 256 and 32 px
        QCOMPARE(image.geometry(), QRect(10, 10, 32, 32));
        image.setStretch(true);
        image.resize(20, 20);
        QCOMPARE(image.shownPixmap().size(), QSize(32, 32));
        image.resize(300, 300);
        QCOMPARE(image.shownPixmap().size(), QSize(256, 256));
    }

    void mousePointerIsOneValue() {
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Hourglass);
        Screen::setMousePointer(Screen::MousePointer::Default); // one call undoes both
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // A coarse timer would tick up to 5 % early; enabling a running timer starts its count afresh.
    void aTimerNeverTicksEarlyAndEnablingRestartsIt() {
        Timer timer(nullptr, 1000, true);
        QTest::qWait(200);
        QElapsedTimer clock;
        clock.start();
        timer.setEnabled(true);
        QSignalSpy ticks(&timer, &Timer::timer);
        QVERIFY(ticks.wait(2000));
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    }

    // Last: once the run has been told to end, Qt leaves every event loop started afterwards at once.
    void runGoesOnWhileAFirstModalClosesBeforeTheMainWindowShows() {
        Forms::setQuitWhenAllUnloaded(true);
        auto& hub = Forms::get<frmOpener>();
        auto& first = Forms::get<frmChild>();
        bool hubShownDuringFirst = true;
        // As the main menu shows the splash from its load, before it is shown itself.
        hub.onLoad = [&] {
            QTimer::singleShot(50, &first, [&] {
                hubShownDuringFirst = hub.window()->isVisible();
                first.unload();
            });
            first.showModal();
        };
        hub.show();
        QVERIFY(!hubShownDuringFirst && hub.window()->isVisible() && !first.isLoaded());
        QVERIFY(Forms::loadedCount() == 1 && !Forms::quitRequested());
        // Unloading the last window ends the run, and leaves any running event loop.
        QTimer::singleShot(0, [&] { hub.unload(); });
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, [&] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(Forms::quitRequested());
    }
};

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
