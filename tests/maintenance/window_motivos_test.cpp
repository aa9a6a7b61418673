// A file step that fails is told in the window in Portuguese, with the
// system's reason: "Não foi possível <criar|gravar|renomear|...> o arquivo
// <caminho>: <motivo>." Each step is failed through the file layer's gate
// as a system error (tests run as root: permissions would not stop them),
// and once for real, with the process's file size limit, so that the
// number read from the failed call itself reaches the operator.

#include "exchange/registroexterno.h"
#include "files/arquivoseguro.h"
#include "files/pastastrabalho.h"
#include "maintenance/windowfixture.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace pluvexa::janela {
namespace {

#ifdef _WIN32
constexpr int kCheio = ERROR_DISK_FULL, kNegado = ERROR_ACCESS_DENIED, kSoLeitura = ERROR_WRITE_PROTECT,
              kDispositivo = ERROR_IO_DEVICE, kEmUso = ERROR_SHARING_VIOLATION,
              kNomeLongo = ERROR_FILENAME_EXCED_RANGE;
#else
constexpr int kCheio = ENOSPC, kNegado = EACCES, kSoLeitura = EROFS, kDispositivo = EIO, kEmUso = ETXTBSY,
              kNomeLongo = ENAMETOOLONG;
#endif

// What the operator does.
enum class Acao { Processar, Rascunho, Gerar, Pdf, Planilha, Importar };

// Records every dialog, answers the file choosers with the test's files and
// "Salvar PDF" in the listing's preview; every question is answered Yes,
// and the one before the answer "Gerar Assim Mesmo".
class Registro final : public Interaction {
public:
    void notice(const QString& text, Icon, const QString&) override { vistos << text; }
    bool question(const QString& text, const QString&) override
    {
        vistos << text;
        return true;
    }
    int confirm(const QString& text, const QStringList& buttons, Icon, const QString&, int) override
    {
        vistos << text;
        return std::max(0, int(buttons.indexOf(QStringLiteral("Gerar Assim Mesmo"))));
    }
    void errorBox(const QString& text) override { vistos << text; }
    QString openFileName(const QString&, const QString&, const QString&, QString*) override { return abrir; }
    QString saveFileName(const QString&, const QString&, const QString&, QString*) override { return salvar; }
    void printPreview(const std::function<void(QPagedPaintDevice*)>&, const std::function<QString()>& savePdf) override
    {
        if (salvaPdf && savePdf)
            savePdf();
    }
    // The first dialog that tells a failure.
    QString falha() const
    {
        const QStringList f = vistos.filter(QStringLiteral("Não foi possível"));
        return f.isEmpty() ? QStringLiteral("<no failure told: %1>").arg(vistos.join(u'|')) : f.first();
    }

    QStringList vistos;
    QString abrir, salvar;
    bool salvaPdf = false;
};

class MotivoNaJanela : public JanelaRecargaTest {
protected:
    void SetUp() override { outrosDialogos = &registro; }

