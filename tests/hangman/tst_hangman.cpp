// The Hangman window driven through its handlers with a chosen word: levels, games won and lost, what the
// window shows while each sound plays, keyboard play, and the main menu.
#include "app/frmMain.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "hangman/frmHangman.h"
#include "hangman/hangmangame.h"
#include "media/global.h"
#include "testsupport.h"

#include <algorithm>
#include <QTest>

using testsupport::SoundLog;

namespace {
// An r that draws this word.
float rFor(std::string_view word) {
    const auto found = std::find(hangman::HangmanWords.begin(), hangman::HangmanWords.end(), word);
    return float((double(found - hangman::HangmanWords.begin()) + 0.5) / hangman::WordCount);
}

frmHangman& openWith(std::string_view word, int difficultyClicks = 0) {
    auto& game = Forms::get<frmHangman>();
    game.setRandomSource([r = rFor(word)] { return r; });
    game.show();
    for (int i = 0; i < difficultyClicks; ++i)
        game.cmdDifficulty_Click();
    return game;
}

void guess(frmHangman& game, const QString& letters) {
    for (const QChar letter : letters)
        game.lblLetter_Click(letter.unicode() - u'A');
}

bool shown(const QWidget* widget) {
    return !widget->isHidden();
}

// The count, then "1" for each circle shown and "0" for each hidden, circle 0 first.
QString chances(const frmHangman& game) {
    QString result = game.lblCount->caption() + u' ';
    for (int i = 0; i < game.ImgCircle.count(); ++i)
        result += shown(game.ImgCircle(i)) ? u'1' : u'0';
    return result;
}

QString chancesFor(int count) {
    return QString::number(count) + u' ' + QString(count, u'1') + QString(15 - count, u'0');
}

// One character a slot: "-" hidden, "." empty, its letter in capitals when yellow, small when red.
QString shownWord(const frmHangman& game) {
    QString result;
    for (int i = 0; i < game.lbWord.count(); ++i) {
        const Label& slot = *game.lbWord(i);
        const QColor colour = slot.foreColor();
        result += slot.isHidden()                ? QStringLiteral("-")
                  : slot.caption().isEmpty()     ? QStringLiteral(".")
                  : colour == QColor(Qt::red)    ? slot.caption().toLower()
                  : colour == QColor(Qt::yellow) ? slot.caption()
                                                 : QStringLiteral("?");
    }
    return result;
}

QImage face(const MediaFile& name) {
    return LoadPicture(name).natural().toImage();
}

bool showsFace(const frmHangman& game, const MediaFile& name) {
    return shown(game.cmdTry_Again) && game.cmdTry_Again->picture().natural().toImage() == face(name);
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
} // namespace

class HangmanTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }
    void cleanup() {
        Forms::destroyAll();
        testsupport::settle();
    }

    void windowIsSizableAndItsControlsKeepTheirPlaces() {
        auto& game = openWith("BALLOON");
        QCOMPARE(game.window()->windowTitle(), QStringLiteral("Hangman"));
        QCOMPARE(game.clientSize(), QSize(645, 521)); // 9675 x 7815 twips
        QVERIFY(game.window()->minimumSize() != game.window()->maximumSize());
        const QRect controls = game.client()->childrenRect();
        game.window()->resize(900, 700);
        QTRY_COMPARE(game.clientSize(), QSize(900, 700));
        QCOMPARE(game.client()->childrenRect(), controls);
    }

    void levels_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("count");
        QTest::newRow("easy") << 0 << "&EASY" << 15;
        QTest::newRow("medium") << 1 << "&MEDIUM" << 10;
        QTest::newRow("hard") << 2 << "&HARD" << 5;
        QTest::newRow("round to easy") << 3 << "&EASY" << 15;
    }
    void levels() {
        QFETCH(int, clicks);
        QFETCH(QString, caption);
        QFETCH(int, count);
        SoundLog sounds;
        auto& game = openWith("BALLOON", clicks);
        QCOMPARE(game.cmdDifficulty->text(), caption);
        QCOMPARE(chances(game), chancesFor(count));
        guess(game, QStringLiteral("Z"));
        QCOMPARE(chances(game), chancesFor(count - 1));
    }

    // A new game shows one slot per letter of its word, all empty and yellow again.
    void difficultyStartsANewGameAndTryAgainKeepsIt() {
        SoundLog sounds;
        int draws = 0;
        auto& game = Forms::get<frmHangman>();
        game.setRandomSource([&draws] { return rFor(++draws == 1 ? "BALLOON" : "EAR"); });
        game.show();
        QCOMPARE(shownWord(game), QStringLiteral("......."));
        guess(game, QStringLiteral("LZ"));
        game.cmdDifficulty_Click();
        QCOMPARE(shownWord(game), QStringLiteral("...----"));
        QVERIFY(shown(game.lblLetter(11)) && game.lblLetter(11)->isEnabled());
        game.cmdDifficulty_Click();
        guess(game, QStringLiteral("XYZQJ"));
        QCOMPARE(shownWord(game), QStringLiteral("ear----"));
        game.cmdTry_Again_Click();
        QCOMPARE(draws, 4);
        QCOMPARE(game.cmdDifficulty->text(), QStringLiteral("&HARD"));
        QCOMPARE(chances(game), chancesFor(5));
        QVERIFY(!shown(game.cmdTry_Again));
        guess(game, QStringLiteral("E"));
        QCOMPARE(shownWord(game), QStringLiteral("E..----"));
    }

    // The face tells the child the game is won, so the caption must not cover it.
    void aWonGameShowsTheHappyFaceAboveTheCaption() {
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        guess(game, QStringLiteral("L"));
        QCOMPARE(shownWord(game), QStringLiteral("..LL..."));
        QCOMPARE(chances(game), chancesFor(15));
        guess(game, QStringLiteral("BAON"));
        QCOMPARE(shownWord(game), QStringLiteral("BALLOON"));
        QVERIFY(showsFace(game, hangman::WonFace));

        CommandButton& button = *game.cmdTry_Again;
        const QImage withFace = button.grab().toImage();
        button.setPicture(Picture());
        const QImage bare = button.grab().toImage();
        button.setText(QString());
        const QRect faceArea = difference(withFace, bare);
        const QRect captionArea = difference(bare, button.grab().toImage());
        QVERIFY(faceArea.width() <= 32 && faceArea.height() <= 32 && faceArea.width() >= 24);
        QVERIFY(captionArea.isValid() && faceArea.bottom() < captionArea.top());
    }

    // Tiles stay in play after a lost game. A miss then takes nothing (there is no circle left to hide);
    // a hit fills its red slot, and completing the word runs the completion and out-of-chances steps.
    void aLostGameAndPlayAfterIt() {
        SoundLog sounds;
        auto& game = openWith("BALLOON", 2);
        guess(game, QStringLiteral("LQXZJ"));
        sounds.clear();
        guess(game, QStringLiteral("K"));
        QCOMPARE(sounds.calls,
                 (QList<SoundLog::Call>{{"\\K.wav", true}, {"\\snare.wav", true}, {"/uhoh.wav", false}}));
        QCOMPARE(chances(game), chancesFor(0));
        QCOMPARE(shownWord(game), QStringLiteral("baLLoon"));
        QVERIFY(face(hangman::LostFace) != face(hangman::WonFace));
        QVERIFY(showsFace(game, hangman::LostFace));
        sounds.clear();
        guess(game, QStringLiteral("H"));
        QCOMPARE(chances(game), chancesFor(0));
        QCOMPARE(sounds.names(), (QStringList{"\\H.wav", "\\snare.wav", "/uhoh.wav"}));
        sounds.clear();
        guess(game, QStringLiteral("BAON"));
        QCOMPARE(sounds.names(), (QStringList{"\\B.wav", "/uhoh.wav", "\\A.wav", "/uhoh.wav", "\\O.wav",
                                              "/uhoh.wav", "\\N.wav", "/allright.wav", "/uhoh.wav"}));
        QCOMPARE(shownWord(game), QStringLiteral("baLLoon"));
        QVERIFY(showsFace(game, hangman::LostFace));
    }

    // At each sound the window already shows what the click changed up to that step, and no more. K is a
    // miss after a completed word: it loses the game, but every slot is filled, so none turns red.
    void eachSoundPlaysOverWhatItsStepChanged() {
        frmHangman* game = nullptr;
        QStringList seen;
        SoundLog sounds([&](const SoundLog::Call& call) {
            const bool tileGone = !shown(game->lblLetter(game->GuessLetter.front().unicode() - u'A'));
            seen.append(QStringLiteral("%1 tile %2, %3, %4, again %5, %6")
                            .arg(call.name, tileGone ? "gone" : "there", shownWord(*game), chances(*game),
                                 shown(game->cmdTry_Again) ? "shown" : "hidden",
                                 call.wait ? "waited" : "not"));
        });
        game = &openWith("EAR", 2);
        guess(*game, QStringLiteral("QXJ"));
        seen.clear();
        guess(*game, QStringLiteral("EZARK"));
        QCOMPARE(seen, (QStringList{
                           "\\E.wav tile gone, ...----, 2 110000000000000, again hidden, waited",
                           "\\Z.wav tile gone, E..----, 2 110000000000000, again hidden, waited",
                           "\\snare.wav tile gone, E..----, 2 100000000000000, again hidden, waited",
                           "\\A.wav tile gone, E..----, 1 100000000000000, again hidden, waited",
                           "\\R.wav tile gone, EA.----, 1 100000000000000, again hidden, waited",
                           "/allright.wav tile gone, EAR----, 1 100000000000000, again hidden, waited",
                           "\\K.wav tile gone, EAR----, 1 100000000000000, again shown, waited",
                           "\\snare.wav tile gone, EAR----, 1 000000000000000, again shown, waited",
                           "/allright.wav tile gone, EAR----, 0 000000000000000, again shown, waited",
                           "/uhoh.wav tile gone, EAR----, 0 000000000000000, again shown, not",
                       }));
        QVERIFY(showsFace(*game, hangman::LostFace));
    }

    void keyboardPlay_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("played");
        const QStringList l{"\\L.wav"}, none;
        QTest::newRow("shifted") << Qt::Key_L << "L" << Qt::KeyboardModifiers(Qt::ShiftModifier) << l;
        // The text decides, not the key code: another layout may put the letter on another key.
        QTest::newRow("text of another key") << Qt::Key_Semicolon << "l" << Qt::KeyboardModifiers() << l;
        QTest::newRow("miss") << Qt::Key_Z << "z" << Qt::KeyboardModifiers()
                              << QStringList{"\\Z.wav", "\\snare.wav"};
        QTest::newRow("control") << Qt::Key_L << "l" << Qt::KeyboardModifiers(Qt::ControlModifier) << none;
        QTest::newRow("digit") << Qt::Key_1 << "1" << Qt::KeyboardModifiers() << none;
        QTest::newRow("beyond Z") << Qt::Key_Adiaeresis << "\u00e4" << Qt::KeyboardModifiers() << none;
    }
    void keyboardPlay() {
        QFETCH(Qt::Key, key);
        QFETCH(QString, text);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, played);
        SoundLog sounds;
        auto& game = openWith("BALLOON");
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        // The second press finds the tile gone and does nothing.
        for (int i = 0; i < 2; ++i)
            QTest::sendKeyEvent(QTest::Click, game.window()->windowHandle(), key, text, modifiers);
        QCOMPARE(sounds.names(), played);
    }

    // Access keys act within their own key event, so two typed faster than Qt's 100 ms animated click
    // both count; none of them guesses its letter.
    void accessKeysActAtOnce() {
        SoundLog sounds;
        auto& game = openWith("EAR");
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_E, Qt::AltModifier);
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_M, Qt::AltModifier);
        QCOMPARE(game.cmdDifficulty->text(), QStringLiteral("&HARD"));
        QCOMPARE(sounds.calls.size(), 0);
        QTest::mouseClick(game.lblLetter(4), Qt::LeftButton, {}, QPoint(12, 16));
        guess(game, QStringLiteral("AR"));
        QVERIFY(shown(game.cmdTry_Again));
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_T, Qt::AltModifier);
        QVERIFY(!shown(game.cmdTry_Again));
    }

    // Opened twice from the menu (whose own window, and start-up, it does not need): each time the
    // hourglass is gone, the level is easy whatever the first visit chose, and the stop sign closes it.
    void theMainMenuOpensItAtEasyAndTheStopSignClosesIt() {
        auto& menu = Forms::get<frmMain>();
        auto& game = Forms::get<frmHangman>();
        game.setRandomSource([] { return rFor("EAR"); });
        QStringList seen;
        const auto visit = [&] {
            const bool arrow = Screen::mousePointer() == Screen::MousePointer::Default;
            seen.append((arrow ? "arrow " : "busy ") + game.cmdDifficulty->text());
            game.cmdDifficulty_Click();
            QTest::mouseClick(game.Image1, Qt::LeftButton, {}, QPoint(50, 50));
        };
        for (int i = 0; i < 2; ++i) {
            testsupport::whenShown(game, visit);
            menu.cmdHangman_Click();
            QVERIFY(!game.isLoaded());
        }
        QCOMPARE(seen, (QStringList{"arrow &EASY", "arrow &EASY"}));
    }
};

QTEST_MAIN(HangmanTest)
#include "tst_hangman.moc"
