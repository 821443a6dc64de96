#!/usr/bin/env bash
# Builds the example application and ships it the way a user would: the launcher copied under the
# application's name, its settings file beside it and the jars in lib/. Then starts it with a few
# arguments and shows what it printed and its exit code.
#
#   scripts/run-example.sh [LAUNCHER]     default: build/linux-release/bin/launcher
#
# The staging folder is build/example/ (set EXAMPLE_STAGING to put it elsewhere); it is emptied
# first. The script ends with the application's exit code.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
launcher="${1:-$repo/build/linux-release/bin/launcher}"
staging="${EXAMPLE_STAGING:-$repo/build/example}"
example="$repo/examples/hello-app"

if [[ ! -x "$launcher" ]]; then
  echo "run-example: no launcher at $launcher" >&2
  echo "run-example: build it first: cmake --workflow --preset linux-release" >&2
  exit 2
fi
for tool in javac jar; do
  if ! command -v "$tool" >/dev/null; then
    echo "run-example: $tool is missing (scripts/setup.sh installs a JDK)" >&2
    exit 2
  fi
done

rm -rf "$staging"
mkdir -p "$staging/lib" "$staging/.classes/greeting" "$staging/.classes/main"

# Two jars, so that the one wildcard entry "\lib\*.jar" of HelloApp.ini has two files to find.
javac --release 11 -d "$staging/.classes/greeting" \
  "$example/src/greeting/example/greeting/Greeter.java"
javac --release 11 -cp "$staging/.classes/greeting" -d "$staging/.classes/main" \
  "$example/src/main/example/hello/Main.java"
jar --create --file "$staging/lib/greeting.jar" -C "$staging/.classes/greeting" .
jar --create --file "$staging/lib/hello-app.jar" -C "$staging/.classes/main" .
rm -rf "$staging/.classes"

cp "$launcher" "$staging/HelloApp"
chmod +x "$staging/HelloApp"
cp "$example/HelloApp.ini" "$staging/HelloApp.ini"

echo "== Shipped layout ($staging)"
(cd "$staging" && find . -type f | sort | sed 's/^\.\//  /')

# Started from another folder: the class path is found relative to the launcher, not the shell.
args=("plain" "with a space" "Grüße, 世界")
echo
echo "== Running: HelloApp$(printf ' "%s"' "${args[@]}")"
set +e
(cd / && "$staging/HelloApp" "${args[@]}")
code=$?
set -e
echo
echo "== Exit code: $code"
exit "$code"
