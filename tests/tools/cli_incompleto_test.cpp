// pluvexa-cli works only on whole texts: a draft or plain text cut short (at
// a line end, without its trailer, with a trailer counting other records,
// a header alone, nothing, NUL bytes) is refused by every command that
// reads one, exit 1, naming what it lacks, writing nothing; a received
// file, whose envelope vouches for it, only has the lack noted in its log.
// Also the input bounds: plain texts over 16 MiB are not read, and what
// the central could not expand is not compressed.

#include "clirun.h"
#include "support/arquivosteste.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

const QString kTexto = QStringLiteral(PLUVEXA_TEST_DATA "/cli/recebido.txt");

// The 39 lines of the demonstration text (header, 7 card types and
// tariffs, 30 holders, trailer counting 39).
std::vector<Texto> inteiro()
{
    std::vector<Texto> l = carregaLinhas(kTexto);
    EXPECT_EQ(l.size(), 39u);
    return l;
}

struct Corte {
    const char* nome;
    QByteArray (*bytes)();
    const char* motivo;
};

QByteArray texto(const std::vector<Texto>& l)
{
    return QByteArray::fromStdString(juntaLinhas(l));
}

QByteArray cortadoNumFimDeLinha()
{
    auto l = inteiro();
    l.resize(20);
    return texto(l);
}
QByteArray semTrailer()
{
    auto l = inteiro();
    l.pop_back();
    return texto(l);
}
QByteArray contagemErrada()
{
    auto l = inteiro();
    l.erase(l.begin() + 12);
    return texto(l);
}
QByteArray soHeader() { return texto({inteiro().front()}); }
QByteArray vazio() { return {}; }
QByteArray nulos() { return QByteArray(4096, '\0'); }

const Corte kCortes[] = {
    {"cut_at_a_line_end", cortadoNumFimDeLinha, "no trailer"},
    {"no_trailer", semTrailer, "no trailer"},
    {"wrong_count", contagemErrada, "the trailer counts 39 records, 38 were read"},
    {"header_only", soHeader, "no trailer"},
    {"empty", vazio, "no header"},
    {"nul_bytes", nulos, "no header"},
};

struct Leitura {
    const char* nome;
    const char* args;  // {X} the file under test, {D} the folder
    bool rascunho;     // {X} is the text compressed as a draft
};

const Leitura kLeituras[] = {
    {"check_plain", "check --plain {X}", false},
    {"check_draft", "check --draft {X}", true},
    {"listing_plain", "listing --plain {X}", false},
    {"listing_draft", "listing --draft {X}", true},
    {"review_plain", "review --plain {X}", false},
    {"export_plain", "export --plain {X} {D}/out.csv", false},
    {"export_draft", "export --draft {X} {D}/out.csv", true},
    {"rewrite", "rewrite {X} {D}/out.txt", false},
    {"import_plain", "import --plain --out {D}/out.txt {X} {D}/values.rrm", false},
    {"import_draft", "import --draft --out {D}/out.txt {X} {D}/values.rrm", true},
};

struct Caso {
    Corte corte;
    Leitura leitura;
};

void PrintTo(const Caso& c, std::ostream* os)
{
    *os << c.leitura.nome << '_' << c.corte.nome;
}

std::vector<Caso> casos()
{
    std::vector<Caso> v;
    for (const Corte& c : kCortes)
        for (const Leitura& l : kLeituras)
            v.push_back({c, l});
    return v;
}

class ComPasta : public ::testing::Test {
protected:
    QStringList monta(const char* modelo, const QString& alvo) const
    {
        QStringList args = QString::fromLatin1(modelo).split(QLatin1Char(' '));
        for (QString& a : args) {
            a.replace(QStringLiteral("{X}"), alvo);
            a.replace(QStringLiteral("{D}"), dir.path());
        }
        return args;
    }
    TemporaryHome home;
    QTemporaryDir dir;
};

