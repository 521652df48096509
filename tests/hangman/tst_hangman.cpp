// The Hangman window driven through its handlers: layout, levels, games won and lost with a chosen word,
// the sounds of a click and what the window shows while each one plays, keyboard play, and opening and
// closing it from the main menu.
#include "app/frmMain.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "hangman/frmHangman.h"
#include "hangman/hangmanrules.h"
#include "media/global.h"
#include "testsupport.h"

#include <algorithm>
#include <QKeyEvent>
#include <QTest>

using namespace forms;
using testsupport::SoundLog;

namespace {
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);

// An r that draws this word.
float rFor(std::string_view word) {
    const auto found = std::find(hangman::HangmanWords.begin(), hangman::HangmanWords.end(), word);
    Q_ASSERT(found != hangman::HangmanWords.end());
    return float((double(found - hangman::HangmanWords.begin()) + 0.5) / hangman::WordCount);
}

frmHangman& openWith(std::string_view word) {
    auto& game = Forms::get<frmHangman>();
    game.setRandomSource([r = rFor(word)] { return r; });
    game.show();
    return game;
}

void guess(frmHangman& game, const QString& letters) {
    for (const QChar letter : letters)
        game.lblLetter_Click(letter.unicode() - u'A');
}

bool shown(const QWidget* widget) {
    return !widget->isHidden();
}

QList<int> visibleCircles(const frmHangman& game) {
    QList<int> visible;
    for (int i = 0; i < game.ImgCircle.count(); ++i) {
        if (shown(game.ImgCircle(i)))
            visible.append(i);
    }
    return visible;
}

QList<int> range(int count) {
    QList<int> result;
    for (int i = 0; i < count; ++i)
        result.append(i);
    return result;
}

QStringList slotCaptions(const frmHangman& game) {
    QStringList captions;
    for (int i = 0; i < game.lbWord.count(); ++i)
        captions.append(game.lbWord(i)->caption());
    return captions;
}

QImage face(const char* name) {
    return LoadPicture(Global::AppPath() + QLatin1String(name)).natural().toImage();
}

// The smallest rectangle holding every pixel in which two renderings differ.
QRect difference(const QImage& a, const QImage& b) {
    QRect changed;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
}

void sendText(QWindow* window, int key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(window, &release);
}
} // namespace

class HangmanTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() {
        Forms::destroyAll();
        testsupport::settle();
    }

    void windowAsDesigned() {
        auto& game = openWith("BALLOON");
        QWidget* window = game.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Hangman"));
        QCOMPARE(game.clientSize(), QSize(645, 521));
        QVERIFY(window->minimumSize() != window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowMaximizeButtonHint);
        QCOMPARE(game.client()->grab().toImage().pixelColor(640, 10), QColor(Qt::white));
    }

    void controlsAsDesigned_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("first tile") << "lblLetter" << 0 << QRect(120, 120, 375, 495);
        QTest::newRow("tile M") << "lblLetter" << 12 << QRect(4440, 120, 375, 495);
        QTest::newRow("last tile") << "lblLetter" << 25 << QRect(9120, 120, 375, 495);
        const QList<QPoint> circles{{240, 1320},  {1440, 1320}, {240, 2520},  {1440, 2520}, {840, 1920},
                                    {2040, 1320}, {3240, 1320}, {2040, 2520}, {3240, 2520}, {2640, 1920},
                                    {3840, 1320}, {5040, 1320}, {3840, 2520}, {5040, 2520}, {4440, 1920}};
        for (int i = 0; i < circles.size(); ++i)
            QTest::addRow("circle %d", i) << "ImgCircle" << i << QRect(circles[i], QSize(495, 495));
        QTest::newRow("count") << "lblCount" << 0 << QRect(5640, 720, 3855, 3015);
        QTest::newRow("first slot") << "lbWord" << 0 << QRect(240, 4080, 1215, 1695);
        QTest::newRow("last slot") << "lbWord" << 6 << QRect(8160, 4080, 1215, 1695);
        QTest::newRow("try again") << "cmdTry_Again" << 0 << QRect(120, 6240, 3495, 1335);
        QTest::newRow("difficulty") << "cmdDifficulty" << 0 << QRect(6000, 6240, 3495, 1335);
        QTest::newRow("stop sign") << "Image1" << 0 << QRect(4080, 6120, 1500, 1500);
    }
    void controlsAsDesigned() {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QRect, twips);
        auto& game = openWith("BALLOON");
        const QMap<QString, QWidget*> controls{{"lblLetter", game.lblLetter(index)},
                                               {"ImgCircle", game.ImgCircle(index % 15)},
                                               {"lblCount", game.lblCount},
                                               {"lbWord", game.lbWord(index % 7)},
                                               {"cmdTry_Again", game.cmdTry_Again},
                                               {"cmdDifficulty", game.cmdDifficulty},
                                               {"Image1", game.Image1}};
        QWidget* widget = controls.value(control);
        const QRect expected = rectTw(twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(widget->pos(), expected.topLeft());
        // Images take their picture's size; everything else keeps its design size.
        if (auto* image = qobject_cast<Image*>(widget)) {
            QVERIFY(!image->picture().isNull());
            QCOMPARE(image->size(), image->picture().natural().size());
        } else {
            QCOMPARE(widget->size(), expected.size());
        }
    }

    void controlsLookAsDesigned() {
        auto& game = openWith("BALLOON");
        QCOMPARE(game.lblLetter(0)->caption(), QStringLiteral("A"));
        QCOMPARE(game.lblLetter(25)->caption(), QStringLiteral("Z"));
        QCOMPARE(game.lblLetter(7)->grab().toImage().pixelColor(2, 2), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(game.lblLetter(7)->font().pixelSize(), 24);
        QVERIFY(game.lblLetter(7)->font().bold());
        QCOMPARE(game.lbWord(0)->grab().toImage().pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(game.lbWord(0)->foreColor(), Yellow);
        QCOMPARE(game.lbWord(0)->font().pixelSize(), 96);
        QCOMPARE(game.lblCount->foreColor(), Red);
        QVERIFY(game.lblCount->isTransparent());
        QCOMPARE(game.lblCount->font().pixelSize(), 133);
        QCOMPARE(game.cmdTry_Again->text(), QStringLiteral("&Try Again"));
        QVERIFY(game.cmdTry_Again->isGraphical());
        QCOMPARE(game.cmdTry_Again->font().pixelSize(), 32);
        QVERIFY(!game.cmdDifficulty->isGraphical());
        QCOMPARE(game.cmdDifficulty->font().pixelSize(), 40);
        QCOMPARE(game.Image1->picture().natural().size(), QSize(100, 100));
    }

    void controlsKeepTheirPlacesWhenResized() {
        auto& game = openWith("BALLOON");
        const QRect count = game.lblCount->geometry();
        const QRect slot = game.lbWord(6)->geometry();
        const QRect difficulty = game.cmdDifficulty->geometry();
        game.window()->resize(900, 700);
        QTRY_COMPARE(game.clientSize(), QSize(900, 700));
        QCOMPARE(game.lblCount->geometry(), count);
        QCOMPARE(game.lbWord(6)->geometry(), slot);
        QCOMPARE(game.cmdDifficulty->geometry(), difficulty);
        game.window()->resize(400, 300);
        QTRY_COMPARE(game.clientSize(), QSize(400, 300));
        QCOMPARE(game.cmdDifficulty->geometry(), difficulty);
    }

    void levels_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("chances");
        QTest::newRow("easy") << 0 << "&EASY" << 15;
        QTest::newRow("medium") << 1 << "&MEDIUM" << 10;
        QTest::newRow("hard") << 2 << "&HARD" << 5;
        QTest::newRow("round to easy") << 3 << "&EASY" << 15;
    }
    void levels() {
        QFETCH(int, clicks);
        QFETCH(QString, caption);
        QFETCH(int, chances);
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        for (int i = 0; i < clicks; ++i)
            game.cmdDifficulty_Click();
        QCOMPARE(game.cmdDifficulty->text(), caption);
        QCOMPARE(game.Chances, chances);
        QCOMPARE(game.lblCount->caption(), QString::number(chances));
        QCOMPARE(visibleCircles(game), range(chances));

        guess(game, QStringLiteral("Z"));
        QCOMPARE(game.lblCount->caption(), QString::number(chances - 1));
        QCOMPARE(visibleCircles(game), range(chances - 1));
        QVERIFY(!shown(game.ImgCircle(chances - 1)));
    }

    void difficultyStartsANewGameAndTryAgainKeepsIt() {
        SoundLog sounds;
        int draws = 0;
        auto& game = Forms::get<frmHangman>();
        game.setRandomSource([&draws] {
            ++draws;
            return rFor(draws == 1 ? "BALLOON" : "EAR");
        });
        game.show();
        QCOMPARE(draws, 1);
        guess(game, QStringLiteral("LZ"));
        game.cmdDifficulty_Click();
        QCOMPARE(draws, 2);
        QCOMPARE(game.HiddenWord, QStringLiteral("EAR"));
        QCOMPARE(game.LettersFound, 0);
        QCOMPARE(slotCaptions(game), QStringList(7, QString()));
        QVERIFY(shown(game.lblLetter(11)) && game.lblLetter(11)->isEnabled());
        QVERIFY(shown(game.lblLetter(25)) && game.lblLetter(25)->isEnabled());

        game.cmdDifficulty_Click();
        guess(game, QStringLiteral("XYZ"));
        guess(game, QStringLiteral("QJ")); // lost: the word shows in red
        QVERIFY(shown(game.cmdTry_Again));
        game.cmdTry_Again_Click();
        QCOMPARE(draws, 4);
        QCOMPARE(game.cmdDifficulty->text(), QStringLiteral("&HARD"));
        QCOMPARE(game.Chances, 5);
        QCOMPARE(visibleCircles(game), range(5));
        QVERIFY(!shown(game.cmdTry_Again));
        QCOMPARE(slotCaptions(game), QStringList(7, QString()));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(game.lbWord(i)->foreColor(), Yellow);
    }

    void reopeningStartsAtEasy() {
        auto& game = openWith("BALLOON");
        game.cmdDifficulty_Click();
        game.cmdDifficulty_Click();
        QCOMPARE(game.Chances, 5);
        game.Image1_Click();
        QVERIFY(!game.isLoaded());
        testsupport::settle();
        game.show();
        QCOMPARE(game.cmdDifficulty->text(), QStringLiteral("&EASY"));
        QCOMPARE(game.Chances, 15);
        QCOMPARE(visibleCircles(game), range(15));
    }

    void slotsShowTheWordsLength_data() {
        QTest::addColumn<QString>("word");
        QTest::newRow("3 letters") << "EAR";
        QTest::newRow("4 letters") << "ZOOM";
        QTest::newRow("7 letters") << "BALLOON";
    }
    void slotsShowTheWordsLength() {
        QFETCH(QString, word);
        const QByteArray latin = word.toLatin1();
        auto& game = openWith(std::string_view(latin.constData(), std::size_t(latin.size())));
        QCOMPARE(game.HiddenWord, word);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(shown(game.lbWord(i)), i < word.size());
            QVERIFY(game.lbWord(i)->caption().isEmpty());
        }
    }

    void repeatedLetterFillsAllItsSlotsInOneClick() {
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        guess(game, QStringLiteral("L"));
        QCOMPARE(slotCaptions(game), (QStringList{"", "", "L", "L", "", "", ""}));
        QCOMPARE(game.LettersFound, 2);
        guess(game, QStringLiteral("O"));
        QCOMPARE(slotCaptions(game), (QStringList{"", "", "L", "L", "O", "O", ""}));
        QCOMPARE(game.LettersFound, 4);
        // Hits cost nothing and play only the letter.
        QCOMPARE(game.Chances, 15);
        QCOMPARE(game.lblCount->caption(), QStringLiteral("15"));
        QCOMPARE(visibleCircles(game), range(15));
        QCOMPARE(sounds.calls, (QList<SoundLog::Call>{{"\\L.wav", true}, {"\\O.wav", true}}));
        QVERIFY(!game.lblLetter(11)->isEnabled() && !shown(game.lblLetter(11)));
        QVERIFY(!shown(game.cmdTry_Again));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(game.lbWord(i)->foreColor(), Yellow);
    }

    // At each sound the window already shows what the click changed up to that step, and no more.
    void eachSoundPlaysOverWhatItsStepChanged() {
        frmHangman* game = nullptr;
        QStringList seen;
        SoundLog sounds([&](const SoundLog::Call& call) {
            const bool tileGone = !shown(game->lblLetter(game->GuessLetter.front().unicode() - u'A'));
            seen.append(QStringLiteral("%1 tile %2 slots %3 circles %4 count %5 again %6")
                            .arg(call.name, tileGone ? "gone" : "there", slotCaptions(*game).join(""))
                            .arg(visibleCircles(*game).size())
                            .arg(game->lblCount->caption())
                            .arg(shown(game->cmdTry_Again) ? "shown" : "hidden"));
        });
        game = &openWith("EAR");
        game->cmdDifficulty_Click();
        game->cmdDifficulty_Click();
        guess(*game, QStringLiteral("EZAR"));
        guess(*game, QStringLiteral("QXJK"));
        QCOMPARE(seen, (QStringList{
                           "\\E.wav tile gone slots  circles 5 count 5 again hidden",
                           "\\Z.wav tile gone slots E circles 5 count 5 again hidden",
                           "\\snare.wav tile gone slots E circles 4 count 5 again hidden",
                           "\\A.wav tile gone slots E circles 4 count 4 again hidden",
                           "\\R.wav tile gone slots EA circles 4 count 4 again hidden",
                           "/allright.wav tile gone slots EAR circles 4 count 4 again hidden",
                           "\\Q.wav tile gone slots EAR circles 4 count 4 again shown",
                           "\\snare.wav tile gone slots EAR circles 3 count 4 again shown",
                           "/allright.wav tile gone slots EAR circles 3 count 3 again shown",
                           "\\X.wav tile gone slots EAR circles 3 count 3 again shown",
                           "\\snare.wav tile gone slots EAR circles 2 count 3 again shown",
                           "/allright.wav tile gone slots EAR circles 2 count 2 again shown",
                           "\\J.wav tile gone slots EAR circles 2 count 2 again shown",
                           "\\snare.wav tile gone slots EAR circles 1 count 2 again shown",
                           "/allright.wav tile gone slots EAR circles 1 count 1 again shown",
                           "\\K.wav tile gone slots EAR circles 1 count 1 again shown",
                           "\\snare.wav tile gone slots EAR circles 0 count 1 again shown",
                           "/allright.wav tile gone slots EAR circles 0 count 0 again shown",
                           "/uhoh.wav tile gone slots EAR circles 0 count 0 again shown",
                       }));
        for (const SoundLog::Call& call : sounds.calls)
            QCOMPARE(call.wait, call.name != QLatin1String("/uhoh.wav"));
        // Misses after a completed word reveal nothing: every slot is filled, so none turns red.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(game->lbWord(i)->foreColor(), Yellow);
        QCOMPARE(game->cmdTry_Again->picture().natural().toImage(), face(hangman::LostFace));
    }

    void completingTheWordShowsTheHappyFace() {
        SoundLog sounds;
        auto& game = openWith("EAR");
        guess(game, QStringLiteral("EA"));
        QVERIFY(!shown(game.cmdTry_Again));
        guess(game, QStringLiteral("R"));
        QCOMPARE(sounds.calls,
                 (QList<SoundLog::Call>{
                     {"\\E.wav", true}, {"\\A.wav", true}, {"\\R.wav", true}, {"/allright.wav", true}}));
        QVERIFY(shown(game.cmdTry_Again));
        const QImage won = face(hangman::WonFace);
        QCOMPARE(won.size(), QSize(32, 32));
        QCOMPARE(game.cmdTry_Again->picture().natural().toImage(), won);
        QVERIFY(won != face(hangman::LostFace));
        QCOMPARE(game.lblCount->caption(), QStringLiteral("15"));
    }

    void losingAtHardRevealsTheRestInRed() {
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        game.cmdDifficulty_Click();
        game.cmdDifficulty_Click();
        guess(game, QStringLiteral("LQXZJ"));
        QVERIFY(!shown(game.cmdTry_Again));
        sounds.clear();
        guess(game, QStringLiteral("K"));
        QCOMPARE(sounds.calls,
                 (QList<SoundLog::Call>{{"\\K.wav", true}, {"\\snare.wav", true}, {"/uhoh.wav", false}}));
        QCOMPARE(game.lblCount->caption(), QStringLiteral("0"));
        QCOMPARE(visibleCircles(game), QList<int>());
        QCOMPARE(slotCaptions(game), (QStringList{"B", "A", "L", "L", "O", "O", "N"}));
        const QList<QColor> colours{Red, Red, Yellow, Yellow, Red, Red, Red};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(game.lbWord(i)->foreColor(), colours[i]);
        QVERIFY(shown(game.cmdTry_Again));
        const QImage lost = face(hangman::LostFace);
        QCOMPARE(lost.size(), QSize(32, 32));
        QCOMPARE(game.cmdTry_Again->picture().natural().toImage(), lost);
    }

    // After a lost game a letter of the word still fills its (red) slots; completing the word then runs
    // the completion steps and, since no chance is left, the out-of-chances steps after them.
    void hitsAfterALostGame() {
        SoundLog sounds;
        auto& game = openWith("EAR");
        game.cmdDifficulty_Click();
        game.cmdDifficulty_Click();
        guess(game, QStringLiteral("BCDFG"));
        QCOMPARE(game.Chances, 0);
        sounds.clear();
        guess(game, QStringLiteral("E"));
        QCOMPARE(sounds.names(), (QStringList{"\\E.wav", "/uhoh.wav"}));
        QCOMPARE(game.LettersFound, 1);
        QCOMPARE(game.lbWord(0)->foreColor(), Red);
        guess(game, QStringLiteral("A"));
        sounds.clear();
        guess(game, QStringLiteral("R"));
        QCOMPARE(sounds.names(), (QStringList{"\\R.wav", "/allright.wav", "/uhoh.wav"}));
        QCOMPARE(slotCaptions(game).join(""), QStringLiteral("EAR"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(game.lbWord(i)->foreColor(), Red);
        QCOMPARE(game.cmdTry_Again->picture().natural().toImage(), face(hangman::LostFace));
    }

    // Our choice where the rules run out: a miss with no chance left takes nothing and hides no circle.
    void aMissWithNoChanceLeft() {
        SoundLog sounds;
        auto& game = openWith("EAR");
        game.cmdDifficulty_Click();
        game.cmdDifficulty_Click();
        guess(game, QStringLiteral("BCDFG"));
        sounds.clear();
        guess(game, QStringLiteral("H"));
        QCOMPARE(game.Chances, 0);
        QCOMPARE(game.lblCount->caption(), QStringLiteral("0"));
        QCOMPARE(visibleCircles(game), QList<int>());
        QCOMPARE(sounds.names(), (QStringList{"\\H.wav", "\\snare.wav", "/uhoh.wav"}));
        QVERIFY(!shown(game.lblLetter(7)));
        QVERIFY(shown(game.cmdTry_Again));
    }

    void tryAgainShowsItsFaceAboveItsCaption() {
        SoundLog sounds;
        auto& game = openWith("EAR");
        guess(game, QStringLiteral("EAR"));
        CommandButton& button = *game.cmdTry_Again;
        const QImage withFace = button.grab().toImage();
        const Picture picture = button.picture();
        button.setPicture(Picture());
        const QImage bare = button.grab().toImage();
        button.setText(QString());
        const QImage blank = button.grab().toImage();
        button.setText(QStringLiteral("&Try Again"));
        button.setPicture(picture);

        const QRect faceArea = difference(withFace, bare);
        const QRect captionArea = difference(bare, blank);
        QVERIFY(faceArea.isValid() && captionArea.isValid());
        QVERIFY2(faceArea.width() <= 32 && faceArea.height() <= 32 && faceArea.width() >= 24,
                 qPrintable(QStringLiteral("%1 x %2").arg(faceArea.width()).arg(faceArea.height())));
        QVERIFY(button.rect().contains(faceArea) && button.rect().contains(captionArea));
        QVERIFY2(faceArea.bottom() < captionArea.top(),
                 qPrintable(QStringLiteral("face ends at %1, caption starts at %2")
                                .arg(faceArea.bottom())
                                .arg(captionArea.top())));
    }

    void keyboardPlay_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("small letter")
            << int(Qt::Key_L) << "l" << int(Qt::NoModifier) << QStringList{"\\L.wav"};
        QTest::newRow("shifted letter")
            << int(Qt::Key_L) << "L" << int(Qt::ShiftModifier) << QStringList{"\\L.wav"};
        // The text decides, not the key code: another layout may put the letter on another key.
        QTest::newRow("text of another key")
            << int(Qt::Key_Semicolon) << "l" << int(Qt::NoModifier) << QStringList{"\\L.wav"};
        QTest::newRow("miss by key") << int(Qt::Key_Z) << "z" << int(Qt::NoModifier)
                                     << QStringList{"\\Z.wav", "\\snare.wav"};
        QTest::newRow("control") << int(Qt::Key_L) << "\x0c" << int(Qt::ControlModifier) << QStringList{};
        QTest::newRow("control with text")
            << int(Qt::Key_L) << "l" << int(Qt::ControlModifier) << QStringList{};
        QTest::newRow("digit") << int(Qt::Key_1) << "1" << int(Qt::NoModifier) << QStringList{};
        QTest::newRow("letter beyond Z")
            << int(Qt::Key_Adiaeresis) << "\u00e4" << int(Qt::NoModifier) << QStringList{};
    }
    void keyboardPlay() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(QStringList, played);
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        sendText(game.window()->windowHandle(), key, text, Qt::KeyboardModifiers(modifiers));
        // Once the tile is gone, its key does nothing.
        sendText(game.window()->windowHandle(), key, text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(sounds.names(), played);
        QCOMPARE(game.Chances, played.contains("\\snare.wav") ? 14 : 15);
        QCOMPARE(game.cmdDifficulty->text(), QStringLiteral("&EASY"));
    }

    void accessKeysStayWithTheButtons() {
        SoundLog sounds;
        int draws = 0;
        auto& game = Forms::get<frmHangman>();
        game.setRandomSource([&draws] {
            ++draws;
            return rFor("EAR");
        });
        game.show();
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(game.cmdDifficulty->text(), QStringLiteral("&MEDIUM"));
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(game.cmdDifficulty->text(), QStringLiteral("&HARD"));
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(game.cmdDifficulty->text(), QStringLiteral("&EASY"));
        QCOMPARE(sounds.calls.size(), 0); // no E, M or H was guessed
        QCOMPARE(game.LettersFound, 0);
        guess(game, QStringLiteral("EAR"));
        QVERIFY(shown(game.cmdTry_Again));
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!shown(game.cmdTry_Again));
        QCOMPARE(draws, 5);
        QCOMPARE(game.cmdDifficulty->text(), QStringLiteral("&EASY"));
    }

    void aMouseClickOnATileGuessesItsLetter() {
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        QVERIFY(QTest::qWaitForWindowExposed(game.window()));
        QTest::mouseClick(game.lblLetter(11), Qt::LeftButton, {}, QPoint(12, 16));
        QCOMPARE(sounds.names(), QStringList{"\\L.wav"});
        QCOMPARE(slotCaptions(game).join(""), QStringLiteral("LL"));
    }

    void theMainMenuOpensItAndTheStopSignClosesIt() {
        // The handler needs nothing of the menu's own window, so the menu (and its start-up) stays unloaded.
        auto& menu = Forms::get<frmMain>();
        auto& game = Forms::get<frmHangman>();
        game.setRandomSource([] { return rFor("EAR"); });
        bool modal = false;
        Screen::MousePointer pointer = Screen::MousePointer::Hourglass;
        testsupport::whenShown(game, [&] {
            modal = QApplication::activeModalWidget() == game.window();
            pointer = Screen::mousePointer();
            QTest::mouseClick(game.Image1, Qt::LeftButton, {}, QPoint(50, 50));
        });
        menu.cmdHangman_Click();
        QVERIFY(modal);
        QCOMPARE(pointer, Screen::MousePointer::Default);
        QVERIFY(!game.isLoaded());
    }
};

QTEST_MAIN(HangmanTest)
#include "tst_hangman.moc"
