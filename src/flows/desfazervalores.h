#pragma once

// The undo and redo of the grid's values. Each action that changes values
// (a typed value, "Alterar Vlr.", "Repetir Última Recarga", an import) runs
// as one step: the values are pictured when it begins and what differs when
// it ends becomes one command on a QUndoStack, so undoing it touches only
// what that action changed. Steps opened while one is open belong to it
// (the write-back inside "Alterar Vlr." is part of it). No widgets: the
// window shows the result.

#include "grid/passovalores.h"
#include "recharge/modelo.h"

#include <QString>
#include <QUndoStack>
#include <vector>

namespace pluvexa {

// The steps' names, as the context menu shows them after "Desfazer" and
// "Refazer".
inline const QString kPassoDigitado = QStringLiteral("Valor Digitado");
inline const QString kPassoAlterarVlr = QStringLiteral("Alterar Vlr.");
inline const QString kPassoRepetir = QStringLiteral("Repetir Última Recarga");
inline const QString kPassoImportar = QStringLiteral("Importar Arquivo");

// What an undo or a redo took: the values it put back, and the line by which
// the processing log records it ("Desfeito: Alterar Vlr."), so that the log
// never reads as if a value taken back were still there. Both empty when
// there was no step to take.
struct PassoTomado {
    std::vector<MudancaValor> mudancas;
    QString linhaLog;
};

class DesfazerValores {
public:
    explicit DesfazerValores(ModeloRecarga& m);
    DesfazerValores(const DesfazerValores&) = delete;
    DesfazerValores& operator=(const DesfazerValores&) = delete;

    // A step named `texto` begins: the values as they stand are pictured.
    // Inside an open step it only nests in it.
    void abrePasso(const QString& texto);
    // The step ends (the outermost one): what changed since the picture
    // becomes one step; true when something did.
    bool fechaPasso();

    bool podeDesfazer() const { return m_pilha.canUndo(); }
    bool podeRefazer() const { return m_pilha.canRedo(); }
    // "Desfazer Alterar Vlr.", or "Desfazer" alone with nothing to undo.
    QString textoDesfazer() const;
    QString textoRefazer() const;

    // Puts back the values of the last step (the one after it).
    PassoTomado desfaz();
    PassoTomado refaz();

    // Another file: the steps of the previous one no longer apply.
    void limpa();
    // The values as they stand were saved.
    void marcaSalvo() { m_pilha.setClean(); }
    // The values are those last saved (or loaded), as far as the steps tell.
    bool salvo() const { return m_pilha.isClean(); }

    // Announces every change of the steps (indexChanged, cleanChanged).
    QUndoStack& pilha() { return m_pilha; }

private:
    PassoTomado tomado(const QString& acao, int indice) const;

    ModeloRecarga& m_modelo;
    QUndoStack m_pilha;
    ValoresModelo m_antes;
    QString m_texto;
    int m_abertos = 0;
};

// Opens a step for the life of a scope, so that every way out closes it.
class PassoDesfazer {
public:
    PassoDesfazer(DesfazerValores& d, const QString& texto) : m_d(d) { m_d.abrePasso(texto); }
    ~PassoDesfazer() { m_d.fechaPasso(); }
    PassoDesfazer(const PassoDesfazer&) = delete;
    PassoDesfazer& operator=(const PassoDesfazer&) = delete;

private:
    DesfazerValores& m_d;
};

}  // namespace pluvexa
