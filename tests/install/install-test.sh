#!/bin/sh
# Installs QelMap into a temporary prefix and checks what lands where; starts the installed
# menu entry's command under Xvfb with a fresh XDG_DATA_HOME, twice; builds the Debian package
# and checks its files and dependencies.
# Arguments: BUILD-DIR DATA-DIR [X11-CLOSE-HELPER]
# Exit status 77 (skipped) when the parts that need the program, the default board or Xvfb
# could not run and nothing else failed.
set -u

# Waits up to 10 s for the program to end after its close request, and notes its exit status
# (or "still running", after which it is killed).
exit_status() {  # pid, notes folder
    i=0
    while [ $i -lt 100 ] && kill -0 "$1" 2>/dev/null; do
        sleep 0.1
        i=$((i + 1))
    done
    if kill -0 "$1" 2>/dev/null; then
        echo "still running" >"$2/status"
        kill -KILL "$1"
        return
    fi
    wait "$1"
    echo $? >"$2/status"
}

# One session: start the command, wait for the program's windows, note its working folder,
# close the main window as a window manager would, and report how it ended.
session() {  # notes folder, command, close helper
    out=$1
    command=$2
    close_helper=$3
    $command >"$out/stdout" 2>"$out/stderr" &
    pid=$!
    i=0
    while [ $i -lt 150 ] && kill -0 "$pid" 2>/dev/null; do
        xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
        sleep 0.1
        i=$((i + 1))
    done
    sleep 1  # the palette and the information window follow the main window
    readlink "/proc/$pid/cwd" >"$out/cwd" 2>/dev/null
    : >"$out/windows"
    main=
    largest=0
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        name=$(xdotool getwindowname "$w")
        size=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
        echo "$w $size $name" >>"$out/windows"
        area=$(echo "$size" | awk '{print $1 * $2}')
        if [ "${area:-0}" -gt "$largest" ]; then
            largest=$area
            main=$w
        fi
    done
    if [ -n "$main" ] && [ -n "$close_helper" ]; then
        "$close_helper" "$main"
    else
        kill -TERM "$pid" 2>/dev/null
    fi
    exit_status "$pid" "$out"
}

# Accessibility, the one way into a native Wayland program when the compositor has no input
# devices: "windows" waits for the program's main window and names its windows, "exit" runs
# the menu command that closes it.
atspi() {  # windows|exit, process id
    /usr/bin/python3 - "$@" <<'PY'
import sys, time, pyatspi
what, pid = sys.argv[1], int(sys.argv[2])
def items(a, depth=0):
    for i in range(a.childCount if depth < 8 else 0):
        c = a.getChildAtIndex(i)
        if c is not None:
            yield c
            yield from items(c, depth + 1)
for _ in range(150):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is None or app.get_process_id() != pid:
                continue
            windows = [w.name for w in items(app, 7)]
            if what == "windows" and any(n.startswith("QelMap for Windows") for n in windows):
                print("\n".join(windows))
                sys.exit(0)
            if what == "exit":
                for m in items(app):
                    if m.getRole() == pyatspi.ROLE_MENU_ITEM and m.name == "exit":
                        m.queryAction().doAction(0)
                        sys.exit(0)
        except Exception:
            pass
    time.sleep(0.1)
sys.exit(1)
PY
}

# The counts of a picture's colours, five and six bits deep as the map picture holds them,
# most frequent first.
colours() {  # picture, read from standard input
    convert "$1" -depth 8 -format %c histogram:info:- |
        sed -n 's/^ *\([0-9]*\): *( *\([0-9]*\), *\([0-9]*\), *\([0-9]*\)[,)].*/\1 \2 \3 \4/p' |
        awk '{k = int($2 / 8) " " int($3 / 4) " " int($4 / 8); n[k] += $1} END {for (k in n) print n[k], k}' | sort -rn
}

