// Every pluvexa-cli command that reads refuses what is no regular file
// (links followed) and a file it cannot read, with exit 1 and the reason;
// every command that writes refuses an output that is neither a new name nor
// a regular file. Run as support staff would: the real program, each kind of
// file made where the command expects its input or its output.

#include "clirun.h"
#include "comoninguem.h"
#include "support/arquivosteste.h"
#include "support/incomuns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace pluvexa::test {
namespace {

const QString kChaves = QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/");
const QString kTexto = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");

struct Leitura {
    const char* nome;
    // {X} is the file under test, {D} the folder, {T} the plain text.
    const char* args;
};

void PrintTo(const Leitura& l, std::ostream* os)
{
    *os << l.nome;
}

QStringList monta(const char* modelo, const QString& pasta, const QString& alvo)
{
    QStringList args = QString::fromLatin1(modelo).split(QLatin1Char(' '));
    for (QString& a : args) {
        a.replace(QStringLiteral("{X}"), alvo);
        a.replace(QStringLiteral("{D}"), pasta);
        a.replace(QStringLiteral("{T}"), kTexto);
        a.replace(QStringLiteral("{K}"), kChaves);
    }
    return args;
}

const Leitura kLeituras[] = {
    {"check", "check {X}"},
    {"check_draft", "check --draft {X}"},
    {"check_plain", "check --plain {X}"},
    {"listing_plain", "listing --plain {X}"},
    {"export_plain", "export --plain {X} {D}/out.csv"},
    {"review_plain", "review --plain {X}"},
    {"rewrite", "rewrite {X} {D}/out"},
    {"import_file", "import --plain {X} {D}/none.rrm"},
    {"import_external", "import --plain {T} {X}"},
    {"central_make_received", "central make-received {X} {D}/out"},
    {"central_read_answer", "central read-answer {X} {D}/out"},
    {"compress", "compress {X} {D}/out"},
    {"expand", "expand {X} {D}/out"},
    {"seal", "seal --signer {K}own.private --recipient {K}central.public {X} {D}/out"},
    {"seal_signer", "seal --signer {X} --recipient {K}central.public {T} {D}/out"},
    {"open", "open --key {K}own.private --sender {K}central.public {X} {D}/out"},
};

// The command names the input, exits 1 and writes nothing.
void confereRecusa(const Execucao& e, const QString& alvo, const QString& motivo, const QString& pasta)
{
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("pluvexa-cli: ") + motivo)) << e.erros.toStdString();
    EXPECT_FALSE(QFile::exists(pasta + QStringLiteral("/out")));
    EXPECT_FALSE(QFile::exists(pasta + QStringLiteral("/out.csv")));
    (void)alvo;
}

class LeituraIncomum : public ::testing::TestWithParam<std::tuple<Leitura, Incomum>> {
protected:
    TemporaryHome home;
    QTemporaryDir dir;
};

TEST_P(LeituraIncomum, IsNotARegularFile)
{
    const auto [leitura, natureza] = GetParam();
    if (natureza == Incomum::Dispositivo && ::geteuid() != 0)
        GTEST_SKIP() << "a device needs root";
    const QString alvo = dir.filePath(QStringLiteral("entrada_1.rec"));
    QString porque;
    ASSERT_TRUE(criaIncomum(natureza, alvo, &porque)) << porque.toStdString();
    const Execucao e = executa(monta(leitura.args, dir.path(), alvo));
    confereRecusa(e, alvo, QStringLiteral("\"%1\" is not a regular file").arg(alvo), dir.path());
    EXPECT_TRUE(aindaIncomum(natureza, alvo));
}

INSTANTIATE_TEST_SUITE_P(Comandos, LeituraIncomum,
                         ::testing::Combine(::testing::ValuesIn(kLeituras),
                                            ::testing::Values(Incomum::Pasta, Incomum::Dispositivo,
                                                              Incomum::Fifo, Incomum::LigacaoZero)),
                         [](const auto& info) {
                             std::ostringstream s;
                             s << std::get<0>(info.param).nome << '_';
                             test::PrintTo(std::get<1>(info.param), &s);
                             return s.str();
                         });

// A file its user may write but not read (mode 0200). Root reads anything,
// so the command runs as "nobody" when the tests run as root.
class LeituraProibida : public ::testing::TestWithParam<Leitura> {
protected:
    TemporaryHome home;
    QTemporaryDir dir;
};

