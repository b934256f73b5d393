#!/bin/sh
# Creates the Wine prefix the Windows tests run in: outside the repository, owned by the user
# who runs the tests, prepared for a machine without a display or a window manager.
#   WINEPREFIX  where to create it (default: $HOME/.wine-velokrom)
# Does nothing when the prefix already exists; pass --force to rebuild it.
set -eu

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-velokrom}"
if [ "${1:-}" = "--force" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
fi
if [ -f "$WINEPREFIX/system.reg" ]; then
    echo "Wine prefix $WINEPREFIX exists"
    exit 0
fi

echo "Creating Wine prefix $WINEPREFIX"
# No Mono or Gecko: an offline install prompt would hang a headless run.
WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= wineboot --init

# A crash must end the process with an exit code instead of opening winedbg's dialog, and
# without a window manager Wine must not wait for one whenever a window is hidden.
reg="$WINEPREFIX/velokrom-tests.reg"
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
WINEDEBUG=-all DISPLAY= wine regedit /S "$reg"

# Wine does not load its own fonts from /usr/share/wine/fonts: Tahoma (dialogs), Marlett
# (caption buttons) and the bitmap fonts must be in the prefix. Without sserife.fon, which the
# prefix's font list names for "MS Sans Serif", our dialogs get DejaVu Sans, a sixth wider than
# the face their layout is measured in, and their labels wrap and clip.
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"

wineserver -w
echo "Wine prefix ready"
