# Sourced by the drive fixtures, after scripts/wine-env.sh: Wine reads its drive configuration
# when its server starts, so a fixture ends the prefix's server before it changes the drives
# and starts it again afterwards, as a persistent one (as scripts/with-wine.sh leaves it),
# when one was running.
was_running=0
# Ends the prefix's server (also one that a reg call started); with "first", notes whether
# one was running before the fixture.
stop_server() {
  if wineserver -k >/dev/null 2>&1; then
    [ "${1:-}" = first ] && was_running=1
  fi
  wineserver -w >/dev/null 2>&1 || true
}
restart_server() {
  stop_server
  if [ "$was_running" = 1 ]; then wine_start_server; fi
}
