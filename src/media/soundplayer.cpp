#include "media/soundplayer.h"

#include "resources/resources.h"

#include <QDir>
#include <QFile>
#include <QLibrary>

#include <SDL.h>
#include <sndfile.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
using Samples = std::vector<std::uint8_t>; // in the device's format

constexpr int SampleRate = 44100;
constexpr Uint8 OutputChannels = 2;
constexpr SDL_AudioFormat OutputFormat = AUDIO_S16SYS;
constexpr int BytesPerFrame = OutputChannels * int(SDL_AUDIO_BITSIZE(OutputFormat) / 8);
constexpr Uint16 BufferFrames = 1024; // small enough that a short sound starts at once
// The device stays open this long after a sound, so that sounds in quick succession do not reopen it.
constexpr auto Linger = std::chrono::milliseconds(500);
// A device that does not take a sound (a stalled server) holds a waiting caller no longer than this more,
// and the end of the program no longer than this for SDL's thread to let the device go.
constexpr auto Allowance = std::chrono::milliseconds(1000);
// Longer files are refused rather than decoded whole into memory: a word or a letter lasts a few seconds.
// A minute of CD stereo, counted in samples so that a header's rate or channel count cannot inflate it.
constexpr sf_count_t MostSamples = sf_count_t(60) * 44100 * 2;
constexpr sf_count_t FramesPerRead = 4096;
const char* const AlertResource = ":/sounds/alert.wav";

// Both libraries are loaded on the player's thread, after the first window is on the screen: SDL with the
// thirty libraries it brings (sound servers, codecs, display back ends) would cost a program that links it
// some 10 ms before main() runs. Each function is named once here; the table resolves them all or none.
// clang-format off
#define WORDPOT_SDL_FUNCTIONS(F) \
    F(SetHint) F(InitSubSystem) F(QuitSubSystem) F(GetError) \
    F(GetNumAudioDrivers) F(GetAudioDriver) F(GetCurrentAudioDriver) \
    F(OpenAudioDevice) F(PauseAudioDevice) F(CloseAudioDevice) \
    F(BuildAudioCVT) F(ConvertAudio)
#define WORDPOT_SNDFILE_FUNCTIONS(F) \
    F(open_virtual) F(close) F(readf_float) F(get_chunk_iterator) F(get_chunk_size)
// clang-format on

struct Sdl {
#define WORDPOT_DECLARE(name) decltype(&SDL_##name) name = nullptr;
    WORDPOT_SDL_FUNCTIONS(WORDPOT_DECLARE)
#undef WORDPOT_DECLARE
};

struct Sndfile {
#define WORDPOT_DECLARE(name) decltype(&sf_##name) name = nullptr;
    WORDPOT_SNDFILE_FUNCTIONS(WORDPOT_DECLARE)
#undef WORDPOT_DECLARE
};

