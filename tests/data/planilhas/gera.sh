#!/usr/bin/env bash
# Regenerates the workbook fixtures of this folder from folha.fods with
# LibreOffice Calc headless (never run by the tests or CI; the files are
# committed). Usage: tests/data/planilhas/gera.sh
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
perfil="file://$tmp/perfil"
calc() { timeout -s KILL 180 soffice -env:UserInstallation="$perfil" --headless "$@" >/dev/null 2>&1; }

cd "$tmp"
cp "$aqui/folha.fods" .
for formato in xlsx ods xls pdf html; do calc --convert-to "$formato" folha.fods; done
cp folha.xlsx folha.ods folha.xls "$aqui/"
cp folha.pdf "$aqui/pdf.xlsx"          # a PDF chosen as a workbook
cp folha.html "$aqui/pagina.xls"       # a web page saved as .xls

# An .ods saved with a password, by Calc itself (a macro of the private
# profile stores it with the password "senha").
cat > "$tmp/perfil/user/basic/Standard/Module1.xba" <<'XBA'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE script:module PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "module.dtd">
<script:module xmlns:script="http://openoffice.org/2000/script" script:name="Module1" script:language="StarBasic">
Sub SalvaComSenha(origem As String, destino As String)
  Dim a(0) As New com.sun.star.beans.PropertyValue
  a(0).Name = &quot;Hidden&quot; : a(0).Value = True
  doc = StarDesktop.loadComponentFromURL(ConvertToURL(origem), &quot;_blank&quot;, 0, a())
  Dim s(2) As New com.sun.star.beans.PropertyValue
  s(0).Name = &quot;FilterName&quot; : s(0).Value = &quot;calc8&quot;
  s(1).Name = &quot;Password&quot; : s(1).Value = &quot;senha&quot;
  s(2).Name = &quot;Overwrite&quot; : s(2).Value = True
  doc.storeToURL(ConvertToURL(destino), s())
  doc.close(True)
End Sub
</script:module>
XBA
calc "macro:///Standard.Module1.SalvaComSenha(\"$tmp/folha.fods\",\"$tmp/senha.ods\")"
cp senha.ods "$aqui/senha.ods"

# An .xls whose one value sits at the last cell Excel 97 has (IV65536):
# its dimension record declares 65,536 rows of 256 columns.
python3 - "$tmp/grande.fods" <<'PY'
import sys
cabeca = open("folha.fods").read().split("<office:body>")[0]
corpo = ('<office:body><office:spreadsheet><table:table table:name="Grande">'
         '<table:table-row table:number-rows-repeated="65535"><table:table-cell/></table:table-row>'
         '<table:table-row><table:table-cell table:number-columns-repeated="255"/>'
         '<table:table-cell office:value-type="float" office:value="1"><text:p>1</text:p></table:table-cell>'
         '</table:table-row></table:table></office:spreadsheet></office:body></office:document>')
open(sys.argv[1], "w").write(cabeca + corpo)
PY
calc --convert-to xls grande.fods
cp grande.xls "$aqui/grande.xls"

# The rest is made by a script: an Excel 2007 workbook saved with a
# password (an OLE2 file with EncryptionInfo and EncryptedPackage), a zip
# cut short, and a zip bomb.
python3 "$aqui/gera.py" "$aqui"
