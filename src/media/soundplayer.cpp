#include "media/soundplayer.h"

#include "media/inputgate.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QWidget>

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
constexpr int SampleRate = 44100;
constexpr Uint8 OutputChannels = 2;
constexpr SDL_AudioFormat OutputFormat = AUDIO_S16SYS;
constexpr int BytesPerFrame = OutputChannels * int(SDL_AUDIO_BITSIZE(OutputFormat) / 8);
constexpr Uint16 BufferFrames = 1024; // small enough that a short sound starts at once
// The device stays open this long after a sound, so that sounds in quick succession do not reopen it.
constexpr auto Linger = std::chrono::milliseconds(500);
// A device that does not take a sound (a stalled server) holds a waiting caller no longer than this more.
constexpr auto Allowance = std::chrono::milliseconds(1000);
// A held player loads SDL no later than this after it was started, whatever holds it.
constexpr auto LongestHold = std::chrono::milliseconds(1000);
const char* const AlertResource = ":/sounds/alert.wav";

// ALSA (and sndio, which sits on it) fill stderr with noise when asked for a card that is not there, so
// they are only asked when the kernel reports one.
bool worthTrying(const QString& driver) {
    if (driver == QLatin1String("dummy") || driver == QLatin1String("disk"))
        return false;
#ifdef Q_OS_LINUX
    if (driver == QLatin1String("alsa") || driver == QLatin1String("sndio")) {
        QFile cards(QStringLiteral("/proc/asound/cards"));
        return cards.open(QIODevice::ReadOnly) && !cards.readAll().contains("no soundcards");
    }
#endif
    return true;
}

// SDL, with the thirty libraries it brings (sound servers, codecs, display back ends), costs a program
// that links it some 10 ms of loading before main() runs. It is loaded when the player first needs it
// instead, on the player's thread, while the first window is being made.
struct Sdl {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_GetError) GetError = nullptr;
    decltype(&SDL_GetNumAudioDrivers) GetNumAudioDrivers = nullptr;
    decltype(&SDL_GetAudioDriver) GetAudioDriver = nullptr;
    decltype(&SDL_GetCurrentAudioDriver) GetCurrentAudioDriver = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&SDL_FreeWAV) FreeWAV = nullptr;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT = nullptr;
    decltype(&SDL_ConvertAudio) ConvertAudio = nullptr;
    decltype(&SDL_RWFromFile) RWFromFile = nullptr;
    decltype(&SDL_RWFromConstMem) RWFromConstMem = nullptr;
};

