#pragma once

// The two runs of the disk transfer window, without widgets: "Carregar"
// copies received files from a disk into the received folder, "Gerar"
// copies answer files onto the company's disk. A copy is complete (written
// under a temporary name, flushed, its size checked, renamed into place)
// before its source is renamed to "_4.REC". Every step that fails is named in
// the message that ends the run; nothing is called a success that did not
// arrive.

#include "interaction/interaction.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace pluvexa {

class ListaArquivos;

class TransferenciaDisco {
public:
    explicit TransferenciaDisco(Interaction& interacao) : m_interacao(interacao) {}

    // Carregar: the selected files of `origem` into the received folder.
    void carrega(ListaArquivos& origem);
    // Gerar: the selected files of `gerados` into `pastaDestino`, asking for
    // the company's disk in `unidade` (the drive as the operator knows it)
    // before each one. `gerados` shows the destination afterwards.
    void gera(ListaArquivos& gerados, const QString& pastaDestino, const QString& unidade);
    // Offers to delete the recharge files ("*.REC") of `pasta`; the files
    // named in `protegidos` (full paths, through any link) are never deleted.
    void ApagaDisco(const QString& pasta, const QStringList& protegidos);

    // One line per failure of the last run: "<nome do arquivo> - <motivo>".
    const QStringList& falhas() const { return m_falhas; }

    // A file the last run put in place, and the full path it now has there.
    struct Copia {
        QString nome;
        QString destino;
    };
    // Every file the last run copied, in the order copied: what the window
    // lists afterwards, so the operator sees where each one went.
    const QList<Copia>& copiados() const { return m_copiados; }

private:
    bool haSelecao(const ListaArquivos& lista);
    // Copies `origem` to `destino` and only then marks the source as
    // transferred. False, with the failure noted, when either step fails.
    bool transfere(const QString& origem, const QString& destino);
    void falha(const QString& nome, const QString& motivo);
    void encerra();

    Interaction& m_interacao;
    QStringList m_falhas;
    QList<Copia> m_copiados;
};

// Texts of the runs.
inline const QString kSelecioneArquivos = QStringLiteral("Selecione os arquivos a carregar");
inline const QString kSucesso = QStringLiteral("Arquivos Processados com Sucesso!");
inline const QString kComErros = QStringLiteral("Arquivos processados com erros:");
inline const QString kMesmoArquivo = QStringLiteral("origem e destino são o mesmo arquivo");
inline const QString kApagaArquivos = QStringLiteral("No local escolhido há arquivos de Recarga. Apaga os arquivos ?");
inline const QString kDestinoDeTrabalho =
    QStringLiteral("O destino escolhido é uma pasta de trabalho do Pluvexa - escolha o disco da empresa!");

}  // namespace pluvexa
