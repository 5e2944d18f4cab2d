#!/bin/sh
# Runs the command blocks of the README as a new user would: in order, in one fresh folder that
# looks like a checkout (every top-level entry of the source tree linked in) whose build/test is
# the build under test, with build/test/bin on the PATH. Fenced ```sh blocks and indented blocks
# are taken; blocks that build or need the host's developer kit are listed as left out, with
# the reason. Fails when a block fails or when no block ran.
# Usage: readme-commands.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -u
# One run at a time on a machine: the README installs into a fixed folder under /tmp, and the
# normal and the sanitized suites may run this test at the same moment.
if [ -z "${VXR_README_LOCKED:-}" ] && command -v flock >/dev/null 2>&1; then
  VXR_README_LOCKED=1 exec flock "${TMPDIR:-/tmp}/vxr-readme-commands.lock" sh "$0" "$@"
fi
source_dir=$1
build_dir=$2
work=$3
rm -rf "$work"
mkdir -p "$work/blocks" "$work/checkout/build" || exit 1
for entry in "$source_dir"/* "$source_dir"/.[!.]*; do
  name=$(basename "$entry")
  [ -e "$entry" ] || continue
  case "$name" in build|.git) continue ;; esac
  ln -s "$entry" "$work/checkout/$name"
done
ln -s "$build_dir" "$work/checkout/build/test"

# One file per block, in README order: fenced sh blocks, and runs of lines indented by four
# spaces after a blank line outside fences.
awk -v dir="$work/blocks" '
  function start() { n++; file = sprintf("%s/%02d.sh", dir, n) }
  /^```sh[ \t]*$/ && !fenced { fenced = 1; start(); next }
  /^```/ && fenced { fenced = 0; close(file); next }
  fenced { print > file; next }
  /^    [^ ]/ && (blank || indented) { if (!indented) start(); indented = 1; sub(/^    /, ""); print > file; blank = 0; next }
  { if (indented) close(file); indented = 0; blank = ($0 ~ /^[ \t]*$/) }
' "$source_dir/README.md"

export PATH="$work/checkout/build/test/bin:$PATH"
ran=0
failed=0
for block in "$work"/blocks/*.sh; do
  [ -e "$block" ] || continue
  reason=""
  if grep -q 'cmake --workflow' "$block"; then
    reason="builds and runs the whole suite (this test is part of it)"
  elif grep -q 'build/host' "$block"; then
    reason="needs the host's developer kit (the fake-kit build is install.host_sdk_switch_builds_only_the_module)"
  fi
  echo "---- README block $(basename "$block" .sh):"
  sed 's/^/  | /' "$block"
  if [ -n "$reason" ]; then
    echo "  left out: $reason"
    continue
  fi
  if (cd "$work/checkout" && sh -e "$block") > "$block.out" 2>&1; then
    echo "  ok"
  else
    echo "  FAILED (status $?):"
    sed 's/^/  > /' "$block.out"
    failed=$((failed + 1))
  fi
  ran=$((ran + 1))
done
echo "$ran blocks run, $failed failed"
[ "$ran" -gt 0 ] && [ "$failed" -eq 0 ]
