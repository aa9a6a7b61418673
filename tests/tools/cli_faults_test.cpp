// Every pluvexa-cli command that writes files, run in-process once with the
// file layer's operations counted and then once per operation with it
// failed: an existing output is never truncated or half-replaced, a failure
// that keeps it exits 1, no temporary is left behind, and the files of
// others in the folder (names the program once used for its own parts,
// another program's temporary) are never touched.

#include "cli/cli.h"
#include "codec/keyrecord.h"
#include "files/arquivoseguro.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace pluvexa {
namespace {

const QString kChaves = QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/");
const QString kTexto = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");
const QByteArray kAntigo = "old content";

using test::le;

struct Comando {
    const char* nome;
    // The command line; {D} stands for the working folder.
    QStringList args;
    // Commands run first (never failed) to make the input.
    std::vector<QStringList> preparo;
    QStringList saidas;  // output files, relative to the folder
};

QStringList substitui(QStringList args, const QString& pasta)
{
    for (QString& a : args)
        a.replace(QStringLiteral("{D}"), pasta);
    return args;
}

const QString sealAnswer = QStringLiteral("seal --signer %1own.private --recipient %1central.public {D}/in.lzw {D}/answer").arg(kChaves);

std::vector<Comando> comandos()
{
    auto l = [](const QString& s) { return s.split(QLatin1Char(' ')); };
    const QStringList comprime = l("compress " + kTexto + " {D}/in.lzw");
    return {
        {"compress", comprime.mid(0, 2) << "{D}/out", {}, {"out"}},
        {"expand", l("expand {D}/in.lzw {D}/out"), {comprime}, {"out"}},
        {"seal", l(QStringLiteral("seal --signer %1own.private --recipient %1central.public ").arg(kChaves) + kTexto + " {D}/out"),
         {}, {"out"}},
        {"open", l(QStringLiteral("open --key %1central.private --sender %1own.public {D}/answer {D}/out").arg(kChaves)),
         {comprime, l(sealAnswer)}, {"out"}},
        {"rewrite", l("rewrite " + kTexto + " {D}/out"), {}, {"out"}},
        {"export", l("export --plain " + kTexto + " {D}/out.csv"), {}, {"out.csv"}},
        {"export_xlsx", l("export --plain " + kTexto + " {D}/out.xlsx"), {}, {"out.xlsx"}},
        {"export_ods", l("export --plain " + kTexto + " {D}/out.ods"), {}, {"out.ods"}},
        {"review_out", l("review --plain " + kTexto + " --out {D}/out.xlsx"), {}, {"out.xlsx"}},
        {"keygen", l("keygen {D}/private {D}/public --bits 384"), {}, {"private", "public"}},
        {"central_make_received", l("central make-received " + kTexto + " {D}/out"), {}, {"out"}},
        {"central_read_answer", l("central read-answer {D}/answer {D}/out"), {comprime, l(sealAnswer)}, {"out"}},
    };
}

class CliFalhas : public ::testing::TestWithParam<Comando> {
protected:
    QTemporaryDir dir;
    QString em(const QString& nome) const { return dir.filePath(nome); }

    // Another program's or the operator's files beside each output.
    QStringList alheios() const
    {
        QStringList a = {"TMP1.REC", "TMP2.REC"};
        for (const QString& s : GetParam().saidas)
            a << s + ".part" << s + ".old" << "." + s + ".AbCdEf.tmp" << ".~lock." + s + "#";
        return a;
    }
    void prepara()
    {
        for (const QString& n : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(em(n));
        for (const QString& n : alheios())
            ASSERT_NO_FATAL_FAILURE(test::grava(em(n), "not ours: " + n.toUtf8()));
        for (const QStringList& p : GetParam().preparo)
            ASSERT_EQ(cli::executa(substitui(p, dir.path())), 0) << p.join(' ').toStdString();
        for (const QString& s : GetParam().saidas)
            ASSERT_NO_FATAL_FAILURE(test::grava(em(s), kAntigo));
    }
    int executa() { return cli::executa(substitui(GetParam().args, dir.path())); }
    // What is in the folder beyond the outputs, the inputs made and the
    // others' files: a temporary left behind.
    QStringList restos() const
    {
        QStringList r;
        for (const QString& n : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            if (n.startsWith('.') && !alheios().contains(n))
                r << n;
        return r;
    }
    void confereAlheios() const
    {
        for (const QString& n : alheios())
            EXPECT_EQ(le(em(n)), "not ours: " + n.toUtf8()) << n.toStdString();
    }
};

TEST_P(CliFalhas, OldOutputStaysOrNewOutputIsComplete)
{
    const Comando& c = GetParam();
    prepara();
    int total = 0;
    std::vector<qint64> tamanhos;
    {
        FalhasArquivo contador;
        ASSERT_EQ(executa(), 0);
        total = contador.operacoes();
    }
    for (const QString& s : c.saidas) {
        ASSERT_NE(le(em(s)), kAntigo) << s.toStdString();
        tamanhos.push_back(QFileInfo(em(s)).size());
    }
    ASSERT_GE(total, 2);
    EXPECT_TRUE(restos().isEmpty()) << restos().join(' ').toStdString();
    confereAlheios();

    for (int n = 1; n <= total; ++n) {
        prepara();
        int codigo = -1;
        QString falhada;
        {
            FalhasArquivo falhas(n);
            codigo = executa();
            ASSERT_TRUE(falhas.falhou());
            falhada = falhas.registro().value(n - 1);
        }
        SCOPED_TRACE(::testing::Message() << c.nome << ", failing operation " << n << ": " << falhada.toStdString());
        int antigas = 0, novas = 0;
        for (size_t i = 0; i < size_t(c.saidas.size()); ++i) {
            const QByteArray conteudo = le(em(c.saidas[int(i)]));
            if (conteudo == kAntigo)
                ++antigas;
            else if (conteudo.size() == tamanhos[i])
                ++novas;
        }
        EXPECT_TRUE(antigas == c.saidas.size() || novas == c.saidas.size())
            << antigas << " old and " << novas << " new of " << c.saidas.size();
        if (antigas > 0) {
            EXPECT_EQ(codigo, 1);
        }
        EXPECT_TRUE(restos().isEmpty()) << restos().join(' ').toStdString();
        confereAlheios();
        if (c.saidas.size() == 2 && novas == 2) {
            // A key pair put in place together belongs together.
            const QByteArray priv = le(em("private"));
            PrivateKeyRecord r{};
            std::copy(priv.begin(), priv.end(), r.begin());
            const PublicKeyRecord pub = public_half(r);
            EXPECT_EQ(le(em("public")), QByteArray(reinterpret_cast<const char*>(pub.data()), qsizetype(pub.size())));
        }
    }
    std::printf("[ sweep    ] %s: %d failure points\n", c.nome, total);
}

INSTANTIATE_TEST_SUITE_P(Comandos, CliFalhas, ::testing::ValuesIn(comandos()),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa
