#!/usr/bin/env bash
# The main job on the embedded default: installs what is missing, builds,
# sets up a demonstration site (program folder) and the stand-in plant, and
# runs the runner Schedule against it (and the console Planboard when a
# display is there).  A reservation starts at the next
# minute and ends a few minutes later; the operation log and the plant's
# write journal are shown as they grow.  Ctrl-C stops the runner through its
# command channel, then the plant.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
BIN=$PWD/$BUILD_DIR/bin
SITE=${SITE:-$PWD/site}
PLANT=${PLANT:-$SITE/plant}
MINUTES=${MINUTES:-3}

export QT_QPA_PLATFORM=offscreen
export SCH_HOME=$SITE
# A private runtime folder when the session has none (a plain server), so
# that the programs have nothing to warn about.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/sch-runtime-$(id -u)"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
export VANTOR_HOME=$PLANT

"$BIN/makesite" "$SITE" --force --soon "$MINUTES" --plant "$PLANT"
rm -f "$PLANT/writes.csv" "$PLANT/vantord.state"

# Own sessions: Ctrl-C reaches this script only, which then stops the runner
# and the plant in that order.
setsid "$BIN/vantord" "$PLANT" &
vantord=$!
for _ in $(seq 50); do
  "$BIN/vantorctl" list >/dev/null 2>&1 && break
  sleep 0.1
done

setsid "$BIN/Schedule" &
schedule=$!

# The console, when there is a display to show it on.
planboard=
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  setsid env -u QT_QPA_PLATFORM "$BIN/Planboard" &
  planboard=$!
fi

stop() {
  trap - INT TERM
  echo
  if [ -n "$planboard" ] && kill -0 "$planboard" 2>/dev/null; then
    echo "demo: ending the console through its command channel"
    "$BIN/Starter" 999 </dev/null || true
    wait "$planboard" 2>/dev/null || true
  fi
  if kill -0 "$schedule" 2>/dev/null; then
    echo "demo: stopping the runner through its command channel"
    "$BIN/Stopper" </dev/null || true
    wait "$schedule" 2>/dev/null || true
  fi
  echo "demo: stopping the plant"
  kill -TERM "$vantord" 2>/dev/null || true
  wait "$vantord" 2>/dev/null || true
  show_new
  echo "demo: done (site $SITE, plant $PLANT)"
  exit 0
}
trap stop INT TERM

oplog_lines=0
journal_lines=0
# Prints what was added to the operation log (CP932 on disk) and to the
# plant's journal since the last call.
show_new() {
  local oplog
  # The newest day's file (the runner's clock may have been moved).
  oplog=$(ls -t "$SITE"/OPLOG/SCHLOG*.CSV 2>/dev/null | head -n 1 || true)
  if [ -n "$oplog" ] && [ "$oplog" != "${oplog_file:-}" ]; then
    oplog_file=$oplog
    oplog_lines=0
  fi
  if [ -n "$oplog" ] && [ -f "$oplog" ]; then
    local n
    n=$(wc -l <"$oplog")
    if [ "$n" -gt "$oplog_lines" ]; then
      tail -n +"$((oplog_lines + 1))" "$oplog" | head -n "$((n - oplog_lines))" \
        | iconv -f CP932 -t UTF-8 | tr -d '\r' | sed 's/^/operation log | /'
      oplog_lines=$n
    fi
  fi
  if [ -f "$PLANT/writes.csv" ]; then
    local m
    m=$(wc -l <"$PLANT/writes.csv")
    if [ "$m" -gt "$journal_lines" ]; then
      tail -n +"$((journal_lines + 1))" "$PLANT/writes.csv" | head -n "$((m - journal_lines))" \
        | sed 's/^/plant journal | /'
      journal_lines=$m
    fi
  fi
}

echo "demo: Schedule runs (pid $schedule); the reservation above starts at the next minute."
if [ -n "$planboard" ]; then
  echo "demo: the console Planboard runs (pid $planboard)."
fi
echo "demo: press Ctrl-C to stop."
while kill -0 "$schedule" 2>/dev/null; do
  show_new
  sleep 2 & wait $! || true
done
echo "demo: the runner has ended"
stop
