#pragma once

// A summary of the kept batches beside them (".resumo" in the history
// folder): each batch's name, size and modification time with the totals
// the listing shows. Listing ten years of months then reads again only the
// batches added or changed since the last listing. It is only a cache: an
// entry that does not match its file to the byte and the millisecond is
// ignored and the batch is read, and a summary that cannot be written costs
// only speed.

#include "history/historico.h"

#include <QFileInfo>
#include <QHash>
#include <QString>

namespace pluvexa {

class IndiceHistorico {
public:
    inline static const QString kNome = QStringLiteral(".resumo");

    // Reads the summary of `pasta`; a missing or damaged one is empty.
    explicit IndiceHistorico(const QString& pasta);

    // Fills the totals of `lote` from its entry when the entry matches the
    // file as it stands now.
    bool preenche(const QFileInfo& arquivo, LoteHistorico& lote) const;
    // Keeps the totals of a batch that was read whole.
    void guarda(const QFileInfo& arquivo, const LoteHistorico& lote);
    // Drops the entries of batches no longer listed.
    void mantemSo(const QStringList& nomes);
    // Writes the summary when it changed; false when it could not.
    bool grava();

private:
    struct Entrada {
        qint64 tamanho = 0;
        qint64 modificado = 0;  // milliseconds since the epoch
        int titularesComValor = 0;
        double totalValor = 0;
        long long totalCreditos = 0;
    };
    QString m_pasta;
    QHash<QString, Entrada> m_entradas;
    bool m_mudou = false;
};

}  // namespace pluvexa
