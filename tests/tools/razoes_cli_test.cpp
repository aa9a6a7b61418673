// Why a file cannot be read, as pluvexa-cli tells a support engineer: a
// received file that does not open says what it is (empty, cut short,
// plain text, a draft, sealed for another key, altered), and a text that
// the processing stops on or finds inconsistent points at its lines.

#include "cli/core/diagnosticoenvelope.h"
#include "cli/diagnosticolinhas.h"
#include "clirun.h"
#include "codec/keyrecord.h"
#include "recharge/processamento.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace pluvexa {
namespace {

using test::Execucao;
using test::executa;

const QString kTexto = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
const QString kChaves = QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/");

std::span<const std::uint8_t> bytes(const QByteArray& b)
{
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())};
}

class Razoes : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(executa({"central", "make-received", kTexto, path("recebido.rec")}).codigo, 0);
        recebido = test::le(path("recebido.rec"));
        ASSERT_GT(recebido.size(), 1000);
    }
    QString path(const QString& nome) const { return dir.filePath(nome); }
    void prepara(const QStringList& args) const
    {
        QStringList a = args;
        for (QString& s : a)
            s.replace(QStringLiteral("{D}"), dir.path()).replace(QStringLiteral("{K}"), kChaves);
        const Execucao e = executa(a);
        ASSERT_EQ(e.codigo, 0) << a.join(' ').toStdString() << e.erros.toStdString();
    }

    test::TemporaryHome home;
    QTemporaryDir dir;
    QByteArray recebido;
};

// A broken received file, how it is made from a good one (`bom`, with
// `roda` to run a command, {D} the folder and {K} the demonstration keys),
// and what check and open say of it after their own reason ("cannot be
// opened with the built-in keys", "error NNNN (name)").
using Roda = std::function<void(const QStringList&)>;
struct Quebrado {
    const char* nome;
    std::function<void(const QByteArray& bom, const QString& arquivo, const Roda& roda)> faz;
    const char* check;
    const char* open;
};

void PrintTo(const Quebrado& q, std::ostream* os) { *os << q.nome; }

class ArquivoQuebrado : public Razoes, public ::testing::WithParamInterface<Quebrado> {};

QByteArray aleatorio()
{
    std::mt19937 g(7);
    QByteArray b(4096, '\0');
    for (char& c : b)
        c = char(g());
    b[0] = '\x9b';  // never two digits at the start
    return b;
}

const char* const kCurto = " ends early: it was cut short and has lost the trailer that holds its length";
const char* const kAlterado = " was altered, or sealed for another key";

const Quebrado kQuebrados[] = {
    {"empty", [](const QByteArray&, const QString&, const Roda&) {}, " is empty", " is empty"},
    {"half", [](const QByteArray& b, const QString& a, const Roda&) { test::grava(a, b.left(b.size() / 2)); },
     kCurto, kCurto},
    {"inside_header", [](const QByteArray& b, const QString& a, const Roda&) { test::grava(a, b.left(40)); },
     kCurto, kCurto},
    {"altered",
     [](const QByteArray& bom, const QString& a, const Roda&) {
         QByteArray b = bom;
         b[b.size() / 2] = char(b[b.size() / 2] ^ 0x5A);
         test::grava(a, b);
     },
     kAlterado, kAlterado},
    {"random", [](const QByteArray&, const QString& a, const Roda&) { test::grava(a, aleatorio()); },
     " is not a sealed file", " is not a sealed file"},
    {"plain_text", [](const QByteArray&, const QString& a, const Roda&) { test::grava(a, test::le(kTexto)); },
     " is not a sealed file: it looks like plain recharge text (use --plain)",
     " is not a sealed file: it looks like plain recharge text"},
    {"draft", [](const QByteArray&, const QString& a, const Roda& roda) { roda({"compress", kTexto, a}); },
     " is not a sealed file: it looks like a draft (use --draft)",
     " is not a sealed file: it looks like a draft (compressed only; use expand)"},
    {"foreign_recipient",
     [](const QByteArray&, const QString& a, const Roda& roda) {
         roda({"keygen", "{D}/x.private", "{D}/x.public", "--bits", "512"});
         roda({"compress", kTexto, "{D}/t.lzw"});
         roda({"seal", "--signer", "{K}central.private", "--recipient", "{D}/x.public", "{D}/t.lzw", a});
     },
     " was not sealed for this program's key", " was not sealed for this key"},
    {"foreign_sender",
     [](const QByteArray&, const QString& a, const Roda& roda) {
         roda({"keygen", "{D}/x.private", "{D}/x.public", "--bits", "512"});
         roda({"compress", kTexto, "{D}/t.lzw"});
         roda({"seal", "--signer", "{D}/x.private", "--recipient", "{K}own.public", "{D}/t.lzw", a});
     },
     kAlterado, kAlterado},
};