class TextoIncompleto : public ComPasta, public ::testing::WithParamInterface<Caso> {};

TEST_P(TextoIncompleto, IsRefusedNamingWhatItLacksAndNothingIsWritten)
{
    const Caso& c = GetParam();
    const QString plano = dir.filePath(QStringLiteral("texto.txt"));
    grava(plano, c.corte.bytes());
    grava(dir.filePath(QStringLiteral("values.rrm")), QByteArray());
    QString alvo = plano;
    if (c.leitura.rascunho) {
        alvo = dir.filePath(QStringLiteral("PX_00123_0007_2412091530_2.REC"));
        const Execucao p = executa({QStringLiteral("compress"), plano, alvo});
        ASSERT_EQ(p.codigo, 0) << p.erros.toStdString();
    }
    const Execucao e = executa(monta(c.leitura.args, alvo));
    EXPECT_EQ(e.codigo, 1) << e.erros.toStdString();
    const QString esperado = QStringLiteral("pluvexa-cli: \"%1\" is incomplete: %2\n").arg(alvo, QString::fromLatin1(c.corte.motivo));
    EXPECT_TRUE(e.erros.endsWith(esperado)) << e.erros.toStdString();
    // Nothing of it was processed, nothing written.
    for (const QString& s : {e.saida, e.erros}) {
        EXPECT_FALSE(s.contains(QStringLiteral("==> OK"))) << s.toStdString();
        EXPECT_FALSE(s.contains(QStringLiteral("Holders:"))) << s.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.csv"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.txt"))));
    // check prints the processing log on standard output, the others on
    // standard error.
    if (c.leitura.rascunho) {
        EXPECT_TRUE((e.saida + e.erros).contains(QStringLiteral(" ==> Arquivo incompleto: "))) << e.erros.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, TextoIncompleto, ::testing::ValuesIn(casos()), [](const auto& info) {
    return std::string(info.param.leitura.nome) + "_" + info.param.corte.nome;
});

using Entradas = ComPasta;

// A received file cut short before it was sealed: the envelope vouches for
// what the central sent; check notes what is missing and goes on.
TEST_F(Entradas, AReceivedFileCutShortIsProcessedWithTheLackNoted)
{
    for (const Corte& c : {kCortes[1], kCortes[2]}) {
        const QString plano = dir.filePath(QStringLiteral("texto.txt"));
        grava(plano, c.bytes());
        const QString recebido = dir.filePath(QStringLiteral("PX_00123_0007_2412091530_1.rec"));
        ASSERT_EQ(executa({QStringLiteral("central"), QStringLiteral("make-received"), plano, recebido}).codigo, 0);
        const Execucao e = executa({QStringLiteral("check"), recebido});
        EXPECT_EQ(e.codigo, 0) << c.nome << e.erros.toStdString();
        const QString linha = QString::fromLatin1(c.motivo) == QLatin1String("no trailer")
            ? QStringLiteral(" ==> Arquivo incompleto: sem Trailer ")
            : QStringLiteral(" ==> Arquivo incompleto: o Trailer informa 39 registros e foram lidos 38 ");
        EXPECT_TRUE(e.saida.contains(QStringLiteral("Arquivo Descompactado com Sucesso\n  \n") + linha + '\n'))
            << e.saida.toStdString();
        EXPECT_TRUE(e.saida.contains(QStringLiteral("Header      ==> OK "))) << e.saida.toStdString();
    }
}

