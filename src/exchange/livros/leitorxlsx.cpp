#include "exchange/livros/leitorxlsx.h"

#include "exchange/livros/erroslivro.h"
#include "exchange/livros/limiteslivro.h"
#include "exchange/livros/montaaba.h"
#include "exchange/livros/textocelula.h"
#include "exchange/livros/ziplivro.h"

#include <QDir>
#include <QHash>
#include <cmath>
#include <vector>

namespace pluvexa::livros {

namespace {

// Relationship types and elements are matched by their last part and local
// name, so that the strict flavour of the format (other namespaces) reads
// as the transitional one.
bool tipoE(QStringView tipo, QLatin1StringView fim)
{
    return tipo.endsWith(QLatin1Char('/') + QString(fim));
}

// A part's name from a relationship's target, relative to the folder of
// the part holding the relationship (or absolute, from a leading '/').
QString resolve(const QString& pastaOrigem, const QString& alvo)
{
    const QString caminho = alvo.startsWith(QLatin1Char('/')) ? alvo.mid(1) : pastaOrigem + alvo;
    QString limpo = QDir::cleanPath(caminho);
    while (limpo.startsWith(QLatin1String("../")))
        limpo = limpo.mid(3);
    return limpo;
}

QString pastaDe(const QString& parte)
{
    const qsizetype barra = parte.lastIndexOf(QLatin1Char('/'));
    return barra < 0 ? QString() : parte.left(barra + 1);
}

struct Relacao {
    QString tipo;
    QString alvo;  // resolved
};

// The relationships of `parte` by their id.
QHash<QString, Relacao> relacoes(ZipLivro& zip, const QString& parte)
{
    const QString pasta = pastaDe(parte);
    const QString arquivo = parte.mid(pasta.size());
    QHash<QString, Relacao> r;
    zip.leXml(pasta + QStringLiteral("_rels/") + arquivo + QStringLiteral(".rels"), kMaiorExpandido,
              textoGrandeExpandido(), [&](QXmlStreamReader& xml) {
                  while (!xml.atEnd()) {
                      xml.readNext();
                      if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
                          const QXmlStreamAttributes a = xml.attributes();
                          if (r.size() < kMaisPartes)
                              r.insert(a.value(QLatin1String("Id")).toString(),
                                       Relacao{a.value(QLatin1String("Type")).toString(),
                                               resolve(pasta, a.value(QLatin1String("Target")).toString())});
                      }
                  }
              });
    return r;
}

// The text of the element the reader stands on (an <si> or <is>): its <t>
// runs joined, the phonetic guides (<rPh>) left out.
QString textoRico(QXmlStreamReader& xml)
{
    TextoCelula texto;
    int profundidade = 1;
    while (profundidade > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh")) {
                xml.skipCurrentElement();
            } else if (xml.name() == QLatin1String("t")) {
                texto.junta(xml.readElementText(QXmlStreamReader::SkipChildElements));
            } else {
                ++profundidade;
            }
        } else if (xml.isEndElement()) {
            --profundidade;
        }
    }
    return texto.texto();
}

std::vector<QString> textosCompartilhados(ZipLivro& zip, const QString& parte)
{
    std::vector<QString> textos;
    zip.leXml(parte, kMaioresTextos, textoGrandeTextos(), [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
                if (std::int64_t(textos.size()) >= kMaisCelulas)
                    throw ErroLivro(textoGrandeTextos());
                textos.push_back(textoRico(xml));
            }
        }
    });
    return textos;
}

// The column of a reference such as "AB12", from 1; 0 when it has none.
std::int64_t colunaDe(QStringView ref)
{
    std::int64_t coluna = 0;
    for (const QChar c : ref) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        coluna = coluna * 26 + (u - u'A' + 1);
        if (coluna > kMaisColunas)
            return kMaisColunas + 1;  // past the bound however long it goes on
    }
    return coluna;
}

std::int64_t numeroLinha(QStringView texto, std::int64_t senao)
{
    bool ok = false;
    const qlonglong n = texto.toLongLong(&ok);
    if (!ok || n < 1)
        return senao;
    return std::min<qlonglong>(n, qlonglong(kMaisLinhas) + 1);
}

class LeitorAba {
public:
    LeitorAba(const std::vector<QString>& compartilhados, std::int64_t& caracteres, const QString& nomeArquivo)
        : m_compartilhados(compartilhados), m_caracteres(caracteres), m_nomeArquivo(nomeArquivo)
    {
    }

    void le(QXmlStreamReader& xml, MontaAba& aba)
    {
        bool dados = false;
        std::int64_t linha = 0;
        std::int64_t coluna = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("sheetData"))
                dados = false;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("sheetData")) {
                dados = true;
            } else if (dados && xml.name() == QLatin1String("row")) {
                linha = numeroLinha(xml.attributes().value(QLatin1String("r")), linha + 1);
                coluna = 0;
            } else if (dados && xml.name() == QLatin1String("c")) {
                const QXmlStreamAttributes a = xml.attributes();
                const std::int64_t c = colunaDe(a.value(QLatin1String("r")));
                coluna = c > 0 ? c : coluna + 1;
                CelulaPlanilha celula = leCelula(xml, a.value(QLatin1String("t")).toString());
                if (celula.tipo != CelulaPlanilha::Tipo::Vazia)
                    aba.poe(std::max<std::int64_t>(linha, 1), coluna, std::move(celula));
            }
        }
    }

