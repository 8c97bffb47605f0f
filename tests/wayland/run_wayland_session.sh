#!/bin/sh
# Starts weston's headless back end in a runtime folder of its own, runs the Wayland
# session program given as $1 against it, and stops weston. Ends with 77 (skipped)
# where weston or Qt's Wayland plugin is not installed.
set -u
session="$1"
if ! command -v weston >/dev/null 2>&1; then
    echo "SKIPPED: weston is not installed (it is in debian-packages.txt)"
    exit 77
fi
if ! ls "$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)"/platforms/libqwayland-*.so >/dev/null 2>&1; then
    echo "SKIPPED: Qt's Wayland platform plugin (qt6-wayland) is not installed"
    exit 77
fi
runtime="$(mktemp -d)"
chmod 700 "$runtime"
display="tavik-test-$$"
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket="$display" \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston=$!
cleanup() {
    kill "$weston" 2>/dev/null
    wait "$weston" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
# Waits for the compositor's socket (up to 30 s), or for weston to end early.
tries=0
while [ ! -S "$runtime/$display" ]; do
    if ! kill -0 "$weston" 2>/dev/null || [ "$tries" -ge 300 ]; then
        echo "weston did not start:"
        cat "$runtime/weston.log"
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done
XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$display" QT_QPA_PLATFORM=wayland \
    timeout 120 "$session" "$runtime/WAYLAND.TAV"
