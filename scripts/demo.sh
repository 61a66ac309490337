#!/usr/bin/env bash
# The main job on the embedded default: installs what is missing, builds, and
# sets up a demonstration site (program folder) under site/: Sch.ini and
# SC_DataBase/Sch.accdb (SQLite) with a small data set.  The site is the
# demonstration's own folder and is made afresh on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
SITE=${SITE:-$PWD/site}
"$BUILD_DIR/bin/makesite" "$SITE" --force
echo
echo "demo: tables of $SITE/SC_DataBase/Sch.accdb (read with the sqlite3 shell):"
sqlite3 "$SITE/SC_DataBase/Sch.accdb" \
  "SELECT '  ' || GPno || '  ' || GPname || CASE YukoFlg WHEN 0 THEN '  (無効)' ELSE '' END FROM GroupMaster ORDER BY GPno;" \
  "SELECT '  today  ' || g.GPname || '  ' || t.StartTime || '-' || t.EndTime FROM TodayTable t JOIN GroupMaster g ON g.GPno = t.GPno ORDER BY g.GPname, t.StartTime;"
echo "demo: site ready (the runner will run on it once it exists)"
