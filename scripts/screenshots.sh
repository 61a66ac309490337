#!/usr/bin/env bash
# Pictures of the console for the README, made from the demonstration site:
# builds makesite and consoleshots, sets up a demonstration site in a
# temporary folder with its clock at AT (a Tuesday morning by default), and
# writes docs/screenshots/planboard-*.png (OUT=... for another folder).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
OUT=${OUT:-docs/screenshots}
AT=${AT:-"2026-12-08 10:30:00"}
bash scripts/build.sh >/dev/null
BIN=$PWD/$BUILD_DIR/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SCH_CLOCK_START="$AT" "$BIN/makesite" "$work/site" --force >/dev/null
mkdir -p "$OUT"
QT_QPA_PLATFORM=offscreen "$BIN/consoleshots" "$work/site" "$OUT" --at "$AT"
