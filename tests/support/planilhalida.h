#pragma once

// The workbooks the program writes, read back for tests with the least
// that answers what a clerk sees: each cell's kind, text or number and
// display format, whether the header is bold and frozen, the columns'
// widths. QuaZip for the container, Qt's XML stream reader for the parts;
// no reader of the program's own, so a fault in one cannot hide one in the
// other.

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <map>
#include <vector>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace pluvexa::test {

struct CelulaLida {
    enum class Tipo { Vazia, Texto, Numero };
    Tipo tipo = Tipo::Vazia;
    QString texto;
    double numero = 0;
    QString formato;  // "#,##0.00", "#,##0", "@"; empty: general
    bool negrito = false;
};

struct PlanilhaLida {
    QString aba;
    std::vector<std::vector<CelulaLida>> linhas;  // row 1 first
    bool cabecalhoFixo = false;                   // the first row frozen
    std::vector<double> larguras;                 // per column, in the file's unit
    const CelulaLida& celula(std::size_t linha, std::size_t coluna) const
    {
        static const CelulaLida vazia;
        return linha < linhas.size() && coluna < linhas[linha].size() ? linhas[linha][coluna] : vazia;
    }
};

// One part of a zip file; empty when it is not there.
inline QByteArray parteZip(const QString& zip, const QString& nome)
{
    QuaZipFile f(zip, nome);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The names of a zip's parts in the order stored, and whether the first is
// stored uncompressed.
inline QStringList partesZip(const QString& zip, bool* primeiraGuardada = nullptr)
{
    QuaZip z(zip);
    QStringList nomes;
    if (!z.open(QuaZip::mdUnzip))
        return nomes;
    bool primeira = true;
    for (bool mais = z.goToFirstFile(); mais; mais = z.goToNextFile()) {
        QuaZipFileInfo64 info;
        z.getCurrentFileInfo(&info);
        if (primeira && primeiraGuardada)
            *primeiraGuardada = info.method == 0;
        primeira = false;
        nomes << info.name;
    }
    return nomes;
}

namespace detalhe {

inline void poe(PlanilhaLida& p, std::size_t linha, std::size_t coluna, CelulaLida c)
{
    if (p.linhas.size() <= linha)
        p.linhas.resize(linha + 1);
    if (p.linhas[linha].size() <= coluna)
        p.linhas[linha].resize(coluna + 1);
    p.linhas[linha][coluna] = std::move(c);
}

inline QString formatoEmbutido(int id)
{
    switch (id) {
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 49: return QStringLiteral("@");
    default: return {};
    }
}

}  // namespace detalhe

inline PlanilhaLida leXlsx(const QString& caminho)
{
    PlanilhaLida p;
    std::vector<QString> textos;
    {
        QXmlStreamReader x(parteZip(caminho, QStringLiteral("xl/sharedStrings.xml")));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("si"))
                textos.push_back(x.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    std::map<int, QString> formatos;
    std::vector<bool> fontesNegritas;
    std::vector<std::pair<QString, bool>> estilos;  // cellXfs: format, bold
    {
        QXmlStreamReader x(parteZip(caminho, QStringLiteral("xl/styles.xml")));
        QString secao;
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            const auto n = x.name();
            const auto a = x.attributes();
            if (n == QLatin1String("numFmt"))
                formatos[a.value(QStringLiteral("numFmtId")).toInt()] = a.value(QStringLiteral("formatCode")).toString();
            else if (n == QLatin1String("fonts") || n == QLatin1String("cellXfs") || n == QLatin1String("cellStyleXfs"))
                secao = n.toString();
            else if (n == QLatin1String("font") && secao == QLatin1String("fonts"))
                fontesNegritas.push_back(false);
            else if (n == QLatin1String("b") && secao == QLatin1String("fonts") && !fontesNegritas.empty())
                fontesNegritas.back() = true;
            else if (n == QLatin1String("xf") && secao == QLatin1String("cellXfs")) {
                const int id = a.value(QStringLiteral("numFmtId")).toInt();
                const int fonte = a.value(QStringLiteral("fontId")).toInt();
                estilos.emplace_back(formatos.count(id) ? formatos[id] : detalhe::formatoEmbutido(id),
                                     fonte < int(fontesNegritas.size()) && fontesNegritas[std::size_t(fonte)]);
            }
        }
    }
    {
        QXmlStreamReader x(parteZip(caminho, QStringLiteral("xl/workbook.xml")));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("sheet"))
                p.aba = x.attributes().value(QStringLiteral("name")).toString();
    }
    QXmlStreamReader x(parteZip(caminho, QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto a = x.attributes();
        if (x.name() == QLatin1String("pane")) {
            p.cabecalhoFixo = a.value(QStringLiteral("state")) == QLatin1String("frozen")
                              && a.value(QStringLiteral("ySplit")) == QLatin1String("1")
                              && !a.hasAttribute(QStringLiteral("xSplit"));
        } else if (x.name() == QLatin1String("col")) {
            const int de = a.value(QStringLiteral("min")).toInt();
            const int ate = a.value(QStringLiteral("max")).toInt();
            if (int(p.larguras.size()) < ate)
                p.larguras.resize(std::size_t(ate));
            for (int i = de; i <= ate; ++i)
                p.larguras[std::size_t(i - 1)] = a.value(QStringLiteral("width")).toDouble();
        } else if (x.name() == QLatin1String("c")) {
            const QString ref = a.value(QStringLiteral("r")).toString();
            std::size_t coluna = 0;
            qsizetype i = 0;
            for (; i < ref.size() && ref[i].isLetter(); ++i)
                coluna = coluna * 26 + std::size_t(ref[i].unicode() - 'A' + 1);
            const std::size_t linha = std::size_t(ref.mid(i).toInt() - 1);
            const QString t = a.value(QStringLiteral("t")).toString();
            const int s = a.value(QStringLiteral("s")).toInt();
            CelulaLida c;
            if (s < int(estilos.size())) {
                c.formato = estilos[std::size_t(s)].first;
                c.negrito = estilos[std::size_t(s)].second;
            }
            QString v;
            while (x.readNextStartElement()) {
                if (x.name() == QLatin1String("v") || x.name() == QLatin1String("t"))
                    v += x.readElementText(QXmlStreamReader::IncludeChildElements);
                else if (x.name() == QLatin1String("is"))
                    continue;
                else
                    x.skipCurrentElement();
            }
            if (t == QLatin1String("s")) {
                c.tipo = CelulaLida::Tipo::Texto;
                c.texto = textos.at(std::size_t(v.toInt()));
            } else if (t == QLatin1String("inlineStr") || t == QLatin1String("str")) {
                c.tipo = CelulaLida::Tipo::Texto;
                c.texto = v;
            } else if (!v.isEmpty()) {
                c.tipo = CelulaLida::Tipo::Numero;
                c.numero = v.toDouble();
            }
            detalhe::poe(p, linha, coluna - 1, std::move(c));
        }
    }
    return p;
}

inline PlanilhaLida leOds(const QString& caminho)
{
    PlanilhaLida p;
    std::map<QString, QString> formatos;  // data style -> format
    std::map<QString, std::pair<QString, bool>> estilos;
    std::map<QString, double> colunas;   // column style -> width in cm
    QXmlStreamReader x(parteZip(caminho, QStringLiteral("content.xml")));
    QString formatoAtual;
    QString estiloAtual;
    std::size_t linha = 0;
    std::size_t coluna = 0;
    bool cabecalhoSoNaPrimeira = false;
    while (!x.atEnd()) {
        x.readNext();
        const auto n = x.name();
        if (x.isEndElement()) {
            if (n == QLatin1String("table-row"))
                ++linha;
            else if (n == QLatin1String("table-header-rows"))
                cabecalhoSoNaPrimeira = cabecalhoSoNaPrimeira && linha == 1;
            continue;
        }
        if (!x.isStartElement())
            continue;
        const auto a = x.attributes();
        if (n == QLatin1String("number-style") || n == QLatin1String("text-style")) {
            formatoAtual = a.value(QStringLiteral("style:name")).toString();
            if (n == QLatin1String("text-style"))
                formatos[formatoAtual] = QStringLiteral("@");
        } else if (n == QLatin1String("number") && x.namespaceUri().contains(QLatin1String("datastyle"))) {
            const int casas = a.value(QStringLiteral("number:decimal-places")).toInt();
            const bool grupos = a.value(QStringLiteral("number:grouping")) == QLatin1String("true");
            formatos[formatoAtual] = (grupos ? QStringLiteral("#,##0") : QStringLiteral("0"))
                                     + (casas > 0 ? QStringLiteral(".") + QString(casas, u'0') : QString());
        } else if (n == QLatin1String("style") && x.namespaceUri().contains(QLatin1String(":style:"))) {
            estiloAtual = a.value(QStringLiteral("style:name")).toString();
            const QString dados = a.value(QStringLiteral("style:data-style-name")).toString();
            estilos[estiloAtual] = {formatos.count(dados) ? formatos[dados] : QString(), false};
        } else if (n == QLatin1String("text-properties")) {
            if (a.value(QStringLiteral("fo:font-weight")) == QLatin1String("bold"))
                estilos[estiloAtual].second = true;
        } else if (n == QLatin1String("table-column-properties")) {
            QString w = a.value(QStringLiteral("style:column-width")).toString();
            colunas[estiloAtual] = w.remove(QStringLiteral("cm")).toDouble();
        } else if (n == QLatin1String("table")) {
            p.aba = a.value(QStringLiteral("table:name")).toString();
        } else if (n == QLatin1String("table-column")) {
            p.larguras.push_back(colunas[a.value(QStringLiteral("table:style-name")).toString()]);
        } else if (n == QLatin1String("table-header-rows")) {
            cabecalhoSoNaPrimeira = linha == 0;
        } else if (n == QLatin1String("table-row")) {
            coluna = 0;
        } else if (n == QLatin1String("table-cell")) {
            CelulaLida c;
            const auto e = estilos.find(a.value(QStringLiteral("table:style-name")).toString());
            if (e != estilos.end()) {
                c.formato = e->second.first;
                c.negrito = e->second.second;
            }
            const QString tipo = a.value(QStringLiteral("office:value-type")).toString();
            if (tipo == QLatin1String("float")) {
                c.tipo = CelulaLida::Tipo::Numero;
                c.numero = a.value(QStringLiteral("office:value")).toDouble();
            } else if (tipo == QLatin1String("string")) {
                c.tipo = CelulaLida::Tipo::Texto;
            }
            QString texto;
            while (x.readNextStartElement()) {
                if (x.name() == QLatin1String("p"))
                    texto += x.readElementText(QXmlStreamReader::IncludeChildElements);
                else
                    x.skipCurrentElement();
            }
            if (c.tipo == CelulaLida::Tipo::Texto)
                c.texto = texto;
            detalhe::poe(p, linha, coluna++, std::move(c));
        }
    }
    // Frozen as Calc reads it: the split below row 1, in frozen mode.
    QXmlStreamReader s(parteZip(caminho, QStringLiteral("settings.xml")));
    std::map<QString, QString> itens;
    while (!s.atEnd()) {
        if (s.readNext() == QXmlStreamReader::StartElement && s.name() == QLatin1String("config-item")) {
            const QString nome = s.attributes().value(QStringLiteral("config:name")).toString();
            itens[nome] = s.readElementText();
        }
    }
    p.cabecalhoFixo = cabecalhoSoNaPrimeira && itens[QStringLiteral("VerticalSplitMode")] == QLatin1String("2")
                      && itens[QStringLiteral("VerticalSplitPosition")] == QLatin1String("1")
                      && itens[QStringLiteral("HorizontalSplitMode")] == QLatin1String("0");
    return p;
}

}  // namespace pluvexa::test