template <class Function> bool bind(QLibrary& library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

// The library's functions, or nothing and why not. It is never unloaded: SDL's threads live as long as the
// program.
template <class Table>
std::optional<Table> load(const QString& name, int version, bool (*resolve)(QLibrary&, Table&),
                          QString& why) {
    QLibrary library(name, version);
    Table table;
    if (library.load() && resolve(library, table))
        return table;
    why = library.errorString();
    return std::nullopt;
}

bool resolveSdl(QLibrary& library, Sdl& sdl) {
#define WORDPOT_RESOLVE(name) bind(library, sdl.name, "SDL_" #name)&&
    return WORDPOT_SDL_FUNCTIONS(WORDPOT_RESOLVE) true;
#undef WORDPOT_RESOLVE
}

bool resolveSndfile(QLibrary& library, Sndfile& sndfile) {
#define WORDPOT_RESOLVE(name) bind(library, sndfile.name, "sf_" #name)&&
    return WORDPOT_SNDFILE_FUNCTIONS(WORDPOT_RESOLVE) true;
#undef WORDPOT_RESOLVE
}

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

bool initialiseDriver(const Sdl& sdl, const char* driver) {
    sdl.SetHint(SDL_HINT_AUDIODRIVER, driver);
    return sdl.InitSubSystem(SDL_INIT_AUDIO) == 0;
}

// libsndfile reads through Qt, so that a file on disk and the alert in the resources take one path.
sf_count_t sourceLength(void* source) {
    return static_cast<QIODevice*>(source)->size();
}
sf_count_t seekSource(sf_count_t offset, int whence, void* source) {
    auto* device = static_cast<QIODevice*>(source);
    const sf_count_t base = whence == SEEK_CUR ? device->pos() : whence == SEEK_END ? device->size() : 0;
    return device->seek(base + offset) ? device->pos() : -1;
}
sf_count_t readSource(void* data, sf_count_t count, void* source) {
    return static_cast<QIODevice*>(source)->read(static_cast<char*>(data), count);
}
sf_count_t writeNothing(const void*, sf_count_t, void*) {
    return 0;
}
sf_count_t tellSource(void* source) {
    return static_cast<QIODevice*>(source)->pos();
}

// Bytes a frame takes in the file, where the encoding says so plainly (0 elsewhere).
int storedFrameBytes(int format, int channels) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        return channels;
    case SF_FORMAT_PCM_16:
        return 2 * channels;
    case SF_FORMAT_PCM_24:
        return 3 * channels;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 4 * channels;
    case SF_FORMAT_DOUBLE:
        return 8 * channels;
    default:
        return 0;
    }
}

// A wave file whose data chunk claims more than the file holds was cut short: libsndfile plays what is
// there, but a fragment is no word a child can make sense of. Writers that stream leave the size at 0 or
// all ones, meaning "to the end", and are taken at their word.
bool cutShort(const Sndfile& sndfile, SNDFILE* file, const SF_INFO& info) {
    SF_CHUNK_INFO data{};
    std::memcpy(data.id, "data", 4);
    data.id_size = 4;
    SF_CHUNK_ITERATOR* chunk = sndfile.get_chunk_iterator(file, &data);
    const int frameBytes = storedFrameBytes(info.format, info.channels);
    if (chunk == nullptr || frameBytes == 0 || sndfile.get_chunk_size(chunk, &data) != SF_ERR_NO_ERROR)
        return false;
    return data.datalen != 0 && data.datalen != 0xFFFFFFFFu &&
           sf_count_t(data.datalen) >= (info.frames + 1) * frameBytes;
}

struct Sound {
    std::shared_ptr<const Samples> samples; // in the device's format; null when there is no device to feed
    Clock::duration length{};
};

// The whole sound, converted for the device when there is SDL to convert it; nothing if the source is no
// sound libsndfile reads, or was cut short (its frames fall short of what its header counts).
std::optional<Sound> decode(const Sndfile& sndfile, const Sdl* sdl, QIODevice& source) {
    SF_VIRTUAL_IO io{&sourceLength, &seekSource, &readSource, &writeNothing, &tellSource};
    SF_INFO info{};
    SNDFILE* const file = sndfile.open_virtual(&io, SFM_READ, &info, &source);
    if (file == nullptr)
        return std::nullopt;
    const std::unique_ptr<SNDFILE, decltype(sndfile.close)> closer(file, sndfile.close);
    if (info.samplerate <= 0 || info.channels <= 0 || info.frames <= 0 ||
        info.frames > MostSamples / info.channels || cutShort(sndfile, file, info))
        return std::nullopt;
    // One buffer, sized for the conversion: the frames are read into it as floats and converted in place.
    SDL_AudioCVT cvt{};
    if (sdl != nullptr && sdl->BuildAudioCVT(&cvt, AUDIO_F32SYS, Uint8(std::min(info.channels, 255)),
                                             info.samplerate, OutputFormat, OutputChannels, SampleRate) < 0)
        return std::nullopt;
    const std::size_t frameBytes = std::size_t(info.channels) * sizeof(float);
    auto samples = std::make_shared<Samples>(std::size_t(sdl != nullptr ? info.frames : FramesPerRead) *
                                             frameBytes * std::size_t(std::max(cvt.len_mult, 1)));
    auto* const floats = reinterpret_cast<float*>(samples->data());
    sf_count_t read = 0;
    for (sf_count_t got = 1; got > 0 && read < info.frames; read += got) {
        const sf_count_t wanted = std::min(FramesPerRead, info.frames - read);
        // Without SDL nothing is kept: the frames are only counted.
        got = sndfile.readf_float(file, floats + (sdl != nullptr ? read * info.channels : 0), wanted);
    }
    if (read != info.frames)
        return std::nullopt;
    Sound sound;
    sound.length = std::chrono::duration_cast<Clock::duration>(
        std::chrono::microseconds(read * 1000000 / info.samplerate));
    if (sdl == nullptr)
        return sound;
    cvt.buf = samples->data();
    cvt.len = int(std::size_t(read) * frameBytes);
    if (cvt.needed != 0 && sdl->ConvertAudio(&cvt) != 0)
        return std::nullopt;
    samples->resize(std::size_t(cvt.needed != 0 ? cvt.len_cvt : cvt.len) / BytesPerFrame * BytesPerFrame);
    sound.samples = std::move(samples);
    return sound;
}
} // namespace