template <class Function> bool bind(QLibrary& library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

// The library's functions, or null (with one warning) if it cannot be loaded: then every sound is silent.
const Sdl* sdl() {
    static const Sdl* const loaded = []() -> const Sdl* {
        static Sdl api;
        // Never unloaded: its threads live as long as the program.
        static QLibrary library(QStringLiteral(WORDPOT_SDL_LIBRARY), WORDPOT_SDL_VERSION);
        const bool complete = library.load() && bind(library, api.SetHint, "SDL_SetHint") &&
                              bind(library, api.InitSubSystem, "SDL_InitSubSystem") &&
                              bind(library, api.QuitSubSystem, "SDL_QuitSubSystem") &&
                              bind(library, api.GetError, "SDL_GetError") &&
                              bind(library, api.GetNumAudioDrivers, "SDL_GetNumAudioDrivers") &&
                              bind(library, api.GetAudioDriver, "SDL_GetAudioDriver") &&
                              bind(library, api.GetCurrentAudioDriver, "SDL_GetCurrentAudioDriver") &&
                              bind(library, api.OpenAudioDevice, "SDL_OpenAudioDevice") &&
                              bind(library, api.PauseAudioDevice, "SDL_PauseAudioDevice") &&
                              bind(library, api.CloseAudioDevice, "SDL_CloseAudioDevice") &&
                              bind(library, api.LoadWAV_RW, "SDL_LoadWAV_RW") &&
                              bind(library, api.FreeWAV, "SDL_FreeWAV") &&
                              bind(library, api.BuildAudioCVT, "SDL_BuildAudioCVT") &&
                              bind(library, api.ConvertAudio, "SDL_ConvertAudio") &&
                              bind(library, api.RWFromFile, "SDL_RWFromFile") &&
                              bind(library, api.RWFromConstMem, "SDL_RWFromConstMem");
        if (!complete)
            qWarning("wordpot: the sound library could not be loaded (%s); playing silently",
                     qPrintable(library.errorString()));
        return complete ? &api : nullptr;
    }();
    return loaded;
}

bool initialiseDriver(const Sdl& sdl, const char* driver) {
    sdl.SetHint(SDL_HINT_AUDIODRIVER, driver);
    return sdl.InitSubSystem(SDL_INIT_AUDIO) == 0;
}

// The samples of a wave file converted to the device's format, as SDL_mixer converts them; null if it is
// not one.
std::shared_ptr<std::vector<std::uint8_t>> decode(const Sdl& sdl, SDL_RWops* source) {
    // A file cut short, whose header claims more than it holds, is damaged: it plays the alert like any
    // other, rather than a fragment the child cannot make sense of. The RIFF size is often wrong in good
    // files, so only the chunks count.
    static const bool strict = sdl.SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    Q_UNUSED(strict);
    if (source == nullptr)
        return nullptr;
    SDL_AudioSpec format;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (sdl.LoadWAV_RW(source, 1, &format, &buffer, &length) == nullptr)
        return nullptr;
    SDL_AudioCVT cvt;
    if (sdl.BuildAudioCVT(&cvt, format.format, format.channels, format.freq, OutputFormat, OutputChannels,
                          SampleRate) < 0) {
        sdl.FreeWAV(buffer);
        return nullptr;
    }
    auto samples =
        std::make_shared<std::vector<std::uint8_t>>(std::size_t(length) * std::size_t(cvt.len_mult));
    std::memcpy(samples->data(), buffer, length);
    sdl.FreeWAV(buffer);
    cvt.buf = samples->data();
    cvt.len = int(length);
    if (cvt.needed != 0 && sdl.ConvertAudio(&cvt) != 0)
        return nullptr;
    samples->resize(std::size_t(cvt.needed != 0 ? cvt.len_cvt : cvt.len) / BytesPerFrame * BytesPerFrame);
    samples->shrink_to_fit();
    return samples;
}

// Repaints what the running handler changed, so the child sees it while the sound blocks everything.
// repaint() paints at once; processEvents() would also run timers and queued clicks, which must wait.
void repaintVisibleWindows() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible())
            window->repaint();
    }
}
} // namespace

SoundPlayer& SoundPlayer::instance() {
    static SoundPlayer player;
    return player;
}

SoundPlayer::~SoundPlayer() {
    close();
}

void SoundPlayer::open() {
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void SoundPlayer::hold() {
    const std::lock_guard lock(m_mutex);
    m_held = true;
}

void SoundPlayer::release() {
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_changed.notify_all();
}

void SoundPlayer::close() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
    const std::lock_guard lock(m_mutex);
    m_quit = false;
    m_held = false;
    m_ready = false;
    m_installed = m_requests;
    m_request.clear();
    m_sound.reset();
    m_alert.reset();
}

QString SoundPlayer::driverName() {
    release();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ready || !m_thread.joinable(); });
    return m_driver;
}

