#!/bin/sh
# Starts the installed game with its data folder as the working directory,
# where the game reads DATA/... from. A relative folder given with
# --scores-dir, the file of --verify and --watch, and the file of
# --export-round N FILE, are made absolute first, so that they name the folder or file from where the game was
# started, as the player meant it.
here=$(dirname "$(readlink -f "$0")")
count=$#
previous=
before=
for argument in "$@"; do
    case "$previous:$argument" in
    --scores-dir:/* | --verify:/* | --watch:/* | *:--scores-dir=/* | *:--verify=/* | *:--watch=/*) ;;
    --scores-dir:* | --verify:?* | --watch:?*) argument="$PWD/$argument" ;;
    *:--scores-dir=* | *:--verify=?* | *:--watch=?*) argument="${argument%%=*}=$PWD/${argument#*=}" ;;
    esac
    case "$before:$argument" in
    --export-round:/*) ;;
    --export-round:?*) argument="$PWD/$argument" ;;
    esac
    set -- "$@" "$argument"
    before=$previous
    previous=$argument
done
shift "$count"
cd "$here/../share/vantorel" || exit 1
exec "$here/../libexec/vantorel/vantorel" "$@"
