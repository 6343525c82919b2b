#!/bin/sh
# Starts the installed game with its data folder as the working directory,
# where the game reads DATA/... from.
here=$(dirname "$(readlink -f "$0")")
cd "$here/../share/vantorel" || exit 1
exec "$here/../libexec/vantorel/vantorel" "$@"
