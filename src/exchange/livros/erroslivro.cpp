#include "exchange/livros/erroslivro.h"

#include "exchange/livros/limiteslivro.h"

#include <QLocale>

namespace pluvexa::livros {

namespace {

QLocale brasil()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

QString grande(const QString& porque)
{
    return QStringLiteral("Planilha grande demais: ") + porque;
}

}  // namespace

QString textoGrandeBytes(std::int64_t bytes)
{
    return grande(QStringLiteral("%1 MB (máximo 16 MB)").arg(brasil().toString(double(bytes) / (1024 * 1024), 'f', 1)));
}

QString textoGrandeExpandido()
{
    return grande(QStringLiteral("o conteúdo descompactado passa de 256 MB (máximo 256 MB)"));
}

QString textoGrandeTextos()
{
    return grande(QStringLiteral("os textos compartilhados passam de 32 MB (máximo 32 MB)"));
}

QString textoGrandeAba(const QString& aba, std::int64_t celulas)
{
    return grande(QStringLiteral("a aba %1 tem %2 células (máximo %3)")
                      .arg(aba, brasil().toString(qint64(celulas)), brasil().toString(qint64(kMaisCelulas))));
}

QString textoGrandeDeclarada(std::int64_t celulas)
{
    return grande(QStringLiteral("uma aba declara %1 células (máximo %2)")
                      .arg(brasil().toString(qint64(celulas)), brasil().toString(qint64(kMaisCelulas))));
}

QString textoGrandeCelulas()
{
    const QString n = brasil().toString(qint64(kMaisCelulas));
    return grande(QStringLiteral("mais de %1 células (máximo %1)").arg(n));
}

QString textoGrandeLinhas(const QString& aba)
{
    const QString n = brasil().toString(kMaisLinhas);
    return grande(QStringLiteral("a aba %1 passa de %2 linhas (máximo %2)").arg(aba, n));
}

QString textoGrandeColunas(const QString& aba)
{
    const QString n = brasil().toString(kMaisColunas);
    return grande(QStringLiteral("a aba %1 passa de %2 colunas (máximo %2)").arg(aba, n));
}

QString textoGrandeCaracteres()
{
    const QString n = brasil().toString(qint64(kMaisCaracteres));
    return grande(QStringLiteral("mais de %1 caracteres de texto (máximo %1)").arg(n));
}

QString textoDanificada(const QString& nome)
{
    return QStringLiteral("A planilha %1 está danificada e não pode ser lida.").arg(nome);
}

QString textoNaoPlanilha(const QString& nome)
{
    return QStringLiteral("O arquivo %1 não é uma planilha nem um arquivo de recarga. "
                          "Formatos aceitos: .xlsx, .ods, .xls, .csv, .rrm.")
        .arg(nome);
}

QString textoComSenha(const QString& nome)
{
    return QStringLiteral("A planilha %1 está protegida por senha: salve-a sem senha e importe de novo.").arg(nome);
}

QString textoNaoExcel(const QString& nome)
{
    return QStringLiteral("O arquivo %1 não é uma planilha do Excel: abra-o na planilha e salve como .xlsx.")
        .arg(nome);
}

}  // namespace pluvexa::livros
