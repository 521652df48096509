// frmHangman: the Hangman game window. It owns the letter tiles, the circles and counter of the chances
// left and the word slots, and shows the game in progress (a hangman::Game) and plays its sounds.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "hangman/hangmangame.h"
#include "hangman/hangmanwords.h"
#include "hangman/layout.h"
#include "random/random.h"
#include "words/chosen.h"

#include <QPointer>
#include <QString>

class frmHangman final : public Form {
    Q_OBJECT
public:
    frmHangman();

    void Form_Load() override;
    void cmdDifficulty_Click();
    void cmdTry_Again_Click();
    void lblLetter_Click(int Index);
    void Image1_Click();
    void cmdHint_Click();

    void NewGame();
    void ResetLetters();
    void PickWord();

    // Tests put a chosen r in place of the clock-seeded draw.
    void setRandomSource(hangman::RandomSource source) { m_random = std::move(source); }

    // The game in progress: its word, what is uncovered, the chances left and the level.
    const hangman::Game& game() const { return m_game; }

    forms::ControlArray<forms::Label> lblLetter;  // the 26 letter tiles, "A" to "Z"
    forms::ControlArray<forms::Image> ImgCircle;  // one circle per chance left
    QPointer<forms::Label> lblCount;              // the chances left, in big red figures
    forms::ControlArray<forms::Label> lbWord;     // one slot per letter of the hidden word
    QPointer<forms::CommandButton> cmdTry_Again;  // shown when a game has ended, with its face
    QPointer<forms::CommandButton> cmdDifficulty; // the level; a click goes to the next one and a new game
    QPointer<forms::Image> Image1;                // the stop sign: closes the window
    QPointer<forms::CommandButton> cmdHint;       // with a word list: tells the word's hint
    QPointer<forms::Label> lblHint;               // the hint, once asked for

    int WordNumber = 0;  // the index of the word drawn last, in HangmanWords or among a list's playable words
    QString GuessLetter; // the letter clicked last

protected:
    void build() override;
    // Typing a letter plays its tile, as long as the tile is still there.
    bool previewKey(QKeyEvent* event) override;

private:
    void showLevel();
    // The chosen word list, if any, its words Hangman can show, and the layout they need.
    void chooseWords();
    const words::Entry& entry() const;
    void sayLetter(int tile);
    // The tile a typed text finds, or -1.
    int tileTyped(const QString& text) const;

    const words::WordList* m_list = nullptr; // none: the built-in words
    QList<int> m_playable;                   // the entries of m_list a game can draw
    hangman::Layout m_layout;

    hangman::Game m_game;
    hangman::RandomSource m_random = [] { return ClockSeededRandom().single(); };
};
