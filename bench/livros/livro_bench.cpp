// Workbooks read as the import reads them (leLivro): a payroll sheet of
// 10,000 rows saved as .xlsx (as Excel lays it out: shared strings,
// numbers) and as .ods (content.xml as Calc writes
// it); then hostile ones: a shared-strings bomb (40 MiB of blanks, refused
// as it expands) and an .ods at the cell bound (1,999,000 cells). Time and
// peak memory of each read (goal: under 150 MB).

#include "../support/picomemoria.h"
#include "exchange/livros/leituralivro.h"

#include <QTemporaryDir>
#include <QXmlStreamWriter>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace pluvexa {
namespace {

constexpr int kLinhas = 10000;

QTemporaryDir& pasta()
{
    static QTemporaryDir dir;
    return dir;
}

bool gravaParte(QuaZip& zip, const QString& nome, const QByteArray& dados)
{
    QuaZipFile f(&zip);
    if (!f.open(QIODevice::WriteOnly, QuaZipNewInfo(nome)) || f.write(dados) != dados.size())
        return false;
    f.close();
    return true;
}

// Laid out as Excel writes it: texts in the shared strings, numbers in the
// cells. (libxlsxwriter cannot be used beside QuaZip in one process: both
// bring minizip's zipOpen3, and QuaZip's, which takes a Qt device, wins.)
QString xlsxDaFolha()
{
    static const QString caminho = [] {
        QByteArray textos = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                            "<si><t>Matr\xC3\xAD" "cula</t></si><si><t>Nome</t></si><si><t>Tipo</t></si>"
                            "<si><t>Valor R$</t></si>";
        QByteArray aba = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                         "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                         "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"s\"><v>3</v></c></row>";
        for (int i = 0; i < kLinhas; ++i) {
            textos += "<si><t>TITULAR N\xC3\x9aMERO " + QByteArray::number(i) + "</t></si>";
            const QByteArray r = QByteArray::number(i + 2);
            aba += "<row r=\"" + r + "\"><c r=\"A" + r + "\"><v>" + QByteArray::number(1000 + i) + "</v></c><c r=\"B" + r
                   + "\" t=\"s\"><v>" + QByteArray::number(i + 4) + "</v></c><c r=\"C" + r + "\"><v>"
                   + QByteArray::number(1 + i % 2) + "</v></c><c r=\"D" + r + "\"><v>"
                   + QByteArray::number(10 + (i % 500) * 0.25) + "</v></c></row>";
        }
        textos += "</sst>";
        aba += "</sheetData></worksheet>";
        const QString c = pasta().filePath(QStringLiteral("folha.xlsx"));
        QuaZip zip(c);
        if (!zip.open(QuaZip::mdCreate))
            return QString();
        gravaParte(zip, QStringLiteral("[Content_Types].xml"), "<Types/>");
        gravaParte(zip, QStringLiteral("_rels/.rels"),
                   "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                   "2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
        gravaParte(zip, QStringLiteral("xl/workbook.xml"),
                   "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
                   "<sheet name=\"Folha\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
        gravaParte(zip, QStringLiteral("xl/_rels/workbook.xml.rels"),
                   "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                   "2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                   "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                   "Target=\"sharedStrings.xml\"/></Relationships>");
        gravaParte(zip, QStringLiteral("xl/sharedStrings.xml"), textos);
        gravaParte(zip, QStringLiteral("xl/worksheets/sheet1.xml"), aba);
        zip.close();
        return c;
    }();
    return caminho;
}

QByteArray conteudoOds(const std::function<void(QXmlStreamWriter&)>& linhas)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    const QString office = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
    const QString table = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
    w.writeNamespace(office, QStringLiteral("office"));
    w.writeNamespace(table, QStringLiteral("table"));
    w.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0"), QStringLiteral("text"));
    w.writeStartDocument();
    w.writeStartElement(office, QStringLiteral("document-content"));
    w.writeStartElement(office, QStringLiteral("body"));
    w.writeStartElement(office, QStringLiteral("spreadsheet"));
    w.writeStartElement(table, QStringLiteral("table"));
    w.writeAttribute(table, QStringLiteral("name"), QStringLiteral("Folha"));
    linhas(w);
    w.writeEndDocument();
    return xml;
}

QString ods(const QString& nome, const QByteArray& conteudo)
{
    const QString c = pasta().filePath(nome);
    QuaZip zip(c);
    if (!zip.open(QuaZip::mdCreate) || !gravaParte(zip, QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        || !gravaParte(zip, QStringLiteral("content.xml"), conteudo))
        return {};
    zip.close();
    return c;
}

void celula(QXmlStreamWriter& w, double numero, int repetida = 1)
{
    const QString table = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
    const QString office = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
    w.writeStartElement(table, QStringLiteral("table-cell"));
    if (repetida > 1)
        w.writeAttribute(table, QStringLiteral("number-columns-repeated"), QString::number(repetida));
    w.writeAttribute(office, QStringLiteral("value-type"), QStringLiteral("float"));
    w.writeAttribute(office, QStringLiteral("value"), QString::number(numero));
    w.writeTextElement(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0"), QStringLiteral("p"),
                       QString::number(numero));
    w.writeEndElement();
}

void celula(QXmlStreamWriter& w, const QString& texto)
{
    w.writeStartElement(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0"), QStringLiteral("table-cell"));
    w.writeAttribute(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0"), QStringLiteral("value-type"),
                     QStringLiteral("string"));
    w.writeTextElement(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0"), QStringLiteral("p"), texto);
    w.writeEndElement();
}

QString odsDaFolha()
{
    static const QString caminho = ods(QStringLiteral("folha.ods"), conteudoOds([](QXmlStreamWriter& w) {
        const QString table = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
        w.writeStartElement(table, QStringLiteral("table-row"));
        celula(w, QStringLiteral("Matrícula"));
        celula(w, QStringLiteral("Nome"));
        celula(w, QStringLiteral("Tipo"));
        celula(w, QStringLiteral("Valor R$"));
        w.writeEndElement();
        for (int i = 0; i < kLinhas; ++i) {
            w.writeStartElement(table, QStringLiteral("table-row"));
            celula(w, 1000 + i);
            celula(w, QStringLiteral("TITULAR NÚMERO %1").arg(i));
            celula(w, 1 + i % 2);
            celula(w, 10 + (i % 500) * 0.25);
            w.writeEndElement();
        }
        // What Calc writes to the sheet's end.
        w.writeStartElement(table, QStringLiteral("table-row"));
        w.writeAttribute(table, QStringLiteral("number-rows-repeated"), QStringLiteral("1038575"));
        w.writeEmptyElement(table, QStringLiteral("table-cell"));
        w.writeAttribute(table, QStringLiteral("number-columns-repeated"), QStringLiteral("16384"));
        w.writeEndElement();
    }));
    return caminho;
}

QString odsNoLimite()
{
    static const QString caminho = ods(QStringLiteral("celulas.ods"), conteudoOds([](QXmlStreamWriter& w) {
        const QString table = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
        for (int i = 0; i < 1999; ++i) {
            w.writeStartElement(table, QStringLiteral("table-row"));
            celula(w, i, 1000);
            w.writeEndElement();
        }
    }));
    return caminho;
}

QString bomba()
{
    static const QString caminho = [] {
        const QString c = pasta().filePath(QStringLiteral("bomba.xlsx"));
        QuaZip zip(c);
        if (!zip.open(QuaZip::mdCreate))
            return QString();
        gravaParte(zip, QStringLiteral("[Content_Types].xml"), "<Types/>");
        gravaParte(zip, QStringLiteral("xl/workbook.xml"), "<workbook><sheets/></workbook>");
        QByteArray sst = "<sst><si><t>";
        sst += QByteArray(40 << 20, ' ');
        sst += "</t></si></sst>";
        gravaParte(zip, QStringLiteral("xl/sharedStrings.xml"), sst);
        zip.close();
        return c;
    }();
    return caminho;
}

void BM_LeXlsx10000Linhas(benchmark::State& state)
{
    const QString c = xlsxDaFolha();
    bench::medeExecucoes(state, [&] {
        const Livro l = leLivro(c);
        return l.ok() && l.abas.size() == 1 && l.abas[0].linhas.size() == kLinhas + 1;
    });
}
BENCHMARK(BM_LeXlsx10000Linhas)->Unit(benchmark::kMillisecond);

void BM_LeOds10000Linhas(benchmark::State& state)
{
    const QString c = odsDaFolha();
    bench::medeExecucoes(state, [&] {
        const Livro l = leLivro(c);
        return l.ok() && l.abas.size() == 1 && l.abas[0].linhas.size() == kLinhas + 1;
    });
}
BENCHMARK(BM_LeOds10000Linhas)->Unit(benchmark::kMillisecond);

void BM_RecusaBombaDeTextos(benchmark::State& state)
{
    const QString c = bomba();
    bench::medeExecucoes(state, [&] { return !leLivro(c).ok(); });
}
BENCHMARK(BM_RecusaBombaDeTextos)->Unit(benchmark::kMillisecond);

void BM_LeOdsNoLimiteDeCelulas(benchmark::State& state)
{
    const QString c = odsNoLimite();
    bench::medeExecucoes(state, [&] {
        const Livro l = leLivro(c);
        return l.ok() && l.abas[0].linhas.size() == 1999;
    });
}
BENCHMARK(BM_LeOdsNoLimiteDeCelulas)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pluvexa
