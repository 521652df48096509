#include "wordpot/frmWordpot.h"

#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/fonts.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/global.h"
#include "wordpot/spellinglayout.h"

#include <QAbstractButton>
#include <QApplication>
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
} // namespace

frmWordpot::frmWordpot()
    : Form(Design) {}

void frmWordpot::build() {
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
    for (int slot = 0; slot < wordpot::SlotCount; ++slot)
        BoardLetters[std::size_t(slot)] = QString(QLatin1Char(wordpot::Board[std::size_t(slot)].letter));
    LoadLetterPictures();
}

void frmWordpot::NewWord() {
    WordIndex = qint16(wordpot::drawWordIndex(LastWordIndex, m_random));
    CurrentWord = wordpot::word(WordIndex);
    LastWordIndex = WordIndex;
    Image1->setPicture(LoadPicture(wordpot::pictureFile(CurrentWord)));
    txtWord->setText(QString());
}

void frmWordpot::LoadLetterPictures() {
    for (int slot = 0; slot < wordpot::SlotCount; ++slot) {
        img_Letters(slot)->setPicture(LoadPicture(wordpot::pictureFile(BoardLetters[std::size_t(slot)])));
        img_Letters(slot)->setAccessibleName(BoardLetters[std::size_t(slot)]);
    }
}

void frmWordpot::img_Letters_Click(int Index) {
    const QString& letter = BoardLetters[std::size_t(Index)];
    Label2->setCaption(QString());
    Global::PlayWave(wordpot::soundFile(letter), Global::WaitForSound);
    txtWord->setText(txtWord->text() + letter);
    updateGuess();
}

void frmWordpot::cmdErase_Click() {
    const QString answer = txtWord->text();
    if (!answer.isEmpty())
        txtWord->setText(answer.chopped(1));
    updateGuess();
}

void frmWordpot::cmdGuess_Click() {
    Label2->setCaption(QString());
    if (txtWord->text().toUpper() == CurrentWord) {
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
    Global::PlayWave(wordpot::soundFile(CurrentWord), true);
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
    cmdGuess->setEnabled(txtWord->text().size() == CurrentWord.size());
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
    if (text.size() != 1 || !text.front().isLetter())
        return false;
    const int slot = wordpot::slotOf(text.front());
    if (slot >= 0 && !forms::isRepeat(event))
        img_Letters_Click(slot);
    return true;
}
