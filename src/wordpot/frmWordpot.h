// frmWordpot: the spelling game. It owns the round (the current word and the previous one), the letter
// board over the bowl photograph, the answer box, GUESS and the two-second hint; feedback is modal.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "random/random.h"
#include "wordpot/draw.h"
#include "wordpot/wordlist.h"
#include "words/chosen.h"

#include <array>

class frmWordpot final : public Form {
    Q_OBJECT
public:
    frmWordpot();

    void Form_Load() override;
    void NewWord();
    void LoadLetterPictures();
    void img_Letters_Click(int Index);
    void cmdErase_Click();
    void cmdGuess_Click();
    void Image1_Click();
    void Timer1_Timer();
    void Command1_Click();

    // Where NewWord takes its numbers from; the clock-seeded source unless replaced.
    void setRandomSource(wordpot::RandomSource source) { m_random = std::move(source); }

    QString CurrentWord;
    qint16 WordIndex = 0; // with a word list, 1 + the word's place among the playable ones
    qint16 LastWordIndex = 0;
    std::array<QString, wordpot::SlotCount> BoardLetters;

    forms::ControlArray<forms::Image> img_Letters; // the 18 letters of the board, made per word for a list
    QPointer<forms::Image> Image1;                 // the word's picture; a click is the hint
    QPointer<forms::Label> Label2;                 // the hint: the word, for its sound and two seconds
    QPointer<forms::Line> Line1;                   // divides the photograph from the right-hand panel
    QPointer<forms::Line> Line2;                   // divides the picture and hint from the answer
    QPointer<forms::TextBox> txtWord;              // the answer spelled so far
    QPointer<forms::CommandButton> cmdErase;       // takes the answer's last letter away
    QPointer<forms::CommandButton> Command1;       // the stop sign: closes the window
    QPointer<forms::CommandButton> cmdGuess;       // compares the answer with the word
    QPointer<forms::Timer> Timer1;                 // ends the hint

protected:
    void build() override;
    bool previewKey(QKeyEvent* event) override;

private:
    void updateGuess();
    // The chosen word list, if any, and its words the game can play; none: the built-in words.
    void chooseWords();
    const words::Entry& entry() const;
    // The tiles of a text spelled on a list's board.
    QList<int> tilesOf(const QString& text) const;
    // Letters fitted into the answer box and the hint, for a list's longer words.
    void fitWordFonts();

    const words::WordList* m_list = nullptr;
    QList<int> m_playable; // the entries of m_list the game can draw
    QList<int> m_tiles;    // the current list word's tiles

    wordpot::RandomSource m_random = ClockSeededRandom();
};
