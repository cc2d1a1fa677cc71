# Project and data files written the way the system writes them, and the
# pictures of BMP files and movies as ffmpeg decodes them, for the end-to-end
# scripts; sourced after tools/common.sh.

# utf16_file FILE LINE...: the lines as the system writes text files
# (FF FE, UTF-16LE, CR LF).
utf16_file() {
  local file=$1
  shift
  { printf '\xff\xfe'; printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE; } >"$file"
}

CAPTION_HEADER=0,表示開始時間,表示時間,縦横,本文,表示位置,ルビ,表示位置,本文,表示位置,ルビ,表示位置,ロック
BOX_HEADER=0,開始フレーム,開始時間,終了フレーム,終了時間,Ｘ位置,Ｙ位置,幅,高さ,Ｘ位置,Ｙ位置,幅,高さ,色,透明度

# set_project_key PROJECT SECTION KEY VALUE: one key of a project file changed in place.
set_project_key() {
  iconv -f UTF-16 -t UTF-8 "$1" |
    SECTION="[$2]" KEY=$3 VALUE=$4 awk '
      BEGIN { section = ENVIRON["SECTION"]; key = ENVIRON["KEY"]; value = ENVIRON["VALUE"] }
      { line = $0; sub(/\r$/, "", line) }
      line ~ /^\[/ { inside = (line == section) }
      inside && index(line, key "=") == 1 { print key "=" value "\r"; next }
      { print }' |
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$1.new" && mv "$1.new" "$1"
}

# long_path END TOTAL: a Linux path in two long folders under $E2E_DIR (made
# here) whose Windows form has TOTAL characters and ends in END; every part of
# it stays within Linux's 255 bytes a name.
long_path() {
  local dir win
  dir=$E2E_DIR/$(printf 'd%.0s' $(seq 120))/$(printf 'e%.0s' $(seq 100))
  mkdir -p "$dir"
  win=$(windows_path "$dir")
  printf '%s/%s%s' "$dir" "$(printf 'f%.0s' $(seq $(($2 - ${#win} - 1 - ${#1}))))" "$1"
}

# frame_of MILLISECONDS: the frame of a 30000/1001 fps movie shown at that time.
frame_of() { echo $(($1 * 30 / 1001)); }

# pixels FILE [CROP]: the picture as ffmpeg decodes it, as blue, green, red
# bytes with rows from the top; CROP is W:H:X:Y.
pixels() { ffmpeg -v error -i "$1" -vf "format=bgr24${2:+,crop=$2}" -f rawvideo -pix_fmt bgr24 -; }
# movie_pixels MOVIE FRAME [CROP]: one frame of a movie in the same form.
movie_pixels() {
  ffmpeg -v error -i "$1" -vf "select=eq(n\\,$2),format=bgr24${3:+,crop=$3}" -frames:v 1 -f rawvideo -pix_fmt bgr24 -
}
digest() { "$@" | md5sum | cut -d' ' -f1; }
