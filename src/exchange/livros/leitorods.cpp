#include "exchange/livros/leitorods.h"

#include "exchange/livros/atributo.h"
#include "exchange/livros/erroslivro.h"
#include "exchange/livros/limiteslivro.h"
#include "exchange/livros/montaaba.h"
#include "exchange/livros/textocelula.h"
#include "exchange/livros/ziplivro.h"

#include <cmath>

namespace pluvexa::livros {

namespace {

// A repetition count as written; absent or unreadable is 1, and a huge one
// is kept huge (it only advances a position, never fills memory).
std::int64_t repeticoes(const QXmlStreamAttributes& a, QLatin1StringView nome)
{
    const QStringView v = atributo(a, nome);
    if (v.isEmpty())
        return 1;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    return ok && n >= 1 ? std::min<qlonglong>(n, qlonglong(1) << 40) : 1;
}

// The text of the paragraph or heading the reader stands on.
void leParagrafo(QXmlStreamReader& xml, TextoCelula& texto)
{
    int profundidade = 1;
    while (profundidade > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            texto.junta(xml.text());
        } else if (xml.isStartElement()) {
            const QStringView n = xml.name();
            if (n == QLatin1String("s")) {
                texto.repete(QLatin1Char(' '), repeticoes(xml.attributes(), QLatin1StringView("c")));
                xml.skipCurrentElement();
            } else if (n == QLatin1String("tab")) {
                texto.junta(u"\t");
                xml.skipCurrentElement();
            } else if (n == QLatin1String("line-break")) {
                texto.junta(u"\n");
                xml.skipCurrentElement();
            } else if (n == QLatin1String("note") || n == QLatin1String("annotation")) {
                xml.skipCurrentElement();
            } else {
                ++profundidade;
            }
        } else if (xml.isEndElement()) {
            --profundidade;
        }
    }
}

class LeitorConteudo {
public:
    explicit LeitorConteudo(Livro& livro) : m_livro(livro) {}

    void le(QXmlStreamReader& xml)
    {
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("table")
                && xml.namespaceUri().endsWith(QLatin1String(":table:1.0")))
                leAba(xml);
        }
    }

private:
    void leAba(QXmlStreamReader& xml)
    {
        MontaAba aba(atributo(xml.attributes(), QLatin1StringView("name")).toString(), m_celulas);
        std::int64_t linha = 1;
        int profundidade = 1;
        while (profundidade > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const QStringView n = xml.name();
                if (n == QLatin1String("table-row")) {
                    linha += leLinha(xml, aba, linha);
                } else if (n == QLatin1String("table-header-rows") || n == QLatin1String("table-row-group")
                           || n == QLatin1String("table-rows")) {
                    ++profundidade;
                } else {
                    xml.skipCurrentElement();  // columns, shapes, a table inside a cell
                }
            } else if (xml.isEndElement()) {
                --profundidade;
            }
        }
        m_livro.abas.push_back(aba.termina());
    }

    // Reads the row the reader stands on as row `linha`; answers how many
    // rows it stands for.
    std::int64_t leLinha(QXmlStreamReader& xml, MontaAba& aba, std::int64_t linha)
    {
        const std::int64_t vezes = repeticoes(xml.attributes(), QLatin1StringView("number-rows-repeated"));
        std::int64_t coluna = 1;
        bool algo = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement())
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() != QLatin1String("table-cell") && xml.name() != QLatin1String("covered-table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const std::int64_t colunas = repeticoes(xml.attributes(), QLatin1StringView("number-columns-repeated"));
            CelulaPlanilha celula = leCelula(xml);
            if (celula.tipo != CelulaPlanilha::Tipo::Vazia) {
                for (std::int64_t c = 0; c < colunas; ++c)
                    aba.poe(linha, coluna + c, celula);  // past the bound it throws before long
                algo = true;
            }
            coluna += colunas;
        }
        if (algo)
            aba.repeteUltima(vezes - 1);
        return vezes;
    }

    // The cell the reader stands on, read to its end.
    CelulaPlanilha leCelula(QXmlStreamReader& xml)
    {
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView tipo = atributo(a, QLatin1StringView("value-type"));
        TextoCelula texto;
        bool paragrafos = false;
        int profundidade = 1;
        while (profundidade > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("p") || xml.name() == QLatin1String("h")) {
                    if (paragrafos)
                        texto.junta(u"\n");
                    paragrafos = true;
                    leParagrafo(xml, texto);
                } else {
                    xml.skipCurrentElement();  // notes, shapes, a table inside
                }
            } else if (xml.isEndElement()) {
                --profundidade;
            }
        }
        CelulaPlanilha celula;
        if (tipo == QLatin1String("float") || tipo == QLatin1String("currency") || tipo == QLatin1String("percentage")) {
            bool ok = false;
            const double n = atributo(a, QLatin1StringView("value")).toDouble(&ok);
            if (ok && std::isfinite(n)) {
                celula.tipo = CelulaPlanilha::Tipo::Numero;
                celula.numero = n;
                return celula;
            }
        } else if (tipo == QLatin1String("boolean")) {
            celula.tipo = CelulaPlanilha::Tipo::Texto;
            celula.texto = atributo(a, QLatin1StringView("boolean-value")) == QLatin1String("true") ? QStringLiteral("VERDADEIRO")
                                                                                            : QStringLiteral("FALSO");
            return celula;
        }
        if (texto.texto().isEmpty())
            return celula;
        m_caracteres += texto.texto().size();
        if (m_caracteres > kMaisCaracteres)
            throw ErroLivro(textoGrandeCaracteres());
        celula.tipo = CelulaPlanilha::Tipo::Texto;
        celula.texto = texto.texto();
        return celula;
    }

    Livro& m_livro;
    std::int64_t m_celulas = 0;
    std::int64_t m_caracteres = 0;
};

}  // namespace

Livro leOds(const QByteArray& bytes, const QString& nome)
{
    Livro livro;
    try {
        ZipLivro zip(bytes, nome);
        if (!zip.aberto())
            throw ErroLivro(textoDanificada(nome));
        zip.confereDeclarado();
        // Encrypted parts are no XML: say why before trying them.
        bool cifrado = false;
        zip.leXml(QStringLiteral("META-INF/manifest.xml"), kMaiorExpandido, textoGrandeExpandido(),
                  [&](QXmlStreamReader& xml) {
                      while (!xml.atEnd() && !cifrado) {
                          xml.readNext();
                          cifrado = xml.isStartElement() && xml.name() == QLatin1String("encryption-data");
                      }
                  });
        if (cifrado)
            throw ErroLivro(textoComSenha(nome));
        LeitorConteudo leitor(livro);
        if (!zip.leXml(QStringLiteral("content.xml"), kMaiorExpandido, textoGrandeExpandido(),
                       [&](QXmlStreamReader& xml) { leitor.le(xml); }))
            throw ErroLivro(textoDanificada(nome));
    } catch (const ErroLivro& e) {
        livro.abas.clear();
        livro.erro = e.texto;
    }
    return livro;
}

}  // namespace pluvexa::livros
