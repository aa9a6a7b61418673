#include "exchange/escrita/odssaida.h"

#include <QBuffer>
#include <QDateTime>
#include <QXmlStreamWriter>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace pluvexa {

namespace {

constexpr char kTipoOds[] = "application/vnd.oasis.opendocument.spreadsheet";
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString kConfig = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:config:1.0");
const QString kOoo = QStringLiteral("http://openoffice.org/2004/office");
const QString kManifest = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");

// A character's width at Calc's default font, in centimetres, near enough
// for digits and capitals.
constexpr double kCmPorCaractere = 0.21;

void abreDocumento(QXmlStreamWriter& x, const QString& raiz)
{
    x.setAutoFormatting(false);
    x.writeStartDocument();
    for (const auto& [prefixo, ns] : {std::pair{"office", kOffice}, {"style", kStyle}, {"text", kText},
                                      {"table", kTable}, {"number", kNumber}, {"fo", kFo}})
        x.writeNamespace(ns, QString::fromLatin1(prefixo));
    x.writeStartElement(kOffice, raiz);
    x.writeAttribute(kOffice, QStringLiteral("version"), QStringLiteral("1.2"));
}

// The number formats: "N2" #,##0.00, "N0" #,##0, "NT" text.
void estilosNumero(QXmlStreamWriter& x)
{
    for (const auto& [nome, casas] : {std::pair{"N2", 2}, {"N0", 0}}) {
        x.writeStartElement(kNumber, QStringLiteral("number-style"));
        x.writeAttribute(kStyle, QStringLiteral("name"), QString::fromLatin1(nome));
        x.writeEmptyElement(kNumber, QStringLiteral("number"));
        x.writeAttribute(kNumber, QStringLiteral("decimal-places"), QString::number(casas));
        x.writeAttribute(kNumber, QStringLiteral("min-decimal-places"), QString::number(casas));
        x.writeAttribute(kNumber, QStringLiteral("min-integer-digits"), QStringLiteral("1"));
        x.writeAttribute(kNumber, QStringLiteral("grouping"), QStringLiteral("true"));
        x.writeEndElement();
    }
    x.writeStartElement(kNumber, QStringLiteral("text-style"));
    x.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("NT"));
    x.writeEmptyElement(kNumber, QStringLiteral("text-content"));
    x.writeEndElement();
}

void estiloCelula(QXmlStreamWriter& x, const QString& nome, const QString& numero, bool negrito)
{
    x.writeStartElement(kStyle, QStringLiteral("style"));
    x.writeAttribute(kStyle, QStringLiteral("name"), nome);
    x.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-cell"));
    x.writeAttribute(kStyle, QStringLiteral("parent-style-name"), QStringLiteral("Default"));
    if (!numero.isEmpty())
        x.writeAttribute(kStyle, QStringLiteral("data-style-name"), numero);
    if (negrito) {
        x.writeEmptyElement(kStyle, QStringLiteral("text-properties"));
        x.writeAttribute(kFo, QStringLiteral("font-weight"), QStringLiteral("bold"));
        x.writeAttribute(kStyle, QStringLiteral("font-weight-asian"), QStringLiteral("bold"));
        x.writeAttribute(kStyle, QStringLiteral("font-weight-complex"), QStringLiteral("bold"));
    }
    x.writeEndElement();
}

QString estiloDe(const CelulaSaida& c)
{
    if (c.tipo == CelulaSaida::Tipo::Texto)
        return QStringLiteral("ceT");
    switch (c.formato) {
    case CelulaSaida::Formato::Dinheiro: return QStringLiteral("ceD");
    case CelulaSaida::Formato::Creditos: return QStringLiteral("ceC");
    case CelulaSaida::Formato::Geral: break;
    }
    return {};
}

void celula(QXmlStreamWriter& x, const CelulaSaida& c)
{
    if (c.tipo == CelulaSaida::Tipo::Vazia) {
        x.writeEmptyElement(kTable, QStringLiteral("table-cell"));
        return;
    }
    if (c.tipo == CelulaSaida::Tipo::Texto && c.texto.isEmpty()) {
        // Empty, as a spreadsheet program writes it, in the text format
        // so that what is typed there stays text.
        x.writeEmptyElement(kTable, QStringLiteral("table-cell"));
        x.writeAttribute(kTable, QStringLiteral("style-name"), estiloDe(c));
        return;
    }
    x.writeStartElement(kTable, QStringLiteral("table-cell"));
    if (const QString estilo = estiloDe(c); !estilo.isEmpty())
        x.writeAttribute(kTable, QStringLiteral("style-name"), estilo);
    if (c.tipo == CelulaSaida::Tipo::Numero) {
        x.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("float"));
        x.writeAttribute(kOffice, QStringLiteral("value"), QString::number(c.numero, 'g', 17));
    } else {
        x.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("string"));
    }
    x.writeTextElement(kText, QStringLiteral("p"), c.texto);
    x.writeEndElement();
}

