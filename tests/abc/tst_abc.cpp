// The letter explorer: its table of 26 letters and their lookups and media names, and the window driven
// through its handlers: letters typed or clicked, the picture's one click per arming, the big letters,
// the stop sign, and the two members that outlive a close.
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

using testsupport::SoundLog;

namespace {
const QColor Magenta(255, 0, 255);
const QColor LightBlue(0x80, 0x80, 0xFF);
const QColor Red(255, 0, 0);

// Where a shown picture can be clicked: inside the smallest picture, and inside the empty layout only.
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

// The pointer at the moment a window is hidden, which is when unloading it takes effect on the screen.
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

    // ---- The letter table ------------------------------------------------------------------------------

    void table_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("wordSound");
        QTest::addColumn<QString>("letterSound");
        QTest::addColumn<QString>("bigLetterSound");
        const auto row = [](const char* letter, const char* picture, const char* caption, const char* word,
                            const char* sound, const char* big) {
            QTest::newRow(letter) << QString::fromLatin1(letter) << QString::fromLatin1(picture)
                                  << QString::fromLatin1(caption) << QString::fromLatin1(word)
                                  << QString::fromLatin1(sound) << QString::fromLatin1(big);
        };
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
        QFETCH(QString, letter);
        QFETCH(QString, picture);
        QFETCH(QString, caption);
        QFETCH(QString, wordSound);
        QFETCH(QString, letterSound);
        QFETCH(QString, bigLetterSound);
        const int index = letter.front().unicode() - 'A';
        const abc::LetterRow& row = abc::LetterTable.at(std::size_t(index));
        QCOMPARE(QString(QLatin1Char(row.letter)), letter);
        QCOMPARE(QString(row.picture), picture);
        QCOMPARE(QString(row.caption), caption);
        QCOMPARE(QString(row.wordSound), wordSound);
        QCOMPARE(QString(row.letterSound), letterSound);