TEST_P(LeituraProibida, IsAnErrorWithTheSystemsReasonNeverAnEmptyFile)
{
    if (!podeRodarComoNinguem())
        GTEST_SKIP() << "running as root without setpriv: the file would be readable";
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                      | QFileDevice::WriteOther | QFileDevice::ExeOther));
    const QString alvo = dir.filePath(QStringLiteral("mine.txt"));
    ASSERT_NO_FATAL_FAILURE(test::grava(alvo, QByteArray(55 * 1024, 'x')));
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(QFile::encodeName(alvo).constData(), 65534, 65534), 0);
    ASSERT_TRUE(QFile::setPermissions(alvo, QFileDevice::WriteOwner));

    const QStringList args = monta(GetParam().args, dir.path(), alvo);
    const Execucao e = executaComoNinguem(args, dir.path());
    confereRecusa(e, alvo, QStringLiteral("Cannot read file \"%1\". Permission denied.").arg(alvo), dir.path());
    EXPECT_EQ(QFileInfo(alvo).size(), 55 * 1024);
}

const Leitura kProibidas[] = {
    {"check_plain", "check --plain {X}"},
    {"listing_plain", "listing --plain {X}"},
    {"export_plain", "export --plain {X} {D}/out.csv"},
    {"compress", "compress {X} {D}/out"},
};

INSTANTIATE_TEST_SUITE_P(Comandos, LeituraProibida, ::testing::ValuesIn(kProibidas),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(LeituraProibidaReescrita, RewriteOfAWriteOnlyFileOntoItselfKeepsIt)
{
    if (!podeRodarComoNinguem())
        GTEST_SKIP() << "running as root without setpriv";
    TemporaryHome home;
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QString mine = dir.filePath(QStringLiteral("mine.txt"));
    ASSERT_TRUE(QFile::copy(kTexto, mine));
    const QByteArray antes = test::le(kTexto);
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(QFile::encodeName(mine).constData(), 65534, 65534), 0);
    ASSERT_TRUE(QFile::setPermissions(mine, QFileDevice::WriteOwner));
    const QStringList args = {QStringLiteral("rewrite"), mine, mine};
    const Execucao e = executaComoNinguem(args, dir.path());
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Permission denied"))) << e.erros.toStdString();
    QFile::setPermissions(mine, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(test::le(mine), antes);
}

struct Escrita {
    const char* nome;
    const char* args;  // {X} the output under test
    bool preparaComprimido = false;  // {D}/in.lzw and {D}/answer are made first
};

void PrintTo(const Escrita& e, std::ostream* os)
{
    *os << e.nome;
}

const Escrita kEscritas[] = {
    {"compress", "compress {T} {X}"},
    {"expand", "expand {D}/in.lzw {X}", true},
    {"seal", "seal --signer {K}own.private --recipient {K}central.public {T} {X}"},
    {"open", "open --key {K}central.private --sender {K}own.public {D}/answer {X}", true},
    {"rewrite", "rewrite {T} {X}"},
    {"export", "export --plain {T} {X}"},
    {"listing_pdf", "listing --plain {T} --pdf {X}"},
    {"keygen", "keygen {X} {D}/public --bits 384"},
    {"central_make_received", "central make-received {T} {X}"},
};

class EscritaIncomum : public ::testing::TestWithParam<std::tuple<Escrita, Incomum>> {
protected:
    TemporaryHome home;
    QTemporaryDir dir;
};

TEST_P(EscritaIncomum, IsRefusedAndLeftAsItIs)
{
    const auto [escrita, natureza] = GetParam();
    if (natureza == Incomum::Dispositivo && ::geteuid() != 0)
        GTEST_SKIP() << "a device needs root";
    if (escrita.preparaComprimido) {
        ASSERT_EQ(executa(monta("compress {T} {D}/in.lzw", dir.path(), {})).codigo, 0);
        ASSERT_EQ(executa(monta("seal --signer {K}own.private --recipient {K}central.public {D}/in.lzw {D}/answer",
                                dir.path(), {}))
                      .codigo,
                  0);
    }
    // Named as the command wants its output named.
    const QString alvo = dir.filePath(QString::fromLatin1(escrita.nome) == QLatin1String("export")        ? "saida.csv"
                                      : QString::fromLatin1(escrita.nome) == QLatin1String("listing_pdf") ? "saida.pdf"
                                                                                                          : "saida");
    QString porque;
    ASSERT_TRUE(criaIncomum(natureza, alvo, &porque)) << porque.toStdString();
    const Execucao e = executa(monta(escrita.args, dir.path(), alvo));
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("\"%1\" is not a regular file").arg(alvo))) << e.erros.toStdString();
    EXPECT_TRUE(aindaIncomum(natureza, alvo));
    // No temporary stays beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files | QDir::System).filter(QStringLiteral(".tmp")),
              QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Comandos, EscritaIncomum,
                         ::testing::Combine(::testing::ValuesIn(kEscritas),
                                            ::testing::Values(Incomum::Pasta, Incomum::Dispositivo,
                                                              Incomum::Fifo, Incomum::Ligacao)),
                         [](const auto& info) {
                             std::ostringstream s;
                             s << std::get<0>(info.param).nome << '_';
                             test::PrintTo(std::get<1>(info.param), &s);
                             return s.str();
                         });

}  // namespace
}  // namespace pluvexa::test

