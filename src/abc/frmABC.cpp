#include "abc/frmABC.h"

#include "abc/explorerlayout.h"
#include "abc/lettertable.h"
#include "forms/fonts.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/global.h"

#include <array>
#include <QFontMetrics>

using namespace forms;
using namespace abc::layout;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Wordpot"),
    .clientTwips = ClientTwips,
    .border = BorderStyle::FixedSingle,
    .backColor = Qt::white,
};

constexpr char16_t FirstTileLetter = u'A';
constexpr quint32 TileColour = 0x00FF00FF; // magenta

constexpr QRect InputBox = rectTw(4440, 840, 375, 375);
constexpr int InputMaxLength = 1;
constexpr QRect StopSign = rectTw(720, 2880, 1500, 1500);

constexpr quint32 ShadowColour = 0x00FF8080; // light blue
constexpr quint32 LetterColour = 0x000000FF; // red

constexpr double InputPoints = 9.75;
constexpr double WordPoints = 27.75;
constexpr double BigLetterPoints = 72;

// The box is emptied so that the next key finds room; the picture answers one click per arming.
constexpr int EmptyBoxMs = 300;
constexpr int ArmPictureMs = 1000;

Label* bigLetter(QWidget* parent, int index) {
    auto* label = new Label(parent, BigLetterAreas.at(std::size_t(index)),
                            font(FontFace::Arial, BigLetterPoints, true), Qt::AlignHCenter);
    label->setForeColor(bgr(index < BigLetterCopies ? ShadowColour : LetterColour));
    label->setTransparent(true);
    return label;
}
} // namespace

frmABC::frmABC()
    : Form(Design) {}

void frmABC::chooseWords() {
    // A list is read when the window opens, not at start-up, and kept while the choice stays.
    const words::WordList* list = words::chosenWords();
    const QString language = list != nullptr ? list->language : QString();
    if (language != m_listLanguage)
        m_currentTile = -1; // the last letter was another alphabet's
    m_list = list;
    m_listLanguage = language;
    m_letters.clear();
    if (m_list == nullptr)
        return;
    m_letters = abc::listLetters(*m_list);
    int withWord = 0;
    for (abc::ListLetter& letter : m_letters) {
        if (letter.entry < 0)
            continue;
        const words::Entry& entry = m_list->entries[letter.entry];
        if (const QString problem = listPictureProblem(entry.picture); !problem.isEmpty()) {
            qWarning("wordpot: \"%s\" is left out of the letter explorer: its picture %s %s",
                     qPrintable(entry.text), qPrintable(entry.picture), qPrintable(problem));
            letter.entry = -1;
        }
        withWord += letter.entry >= 0 ? 1 : 0;
    }
    if (withWord == 0 || m_letters.size() > abc::MostListLetters) {
        qWarning("wordpot: the chosen words have none with a picture the letter explorer can show; it shows "
                 "its own");
        m_list = nullptr;
        m_letters.clear();
        return;
    }
    // Words without a recording, and letters beyond the built-in English names, are said by the speech
    // service, which may take seconds to start.
    const bool speaks = m_list->locale.language() != QLocale::English ||
                        std::any_of(m_letters.begin(), m_letters.end(), [&](const abc::ListLetter& letter) {
                            return letter.entry >= 0 && m_list->entries[letter.entry].sound.isEmpty();
                        });
    if (speaks)
        Global::PrepareSpeech();
}

void frmABC::build() {
    chooseWords();
    lblabc.clear();
    Label1.clear();

    // Created back to front, since a later control lies on top: the blue big letters, the picture, the
    // red big letters over both, the word, the stop sign, the tiles and the input box in front.
    for (int i = 0; i < BigLetterCopies; ++i)
        Label1.append(bigLetter(client(), i));
    Image1 = new Image(client(), PictureArea);
    Image1->setAccessibleName(QStringLiteral("Picture"));
    for (int i = BigLetterCopies; i < 2 * BigLetterCopies; ++i)
        Label1.append(bigLetter(client(), i));

    Label2 = new Label(client(), WordCaption, font(FontFace::Arial, WordPoints, true), Qt::AlignHCenter);
    Label2->setTransparent(true);

    Image2 = new Image(client(), StopSign);
    Image2->setPicture(builtInPicture(QStringLiteral(":/pictures/stop.gif")));
    Image2->setAccessibleName(QStringLiteral("Stop"));

    const int count = m_list != nullptr ? int(m_letters.size()) : TileCount;
    int longestLetter = InputMaxLength;
    for (int i = 0; i < count; ++i) {
        const QString letter = m_list != nullptr ? m_letters[i].letter : QString(QChar(FirstTileLetter + i));
        longestLetter = std::max(longestLetter, int(letter.size()));
        auto* tile =
            new Label(client(), listTile(i, count), font(FontFace::MsSansSerif, listTilePoints(count), true),
                      Qt::AlignHCenter, letter);
        tile->setBackColor(bgr(TileColour));
        lblabc.append(tile);
    }

    Text1 = new TextBox(client(), InputBox);
    Text1->setFont(font(FontFace::MsSansSerif, InputPoints, true));
    // A letter written with a dot below (Punjabi) is two characters.
    Text1->setMaxLength(longestLetter);
    Text1->setAccessibleName(QStringLiteral("Type a letter"));
    Text1->setFocus();

    Timer1 = new Timer(window(), EmptyBoxMs, true);
    Timer2 = new Timer(window(), ArmPictureMs, true);

    for (int i = 0; i < lblabc.count(); ++i)
        connect(lblabc(i), &Label::clicked, this, [this, i] { lblabc_Click(i); });
    connect(Text1, &TextBox::change, this, &frmABC::Text1_Change);
    connect(Image1, &Image::clicked, this, &frmABC::Image1_Click);
    for (int i = 0; i < Label1.count(); ++i)
        connect(Label1(i), &Label::clicked, this, [this, i] { Label1_Click(i); });
    connect(Image2, &Image::clicked, this, &frmABC::Image2_Click);
    connect(Timer1, &Timer::timer, this, &frmABC::Timer1_Timer);
    connect(Timer2, &Timer::timer, this, &frmABC::Timer2_Timer);
}

