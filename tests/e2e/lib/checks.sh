# Checks shared by the end-to-end scripts; sourced after tools/common.sh.
# ./qucap test runs every tests/e2e/*.sh; this folder holds no test of its own.
#
#   expect_exit 0 -- qucapcmd check "$(windows_path "$project")"
#   expect_output stderr "字幕情報ファイルの読み込みに失敗しました"
#   finish_checks still_test

QUCAPCMD=$QUCAP_PROGRAM_DIR/Qucapcmd.exe
[ -x "$QUCAPCMD" ] || die "missing $QUCAPCMD (run ./qucap build)"
E2E_DIR=$(mktemp -d)
trap 'rm -rf "$E2E_DIR"' EXIT
last_stdout=$E2E_DIR/last.stdout
last_stderr=$E2E_DIR/last.stderr
last_command=
last_exit=0
checks=0
failures=0

# qucapcmd ARGS...: Qucapcmd.exe under Wine, arguments as they are.
qucapcmd() { wine "$QUCAPCMD" "$@"; }

fail() {
  failures=$((failures + 1))
  say "FAIL: $last_command"
  say "  $*"
}

# check WHAT COMMAND...: counts a check that passes when COMMAND succeeds.
check() {
  local what=$1
  shift
  checks=$((checks + 1))
  "$@" || fail "$what"
}

# expect_exit CODE -- COMMAND...: runs COMMAND with no input, keeps its stdout
# and stderr for expect_output, and fails unless it exits with CODE.
expect_exit() {
  local want=$1 got=0
  shift
  [ "${1:-}" = "--" ] && shift
  last_command=$*
  checks=$((checks + 1))
  "$@" </dev/null >"$last_stdout" 2>"$last_stderr" || got=$?
  last_exit=$got
  [ "$got" -eq "$want" ] || fail "exit code $got, expected $want; stderr: $(head -c 2000 "$last_stderr")"
}

stream_file() {
  case "$1" in
    stdout) printf '%s' "$last_stdout" ;;
    stderr) printf '%s' "$last_stderr" ;;
    *) die "expect_output: stream must be stdout or stderr, not $1" ;;
  esac
}

# expect_output STREAM TEXT: the last command's stdout or stderr holds TEXT.
expect_output() {
  local file
  file=$(stream_file "$1")
  checks=$((checks + 1))
  grep -qF -- "$2" "$file" || fail "$1 lacks \"$2\"; it holds: $(head -c 2000 "$file")"
}

# expect_exact_output STREAM TEXT: the last command's stream is exactly TEXT
# (bytes, so line ends and encoding count too).
expect_exact_output() {
  local file
  file=$(stream_file "$1")
  checks=$((checks + 1))
  printf '%s' "$2" | cmp -s - "$file" ||
    fail "$1 differs from the expected text (exit code $last_exit, stdout $(wc -c <"$last_stdout") bytes, stderr $(wc -c <"$last_stderr") bytes); it holds: $(head -c 2000 "$file" | od -c | head -20)"
}

# expect_messages TEXT: the last command's stderr is exactly TEXT once the
# lines of Wine's Linux side are left out (its sound and GStreamer libraries
# write to the same stream).
expect_messages() {
  checks=$((checks + 1))
  local messages
  messages=$(grep -v -e '^ALSA lib ' -e 'GStreamer-' -e '^$' "$last_stderr")
  [ "$messages" = "$1" ] || fail "the messages differ; they are: $messages"
}

# finish_checks NAME: the summary line, and the exit status of the script.
finish_checks() {
  if [ "$failures" -gt 0 ]; then
    say "$1: $failures of $checks checks failed"
    exit 1
  fi
  say "$1: all $checks checks passed"
}
