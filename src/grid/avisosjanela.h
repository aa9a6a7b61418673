#pragma once

// What the grid logic asks of the maintenance window while it works. Each
// hook may be left empty (tests, benchmarks); the window wires them to its
// status panel, buttons, gauge and default-value edit.

#include <QString>
#include <functional>

namespace pluvexa {

struct AvisosJanela {
    // Status panel 1 of the main window.
    std::function<void(const QString&)> status;
    // HabilitaControles: the working buttons, both lists, the default-value
    // edit, the sort choice and the grid.
    std::function<void(bool)> habilitaControles;
    // MostraProgresso: gauge, counter and caption shown or hidden together.
    std::function<void(bool)> mostraProgresso;
    // Caption beside the gauge (Label19).
    std::function<void(const QString&)> legendaProgresso;
    // Gauge maximum and position, counter text; called coarsely.
    std::function<void(int posicao, int maximo)> progresso;
    // Let pending window messages run.
    std::function<void()> processaMensagens;
    // The default-value edit gets this many decimals and the value 0.
    std::function<void(int decimais)> zeraValorPadrao;

    void avisaStatus(const QString& t) const { if (status) status(t); }
    void habilita(bool on) const { if (habilitaControles) habilitaControles(on); }
    void progressoVisivel(bool on) const { if (mostraProgresso) mostraProgresso(on); }
    void legenda(const QString& t) const { if (legendaProgresso) legendaProgresso(t); }
    void avanca(int posicao, int maximo) const { if (progresso) progresso(posicao, maximo); }
    void mensagens() const { if (processaMensagens) processaMensagens(); }
    void valorPadrao(int decimais) const { if (zeraValorPadrao) zeraValorPadrao(decimais); }
};

}  // namespace pluvexa
