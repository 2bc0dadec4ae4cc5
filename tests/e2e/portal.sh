#!/usr/bin/env bash
# A Wayland session's portal and Plasma's key daemon, faked on the private bus: the X11 grab of
# Ctrl+Alt+A stays while the daemon has no key, and goes once a portal 10 s late has one.
source "$(dirname "$0")/lib.sh" "$1"
cat >"$work/fake.py" <<'PY'
import sys, dbus, dbus.service, dbus.mainloop.glib
from gi.repository import GLib
delay, keys, log = float(sys.argv[1]), [int(k) for k in sys.argv[2].split(',') if k], open(sys.argv[3], 'a', buffering=1)
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True); bus = dbus.SessionBus()
P, GS, SESSION = '/org/freedesktop/portal/desktop', 'org.freedesktop.portal.GlobalShortcuts', '/org/freedesktop/portal/desktop/session/1/tocklet'
def emit(path, iface, name, sig, *args):
    m = dbus.lowlevel.SignalMessage(path, iface, name); m.append(*args, signature=sig); bus.send_message(m)
class Portal(dbus.service.Object):
    def answer(self, sender, options, results, after=0):  # the request's Response, after the call's own answer
        path = f"{P}/request/{sender[1:].replace('.', '_')}/{options['handle_token']}"
        GLib.timeout_add(int(after * 1000), lambda: emit(path, 'org.freedesktop.portal.Request', 'Response', 'ua{sv}', 0, results))
        return dbus.ObjectPath(path)
    @dbus.service.method('org.freedesktop.DBus.Properties', in_signature='ss', out_signature='v')
    def Get(self, iface, prop): return dbus.UInt32(1)
    @dbus.service.method(GS, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
    def CreateSession(self, options, sender): log.write('CreateSession\n'); return self.answer(sender, options, {'session_handle': dbus.ObjectPath(SESSION)}, delay)
    @dbus.service.method(GS, in_signature='oa{sv}', out_signature='o', sender_keyword='sender')
    def ListShortcuts(self, session, options, sender):
        log.write('ListShortcuts\n'); listed = [('recall', {'trigger_description': 'Ctrl+Alt+A'})]
        return self.answer(sender, options, {'shortcuts': dbus.Array(listed, signature='(sa{sv})')})
    @dbus.service.method('test.Fake')
    def Press(self): emit(P, GS, 'Activated', 'osta{sv}', dbus.ObjectPath(SESSION), 'recall', 0, {})
class Daemon(dbus.service.Object):
    @dbus.service.method('org.kde.KGlobalAccel', in_signature='as', out_signature='ai')
    def shortcut(self, action): log.write('shortcut %s\n' % ','.join(action)); return dbus.Array(keys, signature='i')
names = [dbus.service.BusName(n, bus) for n in ('org.freedesktop.portal.Desktop', 'org.kde.kglobalaccel')]
Portal(bus, P), Daemon(bus, '/kglobalaccel')
log.write('ready\n'); GLib.MainLoop().run()
PY
fake_log() { grep -q "$1" "$work/fake.log"; }
# portal DELAY KEYS [SESSION]: a fake answering CreateSession after DELAY s, the daemon reporting
# KEYS; a copy in a session of that type (wayland unless told).
portal() {
  : >"$work/fake.log"
  /usr/bin/python3 "$work/fake.py" "$1" "$2" "$work/fake.log" >>"$work/out" 2>&1 & fake=$!; pids+=("$fake")
  until_true fake_log ready || fail "the fake portal did not start"
  start env XDG_SESSION_TYPE="${3:-wayland}" QT_QPA_PLATFORM=xcb "$work/app/tocklet"
  until_true shown || fail "no window"
}

# On X11 the grab alone: the portal, though there, is not asked.
portal 0 '' x11
"$work/app/tocklet" --recall && sleep 0.5 && ! fake_log CreateSession || fail "the portal asked on X11"
terminate "$pid" "the X11 copy" && kill "$fake" && wait "$fake"
# The portal lists the shortcut with a key but the daemon has none: the grab stays, and recalls.
write_script "$long"
portal 0 ''
until_true fake_log 'shortcut token_tocklet,recall,token_tocklet,' || fail "the daemon was not asked"
sleep 0.5 && background "$pid" Return alt+g
key_recalls "$pid" "Ctrl+Alt+A did not recall the window with the grab kept"
terminate "$pid" "the first copy" && kill "$fake" && wait "$fake"

# A portal 10 s late: meanwhile the window answers, a 2 s background task fires, the grab recalls.
write_script '[0,0,2,0,1,1,1,"事件关联文件未指定"]短任务'
portal 10 7
until_true fake_log CreateSession || fail "no session asked for"
background "$pid" Return
reminded "the countdown did not fire while the portal was waiting"
minimize "$pid" && key_recalls "$pid" "Ctrl+Alt+A did not recall the window while the portal was waiting"
fake_log ListShortcuts && fail "the portal answered before the test was done waiting (too slow)"
# Its late answer with a key: the grab goes (the X11 key no longer recalls), its Activated does.
until_true fake_log shortcut || fail "the daemon was not asked after the late answer"
sleep 0.5 && minimize "$pid" && xdotool key ctrl+alt+a && sleep 1 && hidden || fail "the grab was kept though the portal has the key"
dbus-send --session --type=method_call --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop test.Fake.Press
until_true shown || fail "the portal's Activated did not recall the window"
terminate "$pid" "the copy with the portal's key"
echo "portal: ok"
