#include "abc/frmABC.h"

#include "abc/explorerlayout.h"
#include "abc/lettertable.h"
#include "forms/fonts.h"
#include "forms/pictures.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/global.h"

#include <array>

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
constexpr QRect WordCaption = rectTw(3480, 5160, 2535, 1575);

constexpr quint32 ShadowColour = 0x00FF8080; // light blue
constexpr quint32 LetterColour = 0x000000FF; // red

constexpr double TilePoints = 18;
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

void frmABC::build() {
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

    for (int i = 0; i < TileCount; ++i) {
        auto* tile = new Label(client(), abc::layout::tile(i), font(FontFace::MsSansSerif, TilePoints, true),
                               Qt::AlignHCenter, QString(QChar(FirstTileLetter + i)));
        tile->setBackColor(bgr(TileColour));
        lblabc.append(tile);
    }

    Text1 = new TextBox(client(), InputBox);
    Text1->setFont(font(FontFace::MsSansSerif, InputPoints, true));
    Text1->setMaxLength(InputMaxLength);
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
    Text1->setText(QString(QChar(FirstTileLetter + Index)));
}

void frmABC::Text1_Change() {
    Label2->setCaption(QString());
    const QString s = Text1->text();
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
    const abc::LetterRow* row = abc::findByPicture(CurrentPicture);
    if (row == nullptr)
        return;
    Label2->setCaption(row->caption);
    Global::PlayWave(abc::wordSound(*row), Global::WaitForSound);
}

void frmABC::Label1_Click(int /*Index*/) {
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
