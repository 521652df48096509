// The start: on copies of the program with a broken media folder beside them, a missing or unusable picture
// stops it with one message and status 1, a missing sound only warns, and a picture damaged during play
// gives a warning and no crash; with no display it ends with one line.
#include "harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {
// The letter explorer's button on the main menu, and its letter "a" typed on the real keyboard.
constexpr QPoint ABCButton(96, 60);
// In the explorer's client area.
constexpr QRect InputBox(296, 56, 25, 25);
constexpr QRect PictureArea(208, 128, 120, 120);

// A copy of the built program and its media folder, changed by `damage`.
QString copyOfTheProgram(const QTemporaryDir& dir, const std::function<void(const QDir&)>& damage) {
    const QDir from = QFileInfo(Program::builtExecutable()).absoluteDir();
    const QDir to(dir.path());
    for (const QString& name : from.entryList(QDir::Files)) {
        if (!QFile::copy(from.filePath(name), to.filePath(name)))
            return {};
    }
    damage(to);
    return to.filePath(QStringLiteral("wordpot"));
}
} // namespace

class StartUpEndToEnd : public QObject {
    Q_OBJECT
private slots:
    // Each way a picture can be unusable, done to two of them.
    void aBadPictureStopsTheStartWithOneMessage_data() {
        QTest::addColumn<QByteArray>("how");
        for (const char* how :
             {"missing", "zero bytes", "truncated", "another format", "no read permission", "a folder"})
            QTest::newRow(how) << QByteArray(how);
    }

    void aBadPictureStopsTheStartWithOneMessage() {
        QFETCH(QByteArray, how);
        const QString zebra = how == "missing" ? "Zebra.gif" : "zebra.gif"; // as it is on disk, if it is
        QTemporaryDir dir;
        const QString program = copyOfTheProgram(dir, [&](const QDir& media) {
            for (const QString name : {"circle.gif", "zebra.gif"}) {
                QFile file(media.filePath(name));
                QVERIFY(how == "truncated" || how == "zero bytes"
                            ? file.resize(how == "truncated" ? file.size() / 2 : 0)
                        : how == "no read permission" ? file.setPermissions({})
                        : how == "a folder"           ? file.remove() && media.mkdir(name)
                        : how == "another format"
                            ? file.remove() && QFile::copy(media.filePath("bye.wav"), file.fileName())
                            : file.remove());
            }
        });
        QVERIFY(!program.isEmpty());
        if (how == "no read permission" && QFile(dir.filePath("zebra.gif")).open(QIODevice::ReadOnly))
            QSKIP("run as root, which reads a file without read permission");
        Desktop desktop;
        Program run(desktop, program);
        const auto message = desktop.waitForWindow(QStringLiteral("Wordpot"), 10000);
        E2E_VERIFY2(message.has_value(), desktop.windowTree() + run.describe());
        // Painted: its text is dark on the dialog's light grey.
        const QRect box = desktop.geometry(*message);
        QVERIFY(waitUntil([&] { return countNear(desktop.screenshot(), box, Qt::black, 60) > 100; }));
        desktop.keepScreenshot(QStringLiteral("bad-picture-") + how);
        QVERIFY(!desktop.hasWindow(QStringLiteral("Welcome to Wordpot")));
        // The child's parent reads it and presses Enter.
        desktop.key(*message, QStringLiteral("Return"));
        QVERIFY(run.waitForExit(3000));
        QCOMPARE(run.exitCode(), 1);
        const QString errors = run.standardError();
        QVERIFY2(errors.contains(dir.filePath("circle.gif")) && errors.contains(dir.filePath(zebra)),
                 qPrintable(errors));
    }

    // A missing sound is named at the start; a sound that cannot be played, and a picture damaged during
    // play, when first asked for. None of them stops the program.
    void badSoundsAndAPictureDamagedDuringPlayOnlyWarn() {
        QTemporaryDir dir;
        const QString program = copyOfTheProgram(dir, [](const QDir& media) {
            QVERIFY(QFile::remove(media.filePath("bye.wav")) && QFile::resize(media.filePath("a.wav"), 0));
        });
        Desktop desktop;
        Program run(desktop, program);
        const auto main = desktop.waitForMainMenu();
        E2E_VERIFY2(main.has_value(), desktop.windowTree() + run.describe());
        QVERIFY2(run.standardError().contains(dir.filePath("bye.wav")), qPrintable(run.standardError()));
        const QString apple = dir.filePath("apple.gif");
        QVERIFY(QFile::resize(apple, 0));
        desktop.click(desktop.mainMenuClient(*main) + ABCButton);
        const auto explorer = desktop.waitForWindow(QStringLiteral("Wordpot"), 5000);
        QVERIFY(explorer.has_value());
        const QPoint client = desktop.geometry(*explorer).topLeft();
        const auto typed = [&] {
            return countNear(desktop.screenshot(), InputBox.translated(client), Qt::black, 60);
        };
        desktop.key(*explorer, QStringLiteral("a"));
        QVERIFY2(waitUntil([&] {
                     return run.standardError().contains(apple) &&
                            run.standardError().contains(dir.filePath("a.wav"));
                 }),
                 qPrintable(run.standardError()));
        desktop.keepScreenshot(QStringLiteral("picture-damaged-during-play"));
        // The window goes on: once the box has taken the letter and been emptied, another letter still
        // shows its picture.
        QVERIFY(waitUntil([&] { return typed() > 0; }));
        QVERIFY(waitUntil([&] { return typed() == 0; }));
        const QRect picture = PictureArea.translated(client);
        QCOMPARE(countNear(desktop.screenshot(), picture, Qt::white, 10), picture.width() * picture.height());
        desktop.key(*explorer, QStringLiteral("b"));
        QVERIFY(waitUntil([&] { return countNear(desktop.screenshot(), picture, Qt::white, 10) < 14000; }));
        QVERIFY(run.isRunning());
        desktop.closeWindow(*explorer);
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Wordpot"), 3000));
        desktop.closeWindow(*main);
        QVERIFY(run.waitForExit(3000));
        QCOMPARE(run.exitCode(), 0);
    }

    // From a text console or over SSH: one line, status 1, no abort.
    void noDisplayIsOneLine() {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        run.setProcessEnvironment(env);
        run.start(Program::builtExecutable(), {});
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 1);
        const QString errors = QString::fromLocal8Bit(run.readAll() + run.readAllStandardError());
        QVERIFY2(errors.startsWith("Wordpot needs a graphical display: ") && errors.count('\n') == 1,
                 qPrintable(errors));
    }
};

QTEST_GUILESS_MAIN(StartUpEndToEnd)
#include "tst_e2e_startup.moc"