// What the player's two threads share, from one open() to its close(). A thread stuck in the sound server
// keeps it alive after the player has moved on.
struct SoundPlayer::Session {
    QString sdlLibrary;
    QString sndfileLibrary;
    DeviceHook deviceHook;
    // Loaded by the player's thread before SDL's thread starts, and left alone after.
    std::optional<Sdl> sdl;
    std::optional<Sndfile> sndfile;
    std::optional<Sound> alert;
    std::thread driving; // SDL's: the driver, the device and the callback that feeds it

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool held = false;
    bool quit = false;
    bool driverChosen = false; // a driver is running, or none could be, or there is no SDL
    bool drivingEnded = false;
    QString driver;
    QString newestFile;                   // the file of the newest sound asked for
    std::uint64_t newest = 0;             // how many sounds have been asked for: the newest one's number
    std::uint64_t current = 0;            // the number of the sound now playing, once decoded
    bool currentIsFile = false;           // it is the file asked for, not the alert
    std::shared_ptr<const Samples> sound; // its samples, until the next sound replaces them
    std::size_t taken = 0;                // how much of them the device has taken
    bool heard = false;                   // the device has taken its first samples
    Clock::time_point askedAt;            // the newest sound lasts its length from here
    Clock::time_point heardAt;
    Clock::duration length{};
    std::uint32_t device = 0;
    bool closing = false;

    void decodeNewest(std::unique_lock<std::mutex>& lock, QSet<QString>& unplayable);
    void drive();
    void chooseDriver();
    std::uint32_t openDevice();
    static void fill(void* session, std::uint8_t* stream, int length);
    bool unfinished() const { return sound != nullptr && taken < sound->size(); }
    bool playing(Clock::time_point now) const;
    Clock::time_point nextChange(Clock::time_point now) const;
};

SoundPlayer& SoundPlayer::instance() {
    static SoundPlayer player;
    return player;
}

SoundPlayer::~SoundPlayer() {
    close();
}

std::shared_ptr<SoundPlayer::Session> SoundPlayer::session() const {
    return m_session;
}

void SoundPlayer::setDeviceHookForTesting(DeviceHook hook) {
    m_deviceHook = std::move(hook);
}

void SoundPlayer::setLibrariesForTesting(const QString& sdl, const QString& sndfile) {
    m_sdlLibrary = sdl;
    m_sndfileLibrary = sndfile;
}

void SoundPlayer::open() {
    start(false);
}

void SoundPlayer::start(bool held) {
    if (m_session != nullptr)
        return;
    m_session = std::make_shared<Session>();
    m_session->held = held;
    m_session->sdlLibrary = m_sdlLibrary.isEmpty() ? QStringLiteral(WORDPOT_SDL_LIBRARY) : m_sdlLibrary;
    m_session->sndfileLibrary =
        m_sndfileLibrary.isEmpty() ? QStringLiteral(WORDPOT_SNDFILE_LIBRARY) : m_sndfileLibrary;
    m_session->deviceHook = m_deviceHook;
    m_decoding = std::thread([this, session = m_session] {
        Session& s = *session;
        std::unique_lock lock(s.mutex);
        s.changed.wait(lock, [&] { return !s.held || s.quit; });
        if (s.quit)
            return; // closed while held: no sound will be played, so nothing is worth loading
        lock.unlock();
        QString why;
        s.sndfile = load<Sndfile>(s.sndfileLibrary, WORDPOT_SNDFILE_VERSION, &resolveSndfile, why);
        if (!s.sndfile)
            qWarning("wordpot: sound is off, the decoding library could not be loaded (%s); playing silently",
                     qPrintable(why));
        s.sdl = load<Sdl>(s.sdlLibrary, WORDPOT_SDL_VERSION, &resolveSdl, why);
        if (!s.sdl && s.sndfile)
            qWarning("wordpot: sound is off, the sound library could not be loaded (%s); playing silently",
                     qPrintable(why));
        lock.lock();
        if (s.sdl)
            s.driving = std::thread([session] { session->drive(); });
        else
            s.driverChosen = s.drivingEnded = true;
        s.changed.notify_all();
        while (!s.quit) {
            if (s.current != s.newest)
                s.decodeNewest(lock, m_unplayable);
            else
                s.changed.wait(lock);
        }
        // SDL's thread lets the device go; one stuck in the sound server is left to it.
        s.changed.wait_for(lock, Allowance, [&] { return s.drivingEnded; });
        const bool ended = s.drivingEnded;
        lock.unlock();
        if (!s.driving.joinable())
            return;
        if (ended) {
            s.driving.join();
        } else {
            qWarning("wordpot: the sound server does not answer; leaving it");
            s.driving.detach();
        }
    });
}

void SoundPlayer::hold() {
    if (m_session == nullptr)
        return start(true);
    const std::lock_guard lock(m_session->mutex);
    m_session->held = true;
}

void SoundPlayer::release() {
    const std::shared_ptr<Session> s = session();
    if (s == nullptr)
        return;
    {
        const std::lock_guard lock(s->mutex);
        s->held = false;
    }
    s->changed.notify_all();
}

void SoundPlayer::close() {
    const std::shared_ptr<Session> s = std::exchange(m_session, nullptr);
    if (s == nullptr)
        return;
    {
        const std::lock_guard lock(s->mutex);
        s->quit = true;
    }
    s->changed.notify_all();
    m_decoding.join();
}

QString SoundPlayer::driverName() {
    open();
    release();
    Session& s = *m_session;
    std::unique_lock lock(s.mutex);
    s.changed.wait(lock, [&] { return s.driverChosen; });
    return s.driver;
}

void SoundPlayer::play(const QString& file) {
    open();
    Session& s = *m_session;
    {
        const std::lock_guard lock(s.mutex);
        // One sound at a time: a newer request replaces this one, and what it decodes replaces what plays.
        s.newestFile = file;
        ++s.newest;
        s.askedAt = Clock::now();
    }
    s.changed.notify_all();
}

void SoundPlayer::stop() {
    const std::shared_ptr<Session> session = this->session();
    if (session == nullptr)
        return;
    Session& s = *session;
    std::shared_ptr<const Samples> cut;
    {
        const std::lock_guard lock(s.mutex);
        // Silence becomes the newest sound: neither what plays nor what is being decoded is heard further.
        s.current = ++s.newest;
        s.currentIsFile = false;
        cut = std::exchange(s.sound, nullptr);
        s.taken = 0;
        s.length = {};
        s.askedAt = Clock::now();
    }
    s.changed.notify_all();
}

bool SoundPlayer::waitUntilEnded() {
    const std::shared_ptr<Session> session = this->session();
    if (session == nullptr)
        return false;
    release();
    Session& s = *session;
    std::unique_lock lock(s.mutex);
    for (Clock::time_point now = Clock::now(); s.playing(now); now = Clock::now())
        s.changed.wait_until(lock, s.nextChange(now));
    return s.currentIsFile;
}

bool SoundPlayer::isPlaying() const {
    const std::shared_ptr<Session> s = session();
    if (s == nullptr)
        return false;
    const std::lock_guard lock(s->mutex);
    return s->playing(Clock::now());
}

bool SoundPlayer::deviceIsOpen() const {
    const std::shared_ptr<Session> s = session();
    if (s == nullptr)
        return false;
    const std::lock_guard lock(s->mutex);
    return s->device != 0 || s->closing;
}

// On the player's thread, which never waits for the sound server: the length of the newest sound is known
// as soon as it is decoded, whatever SDL's thread is doing.
void SoundPlayer::Session::decodeNewest(std::unique_lock<std::mutex>& lock, QSet<QString>& unplayable) {
    const QString file = newestFile;
    const std::uint64_t number = newest;
    lock.unlock();
    const Sdl* const converter = sdl ? &*sdl : nullptr;
    std::optional<Sound> decoded;
    if (!file.isEmpty() && sndfile) {
        QFile source(file);
        if (source.open(QIODevice::ReadOnly))
            decoded = decode(*sndfile, converter, source);
    }
    const bool found = decoded.has_value();
    if (!found) {
        // A missing file was named by the start-up check; one that is there but cannot be played is named
        // here, once, however often a child asks for it. With no decoder nothing can be, and that was said.
        if (!file.isEmpty() && sndfile && !unplayable.contains(file)) {
            unplayable.insert(file);
            qWarning("wordpot: sound cannot be played (the alert plays instead): %s",
                     qPrintable(QDir::toNativeSeparators(file)));
        }
        if (!alert && sndfile) {
            resources::init();
            QFile source(QString::fromLatin1(AlertResource));
            if (source.open(QIODevice::ReadOnly))
                alert = decode(*sndfile, converter, source);
        }
        decoded = alert.value_or(Sound{});
    }
    lock.lock();
    if (newest == number) { // else a newer sound was asked for meanwhile, and this one is never heard
        current = number;
        currentIsFile = found;
        length = decoded->length;
        std::swap(sound, decoded->samples);
        taken = 0;
        heard = false;
        changed.notify_all();
    }
    // What is left (the sound cut off, or this one if it came too late) is freed here: neither the audio
    // callback nor a caller waits on the lock meanwhile.
    lock.unlock();
    decoded.reset();
    lock.lock();
}

// SDL's thread: chooses the driver, opens the device when a sound comes and closes it once the device has
// taken the whole sound and nothing has played for a while. Only this thread waits for the sound server.
void SoundPlayer::Session::drive() {
    chooseDriver();
    std::unique_lock lock(mutex);
    driverChosen = true;
    changed.notify_all();
    const bool silent = driver.isEmpty();
    bool warned = false;
    std::uint64_t tried = 0; // the newest sound the device was last opened for
    while (!quit) {
        // The device opens as soon as a sound is asked for, while the player's thread decodes it.
        const bool wanted = unfinished() || current != newest;
        if (wanted && device == 0 && tried != newest) {
            tried = newest;
            // SDL's audio thread starts inside the call and takes the lock at once.
            lock.unlock();
            if (deviceHook)
                deviceHook("open");
            const std::uint32_t opened = silent ? 0 : openDevice();
            lock.lock();
            device = opened;
            if (opened == 0 && !silent && !warned)
                qWarning("wordpot: the audio device could not be opened (%s); playing silently",
                         sdl->GetError());
            warned = warned || opened == 0;
            continue;
        }
        if (device == 0 && unfinished()) {
            // Nothing will take the samples: the clock alone times the sound.
            heard = true;
            heardAt = Clock::now();
            taken = sound->size();
            continue;
        }
        if (device != 0 && !wanted) {
            const Clock::time_point closeAt = (heard ? heardAt : askedAt) + length + Linger;
            if (Clock::now() < closeAt) {
                changed.wait_until(lock, closeAt);
                continue;
            }
            // A paused SDL device still feeds the server silence; only a closed one lets it sleep. The sound
            // has been heard to its end, so its samples go too.
            const std::uint32_t closed = std::exchange(device, 0);
            std::shared_ptr<const Samples> done = std::move(sound);
            closing = true;
            lock.unlock();
            if (deviceHook)
                deviceHook("close");
            sdl->CloseAudioDevice(closed);
            done.reset();
            lock.lock();
            closing = false;
            continue;
        }
        // The callback wakes the thread when the device takes a sound's first and last samples.
        changed.wait(lock);
    }
    const std::uint32_t closed = std::exchange(device, 0);
    lock.unlock();
    if (closed != 0)
        sdl->CloseAudioDevice(closed);
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
    lock.lock();
    drivingEnded = true;
    changed.notify_all();
}

