#include "catalogue.h"

#include "artwork.h"
#include "canvas.h"
#include "faces.h"

namespace media {

namespace {

// Word pictures: the spelling game shows them at most 185 x 208 px, so that they end above
// the hint under them; the letter explorer uses the same size.
constexpr int wordSide = 180;
constexpr int wordMargin = 12;

const QString ownDrawing = QStringLiteral("drawn by tools/make-media (Wordpot's own artwork)");

QString codepoints(const QString& text) {
    QStringList parts;
    for (const uint cp : text.toUcs4())
        if (cp != 0xFE0F) // the emoji presentation selector is not part of the picture
            parts << QStringLiteral("U+%1").arg(cp, 4, 16, QLatin1Char('0')).toUpper();
    return parts.join(' ');
}

Picture emojiPicture(const QString& file, const QString& glyph, const QString& name) {
    return {QStringLiteral("assets/") + file,
            QStringLiteral("Noto Color Emoji %1 (%2)").arg(codepoints(glyph), name),
            [glyph] { return QVector<QImage>{onWhite(emoji(glyph), wordSide, wordSide, wordMargin)}; }};
}

Picture drawn(const QString& path, std::function<QImage()> draw, int bmpDepth = 0) {
    return {path, ownDrawing, [draw] { return QVector<QImage>{draw()}; }, bmpDepth};
}

Picture icon(const QString& path, Face kind, QVector<int> sizes) {
    return {path, ownDrawing, [kind, sizes] {
                QVector<QImage> images;
                for (const int s : sizes)
                    images << face(kind, s);
                return images;
            }};
}

} // namespace

QVector<Picture> catalogue() {
    QVector<Picture> all;

    // The letter explorer's pictures, one per letter.
    all << emojiPicture("apple.gif", "🍎", "red apple") << emojiPicture("ball2.gif", "⚽", "soccer ball")
        << emojiPicture("cat.gif", "🐱", "cat face") << emojiPicture("dog.jpg", "🐶", "dog face")
        << emojiPicture("elephant.jpg", "🐘", "elephant") << emojiPicture("frog2.gif", "🐸", "frog")
        << emojiPicture("giraffe.gif", "🦒", "giraffe") << emojiPicture("horse2.gif", "🐎", "horse")
        << emojiPicture("icecream.jpg", "🍦", "soft ice cream")
        << drawn("assets/jellybeans2.jpg",
                 [] { return onWhite(jellyBeans(300, 300), wordSide, wordSide, wordMargin); })
        << emojiPicture("kite2.jpg", "🪁", "kite") << emojiPicture("lion.jpg", "🦁", "lion")
        << emojiPicture("mouse2.gif", "🐭", "mouse face") << emojiPicture("nose.gif", "👃", "nose")
        << emojiPicture("octopus.gif", "🐙", "octopus") << emojiPicture("penguin.gif", "🐧", "penguin")
        << emojiPicture("queen2.gif", "👸", "princess: a crowned queen for a child")
        << emojiPicture("rabbit.gif", "🐰", "rabbit face") << emojiPicture("snake.gif", "🐍", "snake")
        << emojiPicture("turtle.gif", "🐢", "turtle") << emojiPicture("umbrella.gif", "☂️", "umbrella")
        << emojiPicture("vase.gif", "🏺", "amphora: the nearest emoji to a vase")
        << emojiPicture("water.gif", "💧", "droplet") << emojiPicture("x-ray.gif", "🩻", "x-ray")
        << emojiPicture("yak.gif", "🦬", "bison: the nearest emoji to a yak")
        << emojiPicture("zebra.gif", "🦓", "zebra");

    // The spelling game's word pictures not shared with the letter explorer.
    all << emojiPicture("ball.gif", "🏀", "basketball") << emojiPicture("dog.gif", "🐕", "dog")
        << emojiPicture("frog.gif", "🐸", "frog") << emojiPicture("horse.gif", "🐴", "horse face")
        << emojiPicture("lion.gif", "🦁", "lion") << emojiPicture("kite.gif", "🪁", "kite")
        << emojiPicture("star.gif", "⭐", "star") << emojiPicture("ant.gif", "🐜", "ant")
        << emojiPicture("bear.gif", "🐻", "bear") << emojiPicture("bee.gif", "🐝", "honeybee")
        << emojiPicture("book.gif", "📖", "open book") << emojiPicture("egg.gif", "🥚", "egg")
        << emojiPicture("hat.gif", "🎩", "top hat") << emojiPicture("pig.gif", "🐷", "pig face")
        << emojiPicture("tree.gif", "🌳", "tree") << emojiPicture("tie.gif", "👔", "necktie")
        << emojiPicture("leaf.gif", "🍁", "maple leaf") << emojiPicture("socks.gif", "🧦", "socks");

    // The spelling game's letter tiles: the letters of its 22 words.
    for (const QChar c : QStringLiteral("ABCDEFGHIKLNOPRSTZ"))
        all << drawn(QStringLiteral("assets/%1.gif").arg(c.toLower()), [c] { return letterTile(c); });

    all << drawn("assets/circle.gif", [] { return circleToken(33); })
        << drawn("assets/wordpot.gif", [] { return splashBowl(200, 190); });

    // Feedback faces: a large image for the stretched faces, a small one for buttons.
    all << icon("assets/face01.ico", Face::Worried, {256, 32})
        << icon("assets/face02.ico", Face::Smile, {256, 32})
        << icon("assets/face03.ico", Face::Grin, {256, 32})
        << icon("assets/face04.ico", Face::Crying, {256, 32})
        << icon("assets/face05.ico", Face::Laugh, {256, 32});

    // Pictures compiled into the program.
    const QString r = QStringLiteral("src/resources/");
    all << drawn(r + "pictures/stop.gif", [] { return stopSign(100, "STOP"); })
        << Picture{r + "pictures/icon.ico", ownDrawing,
                   [] {
                       return QVector<QImage>{windowIcon(32), windowIcon(16)};
                   }}
        << drawn(r + "pictures/icon-256.png", [] { return windowIcon(256); })
        << drawn(
               r + "bitmaps/101.bmp", [] { return buttonFaces(300); }, 8)
        << drawn(
               r + "bitmaps/102.bmp", [] { return abcTitle(150, 100); }, 24)
        << drawn(
               r + "bitmaps/103.bmp", [] { return stopSign(200, "STOP?"); }, 8)
        << drawn(r + "pictures/cmdwordpot.png", [] { return wordpotButton(160, 150); })
        << drawn(r + "pictures/cmdhangman.gif", [] { return hangmanTitle(150, 100); })
        << drawn(r + "pictures/background.jpg", [] { return boardBackground(600, 495); })
        << drawn(r + "pictures/erase.gif", [] { return eraseArrow(40); })
        << icon(r + "pictures/happyface.ico", Face::Smile, {32, 16})
        << icon(r + "pictures/sadface.ico", Face::Straight, {32, 16})
        << icon(r + "cursors/happy.ico", Face::LaughRed, {32, 16})
        << icon(r + "cursors/sad.ico", Face::Frown, {32});

    // The desktop's icon for the program, in every size of the icon theme: the window icon's drawing.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        all << drawn(QStringLiteral("dist/icons/hicolor/%1x%1/apps/wordpot.png").arg(size),
                     [size] { return windowIcon(size); });
    return all;
}

} // namespace media