QByteArray conteudo(const TabelaSaida& t)
{
    QByteArray bytes;
    QXmlStreamWriter x(&bytes);
    abreDocumento(x, QStringLiteral("document-content"));
    x.writeStartElement(kOffice, QStringLiteral("automatic-styles"));
    const std::vector<int> larguras = largurasColunas(t);
    for (std::size_t i = 0; i < larguras.size(); ++i) {
        x.writeStartElement(kStyle, QStringLiteral("style"));
        x.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("co%1").arg(i + 1));
        x.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-column"));
        x.writeEmptyElement(kStyle, QStringLiteral("table-column-properties"));
        x.writeAttribute(kFo, QStringLiteral("break-before"), QStringLiteral("auto"));
        x.writeAttribute(kStyle, QStringLiteral("column-width"),
                         QString::number(larguras[i] * kCmPorCaractere, 'f', 3) + QStringLiteral("cm"));
        x.writeEndElement();
    }
    estilosNumero(x);
    estiloCelula(x, QStringLiteral("ceH"), {}, true);
    estiloCelula(x, QStringLiteral("ceT"), QStringLiteral("NT"), false);
    estiloCelula(x, QStringLiteral("ceD"), QStringLiteral("N2"), false);
    estiloCelula(x, QStringLiteral("ceC"), QStringLiteral("N0"), false);
    x.writeEndElement();  // automatic-styles

    x.writeStartElement(kOffice, QStringLiteral("body"));
    x.writeStartElement(kOffice, QStringLiteral("spreadsheet"));
    x.writeStartElement(kTable, QStringLiteral("table"));
    x.writeAttribute(kTable, QStringLiteral("name"), t.aba);
    for (std::size_t i = 0; i < larguras.size(); ++i) {
        x.writeEmptyElement(kTable, QStringLiteral("table-column"));
        x.writeAttribute(kTable, QStringLiteral("style-name"), QStringLiteral("co%1").arg(i + 1));
    }
    x.writeStartElement(kTable, QStringLiteral("table-header-rows"));
    x.writeStartElement(kTable, QStringLiteral("table-row"));
    for (const QString& nome : t.cabecalho) {
        x.writeStartElement(kTable, QStringLiteral("table-cell"));
        x.writeAttribute(kTable, QStringLiteral("style-name"), QStringLiteral("ceH"));
        x.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("string"));
        x.writeTextElement(kText, QStringLiteral("p"), nome);
        x.writeEndElement();
    }
    x.writeEndElement();  // table-row
    x.writeEndElement();  // table-header-rows
    for (const std::vector<CelulaSaida>& linha : t.linhas) {
        x.writeStartElement(kTable, QStringLiteral("table-row"));
        for (const CelulaSaida& c : linha)
            celula(x, c);
        x.writeEndElement();
    }
    x.writeEndDocument();
    return bytes;
}

QByteArray estilos()
{
    QByteArray bytes;
    QXmlStreamWriter x(&bytes);
    abreDocumento(x, QStringLiteral("document-styles"));
    x.writeStartElement(kOffice, QStringLiteral("styles"));
    x.writeEmptyElement(kStyle, QStringLiteral("style"));
    x.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("Default"));
    x.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-cell"));
    x.writeEndDocument();
    return bytes;
}

void item(QXmlStreamWriter& x, const char* nome, const char* tipo, const QString& valor)
{
    x.writeStartElement(kConfig, QStringLiteral("config-item"));
    x.writeAttribute(kConfig, QStringLiteral("name"), QString::fromLatin1(nome));
    x.writeAttribute(kConfig, QStringLiteral("type"), QString::fromLatin1(tipo));
    x.writeCharacters(valor);
    x.writeEndElement();
}

