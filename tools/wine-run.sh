#!/usr/bin/env bash
# Runs a Windows program with the loader of the current Wine session.
exec "$WINE" "$@"
