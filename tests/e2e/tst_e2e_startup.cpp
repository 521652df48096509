// The start-up check of the media folder, on copies of the program with a broken media folder beside them:
// a missing picture stops the start with one message and status 1, a missing sound only warns, and a
// picture that cannot be read during play gives a warning and no crash.
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
    QFile::setPermissions(to.filePath(QStringLiteral("wordpot")),
                          QFile::permissions(from.filePath(QStringLiteral("wordpot"))));
    damage(to);
    return to.filePath(QStringLiteral("wordpot"));
}
} // namespace

class StartUpEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void aMissingPictureStopsTheStartWithOneMessage() {
        QTemporaryDir dir;
        const QString program = copyOfTheProgram(dir, [](const QDir& media) {
            QVERIFY(QFile::remove(media.filePath(QStringLiteral("circle.gif"))));
            QVERIFY(QFile::remove(media.filePath(QStringLiteral("zebra.gif"))));
        });
        QVERIFY(!program.isEmpty());
        Desktop desktop;
        Program run(desktop, program);
        const auto message = desktop.waitForWindow(QStringLiteral("Wordpot"), 10000);
        QVERIFY2(message.has_value(), qPrintable(desktop.windowTree() + run.describe()));
        // Painted: its text is dark on the dialog's light grey.
        const QRect box = desktop.geometry(*message);
        QVERIFY(waitUntil([&] { return countNear(desktop.screenshot(), box, Qt::black, 60) > 100; }));
        desktop.keepScreenshot(QStringLiteral("missing-picture"));
        QVERIFY(!desktop.hasWindow(QStringLiteral("Welcome to Wordpot")));
        // The child's parent reads it and presses Enter.
        desktop.key(*message, QStringLiteral("Return"));
        QVERIFY(run.waitForExit(3000));
        QCOMPARE(run.exitCode(), 1);
        const QString errors = run.standardError();
        QVERIFY2(errors.contains(QLatin1String("circle.gif")) &&
                     errors.contains(QLatin1String("Zebra.gif")) && errors.contains(dir.path()),
                 qPrintable(errors));
    }

    void aMissingSoundOnlyWarns() {
        QTemporaryDir dir;
        const QString program = copyOfTheProgram(dir, [](const QDir& media) {
            QVERIFY(QFile::remove(media.filePath(QStringLiteral("bye.wav"))));
        });
        Desktop desktop;
        Program run(desktop, program);
        const auto main = desktop.waitForMainMenu();
        QVERIFY2(main.has_value(), qPrintable(desktop.windowTree() + run.describe()));
        QVERIFY2(run.standardError().contains(QLatin1String("bye.wav")), qPrintable(run.standardError()));
        desktop.closeWindow(*main);
        QVERIFY(run.waitForExit(3000));
        QCOMPARE(run.exitCode(), 0);
    }

    void anUnreadablePictureDuringPlayOnlyWarns() {
        QTemporaryDir dir;
        const QString program = copyOfTheProgram(dir, [](const QDir& media) {
            QFile apple(media.filePath(QStringLiteral("apple.gif")));
            QVERIFY(apple.open(QIODevice::WriteOnly | QIODevice::Truncate));
            apple.write("this is not a picture");
        });
        Desktop desktop;
        Program run(desktop, program);
        const auto main = desktop.waitForMainMenu();
        QVERIFY(main.has_value());
        desktop.click(desktop.mainMenuClient(*main) + ABCButton);
        const auto explorer = desktop.waitForWindow(QStringLiteral("Wordpot"), 5000);
        QVERIFY(explorer.has_value());
        const QPoint client = desktop.geometry(*explorer).topLeft();
        const auto typed = [&] {
            return countNear(desktop.screenshot(), InputBox.translated(client), Qt::black, 60);
        };
        desktop.key(*explorer, QStringLiteral("a"));
        QVERIFY2(waitUntil([&] { return run.standardError().contains(QLatin1String("apple.gif")); }),
                 qPrintable(run.standardError()));
        desktop.keepScreenshot(QStringLiteral("unreadable-picture"));
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
};

QTEST_GUILESS_MAIN(StartUpEndToEnd)
#include "tst_e2e_startup.moc"
