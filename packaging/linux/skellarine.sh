#!/bin/sh
# Starts the game, which lives with its data in lib/skellarine beside this bin directory.
exec "$(dirname "$(readlink -f "$0")")/../lib/skellarine/skellarine" "$@"
