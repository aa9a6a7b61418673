#include "flows/fluxoimportacao.h"

#include "exchange/fonteregistros.h"
#include "exchange/limitesimportacao.h"
#include "exchange/livros/tipoarquivo.h"
#include "exchange/relatorioimportacao.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "flows/visualizacaorelatorio.h"
#include "interaction/interaction.h"
#include "recharge/processamento.h"
#include "report/tfrepimportacao.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace pluvexa {

const QString kFiltroImportacao = QStringLiteral("Arquivo Recarga (*.rrm);;") + kFiltroPlanilhasImportacao
                                  + QStringLiteral(";;Todos os Arquivos (*.*)");

namespace {

constexpr qint64 kIntervaloMensagensMs = 40;

// Puts the window back however the run ended: gauge hidden, controls
// enabled, the mark cleared, the normal cursor, the keyboard where it was.
// Done as soon as the run is over, before its result is told, so that the
// operator reads the boxes over a window that is his again.
class Arrumacao {
public:
    explicit Arrumacao(const JanelaImportacao& j) : m_j(j) {}
    ~Arrumacao() { conclui(); }
    void conclui()
    {
        if (m_concluida)
            return;
        m_concluida = true;
        m_j.avisos.habilita(true);
        m_j.avisos.progressoVisivel(false);
        m_j.avisos.mensagens();
        if (m_j.marcaImportando)
            m_j.marcaImportando(false);
        cursor(false);
        if (m_j.retomaFoco)
            m_j.retomaFoco();
    }
    Arrumacao(const Arrumacao&) = delete;
    Arrumacao& operator=(const Arrumacao&) = delete;
    void cursor(bool ampulheta) const
    {
        if (m_j.ampulheta)
            m_j.ampulheta(ampulheta);
    }

private:
    const JanelaImportacao& m_j;
    bool m_concluida = false;
};

}  // namespace

void MostraResultado(const RecargaExterna& run, const QString& titulo, const QString& empresa,
                     const QString& arquivo, const QDate& hoje, Interaction& ui,
                     const std::function<void(const QString&)>& aoGravar, const QString& pastaPdf)
{
    Tfrepimportacao form;
    form.defineCabecalho(titulo, empresa, arquivo, hoje);
    form.DefineLinhas(run.Resultado());
    visualizaRelatorio(form, caminhoParaSalvar(pastaPdf, arquivo, QStringLiteral("Resultado"), QStringLiteral(".pdf")), ui,
                       aoGravar);
}

