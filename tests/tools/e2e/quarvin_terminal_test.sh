# Quarvin's interactive terminal front end, driven through tmux: the title
# line following the option keys, the two file prompts of a batch, and the
# fatal report of a missing frame.
. "$RUN_LIB"
make_work_folder e2e
need_program QUARVIN
need_program PAINTSAMPLES
need_commands tmux

# The single-instance locks in $WORK.
export XDG_RUNTIME_DIR=$WORK

prog=$(install_program QUARVIN "$WORK/prog")
art=$WORK/art
mkdir -p "$WORK/out"
"$PAINTSAMPLES" "$art" >/dev/null || { echo "painting the samples failed"; exit 1; }

term_start quarvin "env -u DISPLAY -u WAYLAND_DISPLAY '$prog'"
screen() { term_screen quarvin; }
keys() { term_keys quarvin "$@"; }
# wait_for TEXT: until the screen shows TEXT (10 s at most).
wait_for() { term_wait_for quarvin "$1"; }
exit_code() { term_exit_code quarvin; }

begin_case "the title line follows the option keys"
wait_for "[ Keys: Input  Border(off)  Feather(on)  Offset(0) ]"
keys f
wait_for "[ Keys: Input  Border(off)  Feather(off)  Offset(0) ]"
keys b
wait_for "[ Keys: Input  Border(on)  Feather(off)  Offset(0) ]"
keys F
wait_for "[ Keys: Input  Border(off)  Feather(on)  Offset(0) ]"
keys o
wait_for "[ Keys: Input  Border(off)  Feather(on)  Offset(1) ]"
keys o
wait_for "[ Keys: Input  Border(off)  Feather(on)  Offset(0) ]"

begin_case "a batch through the two prompts"
keys i
wait_for "File To Read - Uncompressed Targa Files (*.tga)"
wait_for "> $WORK/prog/*.tga"
keys C-u "$art/wasp03.tga" Enter
wait_for "File To Write - Individual Ship Files (*.sh)"
wait_for "> $WORK/prog/wasp.sh"
keys C-u "$WORK/out/wasp.sh" Enter
wait_for "Wrote $WORK/out/wasp.sh"
check_eq "ray header" 01ae1000 "$(ray_header "$WORK/out/wasp.sh")"

begin_case "a missing frame: the fatal report waits for a key, exit 1"
keys O
wait_for "Offset(1) ]"
keys I
wait_for "> $art/*.tga"
keys C-u "$art/wasp01.tga" Enter
wait_for "Fatal Error"
wait_for "need to have from 01 to 16 .tga files per ship"
keys x
check_eq "exit code after the fatal report" 1 "$(exit_code)"
check_no_temporaries "$WORK/out"

finish
