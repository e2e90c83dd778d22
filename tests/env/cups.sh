# A CUPS server of the tests' own: its own port, configuration, spool and
# output folders, never the system's (which may be running beside it). It runs
# in a private mount namespace where /etc/cups is its own folder (cups-pdf reads
# its settings there) and the spool is a small memory disk that cups_fill can
# fill. Two queues print through cups-pdf into DIR/out: "Caja" and
# "CajaDetenida", which is disabled; two take the ticket without printing it:
# "CajaColgada" never finishes it (while its server runs), "CajaLenta" takes 6 s.
# The server's programs are the system's (DIR/bin links to them), beside the
# backends of those two.
#   cups_start DIR  starts it and waits until it answers; prints
#                   CUPS_SERVER=127.0.0.1:<port> (also written into DIR/server).
#                   Exits with 77 when it cannot run here (not root, or cupsd
#                   missing), with 1 when it did not start; nothing is left running.
#   cups_stop DIR   ends it, if it runs
#   cups_fill DIR   leaves no room in the spool; cups_empty DIR undoes it
#   cups_up DIR     for a test: starts it, exporting CUPS_SERVER, and stops it at
#                   exit (see work.sh); a test that cannot have it exits with 77,
#                   one whose server did not start fails (the caller defines fail)
source "$(dirname "${BASH_SOURCE[0]}")/work.sh"

# The server's mount namespace, where its spool is.
cups_in_server() { nsenter -t "$(cat "$1/pid")" -m -- "${@:2}"; }
cups_fill() { cups_in_server "$1" sh -c "dd if=/dev/zero of='$1/spool/filler' bs=4k 2>/dev/null; sync; true"; }
cups_empty() { cups_in_server "$1" rm -f "$1/spool/filler"; }

cups_stop() {
  local dir=$1 pid
  [ -f "$dir/pid" ] || return 0
  pid=$(cat "$dir/pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$dir/pid" "$dir/server"
}

cups_up() {
  local dir server status=0
  mkdir -p "$1"
  dir=$(readlink -f "$1")
  # The filters run as lp: they must reach the folder it lies in.
  chmod 755 "$(dirname "$dir")"
  server=$(cups_start "$dir") || status=$?
  [ $status -ne 77 ] || exit 77
  [ $status -eq 0 ] || fail "the CUPS server did not start"
  at_exit "cups_stop $(printf %q "$dir")"
  export "${server?}"
}

# In a subshell of its own: its exits and its trap are its own.
cups_start() (
  set -euo pipefail
  dir=$1
  fail() { echo "cups: $*" >&2; exit 1; }
  skip() { echo "cups: skipped: $*" >&2; exit 77; }
  [ "$(id -u)" -eq 0 ] || skip "the print tests run as root (cups-pdf's backend needs it)"
  for tool in cupsd lpadmin cupsdisable nsenter unshare; do
    command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install-deps)"
  done
  [ -x /usr/lib/cups/backend/cups-pdf ] || skip "cups-pdf is missing"

  mkdir -p "$dir"/{etc/ppd,etc/ssl,spool,tmp,cache,state,log,out,pdf-spool,bin/backend}
  for sub in filter daemon cgi-bin monitor notifier driver; do ln -sfn "/usr/lib/cups/$sub" "$dir/bin/$sub"; done
  ln -sf /usr/lib/cups/backend/cups-pdf "$dir/bin/backend/cups-pdf"
  # Backends run as lp when others may run them. Each reads the job first.
  printf '#!/bin/sh\n[ $# -gt 0 ] || exit 0\ncat "${6:--}" >/dev/null\nwhile [ -d /proc/$PPID ]; do sleep 0.5; done\n' \
    >"$dir/bin/backend/colgada"
  printf '#!/bin/sh\n[ $# -gt 0 ] || exit 0\ncat "${6:--}" >/dev/null\nsleep 6\n' >"$dir/bin/backend/lenta"
  chmod 755 "$dir/bin" "$dir/bin/backend" "$dir/bin/backend/colgada" "$dir/bin/backend/lenta"
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

  cat >"$dir/etc/cupsd.conf" <<CONF
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
CONF
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot /etc/cups
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
Sandboxing Relaxed
CONF
  cat >"$dir/etc/cups-pdf.conf" <<CONF
Out $dir/out
AnonDirName $dir/out
Spool $dir/pdf-spool
Log $dir/log
Grp root
Label 1
CONF

  # The namespace's own /etc/cups and memory spool; cupsd stays in the foreground.
  unshare -m --propagation private sh -c "
    mount --bind '$dir/etc' /etc/cups &&
    mount -t tmpfs -o size=2m,mode=0755 tallimo-spool '$dir/spool' &&
    exec cupsd -f -c /etc/cups/cupsd.conf -s /etc/cups/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/pid"
  # A server that did not get ready is not left behind.
  trap '[ -n "${ready:-}" ] || cups_stop "$dir"' EXIT

  export CUPS_SERVER=127.0.0.1:$port
  for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
  lpstat -r >/dev/null 2>&1 || {
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    fail "cupsd did not answer on port $port"
  }

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
  lpadmin -p CajaColgada -E -v colgada:/ -m raw 2>/dev/null
  lpadmin -p CajaLenta -E -v lenta:/ -m raw 2>/dev/null
  cupsdisable CajaDetenida
  echo "$CUPS_SERVER" >"$dir/server"
  ready=1
  echo "CUPS_SERVER=$CUPS_SERVER"
)
