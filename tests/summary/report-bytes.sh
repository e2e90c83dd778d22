#!/usr/bin/env bash
# The summary writes the same bytes to standard output, redirected to a file or
# into a pipe, as --salida writes into its file: one CR LF per CSV row, never
# CR CR LF (a Windows program's standard output adds a CR unless told not to).
#
#   report-bytes.sh <program> <sales file> [<path prefix> <launcher>...]
# Under Wine: report-bytes.sh tallimo.exe file Z: timeout 120 wine
set -euo pipefail

program=$1 input=$2 prefix=${3:-}
shift $(($# < 3 ? $# : 3))
work=$(mktemp -d /tmp/tallimo-report.XXXXXX)
trap 'rm -rf "$work"' EXIT

status=0
for form in --csv --texto; do
  "$@" "$program" --resumen "$prefix$input" "$form" --salida "$prefix$work/salida"
  "$@" "$program" --resumen "$prefix$input" "$form" >"$work/redirigida"
  "$@" "$program" --resumen "$prefix$input" "$form" | cat >"$work/tubo"
  [ -s "$work/salida" ] || { echo "$form: --salida wrote nothing"; status=1; }
  for way in redirigida tubo; do
    if ! cmp -s "$work/salida" "$work/$way"; then
      echo "$form: standard output ($way) differs from --salida:"
      od -c "$work/$way" | head -3
      status=1
    fi
  done
  rm -f "$work/salida"
done
[ $status -eq 0 ] && echo "--csv and --texto: the same bytes on standard output as in --salida"
exit $status
