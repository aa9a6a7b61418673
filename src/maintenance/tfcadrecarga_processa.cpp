// Processing a received file or a saved draft: open, expand, check and load
// it, with every step in the processing log.

#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "flows/descarterascunho.h"
#include "flows/desfazervalores.h"
#include "flows/listasarquivos.h"
#include "interaction/interaction.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/camposregistro.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/processamento.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>

namespace pluvexa {

void Tfcadrecarga::perguntaRascunho()
{
    // Only a draft this program wrote is offered or deleted: another file
    // in the folder is the user's.
    QStringList rascunhos = rascunhosProprios(pastaRascunho(), QStringLiteral(".REC"));
    if (rascunhos.isEmpty())
        return;
    if (m_ctx.interaction->question(
            QStringLiteral("Existe arquivo de Recarga em Alteração.Continua Alteração?"))) {
        continuaRascunho(rascunhos, QString());
        return;
    }
    // "Não" is one click from losing the month: each draft is named and
    // asked about once more, "Continuar Alteração" being the default.
    // Drafts of one batch left side by side by an interrupted save are one
    // draft, named by the newest.
    while (!rascunhos.isEmpty()) {
        const QString nome = rascunhos.at(indiceRascunhoMaisNovo(rascunhos));
        const NomeRecarga lido = leNomeRecarga(nome);
        QStringList doLote;
        for (const QString& r : rascunhos) {
            const NomeRecarga outro = leNomeRecarga(r);
            if (r == nome || (lido.remessa && outro.empresa == lido.empresa && outro.remessa == lido.remessa))
                doLote << r;
        }
        const QString caminho = QDir(pastaRascunho()).filePath(nome);
        const QStringList botoes = botoesDescarteRascunho();
        const int escolha = m_ctx.interaction->confirm(
            perguntaDescarteRascunho(nome, QFileInfo(caminho).lastModified()), botoes, Interaction::Icon::Warning,
            kTituloAplicacao, int(botoes.size()) - 1);
        if (escolha != 0) {
            continuaRascunho(rascunhos, nome);
            return;
        }
        descartaRascunho(doLote);
        for (const QString& r : doLote)
            rascunhos.removeAll(r);
    }
}

void Tfcadrecarga::continuaRascunho(const QStringList& rascunhos, const QString& escolhido)
{
    pastaListaRecebidos = pastaRascunho();
    mascaraListaRecebidos = QStringLiteral("*_2.REC");
    FLBArquivosRecargaRecebidos->clear();
    FLBArquivosRecargaRecebidos->addItems(rascunhos);
    // Drafts left side by side by an interrupted save: the newest holds
    // the latest values.
    QStringList nomes;
    for (int i = 0; i < FLBArquivosRecargaRecebidos->count(); ++i)
        nomes << FLBArquivosRecargaRecebidos->item(i)->text();
    const int escolhida = escolhido.isEmpty() ? indiceRascunhoMaisNovo(nomes) : int(nomes.indexOf(escolhido));
    if (escolhida >= 0)
        FLBArquivosRecargaRecebidos->setCurrentRow(escolhida);
    mostraRejeitar();
    EmRascunho = true;
    m_lendoRascunho = true;
    btnprocessarClick();
    m_lendoRascunho = false;
}

void Tfcadrecarga::descartaRascunho(const QStringList& doLote)
{
    // The drafts go (their logs stay); once none is left, the received
    // file of the batch goes back so that the batch can be processed again.
    bool apagados = true;
    for (const QString& nome : doLote)
        apagados = removeArquivo(QDir(pastaRascunho()).filePath(nome)) && apagados;
    if (!apagados)
        return;
    const QString nome = recebidoADevolver(doLote.first(), listaArquivos(pastaProcessados(), QStringLiteral("*_1.rec")),
                                           listaArquivos(pastaGerados(), QStringLiteral("*.REC")),
                                           listaArquivos(pastaRecebidos(), QStringLiteral("*")));
    if (nome.isEmpty())
        return;
    const QString destino = QDir(pastaRecebidos()).filePath(nome);
    FalhaArquivo falha;
    // Never over a file that appeared under the name meanwhile.
    if (!moveArquivo(QDir(pastaProcessados()).filePath(nome), destino, Durabilidade::Duravel, &falha)) {
        m_ctx.interaction->errorBox(textoJanela(falha));
        return;
    }
    m_ctx.status(QStringLiteral("Arquivo de volta em Recebidos: ") + nome, caminhoVisivel(destino));
}

void Tfcadrecarga::btnprocessarClick()
{
    // Processing empties the model: values typed and not saved go with it.
    if (!m_lendoRascunho && !podeDescartar())
        return;
    limpaLog();
    IndiceSelecionado = std::max(0, FLBArquivosRecargaRecebidos->currentRow());
    // The draft continued at opening is read as a draft; any file processed
    // after it in this window is a received file again.
    const bool rascunho = m_lendoRascunho;

    if (FLBArquivosRecargaRecebidos->count() == 0) {
        m_ctx.interaction->notice(QStringLiteral("Não Há arquivos a processar - Verifique!"));
        return;
    }
    const QListWidgetItem* item = FLBArquivosRecargaRecebidos->currentItem();
    const QString caminho = item ? QDir(pastaListaRecebidos).filePath(item->text()) : QString();
    if (caminho.isEmpty() || confereEntrada(caminho) == natureza::Estado::Ausente) {
        m_ctx.interaction->notice(QStringLiteral("Arquivo para processar não Encontrado - Verifique!"));
        return;
    }
    // A folder, device or FIFO under a received file's name, or a file the
    // operator may not read, is named with the reason; nothing is emptied.
    if (const QString recusa = recusaEntrada(caminho); !recusa.isEmpty()) {
        m_ctx.interaction->errorBox(recusa);
        return;
    }

    LinhasArquivo.clear();
    if (!m_arquivoNaGrade.isEmpty()) {
        m_arquivoNaGrade.clear();
        mostraArquivoAberto();
    }
    for (const QString& l : bannerProcessamento(QDateTime::currentDateTime(), caminhoVisivel(caminho)))
        adicionaLog(l);
    m_ctx.status(QStringLiteral("Carregando Arquivo ...."));
    ArquivoAtual = caminho;
    // Noted before it is read: a file replaced or written to from now on,
    // even while it is read, is not the one whose values go out.
    m_identidadeRecebido = identidadeArquivo(caminho);
    m_recebidoMovido = false;

    int resultado = FalhaEnvelope;
    Completude completude;
    try {
        resultado = DescompactaArquivo(ArquivoAtual, rascunho, LinhasArquivo, completude);
    } catch (const ErroArquivo& e) {
        m_ctx.interaction->errorBox(e.textoJanela());
        falhaProcessamento();
        encerraProcessamento();
        return;
    } catch (const std::exception& e) {
        m_ctx.interaction->errorBox(QString::fromUtf8(e.what()));
        falhaProcessamento();
        encerraProcessamento();
        return;
    }
    if (resultado == FalhaCompressao) {
        m_ctx.interaction->notice(QStringLiteral("Erro ao Descompactar o arquivo Temporário - Verifique!"));
        adicionaLog(QStringLiteral("  "));
        adicionaLog(QStringLiteral(" ==> Erro ao Descompactar o Arquivo "));
        falhaProcessamento();
        encerraProcessamento();
        return;
    }
    if (resultado == ForaDoPadrao || resultado == Incompleto) {
        // Opened and expanded, but longer than any recharge file, or a
        // draft cut short: nothing of it is loaded, the model stays as it
        // was.
        for (const char* l : {"  ", "Arquivo Descriptografado com Sucesso", "Arquivo Descompactado com Sucesso", "  "})
            adicionaLog(QString::fromUtf8(l));
        if (resultado == Incompleto)
            adicionaLog(completude.linhaLog());
        else
            adicionaLog(QStringLiteral(" ==> Arquivo com mais de %1 linhas ")
                            .arg(QLocale(QLocale::Portuguese, QLocale::Brazil).toString(qlonglong(kMaisLinhasTexto))));
        m_ctx.interaction->notice(QStringLiteral("Arquivo fora do Padrão - Verifique"));
        mostraPagina(tblog);
        falhaProcessamento();
        encerraProcessamento();
        return;
    }
    if (resultado != EmpacotamentoOk) {
        m_ctx.interaction->notice(QStringLiteral("Erro ao Descriptografar Arquivo - Verifique!"));
        adicionaLog(QStringLiteral("  "));
        adicionaLog(QStringLiteral(" ==> Erro ao Descriptografar o Arquivo "));
        falhaProcessamento();
        encerraProcessamento();
        return;
    }
    for (const char* l : {"  ", "Arquivo Descriptografado com Sucesso", "Arquivo Descompactado com Sucesso", "  "})
        adicionaLog(QString::fromUtf8(l));
    // A received file's envelope vouches for its text: what it lacks is
    // only noted.
    if (!completude.completa())
        adicionaLog(completude.linhaLog());

    EmRascunho = rascunho;

    m_ctx.status(QStringLiteral("Analisando Arquivo ...."));
    m_carregandoListas = true;
    cbtipocartao->clear();
    cbtarifa->clear();
    m_carregandoListas = false;
    m_indice.limpa();
    // The model's header values go with the rest of it; the labels follow,
    // so a file without a header shows none of the previous file's.
    for (QLabel* l : {lblseq, lblempresa, lbldata, lblcripta})
        l->clear();

    // The model is loaded anew: the steps of the previous file go with it.
    m_desfazer->limpa();
    ProcessadorRecarga processador(*m_ctx.modelo);
    processador.aoEventoDesconhecido = [this](const QString& tipo, int) {
        m_ctx.interaction->notice(QStringLiteral("Evento não reconhecido - ") + tipo + QStringLiteral(" - Verifique!"));
    };
    processador.aoHeader = [this](const DadosArquivo& d) {
        lblseq->setText(d.lblseq);
        lblempresa->setText(d.lblempresa);
        lbldata->setText(d.lbldata);
        lblcripta->setText(d.lblcripta);
    };
    QStringList log;
    ResultadoProcessamento r;
    try {
        r = processador.processa(LinhasArquivo, log);
    } catch (const ErroConversao& e) {
        adicionaLog(log);
        m_ctx.interaction->errorBox(QString::fromUtf8(e.what()));
        falhaProcessamento();
        encerraProcessamento();
        return;
    }
    // The log lines that tell the result come last: the message first, as
    // the operator reads it.
    const int linhasResultado = r.consistente() ? 6 : falhas(r);
    QStringList corpo = log.mid(0, log.size() - linhasResultado);
    QStringList fim = log.mid(log.size() - linhasResultado);
    adicionaLog(corpo);

    m_carregandoListas = true;
    for (const Texto& e : r.listaTiposCartao)
        adicionaEntrada(cbtipocartao, deCp1252(e));
    for (const Texto& e : r.listaTarifas)
        adicionaEntrada(cbtarifa, deCp1252(e));
    m_carregandoListas = false;

    if (!r.consistente()) {
        m_ctx.interaction->notice(QStringLiteral("Arquivo fora do Padrão - Verifique"));
        adicionaLog(fim);
        mostraPagina(tblog);
        falhaProcessamento();
        encerraProcessamento();
        return;
    }
    adicionaLog(fim);
    UltimoAcessado = QFileInfo(ArquivoAtual).fileName();
    m_arquivoNaGrade = UltimoAcessado;
    PageControl1Change();
    mostraPagina(tbDigitacao);
    m_carregandoListas = true;
    cbtarifa->setCurrentIndex(cbtarifa->count() > 0 ? 0 : -1);
    cbtipocartao->setCurrentIndex(cbtipocartao->count() > 0 ? 0 : -1);
    m_carregandoListas = false;
    definePendentes(false);
    mostraArquivoAberto();
    if (cbtipocartao->count() == 0 || cbtarifa->count() == 0) {
        m_ctx.interaction->notice(QStringLiteral(
            "Arquivo sem Tipo de Cartão ou sem Tarifa - Não há titulares para digitar."));
    }
    cbtipocartaoChange();
    encerraProcessamento();
}

int Tfcadrecarga::falhas(const ResultadoProcessamento& r)
{
    const MarcasConsistencia& m = r.marcas;
    return int(!m.header) + int(!m.detalhe) + int(!m.tipoCartao) + int(!m.tarifa) + int(!m.trailer)
           + int(!m.eventos);
}

void Tfcadrecarga::falhaProcessamento()
{
    const QString visivel = caminhoVisivel(ArquivoAtual);
    m_ctx.status(QStringLiteral("Arquivo não processado: ") + QFileInfo(ArquivoAtual).fileName(), visivel);
    adicionaLog(QStringLiteral(" ==> Arquivo não processado: %1 ").arg(visivel));
}

void Tfcadrecarga::encerraProcessamento()
{
    LinhasArquivo.clear();
    LinhasArquivo.shrink_to_fit();
    LinhasSaida.clear();
}

}  // namespace pluvexa
