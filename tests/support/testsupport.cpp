#include "testsupport.h"

#include "forms/application.h"
#include "media/global.h"
#include "media/mediafolder.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace testsupport {

void prepare() {
    forms::prepareApplication();
    MediaFolder::setPathForTesting(QStringLiteral(WORDPOT_ASSETS_DIR));
}

SoundLog::SoundLog(std::function<void(const Call&)> onPlay) {
    Global::setPlayWaveHookForTesting([this, onPlay](const MediaFile& file, bool wait) {
        calls.append({file.name(), wait});
        if (onPlay)
            onPlay(calls.last());
        return true;
    });
}

SoundLog::~SoundLog() {
    Global::setPlayWaveHookForTesting({});
}

QStringList SoundLog::names() const {
    QStringList result;
    for (const Call& call : calls)
        result.append(call.name);
    return result;
}

void whenShown(Form& form, std::function<void()> action) {
    auto* poll = new QTimer(&form); // dies with the form if it never shows
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &form, action] {
        if (form.window() == nullptr || !form.window()->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

QString writeWordList(const QString& path, const QString& locale, const QStringList& words,
                      const QString& title) {
    QString entries;
    for (const QString& word : words) {
        const QStringList parts = word.split(u'|');
        entries += QStringLiteral("<entry><translation id=\"0\"><text>%1</text><comment>%2</comment>"
                                  "<image>%3</image><sound>%4</sound></translation></entry>\n")
                       .arg(parts[0], parts.value(1), parts.value(2), parts.value(3));
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kvtml version=\"2.0\">\n"
                                  "<information><title>%1</title></information>\n"
                                  "<identifiers><identifier id=\"0\"><locale>%2</locale></identifier>"
                                  "</identifiers>\n<entries>\n%3</entries>\n</kvtml>\n")
                       .arg(title, locale, entries)
                       .toUtf8());
    return QFileInfo(path).absoluteFilePath();
}

QString writePicture(const QString& folder, const QString& name, const QString& kind, QSize size) {
    const bool jpeg = kind.startsWith(u"jpg"_s);
    const QString file = name + (jpeg ? u".jpg"_s : u".png"_s);
    const QString path = QDir(folder).filePath(file);
    QDir().mkpath(folder);
    if (kind == u"missing")
        return file;
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x40, 0x90, 0xE0));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, jpeg ? "JPEG" : "PNG");
    if (kind.endsWith(u"empty"_s)) {
        data.clear();
    } else if (kind.endsWith(u"cut"_s)) {
        data.truncate(data.size() / 2);
    } else if (kind == u"huge") {
        // The header's width and height (at bytes 16 to 23), with the chunk's checksum made good again.
        qToBigEndian<quint32>(20000, data.data() + 16);
        qToBigEndian<quint32>(20000, data.data() + 20);
        quint32 crc = 0xFFFFFFFF;
        for (int i = 12; i < 29; ++i) {
            crc ^= quint8(data[i]);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
        }
        qToBigEndian<quint32>(~crc, data.data() + 29);
    }
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(data);
    return file;
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

} // namespace testsupport
