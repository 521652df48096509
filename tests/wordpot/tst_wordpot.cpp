// The spelling game: the word list against the board, the draw, and the window played through its handlers
// and keys: what it shows and says, and in what order.
#include "app/frmMain.h"
#include "artwork/lettertile.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/fonts.h"
#include "forms/screen.h"
#include "testsupport.h"
#include "wordpot/frmWordpot.h"
#include "wordpot/listgame.h"
#include "words/chosen.h"

#include <QApplication>
#include <QClipboard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace wordpot;
using namespace Qt::StringLiterals;
using testsupport::SoundLog;

namespace {
constexpr int Cat = 3, Ant = 12;

// The game, drawing these words in turn and then clock-seeded ones.
frmWordpot& gameWith(QList<int> words, bool show = true) {
    auto& game = Forms::get<frmWordpot>();
    game.setRandomSource([words]() mutable {
        return words.isEmpty() ? ClockSeededRandom()() : (words.takeFirst() + 0.5) / DrawRange;
    });
    if (show)
        game.show();
    return game;
}

// The control shows this picture at its own size.
bool shows(const forms::Image* image, const QString& name) {
    const QImage shown = image->shownPixmap().toImage();
    return !shown.isNull() && shown == forms::LoadPicture(pictureFile(name)).natural().toImage();
}

// The answer, "guess" while GUESS is on, the hint, and "timing" while the hint's timer runs.
QString state(const frmWordpot& game) {
    return game.txtWord->text() + (game.cmdGuess->isEnabled() ? " guess" : "") + " hint " +
           game.Label2->caption() + (game.Timer1->isEnabled() ? " timing" : "");
}

// Clicks a board letter, "<" erase, "?" the picture or "=" GUESS, or "." ticks the hint's timer; returns
// what the game shows then.
QString play(frmWordpot& game, const QString& script) {
    for (const QChar c : script)
        c == u'<'   ? game.cmdErase_Click()
        : c == u'?' ? game.Image1_Click()
        : c == u'=' ? game.cmdGuess_Click()
        : c == u'.' ? game.Timer1_Timer()
                    : game.img_Letters_Click(slotOf(c));
    return state(game);
}

// Chooses a word list of these words ("text|hint|picture|sound", the picture a kind testsupport::writePicture
// knows and the sound "wav" for a recording) until the guard goes.
auto chooseList(const QTemporaryDir& folder, const QString& language, const QStringList& entries) {
    QStringList written;
    QDir().mkpath(folder.filePath(u"media"_s));
    for (const QString& entry : entries) {
        QStringList fields = entry.split(u'|');
        const QString name = fields[0].toLower();
        if (!fields.value(2).isEmpty())
            fields[2] = testsupport::writePicture(folder.filePath(u"media"_s), name, fields[2]);
        if (fields.value(3) == u"wav") {
            QFile(folder.filePath(u"media/"_s + name + u".wav"_s)).open(QIODevice::WriteOnly);
            fields[3] = name + u".wav"_s;
        }
        fields[2] = fields.value(2).isEmpty() ? QString() : u"media/"_s + fields[2];
        fields[3] = fields.value(3).isEmpty() ? QString() : u"media/"_s + fields.value(3);
        written << fields.join(u'|');
    }
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    words::choose(
        {language, {testsupport::writeWordList(folder.filePath(u"list.kvtml"_s), language, written)}});
    return qScopeGuard([] { words::choose({}); });
}

// Notes each sound (and whether it was waited for) with what the game shows while it plays.
SoundLog trace(QStringList& seen, const frmWordpot& game) {
    return SoundLog([&](const SoundLog::Call& call) {
        seen << call.name + (call.wait ? " waited " : " ") + state(game);
    });
}
} // namespace

class WordpotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        testsupport::prepare();
        // Closes each feedback window as soon as it shows, noting which one it was and the hint then.
        connect(&m_closer, &QTimer::timeout, this, [this] {
            for (Form* window : QList<Form*>{&Forms::get<frmHappyFace>(), &Forms::get<frmSadface>()}) {
                if (window->window() != nullptr && window->window()->isVisible()) {
                    m_feedback << window->metaObject()->className() + u" hint "_s +
                                      Forms::get<frmWordpot>().Label2->caption();
                    window->unload();
                }
            }
        });
        m_closer.start(1);
    }
    void cleanup() {
        Forms::destroyAll();
        m_feedback.clear();
    }

    // Real data: every word can be spelled from the board, whose letters stand once each, and the start-up
    // check knows the picture and the sound of each. 0 (no word) and the previous word are drawn again.
    void wordListAndDraw() {
        QSet<QChar> used, board;
        QStringList names;
        for (int index = 1; index <= WordCount; ++index)
            for (QChar letter : names.emplace_back(word(index)))
                used.insert(letter);
        for (const BoardSlot& slot : Board)
            board.insert(names.emplace_back(QLatin1Char(slot.letter)).front());
        QVERIFY(board.size() == SlotCount && used == board);
        for (const QString& name : names)
            QVERIFY2(mediaFiles().contains(pictureFile(name)) && mediaFiles().contains(soundFile(name)),
                     qPrintable(name));
        const QList<double> numbers{9.5 / DrawRange, 0.01, 9.5 / DrawRange, 0.0, 0.999999};
        int taken = 0;
        QCOMPARE(drawWordIndex(9, [&] { return numbers.at(taken++); }), 22);
        QCOMPARE(taken, numbers.size());
        QSet<int> seen; // and the real source reaches every word
        for (int draw = 0, last = NoWord; draw < 1000; ++draw) {
            const int index = drawWordIndex(last, ClockSeededRandom());
            QVERIFY(index != last && !word(index).isEmpty());
            seen.insert(last = index);
        }
        QCOMPARE(seen.size(), WordCount);
    }

    // Letters come by click or by the text a key types (any layout), each spoken before it shows; GUESS is
    // on only at the word's length. Ctrl, Alt, a letter not on the board and a held key's repeats spell
    // nothing. The answer box has the focus (so Enter presses no button) but takes no typing or pasting.
    void spelling() {
        frmWordpot& game = gameWith({Cat});
        // The photograph at its own size from the top-left corner, the dividing lines, and the white panel
        // seen through the hint's label.
        const QImage client = game.client()->grab().toImage();
        const QImage photo = forms::builtInPicture(u":/pictures/background.jpg"_s).natural().toImage();
        QVERIFY(client.pixel(3, 3) == photo.pixel(3, 3) && client.pixel(595, 200) == photo.pixel(595, 200));
        QVERIFY(client.pixelColor(600, 300) == Qt::black && client.pixelColor(700, 272) == Qt::black);
        QVERIFY(client.pixelColor(610, 300) == Qt::white && client.pixelColor(690, 250) == Qt::white);
        for (int slot = 0; slot < SlotCount; ++slot)
            QVERIFY(shows(game.img_Letters(slot), QString(QLatin1Char(Board[slot].letter))));
        QVERIFY(shows(game.Image1, u"CAT"_s) && game.window()->focusWidget() == game.txtWord);
        QStringList seen;
        const SoundLog sounds = trace(seen, game);
        QCOMPARE(play(game, u"<CATS"_s), u"CATS hint "_s);
        QCOMPARE(play(game, u"<"_s), u"CAT guess hint "_s);
        QWindow* window = game.window()->windowHandle();
        QTest::keyClick(window, Qt::Key_Backspace);
        QTest::keyClick(window, 'q');
        QTest::keyClick(window, 'c', Qt::ControlModifier);
        QTest::keyClick(window, 'a', Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_W, u"t"_s, {}); // another layout's T
        QTest::keyClick(window, 'z', Qt::ShiftModifier);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Z, {}, u"z"_s, true);
        QCoreApplication::sendEvent(window, &held);
        QTest::keyClicks(game.txtWord, u"cat"_s);
        QApplication::clipboard()->setText(u"CAT"_s);
        QTest::keyClick(game.txtWord, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(seen << state(game), (QStringList{"\\C.wav  hint ", "\\A.wav C hint ", "\\T.wav CA hint ",
                                                   "\\S.wav CAT guess hint ", "\\T.wav CA hint ",
                                                   "\\Z.wav CAT guess hint ", "CATZ hint "}));
    }

    void guessing_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("feedback");
        QTest::newRow("right") << u"CAT"_s << u"frmHappyFace"_s;
        QTest::newRow("right in small letters") << u"cAt"_s << u"frmHappyFace"_s;
        QTest::newRow("first letter wrong") << u"TAC"_s << u"frmSadface"_s;
        QTest::newRow("last letter wrong") << u"CAN"_s << u"frmSadface"_s;
    }
    // After a right answer the next word is drawn: here CAT again, the previous word, so drawn again; ANT.
    void guessing() {
        QFETCH(QString, answer);
        QFETCH(QString, feedback);
        frmWordpot& game = gameWith({Cat, Cat, Ant});
        const SoundLog sounds;
        game.txtWord->setText(answer);
        game.cmdGuess->setEnabled(true);
        const bool right = feedback == u"frmHappyFace"_s;
        QCOMPARE(play(game, u"?="_s), (right ? u""_s : answer + " guess") + " hint  timing");
        QCOMPARE(m_feedback, QStringList{feedback + " hint "});
        QVERIFY(shows(game.Image1, right ? u"ANT"_s : u"CAT"_s));
    }

    // The hint shows the word while it is spoken and until the timer's tick, a letter or GUESS; a click on
    // the picture meanwhile does nothing. A new hint stays its two full seconds.
    void theHint() {
        frmWordpot& game = gameWith({Cat});
        QStringList seen;
        const SoundLog sounds = trace(seen, game);
        QCOMPARE(play(game, u"??."_s), u" hint "_s);
        QCOMPARE(play(game, u"?C=?"_s), u"C hint CAT timing"_s);
        QCOMPARE(seen, (QStringList{"\\CAT.wav waited  hint CAT", "\\CAT.wav waited  hint CAT",
                                    "\\C.wav  hint  timing", "\\CAT.wav waited C hint CAT timing"}));
        QCOMPARE(m_feedback, QStringList{"frmSadface hint "});
        QTest::qWait(1200);
        play(game, u"A?"_s); // the timer still runs from the last hint: its count starts again
        QTest::qWait(1300);  // past that hint's two seconds
        QCOMPARE(state(game), u"CA hint CAT timing"_s);
        QTRY_COMPARE_WITH_TIMEOUT(state(game), u"CA hint "_s, 1500);
    }

    // The menu's hourglass is gone once the game shows, in a window of fixed size; a visit may start with
    // the last visit's word.
    void theMainMenuOpensIt() {
        gameWith({Cat}).Command1_Click();
        testsupport::settle();
        frmWordpot& game = gameWith({Cat}, false);
        QString seen;
        testsupport::whenShown(game, [&] {
            const bool fixed = game.window()->minimumSize() == game.window()->maximumSize();
            const bool arrow = Screen::mousePointer() == Screen::MousePointer::Default;
            seen = game.window()->windowTitle() + (fixed ? " fixed " : " ") + (arrow ? "" : "busy ") +
                   game.CurrentWord;
            game.Command1_Click();
        });
        Forms::get<frmMain>().cmdWordpot_Click();
        QVERIFY(!game.isLoaded());
        QCOMPARE(seen, u"Wordpot fixed CAT"_s);
    }

    // Enter is GUESS once per press, whatever was clicked, unless a parent moved the focus with Tab.
    void enterGuessesUnlessAButtonWasTabbedTo() {
        frmWordpot& game = gameWith({Cat, Ant});
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        const SoundLog sounds;
        QWindow* window = game.window()->windowHandle();
        QTest::keyClick(window, Qt::Key_Return); // GUESS is off
        play(game, u"CAN"_s);
        QTest::mouseClick(game.cmdErase, Qt::LeftButton);
        QCOMPARE(play(game, u"N"_s), u"CAN guess hint "_s);
        QTest::keyPress(window, Qt::Key_Return);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, {}, u"\r"_s, true);
        QCoreApplication::sendEvent(window, &held);
        QTest::keyRelease(window, Qt::Key_Return);
        QCOMPARE(m_feedback, QStringList{"frmSadface hint "});
        QTest::keyClick(window, Qt::Key_Tab); // to erase
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(play(game, u"T"_s), u"CAT guess hint "_s);
        QTest::keyClick(window, Qt::Key_G, Qt::AltModifier);
        play(game, u"ANT"_s);
        QTest::keyClick(window, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_feedback.size(), 3);
    }

    // The rules of a list's game: its board holds each of the word's letters once and others of its
    // alphabet up to 18, shuffled by the game's numbers; the draw never repeats a word unless it is alone.
    void aListsBoardAndDraw() {
        const words::Alphabet german = *words::Alphabet::forLanguage(u"de"_s);
        int count = 0;
        const RandomSource random = [&count] { return std::fmod(++count * 0.618033988749895, 1.0); };
        for (const QString& word : {u"Bär"_s, u"Mississippi"_s, u"Fußball"_s}) {
            QList<int> tiles;
            const auto places = german.positions(word);
            for (const auto& place : *places)
                tiles << place.tile;
            const QStringList board = boardFor(german, tiles, random);
            QCOMPARE(QSet<QString>(board.begin(), board.end()).size(), SlotCount);
            for (const int tile : tiles)
                QVERIFY2(board.contains(german.letters()[tile]), qPrintable(word));
            QVERIFY(board != boardFor(german, tiles, random));
        }
        QCOMPARE(drawListWord(0, 1, [] { return 0.0; }), 0);
        const QList<double> numbers{0.1, 0.1, 0.999999};
        QCOMPARE(drawListWord(0, 3, [&, taken = 0]() mutable { return numbers.at(taken++); }), 2);
    }

    // A chosen list's word with a picture is spelled on a board made for it: the built-in board's letters
    // from the media folder's tiles, other letters drawn in their style. Letters are named by the recordings
    // in English and by the speech service in another language; the hint plays the word's recording or speaks
    // it. A list of one word plays it again after a right answer.
    void aListWordIsSpelled_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QStringList>("sounds");
        QTest::newRow("English, recorded")
            << u"en"_s << u"sun||png|wav"_s << u"sun"_s << u"SUN"_s << u"SUN"_s
            << QStringList{u"\\S.wav"_s, u"\\U.wav"_s, u"\\N.wav"_s, u"media/sun.wav"_s};
        QTest::newRow("German, spoken")
            << u"de"_s << u"Bär||jpg|"_s << u"bär"_s << u"BÄR"_s << u"BÄR"_s
            << QStringList{u"say de B"_s, u"say de Ä"_s, u"say de R"_s, u"say de Bär"_s};
        QTest::newRow("French, marks found by their letter")
            << u"fr"_s << u"été||png|"_s << u"été"_s << u"ETE"_s << u"ÉTÉ"_s
            << QStringList{u"say fr E"_s, u"say fr T"_s, u"say fr E"_s, u"say fr été"_s};
    }
    void aListWordIsSpelled() {
        QFETCH(QString, language);
        QFETCH(QString, entry);
        QFETCH(QString, answer);
        QTemporaryDir folder;
        const auto restore = chooseList(folder, language, {entry});
        const SoundLog unheard; // no speech service is reached
        frmWordpot& game = gameWith({});
        QVERIFY(!game.Image1->picture().isNull());
        QCOMPARE(game.Image1->picture().natural().deviceIndependentSize().toSize(),
                 QSize(40, 30).scaled(185, 217, Qt::KeepAspectRatio));
        for (int slot = 0; slot < SlotCount; ++slot) {
            const QString letter = game.BoardLetters[slot];
            const QImage shown = game.img_Letters(slot)->shownPixmap().toImage();
            const QImage expected =
                letter.size() > 1 || slotOf(letter.front()) < 0
                    ? artwork::letterTile(letter, 1, forms::font(forms::FontFace::Arial, 1, true).family())
                    : forms::LoadPicture(pictureFile(letter)).natural().toImage();
            QVERIFY2(!shown.isNull() && shown == expected.convertToFormat(shown.format()),
                     qPrintable(letter));
        }
        QStringList seen;
        const SoundLog sounds = trace(seen, game);
        QFETCH(QString, keys);
        for (const QChar key : keys)
            QTest::sendKeyEvent(QTest::Click, game.window()->windowHandle(), Qt::Key_unknown, key, {});
        QCOMPARE(state(game), answer + u" guess hint "_s);
        game.Image1_Click();
        QTEST(game.Label2->caption(), "hint");
        QStringList names = sounds.names();
        names.last().remove(QDir::fromNativeSeparators(folder.path()) + u'/');
        QTEST(names, "sounds");
        QCOMPARE(play(game, u"="_s), u" hint  timing"_s);
        QCOMPARE(m_feedback, QStringList{u"frmHappyFace hint "_s});
        QTEST(game.CurrentWord, "hint");
    }

    // What a list's game leaves out, each with a warning: a word with no picture or with a picture that
    // cannot be shown, too long for the answer box, with a letter the language has no tile for, or with a
    // space. The first word would be drawn; the game plays the other. With nothing left, its own words.
    void whatAListLeavesOut_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no picture") << u"dog|||wav"_s << u"none"_s;
        QTest::newRow("picture not found") << u"dog||missing|"_s << u"picture media/dog.png is not found"_s;
        QTest::newRow("empty picture") << u"dog||empty|"_s << u"dog.png is not a picture that can be read"_s;
        QTest::newRow("picture cut short") << u"dog||cut|"_s << u"dog.png cannot be decoded"_s;
        QTest::newRow("empty JPEG") << u"dog||jpg empty|"_s << u"dog.jpg is not a picture that can be read"_s;
        QTest::newRow("JPEG cut short") << u"dog||jpg cut|"_s << u"dog.jpg cannot be decoded"_s;
        QTest::newRow("20000 x 20000 picture")
            << u"dog||huge|"_s << u"is 20000 x 20000 pixels, more than the 50 megapixels"_s;
        QTest::newRow("too long") << u"hippopotamuses||png|"_s << u"none"_s;
        QTest::newRow("a letter of no tile") << u"søster||png|"_s << u"none"_s;
        QTest::newRow("a space") << u"ice cream||png|"_s << u"none"_s;
    }
    void whatAListLeavesOut() {
        QFETCH(QString, entry);
        QFETCH(QString, warning);
        for (const bool alone : {false, true}) {
            QTemporaryDir folder;
            const auto restore =
                chooseList(folder, u"en"_s, alone ? QStringList{entry} : QStringList{entry, u"cat||png|"_s});
            const SoundLog unheard; // no speech service is reached
            if (warning != u"none")
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
            if (alone)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"none with a picture"_s));
            frmWordpot& game = gameWith({Cat});
            QCOMPARE(game.CurrentWord, u"CAT"_s);
            if (alone) // the built-in board
                QCOMPARE(game.BoardLetters[0], u"Z"_s);
            Forms::destroyAll();
        }
    }

private:
    QTimer m_closer;
    QStringList m_feedback;
};

QTEST_MAIN(WordpotTest)
#include "tst_wordpot.moc"
