#include "ui/traducao.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pluvexa {

QTranslator* instalaPortugues(QCoreApplication& app)
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto* traducao = new QTranslator(&app);
    if (!traducao->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(traducao)) {
        delete traducao;
        return nullptr;
    }
    return traducao;
}

}  // namespace pluvexa
