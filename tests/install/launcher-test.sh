#!/bin/sh
# The launcher's game folder rules, against a stand-in program that records where and how it
# was started. Argument: the launcher as it is installed.
set -u
launcher_src=$1
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
same() { cmp -s -- "$1" "$2" || fail "$2 differs from $1"; }

prefix=$t/prefix
mkdir -p "$prefix/bin" "$prefix/share/qelmap"
cp "$launcher_src" "$prefix/bin/qelmap-launch"
chmod +x "$prefix/bin/qelmap-launch"
cat >"$prefix/bin/qelmap" <<'FAKE'
#!/bin/sh
printf '%s %s\n' "$PWD" "$#" >>"$FAKE_LOG"
printf '%s\n' "${QT_QPA_PLATFORM-unset}" >"$FAKE_LOG.platform"
exit "${FAKE_STATUS:-0}"
FAKE
chmod +x "$prefix/bin/qelmap"
defaults=$prefix/share/qelmap
printf 'start position\n' >"$defaults/Start.map"
printf 'sectors\n' >"$defaults/Sektoren_neu.sek"
printf 'map picture\n' >"$defaults/Map(1587x913)[16].BMP"
printf 'light\n' >"$defaults/green light.BMP"
printf 'not part of the board\n' >"$defaults/.hidden"
export FAKE_LOG="$t/log"
launch() { "$prefix/bin/qelmap-launch" "$@" 2>"$t/err"; }

# First launch: the folder is made, filled, and the program runs inside it with no arguments.
export HOME="$t/home"
export XDG_DATA_HOME="$t/xdg"
game=$XDG_DATA_HOME/qelmap
FAKE_STATUS=3 launch
status=$?
[ "$status" = 3 ] || fail "first launch: exit status $status, not the program's 3"
for f in Start.map Sektoren_neu.sek "Map(1587x913)[16].BMP" "green light.BMP"; do
    same "$defaults/$f" "$game/$f"
done
[ -e "$game/.hidden" ] && fail "a hidden file of the default board was copied"
ls -A "$game" | grep -q 'tmp-' && fail "a temporary copy was left in the game folder"
[ "$(cat "$t/log")" = "$game 0" ] || fail "first launch: program ran as '$(cat "$t/log")', not in $game with no arguments"
[ -d "$t/home/.local" ] && fail "XDG_DATA_HOME was set, yet the launcher used HOME"

# Second launch: what the player changed, removed or added stays as it is.
printf 'my own position\n' >"$game/Start.map"
rm "$game/Sektoren_neu.sek"
printf 'saved game\n' >"$game/game1.map"
printf '[settings]\n' >"$game/QelWin.INI"
rm "$game/green light.BMP" && ln -s nowhere "$game/green light.BMP"
launch || fail "second launch failed: $(cat "$t/err")"
[ "$(cat "$game/Start.map")" = "my own position" ] || fail "a changed default file was replaced"
[ -e "$game/Sektoren_neu.sek" ] && fail "a default file the player removed came back unasked"
grep -q "Sektoren_neu.sek" "$t/err" && grep -q -- "--restore-defaults" "$t/err" ||
    fail "the removed default file was not reported with the way to restore it: $(cat "$t/err")"
[ -L "$game/green light.BMP" ] || fail "a dangling link the player made was replaced"
[ "$(cat "$game/game1.map")" = "saved game" ] || fail "a saved game was touched"

# A default file that a newer version adds arrives on the next launch.
printf 'own pieces\n' >"$defaults/OwnPieces.BMP"
launch --no-start || fail "launch after an update failed"
same "$defaults/OwnPieces.BMP" "$game/OwnPieces.BMP"

# Restoring puts the board back, keeps changed files in a backup and leaves the rest alone.
: >"$t/log"
launch --restore-defaults --no-start || fail "restoring failed: $(cat "$t/err")"
[ -s "$t/log" ] && fail "--no-start started the program"
for f in Start.map Sektoren_neu.sek "Map(1587x913)[16].BMP" "green light.BMP" OwnPieces.BMP; do
    same "$defaults/$f" "$game/$f"