TEST_P(ArquivoQuebrado, CheckAndOpenSayWhatItIs)
{
    const Quebrado& q = GetParam();
    const QString arquivo = path(QStringLiteral("PX_00123_0007_2612100930_1.rec"));
    ASSERT_NO_FATAL_FAILURE(test::grava(arquivo, QByteArray()));
    ASSERT_NO_FATAL_FAILURE(q.faz(recebido, arquivo, [this](const QStringList& a) { prepara(a); }));

    const Execucao check = executa({QStringLiteral("check"), arquivo});
    EXPECT_EQ(check.codigo, 1);
    // The processing log as it always was, then the reason and the case.
    EXPECT_TRUE(check.saida.contains(QStringLiteral(" ==> Erro ao Descriptografar o Arquivo "))) << check.saida.toStdString();
    EXPECT_EQ(check.erros, QStringLiteral("pluvexa-cli: \"%1\" cannot be opened with the built-in keys\n"
                                          "pluvexa-cli: \"%1\"%2\n")
                               .arg(arquivo, QString::fromUtf8(q.check)));

    const QString aberto = path(QStringLiteral("aberto"));
    for (const char* programa : {PLUVEXA_CLI, PLUVEXA_CLI_FULL}) {
        const Execucao open = executa({QStringLiteral("open"), QStringLiteral("--key"), kChaves + "own.private",
                                       QStringLiteral("--sender"), kChaves + "central.public", arquivo, aberto},
                                      QString::fromUtf8(programa));
        EXPECT_EQ(open.codigo, 1) << programa;
        const QStringList linhas = open.erros.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(linhas.size(), 2) << programa << "\n" << open.erros.toStdString();
        EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("pluvexa-cli: opening \"%1\" failed: error ").arg(arquivo)))
            << linhas[0].toStdString();
        EXPECT_TRUE(linhas[0].endsWith(QLatin1Char(')'))) << linhas[0].toStdString();
        EXPECT_EQ(linhas[1], QStringLiteral("pluvexa-cli: \"%1\"%2").arg(arquivo, QString::fromUtf8(q.open)));
        EXPECT_FALSE(QFile::exists(aberto));
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, ArquivoQuebrado, ::testing::ValuesIn(kQuebrados),
                         [](const auto& info) { return std::string(info.param.nome); });

// Wherever a sealed file is cut, it ends early; wherever its content is
// changed, it was altered. The code is the one the opening answers.
TEST_F(Razoes, EveryCutEndsEarlyAndEveryChangedByteIsAnAlteration)
{
    const auto chave = test::chaveDemo<PrivateKeyRecord>("own.private");
    const auto remetente = test::chaveDemo<PublicKeyRecord>("central.public");
    ASSERT_EQ(cli::codigoAbertura(bytes(recebido), chave, remetente), 0);
    const qsizetype n = recebido.size();
    for (const qsizetype corte : {qsizetype(1), qsizetype(15), qsizetype(21), qsizetype(24), qsizetype(60),
                                  qsizetype(100), n / 3, n / 2, n - 7, n - 1}) {
        const QByteArray b = recebido.left(corte);
        const int codigo = cli::codigoAbertura(bytes(b), chave, remetente);
        EXPECT_NE(codigo, 0) << corte;
        EXPECT_EQ(cli::diagnosticaEnvelope(bytes(b), codigo), cli::CasoEnvelope::Curto) << "cut at " << corte;
    }
    for (const qsizetype onde : {qsizetype(300), n / 2, n - 60, n - 10}) {
        QByteArray b = recebido;
        b[onde] = char(b[onde] ^ 1);
        const int codigo = cli::codigoAbertura(bytes(b), chave, remetente);
        EXPECT_NE(codigo, 0) << onde;
        EXPECT_EQ(cli::diagnosticaEnvelope(bytes(b), codigo), cli::CasoEnvelope::Alterado) << "byte " << onde;
    }
}

