# shellcheck shell=bash
# Shell functions around Debian's apt for the set-up scripts, sourced by
# install-deps.sh and build-mingw-libs.sh. A package mirror that is out of
# sync on one index (a "Mirror sync in progress?" error) must not stop what
# needs none of that index: an update that fails is retried once and then
# reported as a warning, and the lists that did arrive are used.
#
# Settings (environment): LUMIDROME_APT_RETRY_SECONDS, the wait before the
# second update (default 10); LUMIDROME_APT_UPDATE_STAMP, the file whose age
# tells whether this machine's lists were refreshed in the last
# LUMIDROME_APT_UPDATE_MAX_AGE seconds (default 600), so that one test run
# asking for several groups updates once.

apt_stamp=${LUMIDROME_APT_UPDATE_STAMP:-${TMPDIR:-/tmp}/lumidrome-apt-update.stamp}
apt_first_error=""
as_root=()

# apt_need_root <what for>: sets as_root to run apt as root (sudo when this
# is not root); fails with a hint when there is no way to.
apt_need_root() {
  as_root=()
  [[ $EUID -eq 0 ]] && return 0
  if ! command -v sudo >/dev/null; then
    apt_first_error="$1 needs root: run this script as root or install sudo"
    return 1
  fi
  as_root=(sudo)
}

apt_run() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

# apt_error_line <log>: apt's first error line ("E: ..."), or its last line
# when it printed none.
apt_error_line() {
  local line
  line=$(grep -m 1 '^E: ' "$1") || line=$(grep -v '^[[:space:]]*$' "$1" | tail -n 1)
  echo "${line:-apt-get failed without a message}"
}

apt_lists_are_fresh() {
  local max_age=${LUMIDROME_APT_UPDATE_MAX_AGE:-600} modified
  modified=$(stat -c %Y "$apt_stamp" 2>/dev/null) || return 1
  (($(date +%s) - modified < max_age))
}

# apt_update [--force]: refreshes the package lists unless that was done a
# moment ago (--force: always, e.g. after adding a source). Never fails on a
# broken index: warns with apt's first error line instead.
apt_update() {
  [[ ${1:-} != --force ]] && apt_lists_are_fresh && return 0
  local log attempt
  log=$(mktemp)
  for attempt in 1 2; do
    if apt_run update -qq >"$log" 2>&1; then
      rm -f "$log"
      touch "$apt_stamp" 2>/dev/null
      return 0
    fi
    [[ $attempt -eq 1 ]] && sleep "${LUMIDROME_APT_RETRY_SECONDS:-10}"
  done
  echo "apt: warning: 'apt-get update' failed twice; going on with the package lists" \
    "that arrived: $(apt_error_line "$log")" >&2
  rm -f "$log"
  touch "$apt_stamp" 2>/dev/null
  return 0
}

# apt_install <package>...: installs them (no recommended extras); on
# failure sets apt_first_error to apt's first error line and returns 1.
apt_install() {
  local log status=0
  log=$(mktemp)
  apt_run install -y -qq --no-install-recommends "$@" >"$log" 2>&1 || status=$?
  [[ $status -ne 0 ]] && apt_first_error=$(apt_error_line "$log")
  rm -f "$log"
  return $status
}
