// A family's word list in the real program under X: the sample list chosen on the command line (as a file
// manager opens it), a spelling round typed through to the happy face and one to the sad face, then the
// letter explorer on it: a letter with its picture and word, one with a word that has no recording, one
// with no word. Which recordings were heard is read from the files the program opened; the word
// with no recording must reach a private sound server through the speech service.
#include "abc/explorerlayout.h"
#include "app/mainmenulayout.h"
#include "harness.h"
#include "wordpot/spellinglayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <sys/inotify.h>
#include <unistd.h>

using namespace e2e;
using namespace Qt::StringLiterals;

namespace {
constexpr QSize GameClient(794, 493);
constexpr QSize ExplorerClient(646, 496);
constexpr QSize HappyClient(310, 291);
constexpr QSize SadClient(308, 289);
constexpr QRect AnswerBox(627, 283, 139, 43); // inside its frame
constexpr QRect HintLabel(616, 208, 153, 49);
const QColor FaceYellow(255, 212, 70);

const QString Sample = QStringLiteral(WORDPOT_SOURCE_DIR "/dist/words/apps/kvtml/en/wordpot-family.kvtml");
const QString SampleMedia = QStringLiteral(WORDPOT_SOURCE_DIR "/dist/words/apps/kvtml/en/wordpot-family");

// A sample picture as the program shows it: fitted to the area, keeping its proportions.
QImage fitted(const QString& file, QSize area) {
    QImageReader reader(file);
    reader.setScaledSize(reader.size().scaled(area, Qt::KeepAspectRatio));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// The sample's word whose picture stands at this place of the screen, or empty.
QString shownWord(const QImage& shot, QPoint at, QSize area) {
    // Soft edges may be blended a little differently; another picture differs in a third of its pixels.
    for (const QFileInfo& file : QDir(SampleMedia).entryInfoList({u"*.png"_s, u"*.jpg"_s})) {
        const QImage picture = fitted(file.filePath(), area);
        if (differingPixels(shot.copy(QRect(at, picture.size())), picture, picture.rect(), 48) <
            picture.width() * picture.height() / 20)
            return file.baseName();
    }
    return {};
}

// The recordings of a folder that were opened, in order, read from the kernel's notices (tracing the
// program would slow its speech client past the time it allows a phrase).
class OpenedFiles {
public:
    explicit OpenedFiles(const QString& folder)
        : m_notices(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(m_notices, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~OpenedFiles() { close(m_notices); }
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    // Every recording opened so far.
    QStringList recordings() const {
        QStringList& names = m_seen;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t length; (length = read(m_notices, buffer, sizeof buffer)) > 0;)
            for (ssize_t at = 0; at < length;) {
                const auto* notice = reinterpret_cast<const inotify_event*>(buffer + at);
                const QString name = notice->len > 0 ? QFile::decodeName(notice->name) : QString();
                if (QStringList{u"ogg"_s, u"wav"_s, u"flac"_s, u"mp3"_s}.contains(QFileInfo(name).suffix()))
                    names << name;
                at += ssize_t(sizeof(inotify_event)) + notice->len;
            }
        return names;
    }

private:
    int m_notices;
    mutable QStringList m_seen;
};

} // namespace

class FamilyEndToEnd : public QObject {
    Q_OBJECT
private:
    Desktop* m_desktop = nullptr;

    QImage area(QPoint at, QRect rect) const { return m_desktop->screenshot().copy(rect.translated(at)); }

    // Types a key, and waits until the answer shows it.
    bool type(const QString& window, QPoint client, const QString& key) const {
        const QImage before = area(client, AnswerBox);
        m_desktop->key(window, key);
        return waitUntil(
            [&] { return differingPixels(area(client, AnswerBox), before, before.rect()) > 20; });
    }

private slots:
    void aFamilysListPlaysInEveryActivity() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        m_desktop = &desktop;
        // A private sound server, which the program plays through and whose speech service it starts. SDL
        // stays silent (the harness's dummy driver): what the server hears is the speech service alone.
        SoundServer sound;
        QTemporaryDir work;
        const QString heard = work.filePath(u"heard.raw"_s);
        const x11driver::Helper recorder = sound.record(heard);
        QVERIFY(waitUntil([&] { return QFile::exists(heard); }));
        const OpenedFiles opened(SampleMedia);
        Run run{{Sample}, sound.environment()};
        run.environment.insert(u"XDG_DATA_DIRS"_s, QStringLiteral(WORDPOT_SOURCE_DIR "/dist/words"));
        run.environment.insert(u"XDG_DATA_HOME"_s, work.path());
        Program program(desktop, {}, run);
        const auto menu = desktop.waitForMainMenu(30000);
        QVERIFY2(menu.has_value(), qPrintable(program.describe()));
        const QPoint menuClient = desktop.mainMenuClient(*menu);

        // The spelling game: a word of the list, typed, GUESS, the happy face.
        desktop.click(menuClient + mainmenu::layout::WordpotButton.center());
        const auto game = desktop.waitForWindow(u"Wordpot"_s, 10000, GameClient);
        QVERIFY2(game.has_value(), qPrintable(program.describe()));
        const QPoint client = desktop.geometry(*game).topLeft();
        const QPoint picture = client + wordpot::layout::WordPicture.topLeft();
        QString word;
        QVERIFY(waitUntil([&] {
            return !(word = shownWord(desktop.screenshot(), picture, wordpot::layout::WordPicture.size()))
                        .isEmpty();
        }));
        desktop.keepScreenshot(u"family-spelling"_s);
        // The hint: the word's recording or the speech service, then two seconds; keys given while the word
        // is said are dropped, so the answer is typed after it.
        const auto hint = [&] {
            return countNear(area(client, HintLabel), QRect(QPoint(), HintLabel.size()), Qt::black, 127);
        };
        desktop.click(picture + QPoint(40, 40));
        QVERIFY(waitUntil([&] { return hint() > 100; }));
        QVERIFY(waitUntil([&] { return hint() == 0; }, 10000));
        for (const QChar letter : word)
            QVERIFY2(type(*game, client, QString(letter)), qPrintable(word));
        desktop.click(client + wordpot::layout::GuessButton.center());
        const auto happy = desktop.waitForWindow(u"Wordpot"_s, 5000, HappyClient);
        QVERIFY2(happy.has_value(), qPrintable(word));
        QVERIFY(desktop.waitForColour(desktop.geometry(*happy), FaceYellow, 10000));
        desktop.keepScreenshot(u"family-happy"_s);
        desktop.click(desktop.geometry(*happy).center());
        QVERIFY(waitUntil([&] { return !desktop.waitForWindow(u"Wordpot"_s, 0, HappyClient).has_value(); }));

        // The next word, answered wrong with its first letter over and over: the sad face.
        QString next;
        QVERIFY(waitUntil([&] {
            next = shownWord(desktop.screenshot(), picture, wordpot::layout::WordPicture.size());
            return !next.isEmpty() && next != word;
        }));
        for (int i = 0; i < next.size(); ++i)
            QVERIFY2(type(*game, client, next.left(1)), qPrintable(next));
        desktop.key(*game, u"Return"_s);
        const auto sad = desktop.waitForWindow(u"Form1"_s, 5000, SadClient);
        QVERIFY2(sad.has_value(), qPrintable(next));
        QVERIFY(desktop.waitForColour(desktop.geometry(*sad), FaceYellow, 10000));
        desktop.keepScreenshot(u"family-sad"_s);
        QVERIFY(desktop.waitForNoWindow(u"Form1"_s, 8000));
        desktop.click(client + wordpot::layout::StopButton.center());
        QVERIFY(desktop.waitForNoWindow(u"Wordpot"_s, 5000));

        // The letter explorer: B shows the bike and plays its recording; M the milk, which has none, so the
        // speech service says it; A has no word and stands alone.
        desktop.click(menuClient + mainmenu::layout::ABCButton.center());
        const auto explorer = desktop.waitForWindow(u"Wordpot"_s, 10000, ExplorerClient);
        QVERIFY2(explorer.has_value(), qPrintable(program.describe()));
        const QPoint abcClient = desktop.geometry(*explorer).topLeft();
        const QPoint abcPicture = abcClient + abc::layout::PictureArea.topLeft();
        const QSize abcArea = abc::layout::PictureArea.size();
        const auto caption = [&] {
            return countNear(area(abcClient, abc::layout::WordCaption),
                             QRect(QPoint(), abc::layout::WordCaption.size()), Qt::black, 127);
        };
        qint64 milkShown = 0;
        for (const QString& shown : {u"bike"_s, u"milk"_s}) {
            // Input given while a word is said is dropped: the key is given again until the picture shows.
            QVERIFY2(
                waitUntil(
                    [&] {
                        desktop.key(*explorer, shown.left(1));
                        return waitUntil(
                            [&] { return shownWord(desktop.screenshot(), abcPicture, abcArea) == shown; },
                            500);
                    },
                    10000),
                qPrintable(shown));
            if (shown == u"milk"_s)
                milkShown = QFileInfo(heard).size();
            // The picture answers a click once a second after the letter was shown: clicked until its word
            // appears under it.
            QVERIFY2(waitUntil(
                         [&] {
                             desktop.click(abcPicture + QPoint(60, 60));
                             return waitUntil([&] { return caption() > 100; }, 300);
                         },
                         8000),
                     qPrintable(shown));
            if (shown == u"bike"_s) {
                desktop.keepScreenshot(u"family-explorer"_s);
                // Its recording is read (a click again asks for it again, if the first was cut off).
                QVERIFY2(waitUntil(
                             [&] {
                                 if (opened.recordings().contains(u"bike.ogg"_s))
                                     return true;
                                 desktop.click(abcPicture + QPoint(60, 60));
                                 return waitUntil([&] { return opened.recordings().contains(u"bike.ogg"_s); },
                                                  500);
                             },
                             10000),
                         qPrintable(opened.recordings().join(u' ')));
            }
        }
        // Only speech reaches the server; the milk is the one word said since the letter M was shown.
        QVERIFY2(waitUntil([&] { return SoundServer::loudest(heard, milkShown) > 1000; }, 15000),
                 qPrintable(program.standardError()));
        const auto pictureBlank = [&] {
            return countNear(area(abcPicture, QRect(QPoint(), abcArea)), QRect(QPoint(), abcArea),
                             Qt::white) == abcArea.width() * abcArea.height();
        };
        QVERIFY(waitUntil(
            [&] {
                desktop.key(*explorer, u"a"_s);
                return waitUntil(pictureBlank, 500);
            },
            10000));
        desktop.keepScreenshot(u"family-explorer-letter-alone"_s);
        desktop.closeWindow(*explorer);
        QVERIFY(desktop.waitForNoWindow(u"Wordpot"_s, 5000));
        desktop.closeWindow(*menu);
        QVERIFY(program.waitForExit(10000));
        QCOMPARE(program.exitCode(), 0);

        // The recordings played were the list's own, of the words shown: the two spelling words' (where they
        // have one; the second may be cut off by the first letter typed) and the bike's. A sound asked for
        // again opens its file again.
        const auto recordingOf = [](const QString& shown) {
            return QDir(SampleMedia)
                .entryList({shown + u".ogg"_s, shown + u".wav"_s, shown + u".flac"_s})
                .value(0);
        };
        const QStringList recordings = opened.recordings();
        const QStringList own{recordingOf(word), recordingOf(next), u"bike.ogg"_s};
        QVERIFY2(recordings.contains(u"bike.ogg"_s) &&
                     std::all_of(recordings.begin(), recordings.end(),
                                 [&](const QString& name) { return own.contains(name); }),
                 qPrintable(recordings.join(u' ')));
    }
};

QTEST_GUILESS_MAIN(FamilyEndToEnd)
#include "tst_e2e_family.moc"
