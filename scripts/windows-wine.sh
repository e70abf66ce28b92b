# shellcheck shell=bash
# What scripts/windows-check and scripts/windows-gui-check share about Wine;
# sourced, not run. Defines $wine and $wineserver and the functions below.

wine="$(command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
# No menu entries of the Windows programs on the host's desktop.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

# make_prefix PREFIX: makes a Wine prefix there. The very first Wine run on a
# machine can fail to make its prefix (it sets up Wine's own files then); a
# second try succeeds. What Wine said is shown when both fail.
make_prefix() {
  local said try
  said="$(mktemp)"
  mkdir -p "$(dirname "$1")"
  for try in 1 2; do
    # The registry reaches its files when the Wine server ends.
    if WINEPREFIX="$1" "$wine" wineboot --init >"$said" 2>&1 &&
      WINEPREFIX="$1" "$wineserver" -w >>"$said" 2>&1 && [ -f "$1/system.reg" ]; then
      rm -f "$said"
      return 0
    fi
    WINEPREFIX="$1" "$wineserver" -k >/dev/null 2>&1 || true
    if [ "$try" = 1 ]; then
      echo "Wine could not make its prefix in $1; trying once more"
      rm -rf "$1"
      mkdir -p "$(dirname "$1")"
    fi
  done
  echo "what Wine said:" >&2
  sed 's/^/  /' "$said" >&2
  rm -f "$said"
  return 1
}

# add_fonts PREFIX: the host's IPA Gothic in the prefix's Fonts folder, so
# that Japanese text shows whatever Wine finds on the host, and Wine's Marlett
# (package fonts-wine), which draws the buttons of the captions Wine draws.
add_fonts() {
  local fonts="$1/drive_c/windows/Fonts" f
  mkdir -p "$fonts"
  for f in /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
    /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf /usr/share/wine/fonts/marlett.ttf; do
    [ -f "$f" ] || return 1
    ln -sf "$f" "$fonts/"
  done
}

# qt_winepath QT-FOLDER: the WINEPATH under which programs built against that
# Qt find its DLLs and the compiler's (Windows paths on Wine's drive Z:).
qt_winepath() {
  local path="Z:$1/bin" dll dir
  for dll in libstdc++-6.dll libwinpthread-1.dll; do
    dir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")"
    path="$path;Z:$dir"
  done
  echo "$path"
}
