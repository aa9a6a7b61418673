// pluvexa-cli's commands and their dispatch.

#include "ambiente.h"
#include "cli.h"
#include "codec/builtinkeys.h"
#include "files/pastastrabalho.h"
#include "recharge/modelo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>
#include <iostream>
#include <sstream>

namespace pluvexa::cli {

namespace {

struct Comando {
    const char* nome;
    const char* resumo;
    Executor executa;
};

const Comando kComandos[] = {
    {"compress", "compress a file with the recharge files' LZW coder", compress},
    {"expand", "expand an LZW stream", expand},
    {"keygen", "make an RSA key pair as key records", keygen},
    {"seal", "seal a file in the encrypted envelope", seal},
    {"open", "open a sealed file and check its signature", open},
    {"check", "process a received file, a draft or plain text and print the log", check},
    {"rewrite", "read plain recharge text and write it back through the record writer", rewrite},
    {"central", "the central's side: make-received, read-answer (demonstration keys)", central},
    {"demo", "write a realistic received file into the received folder", demo},
    {"import", "import the values of an external recharge file (.rrm or .csv) into a file", importa},
    {"export", "write the holders of a file as a spreadsheet (.csv) that import reads back", exporta},
    {"listing", "process a file and print its listing of cards to recharge (text or PDF)", listing},
    {"review", "process a file and flag the values far from each holder's usual recharge", review},
    {"history", "list the batches kept of what was sent, or compare two of them", history},
};

QString uso()
{
    QString text = QStringLiteral("Usage: pluvexa-cli COMMAND [options] [arguments]\n\n"
                                  "Command-line companion of Pluvexa.\n\nCommands:\n");
    for (const Comando& c : kComandos)
        text += QStringLiteral("  %1%2\n").arg(QString::fromLatin1(c.nome), -10).arg(QString::fromLatin1(c.resumo));
    text += QStringLiteral("\nOptions:\n"
                           "  -h, --help     print this help\n"
                           "  -v, --version  print the version, and say so when the program carries the\n"
                           "                 demonstration keys, which protect nothing\n"
                           "\n'pluvexa-cli COMMAND --help' describes a command.\n"
                           "Exit status: 0 success, 1 failure, 2 wrong usage.\n");
    return text;
}

// The options a command's help lists, by their long names ("  -h, --help",
// "  --limit <P>"): Qt's parser does not list them otherwise.
QStringList opcoesDaAjuda(const QCommandLineParser& parser)
{
    static const QRegularExpression rotulo(QStringLiteral("^  (-[^ ].*?)(  |$)"),
                                           QRegularExpression::MultilineOption);
    static const QRegularExpression longa(QStringLiteral("--([A-Za-z][A-Za-z0-9-]*)"));
    QStringList nomes;
    for (auto it = rotulo.globalMatch(parser.helpText()); it.hasNext();)
        for (auto n = longa.globalMatch(it.next().captured(1)); n.hasNext();)
            nomes << n.next().captured(1);
    return nomes;
}

// "unknown option '--lmit'; did you mean '--limit'?": the option as it was
// typed, dashes and all (Qt's text drops them), and the nearest the
// command knows.
QString opcaoDesconhecida(const QString& nome, const QStringList& args, const QStringList& conhecidas)
{
    QString digitada = QStringLiteral("--") + nome;
    for (const QString& a : args.mid(1)) {
        if (a == QLatin1String("--"))
            break;
        QString semDivisa = a.section(QLatin1Char('='), 0, 0);
        const qsizetype tracos = semDivisa.startsWith(QLatin1String("--")) ? 2 : semDivisa.startsWith(u'-') ? 1 : 0;
        if (tracos > 0 && semDivisa.mid(tracos) == nome) {
            digitada = semDivisa;
            break;
        }
    }
    const QString proxima = maisProxima(nome, conhecidas);
    return QStringLiteral("unknown option '%1'").arg(digitada)
           + (proxima.isEmpty() ? QString() : QStringLiteral("; did you mean '--%1'?").arg(proxima));
}

// Qt's help names the program by the path it was started with, and not the
// command: the usage line says what to type instead, whichever of the two
// programs printed it and from wherever.
QString ajuda(const QCommandLineParser& parser, const QString& comando)
{
    QString texto = parser.helpText();
    const QString programa = QCoreApplication::arguments().value(0);
    const qsizetype fimLinha = texto.indexOf(QLatin1Char('\n'));
    const qsizetype onde = programa.isEmpty() ? -1 : texto.indexOf(programa);
    if (onde >= 0 && (fimLinha < 0 || onde < fimLinha))
        texto.replace(onde, programa.size(), QStringLiteral("pluvexa-cli ") + comando);
    return texto;
}

}  // namespace

void descreve(QCommandLineParser& parser, const QString& descricao, const QString& saidas)
{
    // Broken into lines as the descriptions are, for a terminal of 80 columns.
    QString linhas;
    QString linha;
    const QStringList palavras = (QStringLiteral("Exit status: ") + saidas + QStringLiteral(", 2 wrong usage."))
                                     .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& palavra : palavras) {
        if (!linha.isEmpty() && linha.size() + 1 + palavra.size() > 79) {
            linhas += linha + QLatin1Char('\n');
            linha.clear();
        }
        linha += (linha.isEmpty() ? QString() : QStringLiteral(" ")) + palavra;
    }
    parser.setApplicationDescription(descricao + QLatin1Char('\n') + linhas + linha);
}

