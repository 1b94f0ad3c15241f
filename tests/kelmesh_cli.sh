#!/usr/bin/env bash
# Command-line tests of kelmesh, run by ctest.
# usage: kelmesh_cli.sh KELMESH WORKDIR CASE MESH [expected counts for CASE=shared]
# Exit 0 on success, 77 when a shared mesh is absent (skipped), 1 on the first failure.
set -uo pipefail

KELMESH=$1 WORK=$2 CASE=$3 MESH=$4
shift 4
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1

fail() { echo "FAIL: $*" >&2; exit 1; }

# run ARGS...: runs kelmesh, leaving the status in $status and the streams in out / err.
run() {
  "$KELMESH" "$@" >out 2>err
  status=$?
}

# expect_error STATUS LINE ARGS...: kelmesh fails with STATUS, writes exactly LINE on stderr
# and nothing on stdout.
expect_error() {
  local expected_status=$1 line=$2
  shift 2
  run "$@"
  [[ $status == "$expected_status" ]] || fail "kelmesh $*: status $status, expected $expected_status"
  [[ $(cat err) == "$line" ]] || fail "kelmesh $*: stderr '$(cat err)', expected '$line'"
  [[ ! -s out ]] || fail "kelmesh $*: unexpected output: $(cat out)"
}

# value NAME FILE: the value of a "name: value" line or of a "name": value JSON member.
value() { sed -n -e "s/^$1: //p" -e "s/^ *\"$1\": //p" "$2" | sed 's/,$//'; }

# near VALUE EXPECTED RELATIVE: the value is within the relative tolerance of the expected one.
near() { awk -v a="$1" -v b="$2" -v r="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; m = b < 0 ? -b : b; exit !(a != "" && d <= r * m) }'; }

expect_counts() {  # FILE vertices points triangles free_edges non_manifold_edges components
  local file=$1 name expected
  shift
  for name in vertices points triangles free_edges non_manifold_edges components; do
    expected=$1
    shift
    [[ $(value $name "$file") == "$expected" ]] || fail "$name is '$(value $name "$file")', expected $expected"
  done
}

case $CASE in
info-plain)
  run info "$MESH"
  [[ $status == 0 && ! -s err ]] || fail "info: status $status: $(cat err)"
  expect_counts out 1839 1839 3674 0 0 1
  [[ $(value edges out) == 5511 && $(value euler out) == 2 ]] || fail "info: edges $(value edges out), euler $(value euler out)"
  [[ $(wc -l <out) == 13 ]] || fail "info: expected 13 lines, got $(wc -l <out)"
  [[ $(value holes out) == 0 ]] || fail "info: holes $(value holes out)"
  [[ $(value area out) == 218.689271 ]] || fail "info: area $(value area out)"
  near "$(value volume out)" 194.288372 1e-6 || fail "info: volume $(value volume out)"
  [[ $(value bbox_min out) == "-4.95847511 -0.003149 -3.72983289" ]] || fail "bbox_min: $(value bbox_min out)"
  [[ $(value bbox_max out) == "4.94885015 9.65474796 3.8106389" ]] || fail "bbox_max: $(value bbox_max out)"
  ;;
info-json)
  run info "$MESH" --json
  [[ $status == 0 && ! -s err ]] || fail "info --json: status $status: $(cat err)"
  expect_counts out 1839 1839 3674 0 0 1
  [[ $(value bbox_min out) == "[-4.95847511, -0.003149, -3.72983289]" ]] || fail "bbox_min: $(value bbox_min out)"
  [[ $(value bbox_max out) == "[4.94885015, 9.65474796, 3.8106389]" ]] || fail "bbox_max: $(value bbox_max out)"
  [[ $(head -c1 out) == "{" && $(tail -n1 out) == "}" ]] || fail "info --json: not one object"
  [[ $(value holes out) == 0 ]] || fail "info --json: holes $(value holes out)"
  ;;