ResultadoImportacaoJanela importaArquivo(ModeloRecarga& modelo, Interaction& ui,
                                         const JanelaImportacao& janela, const PedidoImportacao& pedido)
{
    ResultadoImportacaoJanela res;
    const MemoriaImportacao& memoria = janela.memoria;
    const auto lembrado = [&memoria](const QString& chave) { return memoria.le ? memoria.le(chave) : QString(); };
    // The chooser opens where the last file came from (while it is a
    // folder), with the filter last used (while it is one of them).
    QString pasta = lembrado(kChavePastaImportacao);
    if (!pasta.isEmpty() && !QFileInfo(pasta).isDir())
        pasta.clear();
    QString filtro = lembrado(kChaveFiltroImportacao);
    if (!kFiltroImportacao.split(QStringLiteral(";;")).contains(filtro))
        filtro.clear();
    // As the chooser gives it: a name may end in a blank, and the file
    // without it may be another one.
    const QString nome = ui.openFileName(QStringLiteral("Importar Arquivo"), pasta, kFiltroImportacao, &filtro);
    if (nome.isEmpty())
        return res;
    res.escolheu = true;
    if (memoria.guarda) {
        memoria.guarda(kChavePastaImportacao, QFileInfo(nome).absolutePath());
        if (!filtro.isEmpty())
            memoria.guarda(kChaveFiltroImportacao, filtro);
    }
    // A folder, device or FIFO would hold or feed the run without end; a
    // file that cannot be read is named with the reason. The model is
    // untouched.
    // A missing file is the run's to report, in its log.
    if (const QString recusa = recusaEntrada(nome, AusenteAceito::Sim); !recusa.isEmpty()) {
        ui.notice(recusa, Interaction::Icon::Error);
        return res;
    }
    // A PDF, an image, a workbook saved with a password, a web page saved
    // as .xls: told at once, before any log or report.
    if (const std::optional<QString> recusa = recusaArquivo(nome)) {
        ui.notice(*recusa, Interaction::Icon::Error);
        return res;
    }

    // A spreadsheet's questions come before anything is logged: cancelled,
    // nothing was imported and nothing is told. A file past the limits asks
    // nothing: the run refuses it.
    EscolhasPlanilha escolhas;
    if (formatoImportacao(nome) == FormatoImportacao::Planilha && !grandeDemais(nome)) {
        auto lido = std::make_shared<const ArquivoPlanilha>(leArquivoPlanilha(nome));
        // A workbook past its bounds (a zip bomb, too many rows) is known
        // only once read: refused here, still before anything is logged.
        if (!lido->erro.isEmpty() && tipoArquivo(nome) != TipoArquivo::Csv) {
            ui.notice(lido->erro, Interaction::Icon::Error);
            return res;
        }
        if (lido->erro.isEmpty()) {
            const std::optional<EscolhasPlanilha> e = perguntaPlanilha(*lido, nome, ui, memoria);
            if (!e)
                return res;
            escolhas = *e;
            escolhas.lido = lido;
        }
    }

    Arrumacao arrumacao(janela);
    arrumacao.cursor(true);
    if (janela.marcaImportando)
        janela.marcaImportando(true);
    janela.avisos.legenda(QStringLiteral("Registros Processados: "));
    janela.avisos.habilita(false);
    janela.avisos.progressoVisivel(true);

    RecargaExterna run(modelo, pedido.opcoes);
    int maximo = 1;
    run.aoContar = [&](int registros) {
        maximo = registros;
        janela.avisos.avanca(0, maximo);
    };
    // Gauge and counter follow every record; the pending messages that
    // repaint them run a few dozen times a second, since painting after
    // every record of a large file would cost more than the run itself.
    QElapsedTimer desdeMensagens;
    desdeMensagens.start();
    // The counter says how many records were read, not a line number.
    int lidos = 0;
    run.aoProgresso = [&](int) {
        janela.avisos.avanca(++lidos, maximo);
        if (desdeMensagens.elapsed() >= kIntervaloMensagensMs) {
            janela.avisos.mensagens();
            desdeMensagens.restart();
        }
    };
    run.aoRecarregar = [&] {
        if (janela.recarregaGrade)
            janela.recarregaGrade();
    };
    // No message box is read under the hourglass.
    run.aoAvisar = [&ui, &arrumacao](const QString& aviso) {
        arrumacao.cursor(false);
        ui.notice(aviso, Interaction::Icon::Information);
    };

    res.sucesso = run.Importa(nome, pedido.tipoCartaoSel, escolhas);
    res.armazenados = run.TotalOk;
    arrumacao.conclui();
    if (run.recusa()) {
        // Nothing was read, logged or stored: one box says why.
        ui.errorBox(run.recusa()->texto());
        return res;
    }
    if (res.sucesso) {
        ui.notice(QStringLiteral("Operação Concluída com Sucesso"), Interaction::Icon::Information);
    } else {
        ui.notice(QStringLiteral("Operação Concluída com Advertências\n%1 valor(es) importado(s), %2 linha(s) "
                                 "recusada(s) - veja o relatório")
                      .arg(run.TotalOk)
                      .arg(run.TotalErros),
                  Interaction::Icon::Warning);
        MostraResultado(run, kTituloResultadoImportacao, dadosDoModelo(modelo).lblempresa.trimmed(),
                        caminhoVisivel(nome) + (run.abaLida().isEmpty() ? QString() : QStringLiteral(" - aba ") + run.abaLida()),
                        pedido.hoje, ui, janela.aoGravar, janela.pastaPdf);
    }
    ui.notice(QStringLiteral("As Alterações feitas pela importação não estão salvas.\n"
                             "Clique no botão 'Salvar Rascunho' para salvar as alterações."),
              Interaction::Icon::Information);
    return res;
}

}  // namespace pluvexa
