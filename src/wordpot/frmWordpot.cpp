#include "wordpot/frmWordpot.h"

#include "artwork/lettertile.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/fonts.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/global.h"
#include "wordpot/listgame.h"
#include "wordpot/spellinglayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>

using namespace forms;
using namespace wordpot::layout;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Wordpot"),
    .clientTwips = ClientTwips,
    .border = BorderStyle::FixedSingle,
    .backColor = Qt::white,
};
constexpr QRect HintLabel = rectTw(9240, 3120, 2295, 735);
constexpr QPoint DividerTop = pointTw(9000, 0);
constexpr QPoint DividerBottom = pointTw(9000, 7560);
constexpr QPoint AnswerRuleLeft = pointTw(9000, 4080);
constexpr QPoint AnswerRuleRight = pointTw(11880, 4080);
constexpr int LineWidthPx = 3;
constexpr QRect AnswerBox = rectTw(9360, 4200, 2175, 735);
constexpr QRect EraseButton = rectTw(10080, 5040, 855, 855);
constexpr double LargePoints = 24;
constexpr int HintMs = 2000;
// A list's long word is shown smaller, but no smaller than this.
constexpr double SmallestPoints = 10;

QString joined(const words::WordList& list, const QList<int>& tiles) {
    QString text;
    for (const int tile : tiles)
        text += list.alphabet.letters()[tile];
    return text;
}
} // namespace

frmWordpot::frmWordpot()
    : Form(Design) {}

void frmWordpot::chooseWords() {
    // A list is read when the window opens, not at start-up, and kept while the choice stays.
    m_list = words::chosenWords();
    m_playable.clear();
    if (m_list == nullptr)
        return;
    for (const int i : wordpot::spellingWords(*m_list)) {
        const QString problem = listPictureProblem(m_list->entries[i].picture);
        if (problem.isEmpty())
            m_playable.append(i);
        else
            qWarning("wordpot: \"%s\" is left out of the spelling game: its picture %s %s",
                     qPrintable(m_list->entries[i].text), qPrintable(m_list->entries[i].picture),
                     qPrintable(problem));
    }
    if (m_playable.isEmpty()) {
        qWarning("wordpot: the chosen words have none with a picture the spelling game can show; it plays "
                 "with its own");
        m_list = nullptr;
        return;
    }
    // A word without a recording is said by the speech service, which may take seconds to start.
    if (std::any_of(m_playable.begin(), m_playable.end(),
                    [&](int i) { return m_list->entries[i].sound.isEmpty(); }))
        Global::PrepareSpeech();
}

const words::Entry& frmWordpot::entry() const {
    return m_list->entries[m_playable[WordIndex - 1]];
}

QList<int> frmWordpot::tilesOf(const QString& text) const {
    QList<int> tiles;
    for (const words::Alphabet::Position& place :
         m_list->alphabet.positions(text).value_or(QList<words::Alphabet::Position>()))
        tiles.append(place.tile);
    return tiles;
}

void frmWordpot::build() {
    chooseWords();
    setBackgroundPicture(builtInPicture(QStringLiteral(":/pictures/background.jpg")).natural());

    img_Letters.clear();
    for (int index = 0; index < wordpot::SlotCount; ++index) {
        const wordpot::BoardSlot& slot = wordpot::Board[std::size_t(index)];
        auto* letter =
            new Image(client(), rectTw(slot.left, slot.top, wordpot::SlotSizeTwips, wordpot::SlotSizeTwips));
        connect(letter, &Image::clicked, this, [this, index] { img_Letters_Click(index); });
        img_Letters.append(letter);
    }

    Image1 = new Image(client(), WordPicture);
    Image1->setAccessibleName(QStringLiteral("Picture"));
    Label2 = new Label(client(), HintLabel);
    Label2->setFont(font(FontFace::ArialBlack, LargePoints, true));
    Label2->setAlignment(Qt::AlignHCenter);
    Label2->setTransparent(true);
    Line1 = new Line(client(), DividerTop, DividerBottom, LineWidthPx);
    Line2 = new Line(client(), AnswerRuleLeft, AnswerRuleRight, LineWidthPx);

    // Tab order follows creation: the answer box, erase, GUESS.
    txtWord = new TextBox(client(), AnswerBox);
    txtWord->setFont(font(FontFace::ArialBlack, LargePoints));
    // The answer is spelled only from the board (by click or key), never typed or pasted into the box.
    txtWord->setReadOnly(true);
    txtWord->setContextMenuPolicy(Qt::NoContextMenu);
    txtWord->setAccessibleName(QStringLiteral("Your word"));
    cmdErase = new CommandButton(client(), EraseButton);
    cmdErase->setGraphical(true);
    cmdErase->setPicture(builtInPicture(QStringLiteral(":/pictures/erase.gif")));
    cmdErase->setAccessibleName(QStringLiteral("Erase"));
    Command1 = new CommandButton(client(), StopButton);
    Command1->setGraphical(true);
    Command1->setBackColor(Qt::white);
    Command1->setPicture(builtInPicture(QStringLiteral(":/pictures/stop.gif")));
    Command1->setAccessibleName(QStringLiteral("Stop"));
    cmdGuess = new CommandButton(client(), GuessButton, QStringLiteral("&GUESS"));
    cmdGuess->setFont(font(FontFace::MsSansSerif, LargePoints, true));
    // A click leaves the focus on the answer, so Enter stays GUESS; a parent can still Tab to erase and
    // GUESS. The stop sign takes clicks only: no key a child hammers leaves the game.
    cmdErase->setFocusPolicy(Qt::TabFocus);
    cmdGuess->setFocusPolicy(Qt::TabFocus);
    Command1->setFocusPolicy(Qt::NoFocus);
    txtWord->setFocus();

    Timer1 = new Timer(client(), HintMs, false);

    connect(Image1, &Image::clicked, this, &frmWordpot::Image1_Click);
    connect(cmdErase, &CommandButton::clicked, this, &frmWordpot::cmdErase_Click);
    connect(Command1, &CommandButton::clicked, this, &frmWordpot::Command1_Click);
    connect(cmdGuess, &CommandButton::clicked, this, &frmWordpot::cmdGuess_Click);
    connect(Timer1, &Timer::timer, this, &frmWordpot::Timer1_Timer);
}

