// pluvexa-cli runs compress, expand, seal and open itself (their help and
// usage errors too), without Qt, and hands every other command line to
// pluvexa-cli-full. Whichever program
// runs a command line, the caller sees the same: exit status, both
// streams, the output file.

#include "clirun.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

const QString kChaves = QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/");
const QString kTexto = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");

Execucao roda(const QString& programa, const QStringList& args)
{
    return executa(args, programa);
}

struct Caso {
    const char* nome;
    const char* linha;  // {T} the plain text, {K} the demo keys' folder, {D} the working folder
    bool direto;        // run by pluvexa-cli itself
    int codigo;
};

// The working folder holds "in.lzw" (the text compressed), "sealed" (it
// sealed for the central) and "bad.key" (a file of the wrong size).
const Caso kCasos[] = {
    {"compress", "compress {T} {D}/out", true, 0},
    {"expand", "expand {D}/in.lzw {D}/out", true, 0},
    {"compress_missing_input", "compress {D}/missing {D}/out", true, 1},
    {"compress_into_missing_folder", "compress {T} {D}/nowhere/out", true, 1},
    {"expand_damaged_stream", "expand {T} {D}/out", true, 1},
    {"compress_quiet", "compress --quiet {T} {D}/out", true, 0},
    {"expand_quiet_damaged_stream", "expand {T} -quiet {D}/out", true, 1},
    {"seal_options_with_equals", "seal --signer={K}own.private -recipient {K}central.public --cipher=3 {D}/in.lzw {D}/out", true, 0},
    {"seal_key_record_of_wrong_size", "seal --signer {D}/bad.key --recipient {K}central.public {T} {D}/out", true, 1},
    {"seal_missing_key_record", "seal --signer {D}/none --recipient {K}central.public {T} {D}/out", true, 1},
    {"open", "open --key {K}central.private --sender {K}own.public {D}/sealed {D}/out", true, 0},
    {"open_wrong_sender", "open --key {K}central.private --sender {K}central.public {D}/sealed {D}/out", true, 1},
    {"open_not_an_envelope", "open --key {K}central.private --sender {K}own.public {T} {D}/out", true, 1},
    // The four commands' help and usage errors are answered without Qt too.
    {"compress_help", "compress --help", true, 0},
    {"compress_one_argument", "compress {T}", true, 2},
    {"seal_without_keys", "seal {T} {D}/out", true, 2},
    {"seal_unknown_cipher", "seal --signer {K}own.private --recipient {K}central.public --cipher 7 {T} {D}/out", true, 2},
    {"seal_unknown_option", "seal --signer {K}own.private --recipient {K}central.public --bogus {T} {D}/out", true, 2},
    {"open_negative_index", "open --key {K}central.private --sender {K}own.public --index=-1 {D}/sealed {D}/out", true, 2},
    {"open_index_beyond_unsigned", "open --key {K}central.private --sender {K}own.public --index 4294967296 {D}/sealed {D}/out", true, 2},
    {"open_repeated_option", "open --key {K}central.private --key {K}central.private --sender {K}own.public {D}/sealed {D}/out", true, 0},
    {"open_help_after_arguments", "open {D}/sealed {D}/out -h", true, 0},
    // Handed over: every other command, its help and usage included.
    {"keygen_usage", "keygen", false, 2},
    {"keygen_help", "keygen --help", false, 0},
    {"version", "--version", false, 0},
};

class CliDireto : public ::testing::TestWithParam<Caso> {
protected:
    void SetUp() override
    {
        for (QTemporaryDir* d : {&a, &b}) {
            ASSERT_EQ(roda(QStringLiteral(PLUVEXA_CLI_FULL), {"compress", kTexto, d->filePath("in.lzw")}).codigo, 0);
            ASSERT_EQ(roda(QStringLiteral(PLUVEXA_CLI_FULL),
                           {"seal", "--signer", kChaves + "own.private", "--recipient", kChaves + "central.public",
                            d->filePath("in.lzw"), d->filePath("sealed")})
                          .codigo,
                      0);
            grava(d->filePath("bad.key"), "short");
        }
    }
    QStringList linha(const QTemporaryDir& d) const
    {
        QString s = QString::fromLatin1(GetParam().linha);
        s.replace("{T}", kTexto).replace("{K}", kChaves).replace("{D}", d.path());
        return s.split(' ');
    }
    // What the run printed, with the working folder's name taken out.
    static QString sem(const QString& texto, const QTemporaryDir& d)
    {
        return QString(texto).replace(d.path(), QStringLiteral("{D}"));
    }

    QTemporaryDir a, b;
};

TEST_P(CliDireto, SameResultFromEitherProgram)
{
    const Caso& c = GetParam();
    const Execucao frente = roda(QStringLiteral(PLUVEXA_CLI), linha(a));
    const Execucao completo = roda(QStringLiteral(PLUVEXA_CLI_FULL), linha(b));
    EXPECT_EQ(frente.codigo, c.codigo) << frente.erros.toStdString();
    EXPECT_EQ(frente.codigo, completo.codigo);
    EXPECT_EQ(sem(frente.saida, a), sem(completo.saida, b));
    EXPECT_EQ(sem(frente.erros, a), sem(completo.erros, b));
    if (QString::fromLatin1(c.nome).startsWith("seal") && c.codigo == 0) {
        // A fresh key each time: compare what the central opens.
        for (const QTemporaryDir* d : {&a, &b})
            ASSERT_EQ(roda(QStringLiteral(PLUVEXA_CLI_FULL),
                           {"open", "--key", kChaves + "central.private", "--sender", kChaves + "own.public",
                            d->filePath("out"), d->filePath("opened")})
                          .codigo,
                      0);
        EXPECT_EQ(le(a.filePath("opened")), le(a.filePath("in.lzw")));
    } else {
        EXPECT_EQ(le(a.filePath("out")), le(b.filePath("out")));
    }
    EXPECT_TRUE(QDir(a.path()).entryList({".*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
}

// Without pluvexa-cli-full beside it, pluvexa-cli still runs what it runs
// itself (so those never load Qt), and says plainly what it cannot hand on.
TEST_P(CliDireto, RunsItsOwnCommandsAlone)
{
    const Caso& c = GetParam();
    QTemporaryDir sozinho;
    const QString copia = sozinho.filePath("pluvexa-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLUVEXA_CLI), copia));
    const Execucao r = roda(copia, linha(a));
    if (c.direto) {
        EXPECT_EQ(r.codigo, c.codigo) << r.erros.toStdString();
        EXPECT_FALSE(r.erros.contains("pluvexa-cli-full"));
    } else {
        EXPECT_EQ(r.codigo, 1);
        EXPECT_EQ(r.erros, "pluvexa-cli: cannot run " + sozinho.filePath("pluvexa-cli-full")
                               + ": No such file or directory\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Linhas, CliDireto, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace pluvexa::test
