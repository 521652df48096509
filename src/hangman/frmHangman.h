// frmHangman: the Hangman game window. It owns the letter tiles, the circles and counter of the chances
// left, the word slots, and the state of the game in progress; the rules it applies are in hangmanrules.h.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/random.h"
#include "hangman/hangmanwords.h"

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

    void NewGame();
    void ResetLetters();
    void PickWord();

    // Tests put a chosen r in place of the clock-seeded draw.
    void setRandomSource(hangman::RandomSource source) { m_random = std::move(source); }

    ControlArray<Label> lblLetter;
    ControlArray<Image> ImgCircle;
    QPointer<Label> lblCount;
    ControlArray<Label> lbWord;
    QPointer<CommandButton> cmdTry_Again;
    QPointer<CommandButton> cmdDifficulty;
    QPointer<Image> Image1;

    QString HiddenWord;   // the word of this game, in capitals
    int WordNumber = 0;   // its index in HangmanWords
    QString GuessLetter;  // the letter clicked last
    int LettersFound = 0; // word positions uncovered; a letter found twice counts twice
    bool LetterHit = false;
    int Chances = 0; // misses still allowed

protected:
    void build() override;
    // Typing a letter plays its tile, as long as the tile is still there.
    bool previewKey(QKeyEvent* event) override;

private:
    hangman::RandomSource m_random = [] { return forms::ClockSeededRandom().single(); };
};
