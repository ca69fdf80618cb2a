#!/bin/sh
# The rigvane tool as a user runs it: output, exit statuses, messages.
set -u
tool=$1
data=$2   # the shared test data folder (may be absent)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Joint names are bytes in the host's code page: 腰 is 0x8D 0x98 in 932.
printf 'HIERARCHY\nROOT \215\230\n' >"$dir/two.bvh"
cat >>"$dir/two.bvh" <<'BVH'
{
  OFFSET 0 90 0
  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation
  JOINT knee
  {
    OFFSET 0 10 0
    CHANNELS 3 Zrotation Xrotation Yrotation
    End Site
    {
      OFFSET 0 15 0
    }
  }
}
MOTION
Frames: 2
Frame Time: 0.5
0 0 0 0 0 0 0 0 0
1 0 0 0 0 0 0 0 90
BVH

out=$("$tool" bvh "$dir/two.bvh") || fail "a good file was refused"
echo "$out" | grep -q '"frames": 2' || fail "frames: $out"
echo "$out" | grep -q '"name": "腰", "parent": -1, "pivot": \[0, 450, 0\], "target": \[0, 500, 0\]' || fail "root: $out"
echo "$out" | grep -q '"name": "knee", "parent": 0, "pivot": \[0, 500, 0\]' || fail "child: $out"
echo "$out" | grep -q '"motion": {"start_frame": 0, "end_frame": 2, "rate": 2}' || fail "motion: $out"
echo "$out" | grep -q '"pose"' && fail "no pose without --frame"

out=$("$tool" bvh "$dir/two.bvh" --frame 1) || fail "--frame 1"
echo "$out" | grep -q '"pose": {"frame": 1, "bones": \[{"pivot": \[5, 450, 0\], "target": \[5, 500, 0\]}' || fail "pose: $out"

"$tool" bvh "$dir/two.bvh" --frame 2 >/dev/null 2>&1; [ $? -eq 2 ] || fail "frame out of range is not status 2"
"$tool" bvh "$dir/two.bvh" --frame x >/dev/null 2>&1; [ $? -eq 2 ] || fail "a bad frame is not status 2"
"$tool" >/dev/null 2>&1; [ $? -eq 2 ] || fail "no arguments is not status 2"
"$tool" --help | grep -q 'rigvane bvh FILE' || fail "--help"

printf 'HIERARCHY\nROOT a\n{\n}\n' >"$dir/still.bvh"
out=$("$tool" bvh "$dir/still.bvh") || fail "a file without motion"
echo "$out" | grep -q '"motion": null' || fail "motion null: $out"
"$tool" bvh "$dir/still.bvh" --frame 0 >/dev/null 2>&1; [ $? -eq 2 ] || fail "--frame without a motion is not status 2"

printf 'hello\n' >"$dir/bad.bvh"
out=$("$tool" bvh "$dir/bad.bvh" 2>"$dir/err"); status=$?
[ $status -eq 1 ] || fail "a refused file gives status $status"
[ -z "$out" ] || fail "a refused file printed: $out"
grep -q 'はBVHファイルではありません' "$dir/err" || fail "messages: $(cat "$dir/err")"
"$tool" bvh "$dir/none.bvh" >/dev/null 2>&1; [ $? -eq 1 ] || fail "a missing file is not status 1"

if [ -f "$data/bvh/dataset-2_walk_active_005.bvh" ]; then
  out=$("$tool" bvh "$data/bvh/dataset-2_walk_active_005.bvh" --frame 100) || fail "the walk capture"
  echo "$out" | grep -q '"frames": 205' || fail "walk frames"
  [ "$(echo "$out" | grep -o '"name"' | wc -l)" -eq 22 ] || fail "walk bones"
else
  echo "the shared test data is not here: the capture checks are skipped"
fi
echo ok
