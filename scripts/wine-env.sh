# Sourced by every script that runs Wine for this project (POSIX sh):
#   wine_env PREFIX      exports the prefix and what every run shares: no debug output
#                        (unless WINEDEBUG is set already) and no Mono or Gecko prompt
#   wine_start_server    starts the prefix's server as a persistent one, detached from the
#                        caller's pipes, and waits until it answers: later wine starts are fast
wine_env() {
  export WINEPREFIX="$1"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

wine_start_server() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
