#!/usr/bin/env bash
# Makes the sample movies of data/movie from FFmpeg's built-in test sources: short, small
# movies of different lengths and containers whose first frames are black, so that a
# thumbnail shows a frame from further in rather than the dark opening.
#
# Needs the ffmpeg command-line tool (Debian package "ffmpeg"); the build does not.
# Usage: scripts/make-sample-movies.sh [output folder, default data/movie]
set -euo pipefail

if ! command -v ffmpeg >/dev/null 2>&1; then
    echo "ffmpeg is not installed; install it first, e.g.: sudo apt-get install ffmpeg" >&2
    exit 1
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../data/movie}"
mkdir -p "$out"

common=(-hide_banner -loglevel error -y)
bitexact=(-map_metadata -1 -fflags +bitexact -flags +bitexact)

# 3 s of the test pattern with its running counter, H.264 in MP4, 160x90 at 10 frames a
# second; black for the first 0.4 s, then fading in.
ffmpeg "${common[@]}" -f lavfi -i "testsrc=size=160x90:rate=10:duration=3" \
    -vf "fade=in:st=0.4:d=0.3,format=yuv420p" \
    -c:v libx264 -preset veryslow -crf 30 -tune stillimage -movflags +faststart \
    "${bitexact[@]}" "$out/countdown-3s.mp4"

# 7 s of moving colour waves, MPEG-4 part 2 in Matroska, 160x90 at 15 frames a second;
# black for the first 0.8 s, then fading in.
ffmpeg "${common[@]}" -f lavfi \
    -i "nullsrc=size=160x90:rate=15:duration=7,geq=r='128+100*sin(X/9+T*4)':g='128+100*sin(Y/7+T*3)':b='128+100*sin((X+Y)/11+T*2)'" \
    -vf "fade=in:st=0.8:d=0.4,format=yuv420p" \
    -c:v mpeg4 -q:v 8 "${bitexact[@]}" "$out/waves-7s.mkv"

ls -l "$out"
