#!/usr/bin/env bash
# Prints 32 when this machine can run the 32-bit Wine loader, otherwise 64.
# Some kernels are started without 32-bit support; there only 64-bit Windows
# programs run under Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo 32; else echo 64; fi
