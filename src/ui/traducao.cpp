#include "ui/traducao.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <array>
#include <cstring>

namespace pluvexa {

namespace {

// Qt's translation, with the few texts its Brazilian Portuguese file lacks
// (the file chooser's kind of an entry: "Folder" stood in its list).
class TraducaoPortugues final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* contexto, const char* texto, const char* desambiguacao, int n) const override
    {
        struct Falta {
            const char* contexto;
            const char* texto;
            const char* traducao;
        };
        static constexpr std::array<Falta, 4> kFaltas = {{
            {"QAbstractFileIconProvider", "Drive", "Unidade"},
            {"QAbstractFileIconProvider", "Folder", "Pasta"},
            {"QAbstractFileIconProvider", "Alias", "Atalho"},
            {"QAbstractFileIconProvider", "Shortcut", "Atalho"},
        }};
        const QString qt = QTranslator::translate(contexto, texto, desambiguacao, n);
        if (!qt.isEmpty() || !contexto || !texto)
            return qt;
        for (const Falta& f : kFaltas)
            if (std::strcmp(contexto, f.contexto) == 0 && std::strcmp(texto, f.texto) == 0)
                return QString::fromUtf8(f.traducao);
        return qt;
    }
};

}  // namespace

QTranslator* instalaPortugues(QCoreApplication& app)
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto* traducao = new TraducaoPortugues(&app);
    if (!traducao->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(traducao)) {
        delete traducao;
        return nullptr;
    }
    return traducao;
}

}  // namespace pluvexa
