// Hangman's window played with a chosen word: what it shows at each sound, the levels, the keys and the
// main menu.
#include "app/frmMain.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "hangman/frmHangman.h"
#include "testsupport.h"
#include "words/chosen.h"

#include <map>
#include <QTemporaryDir>
#include <QTest>

using namespace hangman;
using namespace Qt::StringLiterals;
using testsupport::SoundLog;

namespace {
// The window, drawing these words in turn and the last one ever after.
frmHangman& openWith(QStringList words) {
    auto& game = Forms::get<frmHangman>();
    game.setRandomSource([words]() mutable {
        const auto word = (words.size() > 1 ? words.takeFirst() : words.first()).toStdString();
        const auto index = std::find(HangmanWords.begin(), HangmanWords.end(), word) - HangmanWords.begin();
        return float((double(index) + 0.5) / WordCount);
    });
    game.show();
    return game;
}

// The level, the count, the circles shown (1) and hidden (0); each word slot hidden (-), empty (.), or its
// letter in capitals when yellow, small when red; the face on Try Again; the tiles hidden, and in small
// letters any shown but disabled.
QString state(const frmHangman& game) {
    QString circles, word, gone = u" -"_s;
    for (int i = 0; i < MostChances; ++i)
        circles += game.ImgCircle(i)->isHidden() ? u'0' : u'1';
    for (int i = 0; i < LongestWord; ++i) {
        const forms::Label& slot = *game.lbWord(i);
        const QColor colour = slot.foreColor();
        const QString letter = colour == Qt::red      ? slot.caption().toLower()
                               : colour == Qt::yellow ? slot.caption()
                                                      : "?";
        word += slot.isHidden() ? u"-"_s : slot.caption().isEmpty() ? u"."_s : letter;
    }
    for (int i = 0; i < LetterCount; ++i)
        gone += game.lblLetter(i)->isHidden()    ? QString(letterAt(i))
                : game.lblLetter(i)->isEnabled() ? ""
                                                 : QString(letterAt(i).toLower());
    const QImage face = game.cmdTry_Again->picture().natural().toImage();
    const char* shown = game.cmdTry_Again->isHidden()                              ? ""
                        : face == forms::LoadPicture(WonFace).natural().toImage()  ? " won"
                        : face == forms::LoadPicture(LostFace).natural().toImage() ? " lost"
                                                                                   : " ?";
    return QStringList{game.cmdDifficulty->text(), game.lblCount->caption(), circles, word}.join(u' ') +
           shown + gone;
}

// Clicks a letter's tile, "+" the level button or "*" Try Again; returns what the window shows then.
QString play(frmHangman& game, const QString& clicks) {
    for (const QChar c : clicks)
        c == u'+'   ? game.cmdDifficulty_Click()
        : c == u'*' ? game.cmdTry_Again_Click()
                    : game.lblLetter_Click(c.unicode() - u'A');
    return state(game);
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

    // Each level click starts a new game with a new word and every tile back; Try Again keeps the level. A
    // lost game shows in red what was still covered, and a guess after it still plays its sounds. Closed by
    // the stop sign, the window opens from the menu at easy again, the hourglass gone.
    void levelsAndNewGames() {
        SoundLog sounds;
        auto& game = openWith({"BALLOON", "EAR", "EAR", "BEAR", "EAR"});
        QCOMPARE(play(game, u"LZ"_s), u"&EASY 14 111111111111110 ..LL... -LZ"_s);
        QCOMPARE(play(game, u"+"_s), u"&MEDIUM 10 111111111100000 ...---- -"_s);
        QCOMPARE(play(game, u"+XYZQJ"_s), u"&HARD 0 000000000000000 ear---- lost -JQXYZ"_s);
        sounds.clear();
        play(game, u"KE"_s);
        QCOMPARE(sounds.names(),
                 (QStringList{"\\K.wav", "\\snare.wav", "/uhoh.wav", "\\E.wav", "/uhoh.wav"}));
        QCOMPARE(play(game, u"*E"_s), u"&HARD 5 111110000000000 .E..--- -E"_s);
        QCOMPARE(play(game, u"+"_s), u"&EASY 15 111111111111111 ...---- -"_s);
        play(game, u"+"_s);
        QTest::mouseClick(game.Image1, Qt::LeftButton, {}, QPoint(50, 50));
        testsupport::settle();
        QVERIFY(!game.isLoaded());
        QString seen;
        testsupport::whenShown(game, [&] {
            const bool arrow = Screen::mousePointer() == Screen::MousePointer::Default;
            const bool sizable = game.window()->minimumSize() != game.window()->maximumSize();
            seen = game.window()->windowTitle() + (sizable ? " sizable " : " ") + (arrow ? "" : "busy ") +
                   state(game);
            game.Image1_Click();
        });
        Forms::get<frmMain>().cmdHangman_Click();
        QCOMPARE(seen, u"Hangman sizable &EASY 15 111111111111111 ...---- -"_s);
    }

    // At each sound the window already shows what the key changed up to that step, and no more. A letter
    // plays by the text its key types, whatever the key (another layout may put it elsewhere), and once.
    // K is a miss after a completed word: it loses the game, but every slot is filled, so none turns red.
    void eachSoundPlaysOverWhatItsStepChanged() {
        frmHangman* game = nullptr;
        QStringList seen;
        SoundLog sounds([&](const SoundLog::Call& call) {
            seen << call.name + (call.wait ? " waited " : " not ") + state(*game);
        });
        game = &openWith({"EAR"});
        QVERIFY(QTest::qWaitForWindowActive(game->window()));
        play(*game, u"++QXJ"_s);
        seen.clear();
        QWindow* window = game->window()->windowHandle();
        QTest::keyClick(window, Qt::Key_E, Qt::ShiftModifier);
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_Semicolon, u"z"_s, {});
        QTest::keyClick(window, 'o', Qt::ControlModifier); // Ctrl belongs to the access keys
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_Adiaeresis, u"\u00e4"_s, {});
        for (const char key : std::string_view("1aark")) // the second A finds its tile gone
            QTest::keyClick(window, key);
        QCOMPARE(state(*game), u"&HARD 0 000000000000000 EAR---- lost -AEJKQRXZ"_s);
        QCOMPARE(seen, (QStringList{
                           "\\E.wav waited &HARD 2 110000000000000 ...---- -EJQX",
                           "\\Z.wav waited &HARD 2 110000000000000 E..---- -EJQXZ",
                           "\\snare.wav waited &HARD 2 100000000000000 E..---- -EJQXZ",
                           "\\A.wav waited &HARD 1 100000000000000 E..---- -AEJQXZ",
                           "\\R.wav waited &HARD 1 100000000000000 EA.---- -AEJQRXZ",
                           "/allright.wav waited &HARD 1 100000000000000 EAR---- -AEJQRXZ",
                           "\\K.wav waited &HARD 1 100000000000000 EAR---- won -AEJKQRXZ",
                           "\\snare.wav waited &HARD 1 000000000000000 EAR---- won -AEJKQRXZ",
                           "/allright.wav waited &HARD 0 000000000000000 EAR---- won -AEJKQRXZ",
                           "/uhoh.wav not &HARD 0 000000000000000 EAR---- won -AEJKQRXZ",
                       }));
    }

    // The face tells the child the game is won, so the caption must not cover it.
    void aWonGameShowsTheHappyFaceAboveTheCaption() {
        SoundLog sounds;
        auto& game = openWith({"EAR"});
        play(game, u"EAR"_s);
        forms::CommandButton& button = *game.cmdTry_Again;
        const QImage withFace = button.grab().toImage();
        button.setPicture(forms::Picture());
        const QImage bare = button.grab().toImage();
        button.setText(QString());
        const QRect faceArea = difference(withFace, bare);
        const QRect captionArea = difference(bare, button.grab().toImage());
        QVERIFY(faceArea.width() <= 32 && faceArea.height() <= 32 && faceArea.width() >= 24);
        QVERIFY(captionArea.isValid() && faceArea.bottom() < captionArea.top());
    }

    // Access keys act within their own key event, so two typed faster than Qt's 100 ms animated click
    // both count; none of them guesses its letter. Space and Enter, after a click or an access key, never
    // end the game in progress for another level.
    void accessKeysActAtOnce() {
        SoundLog sounds;
        auto& game = openWith({"EAR"});
        QVERIFY(QTest::qWaitForWindowActive(game.window()));
        QWindow* window = game.window()->windowHandle();
        QTest::mouseClick(game.cmdDifficulty, Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_Space);
        QTest::keyClick(window, Qt::Key_M, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_H, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_Return);
        QTest::keyClick(window, Qt::Key_Space);
        QCOMPARE(game.cmdDifficulty->text(), u"&EASY"_s);
        QCOMPARE(sounds.calls.size(), 0);
        QTest::mouseClick(game.lblLetter(4), Qt::LeftButton, {}, QPoint(12, 16));
        play(game, u"AR"_s);
        QVERIFY(!game.cmdTry_Again->isHidden());
        QTest::keyClick(game.window()->windowHandle(), Qt::Key_T, Qt::AltModifier);
        QVERIFY(game.cmdTry_Again->isHidden());
    }

    // A chosen list plays in its language: German tiles (Ä after A), a word with Ä won by its tiles and a
    // typed ä, its letters named and its hint told in German; in French a typed é is E's tile and finds
    // every E, accented or not. The next opening after a new choice takes it.
    void aChosenListPlaysInItsLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("tile"); // the tile after A
        QTest::addColumn<QStringList>("said");
        QTest::newRow("de") << u"de"_s << u"Bär"_s << u"bär"_s << u"Ä"_s
                            << QStringList{u"say de Er sagt nichts."_s, u"say de B"_s, u"say de Ä"_s,
                                           u"say de R"_s, u"/allright.wav"_s};
        QTest::newRow("fr") << u"fr"_s << u"été"_s << u"ét"_s << u"B"_s
                            << QStringList{u"say fr Er sagt nichts."_s, u"say fr E"_s, u"say fr T"_s,
                                           u"/allright.wav"_s};
    }
    void aChosenListPlaysInItsLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, word);
        QTemporaryDir folder;
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        const auto restore = qScopeGuard([] { words::choose({}); });
        words::choose({language,
                       {testsupport::writeWordList(folder.filePath(u"list.kvtml"_s), language,
                                                   {word + u"|Er sagt nichts."_s})}});
        SoundLog sounds;
        auto& game = Forms::get<frmHangman>();
        game.setRandomSource([] { return 0.0f; });
        game.show();
        QTEST(game.lblLetter(1)->caption(), "tile");
        game.cmdHint_Click();
        QCOMPARE(game.lblHint->caption(), u"Er sagt nichts."_s);
        QFETCH(QString, keys);
        for (const QChar key : keys)
            QTest::sendKeyEvent(QTest::Click, game.window()->windowHandle(), Qt::Key_unknown, key,
                                Qt::NoModifier);
        QVERIFY(!game.cmdTry_Again->isHidden());
        QTEST(sounds.names(), "said");
    }
};

QTEST_MAIN(HangmanTest)
#include "tst_hangman.moc"
