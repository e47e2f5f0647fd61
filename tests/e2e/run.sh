#!/usr/bin/env bash
# Runs the end-to-end driver against the real 64-bit exe under Wine, on a display and a Wine
# prefix of its own, and takes both down again on every way out.
#
#   tests/e2e/run.sh BUILD_WIN64_DIR BUILD_WIN32_DIR OUTDIR
#
# BUILD_WIN64_DIR holds Quillmark.exe and qm_e2e_driver.exe; the 32-bit Quillmark.exe in
# BUILD_WIN32_DIR only has its headers and resources checked. OUTDIR is the program's working
# directory for the run and receives the screenshots as PNG.
# The driver's "PASS name" / "FAIL name: detail" lines go to stdout unchanged; the exit status is
# the driver's.
set -u -o pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 BUILD_WIN64_DIR BUILD_WIN32_DIR OUTDIR" >&2
    exit 2
fi

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/bin/wineserver

# Bounds, in seconds. A new prefix takes about 10 s to set up.
setup_timeout=180
driver_timeout=300
server_timeout=30

# Problems of the harness itself are reported as check lines too, so a count of the lines
# still shows that something failed.
fail() {
    echo "FAIL e2e.$1: $2"
}

win64_dir=$(realpath -m -- "$1")
win32_dir=$(realpath -m -- "$2")
mkdir -p -- "$3" || { fail setup "cannot create $3"; exit 1; }
outdir=$(realpath -e -- "$3")
driver=$win64_dir/qm_e2e_driver.exe
exe64=$win64_dir/Quillmark.exe
exe32=$win32_dir/Quillmark.exe

for tool in "$wine" "$wineserver" Xvfb convert timeout; do
    if ! command -v "$tool" >/dev/null; then
        fail setup "$tool is not installed"
        exit 1
    fi
done
for file in "$driver" "$exe64"; do
    if [ ! -f "$file" ]; then
        fail setup "$file is missing; build the win64 preset first"
        exit 1
    fi
done

# Wine's drive Z: is the Unix root in a fresh prefix.
winpath() {
    printf 'Z:%s' "${1//\//\\}"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/qm-e2e.XXXXXX") || { fail setup "mktemp failed"; exit 1; }
xvfb_pid=
export WINEPREFIX=$work/prefix

interrupted=

# shellcheck disable=SC2317 # reached through the EXIT trap
cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    if [ -d "$WINEPREFIX" ]; then
        # Every Wine process of this prefix (ours and Wine's own helpers) ends with its server;
        # -k touches only this prefix's server and processes. After an interrupt there is
        # nothing left to wait for.
        if [ -n "$interrupted" ] || ! timeout "$server_timeout" "$wineserver" -w; then
            [ -n "$interrupted" ] ||
                echo "run.sh: the prefix's wineserver was still up after ${server_timeout}s; ending it" >&2
            "$wineserver" -k
            timeout "$server_timeout" "$wineserver" -w
        fi
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf -- "$work"
    exit "$status"
}

# shellcheck disable=SC2317 # reached through the signal traps
interrupt() {
    interrupted=1
    fail run "interrupted by SIG$1"
    exit "$2"
}

trap cleanup EXIT
trap 'interrupt INT 130' INT
trap 'interrupt TERM 143' TERM
trap 'interrupt HUP 129' HUP

# Runs a command with a time bound, in the background, so that a signal to this script is
# handled at once and not only when the command ends.
bounded() {
    local seconds=$1
    shift
    timeout -k 10 "$seconds" "$@" &
    wait $!
}

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
for _ in $(seq 100); do
    display=$(cat "$work/display" 2>/dev/null)
    [ -n "$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$display" ]; then
    fail setup "Xvfb did not start: $(tr '\n' ' ' <"$work/xvfb.log")"
    exit 1
fi

export DISPLAY=":$display"
export LC_ALL=C.UTF-8
export WINEDEBUG=-all
# No Mono or Gecko prompts, and no menu entries written to the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINESERVER WINELOADER

if ! bounded "$setup_timeout" "$wine" wineboot -i >"$work/setup.log" 2>&1; then
    fail setup "wineboot failed: $(tr '\n' ' ' <"$work/setup.log")"
    exit 1
fi
# With no window manager on the display, Wine waits 2 s for one each time a managed window
# hides (every close). Unmanaged windows hide at once and behave the same otherwise.
if ! bounded "$setup_timeout" "$wine" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /d N /f >>"$work/setup.log" 2>&1; then
    fail setup "could not turn off managed windows: $(tr '\n' ' ' <"$work/setup.log")"
    exit 1
fi

touch "$work/driver.start"
{
    timeout -k 10 "$driver_timeout" "$wine" "$driver" "$(winpath "$exe64")" "$(winpath "$outdir")" \
        "$(winpath "$exe32")"
    echo $? >"$work/driver.status"
} | tee "$work/driver.out" &
wait $!
status=$(cat "$work/driver.status" 2>/dev/null)
status=${status:-1}
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    fail driver "timed out after ${driver_timeout}s"
elif [ "$status" -ne 0 ] && ! grep -q '^FAIL ' "$work/driver.out"; then
    fail driver "exited with status $status without reporting a failure"
elif [ "$status" -eq 0 ] && ! grep -q '^PASS ' "$work/driver.out"; then
    fail driver "exited with status 0 without reporting a check"
    status=1
fi

# Only this run's screenshots; anything else in OUTDIR is left alone.
for bmp in "$outdir"/*.bmp; do
    [ "$bmp" -nt "$work/driver.start" ] || continue
    if convert "$bmp" "${bmp%.bmp}.png"; then
        rm -f -- "$bmp"
    else
        fail screenshot_png "convert failed for $bmp"
        [ "$status" -ne 0 ] || status=1
    fi
done

exit "$status"
