// The window runtime: loading and unloading, modal windows and their nested loops, deferred destruction,
// the end of the run, and the classic controls and keyboard rules every window relies on.
#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/form.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/global.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace forms;

namespace {
// A window with a caption label, a text box, two buttons and a member that must outlive its controls.
class frmSample final : public Form {
    Q_OBJECT
public:
    frmSample()
        : Form({.caption = QStringLiteral("Sample"), .clientTwips = {3000, 1500}}) {}
    QPointer<Label> lblCaption;
    QPointer<TextBox> txtAnswer;
    QPointer<CommandButton> cmdFirst;
    QPointer<CommandButton> cmdSecond;
    int loads = 0;
    int changes = 0;
    int firstClicks = 0;
    int secondClicks = 0;
    QString remembered;
    bool useDefaultAndCancel = false;
    std::function<void()> onFirst;

    void Form_Load() override { ++loads; }

protected:
    void build() override {
        lblCaption = new Label(client(), rectTw(0, 0, 1500, 300));
        lblCaption->setCaption(QStringLiteral("design"));
        txtAnswer = new TextBox(client(), rectTw(0, 300, 1500, 300));
        cmdFirst = new CommandButton(client(), rectTw(0, 900, 1200, 450), QStringLiteral("&First"));
        cmdSecond = new CommandButton(client(), rectTw(1500, 900, 1200, 450), QStringLiteral("&Second"));
        connect(txtAnswer, &TextBox::change, this, [this] { ++changes; });
        connect(cmdFirst, &CommandButton::clicked, this, [this] {
            ++firstClicks;
            if (onFirst)
                onFirst();
        });
        connect(cmdSecond, &CommandButton::clicked, this, [this] { ++secondClicks; });
        if (useDefaultAndCancel) {
            setDefaultButton(cmdFirst);
            setCancelButton(cmdSecond);
        }
    }
};

// A second window, opened modally from the first.
class frmChild final : public Form {
    Q_OBJECT
public:
    frmChild()
        : Form({.caption = QStringLiteral("Child"), .clientTwips = {1500, 1500}}) {}
    QPointer<CommandButton> cmdClose;
    std::function<void()> onClose;

protected:
    void build() override {
        cmdClose = new CommandButton(client(), rectTw(0, 0, 1500, 500), QStringLiteral("Close"));
        connect(cmdClose, &CommandButton::clicked, this, [this] {
            if (onClose)
                onClose();
        });
    }
};

// A window whose load shows a first modal window before it is itself shown, as the main menu does.
class frmFirstModal final : public Form {
    Q_OBJECT
public:
    frmFirstModal()
        : Form({.caption = QStringLiteral("First"),
                .clientTwips = {1500, 1500},
                .border = BorderStyle::Splash}) {}
    QPointer<Timer> Timer1;
    void Timer1_Timer() { unload(); }

protected:
    void build() override {
        Timer1 = new Timer(window(), 50, true);
        connect(Timer1, &Timer::timer, this, &frmFirstModal::Timer1_Timer);
    }
};

class frmHub final : public Form {
    Q_OBJECT
public:
    frmHub()
        : Form({.caption = QStringLiteral("Hub"), .clientTwips = {3000, 3000}}) {}
    bool visibleDuringFirstModal = true;
    void Form_Load() override {
        QTimer::singleShot(10, [this] { visibleDuringFirstModal = window()->isVisible(); });
        Forms::get<frmFirstModal>().showModal();
    }

protected:
    void build() override {}
};

} // namespace

class FormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }

    void cleanup() {
        Forms::setQuitWhenAllUnloaded(false);
        Forms::destroyAll();
        Screen::setMousePointer(Screen::MousePointer::Default);
    }

    void twipsAndPoints_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("exact") << 7140 << 476;
        QTest::newRow("rounds down") << 1125 << 75;
        QTest::newRow("rounds half up") << 8 << 1;
    }

    void twipsAndPoints() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(px(twips), pixels);
    }

    void fontsAreTheBundledStandIns_data() {
        QTest::addColumn<int>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::newRow("MS Sans Serif")
            << int(FontFace::MsSansSerif) << 8.25 << QStringLiteral("Liberation Sans") << 11;
        QTest::newRow("Arial") << int(FontFace::Arial) << 72.0 << QStringLiteral("Liberation Sans") << 96;
        QTest::newRow("Times New Roman")
            << int(FontFace::TimesNewRoman) << 72.0 << QStringLiteral("Liberation Serif") << 96;
        QTest::newRow("Arial Black") << int(FontFace::ArialBlack) << 99.75 << QStringLiteral("Lato") << 133;
    }

    void fontsAreTheBundledStandIns() {
        QFETCH(int, face);
        QFETCH(double, points);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        const QFont f = font(FontFace(face), points, true);
        QCOMPARE(f.pixelSize(), pixels);
        QVERIFY2(QFontInfo(f).family().startsWith(family), qPrintable(QFontInfo(f).family()));
    }

    void membersSurviveUnloadAndControlsAreRebuilt() {
        auto& form = Forms::get<frmSample>();
        QCOMPARE(&form, &Forms::get<frmSample>()); // one instance for the run
        form.load();
        QCOMPARE(form.loads, 1);
        QCOMPARE(form.clientSize(), QSize(200, 100));
        form.lblCaption->setCaption(QStringLiteral("changed"));
        form.remembered = QStringLiteral("kept");
        QPointer<Label> oldLabel = form.lblCaption;
        form.unload();
        QVERIFY(!form.isLoaded());
        testsupport::settle();
        QVERIFY(oldLabel.isNull());
        form.load();
        QCOMPARE(form.loads, 2);
        QCOMPARE(form.remembered, QStringLiteral("kept"));
        QCOMPARE(form.lblCaption->caption(), QStringLiteral("design"));
        form.load(); // already loaded: Form_Load does not run again
        QCOMPARE(form.loads, 2);
    }

    void textBoxReportsOnlyRealChanges_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("changes");
        QTest::newRow("emptying an empty box") << QStringList{QString()} << 0;
        QTest::newRow("the same letter twice") << QStringList{QStringLiteral("a"), QStringLiteral("a")} << 1;
        QTest::newRow("set and emptied") << QStringList{QStringLiteral("a"), QString(), QString()} << 2;
        QTest::newRow("case is a change") << QStringList{QStringLiteral("a"), QStringLiteral("A")} << 2;
    }

    void textBoxReportsOnlyRealChanges() {
        QFETCH(QStringList, texts);
        QFETCH(int, changes);
        auto& form = Forms::get<frmSample>();
        form.load();
        form.changes = 0;
        for (const QString& text : texts)
            form.txtAnswer->setText(text);
        QCOMPARE(form.changes, changes);
    }

    void textBoxHoldsItsMaximumLength() {
        auto& form = Forms::get<frmSample>();
        form.show();
        form.txtAnswer->setMaxLength(1);
        form.txtAnswer->setFocus();
        form.changes = 0;
        QTest::keyClicks(form.txtAnswer, QStringLiteral("xy"));
        QCOMPARE(form.txtAnswer->text(), QStringLiteral("x"));
        QCOMPARE(form.changes, 1);
    }

    void classicKeys_data() {
        QTest::addColumn<bool>("withDefaults");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("firstClicks");
        QTest::addColumn<int>("secondClicks");
        QTest::newRow("Escape does nothing") << false << "second" << int(Qt::Key_Escape) << 0 << 0;
        QTest::newRow("Enter in a text box presses nothing")
            << false << "text" << int(Qt::Key_Return) << 0 << 0;
        QTest::newRow("Enter clicks the focused button")
            << false << "second" << int(Qt::Key_Return) << 0 << 1;
        QTest::newRow("keypad Enter clicks it too") << false << "first" << int(Qt::Key_Enter) << 1 << 0;
        QTest::newRow("Space clicks the focused button") << false << "second" << int(Qt::Key_Space) << 0 << 1;
        QTest::newRow("Enter goes to a named default") << true << "text" << int(Qt::Key_Return) << 1 << 0;
        QTest::newRow("a focused button beats the default")
            << true << "second" << int(Qt::Key_Return) << 0 << 1;
        QTest::newRow("Escape goes to a named cancel") << true << "text" << int(Qt::Key_Escape) << 0 << 1;
    }

    void classicKeys() {
        QFETCH(bool, withDefaults);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, firstClicks);
        QFETCH(int, secondClicks);
        auto& form = Forms::get<frmSample>();
        form.useDefaultAndCancel = withDefaults;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        QWidget* target = focus == QLatin1String("text")    ? static_cast<QWidget*>(form.txtAnswer)
                          : focus == QLatin1String("first") ? static_cast<QWidget*>(form.cmdFirst)
                                                            : static_cast<QWidget*>(form.cmdSecond);
        target->setFocus();
        QTest::keyClick(form.window()->windowHandle(), Qt::Key(key));
        QCOMPARE(form.firstClicks, firstClicks);
        QCOMPARE(form.secondClicks, secondClicks);
        QVERIFY(form.isLoaded());
    }

    void modalWindowBlocksItsOpener() {
        auto& opener = Forms::get<frmSample>();
        auto& child = Forms::get<frmChild>();
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(opener.window()));
        bool resumed = false;
        bool childWasModal = false;
        opener.onFirst = [&] {
            child.showModal();
            resumed = true;
        };
        testsupport::whenShown(child, [&] {
            childWasModal = QApplication::activeModalWidget() == child.window();
            QVERIFY(!resumed);
            // A click on the opener goes nowhere while the child is open.
            QTest::mouseClick(opener.window()->windowHandle(), Qt::LeftButton, {},
                              opener.cmdSecond->mapTo(opener.window(), QPoint(5, 5)));
            child.unload();
        });
        opener.cmdFirst->click();
        QVERIFY(childWasModal);
        QVERIFY(resumed);
        QCOMPARE(opener.secondClicks, 0);
        QVERIFY(!child.isLoaded());
        // The opener takes clicks again.
        QTest::mouseClick(opener.window()->windowHandle(), Qt::LeftButton, {},
                          opener.cmdSecond->mapTo(opener.window(), QPoint(5, 5)));
        QCOMPARE(opener.secondClicks, 1);
    }

    void handlersMayUnloadTheirOwnWindowAndItsOpener() {
        // As the exit's Yes does: the child's handler unloads itself and the window whose handler opened it.
        auto& opener = Forms::get<frmSample>();
        auto& child = Forms::get<frmChild>();
        opener.show();
        QPointer<QWidget> openerWindow = opener.window();
        QPointer<QWidget> childWindow;
        bool openerControlsAliveAfterReturn = false;
        opener.onFirst = [&] {
            child.showModal();
            // Still inside the opener's handler: its own controls must not be gone yet.
            openerControlsAliveAfterReturn =
                !opener.cmdFirst.isNull() && opener.cmdFirst->text() == QLatin1String("&First");
        };
        child.onClose = [&] {
            opener.unload();
            // The child's event loop runs on for a while with its opener's handler still on the stack.
            QTimer::singleShot(50, &child, [&] {
                child.unload();
                // The handler goes on after unloading: its button is still there to touch.
                child.cmdClose->setText(QStringLiteral("still here"));
            });
        };
        testsupport::whenShown(child, [&] {
            childWindow = child.window();
            QTest::mouseClick(child.cmdClose, Qt::LeftButton);
        });
        QTest::mouseClick(opener.cmdFirst, Qt::LeftButton);
        QVERIFY(openerControlsAliveAfterReturn);
        QVERIFY(!opener.isLoaded());
        QVERIFY(!child.isLoaded());
        testsupport::settle();
        QVERIFY(openerWindow.isNull());
        QVERIFY(childWindow.isNull());
    }

    void closeBoxUnloadsUnlessAModalWindowIsOpen() {
        auto& opener = Forms::get<frmSample>();
        auto& child = Forms::get<frmChild>();
        opener.show();
        bool openerSurvivedItsCloseBox = false;
        opener.onFirst = [&] { child.showModal(); };
        testsupport::whenShown(child, [&] {
            opener.window()->close();
            openerSurvivedItsCloseBox = opener.isLoaded();
            child.window()->close();
        });
        opener.cmdFirst->click();
        QVERIFY(openerSurvivedItsCloseBox);
        QVERIFY(!child.isLoaded());
        opener.window()->close();
        QVERIFY(!opener.isLoaded());
    }

    void emptyImageKeepsItsLayoutAndTakesClicks() {
        QWidget parent;
        parent.resize(300, 300);
        Image image(&parent, QRect(10, 10, 200, 200));
        QSignalSpy clicks(&image, &Image::clicked);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("picture not found.*nothere\\.gif")));
        image.setPicture(LoadPicture(MediaFile(QStringLiteral("\\nothere.gif"))));
        QCOMPARE(image.size(), QSize(200, 200));
        QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(150, 150));
        QCOMPARE(clicks.count(), 1);
        // A picture makes the control its own size: the rest of the layout no longer takes clicks.
        image.setPicture(builtInPicture(QStringLiteral(":/pictures/stop.gif")));
        QCOMPARE(image.size(), QSize(100, 100));
        QCOMPARE(image.pos(), QPoint(10, 10));
        image.setStretch(true);
        image.resize(200, 200);
        QCOMPARE(image.shownPixmap().size(), QSize(100, 100));
    }

    void iconsOfferTheSizeEachControlNeeds() {
        const Picture face = builtInPicture(QStringLiteral(":/pictures/happyface.ico"));
        QVERIFY(face.sizes().size() >= 2);
        QCOMPARE(face.natural().size(), QSize(32, 32));
        QCOMPARE(face.forSize(QSize(20, 20)).size(), QSize(32, 32));
        QVERIFY(face.forSize(QSize(300, 300)).width() >= 32);
        QCOMPARE(LoadResPicture(102).natural().size(), QSize(150, 100));
    }

    void mousePointerIsOneValue() {
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Hourglass);
        Screen::setMousePointer(Screen::MousePointer::Default);
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void aTimerNeverTicksEarlyAndEnablingRestartsIt() {
        QObject owner;
        Timer timer(&owner, 1000, true);
        QElapsedTimer clock;
        clock.start();
        qint64 tickedAt = -1;
        connect(&timer, &Timer::timer, &owner, [&] { tickedAt = clock.elapsed(); });
        QTest::qWait(400);
        timer.setEnabled(true);
        clock.restart();
        // 1400 ms after the first start, only 1000 ms after the second; a coarse timer would be ~50 ms early.
        QTRY_VERIFY_WITH_TIMEOUT(tickedAt >= 0, 2000);
        QVERIFY2(tickedAt >= 1000, qPrintable(QString::number(tickedAt)));
    }

    // Last: once the run has been told to end, Qt leaves every event loop started afterwards at once.
    void runGoesOnWhileAFirstModalClosesBeforeTheMainWindowShows() {
        Forms::setQuitWhenAllUnloaded(true);
        auto& hub = Forms::get<frmHub>();
        hub.show();
        QVERIFY(!hub.visibleDuringFirstModal);
        QVERIFY(!Forms::get<frmFirstModal>().isLoaded());
        QVERIFY(!Forms::quitRequested());
        QVERIFY(hub.window()->isVisible());
        QCOMPARE(Forms::loadedCount(), 1);
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
