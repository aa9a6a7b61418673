#include "fotografo.h"

#include "files/arquivoseguro.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace pluvexa::capturas {

void espera(int ms)
{
    QElapsedTimer relogio;
    relogio.start();
    while (relogio.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void falha(const QString& motivo)
{
    std::fprintf(stderr, "pluvexa-capturas: %s\n", qPrintable(motivo));
    std::exit(1);
}

void Fotografo::fotografa(QWidget* janela, const QString& nome)
{
    espera(250);
    const QImage imagem = janela->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString arquivo = QDir(m_pasta).filePath(nome + QStringLiteral(".png"));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImageWriter escritor(&png, "png");
    // Lossless at any setting; the lowest quality is the strongest
    // compression, and the pictures are kept in the repository.
    escritor.setQuality(0);
    if (!escritor.write(imagem))
        falha(QStringLiteral("%1: %2").arg(arquivo, escritor.errorString()));
    QString erro;
    if (!gravaArquivo(arquivo, png.data(), Durabilidade::Comum, &erro))
        falha(erro);
    m_fotos << arquivo;
    std::printf("%s (%dx%d)\n", qPrintable(arquivo), imagem.width(), imagem.height());
}

namespace {

void procuraModal(std::function<void(QWidget*)> acao, int tentativas)
{
    QTimer::singleShot(50, qApp, [acao = std::move(acao), tentativas]() mutable {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (dialogo && dialogo->isVisible()) {
            acao(dialogo);
            return;
        }
        if (tentativas == 0)
            falha(QStringLiteral("no dialog showed"));
        procuraModal(std::move(acao), tentativas - 1);
    });
}

}  // namespace

void quandoModal(std::function<void(QWidget*)> acao)
{
    procuraModal(std::move(acao), 200);
}

}  // namespace pluvexa::capturas
