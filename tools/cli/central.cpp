// central and demo: the card central's side, with the demonstration keys.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "central/dadosdemo.h"
#include "central/ladocentral.h"
#include "cli.h"
#include "codec/builtinkeys.h"
#include "core/codificacao.h"
#include "democentralkeys.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace pluvexa::cli {

namespace {

template <typename Record, size_t N>
Record registro(const unsigned char (&bytes)[N])
{
    static_assert(N == std::tuple_size_v<Record>);
    Record r{};
    std::copy(bytes, bytes + N, r.begin());
    return r;
}

// The program opens received files with its built-in key; files made with
// the demonstration central keys only open where that key is the
// demonstration one.
bool chavesDeDemonstracao()
{
    if (builtin_keys_are_demonstration())
        return true;
    falha(QStringLiteral("this build holds real keys; the central's side works only with the demonstration keys"));
    return false;
}

QString descreve(const RespostaCentral& r, const QString& verbo, const QString& arquivo)
{
    if (r.resultado == CentralFalhaCompressao)
        return QStringLiteral("%1 %2 failed: compression or expansion failed").arg(verbo, citado(arquivo));
    return QStringLiteral("%1 %2 failed: error %3").arg(verbo, citado(arquivo)).arg(r.codigoEnvelope);
}

int recebido(const QString& plain, const QString& out)
{
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(plain))
        return *r;
    const RespostaCentral r = preparaArquivoRecebido(plain, out,
        registro<PrivateKeyRecord>(kDemoCentralPrivateKey), registro<PublicKeyRecord>(kDemoOwnPublicKey));
    if (r.resultado == CentralCadeiaLonga)
        return falha(naoComprime(plain.toStdString()));
    return r.resultado == CentralOk ? Sucesso : falha(descreve(r, QStringLiteral("sealing"), plain));
}

// The demo's folder: the received folder is made with its parents, as the
// program makes its working folders; a folder the user names only when
// its parent exists, so that a mistyped path makes no tree of folders.
std::optional<int> criaPasta(const QString& pasta, bool comPais)
{
    const QFileInfo info(QDir::cleanPath(pasta));
    if (info.isDir())
        return std::nullopt;
    if (info.exists() || info.isSymLink())
        return falha(QStringLiteral("%1 is not a folder").arg(citado(pasta)));
    const QString pai = info.absolutePath();
    if (!comPais && !QFileInfo(pai).isDir())
        return falha(QStringLiteral("cannot create the folder %1: its parent %2 does not exist")
                         .arg(citado(pasta), citado(pai)));
    if (!(comPais ? QDir().mkpath(pasta) : QDir().mkdir(pasta)))
        return falha(QStringLiteral("cannot create the folder %1").arg(citado(pasta)));
    return std::nullopt;
}

}  // namespace

int central(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("The card central's side, with the demonstration keys:\n"
                            "  make-received PLAIN OUT   compress and seal plain recharge text for the program\n"
                            "  read-answer ANSWER PLAIN  open an answer (checking its signature) and expand it"),
             QStringLiteral("0 OUT written, 1 IN cannot be read, compressed for the central, sealed, opened "
                            "or expanded, or OUT cannot be written"));
    parser.addPositionalArgument(QStringLiteral("ACTION"), QStringLiteral("make-received or read-answer"));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("input file"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("output file"));
    if (int r = analisa(parser, args, 3); r >= 0)
        return r;
    const QStringList p = parser.positionalArguments();
    if (p[0] != QLatin1String("make-received") && p[0] != QLatin1String("read-answer")) {
        std::fprintf(stderr, "pluvexa-cli central: unknown action '%s', see --help\n", qPrintable(p[0]));
        return UsoErrado;
    }
    if (!chavesDeDemonstracao())
        return Falha;
    if (QString erro; confereSaida(p[2], &erro) != natureza::Estado::Aceito)
        return falha(erro);
    if (p[0] == QLatin1String("make-received"))
        return recebido(p[1], p[2]);
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(p[1]))
        return *r;
    const RespostaCentral r = leArquivoResposta(p[1], p[2],
        registro<PrivateKeyRecord>(kDemoCentralPrivateKey), registro<PublicKeyRecord>(kDemoOwnPublicKey));
    return r.resultado == CentralOk ? Sucesso : falha(descreve(r, QStringLiteral("opening"), p[1]));
}

