#include "hangman/frmHangman.h"

#include "forms/fonts.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "hangman/hangmangame.h"
#include "hangman/hangmanlayout.h"
#include "media/global.h"

#include <array>
#include <QKeyEvent>

using namespace forms;
using namespace hangman;
using namespace hangman::layout;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Hangman"),
    .clientTwips = ClientTwips,
    .border = BorderStyle::Sizable,
    .backColor = Qt::white,
    .minMaxButtons = true,
};

// The circles form three groups of five, each laid out like the five spots of a die.
constexpr int CirclesPerGroup = 5;
constexpr int CircleGroupLeft = 240;
constexpr int CircleGroupStep = 1800;
constexpr int CircleSize = 495;
constexpr std::array<QPoint, CirclesPerGroup> DieSpots{
    {{0, 1320}, {1200, 1320}, {0, 2520}, {1200, 2520}, {600, 1920}}};

// With a word list, a hint button and its text stand between the circles and the slots.
constexpr QRect HintButton = rectTw(240, 3240, 615, 615);
constexpr QRect HintArea = rectTw(960, 3120, 4575, 855);

constexpr quint32 CountColour = 0x000000FF;
constexpr quint32 SlotColour = 0x00000000;
constexpr quint32 FoundColour = 0x0000FFFF;
constexpr quint32 RevealedColour = 0x000000FF;

constexpr QRect circleRect(int index) {
    const QPoint spot = DieSpots.at(std::size_t(index % CirclesPerGroup));
    const int groupLeft = CircleGroupLeft + CircleGroupStep * (index / CirclesPerGroup);
    return rectTw(groupLeft + spot.x(), spot.y(), CircleSize, CircleSize);
}

} // namespace

frmHangman::frmHangman()
    : Form(Design) {}

void frmHangman::chooseWords() {
    // A list is read when the window opens, not at start-up, and kept while the choice stays.
    m_list = words::chosenWords();
    m_playable.clear();
    int longest = 0;
    for (int i = 0; m_list != nullptr && i < m_list->entries.size(); ++i) {
        if (words::hangmanProblem(m_list->alphabet, m_list->entries[i].text).isEmpty()) {
            m_playable.append(i);
            longest = std::max(longest, int(m_list->alphabet.positions(m_list->entries[i].text)->size()));
        }
    }
    const std::optional<Layout> layout =
        m_list != nullptr ? layoutFor(int(m_list->alphabet.letters().size()), longest) : std::nullopt;
    if (m_list != nullptr && (m_playable.isEmpty() || !layout)) {
        qWarning("wordpot: the chosen words have none Hangman can show; it plays with its own");
        m_list = nullptr;
    }
    m_layout = m_list != nullptr ? *layout : *layoutFor(LetterCount, LongestWord);
    if (m_list != nullptr)
        Global::PrepareSpeech(); // for its hints, and its letters' names beyond the built-in recordings
}

