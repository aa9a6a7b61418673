// The Arquivos page follows its folders: a file the disk transfer loads, an
// answer written, a file moved by hand appear in (or leave) the lists while
// the page is shown, without the operator leaving it and coming back.

#include "files/pastastrabalho.h"
#include "flows/listasarquivos.h"
#include "files/vigiapastas.h"
#include "maintenance/tfcadrecarga.h"
#include "ui/listanomes.h"

#include <QListWidget>
#include <QStackedWidget>

namespace pluvexa {

void Tfcadrecarga::vigiaPastas()
{
    m_vigia = new VigiaPastas(this);
    m_vigia->setObjectName(QStringLiteral("vigiapastas"));
    connect(m_vigia, &VigiaPastas::mudou, this, [this] { acompanhaPastas(); });
    m_vigia->vigia({pastaListaRecebidos, pastaProcessados(), pastaGerados()});
}

void Tfcadrecarga::acompanhaPastas()
{
    // Another page is shown: it reads the lists afresh when it comes back.
    if (PageControl1->currentWidget() != tbarquivos)
        return;
    // The folders are watched again each time: one removed and made anew
    // is another folder to the system.
    m_vigia->vigia({pastaListaRecebidos, pastaProcessados(), pastaGerados()});
    // The folder the received list shows stays (the drafts' at opening).
    if (!trocaNomes(FLBArquivosRecargaRecebidos, listaArquivos(pastaListaRecebidos, mascaraListaRecebidos))
        && FLBArquivosRecargaRecebidos->count() > 0)
        FLBArquivosRecargaRecebidos->setCurrentRow(0);
    trocaNomes(FLBArquivosRecargaProcessados, listaArquivos(pastaProcessados(), QStringLiteral("*_1.rec")));
    trocaNomes(FLBArquivosRecargaGerados, listaArquivos(pastaGerados(), QStringLiteral("*_2.rec")));
    mostraTotaisListas();
}

}  // namespace pluvexa
