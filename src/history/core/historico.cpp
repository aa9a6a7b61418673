#include "history/core/historico.h"

#include "codec/lzw.h"
#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "history/core/indicehistorico.h"
#include "recharge/camposregistro.h"
#include "recharge/completude.h"
#include "recharge/empacotamento.h"
#include "recharge/linhastexto.h"
#include "recharge/processamento.h"
#include "recharge/totaisgerais.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <memory>
#include <thread>

namespace pluvexa {

namespace {

const QString kSemTextoConsistente = QStringLiteral("não contém um texto de recarga consistente");

double somaGrupos(const Recarga& r)
{
    double soma = 0;
    for (const GrupoRecarga& g : r.Grupo)
        soma += g.Valor;
    return soma;
}

bool emCreditos(const ModeloRecarga& m, int tipo)
{
    return tipo >= 0 && tipo < kTiposCartao && m.wTipoCartao[std::size_t(tipo)].Modalidade != Dinheiro;
}

}  // namespace

std::optional<NomeLote> leNomeLote(const QString& nomeArquivo)
{
    static const QRegularExpression padrao(
        QStringLiteral("^PX_(\\d{5})_(\\d{4})_(\\d{10})_2\\.(REC|HIS)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = padrao.match(nomeArquivo);
    if (!m.hasMatch())
        return std::nullopt;
    NomeLote n;
    n.empresa = m.captured(1).toInt();
    n.remessa = m.captured(2).toInt();
    // Two-digit years are this century's: answers are made today.
    n.geradoEm = QDateTime::fromString(QStringLiteral("20") + m.captured(3), QStringLiteral("yyyyMMddHHmm"));
    if (!n.geradoEm.isValid())
        return std::nullopt;
    return n;
}

QString nomeHistorico(const QString& nomeResposta)
{
    return QFileInfo(nomeResposta).completeBaseName() + kExtensaoHistorico;
}

QString nomeResposta(const QString& nomeHistorico)
{
    return QFileInfo(nomeHistorico).completeBaseName() + QStringLiteral(".REC");
}

bool carregaHistorico(const QString& caminho, ModeloRecarga& modelo, QString& erro, QString* motivo, Ligacao ligacao)
{
    const auto diz = [motivo](const QString& porque) {
        if (motivo)
            *motivo = porque;
    };
    QByteArray bytes;
    FalhaArquivo falha;
    if (!leArquivo(caminho, Leitura{ligacao == Ligacao::Segue, kMaiorTextoCompactado}, bytes, &falha)) {
        erro = textoIngles(falha);
        diz(QString::fromStdString(emPortugues(falha.motivo)));
        return false;
    }
    // Kept batches are not signed: expanded no further than a recharge
    // text goes, and worked on only when whole.
    const lzw::ExpandResult texto = lzw::expand(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())), nullptr,
        kMaiorTextoRecarga);
    if (texto.status != lzw::ExpandStatus::Ok) {
        erro = QStringLiteral("%1 does not expand: not a kept batch").arg(QDir::toNativeSeparators(caminho));
        diz(QStringLiteral("não pôde ser descompactado"));
        return false;
    }
    std::vector<Texto> linhas;
    if (!divideTexto(std::string_view(reinterpret_cast<const char*>(texto.bytes.data()), texto.bytes.size()), linhas)) {
        erro = QStringLiteral("%1 holds no consistent recharge text").arg(QDir::toNativeSeparators(caminho));
        diz(kSemTextoConsistente);
        return false;
    }
    if (const Completude c = confereCompleto(linhas); !c.completa()) {
        erro = c.textoIngles(caminho);
        // The log's words, as a reason in a sentence: "arquivo incompleto: sem Trailer".
        QString porque = c.linhaLog().trimmed().remove(QStringLiteral("==> "));
        porque[0] = porque[0].toLower();
        diz(porque);
        return false;
    }
    QStringList log;
    try {
        const ResultadoProcessamento r = ProcessadorRecarga(modelo).processa(linhas, log);
        if (!r.consistente() || modelo.QtdRecarga == 0) {
            erro = QStringLiteral("%1 holds no consistent recharge text").arg(QDir::toNativeSeparators(caminho));
            diz(kSemTextoConsistente);
            return false;
        }
    } catch (const ErroConversao& e) {
        erro = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(caminho), QString::fromUtf8(e.what()));
        diz(kSemTextoConsistente);
        return false;
    }
    return true;
}

void totalizaLote(const ModeloRecarga& modelo, LoteHistorico& lote)
{
    const TotaisGerais t = CalculaRecargasGeral(modelo);
    lote.totalValor = t.dinheiro;
    lote.totalCreditos = t.creditos;
    lote.titularesComValor = 0;
    const int n = std::clamp(modelo.QtdRecarga, 0, int(modelo.wRecarga.size()));
    for (int i = 0; i < n; ++i)
        if (somaGrupos(modelo.wRecarga[std::size_t(i)]) != 0)
            ++lote.titularesComValor;
}

