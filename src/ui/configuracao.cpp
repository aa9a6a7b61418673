#include "ui/configuracao.h"

#include "review/conferencia.h"

#include <QSettings>
#include <QStringList>

namespace pluvexa {

namespace {

const QString kGeometria = QStringLiteral("JanelaPrincipal/Geometria");
const QString kLarguras = QStringLiteral("Grade/Larguras");
const QString kLimite = QStringLiteral("Conferencia/Limite");

QSettings abre()
{
    // The INI format everywhere (not the registry on Windows): one small
    // text file, <configuration folder>/Drovanti/Pluvexa.ini.
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drovanti"),
                     QStringLiteral("Pluvexa"));
}

// "x y width height" or "w1 w2 ...": plain numbers a person can edit.
QVector<int> numeros(const QString& texto)
{
    QVector<int> n;
    for (const QString& parte : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = parte.toInt(&ok);
        if (!ok)
            return {};
        n.push_back(v);
    }
    return n;
}

QString texto(const QVector<int>& numeros)
{
    QStringList partes;
    for (int n : numeros)
        partes << QString::number(n);
    return partes.join(QLatin1Char(' '));
}

}  // namespace

std::optional<QRect> Configuracao::geometriaPrincipal()
{
    const QVector<int> n = numeros(abre().value(kGeometria).toString());
    if (n.size() != 4 || n[2] <= 0 || n[3] <= 0)
        return std::nullopt;
    return QRect(n[0], n[1], n[2], n[3]);
}

void Configuracao::guardaGeometriaPrincipal(const QRect& g)
{
    abre().setValue(kGeometria, texto({g.x(), g.y(), g.width(), g.height()}));
}

QVector<int> Configuracao::largurasGrade()
{
    QVector<int> n = numeros(abre().value(kLarguras).toString());
    for (int& v : n)
        v = std::max(0, v);
    return n;
}

void Configuracao::guardaLargurasGrade(const QVector<int>& larguras)
{
    abre().setValue(kLarguras, texto(larguras));
}

int Configuracao::limiteConferencia()
{
    bool ok = false;
    const int limite = abre().value(kLimite).toString().trimmed().toInt(&ok);
    return ok && limite >= kLimiteMinimo && limite <= kLimiteMaximo ? limite : kLimitePadrao;
}

void Configuracao::guardaLimiteConferencia(int limite)
{
    abre().setValue(kLimite, QString::number(limite));
}

}  // namespace pluvexa
