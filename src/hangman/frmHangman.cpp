#include "hangman/frmHangman.h"

#include "forms/fonts.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "hangman/hangmangame.h"
#include "media/global.h"

#include <array>
#include <QKeyEvent>

using namespace forms;
using namespace hangman;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Hangman"),
    .clientTwips = {9675, 7815},
    .border = BorderStyle::Sizable,
    .backColor = Qt::white,
    .minMaxButtons = true,
};

// The letter tiles stand in one row, each a little wider than its step, so neighbours overlap slightly.
constexpr int TileLeft = 120;
constexpr int TileStep = 360;
constexpr int TileTop = 120;
constexpr int TileWidth = 375;
constexpr int TileHeight = 495;

// The circles form three groups of five, each laid out like the five spots of a die.
constexpr int CirclesPerGroup = 5;
constexpr int CircleGroupLeft = 240;
constexpr int CircleGroupStep = 1800;
constexpr int CircleSize = 495;
constexpr std::array<QPoint, CirclesPerGroup> DieSpots{
    {{0, 1320}, {1200, 1320}, {0, 2520}, {1200, 2520}, {600, 1920}}};

constexpr int SlotCount = LongestWord;
constexpr int SlotLeft = 240;
constexpr int SlotStep = 1320;
constexpr int SlotTop = 4080;
constexpr int SlotWidth = 1215;
constexpr int SlotHeight = 1695;

constexpr QRect CountArea = rectTw(5640, 720, 3855, 3015);
constexpr QRect TryAgainButton = rectTw(120, 6240, 3495, 1335);
constexpr QRect DifficultyButton = rectTw(6000, 6240, 3495, 1335);
constexpr QRect StopSign = rectTw(4080, 6120, 1500, 1500);

constexpr quint32 TileColour = 0x00FF8080;
constexpr quint32 CountColour = 0x000000FF;
constexpr quint32 SlotColour = 0x00000000;
constexpr quint32 FoundColour = 0x0000FFFF;
constexpr quint32 RevealedColour = 0x000000FF;

constexpr QRect tileRect(int index) {
    return rectTw(TileLeft + TileStep * index, TileTop, TileWidth, TileHeight);
}

constexpr QRect circleRect(int index) {
    const QPoint spot = DieSpots.at(std::size_t(index % CirclesPerGroup));
    const int groupLeft = CircleGroupLeft + CircleGroupStep * (index / CirclesPerGroup);
    return rectTw(groupLeft + spot.x(), spot.y(), CircleSize, CircleSize);
}

constexpr QRect slotRect(int index) {
    return rectTw(SlotLeft + SlotStep * index, SlotTop, SlotWidth, SlotHeight);
}
} // namespace

frmHangman::frmHangman()
    : Form(Design) {}

void frmHangman::build() {
    lblLetter.clear();
    for (int i = 0; i < LetterCount; ++i) {
        auto* tile = new Label(client(), tileRect(i));
        tile->setCaption(letterAt(i));
        tile->setFont(font(FontFace::MsSansSerif, 18, true));
        tile->setBackColor(bgr(TileColour));
        tile->setAlignment(Qt::AlignHCenter);
        connect(tile, &Label::clicked, this, [this, i] { lblLetter_Click(i); });
        lblLetter.append(tile);
    }

    ImgCircle.clear();
    for (int i = 0; i < MostChances; ++i)
        ImgCircle.append(new Image(client(), circleRect(i)));

    lblCount = new Label(client(), CountArea);
    lblCount->setFont(font(FontFace::ArialBlack, 99.75, true));
    lblCount->setForeColor(bgr(CountColour));
    lblCount->setTransparent(true);
    lblCount->setAlignment(Qt::AlignHCenter);
    // The circles say the same as the count, and a screen reader passes over them; the count says what it is.
    lblCount->setSpokenCaption([](const QString& count) {
        return count == QLatin1String("1") ? QStringLiteral("1 chance left")
                                           : count + QStringLiteral(" chances left");
    });

    lbWord.clear();
    for (int i = 0; i < SlotCount; ++i) {
        auto* slot = new Label(client(), slotRect(i));
        slot->setFont(font(FontFace::TimesNewRoman, 72, true));
        slot->setBackColor(bgr(SlotColour));
        slot->setForeColor(bgr(FoundColour));
        slot->setAlignment(Qt::AlignHCenter);
        slot->setSpokenCaption(
            [](const QString& letter) { return letter.isEmpty() ? QStringLiteral("blank") : letter; });
        lbWord.append(slot);
    }

    cmdTry_Again = new CommandButton(client(), TryAgainButton, QStringLiteral("&Try Again"));
    cmdTry_Again->setGraphical(true);
    cmdTry_Again->setBackColor(Qt::white);
    cmdTry_Again->setFont(font(FontFace::ArialBlack, 24, true));

    cmdDifficulty = new CommandButton(client(), DifficultyButton);
    cmdDifficulty->setFont(font(FontFace::ArialBlack, 30, true));
    // The keyboard guesses letters: a child's Space or Enter must not end the game in progress for a new
    // one at another level, so the buttons answer only clicks and their access keys.
    cmdDifficulty->setFocusPolicy(Qt::NoFocus);
    cmdTry_Again->setFocusPolicy(Qt::NoFocus);

    Image1 = new Image(client(), StopSign);
    Image1->setPicture(builtInPicture(QStringLiteral(":/pictures/stop.gif")));
    Image1->setAccessibleName(QStringLiteral("Stop"));

    connect(cmdTry_Again, &CommandButton::clicked, this, &frmHangman::cmdTry_Again_Click);
    connect(cmdDifficulty, &CommandButton::clicked, this, &frmHangman::cmdDifficulty_Click);
    connect(Image1, &Image::clicked, this, &frmHangman::Image1_Click);
}

