// The spelling game driven through its handlers and keys. Pictures come from a media folder made here:
// every picture has its own size, so a control's size tells which file it shows.
#include "app/frmMain.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/screen.h"
#include "media/mediafolder.h"
#include "random/random.h"
#include "testsupport.h"
#include "wordpot/frmWordpot.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>

using namespace wordpot;
using namespace Qt::StringLiterals;
using testsupport::SoundLog;

namespace {
constexpr int Cat = 3;
constexpr int Ant = 12;

// Letters take numbers 0 to 17 and words 100 plus their number.
QSize pictureSize(int number) {
    return {30 + number, 40 + number};
}

// The name says GIF; the reader goes by the content.
void writePicture(const QString& path, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkYellow);
    QVERIFY(image.save(path, "PNG"));
}

// The game, drawing these words in turn and then clock-seeded ones.
frmWordpot& gameWith(QList<int> words, bool load = true) {
    auto& game = Forms::get<frmWordpot>();
    game.setRandomSource([remaining = std::make_shared<QList<int>>(std::move(words))] {
        return remaining->isEmpty() ? ClockSeededRandom()() : (remaining->takeFirst() + 0.5) / DrawRange;
    });
    if (load)
        game.load();
    return game;
}

// Clicks the board's letters, or erase for '<'.
void click(frmWordpot& game, const QString& letters) {
    for (QChar letter : letters)
        letter == '<' ? game.cmdErase_Click() : game.img_Letters_Click(slotOf(letter));
}

// Closes whichever feedback window opens next, noting which one it was and the hint at that moment.
struct FeedbackWatch {
    std::shared_ptr<QString> seen = std::make_shared<QString>();
    FeedbackWatch() {
        watch<frmHappyFace>("happy");
        watch<frmSadface>("sad");
    }
    template <class Window> void watch(const char* name) {
        testsupport::whenShown(Forms::get<Window>(), [seen = seen, name] {
            *seen = u"%1, hint '%2'"_s.arg(QLatin1String(name), Forms::get<frmWordpot>().Label2->caption());
            Forms::get<Window>().unload();
        });
    }
};

struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool autoRepeat = false;
};
using Keys = QList<Key>;

void press(QWidget* window, const Key& key) {
    QKeyEvent event(QEvent::KeyPress, key.key, key.modifiers, key.text, key.autoRepeat);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}
} // namespace
Q_DECLARE_METATYPE(Key)

class WordpotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        testsupport::prepare();
        QVERIFY(m_media.isValid());
        for (int slot = 0; slot < SlotCount; ++slot)
            writePicture(m_media.filePath(QString(QLatin1Char(Board[slot].letter)).toLower() + ".gif"),
                         pictureSize(slot));
        for (int index = 1; index <= WordCount; ++index)
            writePicture(m_media.filePath(word(index).toLower() + ".gif"), pictureSize(100 + index));
        MediaFolder::setPathForTesting(m_media.path());
    }
    void cleanup() { Forms::destroyAll(); }

    void windowAsDesigned() {
        frmWordpot& game = gameWith({Cat});
        QCOMPARE(game.window()->windowTitle(), u"Wordpot"_s);
        QCOMPARE(game.clientSize(), QSize(794, 493));
        QCOMPARE(game.window()->minimumSize(), game.window()->maximumSize());
        // The photograph from the top-left corner at its own size, the white panel and the two lines.
        const QImage client = game.client()->grab().toImage();
        const QImage photo = builtInPicture(u":/pictures/background.jpg"_s).natural().toImage();
        QCOMPARE(client.pixelColor(3, 3), photo.pixelColor(3, 3));
        QCOMPARE(client.pixelColor(595, 200), photo.pixelColor(595, 200));
        QCOMPARE(client.pixelColor(610, 300), QColor(Qt::white));
        QCOMPARE(client.pixelColor(600, 300), QColor(Qt::black));
        QCOMPARE(client.pixelColor(700, 272), QColor(Qt::black));
        for (int slot = 0; slot < SlotCount; ++slot) // each its own letter's picture, not stretched
            QCOMPARE(game.img_Letters(slot)->size(), pictureSize(slot));
        QCOMPARE(game.Image1->geometry(), QRect(QPoint(600, 0), pictureSize(100 + Cat)));
        QVERIFY(game.Label2->isTransparent());
        QCOMPARE(game.cmdGuess->text(), u"&GUESS"_s);
        QCOMPARE(game.Timer1->interval(), 2000);
        // A fresh round: nothing spelled, GUESS off, no hint, and the focus on no button.
        QCOMPARE(game.CurrentWord, u"CAT"_s);
        QVERIFY(game.txtWord->text().isEmpty() && game.Label2->caption().isEmpty());
        QVERIFY(!game.cmdGuess->isEnabled() && !game.Timer1->isEnabled());
        QVERIFY(game.window()->focusWidget() == game.txtWord);
    }

    void theMainMenuOpensIt() {
        frmWordpot& game = gameWith({Cat}, false);
        Screen::MousePointer pointer = Screen::MousePointer::Hourglass;
        testsupport::whenShown(game, [&] {
            pointer = Screen::mousePointer();
            game.Command1_Click();
        });
        Forms::get<frmMain>().cmdWordpot_Click();
        QVERIFY(!game.isLoaded());
        QCOMPARE(pointer, Screen::MousePointer::Default);
    }

    void guessing_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("feedback");
        QTest::newRow("right") << u"CAT"_s << u"happy"_s;
        QTest::newRow("right in small letters") << u"cAt"_s << u"happy"_s;
        QTest::newRow("wrong") << u"TAC"_s << u"sad"_s;
    }

    void guessing() {
        QFETCH(QString, answer);
        QFETCH(QString, feedback);
        // After CAT the draw gives CAT again (the previous word, drawn again) and then ANT.
        frmWordpot& game = gameWith({Cat, Cat, Ant});
        const SoundLog sounds;
        game.txtWord->setText(answer);
        game.cmdGuess->setEnabled(true);
        game.Image1_Click();
        const FeedbackWatch watch;
        game.cmdGuess_Click();
        QCOMPARE(*watch.seen, feedback + ", hint ''");
        const bool right = feedback == QLatin1String("happy");
        QCOMPARE(game.CurrentWord, right ? u"ANT"_s : u"CAT"_s);
        QCOMPARE(game.Image1->size(), pictureSize(100 + (right ? Ant : Cat)));
        QCOMPARE(game.txtWord->text(), right ? QString() : answer);
        QCOMPARE(game.cmdGuess->isEnabled(), !right);
    }

    void aNewVisitMayStartWithThePreviousVisitsLastWord() {
        gameWith({Ant}).unload();
        testsupport::settle();
        QCOMPARE(gameWith({Ant}).WordIndex, qint16(Ant));
    }

    void theHint() {
        frmWordpot& game = gameWith({Cat});
        QStringList seenWhileSpoken;
        SoundLog sounds([&](const SoundLog::Call&) {
            seenWhileSpoken << game.Label2->caption() + (game.Timer1->isEnabled() ? " timing" : "");
        });
        game.Image1_Click();
        game.Image1_Click(); // while the hint shows: nothing
        QCOMPARE(sounds.calls, QList<SoundLog::Call>({{"\\CAT.wav", true}}));
        QCOMPARE(seenWhileSpoken, QStringList({"CAT"})); // the timer starts once the word has been spoken
        QVERIFY(game.Timer1->isEnabled());
        const auto emptiedThenShownAgain = [&] {
            QVERIFY(game.Label2->caption().isEmpty());
            sounds.clear();
            game.Image1_Click();
            QCOMPARE(sounds.calls, QList<SoundLog::Call>({{"\\CAT.wav", true}}));
            QCOMPARE(game.Label2->caption(), u"CAT"_s);
        };
        game.Timer1_Timer();
        QVERIFY(!game.Timer1->isEnabled());
        emptiedThenShownAgain();
        game.img_Letters_Click(0);
        emptiedThenShownAgain();
        const FeedbackWatch watch;
        game.cmdGuess_Click();
        emptiedThenShownAgain();
    }

    void aNewHintStaysTwoFullSeconds() {
        frmWordpot& game = gameWith({Cat});
        const SoundLog sounds;
        game.Image1_Click();
        QTest::qWait(1200);
        game.img_Letters_Click(0);
        game.Image1_Click(); // the timer still runs from the first hint: its count starts again
        QTest::qWait(1300);  // past the first hint's two seconds
        QCOMPARE(game.Label2->caption(), u"CAT"_s);
        QTRY_VERIFY_WITH_TIMEOUT(game.Label2->caption().isEmpty(), 1500);
        QVERIFY(!game.Timer1->isEnabled());
    }

    void spelling_data() {
        QTest::addColumn<QString>("clicks"); // '<' is erase
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("spoken");
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        QTest::newRow("erase on empty") << u"<"_s << Keys{} << u""_s << u""_s;
        QTest::newRow("three letters") << u"CAT"_s << Keys{} << u"CAT"_s << u"CAT"_s;
        QTest::newRow("a fourth") << u"CATS"_s << Keys{} << u"CATS"_s << u"CATS"_s;
        QTest::newRow("one erase") << u"CATS<"_s << Keys{} << u"CAT"_s << u"CATS"_s;
        QTest::newRow("keys") << u""_s << Keys{{Qt::Key_C, "c"}, {Qt::Key_A, "a"}, {Qt::Key_T, "t"}}
                              << u"CAT"_s << u"CAT"_s;
        QTest::newRow("shifted keys")
            << u""_s << Keys{{Qt::Key_C, "C", shift}, {Qt::Key_A, "A", shift}} << u"CA"_s << u"CA"_s;
        QTest::newRow("another layout")
            << u""_s << Keys{{Qt::Key_Q, "a"}, {Qt::Key_W, "z"}} << u"AZ"_s << u"AZ"_s;
        QTest::newRow("not on the board")
            << u""_s << Keys{{Qt::Key_Q, "q"}, {Qt::Key_1, "1"}, {Qt::Key_Space, " "}, {Qt::Key_Eacute, "é"}}
            << u""_s << u""_s;
        QTest::newRow("backspace") << u"CAT"_s << Keys{{Qt::Key_Backspace, "\b"}} << u"CA"_s << u"CAT"_s;
        QTest::newRow("control and alt")
            << u""_s << Keys{{Qt::Key_C, "c", Qt::ControlModifier}, {Qt::Key_A, "a", Qt::AltModifier}}
            << u""_s << u""_s;
        QTest::newRow("a held key is one letter")
            << u""_s << Keys{{Qt::Key_C, "c"}, {Qt::Key_C, "c", {}, true}, {Qt::Key_C, "c", {}, true}}
            << u"C"_s << u"C"_s;
    }

    void spelling() {
        QFETCH(QString, clicks);
        QFETCH(Keys, keys);
        QFETCH(QString, answer);
        QFETCH(QString, spoken);
        frmWordpot& game = gameWith({Cat});
        const SoundLog sounds;
        click(game, clicks);
        for (const Key& key : keys)
            press(game.window(), key);
        QCOMPARE(game.txtWord->text(), answer);
        QList<SoundLog::Call> letterSounds;
        for (QChar letter : spoken)
            letterSounds.append({soundFile(letter).name(), false});
        QCOMPARE(sounds.calls, letterSounds);
        QCOMPARE(game.cmdGuess->isEnabled(), answer.size() == 3);
    }

    void enterAndAltGGuessUnlessAButtonHasTheFocus() {
        frmWordpot& game = gameWith({Cat, Ant}, false);
        game.show();
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        const SoundLog sounds;
        const FeedbackWatch first;
        press(game.window(), {Qt::Key_Return, "\r"}); // GUESS is off
        click(game, u"CAT"_s);
        game.cmdErase->setFocus();
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_Return); // the focused button's click
        QCOMPARE(game.txtWord->text(), u"CA"_s);
        QVERIFY(first.seen->isEmpty()); // no guess so far
        click(game, u"T"_s);
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_G, Qt::AltModifier); // GUESS's access key
        QTRY_COMPARE(*first.seen, u"happy, hint ''"_s);
        click(game, u"ANT"_s);
        game.txtWord->setFocus();
        const FeedbackWatch second;
        press(game.window(), {Qt::Key_Enter, "\r", Qt::KeypadModifier});
        QCOMPARE(*second.seen, u"happy, hint ''"_s);
    }

    void nothingCanBeTypedIntoTheAnswerBox() {
        frmWordpot& game = gameWith({Cat});
        QTest::keyClicks(game.txtWord, u"cat"_s);
        QApplication::clipboard()->setText(u"CAT"_s);
        QTest::keyClick(game.txtWord, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(game.txtWord->text().isEmpty());
    }

private:
    QTemporaryDir m_media;
};

QTEST_MAIN(WordpotTest)
#include "tst_wordpot.moc"
