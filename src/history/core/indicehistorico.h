#pragma once

// A summary of the kept batches beside them (".resumo" in the history
// folder): each batch's name, size and modification time with the totals
// the listing shows, or, for a batch that could not be read, why. Listing
// ten years of months then reads again only the batches added or changed
// since the last listing, and a damaged batch costs its reading once. It
// is only a cache: an entry that does not match its file to the byte and
// the millisecond is ignored and the batch is read, a summary that is no
// regular file, is larger than 4 MiB or cannot be written costs only
// speed, and a link put in a batch's place is never taken from it.

#include "history/core/historico.h"

#include <QFileInfo>
#include <QHash>
#include <QString>

namespace pluvexa {

class IndiceHistorico {
public:
    inline static const QString kNome = QStringLiteral(".resumo");

    // Reads the summary of `pasta`; a missing or damaged one is empty.
    explicit IndiceHistorico(const QString& pasta);

    // Fills the totals of `lote` (or its error and reason, for a damaged
    // one) from its entry when the entry matches the file as it stands now.
    bool preenche(const QFileInfo& arquivo, LoteHistorico& lote) const;
    // Keeps the totals of a batch that was read whole, or the error and
    // reason of one that could not be; nothing for what is no regular file.
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
        QString erro;    // not empty: the batch could not be read
        QString motivo;
    };
    QString m_pasta;
    QHash<QString, Entrada> m_entradas;
    bool m_mudou = false;
};

}  // namespace pluvexa
