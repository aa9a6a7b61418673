// Saving a draft and generating the answer file: the model becomes records,
// the records a draft or a sealed answer, the processing log its ".LOG", and
// the received file moves to the processed folder.

#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "flows/desfazervalores.h"
#include "flows/limites.h"
#include "flows/listasarquivos.h"
#include "flows/proximopasso.h"
#include "history/core/historico.h"
#include "interaction/interaction.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/camposregistro.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"
#include "recharge/totaisgerais.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <vector>

namespace pluvexa {

namespace {

const QString kBanner81 = QString(81, QLatin1Char('='));

}  // namespace

void Tfcadrecarga::btngerararquivoClick()
{
    if (!AtualizaArrayRecargas())
        return;
    // A value the central would refuse never leaves in an answer file: a
    // value refused on Enter stays in its cell and the write-back takes it
    // as it stands. Refused like a value on Enter, before anything is logged
    // or written; the operator stays at the grid to correct it.
    if (const QStringList fora = valoresForaDoLimite(*m_ctx.modelo); !fora.isEmpty()) {
        QStringList mostradas = fora.mid(0, 15);
        if (fora.size() > mostradas.size())
            mostradas << QStringLiteral("... e mais %1").arg(fora.size() - mostradas.size());
        m_ctx.interaction->notice(QStringLiteral("Valores fora do permitido para o Tipo de Cartão - "
                                                 "nenhum arquivo foi gerado - Verifique!\n\n")
                                  + mostradas.join(QLatin1Char('\n')));
        return;
    }
    // Before any question: the operator is sent back to save a draft.
    if (recusaRecebidoMudado())
        return;
    if (!confirmaNovaResposta())
        return;
    if (!confereAntesDeGerar())
        return;
    adicionaLog(QStringLiteral("Geração de Arquivo Definitivo "));
    mostraProximoPasso(QString());
    if (GeraArquivo(pastaGerados(), false)) {
        definePendentes(false);
        m_desfazer->marcaSalvo();
        mostraProximoPasso(textoProximoPasso(ArquivoGerado, caminhoVisivel(pastaGerados())));
    }
    else if (m_ficaNaGrade)
        return;  // the operator stays at the grid to correct them
    mostraPagina(tblog);
}

void Tfcadrecarga::btnsalvarrascunhoClick()
{
    if (!AtualizaArrayRecargas())
        return;
    adicionaLog(QStringLiteral("Geração de Arquivo Rascunho"));
    if (GeraArquivo(pastaRascunho(), true)) {
        definePendentes(false);
        // The steps stay: the operator may still take one back.
        m_desfazer->marcaSalvo();
        m_ctx.interaction->notice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    }
}

// A batch answered twice unnoticed would reach the central twice; an answer
// already in the generated folder (or taken to the disk, "_4.REC") is named
// before another is made.
bool Tfcadrecarga::confirmaNovaResposta()
{
    const ModeloRecarga& m = *m_ctx.modelo;
    bool remessaOk = false;
    const int remessa = deCp1252(m.cabecalho.Remessa).trimmed().toInt(&remessaOk);
    if (!remessaOk || remessa < 0)
        return true;  // the generation itself refuses it, with its message
    const QString anterior = respostaExistente(pastaGerados(), m.cabecalho.Empresa, remessa);
    if (anterior.isEmpty())
        return true;
    return m_ctx.interaction->question(
        QStringLiteral("A remessa %1 da empresa %2 já foi respondida no arquivo %3. Gerar outro arquivo de resposta?")
            .arg(remessa, 4, 10, QLatin1Char('0'))
            .arg(m.cabecalho.Empresa, 5, 10, QLatin1Char('0'))
            .arg(anterior));
}

// Two answers in one minute share a name: one not yet taken to the disk is
// replaced (with its ".LOG", as one group) only at the operator's word; an
// answer already sent, or anything else under the name, never is.
bool Tfcadrecarga::confirmaRespostaDoMinuto(const QString& pasta, bool& substitui)
{
    const RespostaDoMinuto r = respostaDoMinuto(pasta, ArquivoGerado, ArquivoLog);
    substitui = false;
    switch (r.situacao) {
    case RespostaDoMinuto::Livre:
        return true;
    case RespostaDoMinuto::NaoEnviada:
        return substitui = m_ctx.interaction->question(
            QStringLiteral("O arquivo de resposta %1, gerado neste minuto e não enviado, será substituído. Continuar?")
                .arg(r.nome));
    case RespostaDoMinuto::Ocupada:
        break;
    }
    m_ctx.interaction->notice(
        QStringLiteral("Já existe o arquivo %1. Aguarde um minuto e gere novamente.").arg(r.nome));
    return false;
}

bool Tfcadrecarga::recebidoMudou() const
{
    if (EmRascunho || m_recebidoMovido || ArquivoAtual.isEmpty())
        return false;
    const IdentidadeArquivo agora = identidadeArquivo(ArquivoAtual);
    return agora.existe() && agora != m_identidadeRecebido;
}

bool Tfcadrecarga::recusaRecebidoMudado()
{
    if (!recebidoMudou())
        return false;
    m_ctx.interaction->notice(QStringLiteral("O arquivo recebido %1 mudou depois de processado. Nada foi gerado: "
                                             "salve o rascunho e processe o arquivo novamente.")
                                  .arg(QFileInfo(ArquivoAtual).fileName()));
    return true;
}

void Tfcadrecarga::ApagaRascunhos(const QStringList& exceto)
{
    std::vector<IdentidadeArquivo> manter;
    for (const QString& caminho : exceto)
        manter.push_back(identidadeArquivo(caminho));
    const QDir pasta(pastaRascunho());
    for (const QString& extensao : {QStringLiteral(".REC"), QStringLiteral(".LOG")})
        for (const QString& nome : rascunhosProprios(pasta.path(), extensao)) {
            const QString caminho = pasta.filePath(nome);
            const IdentidadeArquivo id = identidadeArquivo(caminho);
            if (std::none_of(manter.begin(), manter.end(), [&](const IdentidadeArquivo& m) { return m.mesmoObjeto(id); }))
                removeArquivo(caminho);  // one that cannot be deleted is passed over
        }
}

bool Tfcadrecarga::GeraArquivo(const QString& pasta, bool rascunho)
{
    const ModeloRecarga& m = *m_ctx.modelo;
    m_ficaNaGrade = false;

    // The batch number names the file; without it nothing can be written.
    const QString remessa = deCp1252(m.cabecalho.Remessa);
    bool remessaOk = false;
    const int numeroRemessa = remessa.trimmed().toInt(&remessaOk);
    if (!remessaOk || numeroRemessa < 0) {
        const QString msg = QStringLiteral("Remessa inválida no cabeçalho do arquivo ('%1') - "
                                           "nenhum arquivo foi gerado - Verifique!").arg(remessa);
        m_ctx.interaction->notice(msg);
        adicionaLog(QStringLiteral("  "));
        adicionaLog(msg);
        return false;
    }

    const QDateTime agora = m_relogio();
    const QString base = QStringLiteral("PX_%1_%2_%3_2")
                             .arg(m.cabecalho.Empresa, 5, 10, QLatin1Char('0'))
                             .arg(numeroRemessa, 4, 10, QLatin1Char('0'))
                             .arg(agora.toString(QStringLiteral("yyMMddHHmm")));
    ArquivoGerado = base + QStringLiteral(".REC");
    ArquivoLog = base + QStringLiteral(".LOG");
    bool substitui = false;
    if (!rascunho && !confirmaRespostaDoMinuto(pasta, substitui)) {
        m_ficaNaGrade = true;
        return false;
    }
    // Changed while the operator answered the questions above.
    if (!rascunho && recusaRecebidoMudado()) {
        m_ficaNaGrade = true;
        return false;
    }
    // With every answer the company keeps what it sent, readable on its
    // side; a kept batch is never replaced, but for that of this minute's
    // answer that was never sent, replaced with it.
    const QString historico = rascunho ? QString() : nomeHistorico(ArquivoGerado);
    if (!historico.isEmpty() && !substitui && QFileInfo::exists(QDir(pastaHistorico()).filePath(historico))) {
        const QString msg = QStringLiteral("Já existe o arquivo %1. Aguarde um minuto e gere novamente.")
                                .arg(caminhoVisivel(QDir(pastaHistorico()).filePath(historico)));
        m_ctx.interaction->notice(msg);
        adicionaLog(QStringLiteral("  "));
        adicionaLog(msg);
        return false;
    }

    const ResultadoEscrita escrita = EscritorRecarga(m).gera(paraCp1252(ArquivoGerado), m_relogio);
    if (!escrita.ok()) {
        const QStringList recusas = escrita.textosRecusas();
        m_ctx.interaction->notice(QStringLiteral("Valores que não cabem no arquivo - nenhum arquivo foi gerado - "
                                                 "Verifique!\n\n")
                                  + recusas.join(QLatin1Char('\n')));
        adicionaLog(QStringLiteral("  "));
        adicionaLog(QStringLiteral("Arquivo não gerado - valores que não cabem no arquivo:"));
        adicionaLog(recusas);
        m_ficaNaGrade = true;
        return false;
    }
    LinhasSaida = escrita.linhas;
    const int registros = int(LinhasSaida.size());

    // The new file and its ".LOG" are written as parts and put in place
    // together, the file last; only then does anything older go.
    Gravacao saida(Durabilidade::Duravel);
    int resultado = FalhaCompressao;
    try {
        std::vector<Texto> enviadas = LinhasSaida;
        resultado = CompactaArquivo(LinhasSaida, pasta, ArquivoGerado, rascunho, saida);
        if (resultado == EmpacotamentoOk && !historico.isEmpty()) {
            QDir().mkpath(pastaHistorico());
            resultado = CompactaArquivo(enviadas, pastaHistorico(), historico, true, saida);
        }
    } catch (const ErroArquivo& e) {
        m_ctx.interaction->errorBox(e.textoJanela());
        return false;
    }
    if (resultado == FalhaCompressao) {
        m_ctx.interaction->notice(QStringLiteral("Erro ao Compactar o arquivo Temporário - Verifique!"));
        adicionaLog(QStringLiteral("  "));
        adicionaLog(QStringLiteral("Erro ao Compactar Arquivo - Verifique"));
        return false;
    }
    if (resultado != EmpacotamentoOk) {
        m_ctx.interaction->notice(QStringLiteral("Erro ao Criptografar Arquivo - Verifique!"));
        adicionaLog(QStringLiteral("  "));
        adicionaLog(QStringLiteral("Erro ao Criptograr Arquivo - Verifique"));
        return false;
    }

    const QString arquivo = QDir(pasta).filePath(ArquivoGerado);
    const QString log = QDir(pasta).filePath(ArquivoLog);
    const TotaisGerais totais = pluvexa::CalculaRecargasGeral(*m_ctx.modelo);
    adicionaLog(QStringLiteral(" "));
    adicionaLog(QStringLiteral("Total de Registros Gerados ==>  ") + QString::number(registros));
    adicionaLog(QStringLiteral("Total em Créditos          ==>  ") + totais.lblgerqtddig);
    adicionaLog(QStringLiteral("Total em Valor             ==>  ") + totais.lblgervlrdig);
    adicionaLog(QStringLiteral("  "));
    adicionaLog(QStringLiteral("Arquivo Criptografado com Sucesso"));
    adicionaLog(QStringLiteral("Arquivo Compactado com Sucesso"));
    adicionaLog(QStringLiteral("  "));
    adicionaLog(QStringLiteral("Arquivo Gerado ==> ") + caminhoVisivel(arquivo));
    adicionaLog(QStringLiteral("Geração de Arquivo LOG"));
    adicionaLog(QStringLiteral("Arquivo Gerado ==> ") + caminhoVisivel(log));

    LinhasSaida.clear();
    for (const QString& l : m_log)
        LinhasSaida.push_back(paraCp1252(l));
    if (!salvaLinhas(LinhasSaida, log, saida) || !saida.confirma()) {
        const QString erro = textoJanela(saida.falha());
        m_ctx.interaction->errorBox(erro);
        adicionaLog(QStringLiteral("  "));
        adicionaLog(erro);
        return false;
    }

    // Only now that the new file and its log stand complete on the device
    // do the earlier drafts go: a failure above keeps the draft the
    // operator had. What was just written is kept whatever the folders are.
    ApagaRascunhos({arquivo, log});

    if (!EmRascunho) {
        const QString processados = pastaProcessados();
        const QString nome = QFileInfo(ArquivoAtual).fileName();
        const QString destino = QDir(processados).filePath(nome);
        // A draft saved earlier in this session already took the received
        // file there: that is no failure to report.
        const bool jaMovido = m_recebidoMovido
                              || (!ArquivoAtual.isEmpty() && !QFileInfo(ArquivoAtual).exists()
                                  && QFileInfo(destino).isFile());
        if (!jaMovido && recebidoMudou()) {
            // Another file under the name (only a draft gets here): it is
            // not this answer's to file away.
            adicionaLog(QStringLiteral(" ==> %1 mudou depois de processado: não foi movido ").arg(nome));
        } else {
            const bool movido = !jaMovido && !ArquivoAtual.isEmpty() && QFileInfo(ArquivoAtual).isFile()
                                && moveArquivo(ArquivoAtual, destino, Durabilidade::Duravel);
            m_recebidoMovido = jaMovido || movido;
            const QString texto = jaMovido ? QStringLiteral("Arquivo já movido para ")
                                  : movido ? QStringLiteral("Arquivo Movido para ")
                                           : QStringLiteral("Erro ao Mover Arquivo para ");
            adicionaLog(texto + caminhoVisivel(processados) + QLatin1Char(' '));
        }
    }

    adicionaLog(QStringLiteral(" "));
    adicionaLog(kBanner81);
    adicionaLog(QStringLiteral("===============  Fim de Processamento - Pluvexa   ========================"));
    adicionaLog(QStringLiteral("===============     Data Proc: ") + dataHoraLog(m_relogio())
                + QStringLiteral("     =========================="));
    adicionaLog(kBanner81);
    return true;
}

}  // namespace pluvexa
