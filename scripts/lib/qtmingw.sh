# Sourced: find_qt_mingw DIR prints a Qt-for-MinGW tree: $TOCKLET_QT_MINGW, else the shared
# prebuilt tarball unpacked into DIR/qt (once); fails when there is neither.
find_qt_mingw() {
  local dir=$1 tarball
  if [ -n "${TOCKLET_QT_MINGW:-}" ]; then
    [ -x "$TOCKLET_QT_MINGW/bin/qt-cmake" ] || { echo "TOCKLET_QT_MINGW: no qt-cmake" >&2; return 1; }
    echo "$TOCKLET_QT_MINGW"
    return 0
  fi
  [ -x "$dir/qt/bin/qt-cmake" ] && { echo "$dir/qt"; return 0; }
  for tarball in "$(dirname "$PWD")/shared/toolchains/qt6.4.2-mingw-w64.tar.xz" \
                 /work/shared/toolchains/qt6.4.2-mingw-w64.tar.xz; do
    [ -f "$tarball" ] || continue
    rm -rf "$dir/qt.part"
    mkdir -p "$dir/qt.part"
    tar -xJf "$tarball" -C "$dir/qt.part" --strip-components=1 && rm -rf "$dir/qt" &&
      mv "$dir/qt.part" "$dir/qt" ||
      { rm -rf "$dir/qt.part"; echo "could not unpack $tarball" >&2; return 1; }
    echo "$dir/qt"
    return 0
  done
  return 1
}
