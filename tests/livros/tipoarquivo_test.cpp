// The file chosen for import told by its first bytes, and the one text
// that refuses it at once (or none): fixtures saved by Calc or made by
// tests/data/planilhas/gera.py, and a few files written here.

#include "exchange/livros/leituralivro.h"
#include "exchange/livros/tipoarquivo.h"
#include "zipdeteste.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace pluvexa {
namespace {

const QString kNaoPlanilha = QStringLiteral(
    "O arquivo %1 não é uma planilha nem um arquivo de recarga. Formatos aceitos: .xlsx, .ods, .xls, .csv, .rrm.");
const QString kComSenha =
    QStringLiteral("A planilha %1 está protegida por senha: salve-a sem senha e importe de novo.");
const QString kNaoExcel =
    QStringLiteral("O arquivo %1 não é uma planilha do Excel: abra-o na planilha e salve como .xlsx.");
const QString kDanificada = QStringLiteral("A planilha %1 está danificada e não pode ser lida.");

QTemporaryDir& pasta()
{
    static QTemporaryDir dir;
    return dir;
}

QByteArray le(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString grava(const QString& nome, const QByteArray& bytes)
{
    const QString caminho = pasta().filePath(nome);
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return caminho;
}

// How each case's file comes to be.
enum class Origem { Dados, Exemplos, Escrito, Zip };

struct Caso {
    const char* nome;
    Origem origem;
    TipoArquivo tipo;
    QString recusa;  // %1: the file's name; empty: none
    QByteArray bytes = {};
    teste::Partes partes = {};
};

QString caminhoDe(const Caso& c)
{
    const QString nome = QString::fromUtf8(c.nome);
    switch (c.origem) {
    case Origem::Dados: return QStringLiteral(PLUVEXA_TEST_DATA "/planilhas/") + nome;
    case Origem::Exemplos: return QStringLiteral(PLUVEXA_SOURCE_DIR "/examples/") + nome;
    case Origem::Escrito: return grava(nome, c.bytes);
    case Origem::Zip: {
        const QString caminho = pasta().filePath(nome);
        return teste::gravaZip(caminho, c.partes) ? caminho : QString();
    }
    }
    return {};
}

// An OLE2 file that is no workbook: the encrypted fixture with its
// streams renamed.
QByteArray ole2SemLivro()
{
    QByteArray b = le(QStringLiteral(PLUVEXA_TEST_DATA "/planilhas/senha.xlsx"));
    const QByteArray de = QByteArray("E\0n\0c\0r\0y\0p\0t\0i\0o\0n", 20);
    b.replace(de, QByteArray("X\0n\0c\0r\0y\0p\0t\0i\0o\0n", 20));
    return b;
}

QByteArray comNul()
{
    QByteArray b(200, ' ');
    b[150] = '\0';
    return b;
}

const QString kGrandeDeclarado =
    QStringLiteral("Planilha grande demais: o conteúdo descompactado passa de 256 MB (máximo 256 MB)");

std::vector<Caso> casos()
{
    return {
        {"folha.xlsx", Origem::Dados, TipoArquivo::Xlsx, {}},
        {"folha.ods", Origem::Dados, TipoArquivo::Ods, {}},
        {"folha.xls", Origem::Dados, TipoArquivo::Xls, {}},
        {"folha_2026_03.csv", Origem::Exemplos, TipoArquivo::Csv, {}},
        {"folha_2026_03.rrm", Origem::Exemplos, TipoArquivo::Rrm, {}},
        {"pdf.xlsx", Origem::Dados, TipoArquivo::NaoPlanilha, kNaoPlanilha},
        {"pagina.xls", Origem::Dados, TipoArquivo::NaoExcel, kNaoExcel},
        {"senha.ods", Origem::Dados, TipoArquivo::ComSenha, kComSenha},
        {"senha.xlsx", Origem::Dados, TipoArquivo::ComSenha, kComSenha},
        {"danificada.xlsx", Origem::Dados, TipoArquivo::Danificado, kDanificada},
        // Bounds its zip directory declares, told before anything expands.
        {"declarada.xlsx", Origem::Dados, TipoArquivo::Xlsx, kGrandeDeclarado},
        {"grande.xls", Origem::Dados, TipoArquivo::Xls,
         QStringLiteral("Planilha grande demais: uma aba declara 16.777.216 células (máximo 2.000.000)")},
        {"foto.png", Origem::Escrito, TipoArquivo::NaoPlanilha, kNaoPlanilha,
         QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, 'x')},
        {"foto.jpg", Origem::Escrito, TipoArquivo::NaoPlanilha, kNaoPlanilha, QByteArray("\xFF\xD8\xFF\xE0", 4)},
        {"binario.rrm", Origem::Escrito, TipoArquivo::NaoPlanilha, kNaoPlanilha, comNul()},
        {"documento.doc", Origem::Escrito, TipoArquivo::NaoPlanilha, kNaoPlanilha, ole2SemLivro()},
        {"texto.xlsx", Origem::Escrito, TipoArquivo::NaoExcel, kNaoExcel, QByteArray("Matrícula;Valor\r\n1;2\r\n")},
        {"planilha2003.xls", Origem::Escrito, TipoArquivo::NaoExcel, kNaoExcel,
         QByteArray("\xEF\xBB\xBF  <?xml version=\"1.0\"?>\n<Workbook/>")},
        {"texto.ods", Origem::Escrito, TipoArquivo::NaoPlanilha, kNaoPlanilha, QByteArray("Matrícula;Valor\n")},
        {"documento.docx", Origem::Zip, TipoArquivo::NaoPlanilha, kNaoPlanilha, {},
         {{QStringLiteral("[Content_Types].xml"), "<Types/>"}, {QStringLiteral("word/document.xml"), "<w/>"}}},
        {"arquivos.zip", Origem::Zip, TipoArquivo::NaoPlanilha, kNaoPlanilha, {},
         {{QStringLiteral("leia.txt"), "texto"}}},
        {"texto.odt", Origem::Zip, TipoArquivo::NaoPlanilha, kNaoPlanilha, {},
         {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"}}},
    };
}

class Recusa : public testing::TestWithParam<Caso> {};

TEST_P(Recusa, KindAndTextFromTheFirstBytes)
{
    const Caso& c = GetParam();
    const QString caminho = caminhoDe(c);
    ASSERT_FALSE(caminho.isEmpty());
    EXPECT_EQ(tipoArquivo(caminho), c.tipo);
    const std::optional<QString> recusa = recusaArquivo(caminho);
    if (c.recusa.isEmpty()) {
        EXPECT_FALSE(recusa.has_value()) << recusa->toStdString();
        return;
    }
    const QString esperada = c.recusa.contains(QLatin1String("%1")) ? c.recusa.arg(QString::fromUtf8(c.nome)) : c.recusa;
    ASSERT_TRUE(recusa.has_value());
    EXPECT_EQ(*recusa, esperada);
    // Reading it as a workbook refuses it with the same words and no sheet.
    const Livro livro = leLivro(caminho);
    EXPECT_EQ(livro.erro, esperada);
    EXPECT_TRUE(livro.abas.empty());
}

INSTANTIATE_TEST_SUITE_P(Arquivos, Recusa, testing::ValuesIn(casos()), [](const auto& info) {
    std::string nome = info.param.nome;
    for (char& ch : nome)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return nome;
});

// A file that is gone is the import run's to report, in its log, whatever
// its name.
TEST(RecusaArquivo, AMissingFileIsLeftToTheRun)
{
    for (const char* nome : {"sumiu.xlsx", "sumiu.ods", "sumiu.xls", "sumiu.csv", "sumiu.rrm"})
        EXPECT_FALSE(recusaArquivo(pasta().filePath(QString::fromUtf8(nome))).has_value()) << nome;
}

}  // namespace
}  // namespace pluvexa
