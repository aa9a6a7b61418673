#include "flows/perguntasplanilha.h"

#include "interaction/interaction.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace pluvexa {

namespace {

// Rows below the header the mapping dialog shows.
constexpr int kLinhasAmostra = 8;

// The mapping kept for the header of sheet `i`, when that header is not
// recognised as it stands.
std::optional<MapaColunas> lembrado(const ArquivoPlanilha& arquivo, int i, const MemoriaImportacao& memoria)
{
    const CabecalhoAba cab = cabecalhoDaAba(arquivo, i);
    if (cab.indice < 0 || !memoria.le)
        return std::nullopt;
    const auto colunas = colunasDoTexto(memoria.le(chaveColunas(cab.nomes)), int(cab.nomes.size()));
    if (!colunas)
        return std::nullopt;
    const MapaColunas mapa = mapaDasColunas(*colunas, cab.nomes);
    return cabecalhoDaAba(arquivo, i, mapa).reconhecido() ? std::optional(mapa) : std::nullopt;
}

QString nomeVisivel(const QString& nome, const AbaArquivo& aba)
{
    const QString arquivo = QFileInfo(nome).fileName();
    return aba.nome.isEmpty() ? arquivo : arquivo + QStringLiteral(" - aba ") + aba.nome;
}

}  // namespace

QString chaveColunas(const QStringList& cabecalho)
{
    QStringList reduzidos;
    for (const QString& n : cabecalho)
        reduzidos << campoplanilha::nomeColuna(n);
    const QByteArray resumo =
        QCryptographicHash::hash(reduzidos.join(QChar(0x1F)).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("Importacao/Colunas/") + QString::fromLatin1(resumo);
}

QString textoColunas(const QList<int>& colunas)
{
    QStringList partes;
    for (const int c : colunas)
        partes << (c >= 0 ? QString::number(c + 1) : QStringLiteral("-"));
    return partes.join(QLatin1Char(','));
}

std::optional<QList<int>> colunasDoTexto(const QString& texto, int largura)
{
    const QStringList partes = texto.split(QLatin1Char(','));
    if (partes.size() != kCamposPlanilha)
        return std::nullopt;
    QList<int> colunas;
    for (const QString& p : partes) {
        if (p.trimmed() == u"-") {
            colunas << -1;
            continue;
        }
        bool ok = false;
        const int c = p.trimmed().toInt(&ok);
        if (!ok || c < 1 || c > largura)
            return std::nullopt;
        colunas << c - 1;
    }
    return colunas;
}

MapaColunas mapaDasColunas(const QList<int>& colunas, const QStringList& cabecalho)
{
    MapaColunas mapa;
    for (int f = 0; f < kCamposPlanilha; ++f) {
        const int c = f < colunas.size() ? colunas[f] : -1;
        mapa.nomes[std::size_t(f)] = c >= 0 && c < cabecalho.size() ? cabecalho[c] : QString();
    }
    return mapa;
}

std::optional<EscolhasPlanilha> perguntaPlanilha(const ArquivoPlanilha& arquivo, const QString& nome, Interaction& ui,
                                                 const MemoriaImportacao& memoria)
{
    // The sheets that hold values: a header the import knows, or one whose
    // columns the operator mapped before.
    std::vector<std::pair<int, MapaColunas>> comValores;
    for (int i = 0; i < int(arquivo.abas.size()); ++i) {
        if (cabecalhoDaAba(arquivo, i).reconhecido())
            comValores.emplace_back(i, MapaColunas{});
        else if (const std::optional<MapaColunas> mapa = lembrado(arquivo, i, memoria))
            comValores.emplace_back(i, *mapa);
    }
    EscolhasPlanilha escolhas;
    const auto escolhe = [&](int i, const MapaColunas& mapa) {
        escolhas.aba = arquivo.abas[std::size_t(i)].nome;
        escolhas.colunas = mapa;
        return escolhas;
    };
    if (comValores.size() == 1)
        return escolhe(comValores.front().first, comValores.front().second);
    if (comValores.size() > 1) {
        QStringList nomes;
        for (const auto& [i, mapa] : comValores)
            nomes << arquivo.abas[std::size_t(i)].nome;
        const int k = ui.escolheItem(kPerguntaAba, nomes);
        if (k < 0 || k >= int(comValores.size()))
            return std::nullopt;
        return escolhe(comValores[std::size_t(k)].first, comValores[std::size_t(k)].second);
    }

    // No sheet says where its values are: the operator does, for the first
    // holding anything.
    const int i = escolheAba(arquivo, QString());
    const CabecalhoAba cab = cabecalhoDaAba(arquivo, i);
    if (cab.indice < 0 || cab.situacao == CabecalhoAba::Situacao::Larga)
        return escolhas;  // nothing to map: the run says what is wrong
    const AbaArquivo& aba = arquivo.abas[std::size_t(i)];
    PedidoColunas pedido;
    pedido.arquivo = nomeVisivel(nome, aba);
    pedido.cabecalho = cab.nomes;
    for (std::size_t l = std::size_t(cab.indice) + 1; l < aba.primeiras.size() && pedido.linhas.size() < kLinhasAmostra;
         ++l) {
        QStringList celulas;
        for (const CelulaPlanilha& c : aba.primeiras[l].celulas)
            celulas << textoCelula(c);
        pedido.linhas << celulas;
    }
    for (int f = 0; f < kCamposPlanilha; ++f) {
        pedido.campos << rotuloCampo(CampoPlanilha(f));
        pedido.propostas << cab.colunas[std::size_t(f)];
    }
    const QList<int> colunas = ui.escolheColunas(pedido);
    if (colunas.isEmpty())
        return std::nullopt;
    if (memoria.guarda)
        memoria.guarda(chaveColunas(cab.nomes), textoColunas(colunas));
    return escolhe(i, mapaDasColunas(colunas, cab.nomes));
}

}  // namespace pluvexa
