#!/usr/bin/env bash
# The whole synthesis against ffmpeg: "Qucapcmd render" of the demo project
# (tools/demo.sh: 300 frames of 720x480 YUY2 with four captions, boxes and the
# watermark, written as uncompressed AVI under Wine) and the same project with
# nothing to draw, against ffmpeg writing the same movie uncompressed with and
# without its ass filter for the same four captions; then the same captions
# over the 1080p movie of tools/bench_1080p.sh. Best of several runs;
# Wine's start-up (Qucapcmd --help) is measured and taken off.
set -euo pipefail
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/bench_1080p.sh"

runs=${BENCH_RUNS:-5}
demo=$QUCAP_BUILD/demo
dir=$QUCAP_BUILD/bench/render
project=$demo/project/デモ.mcc
[ -f "$project" ] || "$QUCAP_ROOT/tools/demo.sh" >/dev/null
rm -rf "$dir"
mkdir -p "$dir"
movie=$QUCAP_TEST_MEDIA/demo.avi
frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$movie")

start_wine_env
# The same project with no captions, no boxes and no watermark.
cp -r "$demo/project" "$dir/bare"
bare=$dir/bare/デモ.mcc
python3 - "$bare" "$(windows_path "$dir/bare")" "$(windows_path "$demo/project")" <<'PY'
import sys
path, new_folder, old_folder = sys.argv[1:4]
text = open(path, encoding="utf-16").read().replace(old_folder, new_folder).replace("Disp=1", "Disp=0")
open(path, "w", encoding="utf-16-le", newline="").write("\ufeff" + text)
for name, header in (("字幕情報.csv", 0), ("枠情報.csv", 0)):
    file = f"{sys.argv[1].rsplit('/', 1)[0]}/{name}"
    first = open(file, encoding="utf-8-sig").readline()
    open(file, "w", encoding="utf-8", newline="").write(first)
PY

qucapcmd() { wine "$QUCAP_PROGRAM_DIR/Qucapcmd.exe" "$@"; }
render() { qucapcmd render "$(windows_path "$1")" --out "$(windows_path "$2")" --yes; }
startup=$(best qucapcmd --help)
captioned=$(best render "$project" "$dir/captioned.avi")
plain=$(best render "$bare" "$dir/bare.avi")
big_project=$(make_1080p_project "$dir/1080p")
big_captioned=$(best render "$big_project" "$dir/captioned-1080p.avi")
rm -f "$dir/captioned-1080p.avi"
stop_wine_env

# ffmpeg: the same four captions as an ASS script with a 3-pixel outline, at
# the size of each movie.
ass_script() {  # width height font-size file
  ffmpeg -v error -y -i "$demo/デモ.srt" "$4"
  sed -i "s/^Style: Default,.*/Style: Default,IPAGothic,$3,\&H00FFFFFF,\&H00FFFFFF,\&H00000000,\&H00000000,0,0,0,0,100,100,0,0,1,3,0,2,10,10,40,1/" "$4"
  sed -i "s/^PlayResX:.*/PlayResX: $1/; s/^PlayResY:.*/PlayResY: $2/" "$4"
}
ass_script 720 480 32 "$dir/demo.ass"
ass_script 1920 1080 72 "$dir/1080p.ass"
# ffmpeg writes as the render does: a new file beside the last run's movie,
# which it then replaces. Overwriting in place would reuse the pages the
# kernel still holds for the old file; a new file takes pages the virtual
# machine may have handed back to its host, which cost a fault each again.
ff() {
  ffmpeg -v error -y -threads 1 -filter_threads 1 -i "$1" -an -vf "$2" -c:v rawvideo -pix_fmt bgra -f avi "$3.part" &&
    mv -f "$3.part" "$3"
}
ffmpeg_plain=$(best ff "$movie" "format=bgra" "$dir/ffmpeg-plain.avi")
ffmpeg_ass=$(best ff "$movie" "format=bgra,ass=$dir/demo.ass" "$dir/ffmpeg-ass.avi")
big_movie=$QUCAP_BUILD/bench/stages-1080p.avi
big_frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$big_movie")
big_ass=$(best ff "$big_movie" "format=bgra,ass=$dir/1080p.ass" "$dir/ffmpeg-ass-1080p.avi")
rm -f "$dir/ffmpeg-ass-1080p.avi"

python3 - "$frames" "$big_frames" "$startup" "$captioned" "$plain" "$ffmpeg_plain" "$ffmpeg_ass" "$big_captioned" \
  "$big_ass" <<'PY'
import sys
frames, big_frames = int(sys.argv[1]), int(sys.argv[2])
startup, captioned, plain, ffmpeg_plain, ffmpeg_ass, big_captioned, big_ass = map(float, sys.argv[3:])
def fps(seconds): return frames / seconds if seconds > 0 else float("inf")
work, bare = captioned - startup, plain - startup
print(f"frames                         {frames}")
print(f"Wine start-up (taken off)      {startup:.3f} s")
print(f"Qucapcmd render, demo          {work:.3f} s  {fps(work):7.1f} frames/s")
print(f"Qucapcmd render, nothing drawn {bare:.3f} s  {fps(bare):7.1f} frames/s")
print(f"ffmpeg with ass                {ffmpeg_ass:.3f} s  {fps(ffmpeg_ass):7.1f} frames/s")
print(f"ffmpeg without ass             {ffmpeg_plain:.3f} s  {fps(ffmpeg_plain):7.1f} frames/s")
print(f"captions, boxes and watermark: {100 * (work - bare) / work:.1f} % of the render")
print(f"Qucapcmd against ffmpeg with ass: {ffmpeg_ass / work:.2f} of its frames/s")
big_work = big_captioned - startup
print(f"1080p frames                   {big_frames}")
print(f"Qucapcmd render, 1080p         {big_work:.3f} s  {big_frames / big_work:7.1f} frames/s")
print(f"ffmpeg with ass, 1080p         {big_ass:.3f} s  {big_frames / big_ass:7.1f} frames/s")
print(f"Qucapcmd against ffmpeg with ass, 1080p: {big_ass / big_work:.2f} of its frames/s")
PY
