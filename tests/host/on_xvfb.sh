#!/usr/bin/env bash
# Runs a test program on a private Xvfb display; skipped (77) without Xvfb.
set -u
command -v Xvfb >/dev/null || exit 77
for number in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null' EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.05
done
DISPLAY=":$number" SDL_VIDEODRIVER=x11 "$@"
