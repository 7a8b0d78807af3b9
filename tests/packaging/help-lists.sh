# Sourced by the checks that compare a document with what veldane-header --help lists.
# The option table of --help: each indented line that starts with a dash, "-f,--format FILE".
help_options() {
    "$1" --help | sed -nE 's/^ +(-[^ ]+).*/\1/p' | tr ',' '\n' | LC_ALL=C sort -u
}
# The exit status table of --help: indented lines that start with a number.
help_statuses() {
    "$1" --help | sed -nE 's/^ +([0-9]+) .*/\1/p' | LC_ALL=C sort -u
}
# Lines of want (on standard input) missing from the list in file $1.
missing_from() {
    LC_ALL=C comm -23 - "$1"
}