// A driver chosen by the user's environment is tried as it stands; otherwise each real one in turn, and
// SDL's silent one when none answers.
void SoundPlayer::Session::chooseDriver() {
    // SIGINT and SIGTERM must still end the program; SDL would turn them into events nobody reads.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const QByteArray chosen = qgetenv("SDL_AUDIODRIVER");
    bool initialised = false;
    QString failure;
    if (!chosen.isEmpty()) {
        initialised = initialiseDriver(*sdl, chosen.constData());
        failure = QString::fromUtf8(sdl->GetError());
    } else {
        for (int i = 0; i < sdl->GetNumAudioDrivers() && !initialised; ++i) {
            const char* name = sdl->GetAudioDriver(i);
            if (worthTrying(QString::fromUtf8(name))) {
                initialised = initialiseDriver(*sdl, name);
                if (!initialised)
                    failure +=
                        (failure.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromUtf8(name);
            }
        }
    }
    if (!initialised) {
        if (chosen != "dummy")
            qWarning("wordpot: no audio device could be opened (tried: %s); playing silently",
                     qPrintable(failure.isEmpty() ? QStringLiteral("none, no sound card") : failure));
        initialised = initialiseDriver(*sdl, "dummy");
        if (!initialised)
            qWarning("wordpot: the silent audio driver failed too (%s)", sdl->GetError());
    }
    const char* name = initialised ? sdl->GetCurrentAudioDriver() : nullptr;
    const std::lock_guard lock(mutex);
    driver = name != nullptr ? QString::fromUtf8(name) : QString();
}

std::uint32_t SoundPlayer::Session::openDevice() {
    SDL_AudioSpec wanted;
    std::memset(&wanted, 0, sizeof wanted);
    wanted.freq = SampleRate;
    wanted.format = OutputFormat;
    wanted.channels = OutputChannels;
    wanted.samples = BufferFrames;
    wanted.callback = &Session::fill;
    wanted.userdata = this;
    // SDL converts to whatever the device really takes, so the samples can be prepared in this one format.
    const SDL_AudioDeviceID opened = sdl->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (opened != 0)
        sdl->PauseAudioDevice(opened, 0); // devices open paused
    return opened;
}

void SoundPlayer::Session::fill(void* session, std::uint8_t* stream, int length) {
    auto& s = *static_cast<Session*>(session);
    std::size_t copied = 0;
    {
        const std::lock_guard lock(s.mutex);
        if (s.unfinished() && !s.closing) {
            const bool first = !s.heard;
            if (first) {
                s.heard = true;
                s.heardAt = Clock::now();
            }
            copied = std::min(std::size_t(length), s.sound->size() - s.taken);
            std::memcpy(stream, s.sound->data() + s.taken, copied);
            s.taken += copied;
            if (first || s.taken == s.sound->size())
                s.changed.notify_all();
        }
    }
    std::memset(stream + copied, 0, std::size_t(length) - copied); // signed samples: 0 is silence
}

bool SoundPlayer::Session::playing(Clock::time_point now) const {
    if (current != newest)
        return true; // being decoded, which no sound server can hold up
    // A sound lasts its length from the moment it was asked for, as it always has; a device that was slow
    // to open or to start keeps it until it has taken the last samples, for a bounded while.
    const Clock::time_point end = askedAt + length;
    return now < end || (unfinished() && now < end + Allowance);
}

// While playing(), when it may next change by itself; the callback and the decoding wake the waiters for
// the rest.
Clock::time_point SoundPlayer::Session::nextChange(Clock::time_point now) const {
    if (current != newest)
        return now + Allowance;
    const Clock::time_point end = askedAt + length;
    return now < end ? end : end + Allowance;
}
