#pragma once

// Small zips written by the tests themselves (hostile workbooks: a row
// repeated past the bound, a value past the last column), with QuaZip.

#include <QByteArray>
#include <QString>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <utility>
#include <vector>

namespace pluvexa::teste {

using Partes = std::vector<std::pair<QString, QByteArray>>;

inline bool gravaZip(const QString& caminho, const Partes& partes)
{
    QuaZip zip(caminho);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [nome, dados] : partes) {
        QuaZipFile f(&zip);
        if (!f.open(QIODevice::WriteOnly, QuaZipNewInfo(nome)) || f.write(dados) != dados.size())
            return false;
        f.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

// An .ods of one sheet "Aba" whose table holds `linhas` (table-row
// elements, as written).
inline Partes ods(const QByteArray& linhas)
{
    return {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
            {QStringLiteral("META-INF/manifest.xml"),
             "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\"/>"},
            {QStringLiteral("content.xml"),
             "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
             "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
             "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
             "<table:table table:name=\"Aba\">"
                 + linhas + "</table:table></office:spreadsheet></office:body></office:document-content>"}};
}

// An .xlsx of one sheet "Aba" whose sheetData holds `linhas` (row
// elements), without shared strings.
inline Partes xlsx(const QByteArray& linhas)
{
    return {{QStringLiteral("[Content_Types].xml"), "<Types/>"},
            {QStringLiteral("_rels/.rels"),
             "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
             "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
            {QStringLiteral("xl/workbook.xml"),
             "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
             "<sheet name=\"Aba\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
            {QStringLiteral("xl/_rels/workbook.xml.rels"),
             "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
             "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
            {QStringLiteral("xl/worksheets/sheet1.xml"), "<worksheet><sheetData>" + linhas + "</sheetData></worksheet>"}};
}

}  // namespace pluvexa::teste
