#!/usr/bin/env bash
# Runs a cross-built test program under Wine (ctest's emulator for it) and believes gtest's XML
# report besides the exit status: a crash that Wine turns into a clean exit leaves no report.
exe=$1
shift
case " $* " in *" --gtest_list_tests "*) exec /usr/lib/wine/wine64 "$exe" "$@" ;; esac
xml=$(mktemp --suffix=.xml)
trap 'rm -f "$xml"' EXIT
/usr/lib/wine/wine64 "$exe" "$@" --gtest_output="xml:Z:${xml//\//\\}" || exit $?
grep -qE '<testsuites tests="[1-9]' "$xml" && ! grep -qE '<testsuites [^>]*(failures|errors)="[1-9]' "$xml" ||
  { echo "wine-gtest: exit status 0 without a clean gtest report"; exit 1; }
