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

// The tiles stand on the inside of the bowl, a very light grey: a GIF pixel is either wholly
// there or not, so the tiles' soft edges are blended with that grey.
const QColor bowlInside(238, 240, 245);

QString codepoints(const QString& text) {
    QStringList parts;
    for (const uint cp : text.toUcs4())
        if (cp != 0xFE0F) // the emoji presentation selector is not part of the picture
            parts << QStringLiteral("U+%1").arg(cp, 4, 16, QLatin1Char('0')).toUpper();
    return parts.join(' ');
}

Picture emojiPicture(const QString& file, const QString& glyph, const QString& name) {
    return {QStringLiteral("assets/") + file,
            QStringLiteral("Noto Emoji %1 (%2)").arg(codepoints(glyph), name), [glyph](qreal ratio) {
                return QVector<QImage>{onWhite([glyph](QSize room) { return emoji(glyph, room); }, wordSide,
                                               wordSide, wordMargin, ratio)};
            }};
}

Picture drawn(const QString& path, std::function<QImage(qreal)> draw, int bmpDepth = 0) {
    return {path, ownDrawing, [draw](qreal ratio) { return QVector<QImage>{draw(ratio)}; }, bmpDepth};
}

// An icon file's images are each drawn at their own real size, the 2x file's at twice it.
Picture icon(const QString& path, std::function<QImage(int)> draw, QVector<int> sizes) {
    return {path, ownDrawing, [draw, sizes](qreal ratio) {
                QVector<QImage> images;
                for (const int s : sizes)
                    images << draw(int(s * ratio));
                return images;
            }};
}

Picture icon(const QString& path, Face kind, QVector<int> sizes) {
    return icon(
        path, [kind](int size) { return face(kind, size); }, sizes);
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
                 [](qreal ratio) {
                     return onWhite([](QSize room) { return jellyBeans(300, 300, room.width() / 300.0); },
                                    wordSide, wordSide, wordMargin, ratio);
                 })
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
    for (const QChar c : QStringLiteral("ABCDEFGHIKLNOPRSTZ")) {
        Picture tile = drawn(QStringLiteral("assets/%1.gif").arg(c.toLower()), [c](qreal ratio) {
            return artwork::letterTile(QString(c), ratio, fonts().sans);
        });
        tile.under = bowlInside;
        all << tile;
    }

    all << drawn("assets/circle.gif", [](qreal ratio) { return circleToken(33, ratio); })
        << drawn("assets/wordpot.gif", [](qreal ratio) { return splashBowl(200, 190, ratio); });

    // Feedback faces: a large image for the stretched faces, a small one for buttons.
    all << icon("assets/face01.ico", Face::Worried, {256, 32})
        << icon("assets/face02.ico", Face::Smile, {256, 32})
        << icon("assets/face03.ico", Face::Grin, {256, 32})
        << icon("assets/face04.ico", Face::Crying, {256, 32})
        << icon("assets/face05.ico", Face::Laugh, {256, 32});

    // Pictures compiled into the program.
    const QString r = QStringLiteral("src/resources/");
    Picture largeIcon = drawn(r + "pictures/icon-256.png", [](qreal) { return windowIcon(256); });
    largeIcon.twice = false; // already the largest size an icon theme asks for
    all << drawn(r + "pictures/stop.gif", [](qreal ratio) { return stopSign(100, "STOP", ratio); })
        << icon(r + "pictures/icon.ico", windowIcon, {32, 16}) << largeIcon
        << drawn(
               r + "bitmaps/101.bmp", [](qreal ratio) { return buttonFaces(300, ratio); }, 8)
        << drawn(
               r + "bitmaps/102.bmp", [](qreal ratio) { return abcTitle(150, 100, ratio); }, 24)
        << drawn(
               r + "bitmaps/103.bmp", [](qreal ratio) { return stopSign(200, "STOP?", ratio); }, 8)
        << drawn(r + "pictures/cmdwordpot.png", [](qreal ratio) { return wordpotButton(160, 150, ratio); })
        << drawn(r + "pictures/cmdhangman.gif", [](qreal ratio) { return hangmanTitle(150, 100, ratio); })
        << drawn(r + "pictures/background.jpg", [](qreal ratio) { return boardBackground(600, 495, ratio); })
        << drawn(r + "pictures/erase.gif", [](qreal ratio) { return eraseArrow(40, ratio); })
        << icon(r + "pictures/happyface.ico", Face::Smile, {32, 16})
        << icon(r + "pictures/sadface.ico", Face::Straight, {32, 16})
        << icon(r + "cursors/happy.ico", Face::LaughRed, {32, 16})
        << icon(r + "cursors/sad.ico", Face::Frown, {32});

    // The desktop's icon for the program, in every size of the icon theme: the window icon's drawing.
    // The theme has a folder per size, so a 2x file would only repeat a larger size.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        Picture themed = drawn(QStringLiteral("dist/icons/hicolor/%1x%1/apps/wordpot.png").arg(size),
                               [size](qreal) { return windowIcon(size); });
        themed.twice = false;
        all << themed;
    }
    return all;
}

} // namespace media
