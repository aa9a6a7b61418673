// What the program writes, kept byte for byte: a draft's plain text, an
// answer's plain text as the central reads it, and the kept batch of that
// answer, each made from a fixed model at a fixed moment. A change to the
// reader, the writer or the coder that alters one byte fails here; a change
// meant to alter them regenerates the references (see kComoRegenerar) and
// shows the difference in review.

#include "central/ladocentral.h"
#include "codec/lzw.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/registros.h"
#include "recordfixture.h"
#include "support/arquivosteste.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace pluvexa {
namespace {

using namespace pluvexa::test;

constexpr const char* kComoRegenerar =
    "to make the references from the current code, run\n"
    "  PLUVEXA_GRAVA_REFERENCIAS=1 build/tests/recharge_tests --gtest_filter='Referencia*'\n"
    "and review the difference before committing it";

const QDateTime kMomento(QDate(2026, 3, 14), QTime(9, 26, 53));
const QString kNomeResposta = QStringLiteral("PX_00042_0007_2603140926_2.REC");
const QString kNomeLote = QStringLiteral("PX_00042_0007_2603140926_2.HIS");

QString referencia(const char* nome)
{
    return QStringLiteral(PLUVEXA_TEST_DATA "/recharge/") + QString::fromLatin1(nome);
}

// A holder whose name and registration carry accented letters (as
// Windows-1252 bytes) and who uses every tariff group.
std::string detalheAcentuadoLinha()
{
    return "01" "0000000125" "0000004569" + txt(paraCp1252(QStringLiteral("JOÃO CONCEIÇÃO")), 50)
        + txt(paraCp1252(QStringLiteral("MAT-Ç9")), 20) + "02"
        "0005" "000000000000000008" + zeros(18) + "000000000000000000"
        "0003" "002" "000" "0005" "001" "000" "0003" "003" "000" + zeros(18) + std::string(12, ' ')
        + "00011" "00010" "00009" "00004" "00003" "00000" "00001" "00000" "00002" "00007" "00006"
          "00005";
}

// A value typed for a holder's group.
struct Digitado {
    std::size_t portador;
    std::size_t grupo;
    double valor;
};

// The model read from `linhas`, then the values typed.
std::unique_ptr<ModeloRecarga> carregaModelo(const std::vector<Texto>& linhas, std::initializer_list<Digitado> valores)
{
    auto m = std::make_unique<ModeloRecarga>();
    LeitorRecarga leitor(*m, linhas);
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const std::string tipo = linhas[i].substr(0, 2);
        const bool ok = tipo == "00"   ? leitor.Proc_header(int(i))
                        : tipo == "01" ? leitor.Proc_detalhe(int(i))
                        : tipo == "04" ? leitor.Proc_tipocartao(int(i))
                        : tipo == "05" ? leitor.Proc_tarifa(int(i))
                                       : leitor.Proc_trailer(int(i));
        EXPECT_TRUE(ok) << "line " << i;
    }
    for (const Digitado& d : valores)
        m->wRecarga[d.portador].Grupo[d.grupo].Valor = d.valor;
    return m;
}

// The draft: the fixture's file with the accented holder, values typed.
std::unique_ptr<ModeloRecarga> modeloRascunho()
{
    std::vector<Texto> linhas = arquivoExemplo();
    linhas.insert(linhas.end() - 1, detalheAcentuadoLinha());
    return carregaModelo(linhas, {{0, 0, 37.45}, {1, 0, 12}, {1, 1, 3}, {2, 2, 250}});
}

// The answer: a short header (216 characters) and a card type without its
// maximum (60), so that what the writer fills in is kept too.
std::unique_ptr<ModeloRecarga> modeloResposta()
{
    return carregaModelo({headerLinha().substr(0, 216), tipoDinheiroLinha(), tipoCreditosLinha(), tarifa00Linha(),
                          tarifa03Linha(), tarifa05Linha(), detalheDinheiroLinha(), detalheCreditosLinha(),
                          detalheAcentuadoLinha(), trailerLinha(10, 3, 2, 1, 1)},
                         {{0, 0, 599.99}, {1, 0, 0}, {2, 0, 40}, {2, 3, 7}});
}

std::vector<Texto> linhasResposta(const ModeloRecarga& m)
{
    const ResultadoEscrita e = EscritorRecarga(m).gera(paraCp1252(kNomeResposta), kMomento, kMomento.addSecs(2));
    EXPECT_TRUE(e.ok()) << e.textosRecusas().join(QLatin1Char('\n')).toStdString();
    return e.linhas;
}

QByteArray bytes(const std::vector<std::uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

std::span<const std::uint8_t> vista(const QByteArray& b)
{
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())};
}

// Compares `feito` with the reference `nome`; writes it instead when asked.
void confere(const char* nome, const QByteArray& feito)
{
    const QString caminho = referencia(nome);
    if (qEnvironmentVariableIsSet("PLUVEXA_GRAVA_REFERENCIAS")) {
        QDir().mkpath(QFileInfo(caminho).path());
        grava(caminho, feito);
        return;
    }
    if (!QFileInfo(caminho).isFile())
        FAIL() << "reference missing: " << caminho.toStdString() << "\n" << kComoRegenerar;
    const QByteArray esperado = test::le(caminho);
    if (esperado == feito)
        return;
    qsizetype k = 0;
    while (k < esperado.size() && k < feito.size() && esperado[k] == feito[k])
        ++k;
    const qsizetype linha = esperado.left(k).count('\n') + 1;
    ADD_FAILURE() << nome << " differs from its reference at byte " << k << " (line " << linha << "): "
                  << feito.size() << " bytes made, " << esperado.size() << " kept\n"
                  << "  kept: " << esperado.mid(k, 40).toStdString() << "\n"
                  << "  made: " << feito.mid(k, 40).toStdString() << "\n"
                  << "if the change is meant, " << kComoRegenerar;
}

class Referencia : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(Referencia, DraftPlainText)
{
    const auto m = modeloRascunho();
    std::vector<Texto> linhas = linhasResposta(*m);
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), kNomeResposta, true), EmpacotamentoOk);
    const lzw::ExpandResult texto = lzw::expand(vista(test::le(dir.filePath(kNomeResposta))));
    ASSERT_EQ(texto.status, lzw::ExpandStatus::Ok);
    confere("rascunho.txt", bytes(texto.bytes));
}

TEST_F(Referencia, AnswerPlainTextAsTheCentralReadsIt)
{
    const auto m = modeloResposta();
    std::vector<Texto> linhas = linhasResposta(*m);
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), kNomeResposta, false), EmpacotamentoOk);
    const QString lido = dir.filePath(QStringLiteral("lido.txt"));
    const RespostaCentral r = leArquivoResposta(dir.filePath(kNomeResposta), lido,
                                                test::chaveDemo<PrivateKeyRecord>("central.private"),
                                                test::chaveDemo<PublicKeyRecord>("own.public"));
    ASSERT_EQ(r.resultado, CentralOk) << r.codigoEnvelope;
    confere("resposta.txt", test::le(lido));
}

// Kept as "Gerar Arquivo" keeps it: the answer's lines compressed as a draft.
TEST_F(Referencia, KeptBatch)
{
    const auto m = modeloResposta();
    std::vector<Texto> linhas = linhasResposta(*m);
    ASSERT_EQ(CompactaArquivo(linhas, dir.path(), kNomeLote, true), EmpacotamentoOk);
    confere("lote.HIS", test::le(dir.filePath(kNomeLote)));
}

}  // namespace
}  // namespace pluvexa