int analisa(QCommandLineParser& parser, const QStringList& args, int posicionais)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    const QCommandLineOption quieto(QStringLiteral("quiet"), QStringLiteral("leave out the coder's progress (\"Compressing...\", its stars)"));
    parser.addOption(quieto);
    if (!parser.parse(args)) {
        if (const QStringList desconhecidas = parser.unknownOptionNames(); !desconhecidas.isEmpty()) {
            std::fprintf(stderr, "pluvexa-cli: %s\n",
                         opcaoDesconhecida(desconhecidas.first(), args, opcoesDaAjuda(parser)).toUtf8().constData());
            return UsoErrado;
        }
        std::fprintf(stderr, "pluvexa-cli: %s\n", qPrintable(parser.errorText()));
        return UsoErrado;
    }
    silencioso() = parser.isSet(quieto);
    if (parser.isSet(help)) {
        std::fputs(ajuda(parser, args.value(0)).toUtf8().constData(), stdout);
        return Sucesso;
    }
    if (posicionais >= 0 && parser.positionalArguments().size() != posicionais) {
        std::fprintf(stderr, "pluvexa-cli %s: expected %d argument(s), see --help\n",
                     qPrintable(args.value(0)), posicionais);
        return UsoErrado;
    }
    return -1;
}

int falha(const QString& message)
{
    return falha(message.toStdString());
}

std::optional<int> confereRaizPadrao()
{
    if (const QString raiz = qEnvironmentVariable(kVariavelRaiz); !raiz.isEmpty()) {
        // A mistyped root would otherwise be made anew, or list nothing.
        if (const QFileInfo pasta(raiz); !pasta.isDir())
            return falha(QStringLiteral("the working root %1 (%2) %3")
                             .arg(citado(raiz), QLatin1String(kVariavelRaiz),
                                  pasta.exists() ? QStringLiteral("is not a folder") : QStringLiteral("does not exist")));
        return std::nullopt;
    }
    if (pastaPessoalInutilizavel().isEmpty())
        return std::nullopt;
    return falha(QStringLiteral("the home folder's name is not valid UTF-8"));
}

void escreve(const QString& line)
{
    escreveSaida((line + QLatin1Char('\n')).toUtf8().toStdString());
}

int executa(QStringList args)
{
    if (args.isEmpty()) {
        std::fputs(qPrintable(uso()), stderr);
        return UsoErrado;
    }
    const QString first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        std::fputs(qPrintable(uso()), stdout);
        return Sucesso;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        std::printf("pluvexa-cli %s\n", qPrintable(QCoreApplication::applicationVersion()));
        if (builtin_keys_are_demonstration())
            std::printf("Built with the demonstration keys: not for a company's real files.\n");
        return Sucesso;
    }
    // The coder reports its progress on standard output; only the coder's
    // own commands show it, so that the others print just their results.
    std::ostringstream silencio;
    std::streambuf* saida = std::cout.rdbuf();
    if (first != QLatin1String("compress") && first != QLatin1String("expand"))
        std::cout.rdbuf(silencio.rdbuf());
    for (const Comando& c : kComandos)
        if (first == QLatin1String(c.nome)) {
            const int r = c.executa(args);
            std::cout.rdbuf(saida);
            return r;
        }
    std::cout.rdbuf(saida);
    QStringList nomes;
    for (const Comando& c : kComandos)
        nomes << QString::fromLatin1(c.nome);
    QString erro;
    if (first.startsWith(u'-')) {
        const QString nome = first.mid(first.startsWith(QLatin1String("--")) ? 2 : 1);
        erro = opcaoDesconhecida(nome, {QString(), first}, {QStringLiteral("help"), QStringLiteral("version")});
    } else {
        const QString proximo = maisProxima(first, nomes);
        erro = QStringLiteral("unknown command '%1'").arg(first)
               + (proximo.isEmpty() ? QString() : QStringLiteral("; did you mean '%1'?").arg(proximo));
    }
    std::fprintf(stderr, "pluvexa-cli: %s\n%s", erro.toUtf8().constData(), qPrintable(uso()));
    return UsoErrado;
}

}  // namespace pluvexa::cli
