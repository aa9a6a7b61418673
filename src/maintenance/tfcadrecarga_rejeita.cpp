// "Mover para Rejeitados": a received file that cannot be processed (one
// that does not open, or not meant for this company) is set aside from the
// list of files to process, through the file layer, and kept.

#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "flows/descarterascunho.h"
#include "flows/listasarquivos.h"
#include "interaction/interaction.h"
#include "maintenance/tfcadrecarga.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>

namespace pluvexa {

void Tfcadrecarga::mostraRejeitar()
{
    // Drafts listed at opening are no received files to set aside.
    btnrejeitar->setEnabled(pastaListaRecebidos == pastaRecebidos()
                            && FLBArquivosRecargaRecebidos->currentItem() != nullptr);
}

void Tfcadrecarga::btnrejeitarClick()
{
    const QListWidgetItem* item = FLBArquivosRecargaRecebidos->currentItem();
    if (!item || pastaListaRecebidos != pastaRecebidos())
        return;
    const QString nome = item->text();
    criaPastasTrabalho();
    const QString destino =
        QDir(pastaRejeitados()).filePath(nomeLivre(nome, listaArquivos(pastaRejeitados(), QStringLiteral("*"))));
    FalhaArquivo falha;
    // A file that took the free name meanwhile is not replaced: the move
    // fails and says so.
    if (!moveArquivo(QDir(pastaRecebidos()).filePath(nome), destino, Durabilidade::Duravel, &falha)) {
        m_ctx.interaction->errorBox(textoJanela(falha));
        PageControl1Change();
        return;
    }
    m_ctx.status(QStringLiteral("Arquivo movido para Rejeitados: ") + QFileInfo(destino).fileName(), caminhoVisivel(destino));
    PageControl1Change();
}

}  // namespace pluvexa
