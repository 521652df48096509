#include "media/speaker.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QTextToSpeech>
#include <QThread>

#include <chrono>

namespace {
// A phrase may take this long to start (the service starts at the first one) and this long per character.
constexpr int StartAllowanceMs = 2000;
constexpr int PerCharacterMs = 200;
constexpr int CloseWaitMs = 500;

// The voice of this language the engine offers, nearest the territory asked for; C when there is none.
QLocale voiceFor(const QList<QLocale>& offered, const QLocale& language) {
    QLocale best = QLocale::c();
    for (const QLocale& locale : offered) {
        if (locale.language() != language.language())
            continue;
        if (locale.territory() == language.territory())
            return locale;
        if (best == QLocale::c())
            best = locale;
    }
    return best;
}
} // namespace

// On the speaker's thread: the engine and what it is saying.
class Speaker::Engine : public QObject {
public:
    explicit Engine(Speaker& owner)
        : m_owner(owner) {}

    void speak(quint64 id, const QString& text, const QLocale& language) {
        if (m_current != 0)
            finish(false); // cut off by the new phrase
        QTextToSpeech* engine = this->engine();
        const QLocale voice =
            engine != nullptr ? voiceFor(engine->availableLocales(), language) : QLocale::c();
        if (engine == nullptr || voice == QLocale::c()) {
            if (engine != nullptr && !m_unspoken.contains(language.language())) {
                m_unspoken.insert(language.language());
                qWarning("wordpot: the speech service has no voice for %s; its words stay silent",
                         qPrintable(QLocale::languageToString(language.language())));
            }
            m_current = id;
            finish(false);
            return;
        }
        if (engine->locale() != voice)
            engine->setLocale(voice);
        m_current = id;
        m_started = false;
        engine->say(text);
    }

    void prepare() { engine(); }

    void stop() {
        if (m_current != 0 && m_engine != nullptr)
            m_engine->stop();
        if (m_current != 0)
            finish(false);
    }

private:
    QTextToSpeech* engine() {
        if (m_tried)
            return m_engine.get();
        m_tried = true;
        if (QTextToSpeech::availableEngines().isEmpty()) {
            qWarning("wordpot: no speech service was found; words without a recording stay silent");
            return nullptr;
        }
        m_engine = std::make_unique<QTextToSpeech>();
        if (m_engine->state() == QTextToSpeech::Error) {
            qWarning(
                "wordpot: the speech service could not be reached; words without a recording stay silent");
            m_engine.reset();
            return nullptr;
        }
        connect(m_engine.get(), &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            // The end of a phrase cut off for this one may come after this one was asked for: only an end
            // after this phrase has started is its own.
            if (state == QTextToSpeech::Speaking)
                m_started = m_current != 0;
            else if (m_current != 0 &&
                     (state == QTextToSpeech::Error || (state == QTextToSpeech::Ready && m_started)))
                finish(state == QTextToSpeech::Ready);
        });
        return m_engine.get();
    }

    void finish(bool spoken) {
        {
            const std::lock_guard lock(m_owner.m_mutex);
            m_owner.m_ended = std::max(m_owner.m_ended, m_current);
            m_owner.m_spoken = spoken;
        }
        m_current = 0;
        m_owner.m_changed.notify_all();
    }

    Speaker& m_owner;
    std::unique_ptr<QTextToSpeech> m_engine;
    bool m_tried = false;
    quint64 m_current = 0; // the phrase being spoken, or 0
    bool m_started = false;
    QSet<QLocale::Language> m_unspoken; // languages already warned about
};

Speaker& Speaker::instance() {
    static Speaker speaker;
    return speaker;
}

Speaker::~Speaker() {
    close();
}

int Speaker::longestMs(qsizetype characters) {
    return StartAllowanceMs + PerCharacterMs * int(std::min<qsizetype>(characters, 100));
}

void Speaker::start() {
    if (m_thread != nullptr)
        return;
    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("speaker"));
    m_engine = new Engine(*this);
    m_engine->moveToThread(m_thread.get());
    QObject::connect(m_thread.get(), &QThread::finished, m_engine, &QObject::deleteLater);
    m_thread->start();
}

bool Speaker::say(const QString& text, const QLocale& language, bool wait) {
    start();
    quint64 id = 0;
    {
        const std::lock_guard lock(m_mutex);
        id = ++m_asked;
    }
    QMetaObject::invokeMethod(m_engine,
                              [engine = m_engine, id, text, language] { engine->speak(id, text, language); });
    if (!wait)
        return true;
    std::unique_lock lock(m_mutex);
    const bool ended = m_changed.wait_for(lock, std::chrono::milliseconds(longestMs(text.size())),
                                          [&] { return m_ended >= id; });
    return ended && m_ended == id && m_spoken;
}

void Speaker::prepare() {
    start();
    QMetaObject::invokeMethod(m_engine, [engine = m_engine] { engine->prepare(); });
}

void Speaker::stop() {
    if (m_thread != nullptr)
        QMetaObject::invokeMethod(m_engine, [engine = m_engine] { engine->stop(); });
}

void Speaker::close() {
    if (m_thread == nullptr)
        return;
    m_thread->quit();
    // The engine may be deep in the speech service's library, which no quit reaches (starting, it reads every
    // voice the service has: seconds on a busy machine). A program that is leaving does not wait for it; the
    // thread ends with the process.
    if (!m_thread->wait(QDeadlineTimer(CloseWaitMs)))
        (void)m_thread.release();
    m_thread.reset();
    m_engine = nullptr;
}
