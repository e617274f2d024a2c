# Where an installed program keeps its remembered folders: a program whose
# folder it cannot write (as in /usr/bin) keeps indir.txt and outdir.txt in
# the user's state folder ($XDG_STATE_HOME/vantrel/<program>/, by default
# ~/.local/state/vantrel/<program>/) and a first run starts in the current
# folder; --no-remember leaves the folder files alone everywhere.
#
# The read-only cases run as an ordinary user: as root through setpriv as
# nobody, otherwise as the user running the test. The script skips (77) when
# neither is possible.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR

TITLE="Create ship family (.shp) from a text list of .sh files"
chmod 755 "$WORK"
art=$WORK/art
mkdir -p "$art"
printf '\x01\xae\x00\x00' > "$art/hull.sh"
printf 'hull\n' > "$art/fam.txt"

# ---- As the test's own user, in a folder it can write ----

begin_case "--no-remember in a writable folder: the remembered folders are neither read nor written"
prog=$(install_program DESSAMOR "$WORK/own")
mkdir -p "$WORK/own-out"
printf '%s' "$WORK/elsewhere" > "$WORK/own/indir.txt"
run_captured env -C "$WORK/own-out" "$prog" --no-remember "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_eq "written" "$WORK/own/fam.shp" "$out"
# The family every later run must write, whichever folder it remembers.
reference=$WORK/reference.shp
mv "$WORK/own/fam.shp" "$reference"
check_eq "indir.txt untouched" "$WORK/elsewhere" "$(cat "$WORK/own/indir.txt")"
check_missing "$WORK/own/outdir.txt"
run_captured "$prog" --no-remember --script - <<<"key I
cancel"
check_eq "script transcript starts in the program folder" "title $TITLE
dialog File To Read
proposed $WORK/own/*.txt
filter Text containing list of .SH Files|*.txt
cancelled" "$out"

begin_case "--no-remember is listed by --help, with the state folder"
run_captured "$prog" --help
grep -q -- '--no-remember' <<<"$out" || fail "--help does not list --no-remember"
grep -qF '~/.local/state/vantrel/dessamor/' <<<"$out" || fail "--help does not name the state folder"

# ---- As an ordinary user, in a folder it cannot write ----

if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || skip "setpriv is not installed"
  id nobody >/dev/null 2>&1 || skip "there is no user nobody"
  user=nobody
  as_user() { setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups -- "$@"; }
else
  user=$(id -un)
  as_user() { "$@"; }
fi

installed=$WORK/prefix/bin
prog=$(install_program DESSAMOR "$installed")
chmod 755 "$WORK/prefix" "$installed" "$prog"
home=$WORK/home
mkdir -p "$home" "$WORK/out" "$WORK/cwd"
chown "$user" "$home" "$WORK/out" "$WORK/cwd" 2>/dev/null || true
chmod 555 "$installed"
on_exit 'chmod 755 "$installed"'
as_user test -x "$prog" || skip "$user cannot run programs below $WORK"
as_user test -w "$installed" && skip "$user can write $installed"

# run_as_user FOLDER COMMAND...: runs in FOLDER as the ordinary user, with a
# home of its own and no XDG_STATE_HOME unless given.
run_as_user() {
  local folder=$1
  shift
  run_captured as_user env -C "$folder" -u XDG_STATE_HOME HOME="$home" "$@"
}

state=$home/.local/state/vantrel/dessamor

begin_case "read-only program folder: a first run starts in the current folder"
run_as_user "$WORK/cwd" "$prog" --script - <<<"key I
file $art/fam.txt
file $WORK/out/fam.shp"
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title $TITLE
dialog File To Read
proposed $WORK/cwd/*.txt
filter Text containing list of .SH Files|*.txt
chosen $art/fam.txt
dialog File To Write
proposed $WORK/cwd/fam.shp
filter Ship Family Files|*.shp
chosen $WORK/out/fam.shp
written $WORK/out/fam.shp" "$out"
check_same_files "the family" "$reference" "$WORK/out/fam.shp"
check_eq "indir.txt in the state folder" "$(hex_of "$art")" "$(hex_of_file "$state/indir.txt")"
check_eq "outdir.txt in the state folder" "$(hex_of "$WORK/out")" "$(hex_of_file "$state/outdir.txt")"
check_eq "the state folder is the user's alone" 700 "$(stat -c %a "$state")"
check_eq "nothing beside the program" "dessamor" "$(ls -A "$installed")"
check_no_temporaries "$home"

begin_case "read-only program folder: the next run starts in the remembered folders"
run_as_user "$WORK/cwd" "$prog" --script - <<<"key I
cancel"
check_eq "transcript" "title $TITLE
dialog File To Read
proposed $art/*.txt
filter Text containing list of .SH Files|*.txt
cancelled" "$out"

begin_case "read-only program folder: a batch run without -o writes into the remembered output folder"
rm -f "$WORK/out/fam.shp"
run_as_user "$WORK/cwd" "$prog" "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_eq "written" "$WORK/out/fam.shp" "$out"
check_same_files "the family" "$reference" "$WORK/out/fam.shp"

begin_case "XDG_STATE_HOME names the state folder; a relative one is ignored"
xdg=$WORK/xdg
mkdir -p "$xdg"
chown "$user" "$xdg" 2>/dev/null || true
run_captured as_user env -C "$WORK/cwd" XDG_STATE_HOME="$xdg" HOME="$home" \
  "$prog" -o "$WORK/out/x.shp" "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_eq "indir.txt under XDG_STATE_HOME" "$art" "$(cat "$xdg/vantrel/dessamor/indir.txt")"
rm -rf "$state"
run_captured as_user env -C "$WORK/cwd" XDG_STATE_HOME=relative/state HOME="$home" \
  "$prog" -o "$WORK/out/x.shp" "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_eq "indir.txt under the home" "$art" "$(cat "$state/indir.txt")"
check_missing "$WORK/cwd/relative"

begin_case "read-only program folder with --no-remember: no state folder is made"
rm -rf "$home/.local"
run_as_user "$WORK/out" "$prog" --no-remember "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_eq "written into the current folder" "$WORK/out/fam.shp" "$out"
check_missing "$home/.local"

begin_case "read-only program folder without a home: the tool still works"
run_captured as_user env -C "$WORK/out" -u XDG_STATE_HOME -u HOME "$prog" "$art/fam.txt"
check_eq "exit code" 0 "$rc"
check_eq "written into the current folder" "$WORK/out/fam.shp" "$out"

finish