// The view Calc opens: the sheet split below the header row, the split
// frozen, the rows below it scrolling.
QByteArray configuracoes(const TabelaSaida& t)
{
    QByteArray bytes;
    QXmlStreamWriter x(&bytes);
    x.writeStartDocument();
    x.writeNamespace(kOffice, QStringLiteral("office"));
    x.writeNamespace(kConfig, QStringLiteral("config"));
    x.writeNamespace(kOoo, QStringLiteral("ooo"));
    x.writeStartElement(kOffice, QStringLiteral("document-settings"));
    x.writeAttribute(kOffice, QStringLiteral("version"), QStringLiteral("1.2"));
    x.writeStartElement(kOffice, QStringLiteral("settings"));
    x.writeStartElement(kConfig, QStringLiteral("config-item-set"));
    x.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("ooo:view-settings"));
    x.writeStartElement(kConfig, QStringLiteral("config-item-map-indexed"));
    x.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("Views"));
    x.writeStartElement(kConfig, QStringLiteral("config-item-map-entry"));
    item(x, "ViewId", "string", QStringLiteral("view1"));
    x.writeStartElement(kConfig, QStringLiteral("config-item-map-named"));
    x.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("Tables"));
    x.writeStartElement(kConfig, QStringLiteral("config-item-map-entry"));
    x.writeAttribute(kConfig, QStringLiteral("name"), t.aba);
    item(x, "HorizontalSplitMode", "short", QStringLiteral("0"));
    item(x, "VerticalSplitMode", "short", QStringLiteral("2"));
    item(x, "HorizontalSplitPosition", "int", QStringLiteral("0"));
    item(x, "VerticalSplitPosition", "int", QStringLiteral("1"));
    item(x, "ActiveSplitRange", "short", QStringLiteral("2"));
    item(x, "PositionLeft", "int", QStringLiteral("0"));
    item(x, "PositionRight", "int", QStringLiteral("0"));
    item(x, "PositionTop", "int", QStringLiteral("0"));
    item(x, "PositionBottom", "int", QStringLiteral("1"));
    x.writeEndElement();  // the sheet's entry
    x.writeEndElement();  // Tables
    item(x, "ActiveTable", "string", t.aba);
    x.writeEndDocument();
    return bytes;
}

QByteArray manifesto()
{
    QByteArray bytes;
    QXmlStreamWriter x(&bytes);
    x.writeStartDocument();
    x.writeNamespace(kManifest, QStringLiteral("manifest"));
    x.writeStartElement(kManifest, QStringLiteral("manifest"));
    x.writeAttribute(kManifest, QStringLiteral("version"), QStringLiteral("1.2"));
    const auto entrada = [&x](const QString& caminho, const QString& tipo) {
        x.writeEmptyElement(kManifest, QStringLiteral("file-entry"));
        x.writeAttribute(kManifest, QStringLiteral("full-path"), caminho);
        if (caminho == QLatin1String("/"))
            x.writeAttribute(kManifest, QStringLiteral("version"), QStringLiteral("1.2"));
        x.writeAttribute(kManifest, QStringLiteral("media-type"), tipo);
    };
    entrada(QStringLiteral("/"), QString::fromLatin1(kTipoOds));
    for (const char* parte : {"content.xml", "styles.xml", "settings.xml"})
        entrada(QString::fromLatin1(parte), QStringLiteral("text/xml"));
    x.writeEndDocument();
    return bytes;
}

bool acrescenta(QuaZip& zip, const QString& nome, const QByteArray& dados, bool guardado)
{
    QuaZipFile parte(&zip);
    QuaZipNewInfo info(nome);
    // A fixed time: the same table gives the same bytes.
    info.dateTime = QDateTime(QDate(2020, 1, 1), QTime(0, 0));
    const bool aberta = guardado ? parte.open(QIODevice::WriteOnly, info, nullptr, 0, 0, 0)
                                 : parte.open(QIODevice::WriteOnly, info);
    if (!aberta)
        return false;
    const bool escrita = parte.write(dados) == dados.size();
    parte.close();
    return escrita && parte.getZipError() == 0;
}

}  // namespace

QByteArray odsDaTabela(const TabelaSaida& tabela)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    // Sizes in the local headers, no descriptors after the data: the
    // mimetype then sits at its fixed offset as readers look for it.
    zip.setDataDescriptorWritingEnabled(false);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    const bool ok = acrescenta(zip, QStringLiteral("mimetype"), QByteArray(kTipoOds), true)
                    && acrescenta(zip, QStringLiteral("content.xml"), conteudo(tabela), false)
                    && acrescenta(zip, QStringLiteral("styles.xml"), estilos(), false)
                    && acrescenta(zip, QStringLiteral("settings.xml"), configuracoes(tabela), false)
                    && acrescenta(zip, QStringLiteral("META-INF/manifest.xml"), manifesto(), false);
    zip.close();
    if (!ok || zip.getZipError() != 0)
        return {};
    return bytes;
}

}  // namespace pluvexa
