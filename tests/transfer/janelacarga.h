#pragma once

// The transfer window open over the scenario's folders: two received files
// on the disk, one answer generated, the process's current folder on the
// disk (where the window starts).

#include "transfer/tfcargaarquivos.h"
#include "transferfixture.h"

#include <QDir>
#include <QListWidget>
#include <QStringList>
#include <memory>

namespace pluvexa::transferencia {

inline QStringList itens(const QListWidget* lista)
{
    QStringList r;
    for (int i = 0; i < lista->count(); ++i)
        r << lista->item(i)->text();
    return r;
}

class JanelaCarga : public ::testing::Test {
protected:
    Cenario c;
    QString pastaAnterior = QDir::currentPath();
    std::unique_ptr<Tfcargaarquivos> janela;

    void SetUp() override
    {
        grava(c.noDisco(kRecebido1), "first");
        grava(c.noDisco(kRecebido2), "second");
        grava(c.gerado(kResposta1), "answer");
        // The window starts in the process's current folder.
        ASSERT_TRUE(QDir::setCurrent(c.disco.path()));
        AppContext ctx;
        ctx.interaction = &c.dialogos;
        janela = std::make_unique<Tfcargaarquivos>(ctx);
    }
    void TearDown() override { QDir::setCurrent(pastaAnterior); }
};

}  // namespace pluvexa::transferencia
