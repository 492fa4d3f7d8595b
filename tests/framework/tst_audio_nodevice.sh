#!/usr/bin/env bash
# With no sound server to talk to, effects and music log warnings and the game goes on.
set -euo pipefail
build="${1:?build directory}"
export PULSE_SERVER="unix:/nonexistent/zarno-no-sound-server"
export ZARNO_EXPECT_NO_AUDIO_DEVICE=1
timeout 120 "$build/bin/tst_audio" withoutAudioDevice missingFiles
