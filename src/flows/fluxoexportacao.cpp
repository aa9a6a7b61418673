#include "flows/fluxoexportacao.h"

#include "exchange/exportacsv.h"
#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "interaction/interaction.h"

namespace pluvexa {

QString escolhePlanilha(Interaction& ui, const QString& titulo, const QString& sugestao, FormatoPlanilha& formato)
{
    QString filtro = filtroDe(FormatoPlanilha::Csv);
    // As the chooser gives it, blanks included: the name written is the
    // name chosen.
    const QString resposta =
        ui.saveFileName(titulo, sugestao + extensaoDe(FormatoPlanilha::Csv), filtrosPlanilha(), &filtro);
    if (resposta.isEmpty())
        return {};
    // The import and the spreadsheet programs take a file by its
    // extension: keep it one.
    return nomeEscolhido(resposta, filtro, formato);
}

bool salvaTabela(const TabelaSaida& tabela, const QString& titulo, const QString& sugestao, Interaction& ui,
                 const std::function<void(const QString&)>& aoGravar)
{
    FormatoPlanilha formato = FormatoPlanilha::Csv;
    const QString destino = escolhePlanilha(ui, titulo, sugestao, formato);
    if (destino.isEmpty())
        return false;
    if (const QString recusa = recusaSaida(destino); !recusa.isEmpty()) {
        ui.notice(recusa, Interaction::Icon::Error);
        return false;
    }
    FalhaArquivo erro;
    if (gravaTabela(tabela, formato, destino, &erro)) {
        if (aoGravar)
            aoGravar(caminhoVisivel(destino));
        return true;
    }
    ui.notice(QStringLiteral("Não foi possível gravar a planilha ") + caminhoVisivel(destino)
                  + QStringLiteral(" - ") + textoJanela(erro),
              Interaction::Icon::Error);
    return false;
}

bool salvaPlanilha(const ModeloRecarga& m, const QString& arquivo, const QString& pasta, Interaction& ui,
                   const std::function<void(const QString&)>& aoGravar)
{
    const QString sugestao = caminhoParaSalvar(pasta, arquivo, QStringLiteral("Planilha"), QString());
    return salvaTabela(tabelaTitulares(m), QStringLiteral("Exportar Planilha"), sugestao, ui, aoGravar);
}

}  // namespace pluvexa
