// The script that answers the dialogs of the tests and of the manual's
// screenshots: what it answers, and what it calls a failure.

#include "interaction/interacaoroteirizada.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace pluvexa {
namespace {

using Tipo = InteracaoRoteirizada::Tipo;
using Casamento = InteracaoRoteirizada::Casamento;

// Keeps the failures instead of stopping.
class Roteiro final : public InteracaoRoteirizada {
public:
    QStringList falhas;

protected:
    void falha(const QString& porque) override { falhas << porque; }
};

const QStringList kBotoes{QStringLiteral("Gerar"), QStringLiteral("Conferir"), QStringLiteral("Cancelar")};

struct Caso {
    const char* nome;
    InteracaoRoteirizada::Passo passo;
    // What the code shows; the answer it gets (question 1/0, choice index,
    // -2 for a notice or an error box) and the start of the failure, if any.
    std::function<int(Interaction&)> mostra;
    int resposta;
    const char* falha;
};

const Caso kCasos[] = {
    {"NoticeEqual", {Tipo::Aviso, "Gravado"}, [](Interaction& i) { i.notice("Gravado"); return -2; }, -2, ""},
    {"NoticeOtherText", {Tipo::Aviso, "Gravado"}, [](Interaction& i) { i.notice("Gravado!"); return -2; }, -2,
     "dialog mismatch: expected notice: Gravado"},
    {"ErrorByItsStart", {Tipo::Erro, "Erro ao", Casamento::Inicio},
     [](Interaction& i) { i.errorBox("Erro ao gravar"); return -2; }, -2, ""},
    {"StartIsNoExcerpt", {Tipo::Erro, "gravar", Casamento::Inicio},
     [](Interaction& i) { i.errorBox("Erro ao gravar"); return -2; }, -2, "dialog mismatch"},
    {"QuestionYes", {Tipo::Pergunta, "Apaga?", Casamento::Igual, true},
     [](Interaction& i) { return int(i.question("Apaga?")); }, 1, ""},
    {"AQuestionIsNoNotice", {Tipo::Pergunta, "Apaga?", Casamento::Igual, true},
     [](Interaction& i) { i.notice("Apaga?"); return -2; }, -2, "dialog mismatch: expected question"},
    {"ChoiceByIndex", {Tipo::Escolha, "Gerar?", Casamento::Igual, false, {}, 1, kBotoes},
     [](Interaction& i) { return i.confirm("Gerar?", kBotoes); }, 1, ""},
    {"ChoiceOfOtherButtons", {Tipo::Escolha, "Gerar?", Casamento::Igual, false, {}, 1, {"Sim", "Não"}},
     [](Interaction& i) { return i.confirm("Gerar?", kBotoes); }, 1, "buttons mismatch"},
    {"AnyDialogByExcerptAndCaption", {Tipo::Dialogo, "habitual", Casamento::Trecho, false, "Cancelar"},
     [](Interaction& i) { return i.confirm("3 acima do habitual. Gerar?", kBotoes); }, 2, ""},
    {"ACaptionNotOffered", {Tipo::Dialogo, "habitual", Casamento::Trecho, false, "Fechar"},
     [](Interaction& i) { return i.confirm("acima do habitual", kBotoes); }, -1, "no button \"Fechar\""},
    {"AnyChooserAnswersItsPath", {Tipo::Arquivo, "/tmp/x.csv"},
     [](Interaction& i) { return int(i.saveFileName("Exportar", {}, {}) == "/tmp/x.csv"); }, 1, ""},
    {"AnOpenChooserIsNoSaveChooser", {Tipo::Salvar, "/tmp/x.csv"},
     [](Interaction& i) { return int(i.openFileName("Importar", {}, {}) == "/tmp/x.csv"); }, 1,
     "dialog mismatch: expected savefile"},
};

// The dialogs the spreadsheet import adds: the list of sheets, the column
// mapping, and the open chooser's filter.
InteracaoRoteirizada::Passo passoColunas(const char* cabecalho, QList<int> colunas)
{
    InteracaoRoteirizada::Passo p{Tipo::Colunas, cabecalho};
    p.colunas = std::move(colunas);
    return p;
}
InteracaoRoteirizada::Passo passoFiltro(const char* caminho, const char* filtro)
{
    InteracaoRoteirizada::Passo p{Tipo::Abrir, caminho};
    p.filtro = filtro;
    return p;
}
PedidoColunas pedido(QStringList cabecalho)
{
    PedidoColunas p;
    p.cabecalho = std::move(cabecalho);
    p.campos = QStringList{"Matrícula", "Usuário", "Cartão", "Valor", "Tipo"};
    return p;
}
const QStringList kAbas{QStringLiteral("Março"), QStringLiteral("Abril")};

const Caso kCasosPlanilha[] = {
    {"ListByItem", {Tipo::Lista, "escolha a aba", Casamento::Igual, false, "Abril"},
     [](Interaction& i) { return i.escolheItem("escolha a aba", kAbas); }, 1, ""},
    {"ListCancelled", {Tipo::Lista, "escolha a aba"},
     [](Interaction& i) { return i.escolheItem("escolha a aba", kAbas); }, -1, ""},
    {"ListItemNotOffered", {Tipo::Lista, "escolha a aba", Casamento::Igual, false, "Maio"},
     [](Interaction& i) { return i.escolheItem("escolha a aba", kAbas); }, -1, "no item \"Maio\""},
    {"ColumnsByHeader", passoColunas("Cód; Quantia", {0, -1, -1, 1, -1}),
     [](Interaction& i) { return int(i.escolheColunas(pedido({"Cód", "Quantia"})) == QList<int>{0, -1, -1, 1, -1}); },
     1, ""},
    {"ColumnsCancelled", passoColunas("Cód; Quantia", {}),
     [](Interaction& i) { return int(i.escolheColunas(pedido({"Cód", "Quantia"})).size()); }, 0, ""},
    {"ColumnsOfAnotherHeader", passoColunas("Cód; Quantia", {0, -1, -1, 1, -1}),
     [](Interaction& i) { return int(i.escolheColunas(pedido({"Nome", "Quantia"})).size()); }, 5,
     "dialog mismatch: expected columns: Cód; Quantia"},
    {"ColumnsForTooFewFields", passoColunas("Cód", {0, 1}),
     [](Interaction& i) { return int(i.escolheColunas(pedido({"Cód"})).size()); }, 2, "columns answer of 2 fields"},
    {"TheFilterChosen", passoFiltro("/tmp/x.csv", "Planilhas (*.csv)"),
     [](Interaction& i) {
         QString filtro = QStringLiteral("Arquivo Recarga (*.rrm)");
         return int(i.openFileName("Importar", {}, {}, &filtro) == "/tmp/x.csv" && filtro == "Planilhas (*.csv)");
     },
     1, ""},
    {"ThePreselectedFilterStays", {Tipo::Abrir, "/tmp/x.rrm"},
     [](Interaction& i) {
         QString filtro = QStringLiteral("Arquivo Recarga (*.rrm)");
         return int(i.openFileName("Importar", {}, {}, &filtro) == "/tmp/x.rrm" && filtro == "Arquivo Recarga (*.rrm)");
     },
     1, ""},
    {"TheDefaultInteractionCancelsBoth", {Tipo::Aviso, "x"},
     [](Interaction& i) {
         // The interface's own answers, for an implementation that offers
         // neither dialog.
         i.notice("x");
         return i.Interaction::escolheItem("t", kAbas) + int(i.Interaction::escolheColunas(pedido({"A"})).size());
     },
     -1, ""},
};

void PrintTo(const Caso& c, std::ostream* os)
{
    *os << c.nome;
}

class Script : public ::testing::TestWithParam<Caso> {};

TEST_P(Script, AnswersAsAnnouncedAndSaysWhatDiffers)
{
    const Caso& c = GetParam();
    Roteiro r;
    r.espera(c.passo);
    EXPECT_EQ(c.mostra(r), c.resposta);
    EXPECT_TRUE(r.allConsumed());
    if (*c.falha) {
        ASSERT_EQ(r.falhas.size(), 1) << r.falhas.join('\n').toStdString();
        EXPECT_TRUE(r.falhas.first().startsWith(QString::fromUtf8(c.falha))) << r.falhas.first().toStdString();
    } else {
        EXPECT_TRUE(r.falhas.isEmpty()) << r.falhas.join('\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Planilha, Script, ::testing::ValuesIn(kCasosPlanilha),
                         [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(Passos, Script, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Script, ADialogNobodyAnnouncedFailsAndIsRecordedWhileAnnouncedOnesWait)
{
    Roteiro r;
    Interaction& i = r;
    EXPECT_FALSE(i.question("Apaga?"));
    ASSERT_EQ(r.falhas, QStringList{"unexpected dialog: question: Apaga?"});
    EXPECT_EQ(r.shown(), QStringList{"question: Apaga?"});

    r.espera({Tipo::Aviso, "um"}).espera({Tipo::Visualizacao});
    i.notice("um");
    EXPECT_FALSE(r.allConsumed());
    ASSERT_EQ(r.pendentes().size(), 1u);
    EXPECT_EQ(InteracaoRoteirizada::descricao(r.pendentes().front()), "printpreview: ");
}

TEST(Script, APreviewRunsWhatTheScriptDoesWhileItShows)
{
    Roteiro r;
    bool pintou = false;
    QString salvo;
    InteracaoRoteirizada::Passo p{Tipo::Visualizacao};
    p.durante = [&](const InteracaoRoteirizada::Pintura& paint, const std::function<QString()>& savePdf) {
        paint(nullptr);
        salvo = savePdf();
    };
    r.espera(p);
    r.printPreview([&](QPagedPaintDevice*) { pintou = true; }, [] { return QStringLiteral("/tmp/l.pdf"); });
    EXPECT_TRUE(pintou);
    EXPECT_EQ(salvo, "/tmp/l.pdf");
    EXPECT_TRUE(r.falhas.isEmpty());
}

}  // namespace
}  // namespace pluvexa
