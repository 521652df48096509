// frmABC: the letter explorer. It owns the 26 letter tiles, the one-letter input box, the letter's picture,
// its word and the big letter pairs in the corners, and remembers the last picture across openings.
#pragma once

#include "abc/listletters.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "words/chosen.h"

#include <QPointer>
#include <QString>

class frmABC final : public Form {
    Q_OBJECT
public:
    frmABC();

    void Form_Load() override;
    void lblabc_Click(int Index);
    void Text1_Change();
    void Image1_Click();
    void Label1_Click(int Index);
    void Image2_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void ShowBigLetters();

    forms::ControlArray<forms::Label> lblabc; // the 26 letter tiles, "A" to "Z", or a word list's letters
    QPointer<forms::TextBox> Text1;           // takes the typed letter; the only control with the focus
    QPointer<forms::Image> Image2;            // the stop sign: closes the window
    QPointer<forms::Image> Image1;            // the letter's picture; a click writes and speaks its word
    QPointer<forms::Label> Label2;            // the word under the picture
    forms::ControlArray<forms::Label> Label1; // the big letter pairs: 0 to 3 light blue, 4 to 7 red over them
    QPointer<forms::Timer> Timer1;            // empties Text1 every 300 ms
    QPointer<forms::Timer> Timer2;            // arms the picture click every second

    // Members of the window object, not of its controls: they outlive a close and a reopening.
    QString CurrentPicture;
    bool PictureClickArmed = false;

protected:
    void build() override;

private:
    // The chosen word list, if any, and its letters with their words; none: the built-in letter table.
    void chooseWords();
    // A word list's letter typed or clicked.
    void showListLetter(int tile);
    void sayListLetter(int tile);
    // The tile a typed text finds on a list's alphabet, or -1.
    int tileTyped(const QString& text) const;

    const words::WordList* m_list = nullptr;
    QList<abc::ListLetter> m_letters;
    QString m_listLanguage; // the language m_currentTile is a letter of
    int m_currentTile = -1; // a list's letter chosen last, kept across openings like CurrentPicture
};
