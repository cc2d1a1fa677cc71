# Shared settings of the project's scripts; sourced, not run.
QUCAP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUCAP_BUILD=${QUCAP_BUILD:-$QUCAP_ROOT/build}   # another folder gives separate trees and Wine prefix
QUCAP_HOST_BUILD=$QUCAP_BUILD/host
QUCAP_WIN_BUILD=$QUCAP_BUILD/win
QUCAP_SANITIZE_BUILD=$QUCAP_BUILD/sanitize
QUCAP_PROGRAM_DIR=$QUCAP_WIN_BUILD/bin   # the program folder: Qucapcmd.exe, Qucapsyf.ax, Qucapadd.ini
export QUCAP_TEST_MEDIA=$QUCAP_BUILD/media   # sample movies of tools/make_test_media.sh (yuy2.avi, rgb24.avi)
export QUCAP_READERS=$QUCAP_BUILD/readers    # the npm subtitle readers of tools/setup_readers.sh
QUCAP_PREFIX_STAMP=2   # raise when the prefix settings change, so setup makes them again

export WINEPREFIX=${WINEPREFIX:-$QUCAP_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export ALSA_CONFIG_PATH=$QUCAP_ROOT/tools/alsa_null.conf
export LANG=C.UTF-8 LC_ALL=C.UTF-8

say() { printf '%s\n' "$*" >&2; }
die() { say "qucap: $*"; exit 1; }

# windows_path PATH: the Windows name of a Linux path (which need not exist).
# Wine's drive Z: is the Linux root, so the name is made here rather than by
# winepath, which starts a Wine program and now and then fails to start it,
# printing Wine's error where the path should be.
windows_path() {
  local p
  p=$(realpath -m -- "$1")
  printf 'Z:%s\n' "${p//\//\\}"
}

# linux_path WINDOWS-PATH: the Linux name of a path on drive Z:.
linux_path() {
  local p=${1#[Zz]:}
  printf '%s\n' "${p//\\//}"
}

jobs_count() { nproc 2>/dev/null || echo 2; }

# The packages of a list in tools/ (one per line, # starts a comment).
package_list() { grep -v '^#' "$QUCAP_ROOT/tools/$1"; }

# Packages given that are not installed yet.
missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf '%s\n' "$p"
  done
}

# Installs the packages given that are missing.
install_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  say "installing: $(echo $missing)"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

prefix_ready() { [ "$(cat "$WINEPREFIX/.qucap-stamp" 2>/dev/null)" = "$QUCAP_PREFIX_STAMP" ]; }

# Starts Xvfb on a free display and the Wine server for the caller; stop_wine_env ends both.
start_wine_env() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$QUCAP_BUILD/xvfb.log" 2>&1 &
  QUCAP_XVFB_PID=$!
  local i
  for i in $(seq 100); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
  wineserver -p
  # Start Wine's services now, detached from our pipes: started by the first
  # test they would inherit its output pipe, and ctest would wait for them.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  trap stop_wine_env EXIT
}

stop_wine_env() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "${QUCAP_XVFB_PID:-}" ]; then
    kill "$QUCAP_XVFB_PID" 2>/dev/null || true
    wait "$QUCAP_XVFB_PID" 2>/dev/null || true
    QUCAP_XVFB_PID=
  fi
}

# best COMMAND...: the best wall time in seconds of $runs runs of COMMAND (the
# benchmarks' scripts set runs), its output dropped.
best() {
  local result="" t start end
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 </dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$result" ] || [ "$(echo "$t < $result" | bc -l)" = 1 ]; then result=$t; fi
  done
  echo "$result"
}
