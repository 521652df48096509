// The letter explorer: its table of letters and media names, and the window driven through its handlers.
#include "abc/frmABC.h"
#include "abc/lettertable.h"
#include "forms/screen.h"
#include "media/global.h"
#include "media/mediafolder.h"
#include "testsupport.h"

#include <optional>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using testsupport::SoundLog;

namespace {
// Inside the smallest picture; and inside the empty layout only, far from where a picture would be.
constexpr QPoint InsidePicture(40, 40);
constexpr QPoint FarCornerOfEmptyLayout(200, 200);

QStringList bigLetters(const frmABC& form) {
    QStringList captions;
    for (int i = 0; i < form.Label1.count(); ++i)
        captions.append(form.Label1(i)->caption());
    return captions;
}

qint64 pictureKey(const frmABC& form) {
    return form.Image1->picture().natural().cacheKey();
}

// The pointer when the window is hidden, which is when unloading it shows on the screen.
class PointerAtHide : public QObject {
public:
    explicit PointerAtHide(QWidget* window) { window->installEventFilter(this); }
    std::optional<Screen::MousePointer> pointer;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            pointer = Screen::mousePointer();
        return false;
    }
};
} // namespace

class LetterExplorerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }

    void cleanup() {
        Forms::destroyAll();
        Screen::setMousePointer(Screen::MousePointer::Default);
    }

    void table_data() {
        // The letter, picture, caption, word sound, letter sound and big-letter sound of each row.
        QTest::addColumn<QStringList>("values");
        const auto row = [](const char* l, const char* p, const char* c, const char* w, const char* s,
                            const char* b) { QTest::newRow(l) << QStringList{l, p, c, w, s, b}; };
        row("A", "apple.gif", "  Apple     ", "\\apple.wav", "\\a.wav", "\\a.wav");
        row("B", "ball2.gif", " Ball   ", "\\ball.wav", "\\b.wav", "\\b.wav");
        row("C", "cat.gif", "  Cat   ", "\\cat.wav", "\\c.wav", "\\c.wav");
        row("D", "dog.jpg", "  Dog   ", "\\dog.wav", "\\d.wav", "\\d.wav");
        row("E", "elephant.jpg", "Elephant", "\\elephant.wav", "\\e.wav", "\\e.wav");
        row("F", "frog2.gif", "Frog", "\\frog.wav", "\\f.wav", "\\f.wav");
        row("G", "giraffe.gif", "Giraffe", "\\giraffe.wav", "\\g.wav", "\\g.wav");
        row("H", "horse2.gif", "Horse", "\\horse.wav", "\\h.wav", "\\h.wav");
        row("I", "icecream.jpg", " Ice Cream", "\\icecream.wav", "\\i.wav", "\\i.wav");
        row("J", "jellybeans2.jpg", "Jelly Beans", "\\jellybean.wav", "\\j.wav", "\\j.wav");
        row("K", "kite2.jpg", " Kite", "\\Kite.wav", "\\k.wav", "\\k.wav");
        row("L", "lion.jpg", "Lion", "\\lion.wav", "\\l.wav", "\\l.wav");
        row("M", "mouse2.gif", "Mouse", "\\mouse.wav", "\\m.wav", "\\m.wav");
        row("N", "nose.gif", " Nose", "\\Nose.wav", "\\n.wav", "\\n.wav");
        row("O", "octopus.gif", "Octopus", "\\Octopus.wav", "\\o.wav", "\\o.wav");
        row("P", "penguin.gif", "Penguin", "\\Penguin.wav", "\\p.wav", "\\p.wav");
        row("Q", "queen2.gif", "Queen", "\\queen.wav", "\\q.wav", "\\q.wav");
        row("R", "rabbit.gif", "Rabbit", "\\Rabbit.wav", "\\r.wav", "\\r.wav");
        row("S", "snake.gif", "Snake", "\\Snake.wav", "\\s.wav", "\\s.wav");
        row("T", "turtle.gif", "Turtle", "\\Turtle.wav", "\\t.wav", "\\t.wav");
        row("U", "umbrella.gif", "Umbrella", "\\Umbrella.wav", "\\u.wav", "\\u.wav");
        row("V", "vase.gif", "Vase", "\\Vase.wav", "\\v.wav", "\\v.wav");
        row("W", "water.gif", "Water", "\\Water.wav", "\\w.wav", "\\w.wav");
        row("X", "X-Ray.gif", "X-Ray", "\\X-ray.wav", "\\x.wav", "\\X.wav");
        row("Y", "Yak.gif", "Yak", "\\Yak.wav", "\\y.wav", "\\Y.wav");
        row("Z", "Zebra.gif", "Zebra", "\\zebra.wav", "\\z.wav", "\\Z.wav");
    }

    void table() {
        QFETCH(QStringList, values);
        const abc::LetterRow* row = abc::findByLetter(values[0]);
        QCOMPARE(row, &abc::LetterTable.at(std::size_t(values[0].front().unicode() - 'A')));
        QCOMPARE(abc::findByLetter(values[0].toLower()), row);
        QCOMPARE(abc::findByPicture(values[1]), row);
        QCOMPARE(QStringList({QString(QLatin1Char(row->letter)), row->picture, row->caption, row->wordSound,
                              row->letterSound, abc::bigLetterSound(row->picture).name()}),
                 values);
        QCOMPARE(abc::pictureFile(*row).name(), QLatin1Char('\\') + values[1]);
    }

    void selectsNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("asPicture");
        QTest::newRow("two letters") << "Aa" << false;
        QTest::newRow("space first") << " a" << false;
        QTest::newRow("digit") << "1" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("accented") << "\u00E1" << false;
        // Letters of other scripts whose case mapping lands on A to Z.
        QTest::newRow("dotless i") << "\u0131" << false;
        QTest::newRow("Kelvin sign") << "\u212A" << false;
        QTest::newRow("picture, other case") << "Apple.gif" << true;
        QTest::newRow("picture, small x-ray") << "x-ray.gif" << true;
        QTest::newRow("picture, with separator") << "\\apple.gif" << true;
    }

    void selectsNothing() {
        QFETCH(QString, text);
        QFETCH(bool, asPicture);
        QCOMPARE(asPicture ? abc::findByPicture(text) : abc::findByLetter(text), nullptr);
    }

    void everyMediaNameIsFound() {
        const QList<MediaFile> files = abc::mediaFiles();
        // 26 pictures, 26 word sounds, 26 letter sounds and the capital X, Y and Z of the big letters.
        QCOMPARE(files.size(), 81);
        QVERIFY(!files.contains(MediaFile(QStringLiteral("\\.wav"))));
        for (const MediaFile& file : files)
            QVERIFY2(!MediaFolder::resolve(file).isEmpty(), qPrintable(file.name()));
    }

    void windowAsDesigned() {
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        auto& abc = Forms::get<frmABC>();
        abc.load();
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
        QCOMPARE(abc.window()->windowTitle(), QStringLiteral("Wordpot"));
        QCOMPARE(abc.clientSize(), QSize(646, 496));
        QCOMPARE(abc.window()->minimumSize(), abc.window()->maximumSize());
        QCOMPARE(abc.Timer1->interval(), 300);
        QCOMPARE(abc.Timer2->interval(), 1000);
        QVERIFY(abc.Timer1->isEnabled() && abc.Timer2->isEnabled());
        QCOMPARE(abc.lblabc.count(), 26);
        const QImage client = abc.client()->grab().toImage();
        for (int i = 0; i < abc.lblabc.count(); ++i) {
            QCOMPARE(abc.lblabc(i)->caption(), QString(QChar('A' + i)));
            QCOMPARE(client.pixelColor(abc.lblabc(i)->x() + 1, 30), QColor(Qt::magenta));
        }
        // Each corner: a light-blue pair under the picture, its red copy over both.
        const QObjectList order = abc.client()->children();
        QCOMPARE(abc.Label1.count(), 8);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(abc.Label1(i)->foreColor(), QColor(0x80, 0x80, 0xFF));
            QCOMPARE(abc.Label1(i + 4)->foreColor(), QColor(Qt::red));
            QVERIFY(abc.Label1(i)->isTransparent() && abc.Label1(i + 4)->isTransparent());
            QVERIFY(order.indexOf(abc.Label1(i)) < order.indexOf(abc.Image1));
            QVERIFY(order.indexOf(abc.Image1) < order.indexOf(abc.Label1(i + 4)));
        }
        QVERIFY(abc.Label2->isTransparent());
    }

    // Every word fits under the picture; words of two parts wrap between them.
    void captionsShowInFull_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("lines");
        for (const abc::LetterRow& row : abc::LetterTable) {
            const bool twoWords = QString(row.caption).trimmed().contains(QLatin1Char(' '));
            QTest::newRow(row.picture.data()) << QString(row.caption) << (twoWords ? 2 : 1);
        }
    }

    void captionsShowInFull() {
        QFETCH(QString, caption);
        QFETCH(int, lines);
        auto& abc = Forms::get<frmABC>();
        abc.load();
        const QFontMetrics metrics(abc.Label2->font());
        const QRect label = abc.Label2->rect();
        const QRect text =
            metrics.boundingRect(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
        QVERIFY2(label.contains(text),
                 qPrintable(QStringLiteral("needs %1 x %2").arg(text.width()).arg(text.height())));
        QCOMPARE(qRound(double(text.height() + metrics.leading()) / metrics.lineSpacing()), lines);
    }

    // Each row plays a few steps on a freshly loaded window, then compares the box, the word under the
    // picture, the big letters, how often a picture was loaded and the sounds asked for (all without
    // waiting). Steps: type:TEXT, tile:LETTER, empty (Timer1), arm (Timer2), picture (a click inside any
    // picture), far (a click inside the empty layout only), big:N (Label1(N)), reopen.
    void handlers_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("pair");
        QTest::addColumn<int>("loads");
        QTest::addColumn<QString>("sounds");
        const auto row = [](const char* name, const char* steps, const char* box, const char* word,
                            const char* pair, int loads, const char* sounds) {
            QTest::newRow(name) << steps << box << word << pair << loads << sounds;
        };
        row("m", "type:m", "m", "", "Mm", 1, "m");
        row("M", "type:M", "M", "", "Mm", 1, "m");
        row("a second key before the emptying", "type:ab", "a", "", "Aa", 1, "a");
        row("b, emptying, B repeats everything", "type:b empty arm picture type:B", "B", "", "Bb", 2,
            "b ball b");
        row("same tile twice within a tick", "tile:C arm picture tile:C", "C", "  Cat   ", "Cc", 1, "c cat");
        row("same tile after the emptying", "tile:C arm picture empty tile:C", "C", "", "Cc", 2, "c cat c");
        row("no click before the first tick", "tile:A empty picture", "", "", "Aa", 1, "a");
        row("one click per tick", "tile:A empty arm picture picture arm arm picture picture", "",
            "  Apple     ", "Aa", 1, "a apple apple");
        row("emptying an empty box keeps the word", "tile:T empty arm picture empty empty", "", "Turtle",
            "Tt", 1, "t Turtle");
        row("click while the letter stands", "arm tile:D picture empty", "", "", "Dd", 1, "d dog");
        row("click before any letter uses the arming", "arm far tile:E empty picture", "", "", "Ee", 1, "e");
        row("digit while M shows", "type:m empty arm picture type:5 empty big:2", "", "", "Mm", 1,
            "m mouse m");
        row("big letter before any letter", "big:0", "", "", "", 0, ".");
        row("big letter after K", "type:K empty arm picture big:1", "", " Kite", "Kk", 1, "k Kite k");
        row("big letter after x", "type:x empty arm picture big:5", "", "X-Ray", "Xx", 1, "x X-ray X");
        row("big letter after y", "type:y big:6", "y", "", "Yy", 1, "y Y");
        row("big letter after Z", "type:Z big:7", "Z", "", "Zz", 1, "z Z");
        row("reopening after Z", "type:z empty arm reopen far big:0", "", "Zebra", "", 1, "z zebra Z");
    }

    void handlers() {
        QFETCH(QString, steps);
        QFETCH(QString, box);
        QFETCH(QString, word);
        QFETCH(QString, pair);
        QFETCH(int, loads);
        QFETCH(QString, sounds);
        auto& abc = Forms::get<frmABC>();
        SoundLog log;
        abc.load();
        int loaded = 0;
        qint64 shown = pictureKey(abc);
        for (const QString& step : steps.split(' '_L1)) {
            const QString arg = step.section(u':', 1);
            if (step.startsWith("type:"_L1))
                QTest::keyClicks(abc.Text1, arg);
            else if (step.startsWith("tile:"_L1))
                QTest::mouseClick(abc.lblabc(arg.front().unicode() - 'A'), Qt::LeftButton);
            else if (step == "empty"_L1)
                abc.Timer1_Timer();
            else if (step == "arm"_L1)
                abc.Timer2_Timer();
            else if (step == "picture"_L1 || step == "far"_L1)
                QTest::mouseClick(abc.Image1, Qt::LeftButton, {},
                                  step == "far"_L1 ? FarCornerOfEmptyLayout : InsidePicture);
            else if (step.startsWith("big:"_L1))
                QTest::mouseClick(abc.Label1(arg.toInt()), Qt::LeftButton);
            else if (step == "reopen"_L1) {
                abc.unload();
                testsupport::settle();
                abc.load();
            } else
                QFAIL(qPrintable(step));
            if (pictureKey(abc) != shown && !abc.Image1->picture().isNull())
                ++loaded;
            shown = pictureKey(abc);
        }
        QCOMPARE(abc.Text1->text(), box);
        QCOMPARE(abc.Label2->caption(), word);
        QCOMPARE(bigLetters(abc), QStringList(8, pair));
        QCOMPARE(loaded, loads);
        QList<SoundLog::Call> expected;
        for (const QString& name : sounds.split(' '_L1))
            expected.append({'\\'_L1 + (name == "."_L1 ? QString() : name) + ".wav"_L1, false});
        QCOMPARE(log.calls, expected);
    }

    void stopSignClosesUnderTheHourglass() {
        auto& abc = Forms::get<frmABC>();
        std::optional<Screen::MousePointer> whileClosing;
        testsupport::whenShown(abc, [&] {
            PointerAtHide watch(abc.window());
            QTest::mouseClick(abc.Image2, Qt::LeftButton);
            whileClosing = watch.pointer;
        });
        abc.showModal();
        QCOMPARE(whileClosing, Screen::MousePointer::Hourglass);
        QVERIFY(!abc.isLoaded());
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
        QVERIFY(!abc.Timer1 || !abc.Timer1->isEnabled());
        QVERIFY(!abc.Timer2 || !abc.Timer2->isEnabled());
    }

    // The timers, keys and clicks wired together on the real clock; the box keeps the focus throughout.
    void realTimersAndFocus() {
        QElapsedTimer clock;
        clock.start();
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.show();
        QVERIFY(QTest::qWaitForWindowActive(abc.window()));
        QTest::keyClick(abc.window()->windowHandle(), 'g');
        QCOMPARE(bigLetters(abc), QStringList(8, "Gg"));
        QCOMPARE(abc.Image1->geometry(), QRect(QPoint(208, 128), abc.Image1->picture().natural().size()));
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, InsidePicture);
        const bool beforeFirstTick = clock.elapsed() < 900;
        QTest::mouseClick(abc.Label1(7), Qt::LeftButton);
        QTest::mouseClick(abc.Label2, Qt::LeftButton);
        QTest::keyClick(abc.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), abc.Text1.data());
        QTRY_VERIFY_WITH_TIMEOUT(abc.Text1->text().isEmpty(), 1000);
        if (beforeFirstTick)
            QCOMPARE(sounds.names(), QStringList({"\\g.wav", "\\g.wav"}));
        QTRY_VERIFY_WITH_TIMEOUT(abc.PictureClickArmed, 2000);
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, InsidePicture);
        QCOMPARE(abc.Label2->caption(), QStringLiteral("Giraffe"));
        QCOMPARE(sounds.names().last(), QStringLiteral("\\giraffe.wav"));
        QTest::mouseClick(abc.lblabc(3), Qt::LeftButton);
        QCOMPARE(abc.Text1->text(), QStringLiteral("D"));
        QCOMPARE(QApplication::focusWidget(), abc.Text1.data());
        abc.unload();
    }
};

QTEST_MAIN(LetterExplorerTest)
#include "tst_abc.moc"
