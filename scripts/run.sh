#!/usr/bin/env bash
# Installs what is missing, builds, starts the local sandbox service and opens Parcelvue against it.
# Without a display the window runs under xvfb-run and a screenshot is saved after start-up.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
PARCELVUE_BUILD_DIR="$root/build" "$root/scripts/build.sh"

program="$root/build/src/app/parcelvue"
sandbox_program="$root/build/tools/sandbox/parcelvue-sandbox"

demo="${PARCELVUE_HOME:-$root/.demo}"
mkdir -p "$demo"
port="${PARCELVUE_SANDBOX_PORT:-18730}"

"$sandbox_program" --port "$port" --step-seconds "${PARCELVUE_STEP_SECONDS:-60}" &
sandbox=$!
trap 'kill "$sandbox" 2>/dev/null || true' EXIT
sleep 0.5
if ! kill -0 "$sandbox" 2>/dev/null; then
    echo "The sandbox could not start on 127.0.0.1:$port (set PARCELVUE_SANDBOX_PORT to another port)." >&2
    exit 1
fi

# A demo endpoints.ini pointing at the sandbox; a user's own file is never overwritten.
if [ ! -f "$demo/endpoints.ini" ]; then
    base="http://127.0.0.1:$port"
    cat >"$demo/endpoints.ini" <<INI
[tracking]
url=$base/
key=0123456789ABCDEF0123456789ABCDEF
timeout=60
; The sandbox also answers as 快递鸟 and as 17TRACK: uncomment one block (README, "Tracking services").
;service=kdniao
;business_id=1688001
;app_key=sandbox-kdniao-api-key
;service=17track
;token=SANDBOX17TRACKTOKEN

[site]
url=$base
home=$base/site/home.html
forum=$base/site/forum/
feedback=$base/site/feedback.html
studio=$base/site/studio.html
resources=$base/site/resources.html
mail_images=$base

[outlets]
url=$base/

[smtp]
host=127.0.0.1
port=2525
security=none
sender=notice@parcelvue.localhost
password=
INI
fi

# A few sandbox parcels at different stages, so that the overview "全部快递" has something to show;
# a user's own list is never overwritten. The file is GB18030 with CR LF line ends.
if [ ! -f "$demo/wlnum.ini" ]; then
    printf '%s\r\n' \
        'STAGE1A001|顺丰快递|新买的衬衫' \
        'STAGE3B002|圆通快递|爸爸的书' \
        'STAGE5C003|中通快递|厨房用品' \
        'STAGE7D004|韵达快递|手机壳' \
        'STAGE8E005|申通快递|运动鞋' \
        '0000000000|EMS快递|还没有信息的包裹' | iconv -f UTF-8 -t GB18030 >"$demo/wlnum.ini"
fi

export PARCELVUE_HOME="$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    shot="$demo/screenshot.png"
    echo "No display: running the window under xvfb-run; a screenshot goes to $shot"
    echo "Stop with Ctrl+C (this also stops the sandbox)."
    xvfb-run -a -s "-screen 0 1024x768x24" "$program" --screenshot "$shot" &
    app=$!
    trap 'kill "$app" 2>/dev/null || true; kill "$sandbox" 2>/dev/null || true' EXIT
    for _ in $(seq 1 40); do
        [ -f "$shot" ] && break
        sleep 0.5
    done
    [ -f "$shot" ] && echo "Screenshot saved: $shot"
    wait "$app"
else
    echo "Parcelvue is running against the sandbox on 127.0.0.1:$port; closing the window stops both."
    "$program"
fi
