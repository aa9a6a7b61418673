#!/usr/bin/env python3
"""The command line's CSV read as a script reads it, with Python's csv module.

On standard output (--csv, or "-" as the output): UTF-8 without a byte-order
mark, one LF per line, ';' between fields, a decimal comma, every row as
wide as its header. Written to a file (export): the mark and CR LF.
Usage: csv_saidas.py BINDIR SOURCEDIR
"""
import csv
import io
import os
import re
import subprocess
import sys
import tempfile

BIN, FONTE = sys.argv[1], sys.argv[2]
CLI = os.path.join(BIN, "pluvexa-cli")
NUMERO = re.compile(r"^-?\d+(,\d{1,2})?$")  # decimal comma, no thousands separator
falhas = []


def roda(*args, env=None, status=0):
    r = subprocess.run([CLI, *args], capture_output=True, env=env)
    if r.returncode != status:
        falhas.append(f"{' '.join(args)}: exit {r.returncode}, expected {status}: {r.stderr.decode()}")
    return r.stdout


def confere(nome, dados, cabecalho, numericas, arquivo=False):
    """The rows of `dados` under `cabecalho`, their numeric columns checked."""
    if arquivo:
        if not dados.startswith(b"\xef\xbb\xbf"):
            falhas.append(f"{nome}: a file without the byte-order mark")
        if dados.replace(b"\r\n", b"").count(b"\n"):
            falhas.append(f"{nome}: a file line not ended by CR LF")
        texto = dados[3:].decode("utf-8")
    else:
        if dados.startswith(b"\xef\xbb\xbf"):
            falhas.append(f"{nome}: a byte-order mark on standard output")
        if b"\r" in dados:
            falhas.append(f"{nome}: a carriage return on standard output")
        if not dados.endswith(b"\n"):
            falhas.append(f"{nome}: the last line has no LF")
        texto = dados.decode("utf-8")
    linhas = list(csv.reader(io.StringIO(texto, newline=""), delimiter=";"))
    if not linhas or linhas[0] != cabecalho:
        falhas.append(f"{nome}: header {linhas[:1]}, expected {cabecalho}")
        return []
    if len(linhas) < 2:
        falhas.append(f"{nome}: no row below the header")
    for n, linha in enumerate(linhas[1:], start=2):
        if len(linha) != len(cabecalho):
            falhas.append(f"{nome}: line {n} has {len(linha)} fields: {linha}")
            continue
        for coluna in numericas:
            valor = linha[cabecalho.index(coluna)]
            if valor and not NUMERO.match(valor):
                falhas.append(f"{nome}: line {n}, {coluna} '{valor}' is not a number with a decimal comma")
    return [dict(zip(cabecalho, l)) for l in linhas[1:]]


with tempfile.TemporaryDirectory() as d:
    env = dict(os.environ, HOME=d)
    env.pop("PLUVEXA_ROOT", None)
    recebido = roda("demo", "--folder", d, env=env).decode().strip()
    depois = os.path.join(d, "depois.txt")
    roda("import", recebido, os.path.join(FONTE, "examples/folha_2026_03.csv"), "--out", depois,
         "--log", d, env=env, status=1)

    revisao = confere("review --csv", roda("review", "--plain", depois, "--csv", env=env),
                      ["Usuário", "Cartão", "Matrícula", "Nome", "Tipo", "Valor", "Habitual", "Variação %", "Motivo"],
                      ["Valor", "Habitual", "Variação %"])
    if not any(r["Variação %"] for r in revisao):
        falhas.append("review --csv: no holder with a Variação %")

    titulares = ["Usuário", "Cartão", "Matrícula", "Nome", "Tipo", "Tarifa", "Valor", "Vlr.Última Rec"]
    pela_saida = confere("export -", roda("export", "--plain", depois, "-", env=env), titulares,
                         ["Valor", "Vlr.Última Rec"])
    planilha = os.path.join(d, "titulares.csv")
    roda("export", "--plain", depois, planilha, env=env)
    with open(planilha, "rb") as f:
        do_arquivo = confere("export FILE", f.read(), titulares, ["Valor", "Vlr.Última Rec"], arquivo=True)
    if pela_saida != do_arquivo:
        falhas.append("export -: other rows than the file's")
    if not any(r["Valor"] == "150,00" for r in pela_saida):
        falhas.append("export -: the imported 150,00 is missing")

    # Two kept batches: the model after two imports, compressed as a draft is.
    raiz = os.path.join(d, "raiz")
    os.makedirs(os.path.join(raiz, "Historico"))
    os.makedirs(os.path.join(raiz, "Gerados"))
    outro = os.path.join(d, "outro.txt")
    roda("import", recebido, os.path.join(FONTE, "examples/folha_2026_03.rrm"), "--out", outro,
         "--log", d, env=env, status=1)
    a = os.path.join(raiz, "Historico", "PX_00123_0007_2603101530_2.HIS")
    b = os.path.join(raiz, "Historico", "PX_00123_0008_2604101530_2.HIS")
    roda("compress", depois, a, env=env)
    roda("compress", outro, b, env=env)
    lotes = confere("history --csv", roda("history", "--csv", env=dict(env, PLUVEXA_ROOT=raiz)),
                    ["Empresa", "Remessa", "Gerado em", "Arquivo", "Titulares com valor", "Total em Valor",
                     "Total em Créditos", "Enviado"], ["Titulares com valor", "Total em Valor", "Total em Créditos"])
    if [l["Remessa"] for l in lotes] != ["0008", "0007"]:
        falhas.append(f"history --csv: batches {[l['Remessa'] for l in lotes]}, expected 0008 then 0007")
    confere("history --compare --csv", roda("history", "--compare", a, b, "--csv", env=env),
            ["Usuário", "Tipo", "Nome", "Valor A", "Valor B", "Diferença", "Situação"],
            ["Valor A", "Valor B", "Diferença"])

for f in falhas:
    print("FAIL:", f, file=sys.stderr)
print("every CSV read back" if not falhas else f"{len(falhas)} failure(s)")
sys.exit(1 if falhas else 0)
