#!/usr/bin/env bash
# The tests' own CUPS server (tests/env/cups.sh) from the command line, for
# CTest's fixture around the print tests and for the tests themselves.
#
#   cups.sh start <dir>   prints CUPS_SERVER=127.0.0.1:<port> once it answers (and
#                         writes the address into <dir>/server); 77 when it cannot run
#   cups.sh fill <dir>    leaves no room in the spool; `cups.sh empty <dir>` undoes it
#   cups.sh stop <dir>
#   cups.sh kill|hang|wake <dir>   kills its scheduler at once, stops it, lets it go on
#   cups.sh run <dir> COMMAND...   runs a CUPS command (lpadmin, lpstat...) on it
set -euo pipefail
source "$(dirname "$0")/../env/cups.sh"

command=$1
dir=$(readlink -f "$2")
case $command in
start | stop | fill | empty) "cups_$command" "$dir" ;;
kill) kill -9 "$(cat "$dir/pid")" ;;
hang) kill -STOP "$(cat "$dir/pid")" ;;
wake) kill -CONT "$(cat "$dir/pid")" ;;
run) CUPS_SERVER=$(cat "$dir/server") "${@:3}" ;;
*) echo "cups: unknown command $command" >&2; exit 1 ;;
esac