void frmABC::Form_Load() {
    Screen::setMousePointer(Screen::MousePointer::Default);
}

void frmABC::lblabc_Click(int Index) {
    Text1->setText(lblabc(Index)->caption());
}

int frmABC::tileTyped(const QString& text) const {
    // A letter with a mark the language does not count as its own finds its letter's tile.
    const auto places = m_list->alphabet.positions(text);
    return places && places->size() == 1 ? places->front().tile : -1;
}

void frmABC::sayListLetter(int tile) {
    // The built-in recordings name A to Z in English (an English list's alphabet); another language's
    // letters are named in it.
    if (m_list->locale.language() == QLocale::English)
        Global::PlayWave(MediaFile(u'\\' + m_letters[tile].letter.toLower() + QStringLiteral(".wav")),
                         Global::WaitForSound);
    else
        Global::Say(m_letters[tile].letter, m_list->locale, Global::WaitForSound);
}

void frmABC::showListLetter(int tile) {
    const QString& letter = m_letters[tile].letter;
    for (int i = 0; i < Label1.count(); ++i)
        Label1(i)->setCaption(letter + m_list->locale.toLower(letter));
    m_currentTile = tile;
    const int entry = m_letters[tile].entry;
    CurrentPicture = entry >= 0 ? m_list->entries[entry].picture : QString();
    // A letter with no word stands alone.
    Image1->setPicture(entry >= 0 ? LoadListPicture(CurrentPicture, PictureArea.size()) : Picture());
    sayListLetter(tile);
}

void frmABC::Text1_Change() {
    Label2->setCaption(QString());
    const QString s = Text1->text();
    if (m_list != nullptr) {
        if (const int tile = s.isEmpty() ? -1 : tileTyped(s); tile >= 0)
            showListLetter(tile);
        return;
    }
    const abc::LetterRow* row = abc::findByLetter(s);
    if (row == nullptr)
        return;
    ShowBigLetters();
    CurrentPicture = row->picture;
    Image1->setPicture(LoadPicture(abc::pictureFile(*row)));
    Global::PlayWave(abc::letterSound(*row), Global::WaitForSound);
}

void frmABC::ShowBigLetters() {
    for (int i = 0; i < Label1.count(); ++i)
        Label1(i)->setCaption(Text1->text().toUpper() + Text1->text().toLower());
}

void frmABC::Image1_Click() {
    if (!PictureClickArmed)
        return;
    PictureClickArmed = false;
    if (m_list != nullptr) {
        if (m_currentTile < 0 || m_letters[m_currentTile].entry < 0)
            return;
        const words::Entry& entry = m_list->entries[m_letters[m_currentTile].entry];
        // A long word is shown smaller, to stay under the picture.
        QFont face = font(FontFace::Arial, WordPoints, true);
        for (double points = WordPoints;
             points > WordPoints / 2 && QFontMetrics(face).horizontalAdvance(entry.text) > Label2->width();)
            face = font(FontFace::Arial, points -= 1, true);
        Label2->setFont(face);
        Label2->setCaption(entry.text);
        if (!entry.sound.isEmpty())
            Global::PlayFile(entry.sound, Global::WaitForSound);
        else
            Global::Say(entry.text, m_list->locale, Global::WaitForSound);
        return;
    }
    const abc::LetterRow* row = abc::findByPicture(CurrentPicture);
    if (row == nullptr)
        return;
    Label2->setCaption(row->caption);
    Global::PlayWave(abc::wordSound(*row), Global::WaitForSound);
}

void frmABC::Label1_Click(int /*Index*/) {
    if (m_list != nullptr) {
        if (m_currentTile >= 0)
            sayListLetter(m_currentTile);
        return;
    }
    Global::PlayWave(abc::bigLetterSound(CurrentPicture), Global::WaitForSound);
}

void frmABC::Image2_Click() {
    Screen::setMousePointer(Screen::MousePointer::Hourglass);
    unload();
    Screen::setMousePointer(Screen::MousePointer::Default);
}

void frmABC::Timer1_Timer() {
    Text1->setText(QString());
}

void frmABC::Timer2_Timer() {
    PictureClickArmed = true;
}