int demo(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Writes a realistic received file, as the card central would send it, named\n"
                            "PX_<company>_<batch>_<YYMMDDHHNN>_1.rec. Prints its path. A file of that name\n"
                            "already there (a second run in the same minute) is left as it is. --folder DIR\n"
                            "is created when its parent folder exists."),
             QStringLiteral("0 written, 1 it cannot be written, its name is taken or DIR's parent "
                            "folder does not exist"));
    const QCommandLineOption holders(QStringLiteral("holders"),
                                     QStringLiteral("card holders, 1 to 10000 (default 200)"),
                                     QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("where to write it (default: the received folder, Recebidos, "
                                                   "of $%1, else of %2)")
                                        .arg(QLatin1String(kVariavelRaiz), QDir::toNativeSeparators(raizTrabalho())),
                                    QStringLiteral("DIR"));
    const DemoOptions padrao;
    const QCommandLineOption empresa(QStringLiteral("company"),
                                     QStringLiteral("company code, 1 to 99999 (default %1)").arg(padrao.empresa),
                                     QStringLiteral("N"), QString::number(padrao.empresa));
    const QCommandLineOption remessa(QStringLiteral("batch"),
                                     QStringLiteral("batch number, 1 to 9999 (default %1)")
                                         .arg(padrao.remessa),
                                     QStringLiteral("N"), QString::number(padrao.remessa));
    parser.addOptions({holders, folder, empresa, remessa});
    if (int r = analisa(parser, args, 0); r >= 0)
        return r;
    bool ok = false;
    const int n = parser.value(holders).toInt(&ok);
    if (!ok || n < 1 || n > kRecargas) {
        std::fputs("pluvexa-cli demo: --holders must be from 1 to 10000\n", stderr);
        return UsoErrado;
    }
    const int codigoEmpresa = parser.value(empresa).toInt(&ok);
    if (!ok || codigoEmpresa < 1 || codigoEmpresa > 99999) {
        std::fputs("pluvexa-cli demo: --company must be from 1 to 99999\n", stderr);
        return UsoErrado;
    }
    const int numeroRemessa = parser.value(remessa).toInt(&ok);
    if (!ok || numeroRemessa < 1 || numeroRemessa > 9999) {
        std::fputs("pluvexa-cli demo: --batch must be from 1 to 9999\n", stderr);
        return UsoErrado;
    }
    if (parser.isSet(folder) && parser.value(folder).isEmpty()) {
        std::fputs("pluvexa-cli demo: --folder takes a folder's name\n", stderr);
        return UsoErrado;
    }
    if (!chavesDeDemonstracao())
        return Falha;
    if (!parser.isSet(folder)) {
        if (const std::optional<int> r = confereRaizPadrao())
            return *r;
    }
    const QString pasta = parser.isSet(folder) ? parser.value(folder) : recebidosCli();
    if (const std::optional<int> r = criaPasta(pasta, !parser.isSet(folder)))
        return *r;

    const QDateTime agora = QDateTime::currentDateTime();
    DemoOptions options;
    options.holders = n;
    options.empresa = codigoEmpresa;
    options.remessa = numeroRemessa;
    ModeloRecarga modelo;
    geraModeloDemo(modelo, options, agora);
    const QString nome = nomeArquivoRecebido(options.empresa, options.remessa, agora);
    const ResultadoEscrita escrita = EscritorRecarga(modelo).gera(nome.toStdString(), agora, agora);
    if (!escrita.ok())
        return falha(escrita.textosRecusas().join(QStringLiteral("; ")));

    QTemporaryDir tmp;
    const QString plain = tmp.filePath(QStringLiteral("demo.txt"));
    try {
        salvaLinhas(escrita.linhas, plain);
    } catch (const ErroArquivo& e) {
        return falha(QString::fromUtf8(e.what()));
    }
    const QString out = QDir(pasta).filePath(nome);
    // A second run in the same minute would otherwise replace the first
    // file, which a session may already be using.
    if (QFileInfo(out).exists() || QFileInfo(out).isSymLink())
        return falha(QStringLiteral("%1 already exists; nothing written").arg(citado(out)));
    if (int r = recebido(plain, out); r != Sucesso)
        return r;
    escreve(QDir::toNativeSeparators(out));
    return Sucesso;
}

}  // namespace pluvexa::cli