    // Fresh working folders with the central's file; processed, with a
    // value typed, unless the action is to process it.
    void prepara(Acao acao)
    {
        delete janela.data();
        QDir(raizTrabalho()).removeRecursively();
        *modelo = ModeloRecarga{};
        agora = momentoGeracao();
        enviaRecebidoPadrao();
        abre();
        if (acao != Acao::Processar) {
            processa();
            escolheTarifa(1);
            digitaUsuario(101, QStringLiteral("1"));
        }
        registro.vistos.clear();
        registro.salvaPdf = acao == Acao::Pdf;
        registro.salvar = acao == Acao::Pdf ? externos.filePath(QStringLiteral("listagem.pdf"))
                                            : externos.filePath(QStringLiteral("valores.csv"));
        registro.abrir = externos.filePath(QStringLiteral("folha.rrm"));
        test::gravaTexto(registro.abrir, test::registro("M001", "10,00") + "\r\n");
    }
    void executa(Acao acao)
    {
        const char* botoes[] = {"btnprocessar", "btnsalvarrascunho",   "btngerararquivo",
                                "btnimpressao", "btnexportarplanilha", "btnimportararq"};
        controle<QPushButton>(botoes[int(acao)])->click();
    }
    // The pattern of an expected message: {E} the received folder, {R} the
    // drafts', {G} the answers', {H} the kept batches', {L} the import
    // logs', {X} the test's own, {T} a temporary's random characters.
    QRegularExpression padrao(const QString& texto) const
    {
        QString p = QRegularExpression::escape(texto);
        const std::pair<const char*, QString> pastas[] = {
            {"{E}", pastaRecebidos()}, {"{R}", pastaRascunho()},   {"{G}", pastaGerados()},
            {"{H}", pastaHistorico()}, {"{L}", pastaLog()},        {"{X}", externos.path()}};
        for (const auto& [marca, pasta] : pastas)
            p.replace(QRegularExpression::escape(QString::fromLatin1(marca)),
                      QRegularExpression::escape(QDir::toNativeSeparators(pasta)));
        p.replace(QRegularExpression::escape(QStringLiteral("{T}")), QStringLiteral("[A-Za-z0-9]{6}"));
        return QRegularExpression(QRegularExpression::anchoredPattern(p));
    }

