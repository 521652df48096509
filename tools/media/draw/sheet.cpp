#include "sheet.h"

#include "canvas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace media {

namespace {

constexpr int cellWidth = 210;
constexpr int cellHeight = 246;
constexpr int picturePlace = 196;
constexpr int columns = 8;
constexpr int pageMargin = 16;
constexpr int pageWidth = 2 * pageMargin + columns * cellWidth;

struct Entry {
    QString name;
    QVector<QImage> frames;
};

// Length of a PCM WAV in seconds from its header, or -1 when the header is not understood.
double wavSeconds(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    if (data.size() < 12 || !data.startsWith("RIFF") || data.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    qsizetype pos = 12;
    while (pos + 8 <= data.size()) {
        const QByteArray id = data.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(data.constData() + pos + 4);
        if (id == "fmt " && pos + 16 <= data.size())
            byteRate = qFromLittleEndian<quint32>(data.constData() + pos + 16);
        if (id == "data")
            return byteRate ? double(size) / byteRate : -1;
        pos += 8 + size + (size & 1);
    }
    return -1;
}

QVector<Entry> pictures(const QString& folder, bool recursive) {
    QVector<Entry> found;
    QDirIterator it(folder, {"*.gif", "*.jpg", "*.png", "*.ico", "*.bmp"}, QDir::Files,
                    recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        Entry e{QDir(folder).relativeFilePath(path), {}};
        QImageReader reader(path);
        do {
            const QImage frame = reader.read();
            if (!frame.isNull())
                e.frames << frame;
        } while (reader.jumpToNextImage());
        found << e;
    }
    std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return found;
}

QFont labelFont(int px, bool bold = false) {
    QFont f(bold ? fonts().sans : fonts().label);
    f.setPixelSize(px);
    return f;
}

int gridHeight(int count) {
    return ((count + columns - 1) / columns) * cellHeight;
}

void drawHeading(QPainter& p, int& y, const QString& text) {
    p.setFont(labelFont(22, true));
    p.setPen(QColor(40, 40, 60));
    p.drawText(QRect(pageMargin, y, pageWidth - 2 * pageMargin, 36), Qt::AlignLeft | Qt::AlignVCenter, text);
    y += 42;
}

void drawGrid(QPainter& p, int& y, const QVector<Entry>& entries) {
    for (int i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const QRect cell(pageMargin + (i % columns) * cellWidth, y + (i / columns) * cellHeight,
                         cellWidth - 8, cellHeight - 8);
        p.fillRect(cell, QColor(226, 228, 234));
        // Frames side by side, all at one scale, shrunk only when they would not fit.
        int total = 0, tallest = 0;
        for (const QImage& f : e.frames) {
            total += f.width();
            tallest = std::max(tallest, f.height());
        }
        const int gaps = 6 * std::max<int>(0, int(e.frames.size()) - 1);
        // Small pictures are shown twice as large, so that their details can be judged.
        const double fit = std::min(double(picturePlace - gaps) / std::max(1, total),
                                    double(picturePlace) / std::max(1, tallest));
        const double scale = std::min(tallest <= 64 ? 2.0 : 1.0, fit);
        int x = cell.left() + (cell.width() - int(std::lround(total * scale)) - gaps) / 2;
        QStringList sizes;
        for (const QImage& f : e.frames) {
            const QSize shown(int(std::lround(f.width() * scale)), int(std::lround(f.height() * scale)));
            const QRect target(x, cell.top() + 4 + (picturePlace - shown.height()) / 2, shown.width(),
                               shown.height());
            p.drawImage(target, f.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            x += shown.width() + 6;
            sizes << (f.width() == f.height() ? QString::number(f.width())
                                              : QStringLiteral("%1x%2").arg(f.width()).arg(f.height()));
        }
        p.setPen(QColor(30, 30, 30));
        p.setFont(labelFont(13, true));
        p.drawText(QRect(cell.left(), cell.bottom() - 36, cell.width(), 18), Qt::AlignCenter, e.name);
        p.setFont(labelFont(12));
        p.setPen(QColor(90, 90, 100));
        QString info = sizes.join(" + ");
        if (scale != 1.0)
            info += QStringLiteral(" at %1%").arg(int(std::lround(scale * 100)));
        if (e.frames.isEmpty())
            info = QStringLiteral("DOES NOT DECODE");
        p.drawText(QRect(cell.left(), cell.bottom() - 18, cell.width(), 16), Qt::AlignCenter, info);
    }
    y += gridHeight(int(entries.size())) + 10;
}

} // namespace

bool writeSheet(const QString& repoRoot, const QString& outputPng) {
    const QString assets = repoRoot + "/assets";
    const QString resources = repoRoot + "/src/resources";
    const QVector<Entry> builtIn = pictures(resources, true);
    const QVector<Entry> media = pictures(assets, false);

    QStringList sounds;
    for (const QString& name : QDir(assets).entryList({"*.wav"}, QDir::Files, QDir::Name))
        sounds << name + QStringLiteral("  %1 s").arg(wavSeconds(assets + "/" + name), 0, 'f', 2);
    for (const QString& name : QDir(resources + "/sounds").entryList({"*.wav"}, QDir::Files, QDir::Name))
        sounds << "built-in " + name +
                      QStringLiteral("  %1 s").arg(wavSeconds(resources + "/sounds/" + name), 0, 'f', 2);
    constexpr int soundColumns = 6, soundRow = 20;
    const int soundRows = (int(sounds.size()) + soundColumns - 1) / soundColumns;

    const int height = pageMargin + 3 * 42 + gridHeight(int(builtIn.size())) + gridHeight(int(media.size())) +
                       20 + soundRows * soundRow + pageMargin + 40;
    QImage page = canvas(pageWidth, height, QColor(246, 246, 248));
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    int y = pageMargin;
    drawHeading(p, y, QStringLiteral("Built into the program (src/resources)"));
    drawGrid(p, y, builtIn);
    drawHeading(p, y, QStringLiteral("Media folder pictures (assets)"));
    drawGrid(p, y, media);
    drawHeading(p, y, QStringLiteral("Sounds and their lengths"));
    p.setFont(labelFont(14));
    p.setPen(QColor(30, 30, 30));
    const int colWidth = (pageWidth - 2 * pageMargin) / soundColumns;
    for (int i = 0; i < sounds.size(); ++i) {
        const int col = i / soundRows, row = i % soundRows;
        p.drawText(QRect(pageMargin + col * colWidth, y + row * soundRow, colWidth, soundRow),
                   Qt::AlignLeft | Qt::AlignVCenter, sounds[i]);
    }
    p.end();
    return page.save(outputPng, "PNG");
}

} // namespace media
