// pluvexa-cli: the command-line companion of the desktop program.
#include "recharge/model.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pluvexa-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(pluvexa::kVersao).trimmed());
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Command-line companion of Pluvexa."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
    parser.showHelp(2);
}