    Registro registro;
    QTemporaryDir externos;
};

struct Caso {
    const char* nome;
    Acao acao;
    const char* passo;    // the gate's step that fails ...
    const char* arquivo;  // ... on the first path holding this
    int codigo;           // the system error it fails with
    const char* mensagem; // what the window says (see padrao())
};

void PrintTo(const Caso& c, std::ostream* os)
{
    *os << c.nome;
}

class PassoInjetado : public MotivoNaJanela, public ::testing::WithParamInterface<Caso> {};

TEST_P(PassoInjetado, IsToldInPortugueseWithTheSystemsReason)
{
    const Caso& c = GetParam();
    prepara(c.acao);
    int numero = 0;
    {
        FalhasArquivo contador;
        executa(c.acao);
        const QStringList passos = contador.registro();
        for (int i = 0; i < passos.size() && numero == 0; ++i)
            if (passos[i].startsWith(QString::fromLatin1(c.passo) + QLatin1Char(' '))
                && passos[i].contains(QString::fromLatin1(c.arquivo)))
                numero = i + 1;
        ASSERT_GT(numero, 0) << "no step " << c.passo << " on " << c.arquivo << ":\n"
                             << passos.join(u'\n').toStdString();
    }
    prepara(c.acao);
    {
        FalhasArquivo falhas(numero, c.codigo);
        executa(c.acao);
        EXPECT_TRUE(falhas.falhou());
    }
    const QString dito = registro.falha();
    EXPECT_TRUE(padrao(QString::fromUtf8(c.mensagem)).match(dito).hasMatch())
        << dito.toStdString() << "\n  expected: " << c.mensagem;
}

INSTANTIATE_TEST_SUITE_P(
    Passos, PassoInjetado,
    ::testing::Values(
        Caso{"process_scratch_long_name", Acao::Processar, "scratch", "_1.rec", kNomeLongo,
             "Não foi possível criar o arquivo {E}/.PX_00123_0007_0412090830_1.rec.{T}.tmp: nome longo demais."},
        Caso{"draft_disk_full", Acao::Rascunho, "write", "PX_00123_0007_0412091530_2.REC", kCheio,
             "Não foi possível criar o arquivo {R}/PX_00123_0007_0412091530_2.REC: disco cheio."},
        Caso{"draft_log_device", Acao::Rascunho, "flush", "PX_00123_0007_0412091530_2.LOG", kDispositivo,
             "Não foi possível gravar o arquivo {R}/PX_00123_0007_0412091530_2.LOG: erro de leitura ou gravação no "
             "dispositivo."},
        Caso{"answer_scratch_disk_full", Acao::Gerar, "scratch", "_2.REC", kCheio,
             "Não foi possível criar o arquivo {G}/.PX_00123_0007_0412091530_2.REC.{T}.tmp: disco cheio."},
        Caso{"answer_kept_batch_denied", Acao::Gerar, "rename", "PX_00123_0007_0412091530_2.HIS", kNegado,
             "Não foi possível renomear o arquivo {H}/PX_00123_0007_0412091530_2.HIS: sem permissão."},
        Caso{"pdf_disk_full", Acao::Pdf, "write", "listagem.pdf", kCheio,
             "Não foi possível salvar o PDF {X}/listagem.pdf - Não foi possível criar o arquivo {X}/listagem.pdf: "
             "disco cheio."},
        Caso{"pdf_in_use", Acao::Pdf, "rename", "listagem.pdf", kEmUso,
             "Não foi possível salvar o PDF {X}/listagem.pdf - Não foi possível renomear o arquivo "
             "{X}/listagem.pdf: arquivo em uso."},
        Caso{"spreadsheet_denied", Acao::Planilha, "write", "valores.csv", kNegado,
             "Não foi possível gravar a planilha {X}/valores.csv - Não foi possível criar o arquivo "
             "{X}/valores.csv: sem permissão."},
        Caso{"import_log_read_only", Acao::Importar, "rename", "folha.log", kSoLeitura,
             "Não foi possível gravar o log da operação em \n{L}/folha.log\nNão foi possível renomear o arquivo "
             "{L}/folha.log: disco somente para leitura."}),
    [](const auto& info) { return std::string(info.param.nome); });

#ifndef _WIN32
// The process may write no file beyond `bytes` while it lives: a write
// past it fails with EFBIG, as a full disk fails with ENOSPC, in the very
// calls that write the program's files.
class LimiteDeTamanho {
public:
    explicit LimiteDeTamanho(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_antes);
        m_sinal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = m_antes;
        limite.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDeTamanho()
    {
        setrlimit(RLIMIT_FSIZE, &m_antes);
        std::signal(SIGXFSZ, m_sinal);
    }

private:
    rlimit m_antes{};
    void (*m_sinal)(int) = nullptr;
};

struct Real {
    const char* nome;
    Acao acao;
    const char* mensagem;  // {M} the windows' words for EFBIG
};

void PrintTo(const Real& r, std::ostream* os)
{
    *os << r.nome;
}

class FalhaReal : public MotivoNaJanela, public ::testing::WithParamInterface<Real> {};

TEST_P(FalhaReal, TheSystemsReasonReachesTheOperator)
{
    const Real& r = GetParam();
    prepara(r.acao);
    {
        const LimiteDeTamanho limite(64);
        executa(r.acao);
    }
    const QString dito = registro.falha();
    const QString esperado =
        QString::fromUtf8(r.mensagem).replace(QStringLiteral("{M}"), QString::fromStdString(motivoEmPortugues(EFBIG)));
    EXPECT_TRUE(padrao(esperado).match(dito).hasMatch()) << dito.toStdString() << "\n  expected: "
                                                         << esperado.toStdString();
    EXPECT_TRUE(QDir(externos.path()).entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Limite, FalhaReal,
    ::testing::Values(
        // The packing's plain text is the draft's first file written.
        Real{"draft", Acao::Rascunho,
             "Não foi possível gravar o arquivo {R}/.PX_00123_0007_0412091530_2.REC.{T}.tmp: {M}."},
        // The PDF writer does not look at what its file takes; the layer
        // does, and no cut PDF is put in place.
        Real{"pdf", Acao::Pdf,
             "Não foi possível salvar o PDF {X}/listagem.pdf - Não foi possível gravar o arquivo {X}/listagem.pdf: "
             "{M}."},
        Real{"spreadsheet", Acao::Planilha,
             "Não foi possível gravar a planilha {X}/valores.csv - Não foi possível gravar o arquivo "
             "{X}/valores.csv: {M}."}),
    [](const auto& info) { return std::string(info.param.nome); });
#endif

}  // namespace
}  // namespace pluvexa::janela
