// The header of a sheet: which of its first rows names the columns, and
// which column gives each field (by the names clerks use, or as the
// operator mapped them).

#include "exchange/leituraplanilha.h"

#include <QSet>

namespace pluvexa {

namespace {

// A field quoted in a message or read as a column name keeps this many
// characters: a cell of megabytes would otherwise be copied into every
// message, the log and the report.
constexpr qsizetype kCitacao = 64;
// Column names listed when the header lacks a column.
constexpr qsizetype kColunasCitadas = 20;
const QString kReticencias = QStringLiteral("…");

// The names each field goes by, reduced as nomeColuna reduces them.
const std::array<QStringList, kCamposPlanilha>& sinonimos()
{
    static const std::array<QStringList, kCamposPlanilha> s = [] {
        const std::array<QStringList, kCamposPlanilha> nomes = {
            QStringList{QStringLiteral("Matrícula"), QStringLiteral("Registro"), QStringLiteral("Chapa"),
                        QStringLiteral("Crachá"), QStringLiteral("Cód. Funcionário"),
                        QStringLiteral("Código do Funcionário")},
            QStringList{QStringLiteral("Usuário"), QStringLiteral("Código do Usuário")},
            QStringList{QStringLiteral("Cartão"), QStringLiteral("Número do Cartão")},
            QStringList{QStringLiteral("Valor"), QStringLiteral("Créditos"), QStringLiteral("Valor R$"),
                        QStringLiteral("Valor (R$)"), QStringLiteral("Vale Transporte"), QStringLiteral("VT"),
                        QStringLiteral("Valor VT")},
            QStringList{QStringLiteral("Tipo"), QStringLiteral("Tipo Cartão")}};
        std::array<QStringList, kCamposPlanilha> reduzidos;
        for (int c = 0; c < kCamposPlanilha; ++c)
            for (const QString& n : nomes[std::size_t(c)])
                reduzidos[std::size_t(c)] << campoplanilha::nomeColuna(n);
        return reduzidos;
    }();
    return s;
}

QString citado(const QString& texto)
{
    return texto.size() <= kCitacao ? texto : texto.left(kCitacao) + kReticencias;
}

QStringList nomesDa(const LinhaTabela& linha)
{
    QStringList nomes;
    for (const CelulaPlanilha& c : linha.celulas)
        nomes << citado(textoCelula(c).trimmed());
    return nomes;
}

bool temChave(const std::array<int, kCamposPlanilha>& col)
{
    return col[0] >= 0 || col[1] >= 0 || col[2] >= 0;
}

QString listaColunas(const QStringList& nomes)
{
    QStringList encontradas;
    for (const QString& n : nomes) {
        if (n.isEmpty())
            continue;
        if (encontradas.size() == kColunasCitadas) {
            encontradas << kReticencias;
            break;
        }
        encontradas << n;
    }
    return encontradas.isEmpty() ? QStringLiteral("nenhuma") : encontradas.join(QStringLiteral(", "));
}

// One row read as a header: the columns of each field, and the fields
// that more than one column fits.
struct Leitura {
    std::array<int, kCamposPlanilha> colunas{-1, -1, -1, -1, -1};
    std::array<QStringList, kCamposPlanilha> candidatas;  // names of every column that fits, when more than one
    bool algum = false;         // any column fits any field
    QString ausente;            // a column the operator named that is not on the row
};

Leitura le(const QStringList& nomes, const MapaColunas& mapa)
{
    Leitura l;
    QStringList reduzidos;
    for (const QString& n : nomes)
        reduzidos << campoplanilha::nomeColuna(n);
    QSet<int> tomadas;
    for (int c = 0; c < kCamposPlanilha; ++c) {
        const std::optional<QString>& nome = mapa.nomes[std::size_t(c)];
        if (!nome || nome->isEmpty())
            continue;
        const int i = int(reduzidos.indexOf(campoplanilha::nomeColuna(*nome)));
        if (i < 0 || campoplanilha::nomeColuna(*nome).isEmpty()) {
            if (l.ausente.isEmpty())
                l.ausente = citado(*nome);
            continue;
        }
        l.colunas[std::size_t(c)] = i;
        tomadas.insert(i);
        l.algum = true;
    }
    for (int c = 0; c < kCamposPlanilha; ++c) {
        if (mapa.nomes[std::size_t(c)])
            continue;
        QStringList servem;
        for (int i = 0; i < reduzidos.size(); ++i) {
            if (tomadas.contains(i) || !sinonimos()[std::size_t(c)].contains(reduzidos[i]))
                continue;
            if (l.colunas[std::size_t(c)] < 0)
                l.colunas[std::size_t(c)] = i;
            servem << nomes[i];
        }
        l.algum = l.algum || !servem.isEmpty();
        // Two keys of one kind cannot both be matched; of two values or
        // types the first is read, as it always was.
        if (servem.size() > 1 && c <= int(CampoPlanilha::Cartao))
            l.candidatas[std::size_t(c)] = servem;
    }
    return l;
}

int naoVazias(const LinhaTabela& linha)
{
    int n = 0;
    for (const CelulaPlanilha& c : linha.celulas)
        if (!textoCelula(c).trimmed().isEmpty())
            ++n;
    return n;
}

}  // namespace

QString rotuloCampo(CampoPlanilha campo)
{
    switch (campo) {
    case CampoPlanilha::Matricula: return QStringLiteral("Matrícula");
    case CampoPlanilha::Usuario: return QStringLiteral("Usuário");
    case CampoPlanilha::Cartao: return QStringLiteral("Cartão");
    case CampoPlanilha::Valor: return QStringLiteral("Valor");
    case CampoPlanilha::Tipo: return QStringLiteral("Tipo");
    }
    return {};
}

QString nomeCampo(CampoPlanilha campo)
{
    return campoplanilha::nomeColuna(rotuloCampo(campo));
}

bool MapaColunas::vazio() const
{
    for (const auto& n : nomes)
        if (n)
            return false;
    return true;
}

std::optional<MapaColunas> MapaColunas::doTexto(const QString& texto, QString* erro)
{
    MapaColunas mapa;
    const auto recusa = [erro](const QString& porque) {
        if (erro)
            *erro = porque;
        return std::nullopt;
    };
    for (const QString& parte : texto.split(QLatin1Char(','))) {
        const qsizetype igual = parte.indexOf(QLatin1Char('='));
        if (igual < 0)
            return recusa(QStringLiteral("\"%1\" is not FIELD=HEADER").arg(parte));
        const QString campo = campoplanilha::nomeColuna(parte.left(igual));
        int c = 0;
        while (c < kCamposPlanilha && nomeCampo(CampoPlanilha(c)) != campo)
            ++c;
        if (c == kCamposPlanilha)
            return recusa(QStringLiteral("unknown field \"%1\" (matricula, usuario, cartao, valor, tipo)")
                              .arg(parte.left(igual)));
        if (mapa.nomes[std::size_t(c)])
            return recusa(QStringLiteral("field \"%1\" given twice").arg(nomeCampo(CampoPlanilha(c))));
        mapa.nomes[std::size_t(c)] = parte.mid(igual + 1).trimmed();
    }
    return mapa;
}

CabecalhoAba achaCabecalho(const std::vector<LinhaTabela>& primeiras, const MapaColunas& mapa)
{
    CabecalhoAba cab;
    if (!primeiras.empty())
        cab.linha = primeiras.front().linha;
    int provavel = -1;  // a row naming some field: the likeliest header when none names both
    int maisCheia = -1;
    const int n = std::min<int>(int(primeiras.size()), kLinhasBuscaCabecalho);
    for (int i = 0; i < n; ++i) {
        const QStringList nomes = nomesDa(primeiras[std::size_t(i)]);
        const Leitura l = le(nomes, mapa);
        if (l.algum && provavel < 0)
            provavel = i;
        if (maisCheia < 0 || naoVazias(primeiras[std::size_t(i)]) > naoVazias(primeiras[std::size_t(maisCheia)]))
            maisCheia = i;
        if (!l.ausente.isEmpty() || !temChave(l.colunas) || l.colunas[std::size_t(CampoPlanilha::Valor)] < 0)
            continue;
        cab.indice = i;
        cab.linha = primeiras[std::size_t(i)].linha;
        cab.nomes = nomes;
        cab.colunas = l.colunas;
        cab.situacao = CabecalhoAba::Situacao::Reconhecido;
        for (int c = 0; c < kCamposPlanilha; ++c) {
            if (l.candidatas[std::size_t(c)].isEmpty())
                continue;
            cab.situacao = CabecalhoAba::Situacao::Ambiguo;
            cab.erro = QStringLiteral("Planilha com mais de uma coluna de %1: %2")
                           .arg(rotuloCampo(CampoPlanilha(c)), l.candidatas[std::size_t(c)].join(QStringLiteral(", ")));
            break;
        }
        return cab;
    }
    const int escolhida = provavel >= 0 ? provavel : maisCheia;
    if (escolhida < 0)
        return cab;
    cab.indice = escolhida;
    cab.linha = primeiras[std::size_t(escolhida)].linha;
    cab.nomes = nomesDa(primeiras[std::size_t(escolhida)]);
    const Leitura l = le(cab.nomes, mapa);
    cab.colunas = l.colunas;
    const QString falta = !l.ausente.isEmpty() ? l.ausente : !temChave(l.colunas) ? QStringLiteral("Matrícula, Usuário ou Cartão") : QStringLiteral("Valor");
    cab.erro = QStringLiteral("Planilha sem a coluna %1 - colunas encontradas: %2").arg(falta, listaColunas(cab.nomes));
    return cab;
}

}  // namespace pluvexa
