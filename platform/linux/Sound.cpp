// Event sounds through libcanberra, which honours the user's sound theme and plays on whatever
// sound server the desktop runs. The library is loaded with the first sound, on a worker
// thread, so that neither start-up nor a message box ever waits for it.
#include "DesktopPlatform.h"
#include "EventSound.h"
#include "x11/SoundSettings.h"

#include <canberra.h>

#include <QLibrary>
#include <QLoggingCategory>
#include <QMutex>
#include <QThreadPool>

namespace platform {

namespace {

// Off by default; QT_LOGGING_RULES="tocklet.sound.info=true" shows every request and its result.
Q_LOGGING_CATEGORY(lcSound, "tocklet.sound", QtWarningMsg)

// The library and one context for every sound; the context lives as long as the program.
class Canberra {
public:
    void play(const QByteArray &event, const QByteArray &theme)
    {
        const QMutexLocker lock(&mutex_);
        if (!context_ && !open())
            return;
        const int result =
            play_(context_, 0, CA_PROP_EVENT_ID, event.constData(), CA_PROP_CANBERRA_XDG_THEME_NAME,
                  theme.constData(), CA_PROP_CANBERRA_CACHE_CONTROL, "volatile", nullptr);
        qCInfo(lcSound) << event << "in theme" << theme << ":" << strerror_(result);
    }

private:
    bool open()
    {
        if (tried_)
            return false;
        tried_ = true;
        QLibrary library(QStringLiteral("canberra"), 0);
        using Create = int (*)(ca_context **);
        using SetDriver = int (*)(ca_context *, const char *);
        using ChangeProps = int (*)(ca_context *, ...);
        const auto create = reinterpret_cast<Create>(library.resolve("ca_context_create"));
        const auto setDriver =
            reinterpret_cast<SetDriver>(library.resolve("ca_context_set_driver"));
        const auto changeProps =
            reinterpret_cast<ChangeProps>(library.resolve("ca_context_change_props"));
        play_ = reinterpret_cast<Play>(library.resolve("ca_context_play"));
        strerror_ = reinterpret_cast<StrError>(library.resolve("ca_strerror"));
        if (!create || !setDriver || !changeProps || !play_ || !strerror_ ||
            create(&context_) != CA_SUCCESS) {
            qCInfo(lcSound) << "no libcanberra:" << library.errorString();
            context_ = nullptr;
            return false;
        }
        // The desktop's sound server (PulseAudio, or PipeWire in its place) or nothing: without
        // a server libcanberra would open the sound card itself, and ALSA would complain on
        // stderr wherever there is none. CANBERRA_DRIVER still chooses another.
        if (!qEnvironmentVariableIsSet("CANBERRA_DRIVER"))
            setDriver(context_, "pulse");
        changeProps(context_, CA_PROP_APPLICATION_NAME, "Tocklet", CA_PROP_APPLICATION_ID,
                    "org.tocklet.Tocklet", CA_PROP_APPLICATION_ICON_NAME, "org.tocklet.Tocklet",
                    nullptr);
        return true;
    }

    using Play = int (*)(ca_context *, uint32_t, ...);
    using StrError = const char *(*)(int);
    QMutex mutex_;
    bool tried_ = false;
    ca_context *context_ = nullptr;
    Play play_ = nullptr;
    StrError strerror_ = nullptr;
};

} // namespace

void playMessageSound(MsgIcon icon)
{
    const char *name = eventSoundName(icon);
    if (!name)
        return;
    // The settings are read here, on the thread that owns the X connection.
    const x11::SoundSettings settings = x11::soundSettings();
    if (!settings.enabled)
        return;
    const QByteArray event(name);
    const QByteArray theme = settings.themeName.isEmpty() ? "freedesktop" : settings.themeName;
    // A pool of its own, never destroyed: a request stuck on a hung sound server must not hold
    // up the end of the program, as the global pool, which waits for its tasks, would.
    static QThreadPool *const pool = new QThreadPool;
    pool->start([event, theme] {
        static Canberra *const canberra = new Canberra; // outlives a request still running at exit
        canberra->play(event, theme);
    });
}

} // namespace platform