// A plain text is read whole into memory: past 16 MiB it is refused before
// a byte of it is read; 16 MiB itself is read (and here found to be NUL
// bytes, no text).
TEST_F(Entradas, APlainTextOver16MiBIsNotRead)
{
    const QString plano = dir.filePath(QStringLiteral("grande.txt"));
    for (const qint64 tamanho : {qint64(16) << 20, (qint64(16) << 20) + 1}) {
        {
            QFile f(plano);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_TRUE(f.resize(tamanho));
        }
        for (const char* comando : {"check", "listing", "review", "rewrite"}) {
            QStringList args{QString::fromLatin1(comando)};
            if (std::string_view(comando) != "rewrite")
                args << QStringLiteral("--plain") << plano;
            else
                args << plano << dir.filePath(QStringLiteral("out.txt"));
            const Execucao e = executa(args);
            EXPECT_EQ(e.codigo, 1) << comando;
            const QString esperado = tamanho > (qint64(16) << 20)
                ? QStringLiteral("\"%1\" is larger than 16 MiB\n").arg(plano)
                : QStringLiteral("\"%1\" is incomplete: no header\n").arg(plano);
            EXPECT_TRUE(e.erros.endsWith(esperado)) << comando << ": " << e.erros.toStdString();
        }
    }
}

// The central's expander rebuilds strings of at most 4000 bytes: a run of
// 8,006,001 letters makes one of 4001. Neither compress nor make-received
// writes such a stream.
TEST_F(Entradas, WhatTheCentralCannotExpandIsNotCompressed)
{
    const QString longa = dir.filePath(QStringLiteral("longa.txt"));
    const QString limite = dir.filePath(QStringLiteral("limite.txt"));
    grava(longa, QByteArray(8006001, 'a'));
    grava(limite, QByteArray(8006000, 'a'));
    const QString saida = dir.filePath(QStringLiteral("out"));
    const QString esperado =
        QStringLiteral("pluvexa-cli: \"%1\" cannot be compressed for the central: a run of repeated bytes is too long\n")
            .arg(longa);
    for (const QStringList& args : {QStringList{QStringLiteral("compress"), longa, saida},
                                    QStringList{QStringLiteral("central"), QStringLiteral("make-received"), longa, saida}}) {
        const Execucao e = executa(args);
        EXPECT_EQ(e.codigo, 1) << args.join(' ').toStdString();
        EXPECT_EQ(e.erros, esperado);
        EXPECT_FALSE(QFile::exists(saida));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  (QStringList{QStringLiteral("limite.txt"), QStringLiteral("longa.txt")}));
    }
    const Execucao e = executa({QStringLiteral("compress"), limite, saida});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    const Execucao back = executa({QStringLiteral("expand"), saida, dir.filePath(QStringLiteral("back"))});
    EXPECT_EQ(back.codigo, 0) << back.erros.toStdString();
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("back"))).size(), 8006000);
}

// A holder's value below zero is refused as the record is read, so rewrite
// writes nothing; a negative number the writer refuses is printed whole.
TEST_F(Entradas, RewriteRefusesNegativeValuesAndPrintsWholeNumbers)
{
    auto l = inteiro();
    ASSERT_EQ(l[9].substr(92, 2), "01");  // a money holder
    auto negativo = l;
    negativo[9].replace(134, 18, "-00000000000001000");
    const QString plano = dir.filePath(QStringLiteral("texto.txt"));
    grava(plano, texto(negativo));
    const QString saida = dir.filePath(QStringLiteral("out.txt"));
    Execucao e = executa({QStringLiteral("rewrite"), plano, saida});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.erros.contains(QStringLiteral(" ==> Valor negativo - Linha : 9 \n"))) << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Detalhe     ==> Consistencia Inválida "))) << e.erros.toStdString();
    EXPECT_FALSE(QFile::exists(saida));

    auto cmm = l;
    cmm[9].replace(98, 18, "-00000002147483600");
    grava(plano, texto(cmm));
    e = executa({QStringLiteral("rewrite"), plano, saida});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_TRUE(e.erros.contains(QStringLiteral("CMM do grupo 1 : valor negativo (-21474836)\n"))) << e.erros.toStdString();
    EXPECT_FALSE(e.erros.contains(QStringLiteral("e+"))) << e.erros.toStdString();
    EXPECT_FALSE(QFile::exists(saida));
}

}  // namespace
}  // namespace pluvexa::test