TEST_F(Razoes, PlainOrDraftOnASealedFileSaysItIsSealed)
{
    for (const char* opcao : {"--plain", "--draft"}) {
        const Execucao e = executa({QStringLiteral("check"), QString::fromLatin1(opcao), path("recebido.rec")});
        EXPECT_EQ(e.codigo, 1) << opcao;
        EXPECT_FALSE(e.saida.contains(QStringLiteral("Evento desconhecido"))) << e.saida.toStdString();
        EXPECT_TRUE(e.erros.endsWith(QStringLiteral("pluvexa-cli: \"%1\" is a sealed file, not %2 (leave out %3)\n")
                                         .arg(path("recebido.rec"),
                                              QString::fromLatin1(opcao) == "--plain" ? "plain text" : "a draft",
                                              QString::fromLatin1(opcao))))
            << e.erros.toStdString();
    }
}

// The lines of the fixture text, without their line ends.
std::vector<Texto> linhasTexto()
{
    std::vector<Texto> l;
    for (QByteArray b : test::le(kTexto).split('\n')) {
        if (b.endsWith('\r'))
            b.chop(1);
        if (!b.isEmpty())
            l.emplace_back(b.constData(), std::size_t(b.size()));
    }
    return l;
}

std::size_t primeira(const std::vector<Texto>& l, std::string_view tipo, int n = 0)
{
    for (std::size_t i = 0; i < l.size(); ++i)
        if (l[i].compare(0, 2, tipo) == 0 && n-- == 0)
            return i;
    ADD_FAILURE() << "no record " << tipo;
    return 0;
}

// A field that is not a number, met by the record reader itself: the
// processing stops at its line, and the line names the field.
TEST(CampoNaoNumerico, NamesTheFieldTheReaderStoppedAt)
{
    const struct {
        const char* tipo;
        std::size_t pos;
        const char* texto;
        const char* esperado;
    } casos[] = {
        {"01", 3, "000ABCDE77", "detail record: user code at columns 3\u201312 is not a number (\"000ABCDE77\")"},
        {"01", 13, "12345X7890", "detail record: card number at columns 13\u201322 is not a number (\"12345X7890\")"},
        {"01", 213, "12x45", "detail record: group 1 last recharge at columns 213\u2013217 is not a number (\"12x45\")"},
        {"04", 55, "M", "card type record: kind (0 money, 1 credits) at column 55 is not a number (\"M\")"},
        {"05", 15, "00000000000000O185", "tariff record: fare at columns 15\u201332 is not a number (\"00000000000000O185\")"},
        {"00", 7, "OO123", "header record: company code at columns 7\u201311 is not a number (\"OO123\")"},
        {"99", 3, "00000000l7", "trailer record: record count at columns 3\u201312 is not a number (\"00000000l7\")"},
    };
    for (const auto& c : casos) {
        std::vector<Texto> l = linhasTexto();
        const std::size_t i = primeira(l, c.tipo);
        l[i].replace(c.pos - 1, std::strlen(c.texto), c.texto);
        ModeloRecarga m;
        QStringList log;
        try {
            ProcessadorRecarga(m).processa(l, log);
            ADD_FAILURE() << c.texto << ": no conversion error";
        } catch (const ErroConversao& e) {
            EXPECT_EQ(e.linha(), int(i)) << c.texto;
            EXPECT_EQ(cli::campoNaoNumerico(l[i], e.campo()), QString::fromUtf8(c.esperado));
            const QStringList d = cli::diagnosticoLinhas(QStringLiteral("t.txt"), l, {}, &e);
            ASSERT_EQ(d.size(), 1) << c.texto;
            EXPECT_EQ(d[0], QStringLiteral("\"t.txt\":%1: %2").arg(i + 1).arg(QString::fromUtf8(c.esperado)));
        }
    }
}

