#include "exchange/relatorioimportacao.h"

#include "exchange/recargaexterna.h"
#include "recharge/formatonumero.h"

namespace pluvexa {

RelatorioImportacao montaRelatorioImportacao(const RecargaExterna& run, const QString& titulo,
                                             const QString& empresa, const QString& arquivo,
                                             const QDate& hoje)
{
    RelatorioImportacao r;
    r.qrlnomecadastro = titulo;
    r.qrlrelatorio = QStringLiteral("Empresa : ") + empresa;
    r.qrlperiodo = QStringLiteral("Arquivo   : ") + arquivo;
    r.qrlfiltro = QStringLiteral("Importado : ") + dataCurta(hoje);
    r.QRLabel1 = QStringLiteral("Linha do Arquivo      Matrícula                                 Erro");
    r.Linhas = run.linhasResultado();
    return r;
}

}  // namespace pluvexa
