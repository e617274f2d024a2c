# A writer killed outright leaves its temporary behind; the next write to the
# same target removes exactly those temporaries of that target whose process
# has ended, and nothing else.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR

prog=$(install_program DESSAMOR "$WORK/prog")
art=$WORK/art
target_folder=$WORK/out
mkdir -p "$art" "$target_folder/sub"
printf '\x01\xae\x00\x00' > "$art/hull.sh"
printf 'hull\n' > "$art/fam.txt"
family=02ae0600000000000000000001ae0000

begin_case "a real run writes the family and leaves no temporary"
run_captured "$prog" --no-remember -o "$target_folder/fam.shp" "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_file_hex "$target_folder/fam.shp" "$family"
check_no_temporaries "$target_folder"

begin_case "the next write removes the leftover of a dead writer only"
sh -c 'exit 0' &
dead=$!
wait "$dead"
live=$$
# name (in $target_folder) and whether the next write to fam.shp removes it
cases="fam.shp.tmp-$dead-0a1b2c3d gone
fam.shp.tmp-$live-0a1b2c3d kept
fam.shp.tmp-$dead-0a1b2c3 kept
fam.shp.tmp-$dead-0a1b2c3d.bak kept
fam.shp.tmp-$dead-0A1B2C3D kept
fam.shp.tmp-0$dead-0a1b2c3d kept
fam.shp.tmp-0-0a1b2c3d kept
fam.shp.tmp-a1B2c3 kept
other.shp.tmp-$dead-0a1b2c3d kept
fam.shpx.tmp-$dead-0a1b2c3d kept
sub/fam.shp.tmp-$dead-0a1b2c3d kept"
while read -r name _; do printf 'left' > "$target_folder/$name"; done <<<"$cases"
mkdir "$target_folder/fam.shp.tmp-$dead-89abcdef"
run_captured "$prog" --no-remember -o "$target_folder/fam.shp" "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_file_hex "$target_folder/fam.shp" "$family"
while read -r name fate; do
  if [ -e "$target_folder/$name" ]; then now=kept; else now=gone; fi
  check_eq "$name" "$fate" "$now"
done <<<"$cases"
[ -d "$target_folder/fam.shp.tmp-$dead-89abcdef" ] || fail "a folder of the temporaries' form was removed"

finish