TEST_F(Razoes, CheckPointsAtAShortRecordAndALetterInANumberByTheirEditorLines)
{
    std::vector<Texto> l = linhasTexto();
    const std::size_t curto = primeira(l, "01", 0);
    const std::size_t letra = primeira(l, "01", 2);
    l[curto].pop_back();
    l[letra].replace(2, 10, "000ABCDE77");
    QByteArray texto;
    for (std::size_t i = 0; i < l.size(); ++i) {
        texto += QByteArray::fromStdString(l[i]) + "\r\n";
        if (i == 0)
            texto += "\r\n";  // a blank line an editor counts
    }
    const QString arquivo = path(QStringLiteral("texto.txt"));
    ASSERT_NO_FATAL_FAILURE(test::grava(arquivo, texto));

    const Execucao e = executa({QStringLiteral("check"), QStringLiteral("--plain"), arquivo});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.saida.startsWith(QString(81, u'='))) << e.saida.toStdString();  // the log, as it was
    EXPECT_FALSE(e.saida.contains(QStringLiteral("Holders:")));
    EXPECT_EQ(e.erros, QStringLiteral("\"%1\":%2: detail record length 271, expected 272\n"
                                      "\"%1\":%3: detail record: user code at columns 3\u201312 is not a number "
                                      "(\"000ABCDE77\")\n"
                                      "pluvexa-cli: \"%1\" cannot be processed: a field is not a number (see the line "
                                      "above)\n")
                           .arg(arquivo)
                           .arg(curto + 2)
                           .arg(letra + 2));
    EXPECT_FALSE(e.erros.contains(QStringLiteral("is not a valid integer value")));

    // Without the letter the processing runs on: the short record is named
    // after the log, and the run is inconsistent.
    l = linhasTexto();
    l[curto].pop_back();
    texto.clear();
    for (const Texto& t : l)
        texto += QByteArray::fromStdString(t) + "\r\n";
    ASSERT_NO_FATAL_FAILURE(test::grava(arquivo, texto));
    for (const char* comando : {"check", "listing", "review"}) {
        const Execucao c = executa({QString::fromLatin1(comando), QStringLiteral("--plain"), arquivo});
        EXPECT_EQ(c.codigo, 1) << comando;
        // The log (standard output for check, standard error otherwise) as it was.
        EXPECT_TRUE((c.saida + c.erros).contains(QStringLiteral("Detalhe     ==> Consistencia Inválida \n")))
            << comando;
        EXPECT_TRUE(c.erros.contains(QStringLiteral("\"%1\":%2: detail record length 271, expected 272\npluvexa-cli: ")
                                         .arg(arquivo)
                                         .arg(curto + 1)))
            << comando << "\n" << c.erros.toStdString();
    }
}

TEST(DiagnosticoLinhas, ListsAtMostTwentyAndCountsTheRest)
{
    std::vector<Texto> l(30, Texto("01 short"));
    l.push_back("07 an unknown record");
    const QStringList d = cli::diagnosticoLinhas(QStringLiteral("x"), l, {}, nullptr);
    ASSERT_EQ(d.size(), cli::kMaisDiagnosticos + 1);
    EXPECT_EQ(d[0], QStringLiteral("\"x\":1: detail record length 8, expected 272"));
    EXPECT_EQ(d.last(), QStringLiteral("\"x\": 11 more such lines"));
    // Numbers as an editor counts them: blank lines too.
    EXPECT_EQ(cli::numerosDeLinha("00a\r\n\r\n01b\n \r07c\r01d"), (std::vector<std::size_t>{1, 3, 5, 6}));
}

}  // namespace
}  // namespace pluvexa
