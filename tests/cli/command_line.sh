#!/usr/bin/env bash
# The programs' command line as an installer meets it, without a display: help and version, bad
# options, a missing database, a database of another structure, backup and a refused restore.
#   command_line.sh VORNEL VORNEL-SQL VORNEL-SCENARIO
set -uo pipefail
vornel=$1 sql=$2 scenario=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0

# expect STATUS ERROR-LINES COMMAND...: the exit status and how many lines reach standard error.
expect() {
    local status=$1 lines=$2
    shift 2
    timeout 60 "$@" >"$work/out" 2>"$work/err"
    local got=$? count
    count=$(wc -l <"$work/err")
    if [ "$got" != "$status" ] || [ "$count" != "$lines" ]; then
        echo "FAIL: $* -> status $got (expected $status), $count error lines (expected $lines):"
        cat "$work/err"
        failures=$((failures + 1))
    fi
}
expect_text() { grep -qF -- "$2" "$work/$1" || { echo "FAIL: no \"$2\" in $1"; failures=$((failures + 1)); }; }

for program in "$vornel" "$sql" "$scenario"; do
    name=$(basename "$program")
    expect 0 0 "$program" --help
    expect_text out "--version"
    expect 0 0 "$program" --version
    expect_text out "$name "
    expect 2 1 "$program" --no-such-option
done
expect 2 1 "$vornel" --company abc
expect 1 1 "$vornel" --db "$work/missing.db"
expect_text err "nu exista"

expect 0 0 "$sql" --new-demo "$work/firma.db"
expect 0 0 "$sql" --new-demo "$work/veche.db"
expect 0 0 "$sql" --db "$work/veche.db" "ALTER TABLE Cpp DROP COLUMN Adresa"
expect 1 1 "$vornel" --db "$work/veche.db"
expect_text err "vornel: Structura bazei de date nu corespunde programului: lipseste coloana Adresa din tabela Cpp."
# A good database without a display: a clear line instead of a window nobody sees.
expect 1 1 "$vornel" --db "$work/firma.db"

expect 0 0 "$vornel" --db "$work/firma.db" --backup "$work/copie.db"
cp "$work/firma.db" "$work/inainte.db"
expect 1 1 "$vornel" --db "$work/firma.db" --restore "$work/veche.db"
expect_text err "nu poate fi restaurata: structura ei nu corespunde programului"
cmp -s "$work/firma.db" "$work/inainte.db" || { echo "FAIL: a refused restore changed the database"; failures=$((failures + 1)); }
expect 0 0 "$vornel" --db "$work/firma.db" --restore "$work/copie.db"
[ -f "$work/firma.db.inainte-de-restaurare" ] || { echo "FAIL: the replaced file was not kept"; failures=$((failures + 1)); }

expect 0 0 "$vornel" --set anaf.url=https://example.invalid/api
expect_text out "anaf.url = https://example.invalid/api"
expect 2 1 "$vornel" --set anaf.url

[ "$failures" = 0 ] && echo "command line: all checks passed"
exit "$failures"