// The player's thread: initialises SDL's audio, opens the device when a sound comes and closes it once the
// device has taken the whole sound and nothing has played for a while.
void SoundPlayer::run() {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, LongestHold, [this] { return !m_held || m_quit; });
    if (m_quit)
        return; // closed while held: no sound will be played, so SDL is not worth loading
    lock.unlock();
    const bool initialised = initialise();
    lock.lock();
    m_ready = true;
    m_changed.notify_all();
    bool warned = false;
    while (!m_quit) {
        if (m_installed != m_requests) {
            install(lock);
            continue;
        }
        const bool unfinished = m_sound != nullptr && m_position < m_sound->size();
        if (unfinished && m_device == 0) {
            // SDL's audio thread starts inside the call and takes the player's lock at once.
            lock.unlock();
            const std::uint32_t device = initialised ? openDevice() : 0;
            lock.lock();
            m_device = device;
            if (device == 0) {
                if (initialised && !warned)
                    qWarning("wordpot: the audio device could not be opened (%s); playing silently",
                             sdl()->GetError());
                warned = true;
                // Nothing will take the samples: the clock alone times the sound.
                m_started = true;
                m_startedAt = Clock::now();
                m_position = m_sound != nullptr ? m_sound->size() : 0;
            }
            continue;
        }
        if (m_device != 0 && !unfinished) {
            const Clock::time_point now = Clock::now();
            const Clock::time_point closeAt = (m_started ? m_startedAt : m_handedAt) + m_length + Linger;
            if (now < closeAt) {
                m_changed.wait_until(lock, closeAt);
                continue;
            }
            // A paused SDL device still feeds the server silence; only a closed one lets it sleep. The sound
            // has been heard to its end, so its samples go too.
            const std::uint32_t device = std::exchange(m_device, 0);
            std::shared_ptr<const Samples> heard = std::move(m_sound);
            m_closing = true;
            lock.unlock();
            sdl()->CloseAudioDevice(device);
            heard.reset();
            lock.lock();
            m_closing = false;
            continue;
        }
        // The callback wakes the thread when the device takes a sound's first and last samples.
        m_changed.wait(lock);
    }
    const std::uint32_t device = std::exchange(m_device, 0);
    lock.unlock();
    if (device != 0)
        sdl()->CloseAudioDevice(device);
    if (sdl() != nullptr)
        sdl()->QuitSubSystem(SDL_INIT_AUDIO);
}

bool SoundPlayer::initialise() {
    const Sdl* const api = sdl();
    if (api == nullptr)
        return false;
    const Sdl& sdl = *api;
    // SIGINT and SIGTERM must still end the program; SDL would turn them into events nobody reads.
    sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A driver chosen by the user's environment is tried as it stands; otherwise each real one in turn.
    const QByteArray chosen = qgetenv("SDL_AUDIODRIVER");
    bool initialised = false;
    QString failure;
    if (!chosen.isEmpty()) {
        initialised = initialiseDriver(sdl, chosen.constData());
        failure = QString::fromUtf8(sdl.GetError());
    } else {
        for (int i = 0; i < sdl.GetNumAudioDrivers() && !initialised; ++i) {
            const char* driver = sdl.GetAudioDriver(i);
            if (worthTrying(QString::fromUtf8(driver))) {
                initialised = initialiseDriver(sdl, driver);
                if (!initialised)
                    failure +=
                        (failure.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromUtf8(driver);
            }
        }
    }
    if (!initialised) {
        if (chosen != "dummy")
            qWarning("wordpot: no audio device could be opened (tried: %s); playing silently",
                     qPrintable(failure.isEmpty() ? QStringLiteral("none, no sound card") : failure));
        initialised = initialiseDriver(sdl, "dummy");
        if (!initialised)
            qWarning("wordpot: the silent audio driver failed too (%s)", sdl.GetError());
    }
    const char* driver = initialised ? sdl.GetCurrentAudioDriver() : nullptr;
    const std::lock_guard lock(m_mutex);
    m_driver = driver != nullptr ? QString::fromUtf8(driver) : QString();
    return initialised;
}

std::uint32_t SoundPlayer::openDevice() {
    SDL_AudioSpec wanted;
    std::memset(&wanted, 0, sizeof wanted);
    wanted.freq = SampleRate;
    wanted.format = OutputFormat;
    wanted.channels = OutputChannels;
    wanted.samples = BufferFrames;
    wanted.callback = &SoundPlayer::fill;
    wanted.userdata = this;
    // SDL converts to whatever the device really takes, so the samples can be prepared in this one format.
    const SDL_AudioDeviceID device = sdl()->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device != 0)
        sdl()->PauseAudioDevice(device, 0); // devices open paused
    return device;
}

void SoundPlayer::fill(void* player, std::uint8_t* stream, int length) {
    auto& self = *static_cast<SoundPlayer*>(player);
    std::size_t copied = 0;
    {
        const std::lock_guard lock(self.m_mutex);
        const Samples* sound = self.m_sound.get();
        if (sound != nullptr && self.m_position < sound->size() && !self.m_closing) {
            const bool first = !self.m_started;
            if (first) {
                self.m_started = true;
                self.m_startedAt = Clock::now();
            }
            copied = std::min(std::size_t(length), sound->size() - self.m_position);
            std::memcpy(stream, sound->data() + self.m_position, copied);
            self.m_position += copied;
            if (first || self.m_position == sound->size())
                self.m_changed.notify_all();
        }
    }
    std::memset(stream + copied, 0, std::size_t(length) - copied); // signed samples: 0 is silence
}

