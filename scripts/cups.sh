#!/usr/bin/env bash
# Makes sure a CUPS scheduler is running with one cups-pdf queue, "PDF",
# enabled, accepting jobs and set as the system default printer.
#
# Where PDFs land: cups-pdf writes each job to ~/PDF of the user who
# submitted it (Out ${HOME}/PDF in /etc/cups/cups-pdf.conf), so jobs printed
# as root end up in /root/PDF. Jobs without a local user go to
# /var/spool/cups-pdf/ANONYMOUS.
#
# Safe to run repeatedly; when everything is already in place it only asks
# the scheduler a few questions. No systemd needed: cupsd is started directly.
set -euo pipefail

# lpstat's messages are parsed below.
export LC_ALL=C LANG=C

queue=PDF
device_uri=cups-pdf:/
backend=/usr/lib/cups/backend/cups-pdf
start_timeout=15   # seconds to wait for a freshly started cupsd

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "cups.sh: need root or sudo to run: $*" >&2
    exit 1
  fi
}

die() { echo "cups.sh: $*" >&2; exit 1; }

scheduler_running() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }

command -v cupsd >/dev/null 2>&1 || PATH=$PATH:/usr/sbin:/sbin
command -v cupsd >/dev/null 2>&1 || die "cupsd not found; run scripts/deps.sh first"
[ -e "$backend" ] || die "$backend missing; run scripts/deps.sh first"

# CUPS runs a backend as root only when it is root-owned and mode 0700;
# cups-pdf needs root to switch to the job owner and write into their home.
if [ "$(stat -c '%u %a' "$backend")" != "0 700" ]; then
  echo "cups.sh: fixing owner/mode of $backend"
  as_root chown root:root "$backend"
  as_root chmod 0700 "$backend"
fi

if ! scheduler_running; then
  echo "cups.sh: starting cupsd"
  # cupsd daemonizes itself; keep it off our stdout so callers that capture
  # this script's output do not wait for the daemon to exit.
  as_root cupsd </dev/null >/dev/null 2>&1
  deadline=$((SECONDS + start_timeout))
  until scheduler_running; do
    [ "$SECONDS" -lt "$deadline" ] || die "cupsd did not answer within ${start_timeout}s (see /var/log/cups/error_log)"
    sleep 0.1
  done
fi

# The queue counts as set up when it exists, points at cups-pdf and uses a
# cups-pdf PPD; anything else gets (re)created.
if ! lpstat -v "$queue" 2>/dev/null | grep -qxF "device for $queue: $device_uri" \
   || ! lpoptions -p "$queue" 2>/dev/null | grep -q "printer-make-and-model='[^']*CUPS-PDF"; then
  ppd=
  for f in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
    if [ -r "$f" ]; then ppd=$f; break; fi
  done
  if [ -n "$ppd" ]; then
    model_args=(-P "$ppd")
  else
    # Not at the usual place: ask the scheduler which cups-pdf model it knows.
    model=$(lpinfo -m 2>/dev/null | awk 'tolower($1) ~ /cups-pdf.*\.ppd/ { print $1; exit }')
    [ -n "$model" ] || die "no cups-pdf PPD found; is printer-driver-cups-pdf installed?"
    model_args=(-m "$model")
  fi
  echo "cups.sh: creating queue $queue"
  # lpadmin warns that PPD drivers are deprecated; that is expected here.
  as_root lpadmin -p "$queue" -v "$device_uri" "${model_args[@]}" -E 2>&1 \
    | { grep -v -i 'deprecated' || true; } >&2
fi

status=$(lpstat -p "$queue" 2>/dev/null || true)
case $status in
  *disabled*) echo "cups.sh: enabling $queue"; as_root cupsenable "$queue" ;;
esac
if ! lpstat -a "$queue" 2>/dev/null | grep -q "^$queue accepting requests"; then
  echo "cups.sh: making $queue accept jobs"
  as_root cupsaccept "$queue"
fi
if [ "$(lpstat -d 2>/dev/null)" != "system default destination: $queue" ]; then
  echo "cups.sh: making $queue the default printer"
  as_root lpadmin -d "$queue"
fi
