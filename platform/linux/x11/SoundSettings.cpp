#include "SoundSettings.h"

#include <QGuiApplication>
#include <QtEndian>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform::x11 {

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// Errors are taken here rather than left to Qt, which would print them: the settings daemon may
// go away between two requests.
template <typename Reply, typename Cookie>
Owned<Reply> reply(xcb_connection_t *c, Cookie cookie,
                   Reply *(*get)(xcb_connection_t *, Cookie, xcb_generic_error_t **))
{
    xcb_generic_error_t *error = nullptr;
    Owned<Reply> answer(get(c, cookie, &error), &std::free);
    std::free(error);
    return answer;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const auto answer =
        reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), &xcb_intern_atom_reply);
    return answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The settings property: a byte-order byte, a serial, a count, then each setting as its type
// (0 integer, 1 string, 2 colour), its name, a serial and its value, all padded to 4 bytes.
class SettingsReader {
public:
    SettingsReader(const uchar *data, qsizetype size)
        : data_(data)
        , size_(size)
        , at_(4)
        , bigEndian_(size > 0 && data[0] == 1)
    {
    }
    bool ok() const { return ok_; }
    quint32 card(int bytes)
    {
        if (!take(bytes))
            return 0;
        const uchar *p = data_ + at_ - bytes;
        if (bytes == 1)
            return *p;
        if (bytes == 2)
            return bigEndian_ ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
        return bigEndian_ ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }
    QByteArray text(quint32 size)
    {
        if (!take(size))
            return {};
        const QByteArray bytes(reinterpret_cast<const char *>(data_ + at_ - size), size);
        take((4 - size % 4) % 4);
        return bytes;
    }

private:
    bool take(qsizetype bytes)
    {
        ok_ = ok_ && bytes <= size_ - at_;
        at_ += ok_ ? bytes : 0;
        return ok_;
    }
    const uchar *data_;
    qsizetype size_;
    qsizetype at_;
    bool bigEndian_;
    bool ok_ = true;
};

} // namespace

SoundSettings soundSettings()
{
    SoundSettings settings;
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return settings;
    static const xcb_atom_t selection = atom(c, "_XSETTINGS_S0");
    static const xcb_atom_t property = atom(c, "_XSETTINGS_SETTINGS");
    const auto owner =
        reply(c, xcb_get_selection_owner(c, selection), &xcb_get_selection_owner_reply);
    if (!owner || owner->owner == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return settings;
    const auto value =
        reply(c, xcb_get_property(c, 0, owner->owner, property, property, 0, 1 << 16),
              &xcb_get_property_reply);
    if (!value)
        return settings;
    return readSoundSettings(
        QByteArrayView(static_cast<const char *>(xcb_get_property_value(value.get())),
                       xcb_get_property_value_length(value.get())));
}

SoundSettings readSoundSettings(QByteArrayView property)
{
    SoundSettings settings;
    SettingsReader reader(reinterpret_cast<const uchar *>(property.data()), property.size());
    reader.card(4); // serial
    for (quint32 n = reader.card(4); n > 0 && reader.ok(); --n) {
        const quint32 type = reader.card(1);
        reader.card(1);
        const QByteArray name = reader.text(reader.card(2));
        reader.card(4); // serial
        if (type == 0) {
            const qint32 number = qint32(reader.card(4));
            if (reader.ok() && name == "Net/EnableEventSounds")
                settings.enabled = number != 0;
        } else if (type == 1) {
            const QByteArray text = reader.text(reader.card(4));
            if (reader.ok() && name == "Net/SoundThemeName")
                settings.themeName = text;
        } else if (type == 2) {
            reader.card(4);
            reader.card(4);
        } else {
            break;
        }
    }
    return settings;
}

} // namespace platform::x11
