#!/usr/bin/env bash
# Writes pluvexa-cli's manual page from the program's own help, so that it
# never says other than the program: the commands `pluvexa-cli --help`
# lists, then, for each, what `pluvexa-cli COMMAND --help` prints (usage,
# description, exit status, options, arguments).
# Usage: packaging/pluvexa-cli-man.sh PLUVEXA-CLI VERSION DATE OUT
set -euo pipefail
cli="$1" versao="$2" data="$3" saida="$4"

# The help gives defaults below the user's home folder: the page gives
# them below "~", not below the home of whoever built it.
export HOME='~' LC_ALL=C.UTF-8
# awk reads the help as bytes, its accented letters too.
awk() { LC_ALL=C command awk "$@"; }

programa="$(mktemp)"
trap 'rm -f "$programa"' EXIT
# Help text to roff. modo=geral: the program's help (its words around the
# list of commands, then the list); modo=comando: one command's help
# (usage, description, exit status as a paragraph of its own, options and
# arguments as tagged paragraphs, names bold and values in italics).
cat > "$programa" <<'AWK'
# The help's accented letters as groff names them: the page stays ASCII.
BEGIN {
    n = split("á 00E1 à 00E0 â 00E2 ã 00E3 é 00E9 ê 00EA í 00ED ó 00F3 ô 00F4 õ 00F5 ú 00FA ü 00FC ç 00E7 Á 00C1 À 00C0 Â 00C2 Ã 00C3 É 00C9 Ê 00CA Í 00CD Ó 00D3 Ô 00D4 Õ 00D5 Ú 00DA Ü 00DC Ç 00C7", acentos, " ")
    for (i = 1; i < n; i += 2)
        nomes[acentos[i]] = "\\\\[u" acentos[i + 1] "]"
}
function ascii(t,    a) {
    for (a in nomes)
        gsub(a, nomes[a], t)
    return t
}
function texto(t) {
    gsub(/\\/, "\\e", t)
    if (substr(t, 1, 1) == "." || substr(t, 1, 1) == "\047")
        t = "\\&" t
    return ascii(t)
}
function nome(t) {
    gsub(/\\/, "\\e", t)
    gsub(/-/, "\\-", t)
    gsub(/<[^>]*>/, "\\fI&\\fB", t)
    return "\\fB" ascii(t) "\\fR"
}
function marca(r, e) {
    print ".TP"
    print nome(r)
    print texto(e)
}
function fecha() {
    if (pre) {
        print ".fi"
        pre = 0
    }
    if (rotulo != "")
        marca(rotulo, explica)
    rotulo = ""
    explica = ""
}
modo == "geral" && /^Usage: / { next }
modo == "geral" && /^Commands:$/ { lista = 1; next }
modo == "geral" && /^$/ { lista = 0; next }
modo == "geral" && lista && /^  [a-z]/ {
    r = $1
    sub(/^  [^ ]+ +/, "")
    comandos[++n] = r
    resumos[n] = $0
    next
}
modo == "geral" { print texto($0); print ".PP"; next }
modo == "geral" { next }

NR == 1 && /^Usage: / {
    sub(/^Usage: /, "")
    comando = $2
    usos = $0
    sub(/^[^ ]+ [^ ]+ ?/, "", usos)
    printf ".SS %s\n.nf\n", comando
    printf "\\fBpluvexa\\-cli %s\\fR %s\n.fi\n.PP\n", comando, texto(usos)
    parte = "descricao"
    next
}
/^(Options|Arguments):$/ { fecha(); printf ".PP\n%s\n", $0; parte = "lista"; next }
/^$/ { fecha(); next }
parte == "descricao" && /^ / {
    if (!pre)
        print ".nf"
    pre = 1
    print texto($0)
    next
}
parte == "descricao" {
    fecha()
    if ($0 ~ /^Exit status: /)
        print ".PP"
    print texto($0)
    next
}
parte == "lista" && /^  [^ ]/ {
    fecha()
    linha = substr($0, 3)
    if (match(linha, /  +/)) {
        rotulo = substr(linha, 1, RSTART - 1)
        explica = substr(linha, RSTART + RLENGTH)
    } else {
        rotulo = linha
    }
    next
}
parte == "lista" && /^   / {
    sub(/^ +/, "")
    explica = (explica == "" ? "" : explica " ") $0
    next
}
END {
    fecha()
    if (modo == "geral") {
        print "Commands:"
        for (i = 1; i <= n; ++i)
            marca(comandos[i], resumos[i])
    }
}
AWK

ajuda="$("$cli" --help)"
comandos="$(printf '%s\n' "$ajuda" | awk '/^Commands:$/ { d = 1; next } /^$/ { d = 0 } d && /^  [a-z]/ { print $1 }')"
test -n "$comandos"

{
    printf '.TH PLUVEXA-CLI 1 "%s" "Pluvexa %s" "User Commands"\n' "$data" "$versao"
    cat <<'ROFF'
.SH NAME
pluvexa-cli \- companion command line of the Pluvexa recharge program
.SH SYNOPSIS
.B pluvexa-cli
\fICOMMAND\fR [\fIoptions\fR] [\fIarguments\fR]
.br
.B pluvexa-cli
\fICOMMAND\fR \fB\-\-help\fR
.br
.B pluvexa-cli
\fB\-\-help\fR | \fB\-\-version\fR
.SH DESCRIPTION
ROFF
    printf '%s\n' "$ajuda" | awk -v modo=geral -f "$programa"
    echo '.PP'
    echo '\fB\-\-version\fR prints the version, and says so when the program carries the'
    echo 'demonstration keys, which protect nothing.'
    echo '.SH COMMANDS'
    for comando in $comandos; do
        "$cli" "$comando" --help | awk -v modo=comando -f "$programa"
    done
    cat <<'ROFF'
.SH EXIT STATUS
0 success, 1 failure (one line on standard error says why), 2 wrong usage;
each command above says what success and failure are for it. A standard
output that cannot be written (a full disk, \fI/dev/full\fR) is a failure:
"pluvexa\-cli: write error: <reason>", exit 1. A reader that closes the pipe
(\fB| head\fR) ends the program by SIGPIPE, silently. Every reason on standard
error follows what standard output printed before it, so that \fB2>&1\fR reads
in order; \fB\-\-quiet\fR leaves out only the coder's progress.
.SH SEE ALSO
.BR pluvexa (1)
ROFF
} > "$saida"
