// The spelling game: the word list against the board, the draw, and the window played through its handlers
// and keys: what it shows and says, and in what order.
#include "app/frmMain.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/screen.h"
#include "testsupport.h"
#include "wordpot/frmWordpot.h"

#include <QApplication>
#include <QClipboard>
#include <QSet>
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

private:
    QTimer m_closer;
    QStringList m_feedback;
};

QTEST_MAIN(WordpotTest)
#include "tst_wordpot.moc"
