// The spelling game window driven through its handlers and keys: layout, a round from the first letter to
// the feedback window, erasing, the hint and its timer, keyboard play and opening from the main menu.
// Pictures come from a media folder made here: every picture has its own size, so a control's size tells
// which file it shows.
#include "app/frmMain.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/mediafolder.h"
#include "testsupport.h"
#include "wordpot/frmWordpot.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace wordpot;
using testsupport::SoundLog;

namespace {
constexpr int Cat = 3;
constexpr int Ant = 12;

QSize letterSize(int slot) {
    return {30 + slot, 40 + slot};
}
QSize wordSize(int index) {
    return {120 + index, 150 + index};
}

void writePicture(const QString& path, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkYellow);
    // The name says GIF; the reader goes by the content.
    QVERIFY(image.save(path, "PNG"));
}

// Gives the numbers that draw these words in turn, then clock-seeded ones.
RandomSource wordsInTurn(QList<int> words) {
    auto remaining = std::make_shared<QList<int>>(std::move(words));
    return [remaining] {
        return remaining->isEmpty() ? ClockSeededRandom()() : (remaining->takeFirst() + 0.5) / DrawRange;
    };
}

frmWordpot& openWith(QList<int> words) {
    auto& game = Forms::get<frmWordpot>();
    game.setRandomSource(wordsInTurn(std::move(words)));
    game.load();
    return game;
}

void clickLetters(frmWordpot& game, const QString& letters) {
    for (QChar letter : letters)
        game.img_Letters_Click(slotOf(letter));
}

// Closes whichever feedback window opens next, noting which one it was and the hint at that moment.
class FeedbackWatch {
public:
    FeedbackWatch() {
        watch(Forms::get<frmHappyFace>(), QStringLiteral("happy"));
        watch(Forms::get<frmSadface>(), QStringLiteral("sad"));
    }
    QString shown() const { return m_seen->window; }
    QString hintWhenShown() const { return m_seen->hint; }

private:
    struct Seen {
        QString window;
        QString hint = QStringLiteral("unset");
    };
    void watch(Form& form, const QString& name) {
        testsupport::whenShown(form, [seen = m_seen, &form, name] {
            seen->window = name;
            seen->hint = Forms::get<frmWordpot>().Label2->caption();
            form.unload();
        });
    }
    std::shared_ptr<Seen> m_seen = std::make_shared<Seen>();
};

void press(QWidget* window, Qt::Key key, const QString& text,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}
} // namespace

class WordpotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        testsupport::prepare();
        QVERIFY(m_media.isValid());
        for (int slot = 0; slot < SlotCount; ++slot)
            writePicture(m_media.filePath(QString(QLatin1Char(Board[slot].letter)).toLower() + ".gif"),
                         letterSize(slot));
        for (int index = 1; index <= WordCount; ++index)
            writePicture(m_media.filePath(word(index).toLower() + ".gif"), wordSize(index));
        MediaFolder::setPathForTesting(m_media.path());
    }
    void cleanup() { Forms::destroyAll(); }

    void windowAsDesigned() {
        frmWordpot& game = openWith({Cat});
        QWidget* window = game.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Wordpot"));
        QCOMPARE(game.clientSize(), QSize(794, 493));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QImage client = game.client()->grab().toImage();
        const QImage photo = builtInPicture(QStringLiteral(":/pictures/background.jpg")).natural().toImage();
        QCOMPARE(client.pixelColor(3, 3), photo.pixelColor(3, 3));
        QCOMPARE(client.pixelColor(595, 200), photo.pixelColor(595, 200));
        QCOMPARE(client.pixelColor(610, 300), QColor(Qt::white));
        QCOMPARE(client.pixelColor(600, 300), QColor(Qt::black)); // the line between photo and panel
        QCOMPARE(client.pixelColor(700, 272), QColor(Qt::black)); // the line above the answer

        const QList<std::pair<QWidget*, QRect>> controls{
            {game.Label2, QRect(616, 208, 153, 49)},   {game.txtWord, QRect(624, 280, 145, 49)},
            {game.cmdErase, QRect(672, 336, 57, 57)},  {game.Command1, QRect(8, 384, 129, 105)},
            {game.cmdGuess, QRect(616, 408, 169, 81)},
        };
        for (const auto& [control, rect] : controls)
            QCOMPARE(control->geometry(), rect);
        QCOMPARE(game.Image1->geometry(), QRect(QPoint(600, 0), wordSize(Cat)));
        for (int slot = 0; slot < SlotCount; ++slot) {
            QCOMPARE(game.BoardLetters[slot], QString(QLatin1Char(Board[slot].letter)));
            QCOMPARE(game.img_Letters(slot)->geometry(),
                     QRect(forms::pointTw(Board[slot].left, Board[slot].top), letterSize(slot)));
            QVERIFY(!game.img_Letters(slot)->stretch());
        }

        QVERIFY(game.Label2->isTransparent());
        QCOMPARE(game.Label2->font().pixelSize(), 32);
        QCOMPARE(game.txtWord->font().pixelSize(), 32);
        QCOMPARE(game.cmdGuess->text(), QStringLiteral("&GUESS"));
        QCOMPARE(game.cmdGuess->font().pixelSize(), 32);
        QVERIFY(game.cmdGuess->font().bold());
        QCOMPARE(game.Timer1->interval(), 2000);
    }

    void theMainMenuOpensAFreshRound() {
        Screen::MousePointer pointer = Screen::MousePointer::Hourglass;
        QWidget* focus = nullptr;
        auto& game = Forms::get<frmWordpot>();
        game.setRandomSource(wordsInTurn({Cat}));
        QString round;
        testsupport::whenShown(game, [&] {
            pointer = Screen::mousePointer();
            (void)QTest::qWaitFor([&] { return game.window()->isActiveWindow(); });
            focus = QApplication::focusWidget();
            round = QStringLiteral("%1 %2 answer '%3' guess %4 hint '%5' timer %6")
                        .arg(game.CurrentWord)
                        .arg(game.LastWordIndex)
                        .arg(game.txtWord->text())
                        .arg(game.cmdGuess->isEnabled())
                        .arg(game.Label2->caption())
                        .arg(game.Timer1->isEnabled());
            game.Command1_Click();
        });
        Forms::get<frmMain>().cmdWordpot_Click();
        QVERIFY(!game.isLoaded());
        QCOMPARE(pointer, Screen::MousePointer::Default);
        QCOMPARE(round, QStringLiteral("CAT 3 answer '' guess 0 hint '' timer 0"));
        QVERIFY(focus != nullptr && focus == game.txtWord);
    }

    void spellingCat() {
        frmWordpot& game = openWith({Cat});
        const SoundLog sounds;
        QSignalSpy changes(game.txtWord, &TextBox::change);
        game.cmdErase_Click(); // an empty answer stays as it is
        QCOMPARE(changes.count(), 0);
        QVERIFY(!game.cmdGuess->isEnabled());
        clickLetters(game, QStringLiteral("CATS"));
        QCOMPARE(game.txtWord->text(), QStringLiteral("CATS"));
        QCOMPARE(sounds.calls,
                 QList<SoundLog::Call>(
                     {{"\\C.wav", false}, {"\\A.wav", false}, {"\\T.wav", false}, {"\\S.wav", false}}));
        QVERIFY(!game.cmdGuess->isEnabled()); // four letters
        game.cmdErase_Click();
        QCOMPARE(game.txtWord->text(), QStringLiteral("CAT"));
        QVERIFY(game.cmdGuess->isEnabled());
        game.cmdErase_Click();
        QVERIFY(!game.cmdGuess->isEnabled());
        game.img_Letters_Click(slotOf(QLatin1Char('T')));
        QVERIFY(game.cmdGuess->isEnabled());
        QCOMPARE(sounds.calls.size(), 5); // erasing is silent
    }

    void guessing_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("feedback");
        QTest::newRow("right") << "CAT"
                               << "happy";
        QTest::newRow("right in small letters") << "cat"
                                                << "happy";
        QTest::newRow("right in mixed case") << "cAt"
                                             << "happy";
        QTest::newRow("wrong, same letters") << "TAC"
                                             << "sad";
        QTest::newRow("wrong letter") << "CAN"
                                      << "sad";
    }

    void guessing() {
        QFETCH(QString, answer);
        QFETCH(QString, feedback);
        // After CAT the draw gives CAT again (the previous word, drawn again) and then ANT.
        frmWordpot& game = openWith({Cat, Cat, Ant});
        const SoundLog sounds;
        game.txtWord->setText(answer);
        game.cmdGuess->setEnabled(true);
        game.Image1_Click();
        const FeedbackWatch watch;
        game.cmdGuess_Click();
        QCOMPARE(watch.shown(), feedback);
        QCOMPARE(watch.hintWhenShown(), QString());
        if (feedback == QLatin1String("happy")) {
            QCOMPARE(game.CurrentWord, QStringLiteral("ANT"));
            QCOMPARE(game.Image1->size(), wordSize(Ant));
            QVERIFY(game.txtWord->text().isEmpty());
            QVERIFY(!game.cmdGuess->isEnabled());
        } else {
            QCOMPARE(game.CurrentWord, QStringLiteral("CAT"));
            QCOMPARE(game.txtWord->text(), answer);
            QVERIFY(game.cmdGuess->isEnabled());
        }
    }

    void aNewVisitForgetsThePreviousWord() {
        openWith({Ant}).unload();
        testsupport::settle();
        frmWordpot& game = openWith({Ant}); // the last word of the previous visit may come first
        QCOMPARE(game.WordIndex, qint16(Ant));
        game.txtWord->setText(QStringLiteral("AN"));
        game.NewWord();
        QVERIFY(game.WordIndex != Ant);
        QVERIFY(game.txtWord->text().isEmpty());
    }

    void theHint_data() {
        QTest::addColumn<QString>("emptiedBy");
        QTest::newRow("timer") << "timer";
        QTest::newRow("letter") << "letter";
        QTest::newRow("guess") << "guess";
    }

    void theHint() {
        QFETCH(QString, emptiedBy);
        frmWordpot& game = openWith({Cat});
        QStringList seenWhilePlaying;
        const SoundLog sounds([&](const SoundLog::Call&) {
            seenWhilePlaying << game.Label2->caption() + (game.Timer1->isEnabled() ? " timing" : "");
        });
        game.Image1_Click();
        QCOMPARE(sounds.calls, QList<SoundLog::Call>({{"\\CAT.wav", true}}));
        QCOMPARE(seenWhilePlaying, QStringList({"CAT"})); // shown while spoken; the timer starts afterwards
        QVERIFY(game.Timer1->isEnabled());
        game.Image1_Click();
        QCOMPARE(sounds.calls.size(), 1);

        if (emptiedBy == QLatin1String("timer")) {
            game.Timer1_Timer();
            QVERIFY(!game.Timer1->isEnabled());
        } else if (emptiedBy == QLatin1String("letter")) {
            game.img_Letters_Click(0);
            QVERIFY(game.Timer1->isEnabled()); // the timer is left to fire once more
        } else {
            const FeedbackWatch watch;
            game.cmdGuess_Click();
        }
        QVERIFY(game.Label2->caption().isEmpty());
        const qsizetype before = sounds.calls.size();
        game.Image1_Click();
        QCOMPARE(sounds.calls.size(), before + 1);
        QCOMPARE(sounds.calls.last(), (SoundLog::Call{"\\CAT.wav", true}));
        QCOMPARE(game.Label2->caption(), QStringLiteral("CAT"));
    }

    void aNewHintStaysTwoFullSeconds() {
        frmWordpot& game = openWith({Cat});
        const SoundLog sounds;
        game.Image1_Click();
        QTest::qWait(1200);
        game.img_Letters_Click(0);
        game.Image1_Click(); // the timer is still running from the first hint: its count starts again
        QTest::qWait(1300);  // past the first hint's two seconds
        QCOMPARE(game.Label2->caption(), QStringLiteral("CAT"));
        QTRY_VERIFY_WITH_TIMEOUT(game.Label2->caption().isEmpty(), 1500);
        QVERIFY(!game.Timer1->isEnabled());
    }

    void keyboardPlay_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("small letters") << QStringList{"c", "a", "t"} << "CAT"
                                       << "CAT";
        QTest::newRow("shifted letters") << QStringList{"shift C", "shift A"} << "CA"
                                         << "CA";
        QTest::newRow("another layout") << QStringList{"Q=a", "W=z"} << "AZ"
                                        << "AZ";
        QTest::newRow("not on the board") << QStringList{"q", "x", "1", " ", "é"} << ""
                                          << "";
        QTest::newRow("backspace erases") << QStringList{"c", "a", "backspace"} << "C"
                                          << "CA";
        QTest::newRow("control and alt") << QStringList{"ctrl c", "alt a"} << ""
                                         << "";
        QTest::newRow("a held key is one letter") << QStringList{"c", "repeat c", "repeat c"} << "C"
                                                  << "C";
    }

    void keyboardPlay() {
        QFETCH(QStringList, keys);
        QFETCH(QString, answer);
        QFETCH(QString, spoken);
        frmWordpot& game = openWith({Cat});
        const SoundLog sounds;
        for (const QString& key : keys) {
            if (key == QLatin1String("backspace"))
                press(game.window(), Qt::Key_Backspace, QStringLiteral("\b"));
            else if (key.startsWith(QLatin1String("shift ")))
                press(game.window(), Qt::Key(key.back().unicode()), key.right(1), Qt::ShiftModifier);
            else if (key.startsWith(QLatin1String("ctrl ")))
                press(game.window(), Qt::Key(key.back().toUpper().unicode()), {}, Qt::ControlModifier);
            else if (key.startsWith(QLatin1String("repeat ")))
                press(game.window(), Qt::Key(key.back().toUpper().unicode()), key.right(1), {}, true);
            else if (key.contains(QLatin1Char('=')))
                press(game.window(), Qt::Key(key.front().unicode()), key.right(1));
            else
                press(game.window(), Qt::Key(key.front().toUpper().unicode()), key);
        }
        QCOMPARE(game.txtWord->text(), answer);
        QStringList letterSounds;
        for (QChar letter : spoken)
            letterSounds << soundName(letter);
        QCOMPARE(sounds.names(), letterSounds);
        QCOMPARE(game.cmdGuess->isEnabled(), answer.size() == 3);
    }

    void enterGuessesUnlessAButtonHasTheFocus() {
        auto& game = Forms::get<frmWordpot>();
        game.setRandomSource(wordsInTurn({Cat, Ant, Cat}));
        game.show();
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        const SoundLog sounds;
        press(game.window(), Qt::Key_Return, QStringLiteral("\r")); // GUESS is off: nothing
        clickLetters(game, QStringLiteral("CAT"));
        game.cmdErase->setFocus();
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_Return); // the focused button's click
        QCOMPARE(game.txtWord->text(), QStringLiteral("CA"));
        game.img_Letters_Click(slotOf(QLatin1Char('T')));
        game.txtWord->setFocus();
        {
            const FeedbackWatch watch;
            press(game.window(), Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier);
            QCOMPARE(watch.shown(), QStringLiteral("happy"));
        }
        QCOMPARE(game.CurrentWord, QStringLiteral("ANT"));
        clickLetters(game, QStringLiteral("ANT"));
        game.window()->activateWindow(); // no window manager gives it back after the modal window
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        const FeedbackWatch watch;
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_G, Qt::AltModifier); // GUESS's access key
        QTRY_COMPARE(watch.shown(), QStringLiteral("happy"));
    }

    void nothingCanBeTypedIntoTheAnswerBox() {
        frmWordpot& game = openWith({Cat});
        QTest::keyClicks(game.txtWord, QStringLiteral("cat"));
        QApplication::clipboard()->setText(QStringLiteral("CAT"));
        QTest::keyClick(game.txtWord, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(game.txtWord->text().isEmpty());
        QVERIFY(!game.cmdGuess->isEnabled());
    }

private:
    QTemporaryDir m_media;
};

QTEST_MAIN(WordpotTest)
#include "tst_wordpot.moc"
