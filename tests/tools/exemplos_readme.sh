#!/usr/bin/env bash
# Runs every command-line example of the README as it is written: each
# ```sh block that calls pluvexa-cli, in an empty folder of its own, under a
# home of its own, with "pluvexa-cli" and "build/tools/pluvexa-cli" the
# programs just built. Each line must end with the status the README gives
# it (0 unless listed below), and what the README says it prints is
# checked. Then the man page's EXAMPLES must be the "Command line" block.
# Usage: exemplos_readme.sh BINDIR SOURCEDIR [MANPAGE]
set -uo pipefail
bin="$1" fonte="$2" manual="${3:-}"
readme="$fonte/README.md"
falhas=0
falha() { echo "FAIL: $*" >&2; falhas=$((falhas + 1)); }

# The lines the README says end in failure, by a fragment of their text:
# the example payroll file has refused records, so the import exits 1.
status_esperado() {
    case "$1" in
        *"import \"\$recebido\" examples/folha_2026_03.rrm"*) echo 1 ;;
        *) echo 0 ;;
    esac
}

blocos="$(mktemp -d)"
trap 'rm -rf "$blocos"' EXIT
# Blocks indented in a list keep their lines without the indentation.
awk -v dir="$blocos" '
    /^ *```sh$/ { dentro = 1; texto = ""; recuo = index($0, "`") - 1; next }
    /^ *```$/ && dentro { dentro = 0; if (texto ~ /pluvexa-cli /) printf "%s", texto > (dir "/" sprintf("%02d", ++n)); next }
    dentro { texto = texto substr($0, recuo + 1) "\n" }' "$readme"
test -n "$(ls "$blocos")" || { echo "FAIL: no example found in $readme" >&2; exit 1; }

# What a step of the first session finds made by the window before it: an
# answer in Gerados, as "Gerar Arquivo" leaves it (the text after an
# import, compressed and sealed for the central with the demonstration
# keys the program is built with).
prepara() {
    local bloco="$1" home="$2"
    grep -q 'Gerados/PX_\*_2\.REC' "$bloco" || return 0
    local raiz="$home/Drovanti/Pluvexa" tmp
    tmp="$(mktemp -d)"
    mkdir -p "$raiz/Gerados"
    HOME="$home" "$bin/pluvexa-cli" demo --folder "$tmp" >"$tmp/recebido" &&
        HOME="$home" "$bin/pluvexa-cli" import "$(cat "$tmp/recebido")" "$fonte/examples/folha_2026_03.rrm" \
            --log "$tmp" --out "$tmp/resposta.txt" >/dev/null 2>&1
    "$bin/pluvexa-cli" compress "$tmp/resposta.txt" "$tmp/resposta.lzw" >/dev/null &&
        "$bin/pluvexa-cli" seal --signer "$fonte/keys/demo/own.private" --recipient "$fonte/keys/demo/central.public" \
            "$tmp/resposta.lzw" "$raiz/Gerados/PX_00123_0007_2603101530_2.REC" ||
        falha "cannot make the answer the example reads"
    rm -rf "$tmp"
}

for bloco in "$blocos"/*; do
    pasta="$(mktemp -d)"
    mkdir -p "$pasta/home" "$pasta/trabalho/build"
    ln -s "$bin" "$pasta/trabalho/build/tools"
    ln -s "$fonte/examples" "$pasta/trabalho/examples"
    prepara "$bloco" "$pasta/home"
    roteiro="$pasta/roteiro.sh"
    n=0
    while IFS= read -r linha; do
        n=$((n + 1))
        case "$linha" in '' | '#'*) continue ;; esac
        printf '{ %s\n} >>"%s/saida.%d" 2>>"%s/erros.%d"\necho "%d $?" >>"%s/status"\n' \
            "$linha" "$pasta" "$n" "$pasta" "$n" "$n" "$pasta" >>"$roteiro"
    done <"$bloco"
    (cd "$pasta/trabalho" && env -u PLUVEXA_ROOT HOME="$pasta/home" PATH="$bin:$PATH" bash "$roteiro")
    n=0
    while IFS= read -r linha; do
        n=$((n + 1))
        case "$linha" in '' | '#'*) continue ;; esac
        obtido="$(awk -v n="$n" '$1 == n { print $2 }' "$pasta/status")"
        esperado="$(status_esperado "$linha")"
        if [ "$obtido" != "$esperado" ]; then
            falha "$linha: exit ${obtido:-none}, the README says $esperado"
            sed 's/^/    /' "$pasta/erros.$n" >&2
        fi
        # What the README says of the example payroll file: five stored,
        # six refused, each refusal of another kind.
        if [ "$esperado" = 1 ]; then
            grep -qx 'Total de OK: 5 - Total de erros: 6' "$pasta/saida.$n" \
                || falha "$linha: not 'Total de OK: 5 - Total de erros: 6'"
            tipos="$(grep -v '^Total' "$pasta/saida.$n" | cut -c 38- | sed 's/ *$//' | sort | uniq -c)"
            [ "$(printf '%s\n' "$tipos" | wc -l)" = 6 ] && ! printf '%s\n' "$tipos" | grep -qv '^ *1 ' \
                || falha "$linha: the refusals are not one of each kind:"$'\n'"$tipos"
            grep -q 'a dry check' "$pasta/erros.$n" || falha "$linha: the dry check does not say where its log is"
            [ ! -e "$pasta/home/Drovanti/Pluvexa/Log" ] || falha "$linha: a dry check wrote to the working root's Log"
        fi
    done <"$bloco"
    rm -rf "$pasta"
done

# The man page's EXAMPLES, unescaped, are the "Command line" block.
if [ -n "$manual" ]; then
    doReadme="$(awk '/^## Command line/ { c = 1 } c && /^```sh$/ { d = 1; next } d && /^```$/ { exit } d' "$readme")"
    doManual="$(awk '/^\.SH EXAMPLES/ { e = 1; next } e && /^\.SH / { exit } e && !/^\.(nf|fi)$/' "$manual" | sed 's/\\-/-/g')"
    [ "$doReadme" = "$doManual" ] || falha "the man page's EXAMPLES differ from the README's:"$'\n'"$(diff <(echo "$doReadme") <(echo "$doManual"))"
fi
[ "$falhas" = 0 ] && echo "every README example ran as written ($(ls "$blocos" | wc -l) blocks)"
exit $((falhas > 0))
