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
