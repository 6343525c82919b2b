#!/bin/sh
# Starts the installed game with its data folder as the working directory,
# where the game reads DATA/... from. A relative folder given with
# --scores-dir is made absolute first, so that it names the folder from
# where the game was started, as the player meant it.
here=$(dirname "$(readlink -f "$0")")
count=$#
previous=
for argument in "$@"; do
    case "$previous:$argument" in
    --scores-dir:/* | *:--scores-dir=/*) ;;
    --scores-dir:*) argument="$PWD/$argument" ;;
    *:--scores-dir=*) argument="--scores-dir=$PWD/${argument#--scores-dir=}" ;;
    esac
    set -- "$@" "$argument"
    previous=$argument
done
shift "$count"
cd "$here/../share/vantorel" || exit 1
exec "$here/../libexec/vantorel/vantorel" "$@"
