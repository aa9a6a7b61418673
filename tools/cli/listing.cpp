// listing: the listing of cards to recharge that "Imprimir" previews, as
// text lines or as a PDF.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "cli.h"
#include "files/entrada.h"
#include "recharge/camposregistro.h"
#include "recharge/cp1252.h"
#include "recharge/listagem.h"
#include "recharge/processamento.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace pluvexa::cli {

namespace {

const char* const kAjudantePdf = "pluvexa-listing-pdf";

void logNoErro(const QStringList& log)
{
    for (const QString& l : log)
        std::fprintf(stderr, "%s\n", l.toUtf8().constData());
}

// The PDF is made by a helper program beside this one, which links the
// report layer and the fonts; the other commands never load them.
int geraPdf(const std::vector<Texto>& linhas, const QString& caminho, const QString& destino)
{
    const QString ajudante = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kAjudantePdf));
    if (!QFileInfo(ajudante).isExecutable())
        return falha(QStringLiteral("%1 is missing beside pluvexa-cli; it makes the PDF").arg(citado(ajudante)));
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    // Whatever the names look like, they are values: "-x.pdf" is a file.
    p.start(ajudante, {QStringLiteral("--arquivo=") + caminho, QStringLiteral("--"), destino});
    if (!p.waitForStarted())
        return falha(QStringLiteral("cannot run %1").arg(citado(ajudante)));
    QByteArray texto;
    for (const Texto& l : linhas) {
        texto.append(l.data(), qsizetype(l.size()));
        texto.append('\n');
    }
    p.write(texto);
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return falha(QStringLiteral("no PDF was written"));
    return Sucesso;
}

// The helper writes a file whole or not at all: the PDF is made in a
// private folder and then copied to standard output.
int pdfNaSaida(const std::vector<Texto>& linhas, const QString& caminho)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        return falha(QStringLiteral("cannot make a private folder for the PDF: %1").arg(tmp.errorString()));
    const QString arquivo = tmp.filePath(QStringLiteral("listagem.pdf"));
    if (const int r = geraPdf(linhas, caminho, arquivo); r != Sucesso)
        return r;
    QByteArray pdf;
    if (QString erro; !leArquivo(arquivo, pdf, &erro))
        return falha(erro);
    std::fwrite(pdf.constData(), 1, std::size_t(pdf.size()), stdout);
    return Sucesso;
}

}  // namespace

int listing(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Processes FILE as \"check\" does, with the processing log on standard error,\n"
                            "then builds the listing of cards to recharge as \"Imprimir\" does. --text (the\n"
                            "default) writes its body lines to standard output (UTF-8); --pdf OUT writes\n"
                            "the whole report as PDF (no display needed); --pdf - writes it to standard\n"
                            "output."),
             QStringLiteral("0 the listing written, 1 FILE cannot be loaded, its records are not all "
                            "consistent (no listing then) or OUT cannot be written"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("received file, draft or plain text"));
    const ArquivoEntrada arquivo(parser);
    const QCommandLineOption text(QStringLiteral("text"), QStringLiteral("write the body lines (default)"));
    const QCommandLineOption pdf(QStringLiteral("pdf"),
                                 QStringLiteral("write the report as PDF to OUT (- for standard output)"),
                                 QStringLiteral("OUT"));
    parser.addOptions({text, pdf});
    if (int r = analisa(parser, args, 1); r >= 0)
        return r;
    if (arquivo.ambos() || (parser.isSet(text) && parser.isSet(pdf)))
        return exclusaoMutua("listing", "--draft and --plain, --text and --pdf");
    const QString path = parser.positionalArguments().first();
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(path))
        return *r;

    const QString visivel = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QStringList log = bannerProcessamento(QDateTime::currentDateTime(), visivel);
    std::vector<Texto> linhas;
    if (const std::optional<QString> erro = carrega(path, arquivo.rascunho(), arquivo.plano(), linhas, log)) {
        logNoErro(log);
        return falha(*erro);
    }
    ModeloRecarga modelo;
    ResultadoProcessamento resultado;
    try {
        resultado = ProcessadorRecarga(modelo).processa(linhas, log);
    } catch (const ErroConversao& e) {
        logNoErro(log);
        imprimeDiagnostico(diagnostico(path, arquivo.plano(), linhas, &e));
        return falha(naoProcessa(path));
    }
    logNoErro(log);
    if (!resultado.consistente()) {
        imprimeDiagnostico(diagnostico(path, arquivo.plano(), linhas, nullptr));
        return falha(QStringLiteral("%1 has inconsistent records; no listing").arg(citado(path)));
    }

    if (parser.isSet(pdf) && ehSaidaPadrao(parser.value(pdf)))
        return pdfNaSaida(linhas, visivel);
    if (parser.isSet(pdf)) {
        QString erro;
        if (confereSaida(parser.value(pdf), &erro) != natureza::Estado::Aceito)
            return falha(erro);
        return geraPdf(linhas, visivel, parser.value(pdf));
    }
    for (const Texto& l : compoeLinhas(modelo, preparaListagem(modelo)))
        escreve(deCp1252(l));
    return Sucesso;
}

}  // namespace pluvexa::cli
