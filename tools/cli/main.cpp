// pluvexa-cli: the command-line companion of Pluvexa, for support staff,
// scripts and demonstrations.

#include "cli.h"
#include "recharge/modelo.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pluvexa-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(pluvexa::kVersao).trimmed());
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return pluvexa::cli::executa(args);
}
