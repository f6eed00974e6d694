#!/usr/bin/env bash
# Runs the content compiler's picture checks on one fixture and compares the verdict.
#   expect.sh CONTENTC ROOM FIXTURE.svg pass
#   expect.sh CONTENTC ROOM FIXTURE.svg refuse 'message pattern'
set -u
contentc=$1 room=$2 svg=$3 verdict=$4 pattern=${5:-}
out=$("$contentc" --check-room "$room" "$svg" 2>&1)
status=$?
echo "$out"
if [ "$verdict" = pass ]; then
    [ $status -eq 0 ] || { echo "expected the picture to pass, got status $status"; exit 1; }
    [ -z "$out" ] || { echo "expected no messages"; exit 1; }
else
    [ $status -ne 0 ] || { echo "expected the picture to be refused"; exit 1; }
    echo "$out" | grep -Eq -- "$pattern" || { echo "expected a message matching: $pattern"; exit 1; }
    # Exactly the fault the fixture carries, nothing else.
    [ "$(echo "$out" | grep -c 'content error')" -eq 1 ] || { echo "expected exactly one error"; exit 1; }
fi
