#!/bin/sh
# Runs a command in a private network and mount namespace that has only loopback, so that nothing it does, name
# look-ups included, can leave the machine, and what it mounts stays its own. Root needs no user namespace (and
# is refused one inside a chroot); anyone else maps themself to root in a new one. Where the kernel allows
# neither, the test is skipped, saying why.
# Usage: private_network.sh COMMAND [ARGUMENT...]
namespaces="--net --mount"
[ "$(id -u)" -eq 0 ] || namespaces="$namespaces --map-root-user"
# shellcheck disable=SC2086 # the flags are meant to split
if ! refusal=$(unshare $namespaces ip link set lo up 2>&1 </dev/null); then
    case $refusal in
    *propagation*) reason="the root directory is not a mount point (bind-mount a chroot onto itself first)" ;;
    *) reason=$refusal ;;
    esac
    echo "SKIPPED: no private network namespace here: $reason"
    exit 77
fi
# shellcheck disable=SC2086
exec unshare $namespaces sh -c 'ip link set lo up && exec "$@"' sh "$@"
