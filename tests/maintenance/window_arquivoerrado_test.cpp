// "Importar Arquivo" given a file that is no spreadsheet nor payroll file,
// or a workbook it cannot open: one error box says so, and nothing is
// imported, logged or reported.

#include "maintenance/windowfixture.h"

#include <QDir>
#include <QPushButton>

namespace pluvexa::janela {
namespace {

struct Errado {
    const char* arquivo;
    const char* texto;
};

class ArquivoErrado : public JanelaRecargaTest, public testing::WithParamInterface<Errado> {};

TEST_P(ArquivoErrado, OneErrorBoxAndNothingImportedLoggedOrReported)
{
    abreEProcessa();
    const QString arquivo = QStringLiteral(PLUVEXA_TEST_DATA "/planilhas/") + QString::fromUtf8(GetParam().arquivo);
    dialogos.expectOpenFile(arquivo);
    dialogos.expectNotice(QString::fromUtf8(GetParam().texto));
    controle<QPushButton>("btnimportararq")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(dialogos.lastIcon(), Interaction::Icon::Error);
    EXPECT_FALSE(w().valoresPendentes());
    for (int i = 0; i < modelo->QtdRecarga; ++i)
        EXPECT_EQ(modelo->wRecarga[size_t(i)].Grupo[0].Valor, 0.0);
    const QDir log(home.path() + QStringLiteral("/Drovanti/Pluvexa/Log"));
    EXPECT_TRUE(!log.exists() || log.isEmpty());
    EXPECT_TRUE(controle<QPushButton>("btnimportararq")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, ArquivoErrado,
    testing::Values(Errado{"pdf.xlsx", "O arquivo pdf.xlsx não é uma planilha nem um arquivo de recarga. Formatos "
                                       "aceitos: .xlsx, .ods, .xls, .csv, .rrm."},
                    Errado{"senha.xlsx", "A planilha senha.xlsx está protegida por senha: salve-a sem senha e importe "
                                         "de novo."},
                    Errado{"pagina.xls", "O arquivo pagina.xls não é uma planilha do Excel: abra-o na planilha e salve "
                                         "como .xlsx."}));

}  // namespace
}  // namespace pluvexa::janela