convert)
  run convert "$MESH" first.obj
  [[ $status == 0 ]] || fail "convert: status $status: $(cat err)"
  run convert first.obj second.obj
  [[ $status == 0 ]] || fail "convert again: status $status: $(cat err)"
  cmp -s first.obj second.obj || fail "a converted file does not convert to the same bytes"
  grep -qv '^[vf] ' first.obj && fail "records other than v and f written"
  # Same counts and the same bounding box digits: the coordinates came back exactly.
  "$KELMESH" info "$MESH" >expected || fail "info on the input"
  "$KELMESH" info first.obj >actual || fail "info on the output"
  cmp -s expected actual || fail "info differs after a round trip: $(diff expected actual)"
  ;;
errors)
  printf 'v 0 0 0\nvx 1 2 3\n' >malformed.obj
  printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n' >outofrange.obj
  printf '# only a comment\n' >empty.obj
  mkdir folder.obj
  expect_error 1 "kelmesh: cannot read 'missing.obj': no such file" info missing.obj
  expect_error 1 "kelmesh: cannot read 'malformed.obj': not a valid OBJ file" info malformed.obj
  expect_error 1 "kelmesh: cannot read 'outofrange.obj': not a valid OBJ file" info outofrange.obj --json
  expect_error 1 "kelmesh: cannot read 'empty.obj': no triangles" info empty.obj
  expect_error 1 "kelmesh: cannot read 'folder.obj': is a directory" info folder.obj
  # A failed conversion writes nothing and leaves an existing output alone.
  expect_error 1 "kelmesh: cannot read 'missing.obj': no such file" convert missing.obj new.obj
  [[ ! -e new.obj ]] || fail "convert wrote an output for a missing input"
  echo keep >existing.obj
  expect_error 1 "kelmesh: cannot read 'malformed.obj': not a valid OBJ file" convert malformed.obj existing.obj
  [[ $(cat existing.obj) == keep ]] || fail "a failed convert changed its output"
  expect_error 1 "kelmesh: cannot write 'nowhere/out.obj': no such file or directory" convert "$MESH" nowhere/out.obj
  run demo --in missing.obj --out demo  # the demo reports its steps as it goes
  [[ $status == 1 && $(cat err) == "kelmesh: cannot read 'missing.obj': no such file" ]] ||
    fail "demo --in missing.obj: status $status, stderr '$(cat err)'"
  [[ -z $(ls -A demo) ]] || fail "a failed demo left files: $(ls -A demo)"
  ;;
same-file)
  cp "$MESH" in.obj && chmod u+w in.obj && cp in.obj original.obj
  ln -s in.obj symlink.obj
  ln in.obj hardlink.obj
  mkdir sub
  for output in in.obj ./in.obj sub/../in.obj "$PWD/in.obj" symlink.obj hardlink.obj; do
    expect_error 1 "kelmesh: refusing to overwrite the input 'in.obj' with '$output' (use --force)" \
      convert in.obj "$output"
    cmp -s in.obj original.obj || fail "convert in.obj $output changed the input"
  done
  run convert in.obj in.obj --force
  [[ $status == 0 ]] || fail "convert --force: status $status: $(cat err)"
  "$KELMESH" info in.obj >after || fail "the input rewritten with --force does not read"
  expect_counts after 1839 1839 3674 0 0 1
  ;;
usage)
  for command in "frobnicate" "--frobnicate" "info --bogus $MESH" "info" "info a.obj b.obj" \
                 "convert $MESH" "convert --json $MESH out.obj" "demo extra" "demo --out" \
                 "validate a.obj b.obj" "cut $MESH -o out.obj" "cut $MESH --triangles"; do
    # shellcheck disable=SC2086  # the words are meant to split
    run $command
    [[ $status == 2 ]] || fail "kelmesh $command: status $status, expected 2"
    [[ $(wc -l <err) == 1 && $(cat err) == kelmesh:* ]] || fail "kelmesh $command: stderr '$(cat err)'"
  done
  [[ ! -e out.obj ]] || fail "a usage error wrote a file"
  run
  [[ $status == 2 && $(wc -l <err) == 1 ]] || fail "kelmesh without arguments: status $status"
  for command in "--help" "info --help" "convert --help" "demo --help" "validate --help" "cut --help" "smooth --help" "holes --help" "decimate --help"; do
    # shellcheck disable=SC2086
    run $command
    [[ $status == 0 && -s out && ! -s err ]] || fail "kelmesh $command: status $status"
    grep -q "^usage: kelmesh ${command%--help}" out || fail "kelmesh $command: no usage line"
  done
  ;;