void frmHangman::build() {
    chooseWords();
    lblLetter.clear();
    for (int i = 0; i < int(m_layout.tiles.size()); ++i) {
        auto* tile = new Label(client(), rectTw(m_layout.tiles[std::size_t(i)]));
        tile->setCaption(m_list != nullptr ? m_list->alphabet.letters()[i] : QString(letterAt(i)));
        tile->setFont(font(FontFace::MsSansSerif, m_layout.tilePoints, true));
        tile->setBackColor(bgr(TileColour));
        tile->setAlignment(Qt::AlignHCenter);
        connect(tile, &Label::clicked, this, [this, i] { lblLetter_Click(i); });
        lblLetter.append(tile);
    }

    ImgCircle.clear();
    for (int i = 0; i < MostChances; ++i)
        ImgCircle.append(new Image(client(), circleRect(i)));

    lblCount = new Label(client(), CountArea.translated(0, px(m_layout.countDrop)));
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
    for (const QRect& place : m_layout.wordSlots) {
        auto* slot = new Label(client(), rectTw(place));
        slot->setFont(font(FontFace::TimesNewRoman, m_layout.slotPoints, true));
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

    // A list's words come with a hint a child can ask to hear.
    cmdHint = new CommandButton(client(), HintButton, QStringLiteral("?"));
    cmdHint->setFont(font(FontFace::ArialBlack, 24, true));
    cmdHint->setFocusPolicy(Qt::NoFocus);
    cmdHint->setAccessibleName(QStringLiteral("Hint"));
    cmdHint->hide();
    lblHint = new Label(client(), HintArea, font(FontFace::Arial, 12, true));
    lblHint->setTransparent(true);
    lblHint->hide();

    connect(cmdHint, &CommandButton::clicked, this, &frmHangman::cmdHint_Click);
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
    for (int i = 0; i < lbWord.count(); ++i) {
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
    for (int i = 0; i < lblLetter.count(); ++i) {
        lblLetter(i)->setEnabled(true);
        lblLetter(i)->show();
    }
    for (int i = 0; i < lbWord.count(); ++i)
        lbWord(i)->setCaption(QString());
}

void frmHangman::PickWord() {
    // The source re-seeds itself for every draw, so every game starts from the clock.
    const float r = m_random();
    if (m_list == nullptr) {
        WordNumber = wordIndexFor(r);
        const std::string_view word = HangmanWords.at(std::size_t(WordNumber));
        m_game.start(QString::fromLatin1(word.data(), qsizetype(word.size())).toUpper());
    } else {
        WordNumber = std::min(int(double(r) * double(m_playable.size())), int(m_playable.size()) - 1);
        m_game.start(*m_list->alphabet.positions(entry().text));
    }
    for (int i = 0; i < m_game.places().size(); ++i) {
        lbWord(i)->show();
        if (m_game.places()[i].tile == words::Alphabet::NoTile) // a space or a hyphen stands uncovered
            lbWord(i)->setCaption(m_game.places()[i].shown);
    }
    lblHint->setCaption(QString());
    lblHint->hide();
    cmdHint->setVisible(m_list != nullptr && !entry().hint.isEmpty());
}

const words::Entry& frmHangman::entry() const {
    return m_list->entries[m_playable[WordNumber]];
}

void frmHangman::cmdHint_Click() {
    lblHint->setCaption(entry().hint);
    lblHint->show();
    Global::Say(entry().hint, m_list->locale, false);
}

void frmHangman::sayLetter(int tile) {
    const QString letter = lblLetter(tile)->caption();
    // The built-in recordings name A to Z in English; another language's letters are named in it.
    if (m_list == nullptr || (m_list->locale.language() == QLocale::English && tile < LetterCount))
        Global::PlayWave(letterSound(letter.front()), true);
    else
        Global::Say(letter, m_list->locale, true);
}

void frmHangman::lblLetter_Click(int Index) {
    if (lblLetter(Index)->isEnabled()) {
        lblLetter(Index)->setEnabled(false);
        lblLetter(Index)->hide();
    }
    GuessLetter = lblLetter(Index)->caption();
    // The tile is gone before the letter is spoken; its slots fill only once the child has heard it.
    sayLetter(Index);
    const Guess guess = m_game.guess(Index);
    for (const int position : guess.found)
        lbWord(position)->setCaption(m_game.places()[position].shown);

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
            lbWord(position)->setCaption(m_game.places()[position].shown);
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
    if (text == QLatin1String("?") && cmdHint->isVisible()) {
        cmdHint_Click();
        return true;
    }
    const int tile = tileTyped(text);
    if (tile < 0)
        return false;
    if (!m_game.hasGuessed(tile))
        lblLetter_Click(tile);
    return true;
}

int frmHangman::tileTyped(const QString& text) const {
    if (m_list == nullptr) {
        const QChar capital = text.size() == 1 ? text.front().toUpper() : QChar();
        return capital >= QLatin1Char('A') && capital <= QLatin1Char('Z') ? capital.unicode() - u'A' : -1;
    }
    // A letter with a mark the language does not count as its own finds its letter's tile.
    const auto places = m_list->alphabet.positions(text);
    return places && places->size() == 1 ? places->front().tile : -1;
}
