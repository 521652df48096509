#include "testsupport.h"

#include "forms/application.h"
#include "media/global.h"
#include "media/mediafolder.h"

#include <QCoreApplication>
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

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

} // namespace testsupport
