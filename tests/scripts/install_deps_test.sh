#!/usr/bin/env bash
# scripts/install-deps.sh against fake apt-get, dpkg-query, dpkg and sudo
# programs first on PATH: what it installs, what it reports and its exit
# status on a mirror whose update fails on one index and which refuses some
# packages, without touching the machine's packages.
#
#   install_deps_test.sh <path of scripts/install-deps.sh>
set -uo pipefail

install_deps=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The fakes keep the installed packages (NAME:ARCH lines) in $FAKE/installed
# and every apt-get call in $FAKE/calls.
make_fakes() {
  mkdir -p "$work/bin"
  cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$FAKE/calls"
case $1 in
  update)
    if [[ -n ${FAKE_UPDATE_FAILS:-} ]]; then
      echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi ;;
  install)
    shift
    packages=()
    for word in "$@"; do [[ $word == -* ]] || packages+=("$word"); done
    for package in "${packages[@]}"; do
      if [[ -n ${FAKE_REFUSE:-} && $package =~ $FAKE_REFUSE ]]; then
        echo "Reading package lists..."
        echo "E: Unable to locate package $package" >&2
        exit 100
      fi
    done
    for package in "${packages[@]}"; do
      [[ $package == *:* ]] || package=$package:amd64
      echo "$package" >>"$FAKE/installed"
    done ;;
  *) echo "E: the fake apt-get does not know $1" >&2; exit 100 ;;
esac
FAKE
  cat >"$work/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
name=${!#}
grep "^$name:" "$FAKE/installed" 2>/dev/null | sed 's/^[^:]*:/installed /'
FAKE
  cat >"$work/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
case $1 in
  --print-architecture) echo amd64 ;;
  --print-foreign-architectures) cat "$FAKE/foreign" 2>/dev/null ;;
  --add-architecture) echo "$2" >>"$FAKE/foreign" ;;
esac
FAKE
  printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
  chmod +x "$work/bin/"*
}

# run_case <name> <install-deps arguments...>: a fresh fake machine with the
# packages in $already installed; leaves the exit status in $status and
# install-deps' stderr in $errors.
run_case() {
  export FAKE=$work/$1
  shift
  mkdir -p "$FAKE"
  printf "%s\n" "${already:-}" >"$FAKE/installed"
  : >"$FAKE/calls"
  PATH=$work/bin:$PATH LUMIDROME_APT_RETRY_SECONDS=0 LUMIDROME_APT_UPDATE_STAMP=$FAKE/stamp \
    bash "$install_deps" "$@" >"$FAKE/out" 2>"$FAKE/err"
  status=$?
  errors=$(cat "$FAKE/err")
}

expect_status() {
  [[ $status -eq $1 ]] || fail "$2: exit status $status, expected $1; stderr: $errors"
}

installed() { grep -qx "$1" "$FAKE/installed"; }
update_calls() { grep -c '^update' "$FAKE/calls"; }

make_fakes
core=$(PATH=$work/bin:$PATH bash "$install_deps" --list | sed -n 's/^core: //p')
[[ -n $core ]] || fail "--list shows no core group"

# A group already installed asks apt nothing, not even for an update.
already=$(for package in $core; do echo "$package:amd64"; done)
run_case installed core
expect_status 0 "core installed"
[[ -s $FAKE/calls ]] && fail "core installed: apt-get was called: $(cat "$FAKE/calls")"
already=""

# An update that fails on one index warns (after one retry) and installs
# from the lists that arrived.
FAKE_UPDATE_FAILS=1 run_case mirror-out-of-sync format
expect_status 0 "update fails on one index"
installed clang-format:amd64 || fail "update fails on one index: clang-format was not installed"
[[ $(update_calls) -eq 2 ]] || fail "update fails on one index: $(update_calls) updates, expected one retry"
[[ $errors == *"warning"*"Mirror sync in progress?"* ]] ||
  fail "update fails on one index: no warning with apt's error: $errors"

# A refused group is named with apt's first error; the other group asked
# for in the same run is installed, and the lists are refreshed once.
FAKE_UPDATE_FAILS=1 FAKE_REFUSE=':i386$' run_case refused wine32 clang
expect_status 1 "wine32 refused"
expected="install-deps: group wine32: wine32:i386 could not be installed: E: Unable to locate package wine32:i386"
[[ $errors == *"$expected"* ]] || fail "wine32 refused: expected '$expected' in: $errors"
installed clang:amd64 || fail "wine32 refused: clang, asked for beside it, was not installed"
installed wine32:i386 && fail "wine32 refused: reported as refused but installed"
grep -qx i386 "$FAKE/foreign" || fail "wine32 refused: the i386 architecture was not added"
[[ $(update_calls) -eq 2 ]] || fail "wine32 refused: $(update_calls) updates for two groups, expected 2 (one retry)"

# An unknown group is a usage error, before anything is installed.
run_case unknown core no-such-group
expect_status 2 "unknown group"
[[ $errors == *"no group 'no-such-group'"* ]] || fail "unknown group: no message naming it: $errors"
[[ -s $FAKE/calls ]] && fail "unknown group: apt-get was called"

[[ $failures -eq 0 ]] && echo "install-deps: all cases passed"
exit $((failures > 0))