        QCOMPARE(abc::findByLetter(letter), &row);
        QCOMPARE(abc::findByLetter(letter.toLower()), &row);
        QCOMPARE(abc::findByPicture(picture), &row);
        QCOMPARE(abc::pictureName(row), QLatin1Char('\\') + picture);
        QCOMPARE(abc::wordSoundName(row), wordSound);
        QCOMPARE(abc::letterSoundName(row), letterSound);
        QCOMPARE(abc::bigLetterSoundName(picture), bigLetterSound);
    }

    void otherTextsSelectNoLetter_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("two letters") << QStringLiteral("Aa");
        QTest::newRow("space first") << QStringLiteral(" a");
        QTest::newRow("digit") << QStringLiteral("1");
        QTest::newRow("empty") << QString();
        QTest::newRow("accented small") << QStringLiteral("\u00E1");
        // Letters of other alphabets whose case mapping lands on A to Z.
        QTest::newRow("dotless i") << QStringLiteral("\u0131");
        QTest::newRow("long s") << QStringLiteral("\u017F");
        QTest::newRow("before A") << QStringLiteral("@");
        QTest::newRow("after Z") << QStringLiteral("[");
        QTest::newRow("before a") << QStringLiteral("`");
        QTest::newRow("after z") << QStringLiteral("{");
    }

    void otherTextsSelectNoLetter() {
        QFETCH(QString, text);
        QCOMPARE(abc::findByLetter(text), nullptr);
    }

    void otherNamesSelectNoPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("other case") << QStringLiteral("Apple.gif");
        QTest::newRow("small x-ray") << QStringLiteral("x-ray.gif");
        QTest::newRow("with separator") << QStringLiteral("\\apple.gif");
    }

    void otherNamesSelectNoPicture() {
        QFETCH(QString, name);
        QCOMPARE(abc::findByPicture(name), nullptr);
    }

    void bigLetterBeforeAnyLetterNamesOnlyTheExtension() {
        QCOMPARE(abc::bigLetterSoundName(QString()), QStringLiteral("\\.wav"));
    }

    void everyMediaNameIsFound() {
        QStringList names = abc::mediaFiles();
        // 26 pictures, 26 word sounds, 26 letter sounds and the capital X, Y and Z of the big letters.
        QCOMPARE(names.size(), 81);
        QCOMPARE(names.removeDuplicates(), 0);
        QVERIFY(names.contains(QStringLiteral("\\X.wav")));
        QVERIFY(names.contains(QStringLiteral("\\kite2.jpg")));
        QVERIFY(!names.contains(QStringLiteral("\\.wav")));
        for (const QString& name : names)
            QVERIFY2(!MediaFolder::resolve(Global::AppPath() + name).isEmpty(), qPrintable(name));
        QCOMPARE(MediaFolder::resolve(Global::AppPath() + QStringLiteral("\\X.wav")),
                 MediaFolder::resolve(Global::AppPath() + QStringLiteral("\\x.wav")));
    }

    // ---- The window as designed ------------------------------------------------------------------------

    void windowAsDesigned() {
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        auto& abc = Forms::get<frmABC>();
        abc.load();
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
        QWidget* window = abc.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Wordpot"));
        QCOMPARE(abc.clientSize(), QSize(646, 496));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(abc.client()->grab().toImage().pixelColor(630, 250), QColor(Qt::white));
        QCOMPARE(abc.Timer1->interval(), 300);
        QCOMPARE(abc.Timer2->interval(), 1000);
        QVERIFY(abc.Timer1->isEnabled());
        QVERIFY(abc.Timer2->isEnabled());
    }

    void controlsAsDesigned_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Text1") << "Text1" << QRect(296, 56, 25, 25);
        QTest::newRow("Image2") << "Image2" << QRect(48, 192, 100, 100);
        QTest::newRow("Image1") << "Image1" << QRect(208, 128, 209, 209);
        QTest::newRow("Label2") << "Label2" << QRect(232, 344, 169, 105);
        QTest::newRow("Label1(0)") << "Label1(0)" << QRect(16, 40, 169, 145);
        QTest::newRow("Label1(1)") << "Label1(1)" << QRect(456, 32, 169, 145);
        QTest::newRow("Label1(2)") << "Label1(2)" << QRect(8, 328, 169, 137);
        QTest::newRow("Label1(3)") << "Label1(3)" << QRect(448, 336, 169, 145);
        QTest::newRow("Label1(4)") << "Label1(4)" << QRect(24, 48, 177, 145);
        QTest::newRow("Label1(5)") << "Label1(5)" << QRect(464, 40, 177, 145);
        QTest::newRow("Label1(6)") << "Label1(6)" << QRect(16, 336, 177, 137);
        QTest::newRow("Label1(7)") << "Label1(7)" << QRect(456, 344, 177, 145);
    }

    void controlsAsDesigned() {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        auto& abc = Forms::get<frmABC>();
        abc.load();
        QMap<QString, QWidget*> controls{
            {"Text1", abc.Text1}, {"Image2", abc.Image2}, {"Image1", abc.Image1}, {"Label2", abc.Label2}};
        for (int i = 0; i < abc.Label1.count(); ++i)
            controls.insert(QStringLiteral("Label1(%1)").arg(i), abc.Label1(i));
        QVERIFY(controls.contains(control));
        QCOMPARE(controls.value(control)->geometry(), geometry);
    }

    void tilesAsDesigned() {
        auto& abc = Forms::get<frmABC>();
        abc.load();
        QCOMPARE(abc.lblabc.count(), 26);
        const QImage client = abc.client()->grab().toImage();
        for (int i = 0; i < abc.lblabc.count(); ++i) {
            const Label* tile = abc.lblabc(i);
            QCOMPARE(tile->geometry(), QRect(8 + 24 * i, 0, 25, 33));
            QCOMPARE(tile->caption(), QString(QChar('A' + i)));
            QCOMPARE(tile->font().pixelSize(), 24);
            QVERIFY(tile->font().bold());
            QCOMPARE(tile->foreColor(), QColor(Qt::black));
            QVERIFY(!tile->isTransparent());
            // Its own magenta at the left edge, where the letter does not reach.
            QCOMPARE(client.pixelColor(tile->x() + 1, 30), Magenta);
        }
    }

    void textsAsDesigned() {
        auto& abc = Forms::get<frmABC>();
        abc.load();
        QVERIFY(abc.Text1->text().isEmpty());
        QCOMPARE(abc.Text1->maxLength(), 1);
        QCOMPARE(abc.Text1->font().pixelSize(), 13);
        QVERIFY(abc.Text1->font().bold());
        QVERIFY(abc.Label2->isTransparent());
        QVERIFY(abc.Label2->caption().isEmpty());
        QCOMPARE(abc.Label2->font().pixelSize(), 37);
        QVERIFY(abc.Label2->font().bold());
        QCOMPARE(abc.Label1.count(), 8);
        for (int i = 0; i < abc.Label1.count(); ++i) {
            const Label* big = abc.Label1(i);
            QVERIFY(big->isTransparent());
            QVERIFY(big->caption().isEmpty());
            QCOMPARE(big->font().pixelSize(), 96);
            QVERIFY(big->font().bold());
            QCOMPARE(big->foreColor(), i < 4 ? LightBlue : Red);
        }
        QVERIFY(abc.Image1->picture().isNull());
        QCOMPARE(abc.Image2->picture().natural().size(), QSize(100, 100));
    }

    void stackingOrderBackToFront() {
        auto& abc = Forms::get<frmABC>();
        abc.load();
        QList<QWidget*> expected;
        for (int i = 0; i < 4; ++i)
            expected.append(abc.Label1(i));
        expected.append(abc.Image1);
        for (int i = 4; i < 8; ++i)
            expected.append(abc.Label1(i));
        expected << abc.Label2 << abc.Image2;
        for (int i = 0; i < abc.lblabc.count(); ++i)
            expected.append(abc.lblabc(i));
        expected.append(abc.Text1);
        QList<QWidget*> actual;
        for (QObject* child : abc.client()->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child))
                actual.append(widget);
        }
        QCOMPARE(actual, expected);
    }

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
        QVERIFY2(
            label.contains(text),
            qPrintable(QStringLiteral("%1 needs %2 x %3").arg(caption).arg(text.width()).arg(text.height())));
        QCOMPARE(qRound(double(text.height() + metrics.leading()) / metrics.lineSpacing()), lines);
    }

    void onlyTheInputBoxTakesTheFocus() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.show();
        QVERIFY(QTest::qWaitForWindowActive(abc.window()));
        for (QWidget* widget : abc.client()->findChildren<QWidget*>()) {
            if (widget != abc.Text1)
                QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(QApplication::focusWidget(), abc.Text1.data());
        QTest::mouseClick(abc.lblabc(3), Qt::LeftButton);
        QCOMPARE(abc.Text1->text(), QStringLiteral("D"));
        abc.Timer1_Timer();
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, InsidePicture);
        QTest::mouseClick(abc.Label1(7), Qt::LeftButton);
        QTest::mouseClick(abc.Label2, Qt::LeftButton);
        QTest::keyClick(abc.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), abc.Text1.data());
        QCOMPARE(sounds.names(), QStringList({"\\d.wav", "\\d.wav"}));
    }

    // ---- The handlers ----------------------------------------------------------------------------------

    void bigLettersReadTheCapitalAndSmallPair_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pair");
        QTest::newRow("m") << "m"
                           << "Mm";
        QTest::newRow("M") << "M"
                           << "Mm";
        QTest::newRow("a") << "a"
                           << "Aa";
        QTest::newRow("Z") << "Z"
                           << "Zz";
    }

    void bigLettersReadTheCapitalAndSmallPair() {
        QFETCH(QString, typed);
        QFETCH(QString, pair);
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        QTest::keyClicks(abc.Text1, typed);
        QCOMPARE(bigLetters(abc), QStringList(8, pair));
        QCOMPARE(sounds.calls,
                 QList<SoundLog::Call>({{QLatin1Char('\\') + typed.toLower() + ".wav", false}}));
    }

    void typingALetterAgainRepeatsEverything() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        QTest::keyClicks(abc.Text1, QStringLiteral("b"));
        QCOMPARE(bigLetters(abc), QStringList(8, "Bb"));
        QCOMPARE(abc.CurrentPicture, QStringLiteral("ball2.gif"));
        QVERIFY(!abc.Image1->picture().isNull());
        QCOMPARE(abc.Image1->size(), abc.Image1->picture().natural().size());
        QCOMPARE(abc.Image1->pos(), QPoint(208, 128));
        const qint64 first = pictureKey(abc);

        abc.Timer1_Timer();
        QVERIFY(abc.Text1->text().isEmpty());
        QCOMPARE(bigLetters(abc), QStringList(8, "Bb"));
        abc.Timer2_Timer();
        abc.Image1_Click();
        QCOMPARE(abc.Label2->caption(), QStringLiteral(" Ball   "));

        QTest::keyClicks(abc.Text1, QStringLiteral("B"));
        QVERIFY(abc.Label2->caption().isEmpty());
        QCOMPARE(bigLetters(abc), QStringList(8, "Bb"));
        QVERIFY(pictureKey(abc) != first);
        QCOMPARE(sounds.names(), QStringList({"\\b.wav", "\\ball.wav", "\\b.wav"}));
        QVERIFY(std::none_of(sounds.calls.begin(), sounds.calls.end(), [](const auto& c) { return c.wait; }));
    }

    void aSecondKeyBeforeTheEmptyingIsNotAccepted() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        QTest::keyClicks(abc.Text1, QStringLiteral("ab"));
        QCOMPARE(abc.Text1->text(), QStringLiteral("a"));
        QCOMPARE(bigLetters(abc), QStringList(8, "Aa"));
        QCOMPARE(sounds.names(), QStringList({"\\a.wav"}));
    }

    void sameTileTwiceWithinATickDoesNothingTheSecondTime() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        abc.lblabc_Click(2);
        QCOMPARE(abc.Text1->text(), QStringLiteral("C"));
        abc.Timer2_Timer();
        abc.Image1_Click();
        const qint64 shown = pictureKey(abc);
        abc.lblabc_Click(2);
        QCOMPARE(abc.Label2->caption(), QStringLiteral("  Cat   "));
        QCOMPARE(pictureKey(abc), shown);
        QCOMPARE(sounds.names(), QStringList({"\\c.wav", "\\cat.wav"}));

        abc.Timer1_Timer();
        abc.lblabc_Click(2);
        QVERIFY(pictureKey(abc) != shown);
        QCOMPARE(sounds.names(), QStringList({"\\c.wav", "\\cat.wav", "\\c.wav"}));
    }

    void emptyingAnEmptyBoxKeepsTheWord() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        abc.lblabc_Click(19);
        abc.Timer1_Timer();
        abc.Timer2_Timer();
        abc.Image1_Click();
        QCOMPARE(abc.Label2->caption(), QStringLiteral("Turtle"));
        abc.Timer1_Timer();
        abc.Timer1_Timer();
        QCOMPARE(abc.Label2->caption(), QStringLiteral("Turtle"));
        QCOMPARE(sounds.names(), QStringList({"\\t.wav", "\\Turtle.wav"}));
    }

    void pictureAnswersOneClickPerArming() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        QVERIFY(!abc.PictureClickArmed); // the first opening in a run: nothing until Timer2 ticks
        abc.lblabc_Click(0);
        abc.Timer1_Timer();
        abc.Image1_Click();
        QVERIFY(abc.Label2->caption().isEmpty());

        abc.Timer2_Timer();
        abc.Image1_Click();
        QCOMPARE(abc.Label2->caption(), QStringLiteral("  Apple     "));
        QVERIFY(!abc.PictureClickArmed);
        abc.Image1_Click();
        QCOMPARE(sounds.names(), QStringList({"\\a.wav", "\\apple.wav"}));

        abc.Timer2_Timer();
        abc.Timer2_Timer();
        abc.Image1_Click();
        abc.Image1_Click();
        QCOMPARE(sounds.names(), QStringList({"\\a.wav", "\\apple.wav", "\\apple.wav"}));
    }

    void pictureClickWhileTheLetterStandsIsClearedByTheEmptying() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        abc.Timer2_Timer();
        abc.lblabc_Click(3);
        abc.Image1_Click();
        QCOMPARE(abc.Label2->caption(), QStringLiteral("  Dog   "));
        abc.Timer1_Timer();
        QVERIFY(abc.Label2->caption().isEmpty());
        QVERIFY(!abc.PictureClickArmed);
        QCOMPARE(bigLetters(abc), QStringList(8, "Dd"));
        QCOMPARE(sounds.names(), QStringList({"\\d.wav", "\\dog.wav"}));
    }

    void pictureClickBeforeAnyLetterUsesUpTheArming() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        abc.Timer2_Timer();
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, FarCornerOfEmptyLayout);
        QVERIFY(!abc.PictureClickArmed);
        QVERIFY(abc.Label2->caption().isEmpty());
        QVERIFY(sounds.calls.isEmpty());
    }

    void bigLetterSpeaksTheFirstCharacterOfThePicture_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sound");
        QTest::newRow("no letter yet") << ""
                                       << "\\.wav";
        QTest::newRow("a") << "a"
                           << "\\a.wav";
        QTest::newRow("K") << "K"
                           << "\\k.wav";
        QTest::newRow("x") << "x"
                           << "\\X.wav";
        QTest::newRow("X") << "X"
                           << "\\X.wav";
        QTest::newRow("y") << "y"
                           << "\\Y.wav";
        QTest::newRow("z") << "z"
                           << "\\Z.wav";
    }

    void bigLetterSpeaksTheFirstCharacterOfThePicture() {
        QFETCH(QString, typed);
        QFETCH(QString, sound);
        auto& abc = Forms::get<frmABC>();
        abc.load();
        {
            SoundLog quiet;
            QTest::keyClicks(abc.Text1, typed);
            abc.Timer1_Timer();
            abc.Timer2_Timer();
            abc.Image1_Click();
        }
        const QStringList letters = bigLetters(abc);
        const QString word = abc.Label2->caption();
        SoundLog sounds;
        for (int i = 0; i < abc.Label1.count(); ++i)
            abc.Label1_Click(i);
        QCOMPARE(sounds.calls, QList<SoundLog::Call>(8, {sound, false}));
        QCOMPARE(bigLetters(abc), letters);
        QCOMPARE(abc.Label2->caption(), word);
    }

    void aDigitWhileMShowsClearsOnlyTheWord() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        QTest::keyClicks(abc.Text1, QStringLiteral("m"));
        abc.Timer1_Timer();
        abc.Timer2_Timer();
        abc.Image1_Click();
        QCOMPARE(abc.Label2->caption(), QStringLiteral("Mouse"));
        const qint64 mouse = pictureKey(abc);
        QTest::keyClicks(abc.Text1, QStringLiteral("5"));
        QVERIFY(abc.Label2->caption().isEmpty());
        QCOMPARE(bigLetters(abc), QStringList(8, "Mm"));
        QCOMPARE(abc.CurrentPicture, QStringLiteral("mouse2.gif"));
        QCOMPARE(pictureKey(abc), mouse);
        QCOMPARE(sounds.names(), QStringList({"\\m.wav", "\\mouse.wav"}));
    }

    void reopeningAfterZShowsAnEmptyWindowThatStillKnowsZebra() {
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.load();
        QTest::keyClicks(abc.Text1, QStringLiteral("z"));
        abc.Timer1_Timer();
        abc.Timer2_Timer();
        abc.unload();
        testsupport::settle();

        abc.load();
        QVERIFY(abc.Text1->text().isEmpty());
        QVERIFY(abc.Label2->caption().isEmpty());
        QCOMPARE(bigLetters(abc), QStringList(8, QString()));
        QVERIFY(abc.Image1->picture().isNull());
        QCOMPARE(abc.Image1->size(), QSize(209, 209));
        QCOMPARE(abc.CurrentPicture, QStringLiteral("Zebra.gif"));
        QVERIFY(abc.PictureClickArmed);
        // The empty layout takes the click, even far from where a picture would have been.
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, FarCornerOfEmptyLayout);
        QCOMPARE(abc.Label2->caption(), QStringLiteral("Zebra"));
        QTest::mouseClick(abc.Label1(0), Qt::LeftButton);
        QCOMPARE(sounds.names(), QStringList({"\\z.wav", "\\zebra.wav", "\\Z.wav"}));
    }

    void stopSignClosesUnderTheHourglass() {
        auto& abc = Forms::get<frmABC>();
        std::optional<Screen::MousePointer> whileClosing;
        bool stillLoaded = true;
        testsupport::whenShown(abc, [&] {
            PointerAtHide watch(abc.window());
            QTest::mouseClick(abc.Image2, Qt::LeftButton);
            whileClosing = watch.pointer;
            stillLoaded = abc.isLoaded();
        });
        abc.showModal();
        QCOMPARE(whileClosing, Screen::MousePointer::Hourglass);
        QVERIFY(!stillLoaded);
        QCOMPARE(Screen::mousePointer(), Screen::MousePointer::Default);
    }

    void closingStopsBothTimers() {
        auto& abc = Forms::get<frmABC>();
        abc.load();
        const QPointer<Timer> timer1 = abc.Timer1;
        const QPointer<Timer> timer2 = abc.Timer2;
        abc.unload();
        QVERIFY(timer1.isNull() || !timer1->isEnabled());
        QVERIFY(timer2.isNull() || !timer2->isEnabled());
    }

    // The timers, keys and clicks wired together, on the real clock.
    void realTimersEmptyTheBoxAndArmThePicture() {
        QElapsedTimer clock;
        clock.start();
        auto& abc = Forms::get<frmABC>();
        SoundLog sounds;
        abc.show();
        QVERIFY(QTest::qWaitForWindowActive(abc.window()));
        QTest::keyClick(abc.window()->windowHandle(), 'g');
        QCOMPARE(bigLetters(abc), QStringList(8, "Gg"));
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, InsidePicture);
        const bool beforeFirstTick = clock.elapsed() < 900;
        QTRY_VERIFY_WITH_TIMEOUT(abc.Text1->text().isEmpty(), 1000);
        QCOMPARE(bigLetters(abc), QStringList(8, "Gg"));
        if (beforeFirstTick)
            QVERIFY(abc.Label2->caption().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(abc.PictureClickArmed, 2000);
        QTest::mouseClick(abc.Image1, Qt::LeftButton, {}, InsidePicture);
        QCOMPARE(abc.Label2->caption(), QStringLiteral("Giraffe"));
        QVERIFY(sounds.names().endsWith(QStringLiteral("\\giraffe.wav")));
        abc.unload();
    }
};

QTEST_MAIN(LetterExplorerTest)
#include "tst_abc.moc"
