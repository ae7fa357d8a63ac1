#!/usr/bin/env bash
# The Debian package from a pilot's side: made from this build, unpacked into a fresh folder
# root, its applications menu entry and icons checked, started through /usr/bin/kalveo with a
# fresh home, then updated over the pilot's edits.
# The zip, the Windows release's layout, is checked here with this build's program.
# Usage: package_test.sh CPACK CPACK_CONFIG SAMPLE_INSTALL CMAKE
set -uo pipefail

cpack=$1
config=$2
sample_install=$3
cmake=$4

work=$(mktemp -d "${TMPDIR:-/tmp}/kalveo-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
passes=0
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passes=$((passes + 1))
    else
        failures=$((failures + 1))
        echo "FAILED: $what" >&2
    fi
}
contains() { grep -qF -- "$2" "$1"; }
lacks() { ! grep -qF -- "$2" "$1"; }
links_to() { [ -L "$1" ] && [ "$(readlink "$1")" = "$2" ]; }
own_file() { [ -f "$1" ] && [ ! -L "$1" ]; }

# --- the package
"$cpack" --config "$config" -G DEB -B "$work/out" >"$work/cpack.txt" 2>&1 ||
    { cat "$work/cpack.txt"; exit 1; }
deb=$(find "$work/out" -maxdepth 1 -name 'kalveo_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "cpack made no .deb" >&2; cat "$work/cpack.txt"; exit 1; }
dpkg-deb --field "$deb" Depends >"$work/depends.txt"
check "the package depends on SDL2" contains "$work/depends.txt" libsdl2-2.0-0

root=$work/root
dpkg -x "$deb" "$root"
opt=$root/opt/kalveo
launcher=$root/usr/bin/kalveo
check "the launcher is on the PATH" test -x "$launcher"
check "the program sits in /opt/kalveo" test -x "$opt/kalveo"
check "the recorder sits in /opt/kalveo" test -x "$opt/kalveo-replay"
check "the recorder's command is on the PATH" \
    links_to "$root/usr/bin/kalveo-replay" ../../opt/kalveo/kalveo-replay
"$root/usr/bin/kalveo-replay" --help >"$work/replay-help.txt" 2>&1
check "kalveo-replay --help ends well" test $? -eq 0
check "kalveo-replay --help shows how to record" contains "$work/replay-help.txt" "--record FILE"
for folder in Settings Lang Sounds Manual Logs; do
    check "/opt/kalveo/$folder is shipped" test -d "$opt/$folder"
done

# --- the applications menu: an entry that starts the command, and its icon
entry=$root/usr/share/applications/kalveo.desktop
check "the menu entry is installed" test -f "$entry"
check "desktop-file-validate accepts the menu entry" desktop-file-validate "$entry"
exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
check "the menu entry starts the command on the PATH" \
    test -n "$exec_command" -a -x "$root/usr/bin/$exec_command"
icon_name=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 32 48 64 128; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png
    check "the menu icon is there at $size pixels" \
        test "$(/usr/bin/identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}"
done

home=$work/home
pilot=$home/.local/share/kalveo
mkdir -p "$home"
start() { # start OUTPUT ARGS...: the launcher as the pilot starts it
    local output=$1
    shift
    env -u XDG_DATA_HOME HOME="$home" KALVEO_PREFIX="$opt" LANG=C LC_ALL=C "$launcher" "$@" \
        >"$output" 2>&1 </dev/null
}

# --- the release before: older settings version, a language file and a line less
cp "$opt/Lang/Kalveo_Lang_EN.txt" "$work/EN.new"
sed -i 's/^Kalveo Version=.*/Kalveo Version=3100/' "$opt/Settings/Kalveo.ini"
sed -i '$d' "$opt/Lang/Kalveo_Lang_EN.txt" "$opt/Lang/Kalveo_Lang_FR.txt"
# A comment line that only the new model and what is rewritten from it have.
marker='# Windows drops it.'
for file in Kalveo_default.ini Kalveo.ini; do
    grep -vF -- "$marker" "$opt/Settings/$file" >"$work/$file.old"
    cp "$work/$file.old" "$opt/Settings/$file"
done
rm "$opt/Lang/Kalveo_Lang_DE.txt"

# --- first start
start "$work/first.txt" -help
check "the first start shows the help and ends well" test $? -eq 0
check "the help is the program's" contains "$work/first.txt" "$pilot/kalveo [-help]"
for folder in Settings Lang Logs; do
    check "$folder is the pilot's own folder" test -d "$pilot/$folder" -a ! -L "$pilot/$folder"
done
check "the settings are the pilot's own file" own_file "$pilot/Settings/Kalveo.ini"
check "language files are the pilot's own" own_file "$pilot/Lang/Kalveo_Lang_FR.txt"
for entry in kalveo Sounds Manual; do
    check "$entry is linked from /opt/kalveo" links_to "$pilot/$entry" "$opt/$entry"
done
# Started through its link, the program works in the pilot's folder, not in /opt/kalveo.
check "the program logged into the pilot's folder" test -s "$pilot/Logs/Logfile.txt"
check "the installed folder stays untouched" test -z "$(ls -A "$opt/Logs")" -a ! -e "$opt/StdOut.log"

# --- the pilot's own changes
sed -i 's/^Port=.*/Port=55301/' "$pilot/Settings/Kalveo.ini"
echo "ACCUEIL=Bonjour pilote" >>"$pilot/Lang/Kalveo_Lang_FR.txt"
cp "$pilot/Lang/Kalveo_Lang_FR.txt" "$work/FR.pilot"
cp "$pilot/Settings/Kalveo.ini" "$work/settings.pilot"

# --- the update: the package unpacked again over the release before
dpkg -x "$deb" "$root"
rm "$opt/moustique.bmp"
start "$work/second.txt" -help
check "the start after the update ends well" test $? -eq 0
check "the settings file is still the pilot's" cmp -s "$pilot/Settings/Kalveo.ini" "$work/settings.pilot"
check "the settings model follows the package" cmp -s "$pilot/Settings/Kalveo_default.ini" "$opt/Settings/Kalveo_default.ini"
check "an unchanged language file follows the package" cmp -s "$pilot/Lang/Kalveo_Lang_EN.txt" "$work/EN.new"
check "an edited language file stays the pilot's" cmp -s "$pilot/Lang/Kalveo_Lang_FR.txt" "$work/FR.pilot"
check "a new language file is added" own_file "$pilot/Lang/Kalveo_Lang_DE.txt"
check "a link to what is no longer shipped goes" test ! -L "$pilot/moustique.bmp"

# --- a real start: the program finds the settings of the release before and rewrites them
wine=$work/wine
"$sample_install" "$wine" --condor2 >/dev/null
# Two simulator versions that send differently end the start right after the settings check,
# with no window and no socket needed.
sed -i 's/^Port=.*/Port=55302/' "$wine/drive_c/Condor2/Settings/UDP.ini"
: >"$work/answers.txt"
WINEPREFIX=$wine KALVEO_DIALOGS=script:$work/answers.txt SDL_VIDEODRIVER=dummy \
    SDL_AUDIODRIVER=dummy start "$work/third.txt"
check "the start reached the simulator check" contains "$pilot/Logs/Logfile.txt" "UDP.ini files for Condor 2 and Condor 3 are different"
settings=$pilot/Settings/Kalveo.ini
check "the program rewrote the settings to its version" contains "$settings" "Kalveo Version=3210"
check "the rewrite kept the pilot's port" contains "$settings" "Port=55301"
check "the pilot's file lacked the new model's line" lacks "$work/settings.pilot" "$marker"
check "the rewrite follows the new model" contains "$settings" "$marker"
check "the pilot's old file is kept numbered" cmp -s "$pilot/Settings/Kalveo_00000.ini" "$work/settings.pilot"

# --- arguments reach the program as they were given
stub=$work/stub
mkdir -p "$stub"
# shellcheck disable=SC2016 # the stub expands its own arguments
printf '#!/bin/sh\nprintf "%%s\\n" "$0"\nprintf "[%%s]\\n" "$@"\n' >"$stub/kalveo"
chmod +x "$stub/kalveo"
env HOME="$work/home2" XDG_DATA_HOME= KALVEO_PREFIX="$stub" "$launcher" 'two words' '*' '' '-kts' \
    >"$work/args.txt" 2>/dev/null
printf '%s\n' "$work/home2/.local/share/kalveo/kalveo" '[two words]' '[*]' '[]' '[-kts]' \
    >"$work/args.expected"
check "arguments pass unchanged" cmp -s "$work/args.txt" "$work/args.expected"

# --- the zip: the program folder alone, ready to unpack and run
"$cpack" --config "$config" -G ZIP -B "$work/zip" >"$work/cpack-zip.txt" 2>&1 ||
    { cat "$work/cpack-zip.txt"; exit 1; }
zip=$(find "$work/zip" -maxdepth 1 -name 'kalveo-*.zip' | head -n 1)
(cd "$work/zip" && "$cmake" -E tar xf "$zip")
top=${zip%.zip}
check "the zip unpacks as one folder" test -d "$top"
check "the zip's program is beside its folders" test -x "$top/kalveo" -o -f "$top/kalveo.exe"
check "the zip's recorder is beside the program" \
    test -x "$top/kalveo-replay" -o -f "$top/kalveo-replay.exe"
for entry in Settings/Kalveo.ini Settings/Kalveo_default.ini Lang/Kalveo_Lang_EN.txt \
    Sounds/VNE_0.wav Manual/Manual_EN.pdf; do
    check "the zip holds $entry" test -s "$top/$entry"
done
check "the zip keeps the empty Logs folder" test -d "$top/Logs"
check "the zip holds no command for the PATH" test ! -e "$top/usr" -a ! -e "$top/opt"

if [ "$failures" -ne 0 ]; then
    for f in first second third; do
        echo "--- $f start:"
        cat "$work/$f.txt"
    done
fi
echo "package: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
