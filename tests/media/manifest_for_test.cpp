// Every media file name the program asks for, spelled as the program spells it (leading
// separator and letter case included). This stands in for the program's own tables until
// they exist: swap this file for them, and the media test then checks the real names.
#include <QStringList>

QStringList mediaManifest() {
    QStringList names = {
        // splash and exit
        "\\wordpot.gif",
        "\\welcome.wav",
        "\\quit.wav",
        "\\bye.wav",
        // feedback windows
        "/gotit.wav",
        "\\uhoh.wav",
        "\\face01.ico",
        "\\face02.ico",
        "\\face03.ico",
        "\\face04.ico",
        "\\face05.ico",
        // Hangman
        "\\circle.gif",
        "\\snare.wav",
        "/allright.wav",
        "/uhoh.wav",
    };

    // Letter explorer: picture and word sound of each letter, as its table stores them.
    const char* const explorer[][2] = {
        {"apple.gif", "\\apple.wav"},       {"ball2.gif", "\\ball.wav"},
        {"cat.gif", "\\cat.wav"},           {"dog.jpg", "\\dog.wav"},
        {"elephant.jpg", "\\elephant.wav"}, {"frog2.gif", "\\frog.wav"},
        {"giraffe.gif", "\\giraffe.wav"},   {"horse2.gif", "\\horse.wav"},
        {"icecream.jpg", "\\icecream.wav"}, {"jellybeans2.jpg", "\\jellybean.wav"},
        {"kite2.jpg", "\\Kite.wav"},        {"lion.jpg", "\\lion.wav"},
        {"mouse2.gif", "\\mouse.wav"},      {"nose.gif", "\\Nose.wav"},
        {"octopus.gif", "\\Octopus.wav"},   {"penguin.gif", "\\Penguin.wav"},
        {"queen2.gif", "\\queen.wav"},      {"rabbit.gif", "\\Rabbit.wav"},
        {"snake.gif", "\\Snake.wav"},       {"turtle.gif", "\\Turtle.wav"},
        {"umbrella.gif", "\\Umbrella.wav"}, {"vase.gif", "\\Vase.wav"},
        {"water.gif", "\\Water.wav"},       {"X-Ray.gif", "\\X-ray.wav"},
        {"Yak.gif", "\\Yak.wav"},           {"Zebra.gif", "\\zebra.wav"},
    };
    for (const auto& row : explorer) {
        const QString picture = QString::fromLatin1(row[0]);
        names << "\\" + picture << QString::fromLatin1(row[1]);
        // A click on a big letter plays the first character of the picture name.
        names << "\\" + picture.left(1) + ".wav";
    }
    for (char c = 'a'; c <= 'z'; ++c)
        names << QStringLiteral("\\%1.wav").arg(QChar(c));

    // Hangman says each letter it is given, in capitals.
    for (char c = 'A'; c <= 'Z'; ++c)
        names << QStringLiteral("\\%1.wav").arg(QChar(c));

    // Spelling game: its board's letters and its words, in capitals.
    for (const QChar c : QStringLiteral("ZFCPERGILBSNADTKHO"))
        names << QStringLiteral("\\%1.gif").arg(c) << QStringLiteral("\\%1.wav").arg(c);
    const QStringList words = {"APPLE", "BALL", "CAT",  "DOG", "FROG", "HORSE", "LION", "NOSE",
                               "ZEBRA", "KITE", "STAR", "ANT", "BEAR", "BEE",   "BOOK", "EGG",
                               "HAT",   "PIG",  "TREE", "TIE", "LEAF", "SOCKS"};
    for (const QString& w : words)
        names << "\\" + w + ".gif"
              << "\\" + w + ".wav";
    return names;
}