void frmWordpot::Form_Load() {
    Screen::setMousePointer(Screen::MousePointer::Default);
    Timer1->setEnabled(false);
    LastWordIndex = wordpot::NoWord;
    NewWord();
    cmdGuess->setEnabled(false);
    if (m_list != nullptr)
        return; // a list's board is made with each word
    for (int slot = 0; slot < wordpot::SlotCount; ++slot)
        BoardLetters[std::size_t(slot)] = QString(QLatin1Char(wordpot::Board[std::size_t(slot)].letter));
    LoadLetterPictures();
}

void frmWordpot::NewWord() {
    if (m_list == nullptr) {
        WordIndex = qint16(wordpot::drawWordIndex(LastWordIndex, m_random));
        CurrentWord = wordpot::word(WordIndex);
        LastWordIndex = WordIndex;
        Image1->setPicture(LoadPicture(wordpot::pictureFile(CurrentWord)));
        txtWord->setText(QString());
        return;
    }
    forms::Picture picture;
    for (;;) {
        WordIndex = qint16(1 + wordpot::drawListWord(LastWordIndex - 1, int(m_playable.size()), m_random));
        picture = LoadListPicture(entry().picture, WordPicture.size());
        // A picture whose header promised more than its data gives (a file cut short) is left out for the
        // rest of the visit, while another word is left to draw.
        if (!picture.isNull())
            break;
        m_playable.removeAt(WordIndex - 1);
        LastWordIndex = wordpot::NoWord;
        if (m_playable.isEmpty()) {
            qWarning(
                "wordpot: the chosen words have none with a picture the spelling game can show; it plays "
                "with its own");
            m_list = nullptr;
            for (int slot = 0; slot < wordpot::SlotCount; ++slot)
                BoardLetters[std::size_t(slot)] =
                    QString(QLatin1Char(wordpot::Board[std::size_t(slot)].letter));
            LoadLetterPictures();
            NewWord();
            return;
        }
    }
    m_tiles = tilesOf(entry().text);
    // Shown as the list writes it, in capitals; spelled with the tiles that find its letters.
    CurrentWord = m_list->alphabet.toUpper(entry().text);
    LastWordIndex = WordIndex;
    Image1->setPicture(picture);
    txtWord->setText(QString());
    fitWordFonts();
    const QStringList board = wordpot::boardFor(m_list->alphabet, m_tiles, m_random);
    for (int slot = 0; slot < wordpot::SlotCount; ++slot)
        BoardLetters[std::size_t(slot)] = board.value(slot);
    LoadLetterPictures();
}

void frmWordpot::LoadLetterPictures() {
    for (int slot = 0; slot < wordpot::SlotCount; ++slot) {
        const QString& letter = BoardLetters[std::size_t(slot)];
        const bool builtIn = letter.size() == 1 && wordpot::slotOf(letter.front()) >= 0;
        // The media folder holds the built-in board's letters; the others are drawn now, in their style.
        img_Letters(slot)->setPicture(
            builtIn || letter.isEmpty()
                ? LoadPicture(wordpot::pictureFile(letter))
                : Picture({QPixmap::fromImage(artwork::letterTile(
                      letter, pictureRatio(), font(FontFace::Arial, 1, true).family()))}));
        img_Letters(slot)->setAccessibleName(letter);
    }
}

