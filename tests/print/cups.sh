#!/usr/bin/env bash
# The tests' own CUPS server (tests/env/cups.sh) from the command line, for
# CTest's fixture around the print tests and for the tests themselves.
#
#   cups.sh start <dir>   prints CUPS_SERVER=127.0.0.1:<port> once it answers (and
#                         writes the address into <dir>/server); 77 when it cannot run
#   cups.sh fill <dir>    leaves no room in the spool; `cups.sh empty <dir>` undoes it
#   cups.sh stop <dir>
set -euo pipefail
source "$(dirname "$0")/../env/cups.sh"

command=$1
dir=$(readlink -f "$2")
case $command in
start | stop | fill | empty) "cups_$command" "$dir" ;;
*) echo "cups: unknown command $command" >&2; exit 1 ;;
esac
