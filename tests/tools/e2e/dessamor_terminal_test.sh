# Dessamor's interactive terminal front end, driven through tmux: the title,
# keys acting as typed, the file prompts (Enter accepts, Esc cancels, an
# existing output asks before it is replaced), the fatal report waiting for a
# key, Q and Ctrl-C quitting, and one copy at a time.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR
need_commands tmux

TITLE="Create ship family (.shp) from a text list of .sh files"
# The single-instance locks in $WORK.
export XDG_RUNTIME_DIR=$WORK

prog=$(install_program DESSAMOR "$WORK/prog")
art=$WORK/art
mkdir -p "$art" "$WORK/out"
printf '\x01\xae\x00\x00' > "$art/hull.sh"
printf 'hull\n' > "$art/fam.txt"

# start WINDOW: runs the program in a new tmux window; its exit code goes to
# $WORK/WINDOW.rc.
start() { term_start "$1" "env -u DISPLAY -u WAYLAND_DISPLAY '$prog'"; }
screen() { term_screen "$1"; }
keys() { term_keys "$@"; }
# wait_for WINDOW TEXT: until the screen shows TEXT (10 s at most).
wait_for() { term_wait_for "$1" "$2"; }
# exit_code WINDOW: waits for the program to end and prints its exit code.
exit_code() { term_exit_code "$1"; }

begin_case "title, prompts prefilled with the proposed paths, Enter accepts"
start a
wait_for a "[ $TITLE ]"
keys a i
wait_for a "File To Read - Text containing list of .SH Files (*.txt)"
wait_for a "> $WORK/prog/*.txt"
keys a C-u "$art/fam.txt" Enter
wait_for a "File To Write - Ship Family Files (*.shp)"
wait_for a "> $WORK/prog/fam.shp"
keys a C-u "$WORK/out/fam.shp" Enter
wait_for a "Wrote $WORK/out/fam.shp"
check_file_hex "$WORK/out/fam.shp" 02ae0600000000000000000001ae0000

begin_case "a second copy says which one runs and ends with 0"
start b
check_eq "second copy's exit code" 0 "$(exit_code b)"
wait_for b "dessamor is already running (pid "

begin_case "a missing file is refused and the prompt stays; an existing output asks first"
keys a i
wait_for a "> $art/*.txt"
keys a C-u "$art/none.txt" Enter
wait_for a "$art/none.txt: no such file"
keys a C-u "$art/fam.txt" Enter
wait_for a "> $WORK/out/fam.shp"
keys a Enter
wait_for a "$WORK/out/fam.shp already exists. Replace it? (y/n)"
keys a n
wait_for a "no"

begin_case "Esc at the output prompt: the fatal report waits for a key, exit 1"
keys a Escape
wait_for a "Fatal Error"
wait_for a "You must provide a file to output to!"
wait_for a "(press a key)"
sleep 0.3
[ ! -e "$WORK/a.rc" ] || fail "the program ended before a key was pressed"
keys a x
check_eq "exit code after the fatal report" 1 "$(exit_code a)"
check_file_hex "$WORK/out/fam.shp" 02ae0600000000000000000001ae0000
check_no_temporaries "$WORK/out"

begin_case "Esc at the list prompt cancels quietly; Q quits with 0"
start c
wait_for c "[ $TITLE ]"
keys c j
wait_for c "> $art/*.txt"
keys c Escape
wait_for c "cancelled"
keys c q
check_eq "exit code after Q" 0 "$(exit_code c)"

begin_case "Ctrl-C quits with 0"
start d
wait_for d "[ $TITLE ]"
keys d C-c
check_eq "exit code after Ctrl-C" 0 "$(exit_code d)"

begin_case "Alt+letter is no key for the tool; Alt+Q quits with 0"
start e
wait_for e "[ $TITLE ]"
keys e M-x
sleep 0.3
screen e | grep -q "File To Read" && fail "Alt+X started a build"
keys e M-q
check_eq "exit code after Alt+Q" 0 "$(exit_code e)"

finish
