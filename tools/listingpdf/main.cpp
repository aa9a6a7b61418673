// pluvexa-listing-pdf: the PDF of the listing of cards to recharge, for
// `pluvexa-cli listing --pdf`. A program of its own so that the command line
// loads the report and font machinery only when a PDF is asked for.
//
// Usage: pluvexa-listing-pdf --arquivo=PATH -- OUT
// Standard input: the plain recharge text (Windows-1252 lines) of a file
// whose records are all consistent; PATH is what "Arquivo : " shows. Exit 0
// when OUT was written, 1 (with a line on standard error) when not, 2 on
// wrong usage. Needs no display.

#include "recharge/camposregistro.h"
#include "recharge/processamento.h"
#include "report/pdf.h"
#include "report/tfreprecarga.h"

#include "files/arquivoseguro.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {

std::vector<pluvexa::Texto> leEntrada()
{
    QFile entrada;
    if (!entrada.open(stdin, QIODevice::ReadOnly))
        return {};
    std::vector<pluvexa::Texto> linhas;
    for (QByteArray l : entrada.readAll().split('\n')) {
        if (l.endsWith('\r'))
            l.chop(1);
        linhas.emplace_back(l.constData(), size_t(l.size()));
    }
    while (!linhas.empty() && linhas.back().empty())
        linhas.pop_back();
    return linhas;
}

int falha(const QString& message)
{
    std::fprintf(stderr, "pluvexa-listing-pdf: %s\n", message.toUtf8().constData());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace pluvexa;
    // Nothing is shown: the pages go to a file, with or without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption arquivo(QStringLiteral("arquivo"), QStringLiteral("path shown as the file"),
                                     QStringLiteral("PATH"));
    parser.addOption(arquivo);
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("PDF to write"));
    if (!parser.parse(QCoreApplication::arguments()) || parser.positionalArguments().size() != 1) {
        std::fputs("usage: pluvexa-listing-pdf --arquivo=PATH -- OUT < plain-recharge-text\n", stderr);
        return 2;
    }

    ModeloRecarga modelo;
    QStringList log;
    ResultadoProcessamento r;
    try {
        r = ProcessadorRecarga(modelo).processa(leEntrada(), log);
    } catch (const ErroConversao& e) {
        return falha(QString::fromUtf8(e.what()));
    }
    if (!r.consistente())
        return falha(QStringLiteral("the records are not all consistent; no listing"));

    Tfreprecarga form(modelo);
    preparaListagem(form, modelo, dadosDoModelo(modelo).lblempresa, parser.value(arquivo));
    const report::Document doc = form.prepara();
    FalhaArquivo erro;
    const QString destino = parser.positionalArguments().first();
    if (report::writePdf(form.QuickRep1, doc, destino, &erro))
        return 0;
    // A full disk is met while the hidden temporary is written: the file
    // named is the one asked for, with the system's reason.
    if (erro.motivo.codigo != 0 && erro.operacao == Operacao::Gravar)
        return falha(QStringLiteral("Cannot write file \"%1\". %2")
                         .arg(QDir::toNativeSeparators(destino), QString::fromStdString(erro.motivo.ingles)));
    return falha(QStringLiteral("cannot write %1: %2").arg(destino, textoIngles(erro)));
}
