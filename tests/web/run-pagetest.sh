#!/usr/bin/env bash
# Starts tundrix-server on a free loopback port over the data folder and drives the web page in
# headless Chromium, or Firefox with BROWSER=firefox (pagetest.mjs); the server is stopped again
# whatever the outcome.
#   run-pagetest.sh SERVER CLI DATA [SCREENSHOT_DIR]
set -uo pipefail
server=$1 cli=$2 data=$3 shots=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
browser=${BROWSER:-chromium}
if [ "$browser" = firefox ]; then
  executable=${FIREFOX:-$(command -v firefox-esr || command -v firefox || true)}
else
  executable=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
fi
[ -n "$executable" ] || { echo "$browser not found (scripts/bootstrap.sh installs it)"; exit 1; }
command -v node >/dev/null || { echo "node not found (scripts/bootstrap.sh installs it)"; exit 1; }

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
log=$(mktemp)
"$server" --data "$data" --listen "127.0.0.1:$port" 2>"$log" &
pid=$!
stop() {
  kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -f "$log"
}
trap stop EXIT
for _ in $(seq 200); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || { echo "tundrix-server ended:"; cat "$log"; exit 1; }
  sleep 0.05
done

args=(--url "http://127.0.0.1:$port/" --browser "$browser" --executable "$executable" --cli "$cli" --data "$data")
[ -n "$shots" ] && args+=(--screenshots "$shots")
node --experimental-websocket --no-warnings "$here/pagetest.mjs" "${args[@]}"
rc=$?
[ $rc -ne 0 ] && { echo "--- server log (last lines) ---"; tail -n 30 "$log"; }
exit $rc
