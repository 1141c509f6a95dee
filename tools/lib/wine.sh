# Shared pieces of the Wine environment: a private Xvfb display and Wine prefixes set up the way the
# Windows tests need them (one virtual desktop, no crash dialog, Japanese locale and fonts).
# Sourced by tools/wine-env, tools/wine-fresh and tools/run; defines functions only.

TOLVANE_SCREEN_SIZE=${TOLVANE_SCREEN_SIZE:-1280x800}

# The variables every wine command of ours runs with. The DLL overrides stop the Mono and Gecko
# installers from popping up; ja_JP.UTF-8 makes the ANSI code page 932.
wine_export_base_env() {
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
    export LANG=ja_JP.UTF-8
    export LC_ALL=ja_JP.UTF-8
}

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds; fails after SECONDS.
wait_until() {
    local limit=$1; shift
    local deadline=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# xvfb_start WORKDIR: starts Xvfb on a free display (Xvfb picks it) and exports DISPLAY.
# Sets XVFB_PID.
xvfb_start() {
    local workdir=$1
    local displayfile="$workdir/xvfb-display"
    : >"$displayfile"
    Xvfb -displayfd 9 -screen 0 "${TOLVANE_SCREEN_SIZE}x24" -nolisten tcp -noreset \
        9>"$displayfile" >"$workdir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    if ! wait_until 15 grep -q '[0-9]' "$displayfile"; then
        echo "wine-env: Xvfb did not start (see $workdir/xvfb.log)" >&2
        return 1
    fi
    export DISPLAY=":$(tr -dc '0-9' <"$displayfile")"
    if ! wait_until 10 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
        echo "wine-env: display $DISPLAY does not answer" >&2
        return 1
    fi
}

xvfb_stop() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# The registry settings every prefix gets, written as UTF-16 because of the full-width font name.
wine_write_reg() {
    local file=$1
    local width=${TOLVANE_SCREEN_SIZE%x*} height=${TOLVANE_SCREEN_SIZE#*x}
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="%sx%s"\r\n\r\n' "$width" "$height"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"MS UI Gothic"="IPAPGothic"\r\n'
        printf '"MS PGothic"="IPAPGothic"\r\n'
        printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
        printf '"MS Gothic"="IPAGothic"\r\n'
        printf '"ＭＳ ゴシック"="IPAGothic"\r\n'
        printf '"Meiryo"="IPAPGothic"\r\n'
        printf '"Meiryo UI"="IPAPGothic"\r\n'
        printf '"Yu Gothic UI"="IPAPGothic"\r\n\r\n'
        # The screen's scale (96 = 100 %, 144 = 150 %, 192 = 200 %): read when the wineserver starts.
        if [ -n "${TOLVANE_WINE_DPI:-}" ]; then
            printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$TOLVANE_WINE_DPI"
        fi
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$file"
}

# wine_prefix_init PREFIX: makes a new prefix at PREFIX (about 10 s) with our registry settings.
# Needs DISPLAY and the base environment.
wine_prefix_init() {
    local prefix=$1
    local reg
    mkdir -p "$prefix"
    WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
    reg=$(mktemp --suffix=.reg)
    wine_write_reg "$reg"
    WINEPREFIX=$prefix wine regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
    rm -f "$reg"
    WINEPREFIX=$prefix wineserver -w
    if ! grep -q '"Default"="'"$TOLVANE_SCREEN_SIZE"'"' "$prefix/user.reg"; then
        echo "wine-env: the registry settings did not reach $prefix" >&2
        return 1
    fi
    # The wineserver has ended (wineserver -w): the next Wine process starts one that reads the dpi.
    if [ -n "${TOLVANE_WINE_DPI:-}" ] &&
        ! grep -qi "\"LogPixels\"=dword:$(printf '%08x' "$TOLVANE_WINE_DPI")" "$prefix/user.reg"; then
        echo "wine-env: LogPixels $TOLVANE_WINE_DPI did not reach $prefix" >&2
        return 1
    fi
}

# The Windows path of a host path (drive Z: maps the host's root).
winepath_of() {
    printf 'Z:%s' "$(realpath -m "$1" | tr '/' '\\')"
}

# wine_prefix_kill PREFIX: ends every Wine process of that prefix.
wine_prefix_kill() {
    [ -d "$1" ] && WINEPREFIX=$1 wineserver -k 2>/dev/null || true
}