# A session on a Wayland compositor without input devices, inside a private accessibility
# bus: start the command natively, wait for its windows and for the compositor's picture to
# show the map, then close it through its "exit" menu command.
wayland_session() {  # notes folder, command, the map's most frequent colour
    out=$1
    command=$2
    sea=$3
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 $command >"$out/stdout" 2>"$out/stderr" &
    pid=$!
    atspi windows "$pid" >"$out/windows"
    readlink "/proc/$pid/cwd" >"$out/cwd" 2>/dev/null
    mkdir -p "$out/shots"
    i=0
    while [ $i -lt 50 ] && kill -0 "$pid" 2>/dev/null; do
        rm -f "$out/shots"/*
        (cd "$out/shots" && weston-screenshooter >/dev/null 2>&1)
        for shot in "$out/shots"/*.png; do
            [ -f "$shot" ] || continue
            colours "$shot" | awk -v k="$sea" '$2 " " $3 " " $4 == k {print $1}' >"$out/map-pixels"
        done
        [ "$(cat "$out/map-pixels" 2>/dev/null)" -gt 2000 ] 2>/dev/null && break
        sleep 0.1
        i=$((i + 1))
    done
    cp "$out/shots"/*.png "$out/screen.png" 2>/dev/null
    atspi exit "$pid" || kill -TERM "$pid" 2>/dev/null
    exit_status "$pid" "$out"
}

if [ "${1:-}" = --session ]; then
    session "$2" "$3" "$4"
    exit 0
fi
if [ "${1:-}" = --wayland-session ]; then
    wayland_session "$2" "$3" "$4"
    exit 0
fi

build=$1
data=$2
close_helper=${3:-}
self=$(readlink -f -- "$0")

t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
failures=0
skipped=
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; skipped="$skipped; $*"; }
same() { cmp -s -- "$1" "$2" || fail "$2 differs from $1"; }
board_files() { find "$1" -maxdepth 1 -type f ! -name '.*' ! -name '*.tmp-*' -printf '%f\n' | LC_ALL=C sort; }
fingerprint() { (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0r md5sum); }

fingerprint "$data" >"$t/data.before"

# ---- installation --------------------------------------------------------------------------
p=$t/prefix
if ! cmake --install "$build" --prefix "$p" >"$t/install.log" 2>&1; then
    cat "$t/install.log" >&2
    echo "FAIL: cmake --install failed" >&2
    exit 1
fi
[ -x "$p/bin/qelmap-launch" ] || fail "the launcher is not installed in bin/"
desktop=$p/share/applications/qelmap.desktop
icon=$p/share/icons/hicolor/scalable/apps/qelmap.svg
man_tool=$p/share/man/man1/qelmap-tool.1.gz
[ -f "$icon" ] || fail "the icon is not installed"
grep -qx 'Exec=qelmap-launch' "$desktop" || fail "the desktop entry does not start the launcher"
grep -qx 'Icon=qelmap' "$desktop" || fail "the desktop entry does not name the icon"
grep -qx 'Exec=qelmap-launch --restore-defaults' "$desktop" || fail "the desktop entry offers no way to restore the board"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
fi
# The desktop knows a position and a sector table by their own names.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
    mkdir -p "$t/mime-home" && cp -r "$p/share/mime" "$t/mime-home/" && update-mime-database "$t/mime-home/mime" >/dev/null 2>&1
    for pair in "Start.map application/x-qelmap-position" "Sektoren_neu.sek application/x-qelmap-sectors"; do
        set -- $pair
        type=$(XDG_DATA_HOME=$t/mime-home gio info -a standard::content-type "$data/$1" 2>/dev/null |
               sed -n 's/^ *standard::content-type: //p')
        [ "$type" = "$2" ] || fail "the desktop takes $1 for '$type', not $2"
    done
else
    skip "update-mime-database or gio is missing"
fi
# What software centres show: valid, for the menu entry, with the screenshot of the sources.
metainfo=$p/share/metainfo/localhost.qelmap.QelMap.metainfo.xml
if [ ! -f "$metainfo" ]; then
    fail "the software centres' metainfo is not installed"
else
    if ! command -v appstreamcli >/dev/null; then
        skip "appstreamcli is missing"
    elif ! appstreamcli validate --no-net "$metainfo" >"$t/appstream.log" 2>&1; then
        fail "the metainfo is not valid: $(cat "$t/appstream.log")"
    fi
    grep -q '<launchable type="desktop-id">qelmap.desktop</launchable>' "$metainfo" ||
        fail "the metainfo does not name the desktop entry"
    shot=$(sed -n 's|.*<image[^>]*>https://[^<]*/\(docs/[^<]*\)</image>.*|\1|p' "$metainfo")
    [ -n "$shot" ] && [ -f "${data%/*}/$shot" ] || fail "the metainfo's screenshot '$shot' is not one of the sources"
fi
for page in "$man_tool" "$p/share/man/man1/qelmap-launch.1.gz"; do
    gzip -t "$page" 2>/dev/null || fail "$page is missing or not gzip"
    if command -v man >/dev/null && [ -f "$page" ]; then
        warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$page renders with warnings: $warnings"
    fi
done

# The installed board is the repository's, file for file, and nothing else.
board_files "$data" >"$t/board.expected"
board_files "$p/share/qelmap" >"$t/board.installed"
cmp -s "$t/board.expected" "$t/board.installed" ||
    fail "share/qelmap holds other files than data/: $(diff "$t/board.expected" "$t/board.installed" | tr '\n' ' ')"
while IFS= read -r f; do
    same "$data/$f" "$p/share/qelmap/$f"
done <"$t/board.expected"

# The manual page describes every command the tool has.
if [ -x "$p/bin/qelmap-tool" ]; then
    commands=$("$p/bin/qelmap-tool" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
    [ -n "$commands" ] || fail "qelmap-tool --help lists no commands"
    gzip -dc "$man_tool" | sed 's/\\-/-/g' >"$t/man-tool.txt"
    for c in $commands; do
        grep -q "^\.B qelmap-tool $c\$" "$t/man-tool.txt" || fail "the manual page of qelmap-tool lacks the command $c"
        for o in $("$p/bin/qelmap-tool" "$c" --help | sed -n '/^Options:/,/^$/s/^ *\(-[a-z], \)*\(--[a-z-]*\).*/\2/p'); do
            grep -q -- "$o" "$t/man-tool.txt" || fail "the manual page of qelmap-tool lacks the option $o of $c"
        done
    done
else
    skip "qelmap-tool is not built"
fi

# ---- the menu entry's command under Xvfb ---------------------------------------------------
if [ -n "${QELMAP_SANITIZED:-}" ]; then
    LSAN_OPTIONS="suppressions=${self%/*}/lsan-system.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    export LSAN_OPTIONS
fi
# xvfb-run -a alone starts every search for a free display at the same number and races with
# other tests starting their own servers; the process id spreads the starting points.
run_session() {  # folder for the session's notes
    mkdir -p "$1"
    touch "$1/started"
    env -u QT_QPA_PLATFORM HOME="$t/home" XDG_DATA_HOME="$t/xdg" XDG_RUNTIME_DIR="$t/run" PATH="$p/bin:$PATH" \
        xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1600x1000x24" sh "$self" --session "$1" "$command" "$close_helper" \
        >"$1/xvfb.log" 2>&1
}

check_session() {  # folder, label
    out=$1
    label=$2
    [ "$(cat "$out/cwd" 2>/dev/null)" = "$game" ] ||
        fail "$label: the program ran in '$(cat "$out/cwd" 2>/dev/null)', not in $game"
    # A start-up error shows a lone message box; the program shows its map, palette and
    # information windows together.
    [ "$(wc -l <"$out/windows")" -ge 2 ] || fail "$label: the program did not show its windows"
    if [ -n "$close_helper" ]; then
        [ "$(cat "$out/status" 2>/dev/null)" = 0 ] ||
            fail "$label: closing the main window ended the program with '$(cat "$out/status" 2>/dev/null)'"
        [ "$game/QelWin.INI" -nt "$out/started" ] || fail "$label: no settings written into the game folder at closing"
    fi
    if [ "$failures" != 0 ]; then
        echo "--- $label: windows, program output" >&2
        cat "$out/windows" "$out/stdout" "$out/stderr" "$out/xvfb.log" >&2 2>/dev/null
    fi
}

game=$t/xdg/qelmap
if [ ! -x "$p/bin/qelmap" ]; then
    skip "the program qelmap is not built"
elif [ ! -f "$data/Start.map" ]; then
    skip "the default board has not been generated"
elif ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v xauth >/dev/null; then
    skip "xvfb-run, xauth or xdotool is missing"
else
    mkdir -p "$t/home" "$t/run"
    chmod 700 "$t/run"
    fingerprint "$p/share/qelmap" >"$t/share.before"
    command=$(sed -n '1,/^\[Desktop Action/s/^Exec=//p' "$desktop")
    run_session "$t/first"
    [ -d "$game" ] || fail "the game folder was not created"
    while IFS= read -r f; do
        same "$data/$f" "$game/$f"
    done <"$t/board.expected"
    check_session "$t/first" "first start"

    # The player changes a default file; the next start keeps it.
    changed=
    if [ -f "$game/grueneslicht.BMP" ] && [ -f "$game/gelbeslicht.BMP" ]; then
        changed=grueneslicht.BMP
        cp "$game/gelbeslicht.BMP" "$game/$changed"
    fi
    run_session "$t/second"
    check_session "$t/second" "second start"
    if [ -n "$changed" ]; then
        same "$game/gelbeslicht.BMP" "$game/$changed"
    else
        skip "the board has no lights to change between starts"
    fi

    fingerprint "$p/share/qelmap" >"$t/share.after"
    cmp -s "$t/share.before" "$t/share.after" || fail "the installed default board changed while playing"
fi

# ---- the menu entry's command on a Wayland desktop -----------------------------------------
# A compositor without a screen or input devices, with XWayland. Started as from the menu,
# the program runs through XWayland; chosen on purpose, natively on Wayland.
if [ ! -x "$p/bin/qelmap" ] || [ ! -f "$data/Start.map" ]; then
    :
elif ! command -v weston >/dev/null || ! command -v Xwayland >/dev/null || ! command -v weston-screenshooter >/dev/null ||
    ! command -v dbus-run-session >/dev/null || ! command -v convert >/dev/null ||
    [ ! -x /usr/libexec/at-spi-bus-launcher ] || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
    skip "weston, Xwayland, qt6-wayland, dbus, at-spi2-core, python3-pyatspi or imagemagick is missing"
else
    command=$(sed -n '1,/^\[Desktop Action/s/^Exec=//p' "$desktop")
    w=$t/wayland
    mkdir -p "$w/run" "$w/home"
    chmod 700 "$w/run"
    # The screenshooter is open to every client only with the debugging protocols.
    XDG_RUNTIME_DIR=$w/run weston --backend=headless-backend.so --use-pixman --debug --xwayland --no-config \
        --socket=qelmap-$$ --width=1600 --height=1000 --log="$w/weston.log" >/dev/null 2>&1 &
    weston_pid=$!
    i=0
    xdisplay=
    while [ $i -lt 100 ] && [ -z "$xdisplay" ] && kill -0 "$weston_pid" 2>/dev/null; do
        sleep 0.1
        xdisplay=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$w/weston.log" 2>/dev/null)
        i=$((i + 1))
    done
    if [ -z "$xdisplay" ]; then
        fail "weston did not start with XWayland: $(cat "$w/weston.log" 2>/dev/null)"
    else
        desk="HOME=$w/home XDG_RUNTIME_DIR=$w/run WAYLAND_DISPLAY=qelmap-$$ PATH=$p/bin:$PATH"
        game=$w/xdg/qelmap
        mkdir -p "$w/x"
        touch "$w/x/started"
        # shellcheck disable=SC2086
        env -u QT_QPA_PLATFORM $desk XDG_SESSION_TYPE=wayland XDG_DATA_HOME="$w/xdg" DISPLAY="$xdisplay" \
            sh "$self" --session "$w/x" "$command" "$close_helper" >"$w/x/session.log" 2>&1
        check_session "$w/x" "on Wayland, from the menu"

        mkdir -p "$w/native"
        printf '[MapForm]\r\nTop=30\r\nLeft=40\r\nHeight=700\r\nWidth=1000\r\n[GameInfoForm]\r\nTop=120\r\nLeft=1010\r\n' >"$game/QelWin.INI"
        tr -d '\r' <"$game/QelWin.INI" | grep -E '^(Top|Left|Height|Width)=' >"$w/native/places.before"
        touch "$w/native/started"
        sea=$(colours bmp:- <"$data/Map(1587x913)[16].BMP" | awk 'NR == 1 {print $2, $3, $4}')
        # The Wayland client library and the graphics driver Qt unloads keep memory to the end
        # that LeakSanitizer reports; the other sessions check for leaks.
        leaks=
        [ -n "${QELMAP_SANITIZED:-}" ] && leaks="ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
        # shellcheck disable=SC2086
        env -u DISPLAY $desk $leaks QT_QPA_PLATFORM=wayland XDG_DATA_HOME="$w/xdg" \
            dbus-run-session -- sh "$self" --wayland-session "$w/native" "$command" "$sea" >"$w/native/session.log" 2>&1
        label="natively on Wayland"
        [ "$(cat "$w/native/cwd" 2>/dev/null)" = "$game" ] || fail "$label: the program did not run in $game"
        grep -q '^QelMap for Windows' "$w/native/windows" || fail "$label: the main window did not open"
        [ "$(cat "$w/native/map-pixels" 2>/dev/null)" -gt 2000 ] 2>/dev/null ||
            fail "$label: the compositor's picture does not show the map"
        [ "$(cat "$w/native/status" 2>/dev/null)" = 0 ] ||
            fail "$label: its exit command ended it with '$(cat "$w/native/status" 2>/dev/null)'"
        [ "$game/QelWin.INI" -nt "$w/native/started" ] || fail "$label: no settings written at closing"
        # Said once what Wayland leaves out, and nothing more while it ran; the window places
        # it could not apply are kept for the next start under X.
        [ "$(grep -c . "$w/native/stderr")" = 1 ] && grep -q '^QelMap: Wayland' "$w/native/stderr" ||
            fail "$label: standard error is not one note on what Wayland leaves out: $(head -c 2000 "$w/native/stderr")"
        grep -q QelMap "$w/x/stderr" && fail "on Wayland, from the menu: the program said it runs natively"
        tr -d '\r' <"$game/QelWin.INI" | grep -E '^(Top|Left|Height|Width)=' | head -6 >"$w/native/places.after"
        cmp -s "$w/native/places.before" "$w/native/places.after" ||
            fail "$label: the window places changed: $(diff "$w/native/places.before" "$w/native/places.after" | tr '\n' ' ')"
        if [ "$failures" != 0 ]; then
            echo "--- on Wayland: compositor, program output" >&2
            cat "$w/weston.log" "$w/native/windows" "$w/native/stdout" "$w/native/session.log" >&2 2>/dev/null
        fi
    fi
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
fi

# ---- the launcher in the build tree (what ./setup.sh run starts) ---------------------------
if [ -f "$data/Start.map" ]; then
    XDG_DATA_HOME=$t/tree-xdg "$build/qelmap-launch" --no-start || fail "the build tree's launcher failed"
    while IFS= read -r f; do
        same "$data/$f" "$t/tree-xdg/qelmap/$f"
    done <"$t/board.expected"
    tree_program=$(sed -n 's/^program="\(.*\)"$/\1/p' "$build/qelmap-launch")
    if [ -x "$p/bin/qelmap" ] && [ ! -x "$tree_program" ]; then
        fail "the build tree's launcher starts '$tree_program', which is not the program built"
    fi
fi

# ---- the Debian package --------------------------------------------------------------------
if ! command -v cpack >/dev/null || ! command -v dpkg-deb >/dev/null; then
    skip "cpack or dpkg-deb is missing"
elif ! cpack -G DEB -B "$t/pkg" --config "$build/CPackConfig.cmake" >"$t/cpack.log" 2>&1; then
    cat "$t/cpack.log" >&2
    fail "cpack could not build the package"
else
    set -- "$t/pkg"/qelmap_*.deb
    deb=$1
    [ $# = 1 ] && [ -f "$deb" ] || fail "cpack made no single qelmap_*.deb: $*"
    dpkg-deb -I "$deb" >"$t/deb.info" || fail "dpkg-deb -I cannot read the package"
    dpkg-deb -c "$deb" >"$t/deb.contents" || fail "dpkg-deb -c cannot read the package"
    grep -q '^ Package: qelmap$' "$t/deb.info" || fail "the package is not named qelmap"
    grep -q "^ Architecture: $(dpkg --print-architecture)\$" "$t/deb.info" || fail "the package has another architecture"
    depends=$(sed -n 's/^ Depends: //p' "$t/deb.info" | tr ',' '\n' | sed 's/^ *//; s/ .*//')
    for d in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
        echo "$depends" | grep -qx "$d" || fail "the package does not depend on $d"
    done
    recommends=$(sed -n 's/^ Recommends: //p' "$t/deb.info" | tr ',' '\n' | sed 's/^ *//; s/ .*//')
    for d in xwayland qt6-wayland; do
        echo "$recommends" | grep -qx "$d" || fail "the package does not recommend $d for Wayland desktops"
    done
    awk '{print $6}' "$t/deb.contents" | grep -v '^\./usr/' | grep -v '^\./$' >"$t/outside"
    [ -s "$t/outside" ] && fail "the package puts files outside /usr: $(tr '\n' ' ' <"$t/outside")"
    awk '{print $2}' "$t/deb.contents" | grep -v '^root/root$' | head -1 | grep -q . &&
        fail "the package holds files not owned by root"
    expect="./usr/bin/qelmap-launch ./usr/share/applications/qelmap.desktop
./usr/share/icons/hicolor/scalable/apps/qelmap.svg ./usr/share/man/man1/qelmap-tool.1.gz
./usr/share/metainfo/localhost.qelmap.QelMap.metainfo.xml ./usr/share/mime/packages/qelmap.xml"
    [ -x "$p/bin/qelmap" ] && expect="$expect ./usr/bin/qelmap"
    [ -x "$p/bin/qelmap-tool" ] && expect="$expect ./usr/bin/qelmap-tool"
    for f in $expect; do
        grep -q " $f\$" "$t/deb.contents" || fail "the package lacks $f"
    done
    while IFS= read -r f; do
        grep -qF " ./usr/share/qelmap/$f" "$t/deb.contents" || fail "the package lacks the board file $f"
    done <"$t/board.expected"

    # Every library the programs load directly comes from a package the package depends on.
    x=$t/unpacked
    dpkg-deb -x "$deb" "$x"
    [ -n "${QELMAP_SANITIZED:-}" ] && echo "note: sanitizer build, the libraries the programs load are not checked"
    : >"$t/needed"
    for exe in "$x"/usr/bin/*; do
        [ -z "${QELMAP_SANITIZED:-}" ] || break
        head -c 4 "$exe" | grep -q ELF || continue
        objdump -p "$exe" | awk '$1 == "NEEDED" {print $2}' >"$t/names"
        ldd "$exe" | awk -v e="${exe##*/}" 'NR == FNR {need[$1] = 1; next} $1 in need {print e, $1, $3}' \
            "$t/names" - >>"$t/needed"
    done
    # One query for all (dpkg -S is slow); merged /usr means a library may be listed under
    # /lib or /usr/lib.
    awk '{print $3; print "/usr" $3; p = $3; sub("^/usr", "", p); print p}' "$t/needed" | sort -u |
        xargs -r dpkg -S 2>/dev/null | sed 's/^\([^:]*\):[^:]*: /\1 /; s/^\([^ ]*\): /\1 /' >"$t/owners"
    depends_words=" $(echo $depends) "
    awk 'NR == FNR {owner[$2] = $1; next}
         {p = $3; q = p; sub("^/usr", "", q); o = owner[p]; if (o == "") o = owner["/usr" p]; if (o == "") o = owner[q];
          print $1, $2, (o == "" ? "-" : o)}' "$t/owners" "$t/needed" >"$t/needed-from"
    while read -r exe lib pkg; do
        case $depends_words in
            *" $pkg "*) ;;
            *) if [ "$pkg" = - ]; then
                   fail "$exe needs $lib, which no Debian package provides"
               else
                   fail "$exe needs $lib from $pkg, which the package does not depend on"
               fi ;;
        esac
    done <"$t/needed-from"

    # The unpacked launcher finds the unpacked board.
    if [ -f "$data/Start.map" ]; then
        XDG_DATA_HOME=$t/unpacked-xdg "$x/usr/bin/qelmap-launch" --no-start || fail "the packaged launcher failed"
        while IFS= read -r f; do
            same "$x/usr/share/qelmap/$f" "$t/unpacked-xdg/qelmap/$f"
        done <"$t/board.expected"
    fi
fi

fingerprint "$data" >"$t/data.after"
cmp -s "$t/data.before" "$t/data.after" || fail "the repository's data/ changed while playing or installing"

[ "$failures" = 0 ] || exit 1
if [ -n "$skipped" ]; then
    echo "install: parts left out:${skipped#;}"
    exit 77
fi
echo "install: all checks passed"
