// compress and expand: the LZW coder on files.

#include "cli.h"
#include "core/codificacao.h"

#include <optional>

namespace pluvexa::cli {

namespace {

int codifica(const QStringList& args, bool comprime)
{
    QCommandLineParser parser;
    if (comprime)
        descreve(parser,
                 QStringLiteral("Compresses IN into OUT with the recharge files' LZW coder. Refuses an IN\n"
                                "whose stream the central could not expand (a string of more than 4000\n"
                                "bytes: a run of some 8 MB of one repeated byte)."),
                 QStringLiteral("0 OUT written, 1 IN cannot be read or compressed for the central, or OUT "
                                "cannot be written"));
    else
        descreve(parser, QStringLiteral("Expands the LZW stream IN into OUT."),
                 QStringLiteral("0 OUT written, 1 IN is no LZW stream (or would expand beyond 64 MiB), IN "
                                "cannot be read or OUT cannot be written"));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("input file"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("output file"));
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    const QStringList p = parser.positionalArguments();
    std::optional<SemProgresso> calado;
    if (silencioso())
        calado.emplace();
    return comprime ? cli::comprime(p[0].toStdString(), p[1].toStdString())
                    : cli::expande(p[0].toStdString(), p[1].toStdString());
}

}  // namespace

int compress(const QStringList& args) { return codifica(args, true); }
int expand(const QStringList& args) { return codifica(args, false); }

}  // namespace pluvexa::cli
