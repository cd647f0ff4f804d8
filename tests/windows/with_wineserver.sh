#!/bin/sh
# Runs a command with wine's server kept up from one wine program to the
# next, and the prefix booted once: without it every program under wine
# waits for a server of its own, about three seconds a test. A server this script started is stopped after
# the command; one that was already running is left as it was.
#   with_wineserver.sh COMMAND [ARGUMENTS...]
started=no
if wineserver -p 2>/dev/null; then
  started=yes
  # Wine's own background programs start here, away from the tests' pipes,
  # which they would otherwise hold open until the server ends.
  wineboot -i </dev/null >/dev/null 2>&1 || true
fi
status=0
"$@" || status=$?
if [ "$started" = yes ]; then
  wineserver -k
fi
exit "$status"
