// pluvexa-capturas: the operator manual's pictures, taken from the real
// windows over demonstration data (scripts/manual-screenshots.sh runs it on
// a virtual screen). Usage: pluvexa-capturas PICTURES [DISK]
#include "fotografo.h"
#include "roteiro.h"
#include "ui/application.h"
#include "ui/traducao.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: pluvexa-capturas PICTURES [DISK]\n", stderr);
        return 2;
    }
    // The working root lies in HOME, which must hold none yet: the script
    // gives a home of its own, so that nobody's real work is touched and
    // the pictures show the same files on every run.
    const QString casa = QDir::homePath();
    if (QFileInfo::exists(casa + QStringLiteral("/Drovanti"))) {
        std::fprintf(stderr, "pluvexa-capturas: %s/Drovanti exists; run it with a HOME of its own\n",
                     qPrintable(casa));
        return 1;
    }
    for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(f, QSettings::UserScope, casa + QStringLiteral("/.config"));

    pluvexa::Application app(argc, argv);
    pluvexa::instalaPortugues(app);
    // A steady caret: the pictures do not depend on the moment it blinks.
    QApplication::setCursorFlashTime(0);
    QDir::setCurrent(casa);

    const QString pasta = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    // The folder standing for the company's disk.
    const QString disco = argc == 3 ? QDir(QString::fromLocal8Bit(argv[2])).absolutePath()
                                    : casa + QStringLiteral("/PENDRIVE");
    if (!QDir().mkpath(pasta) || !QDir().mkpath(disco))
        pluvexa::capturas::falha(QStringLiteral("cannot create %1 or %2").arg(pasta, disco));
    pluvexa::capturas::executaRoteiro(pasta, disco);
    return 0;
}
