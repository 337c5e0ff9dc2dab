# Shared by ./test and ./run: a virtual X display and a persistent wineserver,
# each started here and stopped by its own pid. Source it; call stop_session at exit.

session_pids=()

start_virtual_display() {
    local n
    for n in $(seq 90 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        local pid=$!
        local tries
        for tries in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            session_pids+=("$pid")
            export DISPLAY=":$n"
            return 0
        fi
    done
    echo "no free X display number for Xvfb" >&2
    return 1
}

# Wine's own server would inherit the output of the first test and keep ctest
# waiting for it; one started here, detached, serves every test of the run.
# Usage: start_wineserver PREFIX [win32|win64]
start_wineserver() {
    local prefix arch=${2:-win32} option=()
    prefix=$(realpath -m "$1")
    if [ "$arch" = win64 ]; then option=(--win64); fi
    # The prefix is made first, by a server of its own that ends with it: one
    # made under an already running persistent server leaves every later
    # program of the run waiting seconds for its windows.
    tools/wine-run "${option[@]}" "$prefix" --init </dev/null >/dev/null 2>&1 || true
    WINEPREFIX=$prefix WINEARCH=$arch wineserver -f -p </dev/null >/dev/null 2>&1 &
    session_pids+=("$!")
    # Waits until the server answers.
    tools/wine-run "${option[@]}" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_session() {
    local pid
    for pid in "${session_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${session_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    session_pids=()
}

# Whether this machine can run 32-bit x86 code at all: some virtual machines
# have no 32-bit mode, and then 32-bit Wine cannot start.
can_run_32bit() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