done
set -- "$game"/backup-*
if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    fail "restoring made no single backup folder: $*"
else
    [ "$(cat "$1/Start.map")" = "my own position" ] || fail "the changed Start.map is not in the backup"
    [ -L "$1/green light.BMP" ] || fail "the player's link is not in the backup"
    [ -e "$1/OwnPieces.BMP" ] && fail "an unchanged file was moved into the backup"
    grep -q "$1" "$t/err" || fail "the backup folder was not named to the player"
fi
[ "$(cat "$game/game1.map")" = "saved game" ] || fail "restoring touched a saved game"
[ "$(cat "$game/QelWin.INI")" = "[settings]" ] || fail "restoring touched the settings"
launch --restore-defaults --no-start
set -- "$game"/backup-*
[ $# -eq 1 ] || fail "restoring an unchanged board made another backup"

# Without a usable XDG_DATA_HOME the folder goes under HOME.
XDG_DATA_HOME=relative/path launch --no-start || fail "launch with a relative XDG_DATA_HOME failed"
same "$defaults/Start.map" "$t/home/.local/share/qelmap/Start.map"
[ -e relative ] && fail "a relative XDG_DATA_HOME was used"
rm -rf "$t/home"
(unset XDG_DATA_HOME; launch --no-start) || fail "launch without XDG_DATA_HOME failed"
same "$defaults/Start.map" "$t/home/.local/share/qelmap/Start.map"

# Started through a link elsewhere (as from /usr/games), it still finds its board.
mkdir "$t/games"
ln -s "$prefix/bin/qelmap-launch" "$t/games/qelmap-launch"
XDG_DATA_HOME=$t/linked "$t/games/qelmap-launch" --no-start 2>"$t/err" || fail "launch through a link failed: $(cat "$t/err")"
same "$defaults/Start.map" "$t/linked/qelmap/Start.map"

# On a Wayland desktop the program runs through XWayland, natively only without an X
# display, and the platform the player chose stays.
platform() {  # expected, then the environment of the start
    env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM "$@" "$prefix/bin/qelmap-launch" 2>"$t/err"
    [ "$(cat "$FAKE_LOG.platform")" = "$expect" ] ||
        fail "started with $*: platform '$(cat "$FAKE_LOG.platform")', not '$expect'"
}
expect=unset platform XDG_SESSION_TYPE=x11
expect="xcb;wayland" platform WAYLAND_DISPLAY=wayland-0
expect="xcb;wayland" platform XDG_SESSION_TYPE=wayland
expect="xcb;wayland" platform XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=
expect=wayland platform WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland
expect=offscreen platform XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=offscreen

# Refusals: playing in the default board itself, a file where the folder should be, no
# program, an unknown option. None of them starts the program or writes into the board.
: >"$t/log"
XDG_DATA_HOME=$prefix/share launch
[ $? = 1 ] || fail "the default board was accepted as the game folder"
XDG_DATA_HOME=$defaults/saves launch
[ $? = 1 ] || fail "a game folder inside the default board was accepted"
ln -s "$defaults" "$t/board-link"
XDG_DATA_HOME=$t/board-link launch
[ $? = 1 ] || fail "a game folder inside the default board, reached through a link, was accepted"
ls -A "$defaults" | grep -q -e qelmap-defaults -e saves -e qelmap && fail "the launcher wrote into the default board"
mkdir "$t/blocked"
: >"$t/blocked/qelmap"
XDG_DATA_HOME=$t/blocked launch
[ $? = 1 ] || fail "a file standing where the game folder should be was not refused"
grep -q "$t/blocked/qelmap" "$t/err" || fail "the refusal does not name the folder: $(cat "$t/err")"
launch --fullscreen
[ $? = 2 ] || fail "an unknown option was not refused with status 2"
mv "$prefix/bin/qelmap" "$prefix/bin/qelmap.away"
launch
[ $? = 1 ] || fail "a missing program was not reported"
grep -q "$prefix/bin/qelmap" "$t/err" || fail "the missing program is not named: $(cat "$t/err")"
[ -s "$t/log" ] && fail "a refused launch started the program"

[ "$failures" = 0 ] || exit 1
echo "launcher: all checks passed"
