// The letter explorer: its table of letters and media names, and the window driven through its handlers.
#include "abc/frmABC.h"
#include "abc/lettertable.h"
#include "forms/screen.h"
#include "testsupport.h"
#include "words/chosen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Pointer = Screen::MousePointer;

class LetterExplorerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() {
        Forms::destroyAll();
        Screen::setMousePointer(Pointer::Default);
    }

    // Each row is one word that begins with its letter, in its picture, caption and word sound, and its
    // letter sound says the letter; the letter typed, or the name of the picture, finds it; the start-up
    // check looks for every file it can ask for. The word fits under the picture, on two lines if it has
    // two parts.
    void everyRowIsOneWordOfItsLetter() {
        auto& abc = Forms::get<frmABC>();
        abc.load();
        const QFontMetrics metrics(abc.Label2->font());
        const QList<MediaFile> checked = abc::mediaFiles();
        for (const abc::LetterRow& row : abc::LetterTable) {
            const QString letter = QString(QLatin1Char(row.letter)).toLower(), caption = row.caption;
            const QString word = QString(row.wordSound).mid(1).chopped(4).toLower(); // "jellybean", "x-ray"
            QVERIFY2(word.startsWith(letter) && QString(caption).remove(u' ').toLower().startsWith(word) &&
                         QString(row.picture).toLower().startsWith(word) &&
                         QString(row.letterSound) == u"\\%1.wav"_s.arg(letter),
                     row.picture.data());
            QVERIFY(abc::findByLetter(letter) == &row && abc::findByLetter(letter.toUpper()) == &row &&
                    abc::findByPicture(row.picture) == &row);
            for (const MediaFile& file : {abc::pictureFile(row), abc::wordSound(row), abc::letterSound(row),
                                          abc::bigLetterSound(row.picture)})
                QVERIFY2(checked.contains(file), qPrintable(file.name()));
            const QRect text =
                metrics.boundingRect(abc.Label2->rect(), Qt::AlignHCenter | Qt::TextWordWrap, caption);
            QVERIFY(abc.Label2->rect().contains(text) &&
                    qRound(double(text.height() + metrics.leading()) / metrics.lineSpacing()) ==
                        (caption.trimmed().contains(u' ') ? 2 : 1));
        }
        // Only one letter of A to Z selects a row, not a letter of another script whose case mapping lands
        // there (a dotless i, a Kelvin sign); a picture name must match exactly.
        for (const QString& text : {u""_s, u"Aa"_s, u" a"_s, u"1"_s, u"\u00E1"_s, u"\u0131"_s, u"\u212A"_s})
            QCOMPARE(abc::findByLetter(text), nullptr);
        for (const QString& name : {u"Apple.gif"_s, u"x-ray.gif"_s, u"\\apple.gif"_s})
            QCOMPARE(abc::findByPicture(name), nullptr);
    }

    // Each row plays the steps of its name on a freshly opened window whose timers tick only when a step
    // says so, then shows: the box | the word under the picture | the big letters | how many times a
    // picture was read | the sounds asked for. The box keeps the focus throughout. Steps: type:TEXT, empty
    // (Timer1), arm (Timer2), reopen, and clicks: tile:LETTER, big:N (Label1(N)), picture (inside any
    // picture), far (inside the picture's empty layout only).
    void handlers_data() {
        QTest::addColumn<QString>("after");
        const auto row = [](const char* steps, const char* after) { QTest::newRow(steps) << QString(after); };
        row("type:m", "m||Mm|1|m");
        row("type:M", "M||Mm|1|m");
        row("type:ab", "a||Aa|1|a"); // a second key before the emptying
        row("type:b empty arm picture type:B", "B||Bb|2|b ball b");
        row("tile:C arm picture tile:C", "C|  Cat   |Cc|1|c cat"); // the same tile within a tick
        row("tile:C arm picture empty tile:C", "C||Cc|2|c cat c");
        row("tile:A empty picture", "||Aa|1|a"); // no click before the first arming
        row("tile:A empty arm picture picture arm arm picture picture", "|  Apple     |Aa|1|a apple apple");
        row("tile:T empty arm picture empty empty", "|Turtle|Tt|1|t Turtle");
        row("arm tile:D picture empty", "||Dd|1|d dog"); // a click while the letter stands
        row("arm far tile:E empty picture", "||Ee|1|e"); // a click before any letter spends the arming
        row("tile:J arm picture", "J|Jelly Beans|Jj|1|j jellybean");
        row("type:m empty arm picture type:5 empty big:2", "||Mm|1|m mouse m");
        row("big:0", "|||0|.");
        row("type:K empty arm picture big:1", "| Kite|Kk|1|k Kite k");
        row("type:x empty arm picture big:5", "|X-Ray|Xx|1|x X-ray X");
        row("type:y big:6", "y||Yy|1|y Y");
        row("type:Z big:7", "Z||Zz|1|z Z");
        row("type:z empty arm reopen far big:0", "|Zebra||1|z zebra Z");
    }
    void handlers() {
        QFETCH(QString, after);
        auto& abc = Forms::get<frmABC>();
        testsupport::SoundLog log([](const auto& call) { QVERIFY(!call.wait); });
        const auto open = [&abc] {
            abc.show();
            abc.Timer1->setEnabled(false);
            abc.Timer2->setEnabled(false);
            return QTest::qWaitForWindowActive(abc.window());
        };
        QVERIFY(open());
        int reads = 0;
        qint64 shown = abc.Image1->picture().natural().cacheKey();
        for (const QString& step : QString::fromLatin1(QTest::currentDataTag()).split(u' ')) {
            const QString arg = step.section(u':', 1);
            if (step.startsWith("type:"_L1)) {
                for (const QChar c : arg)
                    QTest::keyClick(abc.window()->windowHandle(), c.toLatin1());
            } else if (step == "empty"_L1 || step == "arm"_L1) {
                emit(step == "empty"_L1 ? abc.Timer1 : abc.Timer2)->timer();
            } else if (step == "reopen"_L1) {
                abc.unload();
                testsupport::settle();
                QVERIFY(open());
            } else if (step == "picture"_L1 ||
                       step == "far"_L1) { // inside the smallest picture, or far from it
                QTest::mouseClick(abc.Image1, Qt::LeftButton, {},
                                  step == "far"_L1 ? QPoint(200, 200) : QPoint(40, 40));
            } else {
                for (int i = 0; i < abc.lblabc.count(); ++i) // the tile that reads the letter
                    if (abc.lblabc(i)->caption() == arg)
                        QTest::mouseClick(abc.lblabc(i), Qt::LeftButton);
                if (step.startsWith("big:"_L1))
                    QTest::mouseClick(abc.Label1(arg.toInt()), Qt::LeftButton);
            }
            reads += abc.Image1->picture().natural().cacheKey() != shown && !abc.Image1->picture().isNull();
            shown = abc.Image1->picture().natural().cacheKey();
        }
        QTest::keyClick(abc.window()->windowHandle(), Qt::Key_Tab);
        QStringList pairs;
        for (int i = 0; i < 8; ++i)
            pairs << abc.Label1(i)->caption();
        const QString sounds =
            log.names().join(u' ').replace(u"\\.wav"_s, u"."_s).remove(u".wav"_s).remove(u'\\');
        QCOMPARE(
            QStringList({abc.Text1->text(), abc.Label2->caption(), pairs[0], QString::number(reads), sounds})
                .join(u'|'),
            after);
        QVERIFY(pairs == QStringList(8, pairs[0]) && QApplication::focusWidget() == abc.Text1.data());
    }

    // With a chosen list the tiles are its language's letters, in one row across the window (narrower for
    // more than 26). A letter shows the picture of its first word in the language's order that has one,
    // and the picture's click its word; a letter with none stands alone. Letters are named by the
    // recordings in English, by the speech service in another language; a word by its recording or the
    // service. Steps: type:TEXT, tile:N, picture (armed first), big.
    void aChosenList_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("steps");
        // The tiles, the right edge and width of the last, the word, the big letters, the picture, the
        // sounds.
        QTest::addColumn<QString>("after");
        const QStringList english{u"cow||jpg|"_s, u"cat||png|wav"_s, u"ant|||"_s};
        QTest::newRow("English word recorded") << u"en"_s << english << u"type:c picture big"_s
                                               << u"26 633 25 cat Cc shown \\c.wav cat.wav \\c.wav"_s;
        QTest::newRow("English letter alone")
            << u"en"_s << english << u"type:a picture"_s << u"26 633 25 Aa empty \\a.wav"_s;
        QTest::newRow("German") << u"de"_s << QStringList{u"Äpfel||png|"_s, u"Apfel||png|"_s}
                                << u"type:ä picture tile:0"_s
                                << u"30 633 22 Aa shown say de Ä say de Äpfel say de A"_s;
    }
    void aChosenList() {
        QFETCH(QString, language);
        QFETCH(QStringList, entries);
        QTemporaryDir folder;
        QStringList written;
        for (const QString& entry : entries) {
            QStringList parts = entry.split(u'|');
            const QString name = parts[0];
            if (!parts[2].isEmpty())
                parts[2] = testsupport::writePicture(folder.path(), name, parts[2]);
            if (parts[3] == u"wav") {
                QFile(folder.filePath(name + u".wav"_s)).open(QIODevice::WriteOnly);
                parts[3] = name + u".wav"_s;
            }
            written << parts.join(u'|');
        }
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        words::choose(
            {language, {testsupport::writeWordList(folder.filePath(u"list.kvtml"_s), language, written)}});
        const auto restore = qScopeGuard([] { words::choose({}); });
        testsupport::SoundLog log;
        auto& abc = Forms::get<frmABC>();
        abc.show();
        abc.Timer1->setEnabled(false);
        abc.Timer2->setEnabled(false);
        QVERIFY(QTest::qWaitForWindowActive(abc.window()));
        QFETCH(QString, steps);
        for (const QString& step : steps.split(u' ')) {
            if (step.startsWith("type:"_L1))
                QTest::sendKeyEvent(QTest::Click, abc.window()->windowHandle(), Qt::Key_unknown, step.mid(5),
                                    {});
            else if (step.startsWith("tile:"_L1))
                QTest::mouseClick(abc.lblabc(step.mid(5).toInt()), Qt::LeftButton);
            else if (step == "big"_L1)
                QTest::mouseClick(abc.Label1(0), Qt::LeftButton);
            else if (step == "picture"_L1) {
                emit abc.Timer2->timer();
                QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, QPoint(10, 10));
            }
        }
        const forms::Label& last = *abc.lblabc(abc.lblabc.count() - 1);
        QStringList after{QString::number(abc.lblabc.count()), QString::number(last.x() + last.width()),
                          QString::number(last.width())};
        if (!abc.Label2->caption().isEmpty())
            after << abc.Label2->caption();
        after << abc.Label1(0)->caption() << (abc.Image1->picture().isNull() ? u"empty"_s : u"shown"_s);
        for (QString name : log.names())
            after << name.remove(QDir::fromNativeSeparators(folder.path()) + u'/');
        QTEST(after.join(u' '), "after");
    }

    // On the real clock the box is emptied 300 ms after the window opens and the picture armed after a
    // second. The picture shows at its own size, a light-blue pair of big letters under it in each corner
    // and their red copies over it. The stop sign closes the window under the hourglass.
    void realTimersAndTheStopSign() {
        auto& abc = Forms::get<frmABC>();
        testsupport::SoundLog sounds;
        Screen::setMousePointer(Pointer::Hourglass);
        QElapsedTimer clock;
        clock.start();
        abc.load();
        QCOMPARE(Screen::mousePointer(), Pointer::Default);
        QTest::keyClicks(abc.Text1, u"g"_s);
        qint64 emptied = 0;
        connect(abc.Text1, &forms::TextBox::change, this, [&] { emptied = clock.elapsed(); });
        QTRY_VERIFY_WITH_TIMEOUT(abc.PictureClickArmed, 3000);
        const qint64 armed = clock.elapsed();
        QVERIFY2(emptied >= 300 && emptied < 900 && armed >= 1000 && armed < 2500,
                 qPrintable(u"%1 %2"_s.arg(emptied).arg(armed)));
        QCOMPARE(abc.Image1->size(), abc.Image1->picture().natural().size());
        const QObjectList order = abc.client()->children();
        for (int i = 0; i < 4; ++i)
            QVERIFY(order.indexOf(abc.Label1(i)) < order.indexOf(abc.Image1) &&
                    order.indexOf(abc.Image1) < order.indexOf(abc.Label1(i + 4)));
        Pointer whileClosing = Pointer::Default;
        connect(&abc, &Form::unloaded, this, [&] { whileClosing = Screen::mousePointer(); });
        QTest::mouseClick(abc.Image2, Qt::LeftButton);
        QVERIFY(!abc.isLoaded() && whileClosing == Pointer::Hourglass &&
                Screen::mousePointer() == Pointer::Default);
        QVERIFY(!abc.Timer1->isEnabled() && !abc.Timer2->isEnabled());
    }
};

QTEST_MAIN(LetterExplorerTest)
#include "tst_abc.moc"
