#!/usr/bin/env bash
# scripts/run without a display says so and ends with status 1 before it
# installs or builds anything. The tools it would call first (dpkg-query,
# apt-get, sudo, cmake) are stand-ins here that note each call; with a display
# the same stand-ins are called, which shows they stand where they should.
set -u
root="$(cd "$(dirname "$0")/../.." && pwd)"
stand_ins="$(mktemp -d)"
trap 'rm -rf "$stand_ins"' EXIT
for tool in dpkg-query apt-get sudo cmake; do
  printf '#!/bin/sh\necho %s >>"%s/called"\nexit 1\n' "$tool" "$stand_ins" >"$stand_ins/$tool"
  chmod +x "$stand_ins/$tool"
done

failed=0
# check NAME DISPLAY WAYLAND_DISPLAY EXPECTED: runs scripts/run with those (an
# "unset" one unset); EXPECTED "refused" (said so, status 1, nothing called) or
# "goes on" (the stand-ins called).
check() {
  local name="$1" display="$2" wayland="$3" expected="$4"
  local environment=(env -u DISPLAY -u WAYLAND_DISPLAY PATH="$stand_ins:$PATH")
  [ "$display" = unset ] || environment+=(DISPLAY="$display")
  [ "$wayland" = unset ] || environment+=(WAYLAND_DISPLAY="$wayland")
  rm -f "$stand_ins/called"
  local said status called=""
  said="$("${environment[@]}" "$root/scripts/run" Orvette101A 2>&1)"
  status=$?
  [ -e "$stand_ins/called" ] && called="$(tr '\n' ' ' <"$stand_ins/called")"
  local outcome="goes on"
  if [ "$status" -eq 1 ] && [[ "$said" == *"no display to show Orvette101A"* ]] && [ -z "$called" ]; then
    outcome=refused
  elif [ -z "$called" ]; then
    outcome="neither"
  fi
  if [ "$outcome" = "$expected" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: $outcome, not $expected (status $status, said \"$said\", called: $called)"
    failed=1
  fi
}

check "neither display set" unset unset refused
check "both displays empty" "" "" refused
check "an X display" ":0" unset "goes on"
check "a Wayland display" unset wayland-0 "goes on"
exit "$failed"
