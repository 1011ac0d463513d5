#!/usr/bin/env bash
# A private PulseAudio daemon with only a null sink, for the real-audio test.
# Sourced by scripts/test.sh:
#   private_pulse_start DIR   starts it; exports PULSE_SERVER, PLEXION_PULSE_SINK
#                             and PLEXION_PULSE_PID; returns non-zero (with a
#                             message) when it does not come up within 10 s
#   private_pulse_stop        stops it by its PID
# The daemon runs with HOME, XDG_RUNTIME_DIR and XDG_CONFIG_HOME inside DIR,
# so nothing of the user's is touched; clients find it through PULSE_SERVER
# (the caller's own HOME stays as it is: tools found through it keep working).

private_pulse_start() {
    local dir=$1
    mkdir -p "$dir/home" "$dir/runtime" "$dir/config"
    chmod 700 "$dir/runtime"
    local socket="$dir/runtime/native"
    # No autospawn: a client must never start a daemon of its own.
    printf 'autospawn = no\n' >"$dir/client.conf"
    export PULSE_CLIENTCONFIG="$dir/client.conf"
    export PULSE_SERVER="unix:$socket"
    export PLEXION_PULSE_SINK=plexion_null
    env HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" XDG_CONFIG_HOME="$dir/config" \
        pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
        --system=no --disable-shm=yes -n \
        --load="module-null-sink sink_name=$PLEXION_PULSE_SINK rate=44100 channels=2" \
        --load="module-native-protocol-unix socket=$socket auth-anonymous=1" \
        --log-target=file:"$dir/pulseaudio.log" >"$dir/pulseaudio.out" 2>&1 &
    PLEXION_PULSE_PID=$!
    export PLEXION_PULSE_PID
    local i
    for i in $(seq 1 100); do
        if ! kill -0 "$PLEXION_PULSE_PID" 2>/dev/null; then
            echo "private-pulse: pulseaudio exited at start; its log:" >&2
            cat "$dir/pulseaudio.out" "$dir/pulseaudio.log" >&2 2>/dev/null
            unset PLEXION_PULSE_PID
            return 1
        fi
        if timeout 2 pactl info >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "private-pulse: pulseaudio did not answer within 10 s; its log:" >&2
    cat "$dir/pulseaudio.out" "$dir/pulseaudio.log" >&2 2>/dev/null
    private_pulse_stop
    return 1
}

private_pulse_stop() {
    if [ -n "${PLEXION_PULSE_PID:-}" ]; then
        kill "$PLEXION_PULSE_PID" 2>/dev/null || true
        local i
        for i in $(seq 1 50); do
            kill -0 "$PLEXION_PULSE_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$PLEXION_PULSE_PID" 2>/dev/null || true
        wait "$PLEXION_PULSE_PID" 2>/dev/null || true
        unset PLEXION_PULSE_PID
    fi
}
