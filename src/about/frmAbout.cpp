#include "about/frmAbout.h"

#include "forms/fonts.h"
#include "forms/units.h"

#include <QCoreApplication>
#include <qdrawutil.h>
#include <QIcon>
#include <QPainter>
#include <QVersionNumber>

using namespace forms;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("About Wordpot"),
    .clientTwips = {6195, 3525},
    .border = BorderStyle::FixedDialog,
    .showInTaskbar = false,
};
constexpr int IconSize = 32;
constexpr int BoxBorder = 2;
const QString Credit = QStringLiteral("Created By: the Wordpot developers, December 2026");
const QString NoteToParents =
    QStringLiteral("Wordpot helps young children learn letters and first words through play. It works with "
                   "the mouse alone, needs no network and stores nothing. Sit with your child, say the words "
                   "together and have fun!");

// A picture box with a sunken border that takes the size of its icon plus the border.
class IconBox : public QWidget {
public:
    IconBox(QWidget* parent, QPoint topLeft)
        : QWidget(parent) {
        setGeometry(QRect(topLeft, QSize(IconSize + 2 * BoxBorder, IconSize + 2 * BoxBorder)));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, BoxBorder);
        painter.drawPixmap(BoxBorder, BoxBorder,
                           QIcon(QStringLiteral(":/pictures/icon.ico")).pixmap(IconSize));
    }
};

} // namespace

frmAbout::frmAbout()
    : Form(Design) {}

void frmAbout::build() {
    QWidget* area = client();
    area->setFont(font(FontFace::MsSansSerif, 9.75));
    const QFont smallBold = font(FontFace::MsSansSerif, 8.25, true);
    picIcon = new IconBox(area, pointTw(240, 240));
    lblTitle = new Label(area, rectTw(1050, 240, 3885, 480), font(FontFace::MsSansSerif, 18, true),
                         Qt::AlignLeft, QStringLiteral("Wordpot"));
    lblVersion = new Label(area, rectTw(1050, 840, 3885, 225), smallBold, Qt::AlignLeft,
                           QStringLiteral("Version 1.0"));
    Label1 = new Label(area, rectTw(1080, 1200, 2175, 495), smallBold, Qt::AlignLeft, Credit);
    lblDescription = new Label(area, rectTw(0, 1800, 6165, 1050), area->font(), Qt::AlignLeft, NoteToParents);
    lblDescription->setForeColor(bgr(0x00000080));
    lblDescription->setBackColor(Qt::white);
    lblDescription->setBorder(true);
    Line1.clear();
    Line1.append(new Line(area, pointTw(0, 3000), pointTw(6120, 3000), 2, Qt::white));
    cmdOK = new CommandButton(area, rectTw(4920, 3120, 1260, 345), QStringLiteral("OK"));
    cmdOK->setFont(font(FontFace::MsSansSerif, 8.25));
    cmdOK->setFocus();
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);
    connect(cmdOK, &CommandButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::Form_Load() {
    const QString title = QCoreApplication::applicationName();
    const QVersionNumber version = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    setCaption(QStringLiteral("About ") + title);
    lblVersion->setCaption(QStringLiteral("Version %1.%2.%3")
                               .arg(version.majorVersion())
                               .arg(version.minorVersion())
                               .arg(version.microVersion()));
    lblTitle->setCaption(title);
}

void frmAbout::cmdOK_Click() {
    unload();
}
