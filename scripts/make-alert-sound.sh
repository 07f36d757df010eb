#!/usr/bin/env bash
# Makes assets/ts.mp3, the alert played when a watched parcel has new progress: two soft bell
# tones, rising, about 0.7 s. Needs sox with MP3 support (apt-get install sox libsox-fmt-mp3).
set -euo pipefail
cd "$(dirname "$0")/.."
out=assets/ts.mp3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sox -n -r 44100 -c 1 "$tmp/a.wav" synth 0.30 sine 880 sine 1760 remix - fade q 0.005 0.30 0.25 gain -9
sox -n -r 44100 -c 1 "$tmp/b.wav" synth 0.40 sine 1318.5 sine 2637 remix - fade q 0.005 0.40 0.35 gain -9
sox "$tmp/a.wav" "$tmp/b.wav" -C 96 "$out" norm -3
echo "wrote $out"
