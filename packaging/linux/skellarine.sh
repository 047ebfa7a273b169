#!/bin/sh
# Starts the game, which lives in @LAUNCHER_TO_GAME@ from this directory and finds its data beside
# itself; answers --help and --version without starting it.
game=$(dirname "$(readlink -f "$0")")/@LAUNCHER_TO_GAME@
case "${1-}" in
  --help | -h)
    cat <<EOT
Usage: skellarine [--help | --version]

Quintrel - Skellarine, a single-player espionage adventure in Russian in a
640 x 480 window. Click to open the list of commands and pick one; type short
answers (minutes, the meeting time as 11.30, the key's number) and press Enter.

The game itself reads no options and writes no file. Its data lies in
$(readlink -f "$(dirname "$game")/data"). See skellarine(6).

  --help     show this text and exit
  --version  show the version and exit
EOT
    exit 0
    ;;
  --version)
    echo "Quintrel - Skellarine @PROJECT_VERSION@"
    exit 0
    ;;
esac
exec "$game"
