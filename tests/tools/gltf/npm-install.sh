#!/bin/sh
# Installs the locked npm packages of the glTF checks (the Khronos validator, three.js) into
# the build folder, beside the pages and scripts that use them. Reinstalls only when the lock
# file changed. Exits 77 (a skip for CTest) when npm is missing or the install fails, e.g. on a
# machine without network access.
# Usage: npm-install.sh SOURCE_DIR NPM_DIR [NPM]
set -u
source_dir=$1
npm_dir=$2
npm=${3:-}
mkdir -p "$npm_dir" || exit 1
cp "$source_dir/package.json" "$source_dir/package-lock.json" "$source_dir/render.html" \
   "$source_dir/validate.mjs" "$source_dir/browser-check.mjs" "$npm_dir/" || exit 1
if [ -z "$npm" ] || ! command -v "$npm" >/dev/null 2>&1; then
  echo "SKIPPED: npm is not installed (Debian: npm); the glTF validator and browser checks are skipped"
  exit 77
fi
stamp="$npm_dir/node_modules/.installed-lock"
if [ -f "$stamp" ] && cmp -s "$stamp" "$source_dir/package-lock.json"; then
  echo "npm packages already installed from this lock file"
  exit 0
fi
cd "$npm_dir" || exit 1
# --ignore-scripts: nothing the packages ship is run at install time.
if ! "$npm" ci --ignore-scripts --no-audit --no-fund; then
  echo "SKIPPED: npm ci failed (no network?); the glTF validator and browser checks are skipped"
  exit 77
fi
cp "$source_dir/package-lock.json" "$stamp"