demo)
  run demo --out results --in "$MESH"
  [[ $status == 0 && ! -s err ]] || fail "demo: status $status: $(cat err)"
  [[ $(grep -c '^\[[0-9]*/[0-9]*\] ' out) -ge 8 ]] || fail "demo: steps not reported"
  "$KELMESH" info --json "$MESH" >expected.json || fail "info --json"
  cmp -s expected.json results/sample-info.json || fail "sample-info.json differs from info --json"
  "$KELMESH" convert "$MESH" converted.obj >/dev/null || fail "convert"
  cmp -s converted.obj results/sample-copy.obj || fail "sample-copy.obj differs from convert's output"
  "$KELMESH" info results/sample-holed.obj >holed || fail "sample-holed.obj does not read"
  [[ $(value vertices holed) == 1838 && $(value components holed) == 1 && $(value free_edges holed) -gt 2 ]] ||
    fail "sample-holed.obj: $(tr '\n' ' ' <holed)"
  "$KELMESH" validate results/sample-patch.obj >/dev/null || fail "sample-patch.obj is not valid"
  "$KELMESH" info results/sample-decimated.obj >decimated || fail "sample-decimated.obj does not read"
  [[ $(value triangles decimated) -le 368 && $(value triangles decimated) -ge 366 ]] ||
    fail "sample-decimated.obj: $(value triangles decimated) triangles"
  [[ $(grep -c '^f ' results/sample-patch.obj) -ge 6 ]] || fail "sample-patch.obj: too few triangles"
  ;;
validate)
  run validate "$MESH"
  [[ $status == 0 && ! -s err ]] || fail "validate: status $status: $(cat err)"
  [[ $(cat out) == "$MESH: valid: no edge has more than two triangles" ]] || fail "validate: '$(cat out)'"
  # Three triangles on the edge 1-2: one edge with more than two triangles. A vertex where two
  # fans meet is not examined.
  printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 -1 0\nv 0 0 1\nf 1 2 3\nf 2 1 4\nf 1 2 5\n' >fin.obj
  printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nv -1 0 0\nv 0 -1 0\nf 1 2 3\nf 1 4 5\n' >bowtie.obj
  run validate fin.obj
  [[ $status == 1 && $(cat out) == "fin.obj: not valid: 1 edge has more than two triangles" ]] ||
    fail "validate fin.obj: status $status, '$(cat out)'"
  run validate bowtie.obj
  [[ $status == 0 ]] || fail "validate bowtie.obj: status $status"
  expect_error 2 "kelmesh: cannot read 'missing.obj': no such file" validate missing.obj
  expect_error 2 "kelmesh: validate: expected one FILE.obj (see 'kelmesh validate --help')" validate
  run validate --help
  grep -q "vertices are not" out || fail "validate --help does not say that vertices are not examined"
  ;;
cut)
  cp "$MESH" in.obj && chmod u+w in.obj && cp in.obj original.obj
  run cut in.obj --triangles 1-100 -o piece.obj --rest rest.obj
  [[ $status == 0 && ! -s err ]] || fail "cut: status $status: $(cat err)"
  "$KELMESH" info piece.obj >piece || fail "the piece does not read"
  "$KELMESH" info rest.obj >rest || fail "the rest does not read"
  [[ $(value triangles piece) == 100 && $(value triangles rest) == 3574 ]] ||
    fail "cut 1-100: piece $(value triangles piece), rest $(value triangles rest) triangles"
  # The piece's first triangles are the input's, in order, with the same coordinates.
  [[ $(grep -c '^f ' piece.obj) == 100 ]] || fail "piece.obj: $(grep -c '^f ' piece.obj) faces"
  cmp -s in.obj original.obj || fail "cut changed its input"
  printf '# selection\n5, 7\n7 9\n' >list.txt
  run cut in.obj --triangles list.txt -o three.obj
  [[ $status == 0 && $(cat out) == "three.obj: "*", 3 triangles" ]] || fail "cut from a list: status $status, '$(cat out)'"
  # Bad selections and outputs: one line, status 2 (or 1 for files), nothing written.
  expect_error 2 "kelmesh: cut: triangle 3675 is not a triangle of the mesh (1..3674)" cut in.obj --triangles 3670-3680 -o bad.obj
  printf '1 2 x\n' >badlist.txt
  expect_error 2 "kelmesh: cut: 'badlist.txt': 'x' is not a triangle number" cut in.obj --triangles badlist.txt -o bad.obj
  expect_error 2 "kelmesh: cut: bad triangle range '0-3' (expected A-B with 1 <= A <= B)" cut in.obj --triangles 0-3 -o bad.obj
  printf '# none\n' >none.txt
  expect_error 2 "kelmesh: cut: no triangle selected by 'none.txt'" cut in.obj --triangles none.txt -o bad.obj
  expect_error 2 "kelmesh: cut: missing -o PIECE.obj (see 'kelmesh cut --help')" cut in.obj --triangles 1-3
  expect_error 2 "kelmesh: cut: the piece and the rest must go to different files (see 'kelmesh cut --help')" \
    cut in.obj --triangles 1-3 -o same.obj --rest ./same.obj
  expect_error 1 "kelmesh: refusing to overwrite the input 'in.obj' with 'in.obj' (use --force)" \
    cut in.obj --triangles 1-3 -o piece2.obj --rest in.obj
  [[ ! -e bad.obj && ! -e piece2.obj && ! -e same.obj ]] || fail "a failed cut wrote a file"
  cmp -s in.obj original.obj || fail "a failed cut changed its input"
  ;;
