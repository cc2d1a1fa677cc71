# The demo's captions over a 1920x1080 YUY2 movie of 10 s at 15 frames/s with
# a tone (150 frames: its RGB32 output stays under the 2 GiB that Wine's
# multiplexer can write), for the benchmarks; sourced after common.sh, with
# the Wine environment started.

# Makes the movie once and copies the demo's project into `$1`, with the
# movie as its input; prints the project's path.
make_1080p_project() {
  local folder=$1 demo=$QUCAP_BUILD/demo/project big=$QUCAP_BUILD/bench/stages-1080p.avi
  [ -f "$demo/デモ.mcc" ] || "$QUCAP_ROOT/tools/demo.sh" >/dev/null
  mkdir -p "$(dirname "$big")" "$(dirname "$folder")"
  [ -f "$big" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=1920x1080:rate=15:duration=10" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=10" \
    -c:v rawvideo -pix_fmt yuyv422 -c:a pcm_s16le -shortest "$big"
  rm -rf "$folder"
  cp -r "$demo" "$folder"
  python3 - "$folder/デモ.mcc" "$(windows_path "$folder")" "$(windows_path "$demo")" \
    "$(windows_path "$big")" <<'PY'
import re, sys
path, new_folder, old_folder, movie = sys.argv[1:5]
text = open(path, encoding="utf-16").read().replace(old_folder, new_folder)
text = re.sub(r"(?m)^(InpMovName=).*$", lambda m: m.group(1) + movie, text)
open(path, "w", encoding="utf-16-le", newline="").write("\ufeff" + text)
PY
  echo "$folder/デモ.mcc"
}
