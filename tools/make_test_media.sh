#!/usr/bin/env bash
# Sample movies for the tests and the demo, made with ffmpeg under
# $QUCAP_BUILD/media (QUCAP_TEST_MEDIA in tools/common.sh):
#   yuy2.avi   720x480, 29.97 fps, 3 s, uncompressed YUY2, with a 440 Hz PCM tone
#   rgb24.avi  720x480, 29.97 fps, 1 s, uncompressed 24-bit RGB stored bottom-up
#   small.avi  352x288, 25 fps, 1 s, uncompressed YUY2 (a movie of another size)
#   demo.avi   720x480, 29.97 fps, 10 s, uncompressed YUY2, with a 440 Hz PCM tone (the demo's movie)
#   h264.mp4   720x480, 29.97 fps, 2 s, H.264 with AAC sound (what phones and cameras write)
#   clips.avi  320x240, 29.97 fps, 8 s, four clips of different pictures (cuts at frames 60, 120, 180), PCM tone
# Files already made by this version of the script are kept, so a second run
# costs nothing.
set -euo pipefail
. "$(dirname "$0")/common.sh"

MEDIA_VERSION=4   # raise when the recipes below change
media=$QUCAP_TEST_MEDIA
stamp=$media/.version
if [ "$(cat "$stamp" 2>/dev/null)" = "$MEDIA_VERSION" ] && [ -f "$media/yuy2.avi" ] && [ -f "$media/rgb24.avi" ] &&
   [ -f "$media/small.avi" ] && [ -f "$media/demo.avi" ] && [ -f "$media/h264.mp4" ] &&
   [ -f "$media/clips.avi" ] && [ -f "$media/clips.mp4" ]; then
  exit 0
fi
command -v ffmpeg >/dev/null || die "make_test_media: ffmpeg is missing (run ./qucap setup)"
mkdir -p "$media"
rm -f "$stamp"

# A moving test pattern with colour bars, gradients and a counter, so frames
# at different times differ and every channel takes many values.
pattern() {  # pattern SECONDS [SIZE RATE]
  printf 'testsrc2=size=%s:rate=%s:duration=%s' "${2:-720x480}" "${3:-30000/1001}" "$1"
}

# yuy2_movie NAME SECONDS: YUY2 video with a 440 Hz PCM tone.
yuy2_movie() {
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "$(pattern "$2")" -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" \
    -c:v rawvideo -pix_fmt yuyv422 -c:a pcm_s16le -shortest "$media/$1.tmp.avi"
  mv "$media/$1.tmp.avi" "$media/$1.avi"
}
yuy2_movie yuy2 3
yuy2_movie demo 10

ffmpeg -hide_banner -loglevel error -y -f lavfi -i "$(pattern 1 352x288 25)" \
  -c:v rawvideo -pix_fmt yuyv422 "$media/small.tmp.avi"
mv "$media/small.tmp.avi" "$media/small.avi"

# Every frame a key frame, so a still at any time decodes that very frame.
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "$(pattern 2)" -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2" \
  -c:v libx264 -pix_fmt yuv420p -g 1 -c:a aac -shortest "$media/h264.tmp.mp4"
mv "$media/h264.tmp.mp4" "$media/h264.mp4"

# Four clips of 60 frames at 29.97 fps for the timing analyses: hard cuts at
# frames 60, 120 and 180; the fade inside the third clip and the movement of
# the first and last are no cuts. The tone is loud for 4 s, then quiet.
clip() { printf '%s=%ssize=320x240:rate=30000/1001,trim=end_frame=60,setpts=PTS-STARTPTS' "$1" "${2:+$2:}"; }
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "$(clip testsrc2)" -f lavfi -i "$(clip smptebars)" \
  -f lavfi -i "$(clip color c=red),fade=t=out:st=0.5:d=1" -f lavfi -i "$(clip mandelbrot)" \
  -f lavfi -i "sine=f=440:sample_rate=48000:duration=8.008,volume='if(lt(t,4),0.5,0.1)':eval=frame" \
  -filter_complex "[0:v][1:v][2:v][3:v]concat=n=4:v=1:a=0,format=yuyv422[v]" -map "[v]" -map 4:a \
  -c:v rawvideo -c:a pcm_s16le "$media/clips.tmp.avi"
mv "$media/clips.tmp.avi" "$media/clips.avi"
# The same clips compressed, whose decoder gives planar pictures (without
# B-frames, whose delay Wine's demultiplexer adds to the first frame's time).
ffmpeg -hide_banner -loglevel error -y -i "$media/clips.avi" -c:v libx264 -bf 0 -pix_fmt yuv420p -c:a aac "$media/clips.tmp.mp4"
mv "$media/clips.tmp.mp4" "$media/clips.mp4"

# ffmpeg stores uncompressed RGB top-down (a negative biHeight). Windows
# programs usually write it bottom-up, so the picture is written flipped and
# the height in the stream format is then made positive: the file holds the
# rows bottom-up and every reader shows the pattern the right way up.
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "$(pattern 1)" -vf vflip \
  -c:v rawvideo -pix_fmt bgr24 "$media/rgb24.tmp.avi"
# The video stream's BITMAPINFOHEADER follows the 8-byte header of its "strf"
# chunk; biHeight is its third field.
strf=$(grep -obUa strf "$media/rgb24.tmp.avi" | head -1 | cut -d: -f1)
height_at=$((strf + 16))
[ "$(od -An -t d4 -j "$height_at" -N 4 "$media/rgb24.tmp.avi" | tr -d ' ')" = -480 ] ||
  die "make_test_media: unexpected stream format in $media/rgb24.tmp.avi"
printf '\xe0\x01\x00\x00' | dd of="$media/rgb24.tmp.avi" bs=1 seek="$height_at" conv=notrunc status=none
mv "$media/rgb24.tmp.avi" "$media/rgb24.avi"

printf '%s\n' "$MEDIA_VERSION" >"$stamp"
