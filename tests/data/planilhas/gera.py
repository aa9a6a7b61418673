"""Workbook fixtures that no spreadsheet program writes on request.

senha.xlsx     an Office Open XML workbook as Excel saves it with a
               password: an OLE2 (compound file) container holding the
               streams EncryptionInfo and EncryptedPackage (contents are
               placeholders: only the container is looked at)
danificada.xlsx  folha.xlsx cut to its first half (no zip directory)
bomba.xlsx     a well-formed .xlsx whose shared strings expand to 40 MiB
               of blanks from a few dozen kilobytes
"""
import struct
import sys
import zipfile
from pathlib import Path

aqui = Path(sys.argv[1])
FREE, END, FATSECT, NOSTREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF


def entrada(nome, tipo, esquerda, direita, filho, inicio, tamanho):
    n = nome.encode("utf-16-le") + b"\0\0"
    return (n.ljust(64, b"\0") + struct.pack("<HBB", len(n), tipo, 1)
            + struct.pack("<III", esquerda, direita, filho) + b"\0" * 16 + b"\0" * 4
            + b"\0" * 16 + struct.pack("<IQ", inicio, tamanho))


def ole2_cifrado():
    info = (struct.pack("<HHI", 4, 4, 0x40) + b'<?xml version="1.0"?><encryption/>').ljust(4096, b" ")
    pacote = struct.pack("<Q", 4088) + bytes(range(256)) * 15 + b"\0" * 248
    assert len(pacote) == 4096
    # Sector 0: the FAT; 1: the directory; 2-9: EncryptionInfo; 10-17: EncryptedPackage.
    fat = [FATSECT, END] + list(range(3, 10)) + [END] + list(range(11, 18)) + [END]
    fat += [FREE] * (128 - len(fat))
    cabeca = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16 + struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6)
              + b"\0" * 6 + struct.pack("<IIIIIIIII", 0, 1, 1, 0, 4096, END, 0, END, 0)
              + struct.pack("<I", 0) + struct.pack("<I", FREE) * 108)
    assert len(cabeca) == 512
    diretorio = (entrada("Root Entry", 5, NOSTREAM, NOSTREAM, 1, END, 0)
                 + entrada("EncryptionInfo", 2, NOSTREAM, 2, NOSTREAM, 2, 4096)
                 + entrada("EncryptedPackage", 2, NOSTREAM, NOSTREAM, NOSTREAM, 10, 4096)
                 + b"\0" * 128)
    return cabeca + struct.pack("<128I", *fat) + diretorio + info + pacote


(aqui / "senha.xlsx").write_bytes(ole2_cifrado())

folha = (aqui / "folha.xlsx").read_bytes()
(aqui / "danificada.xlsx").write_bytes(folha[: len(folha) // 2])

with zipfile.ZipFile(aqui / "folha.xlsx") as origem, \
        zipfile.ZipFile(aqui / "bomba.xlsx", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as bomba:
    for item in origem.infolist():
        if item.filename == "xl/sharedStrings.xml":
            continue
        bomba.writestr(item, origem.read(item.filename))
    with bomba.open("xl/sharedStrings.xml", "w") as parte:
        parte.write(b'<?xml version="1.0"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
                    b"<si><t>")
        bloco = b" " * (1024 * 1024)
        for _ in range(40):
            parte.write(bloco)
        parte.write(b"</t></si></sst>")

# A zip whose directory declares a part of 300 MiB: refused by what it
# declares, before anything is expanded.
dados = bytearray(folha)
alvo = b"xl/worksheets/sheet1.xml"
i = 0
while True:
    i = dados.find(b"PK\x01\x02", i)
    if i < 0:
        break
    tamanho_nome = struct.unpack_from("<H", dados, i + 28)[0]
    if dados[i + 46:i + 46 + tamanho_nome] == alvo:
        struct.pack_into("<I", dados, i + 24, 300 * 1024 * 1024)
    i += 4
(aqui / "declarada.xlsx").write_bytes(bytes(dados))
