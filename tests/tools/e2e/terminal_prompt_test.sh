# The terminal's file prompt in a real program, driven through tmux: a
# relative name is taken in the folder on screen, Tab completes (the shared
# prefix, a list on the second Tab, a folder with its '/'), the arrow keys
# move the cursor and Up recalls an earlier answer.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR
need_commands tmux

# The single-instance locks in $WORK.
export XDG_RUNTIME_DIR=$WORK

prog=$(install_program DESSAMOR "$WORK/prog")
here=$WORK/prog
mkdir -p "$here/famous" "$here/subdir"
printf '\x01\xae\x00\x00' > "$here/hull.sh"
printf 'hull\n' > "$here/fam.txt"
printf 'hull\n' > "$here/one.txt"
family=02ae0600000000000000000001ae0000

# The program runs in $WORK: a name taken in the working folder is not found.
term_start a "env -u DISPLAY -u WAYLAND_DISPLAY '$prog'"
keys() { term_keys a "$@"; }
wait_for() { term_wait_for a "$1"; }

begin_case "relative names are taken in the folder of the proposed path"
wait_for "[ Create ship family"
keys i
wait_for "> $here/*.txt"
keys C-u "one.txt" Enter
wait_for "> $here/one.shp"
keys C-u "first.shp" Enter
wait_for "Wrote $here/first.shp"
check_file_hex "$here/first.shp" "$family"

begin_case "Tab: the shared prefix, the list on a second Tab, a unique name, a folder"
keys i
wait_for "File To Read"
keys C-u "fa" Tab
wait_for "> fam"
keys Tab
wait_for "  famous/"
wait_for "  fam.txt"
keys ".t" Tab
wait_for "> fam.txt"
keys Enter
wait_for "> $here/fam.shp"
keys C-u "sub" Tab
wait_for "> subdir/"
keys "x.shp" Enter
wait_for "Wrote $here/subdir/x.shp"
check_file_hex "$here/subdir/x.shp" "$family"

begin_case "Up recalls an earlier answer; the arrows move the cursor"
keys i
wait_for "File To Read"
keys Up Up
wait_for "> $here/fam.txt"
keys Enter
# (the output folder remembered from the last answer)
wait_for "> $here/subdir/fam.shp"
keys Left Left Left Left 2 Enter
wait_for "Wrote $here/subdir/fam2.shp"
check_file_hex "$here/subdir/fam2.shp" "$family"

keys q
check_eq "exit code after Q" 0 "$(term_exit_code a)"

finish