private:
    // The cell the reader stands on, read to its end.
    CelulaPlanilha leCelula(QXmlStreamReader& xml, const QString& tipo)
    {
        QString valor;
        bool temValor = false;
        QString inline_;
        bool temInline = false;
        int profundidade = 1;
        while (profundidade > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("v")) {
                    valor = xml.readElementText(QXmlStreamReader::SkipChildElements);
                    temValor = true;
                } else if (xml.name() == QLatin1String("is")) {
                    inline_ = textoRico(xml);
                    temInline = true;
                } else {
                    xml.skipCurrentElement();
                }
            } else if (xml.isEndElement()) {
                --profundidade;
            }
        }
        CelulaPlanilha celula;
        if (tipo == QLatin1String("inlineStr"))
            return texto(temInline ? inline_ : valor);
        if (!temValor)
            return celula;
        if (tipo == QLatin1String("s")) {
            bool ok = false;
            const qlonglong i = valor.trimmed().toLongLong(&ok);
            if (!ok || i < 0 || std::uint64_t(i) >= m_compartilhados.size())
                throw ErroLivro(textoDanificada(m_nomeArquivo));
            if (!m_compartilhados[std::size_t(i)].isEmpty()) {
                celula.tipo = CelulaPlanilha::Tipo::Texto;
                celula.texto = m_compartilhados[std::size_t(i)];  // shared, not copied
            }
            return celula;
        }
        if (tipo == QLatin1String("b"))
            return texto(valor.trimmed() == QLatin1String("1") ? QStringLiteral("VERDADEIRO") : QStringLiteral("FALSO"));
        if (tipo == QLatin1String("str") || tipo == QLatin1String("e") || tipo == QLatin1String("d"))
            return texto(valor);
        bool ok = false;
        const double n = valor.trimmed().toDouble(&ok);
        if (ok && std::isfinite(n)) {
            celula.tipo = CelulaPlanilha::Tipo::Numero;
            celula.numero = n;
            return celula;
        }
        return texto(valor);
    }

    CelulaPlanilha texto(const QString& t)
    {
        CelulaPlanilha celula;
        if (t.isEmpty())
            return celula;
        m_caracteres += t.size();
        if (m_caracteres > kMaisCaracteres)
            throw ErroLivro(textoGrandeCaracteres());
        celula.tipo = CelulaPlanilha::Tipo::Texto;
        celula.texto = t.size() > kMaiorTextoCelula ? t.left(kMaiorTextoCelula) : t;
        return celula;
    }

    const std::vector<QString>& m_compartilhados;
    std::int64_t& m_caracteres;
    const QString& m_nomeArquivo;
};

}  // namespace

Livro leXlsx(const QByteArray& bytes, const QString& nome)
{
    Livro livro;
    try {
        ZipLivro zip(bytes, nome);
        if (!zip.aberto())
            throw ErroLivro(textoDanificada(nome));
        zip.confereDeclarado();

        QString parteLivro = QStringLiteral("xl/workbook.xml");
        for (const Relacao& r : relacoes(zip, QString()))
            if (tipoE(r.tipo, QLatin1StringView("officeDocument")))
                parteLivro = r.alvo;
        const QHash<QString, Relacao> doLivro = relacoes(zip, parteLivro);
        QString parteTextos = pastaDe(parteLivro) + QStringLiteral("sharedStrings.xml");
        for (const Relacao& r : doLivro)
            if (tipoE(r.tipo, QLatin1StringView("sharedStrings")))
                parteTextos = r.alvo;

        struct Folha {
            QString nome;
            QString parte;
        };
        std::vector<Folha> folhas;
        const bool temLivro = zip.leXml(parteLivro, kMaiorExpandido, textoGrandeExpandido(), [&](QXmlStreamReader& xml) {
            while (!xml.atEnd()) {
                xml.readNext();
                if (!xml.isStartElement() || xml.name() != QLatin1String("sheet"))
                    continue;
                if (int(folhas.size()) >= kMaisPartes)
                    throw ErroLivro(textoDanificada(nome));
                QString id;
                for (const QXmlStreamAttribute& a : xml.attributes())
                    if (a.name() == QLatin1String("id") && !a.namespaceUri().isEmpty())
                        id = a.value().toString();
                const auto r = doLivro.find(id);
                folhas.push_back(Folha{xml.attributes().value(QLatin1String("name")).toString(),
                                       r == doLivro.end() ? QString() : r->alvo});
            }
        });
        if (!temLivro)
            throw ErroLivro(textoNaoPlanilha(nome));

        const std::vector<QString> compartilhados = textosCompartilhados(zip, parteTextos);
        std::int64_t celulas = 0;
        std::int64_t caracteres = 0;
        LeitorAba leitor(compartilhados, caracteres, nome);
        for (const Folha& f : folhas) {
            MontaAba aba(f.nome, celulas);
            // A sheet whose part is missing (a chart sheet, a part lost)
            // is listed empty.
            if (!f.parte.isEmpty())
                zip.leXml(f.parte, kMaiorExpandido, textoGrandeExpandido(),
                          [&](QXmlStreamReader& xml) { leitor.le(xml, aba); });
            livro.abas.push_back(aba.termina());
        }
    } catch (const ErroLivro& e) {
        livro.abas.clear();
        livro.erro = e.texto;
    }
    return livro;
}

}  // namespace pluvexa::livros
