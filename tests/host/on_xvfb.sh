#!/usr/bin/env bash
# Runs a test program on a private Xvfb display; skipped (77) without Xvfb.
set -u
command -v Xvfb >/dev/null || exit 77
# The server picks a free display itself and names it: tests started side by
# side must not both take the first number that looks free.
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$numberFile"' EXIT
number=""
for _ in $(seq 200); do
  number=$(tr -dc 0-9 <"$numberFile")
  [ -n "$number" ] && grep -q $'\n' "$numberFile" && break
  sleep 0.05
done
[ -n "$number" ] || { echo "on_xvfb: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" SDL_VIDEODRIVER=x11 "$@"
