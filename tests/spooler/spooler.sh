#!/usr/bin/env bash
# A private CUPS spooler for the tests: its own cupsd on a unix socket, its
# own state folder, and fake SATO label printers whose jobs end up as PDF
# files. It never touches the machine's own CUPS (no port, no /etc/cups).
#
#   spooler.sh start STATEDIR   starts it and prints the shell `export` lines
#                               that point clients at it (eval them)
#   spooler.sh stop STATEDIR    stops it; fine when it is not running
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

# Queue name and resolution of each fake label printer. One name carries the
# "2130" family code, one is a 203-dpi T408v and one a 305-dpi T412v;
# SATO_R408v is left to the test that changes the per-user default medium,
# and SATO_R412v to the command-line tests, so tests running side by side
# never read each other's jobs or defaults. SATO_R8_closed refuses every job.
queues=(
    "SATO_CT4-LX_2130 203"
    "SATO_T408v 203"
    "SATO_T412v 305"
    "SATO_R408v 203"
    "SATO_R412v 305"
    "SATO_R8_closed 203"
)
refusing=SATO_R8_closed

die() {
    echo "spooler.sh: $*" >&2
    exit 1
}

# True while the process lives and is not a zombie: a stopped cupsd can stay
# a zombie for a moment, and kill -0 still answers for it then.
alive() {
    local pid=$1 state
    [ -r "/proc/$pid/stat" ] || return 1
    state=$(sed 's/^.*) //' "/proc/$pid/stat" | cut -d' ' -f1)
    [ "$state" != Z ] && [ "$state" != X ]
}

stop() {
    local state=$1 pidfile="$1/cupsd.pid" pid i root
    if [ -f "$pidfile" ]; then
        pid=$(cat "$pidfile")
        if [[ "$pid" =~ ^[0-9]+$ ]] && alive "$pid"; then
            kill -TERM "$pid" 2>/dev/null || true
            for i in $(seq 1 100); do
                alive "$pid" || break
                sleep 0.05
            done
            if alive "$pid"; then
                kill -KILL "$pid" 2>/dev/null || true
            fi
        fi
        rm -f "$pidfile"
    fi
    if [ -f "$state/spooler-root" ]; then
        root=$(cat "$state/spooler-root")
        # Only ever a folder this script made.
        case $root in
            /tmp/sakurabe-spooler.*) rm -rf "$root" ;;
        esac
        rm -f "$state/spooler-root"
    fi
}

start() {
    local state=$1
    command -v cupsd >/dev/null || die "cupsd is missing (package cups-daemon; see scripts/deps.sh)"
    command -v lpadmin >/dev/null || die "lpadmin is missing (package cups-client)"
    command -v cupsreject >/dev/null || die "cupsreject is missing (package cups-client)"
    [ -x /usr/lib/cups/filter/pdftopdf ] || die "pdftopdf is missing (package cups-filters)"
    stop "$state"

    mkdir -p "$state"
    state=$(cd "$state" && pwd)
    # cupsd runs the filters as an unprivileged user (lp): they must reach the
    # spool files and the PPDs, and STATEDIR may lie in a private folder. So
    # the spooler lives in a folder of its own under /tmp that STATEDIR
    # points to, and `stop` removes it.
    local root
    root=$(mktemp -d /tmp/sakurabe-spooler.XXXXXX)
    echo "$root" >"$state/spooler-root"
    chmod 0755 "$root"
    local etc="$root/etc" bin="$root/bin" out="$root/out" sock="$root/run/cups.sock" d
    mkdir -p "$etc/ppd" "$root/spool/tmp" "$root/cache" "$root/run" "$root/log" "$bin/backend" "$out"
    chmod 0755 "$root/spool" "$root/cache" "$root/run"
    chmod 1777 "$root/spool/tmp"
    for d in $(dirname "$root") "$root"; do
        [ "$(( 0$(stat -c %a "$d") & 1 ))" -eq 1 ] || { stop "$state"; die "$d is closed to the spooler's filters"; }
    done

    # Every program folder but the backends is the system's; the backends are
    # only ours, so no job can reach a real device.
    for d in filter cgi-bin daemon driver monitor notifier; do
        rm -f "$bin/$d"
        if [ -e "/usr/lib/cups/$d" ]; then
            ln -s "/usr/lib/cups/$d" "$bin/$d"
        fi
    done
    # A backend that only root may run is run as root by cupsd.
    install -m 0700 "$here/labelpdf" "$bin/backend/labelpdf"

    cat >"$etc/cups-files.conf" <<CONF
ServerRoot $etc
ServerBin $bin
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/run
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
Printcap $etc/printcap
FileDevice No
CONF
    cat >"$etc/cupsd.conf" <<CONF
LogLevel warn
Listen $sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
ErrorPolicy abort-job
PreserveJobFiles No
PreserveJobHistory No
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
    # Clients that look at this folder (CUPS_SERVERROOT) find this server.
    echo "ServerName $sock" >"$etc/client.conf"
    : >"$etc/lpoptions"

    cupsd -f -c "$etc/cupsd.conf" -s "$etc/cups-files.conf" </dev/null >"$root/log/cupsd.out" 2>&1 &
    echo $! >"$state/cupsd.pid"

    export CUPS_SERVER="$sock" CUPS_SERVERROOT="$etc"
    local ready="" i
    for i in $(seq 1 100); do
        if lpstat -r >/dev/null 2>&1; then
            ready=1
            break
        fi
        alive "$(cat "$state/cupsd.pid")" || break
        sleep 0.1
    done
    if [ -z "$ready" ]; then
        cat "$root/log/cupsd.out" "$root/log/error_log" >&2 2>/dev/null || true
        stop "$state"
        die "cupsd did not come up within 10 s"
    fi

    local entry name dpi
    for entry in "${queues[@]}"; do
        read -r name dpi <<<"$entry"
        sed "s/@DPI@/$dpi/g" "$here/labelprinter.ppd.in" >"$root/$name.ppd"
        # The deprecation notice about printer drivers is expected; the queue
        # works all the same. A scheduler that has just come up on a busy
        # machine may refuse the first request: try again before giving up.
        local try
        for try in 1 2 3 4 5 6; do
            if lpadmin -p "$name" -E -v "labelpdf:$out" -P "$root/$name.ppd" \
                -D "SATO label printer $name" >"$root/log/lpadmin.out" 2>&1; then
                break
            fi
            if [ "$try" -eq 6 ]; then
                cat "$root/log/lpadmin.out" "$root/log/error_log" >&2 2>/dev/null || true
                stop "$state"
                die "could not add the queue $name"
            fi
            sleep 0.5
        done
        lpstat -p "$name" >/dev/null 2>&1 || { stop "$state"; die "the queue $name is missing"; }
    done
    cupsreject "$refusing" >/dev/null 2>&1 || { stop "$state"; die "could not close the queue $refusing"; }

    printf 'export CUPS_SERVER=%q\n' "$sock"
    printf 'export CUPS_SERVERROOT=%q\n' "$etc"
    printf 'export SAKURABE_TEST_SPOOL_OUT=%q\n' "$out"
}

[ $# -eq 2 ] || die "usage: spooler.sh start|stop STATEDIR"
case $1 in
    start) start "$2" ;;
    stop) stop "$2" ;;
    *) die "usage: spooler.sh start|stop STATEDIR" ;;
esac