std::vector<LoteHistorico> listaHistorico(const QString& pasta, const QString& gerados, Resumo resumo)
{
    const QDir dir(pasta);
    const QStringList nomes =
        dir.entryList({QStringLiteral("*") + kExtensaoHistorico}, QDir::Files | QDir::Hidden | QDir::System);
    std::vector<LoteHistorico> lotes(std::size_t(nomes.size()));
    std::optional<IndiceHistorico> indice;
    if (resumo == Resumo::Usa)
        indice.emplace(pasta);
    // Which batches were read (their totals, or why they could not be read,
    // go into the summary).
    std::vector<char> lidos(std::size_t(nomes.size()), 0);
    // Each batch is read whole to be totalled, ten years of months of
    // 10,000 holders taking about a second on one core. They are
    // independent: read on the machine's cores, each worker reusing one
    // model (6 MB of tables to clear for every new one).
    std::atomic<qsizetype> proximo{0};
    const auto trabalho = [&] {
        auto modelo = std::make_unique<ModeloRecarga>();
        for (qsizetype i = proximo++; i < nomes.size(); i = proximo++) {
            const QString& nome = nomes.at(i);
            LoteHistorico& lote = lotes[std::size_t(i)];
            lote.caminho = dir.filePath(nome);
            lote.resposta = nomeResposta(nome);
            if (const std::optional<NomeLote> n = leNomeLote(nome))
                lote.nome = *n;
            else
                lote.erro =
                    QStringLiteral("%1 is not named as a kept batch").arg(QDir::toNativeSeparators(lote.caminho));
            if (lote.erro.isEmpty() && !(indice && indice->preenche(QFileInfo(lote.caminho), lote))) {
                if (carregaHistorico(lote.caminho, *modelo, lote.erro, &lote.motivo))
                    totalizaLote(*modelo, lote);
                lidos[std::size_t(i)] = 1;
            }
            const QString enviado = lote.resposta.left(lote.resposta.size() - 5) + QStringLiteral("4.REC");
            lote.enviado = QFileInfo(QDir(gerados).filePath(enviado)).isFile();
        }
    };
    const qsizetype trabalhadores =
        std::min<qsizetype>(std::clamp(int(std::thread::hardware_concurrency()), 1, 8), nomes.size());
    std::vector<std::thread> outros;
    for (qsizetype t = 1; t < trabalhadores; ++t)
        outros.emplace_back(trabalho);
    trabalho();
    for (std::thread& t : outros)
        t.join();
    if (indice) {
        for (std::size_t i = 0; i < lotes.size(); ++i)
            if (lidos[i])
                indice->guarda(QFileInfo(lotes[i].caminho), lotes[i]);
        indice->mantemSo(nomes);
        indice->grava();
    }
    std::sort(lotes.begin(), lotes.end(), [](const LoteHistorico& a, const LoteHistorico& b) {
        if (a.nome.geradoEm != b.nome.geradoEm)
            return a.nome.geradoEm > b.nome.geradoEm;
        return QFileInfo(a.caminho).fileName() > QFileInfo(b.caminho).fileName();
    });
    return lotes;
}

QString textoSituacao(Situacao situacao)
{
    switch (situacao) {
    case Situacao::Novo:
        return QStringLiteral("Novo");
    case Situacao::Saiu:
        return QStringLiteral("Saiu");
    case Situacao::Alterado:
        return QStringLiteral("Alterado");
    case Situacao::Igual:
        return QStringLiteral("Igual");
    }
    return {};
}

std::vector<LinhaComparacao> comparaLotes(const ModeloRecarga& a, const ModeloRecarga& b)
{
    std::map<std::pair<int, int>, LinhaComparacao> linhas;
    const auto acrescenta = [&linhas](const ModeloRecarga& m, bool ehB) {
        const int n = std::clamp(m.QtdRecarga, 0, int(m.wRecarga.size()));
        for (int i = 0; i < n; ++i) {
            const Recarga& r = m.wRecarga[std::size_t(i)];
            LinhaComparacao& l = linhas[{r.Usuario, r.TipoCartao}];
            l.usuario = r.Usuario;
            l.tipo = r.TipoCartao;
            l.creditos = emCreditos(m, r.TipoCartao);
            if (ehB || l.nome.empty())
                l.nome = r.Nome;
            std::optional<double>& valor = ehB ? l.valorB : l.valorA;
            valor = valor.value_or(0) + somaGrupos(r);
        }
    };
    acrescenta(a, false);
    acrescenta(b, true);
    std::vector<LinhaComparacao> saida;
    saida.reserve(linhas.size());
    for (auto& [chave, l] : linhas) {
        if (!l.valorA)
            l.situacao = Situacao::Novo;
        else if (!l.valorB)
            l.situacao = Situacao::Saiu;
        else
            // Values carry cents at most: compare in whole cents.
            l.situacao = std::llround(*l.valorA * 100) == std::llround(*l.valorB * 100) ? Situacao::Igual
                                                                                         : Situacao::Alterado;
        saida.push_back(std::move(l));
    }
    return saida;
}

}  // namespace pluvexa
