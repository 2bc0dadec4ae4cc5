# Sourced by scripts that run Windows builds under Wine (Debian's wine64):
#   start_wine QT DIR  a Wine prefix in DIR/prefix (made once), Chinese Windows (code page 936),
#                      the Qt and MinGW runtime DLLs on the path, one persistent wineserver
#   stop_wine          ends the wineserver
WINE=/usr/lib/wine/wine64  # the `wine` wrapper nags about wine32

start_wine() {
  local qt=$1 dir=$2
  mkdir -p "$dir"
  # Wine's ANSI code page follows the Unix locale, which glibc must have: generated privately.
  if [ ! -d "$dir/locale/zh_CN.UTF-8" ]; then
    mkdir -p "$dir/locale"
    localedef -i zh_CN -f UTF-8 "$dir/locale/zh_CN.UTF-8" 2>/dev/null || true
  fi
  export LOCPATH=$dir/locale
  { export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null  # not this shell's locale
  export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko install prompts
  export WINEPATH="Z:${qt//\//\\}\\bin;Z:\\usr\\lib\\gcc\\x86_64-w64-mingw32\\12-posix;Z:\\usr\\x86_64-w64-mingw32\\lib"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    $WINE wineboot -i >/dev/null 2>&1 </dev/null
    # Wine has no SimSun or MS Shell Dlg: WenQuanYi (fonts-wqy-microhei) in their place.
    local font
    for font in 宋体 SimSun NSimSun 'MS Shell Dlg' 'MS Shell Dlg 2' Tahoma; do
      $WINE reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    /usr/lib/wine/wineserver -w
  fi
  # One wineserver and its service processes started here, outside ctest: each test would
  # otherwise wait for the services, which inherit its output pipe.
  # A server left from before (without this display) goes first.
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null
  $WINE wineboot >/dev/null 2>&1 </dev/null
  # A crash ends the process with its exception code instead of waiting on a dialog or exiting
  # 0 through winedbg --auto (every time: a prefix may have been made by something else).
  $WINE reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  $WINE reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
}

stop_wine() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}
