#!/usr/bin/env bash
# Tries README's two commands as a new user would, on a fresh minimal Debian 12 that has only git,
# ca-certificates and sudo: builds such a root with mmdebstrap, clones this repository's committed HEAD into it,
# runs README's test command there, then README's run command on an Xvfb of its own and takes a screenshot.
# Prints the wall time of each phase, the disk used and PASS or FAIL with the step that failed. Everything runs
# in a private mount and PID namespace, so its mounts and processes go away with it whatever happens.
# Too slow for CI (about an hour on two cores); run it whenever the set-up changes.
# Usage: scripts/check-fresh-machine.sh [SCREENSHOT]   (as root, or with sudo; KEEP_ROOT=1 keeps the root)
set -euo pipefail

# All in one function, so that bash has read the whole script before it runs: editing it meanwhile is safe.
main() {
    repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
    shot=$(realpath -m "${1:-fresh-machine.png}")

    if [ "$(id -u)" -ne 0 ]; then
        exec sudo KEEP_ROOT="${KEEP_ROOT:-}" "$0" "$shot"
    fi

    # README's two commands, as README gives them.
    readme_command() {
        sed -n '/^```sh$/,/^```$/p' "$repo/README.md" | grep -m 1 -- "$1" | sed 's/ *#.*//'
    }
    test_command=$(readme_command 'make test')
    run_command=$(readme_command 'make run')
    [ -n "$test_command" ] && [ -n "$run_command" ] || { echo "README.md gives no test or run command"; exit 2; }

    command -v mmdebstrap >/dev/null || {
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
    }

    root=$(mktemp -d /var/tmp/huxo-fresh.XXXXXX)
    log=$root.log
    cleanup() {
        if [ -z "${KEEP_ROOT:-}" ]; then
            rm -rf --one-file-system "$root"
        else
            echo "the root stays in $root"
        fi
    }
    trap cleanup EXIT
    echo "fresh root: $root; the whole output of each phase: $log"

    phase_times=()
    failed_step=
    # Runs a phase, keeping its output in the log and printing its last lines when it fails.
    phase() {
        local name=$1 started status=0
        shift
        started=$(date +%s)
        echo "== $name"
        echo "== $name: $*" >>"$log"
        "$@" >>"$log" 2>&1 || status=$?
        phase_times+=("$(printf '%-28s %4d s' "$name" $(($(date +%s) - started)))")
        if [ "$status" -ne 0 ]; then
            failed_step=$name
            tail -n 40 "$log" | sed 's/^/  | /'
        fi
        return "$status"
    }

    make_root() {
        mmdebstrap --variant=minbase --include=git,ca-certificates,sudo bookworm "$root"
        # The machine's own name service: a new machine has one, the bare root may not.
        cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    }

    clone_repo() {
        git clone --no-local --branch "$(git -C "$repo" rev-parse --abbrev-ref HEAD)" "$repo" "$root/root/huxo"
        git -C "$root/root/huxo" log -1 --format='HEAD: %h %s'
    }

    # Runs a command as root in the fresh root, with /proc, /sys and /dev and a /tmp of its own, and nothing of this
    # machine's environment.
    in_root() {
        unshare --mount --pid --fork --kill-child --propagation private bash -c '
            set -e
            root=$1
            shift
            # A root of its own, as a container has; the tests make private mounts inside it.
            mount --bind "$root" "$root"
            mount -t proc proc "$root/proc"
            mount --rbind /sys "$root/sys"
            mount --rbind /dev "$root/dev"
            mount -t tmpfs tmpfs "$root/tmp"
            exec chroot "$root" env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
                bash -c "$@"' bash "$root" "$@"
    }

    run_readme_test() {
        in_root "cd /root/huxo && $test_command"
    }

    # README's run command on an Xvfb of its own, without the right to set the clock; a screenshot once a window
    # of HUXO shows (the first start opens the help window on the licence beside the main window).
    run_readme_run() {
        in_root "
            Xvfb :7 -screen 0 1280x800x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
            export DISPLAY=:7
            for _ in \$(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.2; done
            cd /root/huxo
            setpriv --bounding-set=-sys_time bash -c '$run_command' >/tmp/run.log 2>&1 &
            for _ in \$(seq 300); do
                xdotool search --onlyvisible --name '^HUXO 5.1\$' >/dev/null 2>&1 && break
                sleep 0.5
            done
            sleep 3
            cat /tmp/run.log
            xdotool search --onlyvisible --name '^HUXO' getwindowname %@ 2>/dev/null | sed 's/^/window: /'
            xdotool search --onlyvisible --name '^HUXO 5.1\$' >/dev/null || { echo 'no HUXO window came up'; exit 1; }
            import -window root /tmp/shot.png
            cp /tmp/shot.png /root/shot.png
        "
        cp "$root/root/shot.png" "$shot"
        echo "screenshot: $shot"
    }

    status=0
    phase "minimal Debian 12 root" make_root &&
        phase "clone" clone_repo &&
        phase "README test command" run_readme_test &&
        phase "README run command" run_readme_run || status=$?

    echo
    echo "README's test command: $test_command"
    echo "README's run command:  $run_command"
    printf '%s\n' "${phase_times[@]}"
    if [ -d "$root/root/huxo" ]; then
        echo "disk used: $(du -sh --one-file-system "$root" | cut -f1) in all, of which $(du -sh "$root/root/huxo" | cut -f1) the clone with its builds"
    fi
    if [ "$status" -eq 0 ]; then
        grep -h -E '^[0-9]+% tests passed|tests skipped|\*\*\*Skipped' "$log" | sed 's/^/  /' || true
        echo "PASS"
    else
        echo "FAIL at: $failed_step (see $log)"
    fi
    exit "$status"
}

main "$@"
exit
