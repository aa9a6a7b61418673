#pragma once

// Drives the real maintenance window headless. The test plays the card
// central with the demonstration keys: it writes a recharge file, seals it
// into the received folder and, at the end, opens the answer the window
// wrote. Every dialog goes through a scripted Interaction, every working
// folder lives under a temporary HOME.

#include "codec/keyrecord.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/modelo.h"
#include "support/scriptedinteraction.h"
#include "support/testenv.h"
#include "support/widgets.h"

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class QComboBox;

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::janela {

// The demonstration key pair of the central and the program's public key.
struct ChavesCentral {
    PrivateKeyRecord centralPrivada{};
    PublicKeyRecord propriaPublica{};
    PublicKeyRecord centralPublica{};
};
const ChavesCentral& chavesDemo();

// When the central made the file, and when the window generates (its clock).
QDateTime momentoEnvio();     // 2004-12-09 08:30:00
QDateTime momentoGeracao();   // 2004-12-09 15:30:00

inline constexpr int kEmpresa = 123;
inline constexpr int kTipoDinheiro = 1;   // money, maximum 600
inline constexpr int kTipoCreditos = 2;   // credits, 50 %, maximum 250

// The holders of the central's file, by Usuario:
//   101 MARIA SOUZA   money   group 1 tariff 1
//   102 ANA LIMA      money   group 1 tariff 1
//   103 CARLA DIAS    money   group 1 without tariff (listed under "00")
//   104 DANIEL COSTA  credits group 1 tariff 1
//   105 EVA ROCHA     credits group 1 tariff 2, group 2 tariff 1
//   106 FABIO ALVES   money   group 1 tariff 2
// Tariffs 0 "SEM TARIFA", 1 "URBANA" at 2,30, 2 "METROPOL" at 2,25.
std::unique_ptr<ModeloRecarga> modeloCentral();

// "PX_00123_0007_0412090830_1.rec"
QString nomeRecebidoPadrao();

// The records of `m` as the central writes them, `nome` in the header.
std::vector<Texto> linhasDoModelo(const ModeloRecarga& m, const QString& nome);

// Seals `linhas` as a received file in the received folder; the path.
// `destinatario` is the key the file is sealed for (the program's own by
// default).
QString enviaRecebido(const std::vector<Texto>& linhas, const QString& nome,
                      const PublicKeyRecord* destinatario = nullptr);
// The central's standard file, sealed under nomeRecebidoPadrao().
QString enviaRecebidoPadrao();

// Opens an answer file as the central does: its plain lines, or nothing
// when it does not open.
std::optional<std::vector<Texto>> abreResposta(const QString& caminho);

// Characters pos .. pos+len-1 (1-based) of a record, as text.
QString campoRegistro(const Texto& linha, int pos, int len);

// Names of the files of a folder, sorted.
QStringList arquivosEm(const QString& pasta);

// The notices of an import: its log's place, and the reminder at the end.
inline const QString kAvisoNaoSalvas = QStringLiteral(
    "As Alterações feitas pela importação não estão salvas.\n"
    "Clique no botão 'Salvar Rascunho' para salvar as alterações.");
inline const QString kSucesso = QStringLiteral("Operação Concluída com Sucesso");
QString avisoLogImportacao(const QString& base);

// The question asked before typed values that were not saved would go.
inline const QString kPerguntaDescarte =
    QStringLiteral("Existem valores digitados que não foram salvos. Deseja descartá-los?");
inline const QStringList kBotoesDescarte = {QStringLiteral("Salvar Rascunho"), QStringLiteral("Descartar"),
                                            QStringLiteral("Cancelar")};
enum RespostaDescarte { SalvarRascunho = 0, Descartar = 1, Cancelar = 2 };

// Records every dialog as "kind: text" and answers Yes to every question,
// for tests that judge what was shown afterwards; `aoPerguntar` runs while
// a Yes/No question is open, for tests that act in that moment.
class DialogosAnotados : public Interaction {
public:
    void notice(const QString& text, Icon, const QString&) override { vistos << "notice: " + text; }
    bool question(const QString& text, const QString&) override
    {
        vistos << "question: " + text;
        aoPerguntar();
        return true;
    }
    virtual void aoPerguntar() {}
    void errorBox(const QString& text) override { vistos << "error: " + text; }
    QString openFileName(const QString&, const QString&, const QString&, QString*) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, QString*) override { return {}; }
    void printPreview(const std::function<void(QPagedPaintDevice*)>&, const std::function<QString()>&) override {}
    // As a question; the generation goes on where it is offered ("Gerar
    // Assim Mesmo"), any other takes the first button.
    int confirm(const QString& text, const QStringList& buttons, Icon, const QString&, int) override
    {
        vistos << "question: " + text;
        return std::max(0, int(buttons.indexOf(QStringLiteral("Gerar Assim Mesmo"))));
    }
    QStringList vistos;
};

class JanelaRecargaTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A new window over the test's model (a window still open is deleted
    // first). The constructor runs the opening, draft question included, so
    // the dialogs it shows must be expected before.
    Tfcadrecarga& abre();
    Tfcadrecarga& w() { return *janela; }
    // The open window's widget named `nome` (see support/widgets.h).
    template <typename T>
    T* controle(const char* nome) const
    {
        return test::filho<T>(*janela, nome);
    }
    // The object name of the page the window shows.
    QString paginaAtual() const;

    // Processes the selected received file.
    void processa();
    // Sends the central's standard file, opens a window and processes it.
    void abreEProcessa();
    // "Salvar Rascunho", expecting the success notice.
    void salvaRascunho();
    // Selects the entry of a choice list whose code is `codigo`.
    void escolhe(QComboBox* lista, int codigo);
    void escolheTipo(int codigo);
    void escolheTarifa(int codigo);

    // Grid rows, column 0 being Usuario; -1 when not listed.
    int linhaDoUsuario(int usuario) const;
    QString valorDoUsuario(int usuario) const;
    // Makes the value cell of `linha` current, with the focus in the grid.
    void selecionaValor(int linha);
    // Types `texto` into the value cell of `linha` as the operator does
    // (the first key opens the cell editor); `enter` confirms it.
    void digita(int linha, const QString& texto, bool enter = true);
    void digitaUsuario(int usuario, const QString& texto) { digita(linhaDoUsuario(usuario), texto); }

    // The line of the processing log that begins with `inicio`, or -1.
    int linhaDoLog(const QString& inicio) const;
    // The file the window read last, as its processing log names it; empty
    // when it read none.
    QString arquivoLido() const;
    // The window works on the draft it continued at opening: what it read
    // last came from the draft folder.
    bool continuaRascunho() const;

    // The dialogs of an import of `arquivo` (log named `base`) whose every
    // record is stored.
    void esperaImportacaoSemFalhas(const QString& arquivo, const QString& base);
    // The question "Gerar Arquivo" asks when the review flags anybody,
    // answered "Gerar Assim Mesmo", for tests that judge what comes after
    // it (window_conferirgerar_test judges its counts).
    void esperaGerarAssimMesmo();
    // "Gerar Arquivo" (its question answered "Gerar Assim Mesmo"), then the
    // answer as the central reads it: the group 1
    // value field of each holder's detail record, by Usuario.
    std::map<int, QString> geraEAbreResposta();

    test::TemporaryHome home;
    test::ScriptedInteraction dialogos;
    // When set, the windows opened from then on show their dialogs here
    // instead of the scripted ones.
    Interaction* outrosDialogos = nullptr;
    std::unique_ptr<ModeloRecarga> modelo = std::make_unique<ModeloRecarga>();
    QStringList status;
    QString dicaStatus;  // the tip of status panel 1
    // The files the window said it saved, with their kinds, as the main
    // window hears of them.
    std::vector<std::pair<TipoSalvo, QString>> salvos;
    QDateTime agora = momentoGeracao();
    QPointer<Tfcadrecarga> janela;
};

}  // namespace pluvexa::janela