void frmHangman::Form_Load() {
    Screen::setMousePointer(Screen::MousePointer::Default);
    m_game = Game(); // every opening starts at the easy level
    showLevel();
    NewGame();
}

void frmHangman::cmdDifficulty_Click() {
    m_game.nextLevel();
    showLevel();
    NewGame();
}

void frmHangman::cmdTry_Again_Click() {
    NewGame();
}

void frmHangman::Image1_Click() {
    unload();
}

void frmHangman::showLevel() {
    cmdDifficulty->setText(QLatin1String(Levels[std::size_t(m_game.level())].caption));
}

void frmHangman::NewGame() {
    cmdTry_Again->hide();
    ResetLetters();
    for (int i = 0; i < SlotCount; ++i) {
        lbWord(i)->hide();
        lbWord(i)->setForeColor(bgr(FoundColour)); // undoes the red of a lost game
    }
    for (int i = 0; i < MostChances; ++i)
        ImgCircle(i)->hide();
    PickWord();
    lblCount->setCaption(QString::number(m_game.chances()));
    for (int i = 0; i < m_game.chances(); ++i) {
        ImgCircle(i)->setPicture(LoadPicture(CirclePicture));
        ImgCircle(i)->show();
    }
}

void frmHangman::ResetLetters() {
    for (int i = 0; i < LetterCount; ++i) {
        lblLetter(i)->setEnabled(true);
        lblLetter(i)->show();
    }
    for (int i = 0; i < SlotCount; ++i)
        lbWord(i)->setCaption(QString());
}

void frmHangman::PickWord() {
    // The source re-seeds itself for every draw, so every game starts from the clock.
    WordNumber = wordIndexFor(m_random());
    const std::string_view word = HangmanWords.at(std::size_t(WordNumber));
    m_game.start(QString::fromLatin1(word.data(), qsizetype(word.size())).toUpper());
    for (int i = 0; i < m_game.word().size(); ++i)
        lbWord(i)->show();
}

void frmHangman::lblLetter_Click(int Index) {
    if (lblLetter(Index)->isEnabled()) {
        lblLetter(Index)->setEnabled(false);
        lblLetter(Index)->hide();
    }
    GuessLetter = letterAt(Index);
    // The tile is gone before the letter is spoken; its slots fill only once the child has heard it.
    Global::PlayWave(letterSound(GuessLetter.front()), true);
    const Guess guess = m_game.guess(GuessLetter.front());
    for (const int position : guess.found)
        lbWord(position)->setCaption(GuessLetter);

    if (guess.found.empty()) {
        if (guess.chanceTaken)
            ImgCircle(m_game.chances())->hide();
        Global::PlayWave(SnareSound, true);
    }
    lblCount->setCaption(QString::number(m_game.chances()));

    if (guess.won) {
        Global::PlayWave(WordCompleteSound, true);
        cmdTry_Again->setPicture(LoadPicture(WonFace));
        cmdTry_Again->show();
    }
    if (guess.lost) {
        for (const int position : m_game.covered()) {
            lbWord(position)->setForeColor(bgr(RevealedColour));
            lbWord(position)->setCaption(m_game.word().mid(position, 1));
        }
        Global::PlayWave(OutOfChancesSound, false);
        cmdTry_Again->setPicture(LoadPicture(LostFace));
        cmdTry_Again->show();
    }
}

bool frmHangman::previewKey(QKeyEvent* event) {
    // Keys are matched on the text they type, so any keyboard layout works; Alt stays with the access keys.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    const QChar capital = text.front().toUpper();
    if (capital < QLatin1Char('A') || capital > QLatin1Char('Z'))
        return false;
    const int index = capital.unicode() - u'A';
    if (lblLetter(index)->isEnabled() && !lblLetter(index)->isHidden())
        lblLetter_Click(index);
    return true;
}
