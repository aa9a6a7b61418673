#include "transfer/core/transferenciadisco.h"

#include "files/arquivoseguro.h"
#include "files/pasta.h"
#include "files/pastastrabalho.h"
#include "transfer/core/caminhos.h"
#include "transfer/core/listaarquivos.h"

#include <QFileInfo>
#include <algorithm>

namespace pluvexa {

namespace {

// The step that failed, and in brackets the file layer's sentence of why.
QString entreParenteses(const QString& texto, const FalhaArquivo& falha)
{
    return texto + QStringLiteral(" (") + textoJanela(falha) + QLatin1Char(')');
}

}  // namespace

bool TransferenciaDisco::haSelecao(const ListaArquivos& lista)
{
    if (!lista.selecionados().isEmpty())
        return true;
    m_interacao.notice(kSelecioneArquivos);
    return false;
}

void TransferenciaDisco::falha(const QString& nome, const QString& motivo)
{
    m_falhas << nome + QStringLiteral(" - ") + motivo;
}

void TransferenciaDisco::encerra()
{
    if (m_falhas.isEmpty())
        m_interacao.notice(kSucesso);
    else
        m_interacao.notice(kComErros + QLatin1Char('\n') + m_falhas.join(QLatin1Char('\n')),
                           Interaction::Icon::Error);
}

bool TransferenciaDisco::transfere(const QString& origem, const QString& destino)
{
    const QString nome = QFileInfo(origem).fileName();
    if (!QFileInfo::exists(origem)) {
        falha(nome, QStringLiteral("não foi encontrado em ") + caminhoVisivel(QFileInfo(origem).absolutePath()));
        return false;
    }
    const QString pasta = QFileInfo(destino).absolutePath();
    if (!QFileInfo(pasta).isDir()) {
        falha(nome, QStringLiteral("a pasta de destino não existe: ") + caminhoVisivel(pasta));
        return false;
    }
    FalhaArquivo erro;
    // The source keeps its name until the copy stands complete under its
    // final name: a failed copy leaves it to be loaded again.
    if (!copiaArquivo(origem, destino, Durabilidade::Duravel, &erro)) {
        falha(nome, entreParenteses(QStringLiteral("não foi copiado"), erro));
        return false;
    }
    // In place on the destination, whatever becomes of the source's mark.
    m_copiados.push_back({nome, destino});
    if (!renomeiaSobre(origem, nomeTransferido(origem), Durabilidade::Duravel, &erro)) {
        falha(nome, entreParenteses(QStringLiteral("foi copiado, mas não foi renomeado para _4.REC"), erro));
        return false;
    }
    return true;
}

void TransferenciaDisco::carrega(ListaArquivos& origem)
{
    if (!haSelecao(origem))
        return;
    m_falhas.clear();
    m_copiados.clear();
    const QString pasta = origem.pasta();
    for (const QString& nome : origem.selecionados()) {
        const QString fonte = caminhoNaPasta(pasta, nome);
        const QString alvo = caminhoNaPasta(pastaRecebidos(), nome);
        if (mesmoArquivo(fonte, alvo))
            falha(nome, kMesmoArquivo);
        else
            transfere(fonte, alvo);
    }
    origem.mostra(pasta);
    encerra();
}

void TransferenciaDisco::gera(ListaArquivos& gerados, const QString& pastaDestino, const QString& unidade)
{
    if (!haSelecao(gerados))
        return;
    if (pastaDeTrabalho(pastaDestino)) {
        m_interacao.notice(kDestinoDeTrabalho, Interaction::Icon::Error);
        return;
    }
    m_falhas.clear();
    m_copiados.clear();
    const QString pasta = gerados.pasta();
    const QStringList nomes = gerados.selecionados();
    // Every file of this run stays out of reach of its own deletion: the
    // answers selected, under their names before and after they are marked
    // "_4.REC" (a list showing the company's disk never loses its own
    // answers), and every copy the run has put on the disk, so that the
    // question for the next answer never offers the one copied before it.
    QStringList protegidos;
    for (const QString& nome : nomes) {
        const QString fonte = caminhoNaPasta(pasta, nome);
        protegidos << fonte << nomeTransferido(fonte);
    }

    for (const QString& nome : nomes) {
        const QString fonte = caminhoNaPasta(pasta, nome);
        const QString alvo = caminhoNaPasta(pastaDestino, nome);
        if (mesmoArquivo(fonte, alvo)) {
            falha(nome, kMesmoArquivo);
            continue;
        }
        if (!m_interacao.confirm(perguntaDisco(nome, unidade), Interaction::Buttons::YesCancel,
                                 Interaction::Icon::None))
            continue;
        ApagaDisco(pastaDestino, protegidos);
        if (transfere(fonte, alvo) || QFileInfo::exists(alvo))
            protegidos << alvo;
    }
    gerados.mostra(pastaDestino);
    encerra();
}

void TransferenciaDisco::ApagaDisco(const QString& pasta, const QStringList& protegidos)
{
    // A missing folder holds nothing to delete; the copy that follows names it.
    if (!QFileInfo(pasta).isDir())
        return;
    QStringList nomes;
    FalhaArquivo erro;
    if (!listaArquivosPasta(pasta, {kMascaraRecarga}, nomes, &erro)) {
        falha(caminhoVisivel(pasta), entreParenteses(QStringLiteral("a pasta não pôde ser lida"), erro));
        return;
    }
    QStringList apagar;
    for (const QString& nome : nomes) {
        const QString caminho = caminhoNaPasta(pasta, nome);
        if (std::none_of(protegidos.begin(), protegidos.end(),
                         [&](const QString& p) { return mesmoArquivo(p, caminho); }))
            apagar << caminho;
    }
    if (apagar.isEmpty()
        || !m_interacao.confirm(kApagaArquivos, Interaction::Buttons::YesNo, Interaction::Icon::Error))
        return;
    for (const QString& caminho : apagar)
        if (!removeArquivo(caminho, &erro))
            falha(QFileInfo(caminho).fileName(), entreParenteses(QStringLiteral("não foi apagado"), erro));
}

}  // namespace pluvexa
