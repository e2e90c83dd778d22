#!/usr/bin/env bash
# A CUPS server of the tests' own: its own port, configuration, spool and
# output folders, never the system's (which may be running beside it). It runs
# in a private mount namespace where /etc/cups is its own folder (cups-pdf reads
# its settings there) and the spool is a small memory disk that `fill` can fill.
# Two queues print through cups-pdf into <dir>/out: "Caja" and "CajaDetenida",
# which is disabled.
#
#   cups.sh start <dir>   prints CUPS_SERVER=127.0.0.1:<port> once it answers (and
#                         writes the address into <dir>/server)
#   cups.sh fill <dir>    leaves no room in the spool; `cups.sh empty <dir>` undoes it
#   cups.sh stop <dir>
# Exits with 77 (skipped) when it cannot run: not root, or cupsd missing.
set -euo pipefail

command=$1
dir=$(readlink -f "$2")
fail() { echo "cups: $*" >&2; exit 1; }

# The server's mount namespace, where its spool is.
in_server() { nsenter -t "$(cat "$dir/pid")" -m -- "$@"; }

case $command in
start) ;;
fill) in_server sh -c "dd if=/dev/zero of='$dir/spool/filler' bs=4k 2>/dev/null; sync; true"; exit 0 ;;
empty) in_server rm -f "$dir/spool/filler"; exit 0 ;;
stop)
  if [ -f "$dir/pid" ]; then
    pid=$(cat "$dir/pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$dir/pid" "$dir/server"
  fi
  exit 0 ;;
*) fail "unknown command $command" ;;
esac

if [ "$(id -u)" -ne 0 ]; then echo "cups: skipped: the print tests run as root (cups-pdf's backend needs it)" >&2; exit 77; fi
for tool in cupsd lpadmin cupsdisable nsenter unshare; do
  command -v "$tool" >/dev/null || { echo "cups: skipped: $tool is missing (scripts/install-deps)" >&2; exit 77; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "cups: skipped: cups-pdf is missing" >&2; exit 77; }

mkdir -p "$dir"/{etc/ppd,etc/ssl,spool,tmp,cache,state,log,out,pdf-spool}
# The filters run as lp: they must reach the folders.
chmod 755 "$dir" "$dir/out"
chmod 1777 "$dir/tmp" "$dir/pdf-spool"

# A free port: one nothing answers on.
port=
for _ in $(seq 50); do
  candidate=$((20000 + RANDOM % 20000))
  if ! (echo >"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || fail "no free port"

cat >"$dir/etc/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
Browsing No
WebInterface No
DefaultAuthType None
LogLevel info
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot /etc/cups
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
Sandboxing Relaxed
EOF
cat >"$dir/etc/cups-pdf.conf" <<EOF
Out $dir/out
AnonDirName $dir/out
Spool $dir/pdf-spool
Log $dir/log
Grp root
Label 1
EOF

# The namespace's own /etc/cups and memory spool; cupsd stays in the foreground.
unshare -m --propagation private sh -c "
  mount --bind '$dir/etc' /etc/cups &&
  mount -t tmpfs -o size=2m,mode=0755 tallimo-spool '$dir/spool' &&
  exec cupsd -f -c /etc/cups/cupsd.conf -s /etc/cups/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/pid"
# A server that did not get ready is not left behind.
trap '[ -n "${ready:-}" ] || "$0" stop "$dir"' EXIT

export CUPS_SERVER=127.0.0.1:$port
for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
lpstat -r >/dev/null 2>&1 || { cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true; fail "cupsd did not answer on port $port"; }

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for queue in Caja CajaDetenida; do
  # The first request may come while the server is still settling.
  for try in 1 2 3 4 5; do
    # Made PostScript by poppler's cairo renderer, the PDF keeps its text for pdftotext.
    lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo \
      2>"$dir/log/lpadmin" && break
    [ $try -lt 5 ] || fail "could not add the queue $queue: $(cat "$dir/log/lpadmin")"
    sleep 0.5
  done
done
cupsdisable CajaDetenida
echo "$CUPS_SERVER" >"$dir/server"
ready=1
echo "CUPS_SERVER=$CUPS_SERVER"