namespace pluvexa::test {
namespace {

// Names whose bytes are not valid UTF-8 reach a shell as they are; Qt's text
// cannot hold them, so the commands are run through one.
Execucao viaShell(const QString& comando)
{
    return executa({QStringLiteral("-c"), comando}, QStringLiteral("/bin/sh"));
}

TEST(NomeForaDaCodificacao, TheFullCommandsRefuseItByItsBytesAndMakeNoOtherName)
{
    QTemporaryDir dir;
    TemporaryHome home;
    const Execucao e = viaShell(QStringLiteral("cd '%1' && '%2' export --plain '%3' \"$(printf 'sa\\355da.csv')\"")
                                    .arg(dir.path(), QStringLiteral(PLUVEXA_CLI), kTexto));
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("pluvexa-cli: \"sa\\xEDda.csv\" is not valid in this system's "
                                                "encoding (UTF-8); rename it")))
        << e.erros.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(NomeForaDaCodificacao, CompressAndExpandTakeTheNameAsTheSystemGivesIt)
{
    QTemporaryDir dir;
    const Execucao e = viaShell(QStringLiteral("cd '%1' && cp '%3' \"$(printf 'lat\\347.txt')\" && "
                                               "'%2' compress \"$(printf 'lat\\347.txt')\" \"$(printf 'lat\\347.lzw')\" && "
                                               "'%2' expand \"$(printf 'lat\\347.lzw')\" volta.txt && cmp volta.txt '%3'")
                                    .arg(dir.path(), QStringLiteral(PLUVEXA_CLI), kTexto));
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
}

TEST(NomeForaDaCodificacao, SealAndOpenTakeTheNameAsTheSystemGivesIt)
{
    QTemporaryDir dir;
    const Execucao e = viaShell(
        QStringLiteral("cd '%1' && cp '%3' \"$(printf 'lat\\347.txt')\" && "
                       "'%2' seal --signer '%4own.private' --recipient '%4central.public' "
                       "\"$(printf 'lat\\347.txt')\" \"$(printf 'sel\\341do')\" && "
                       "'%2' open --key '%4central.private' --sender '%4own.public' "
                       "\"$(printf 'sel\\341do')\" \"$(printf 'aberto\\347')\" && "
                       "cmp \"$(printf 'aberto\\347')\" '%3' && "
                       // the three names and no temporary left beside them
                       "test \"$(ls -A | wc -l)\" -eq 3; r=$?; rm -f -- * .[!.]*; exit $r")
            .arg(dir.path(), QStringLiteral(PLUVEXA_CLI), kTexto, kChaves));
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
}

// A final name at the system's longest: the temporary beside it is
// shortened, never the name asked for.
TEST(NomeNoLimite, IsWrittenUnderExactlyThatName)
{
    QTemporaryDir dir;
    TemporaryHome home;
    const QString nome = QString(255 - 4, QLatin1Char('n')) + QStringLiteral(".csv");
    for (const QStringList& args : {QStringList{QStringLiteral("export"), QStringLiteral("--plain"), kTexto,
                                                dir.filePath(nome)},
                                    QStringList{QStringLiteral("compress"), kTexto, dir.filePath(nome)}}) {
        QFile::remove(dir.filePath(nome));
        const Execucao e = executa(args);
        EXPECT_EQ(e.codigo, 0) << args.first().toStdString() << ": " << e.erros.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{nome});
    }
}

}  // namespace
}  // namespace pluvexa::test