smooth)
  run smooth "$MESH" -o smooth.obj --iterations 3 --intensity 50
  [[ $status == 0 && ! -s err ]] || fail "smooth: status $status: $(cat err)"
  [[ $(cat out) == "smooth.obj: 1839 vertices, 3674 triangles, 3 laplacian passes at 50%" ]] || fail "smooth: '$(cat out)'"
  "$KELMESH" convert "$MESH" converted.obj >/dev/null || fail "convert"
  diff <(grep '^f ' converted.obj) <(grep '^f ' smooth.obj) >/dev/null || fail "smoothing changed the triangles"
  cmp -s <(grep '^v ' converted.obj) <(grep '^v ' smooth.obj) && fail "smoothing moved nothing"
  # An open sheet with a lifted centre: the rim stays, the centre comes down (unless --boundary).
  printf 'v 0 0 0\nv 1 0 0\nv 2 0 0\nv 0 1 0\nv 1 1 1\nv 2 1 0\nv 0 2 0\nv 1 2 0\nv 2 2 0\n' >sheet.obj
  printf 'f 1 2 5\nf 1 5 4\nf 2 3 6\nf 2 6 5\nf 4 5 8\nf 4 8 7\nf 5 6 9\nf 5 9 8\n' >>sheet.obj
  run smooth sheet.obj -o flat.obj --method coons
  [[ $status == 0 ]] || fail "smooth sheet: status $status: $(cat err)"
  [[ $(sed -n 5p flat.obj) == "v 1 1 0" ]] || fail "the centre did not come down: $(sed -n 5p flat.obj)"
  diff <(sed -n '1,4p;6,9p' sheet.obj) <(sed -n '1,4p;6,9p' flat.obj) >/dev/null || fail "the rim moved"
  run smooth sheet.obj -o moved.obj --boundary
  [[ $(sed -n 1p moved.obj) != "v 0 0 0" ]] || fail "--boundary left the corner in place"
  expect_error 2 "kelmesh: smooth: unknown method 'taubin' (laplacian or coons) (see 'kelmesh smooth --help')" \
    smooth sheet.obj -o bad.obj --method taubin
  expect_error 2 "kelmesh: smooth: --intensity takes a percentage from 0 to 100 (see 'kelmesh smooth --help')" \
    smooth sheet.obj -o bad.obj --intensity 150
  expect_error 2 "kelmesh: smooth: --iterations takes a whole number from 1 to 1000000 (see 'kelmesh smooth --help')" \
    smooth sheet.obj -o bad.obj --iterations 2.5
  expect_error 1 "kelmesh: refusing to overwrite the input 'sheet.obj' with 'sheet.obj' (use --force)" \
    smooth sheet.obj -o sheet.obj
  # Ctrl-C during a long run: the passes stop, nothing is written, status 130.
  "$KELMESH" smooth "$MESH" -o never.obj --iterations 1000000 >out 2>err &
  pid=$!
  sleep 1
  kill -INT $pid
  wait $pid
  status=$?
  [[ $status == 130 && $(cat err) == "kelmesh: interrupted" ]] || fail "Ctrl-C: status $status, stderr '$(cat err)'"
  [[ ! -e never.obj ]] || fail "an interrupted smooth wrote its output"
  [[ ! -e bad.obj ]] || fail "a refused smooth wrote its output"
  ;;
decimate)
  run decimate "$MESH" -o half.obj --triangles 1837
  [[ $status == 0 && ! -s err ]] || fail "decimate: status $status: $(cat err)"
  [[ $(value triangles_before out) == 3674 ]] || fail "decimate: $(cat out)"
  after=$(value triangles_after out)
  [[ $after == 1837 || $after == 1836 ]] || fail "decimate --triangles 1837 left $after"
  [[ $(value seconds out) =~ ^[0-9]+\.[0-9]+$ ]] || fail "decimate: seconds '$(value seconds out)'"
  "$KELMESH" info half.obj >half || fail "the decimated mesh does not read"
  [[ $(value triangles half) == "$after" && $(value euler half) == 2 && $(value free_edges half) == 0 ]] ||
    fail "decimated mesh: $(tr '\n' ' ' <half)"
  "$KELMESH" validate half.obj >/dev/null || fail "the decimated mesh is not valid"
  run decimate "$MESH" -o json.obj --percent 25 --json
  [[ $status == 0 && $(head -c1 out) == "{" && $(value triangles_before out) == 3674 ]] || fail "decimate --json: $(cat out)"
  for bound in "--deviation 0.05" "--edge-length 0.3" "--triangles 500 --plus" "--percent 10 --freeze-boundary"; do
    # shellcheck disable=SC2086
    run decimate "$MESH" -o other.obj $bound
    [[ $status == 0 && $(value triangles_after out) -lt 3674 ]] || fail "decimate $bound: status $status: $(cat out) $(cat err)"
  done
  expect_error 2 "kelmesh: decimate: give one of --triangles, --percent, --deviation, --edge-length (see 'kelmesh decimate --help')" \
    decimate "$MESH" -o bad.obj
  expect_error 2 "kelmesh: decimate: give only one of --triangles, --percent, --deviation, --edge-length (see 'kelmesh decimate --help')" \
    decimate "$MESH" -o bad.obj --triangles 10 --percent 5
  expect_error 2 "kelmesh: decimate: --deviation works with the quadric metric only (see 'kelmesh decimate --help')" \
    decimate "$MESH" -o bad.obj --deviation 0.1 --metric length
  expect_error 2 "kelmesh: decimate: --edge-length works with the length metric only (see 'kelmesh decimate --help')" \
    decimate "$MESH" -o bad.obj --edge-length 0.1 --metric quadric
  expect_error 2 "kelmesh: decimate: --plus works with the quadric metric only (see 'kelmesh decimate --help')" \
    decimate "$MESH" -o bad.obj --edge-length 0.1 --plus
  for bad in 0 -3 1e15 abc 1e400; do
    expect_error 2 "kelmesh: decimate: --percent takes a positive number below 1e15 (see 'kelmesh decimate --help')" \
      decimate "$MESH" -o bad.obj --percent "$bad"
  done
  expect_error 2 "kelmesh: decimate: --triangles takes a whole number (see 'kelmesh decimate --help')" \
    decimate "$MESH" -o bad.obj --triangles 2.5
  [[ ! -e bad.obj ]] || fail "a refused decimate wrote its output"
  # Edge 3-4 also carries the degenerate triangle 4 3 4, which has no third vertex.
  printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nf 1 2 3\nf 4 1 3\nf 4 3 4\n' >degenerate.obj
  run decimate degenerate.obj -o degenerate-small.obj --triangles 1
  [[ $status == 0 && $(value triangles_after out) == 2 ]] || fail "decimate degenerate.obj: status $status: $(cat err)"
  ;;
