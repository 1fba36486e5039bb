#!/usr/bin/env bash
# Builds the release tree and the Debian package, checks the package's files against the
# install layout, unpacks it into a scratch folder and runs the installed programs there on a
# fresh sandbox. Ends with "package: N passed, N failed[, N skipped]"; exits 1 on a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
version=$(sed -n 's/^project(ZanUtility VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/zan-utility_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zan-utility_*.deb)

passed=0 failed=0 skipped=0
check() { # check <name> <command...>
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok      $name"
  else failed=$((failed + 1)); echo "FAILED  $name"; fi
}
skip() { skipped=$((skipped + 1)); echo "skipped $1"; }

has_zanctl=false
[ -f tools/zanctl/CMakeLists.txt ] && has_zanctl=true

expected_files() {
  local share=./usr/share
  echo ./usr/bin/zan ./usr/bin/cleartool-sim
  $has_zanctl && echo ./usr/bin/zanctl
  echo $share/zan-utility/trigger/_qx_security_trigger.pl
  (cd help && find . -type f | sed "s|^\.|$share/zan-utility/help|")
  echo $share/applications/zan-utility.desktop $share/icons/hicolor/scalable/apps/zan-utility.svg
  for page in docs/man/*.1; do echo "$share/man/man1/$(basename "$page").gz"; done
  echo $share/doc/zan-utility/copyright $share/doc/zan-utility/changelog.Debian.gz $share/lintian/overrides/zan-utility
}
listing=$(dpkg-deb -c "$deb")
echo "$listing"
same_files() {
  diff <(expected_files | tr ' ' '\n' | sort) <(echo "$listing" | awk '$1 !~ /^d/ {print $6}' | sort)
}
check "the package holds exactly the install layout" same_files
executables() {
  for f in ./usr/bin/zan ./usr/bin/cleartool-sim ./usr/share/zan-utility/trigger/_qx_security_trigger.pl; do
    echo "$listing" | awk -v f="$f" '$6 == f && $1 ~ /^-rwxr-xr-x/ {found = 1} END {exit !found}' || return 1
  done
}
check "programs and the trigger script are executable" executables
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
runtime_dependencies() {
  for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite perl; do
    grep -qE "(^|, )$p( |,|$)" <<<"$depends" || { echo "missing dependency $p"; return 1; }
  done
}
check "runtime dependencies" runtime_dependencies

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
bin=$scratch/root/usr/bin
export ZAN_CLEARCASE=sandbox ZAN_SANDBOX=$scratch/sandbox ZAN_SETTINGS=$scratch/settings QT_QPA_PLATFORM=offscreen
check "installed cleartool-sim lists the seeded VOBs" \
  bash -c "'$bin/cleartool-sim' lsvob | grep proj >/dev/null"
if $has_zanctl; then
  check "installed zanctl --version names $version" bash -c "'$bin/zanctl' --version | grep -F '$version' >/dev/null"
  # The report goes to stderr by >&2, never by opening /dev/stderr: when the run's output is
  # a log file, opening it again would truncate the log.
  audit() {
    local report
    report=$("$bin/zanctl" audit 'm:\bob_dev\proj') || return 1
    printf '%s\n' "$report" >&2
    grep -qF 'VOB \proj' <<<"$report"
  }
  check "installed zanctl audits a fresh sandbox's VOB" audit
else
  skip "zanctl checks: zanctl is not built by this tree yet"
fi
if command -v lintian >/dev/null; then
  check "lintian finds no error or warning" lintian --fail-on error,warning "$deb"
else
  skip "lintian: not installed"
fi

echo "package: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