void frmWordpot::fitWordFonts() {
    for (QWidget* shown : {static_cast<QWidget*>(txtWord.data()), static_cast<QWidget*>(Label2.data())}) {
        // The answer box's frame and margins take a few pixels of its width.
        const int room = shown->width() - 12;
        double points = LargePoints;
        QFont face = font(FontFace::ArialBlack, points, shown == Label2.data());
        while (points > SmallestPoints && QFontMetrics(face).horizontalAdvance(CurrentWord) > room)
            face = font(FontFace::ArialBlack, points -= 1, shown == Label2.data());
        shown->setFont(face);
    }
}

void frmWordpot::img_Letters_Click(int Index) {
    const QString& letter = BoardLetters[std::size_t(Index)];
    Label2->setCaption(QString());
    // The built-in recordings name A to Z in English; another language's letters are named in it.
    // (An English list's alphabet is A to Z.)
    if (m_list == nullptr || m_list->locale.language() == QLocale::English)
        Global::PlayWave(wordpot::soundFile(letter), Global::WaitForSound);
    else
        Global::Say(letter, m_list->locale, Global::WaitForSound);
    txtWord->setText(txtWord->text() + letter);
    updateGuess();
}

void frmWordpot::cmdErase_Click() {
    const QString answer = txtWord->text();
    if (m_list != nullptr && !answer.isEmpty())
        txtWord->setText(joined(*m_list, tilesOf(answer).mid(0, tilesOf(answer).size() - 1)));
    else if (!answer.isEmpty())
        txtWord->setText(answer.chopped(1));
    updateGuess();
}

void frmWordpot::cmdGuess_Click() {
    Label2->setCaption(QString());
    const bool right =
        m_list == nullptr ? txtWord->text().toUpper() == CurrentWord : tilesOf(txtWord->text()) == m_tiles;
    if (right) {
        Forms::get<frmHappyFace>().showModal();
        NewWord();
        cmdGuess->setEnabled(false);
    } else {
        Forms::get<frmSadface>().showModal();
    }
}

void frmWordpot::Image1_Click() {
    if (!Label2->caption().isEmpty())
        return;
    Label2->setCaption(CurrentWord);
    if (m_list == nullptr)
        Global::PlayWave(wordpot::soundFile(CurrentWord), true);
    else if (!entry().sound.isEmpty())
        Global::PlayFile(entry().sound, true);
    else
        Global::Say(entry().text, m_list->locale, true);
    Timer1->setEnabled(true);
}

void frmWordpot::Timer1_Timer() {
    Label2->setCaption(QString());
    Timer1->setEnabled(false);
}

void frmWordpot::Command1_Click() {
    unload();
}

void frmWordpot::updateGuess() {
    cmdGuess->setEnabled(m_list == nullptr ? txtWord->text().size() == CurrentWord.size()
                                           : tilesOf(txtWord->text()).size() == m_tiles.size());
}

bool frmWordpot::previewKey(QKeyEvent* event) {
    // Keys with Alt or Ctrl are Qt's: Alt+G is GUESS's access key.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Backspace:
        cmdErase_Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A button a parent reached with Tab answers Enter itself. A held Enter guesses once, or a wrong
        // answer would bring the sad face back again and again.
        if (qobject_cast<QAbstractButton*>(QApplication::focusWidget()) != nullptr)
            return false;
        if (cmdGuess->isEnabled() && !forms::isRepeat(event))
            cmdGuess_Click();
        return true;
    default:
        break;
    }
    // Letters by the text they produce, so any keyboard layout plays. A held key is one click, not many.
    const QString text = event->text();
    if (m_list != nullptr) {
        // A letter with a mark the language does not count as its own finds its letter's tile.
        const QList<int> typed = text.isEmpty() ? QList<int>() : tilesOf(text);
        if (typed.size() != 1 || typed.front() == words::Alphabet::NoTile)
            return false;
        const auto slot =
            std::find(BoardLetters.begin(), BoardLetters.end(), m_list->alphabet.letters()[typed.front()]);
        if (slot != BoardLetters.end() && !event->isAutoRepeat())
            img_Letters_Click(int(slot - BoardLetters.begin()));
        return true;
    }
    if (text.size() != 1 || !text.front().isLetter())
        return false;
    const int slot = wordpot::slotOf(text.front());
    if (slot >= 0 && !forms::isRepeat(event))
        img_Letters_Click(slot);
    return true;
}
