#include "testsupport.h"

#include "forms/application.h"
#include "media/global.h"
#include "media/mediafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <QWidget>

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
        entries +=
            QStringLiteral("<entry><translation id=\"0\"><text>%1</text><comment>%2</comment></translation>"
                           "</entry>\n")
                .arg(parts[0], parts.value(1));
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

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

} // namespace testsupport