holes)
  run holes "$MESH"
  [[ $status == 0 && ! -s err && $(cat out) == "holes: 0" ]] || fail "holes: status $status, '$(cat out)'"
  printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 4\nf 1 4 3\n' >square.obj
  run holes square.obj -o square-holes.obj
  [[ $status == 0 && $(cat out) == $'holes: 1\nhole 1: 5 points, length 4' ]] || fail "holes square.obj: '$(cat out)'"
  [[ $(cat square-holes.obj) == $'v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nl 1 2 3 4 1' ]] ||
    fail "square-holes.obj: $(cat square-holes.obj)"
  # A 3 x 3 sheet without its middle cell: the outer loop (first triangle) comes first.
  for ((j = 0; j < 4; ++j)); do for ((i = 0; i < 4; ++i)); do echo "v $i $j 0"; done; done >ring.obj
  for ((j = 0; j < 3; ++j)); do for ((i = 0; i < 3; ++i)); do
    ((i == 1 && j == 1)) && continue
    a=$((4 * j + i + 1))
    echo "f $a $((a + 1)) $((a + 5))" && echo "f $a $((a + 5)) $((a + 4))"
  done; done >>ring.obj
  run holes ring.obj -o ring-holes.obj
  [[ $status == 0 && $(cat out) == $'holes: 2\nhole 1: 13 points, length 12\nhole 2: 5 points, length 4' ]] ||
    fail "holes ring.obj: '$(cat out)'"
  [[ $(grep -c '^v ' ring-holes.obj) == 16 && $(tail -n1 ring-holes.obj) == "l 13 14 15 16 13" ]] ||
    fail "ring-holes.obj: $(tr '\n' ' ' <ring-holes.obj)"
  "$KELMESH" info ring.obj >info && [[ $(value holes info) == 2 ]] || fail "info ring.obj: $(value holes info) holes"
  expect_error 1 "kelmesh: cannot read 'missing.obj': no such file" holes missing.obj
  expect_error 1 "kelmesh: cannot write 'nowhere/holes.obj': no such file or directory" holes ring.obj -o nowhere/holes.obj
  expect_error 1 "kelmesh: refusing to overwrite the input 'ring.obj' with './ring.obj' (use --force)" \
    holes ring.obj -o ./ring.obj
  expect_error 2 "kelmesh: holes: expected one IN.obj (see 'kelmesh holes --help')" holes ring.obj square.obj
  cp square.obj twice.obj
  run holes twice.obj -o twice.obj --force
  [[ $status == 0 && $(tail -n1 twice.obj) == "l 1 2 3 4 1" ]] || fail "holes --force: status $status"
  ;;
shared-holes)
  [[ -f $MESH ]] || { echo "absent: $MESH"; exit 77; }
  run holes "$MESH" -o holes.obj
  [[ $status == 0 && $(value holes out) == "$1" && $(grep -c '^hole ' out) == "$1" ]] || fail "holes $MESH: $(head -1 out)"
  # Closed holes repeat their first point: the points less one per hole are the free edges.
  [[ $(awk '/^hole / { n += $3 - 1 } END { print n }' out) == "$2" ]] || fail "holes $MESH: free edges"
  [[ $(grep -c '^l ' holes.obj) == "$1" ]] || fail "holes.obj: $(grep -c '^l ' holes.obj) polylines"
  ;;
shared)
  [[ -f $MESH ]] || { echo "absent: $MESH"; exit 77; }
  run info --json "$MESH"
  [[ $status == 0 ]] || fail "info --json $MESH: status $status: $(cat err)"
  # vertices points triangles free_edges non_manifold_edges components, from V T comps free nm
  expect_counts out "$1" "$1" "$2" "$4" "$5" "$3"
  # edges = V + T - euler, from the README's Euler characteristic
  [[ $(value euler out) == "$6" && $(value edges out) == $(($1 + $2 - $6)) ]] ||
    fail "euler $(value euler out) (expected $6), edges $(value edges out) (expected $(($1 + $2 - $6)))"
  run validate "$MESH"
  [[ $status == $(($5 > 0)) ]] || fail "validate $MESH: status $status with $5 non-manifold edges"
  # Area to single-precision accuracy; the volume (float sums) of closed meshes likewise.
  "$KELMESH" info "$MESH" >plain || fail "info $MESH"
  near "$(value area plain)" "$7" 1e-6 || fail "area $(value area plain), expected $7"
  [[ $8 == - ]] || near "$(value volume plain)" "$8" 1e-5 || fail "volume $(value volume plain), expected $8"
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac
echo "ok: $CASE"
