#!/usr/bin/env bash
# Sets up, builds and starts the program's window (quenlar-uk). With no keyboard plugged in it
# talks to the virtual keyboard, whose state is kept in ~/.local/share/quenlar/virtual-keyboard.bin.
# Extra arguments go to quenlar-uk (for example --trace=FILE or --data-dir=DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
state="${XDG_DATA_HOME:-$HOME/.local/share}/quenlar/virtual-keyboard.bin"
mkdir -p "$(dirname "$state")"
if ./build/bin/quenlar-ctl --device=hid probe >/dev/null 2>&1; then
    device=hid
else
    device="virtual:$state"
fi
exec ./build/bin/quenlar-uk --device="$device" "$@"
