// "Importar Arquivo" and "Exportar Planilha": values in from an external
// file (one step of the undo), holders and values out to a spreadsheet.

#include "files/pastastrabalho.h"
#include "flows/desfazervalores.h"
#include "flows/fluxoexportacao.h"
#include "flows/fluxoimportacao.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"
#include "ui/configuracao.h"

#include <QApplication>
#include <QPointer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

namespace pluvexa {

QString Tfcadrecarga::arquivoVisivel() const
{
    return ArquivoAtual.isEmpty() ? QString() : caminhoVisivel(QFileInfo(ArquivoAtual).absoluteFilePath());
}

void Tfcadrecarga::btnimportararqClick()
{
    // A value typed but not yet confirmed would be lost when the grid is
    // refilled with the imported ones.
    if (!AtualizaArrayRecargas())
        return;
    bool ampulheta = false;
    JanelaImportacao janela;
    janela.avisos = avisos();
    janela.marcaImportando = [this](bool on) { Importando = on; };
    janela.ampulheta = [&ampulheta](bool on) {
        if (on == ampulheta)
            return;
        ampulheta = on;
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    janela.recarregaGrade = [this] { cbtipocartaoChange(); };
    janela.aoGravar = [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Importacao, c); };
    janela.pastaPdf = m_ctx.pastaSalvar(TipoSalvo::Importacao);
    janela.memoria = MemoriaImportacao{[](const QString& chave) { return Configuracao::importacao(chave); },
                                       [](const QString& chave, const QString& valor) {
                                           Configuracao::guardaImportacao(chave, valor);
                                       }};
    // The work goes on in the grid: the values just imported are checked
    // and corrected there (the button that started the run, which had the
    // keyboard, takes no digits).
    janela.retomaFoco = [grade = QPointer<QWidget>(sgRecarga)] {
        if (grade && grade->isEnabled() && grade->isVisible())
            grade->setFocus(Qt::OtherFocusReason);
    };

    PedidoImportacao pedido;
    pedido.tipoCartaoSel = m_sel.TipoCartaoSel;
    pedido.hoje = m_relogio().date();
    pedido.opcoes.relogio = m_relogio;
    ResultadoImportacaoJanela r;
    {
        PassoDesfazer passo(*m_desfazer, kPassoImportar);
        r = importaArquivo(*m_ctx.modelo, *m_ctx.interaction, janela, pedido);
    }
    if (r.armazenados > 0)
        definePendentes(true);
}

void Tfcadrecarga::btnexportarplanilhaClick()
{
    if (!AtualizaArrayRecargas())
        return;
    salvaPlanilha(*m_ctx.modelo, arquivoVisivel(), m_ctx.pastaSalvar(TipoSalvo::Planilha), *m_ctx.interaction,
                  [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Planilha, c); });
}

}  // namespace pluvexa
