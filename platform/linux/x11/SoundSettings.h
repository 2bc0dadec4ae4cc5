#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace platform::x11 {

// The desktop's event-sound settings as its settings daemon publishes them to X clients
// (XSETTINGS "Net/EnableEventSounds" and "Net/SoundThemeName"; GNOME, Xfce, MATE, Cinnamon and
// Plasma's GTK bridge all do). Without a daemon sounds are on and the theme is not named.
struct SoundSettings {
    bool enabled = true;
    QByteArray themeName;
};

// Reads the settings on the application's X connection; the defaults off X11.
SoundSettings soundSettings();
// The settings in the bytes of the daemon's _XSETTINGS_SETTINGS property, as far as they are whole.
SoundSettings readSoundSettings(QByteArrayView property);

} // namespace platform::x11