std::shared_ptr<const SoundPlayer::Samples> SoundPlayer::alert() {
    if (m_alert == nullptr && sdl() != nullptr) {
        resources::init();
        QFile file(QString::fromLatin1(AlertResource));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            m_alert = decode(*sdl(), sdl()->RWFromConstMem(bytes.constData(), int(bytes.size())));
        }
    }
    return m_alert;
}

bool SoundPlayer::playing(Clock::time_point now) const {
    if (m_installed != m_requests)
        return true;
    if (m_sound == nullptr)
        return false;
    // A sound lasts its length from the moment it was handed over, as it always has; a device that was
    // slow to open or to start keeps it until it has taken the last samples.
    const Clock::time_point end = m_handedAt + m_length;
    return now < end || (m_position < m_sound->size() && now < end + Allowance);
}

// While playing(), when it may next change by itself; the callback wakes the waiters for the rest.
SoundPlayer::Clock::time_point SoundPlayer::nextChange(Clock::time_point now) const {
    if (m_installed != m_requests)
        return now + Allowance; // the player's thread wakes the waiters once the sound is installed
    const Clock::time_point end = m_handedAt + m_length;
    return now < end ? end : end + Allowance;
}

bool SoundPlayer::isPlaying() const {
    const std::lock_guard lock(m_mutex);
    return playing(Clock::now());
}

bool SoundPlayer::deviceIsOpen() const {
    const std::lock_guard lock(m_mutex);
    return m_device != 0 || m_closing;
}

void SoundPlayer::waitUntilEnded() {
    std::unique_lock lock(m_mutex);
    for (Clock::time_point now = Clock::now(); playing(now); now = Clock::now())
        m_changed.wait_until(lock, nextChange(now));
}

bool SoundPlayer::play(const QString& file, bool wait) {
    open();
    {
        const std::lock_guard lock(m_mutex);
        // One sound at a time: a newer request replaces this one, and what it installs replaces what plays.
        m_request = file;
        ++m_requests;
        m_handedAt = Clock::now();
    }
    m_changed.notify_all();
    if (!wait)
        return !file.isEmpty();
    release();
    repaintVisibleWindows();
    waitUntilEnded();
    InputGate::instance().blockEnded();
    const std::lock_guard lock(m_mutex);
    return m_found;
}

// On the player's thread: the file is decoded here, so that neither the caller nor the first window waits
// for SDL to load or for a file to be read.
void SoundPlayer::install(std::unique_lock<std::mutex>& lock) {
    const QString file = m_request;
    const std::uint64_t request = m_requests;
    lock.unlock();
    std::shared_ptr<const Samples> sound =
        file.isEmpty() || sdl() == nullptr
            ? nullptr
            : decode(*sdl(), sdl()->RWFromFile(QFile::encodeName(file).constData(), "rb"));
    const bool found = sound != nullptr;
    if (!found) {
        // A missing file was named by the start-up check; one that is there but cannot be played is named
        // here, once, however often a child asks for it.
        if (!file.isEmpty() && !m_unplayable.contains(file)) {
            m_unplayable.insert(file);
            qWarning("wordpot: sound cannot be played (the alert plays instead): %s",
                     qPrintable(QDir::toNativeSeparators(file)));
        }
        sound = alert();
    }
    lock.lock();
    if (m_requests == request) { // else a newer sound was asked for meanwhile, and this one is never heard
        m_installed = request;
        m_found = found;
        m_length = std::chrono::duration_cast<Clock::duration>(std::chrono::microseconds(
            sound != nullptr ? std::int64_t(sound->size()) / BytesPerFrame * 1000000 / SampleRate : 0));
        std::swap(m_sound, sound);
        m_position = 0;
        m_started = false;
        m_changed.notify_all();
    }
    // What is left (the sound cut off, or this one if it came too late) is freed here: neither the audio
    // thread nor a caller waits on the lock meanwhile.
    lock.unlock();
    sound.reset();
    lock.lock();
}
