#include "ui/configuracao.h"

#include "files/entrada.h"
#include "review/conferencia.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <memory>

namespace pluvexa {

namespace {

const QString kGeometria = QStringLiteral("JanelaPrincipal/Geometria");
const QString kLarguras = QStringLiteral("Grade/Larguras");
const QString kLimite = QStringLiteral("Conferencia/Limite");
const QString kPastas = QStringLiteral("Pastas/");
const QString kImportacao = QStringLiteral("Importacao/");

// A few short lines; a larger file is not the program's.
constexpr std::int64_t kMaiorConfiguracao = 64 * 1024;

// Whether QSettings may open `caminho`: nothing there, or a regular file
// no larger than the program writes. It opens and reads the file itself
// (and, to write, its ".lock" through QLockFile), following links and
// waiting on a FIFO; so what stands there is looked at first.
bool abrivel(const QString& caminho)
{
    const natureza::Estado estado = conferePropria(caminho, kMaiorConfiguracao);
    return estado == natureza::Estado::Ausente || estado == natureza::Estado::Aceito;
}

// The settings, or none (defaults read, nothing kept) when the file or its
// lock is not what the program writes there: a FIFO, a link, a folder, a
// device or a file too large.
std::unique_ptr<QSettings> abre()
{
    // The INI format everywhere (not the registry on Windows): one small
    // text file, <configuration folder>/Drovanti/Pluvexa.ini, named
    // exactly, so that Qt reads no other (its fallbacks included).
    const QString caminho = Configuracao::arquivo();
    if (!abrivel(caminho) || !abrivel(caminho + QStringLiteral(".lock")))
        return nullptr;
    return std::make_unique<QSettings>(caminho, QSettings::IniFormat);
}

QString valor(const QString& chave)
{
    const std::unique_ptr<QSettings> s = abre();
    return s ? s->value(chave).toString() : QString();
}

void guarda(const QString& chave, const QString& texto)
{
    if (const std::unique_ptr<QSettings> s = abre())
        s->setValue(chave, texto);
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

QString Configuracao::arquivo()
{
    // Where QSettings keeps a user's INI files.
#ifdef Q_OS_WIN
    const QString pasta = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString pasta = xdg.startsWith(QLatin1Char('/')) ? xdg
                          : xdg.isEmpty()                   ? QDir::homePath() + QStringLiteral("/.config")
                                                            : QDir::homePath() + QLatin1Char('/') + xdg;
#endif
    return pasta + QStringLiteral("/Drovanti/Pluvexa.ini");
}

std::optional<QRect> Configuracao::geometriaPrincipal()
{
    const QVector<int> n = numeros(valor(kGeometria));
    if (n.size() != 4 || n[2] <= 0 || n[3] <= 0)
        return std::nullopt;
    return QRect(n[0], n[1], n[2], n[3]);
}

void Configuracao::guardaGeometriaPrincipal(const QRect& g)
{
    guarda(kGeometria, texto({g.x(), g.y(), g.width(), g.height()}));
}

QVector<int> Configuracao::largurasGrade()
{
    QVector<int> n = numeros(valor(kLarguras));
    for (int& v : n)
        v = std::max(0, v);
    return n;
}

void Configuracao::guardaLargurasGrade(const QVector<int>& larguras)
{
    guarda(kLarguras, texto(larguras));
}

int Configuracao::limiteConferencia()
{
    bool ok = false;
    const int limite = valor(kLimite).trimmed().toInt(&ok);
    return ok && limite >= kLimiteMinimo && limite <= kLimiteMaximo ? limite : kLimitePadrao;
}

void Configuracao::guardaLimiteConferencia(int limite)
{
    guarda(kLimite, QString::number(limite));
}

QString Configuracao::pastaSalva(const QString& chave)
{
    return chave.startsWith(kPastas) ? valor(chave) : QString();
}

void Configuracao::guardaPastaSalva(const QString& chave, const QString& pasta)
{
    if (chave.startsWith(kPastas))
        guarda(chave, pasta);
}

QString Configuracao::importacao(const QString& chave)
{
    return chave.startsWith(kImportacao) ? valor(chave) : QString();
}

void Configuracao::guardaImportacao(const QString& chave, const QString& texto)
{
    if (chave.startsWith(kImportacao))
        guarda(chave, texto);
}

}  // namespace pluvexa
