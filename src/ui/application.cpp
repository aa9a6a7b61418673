#include "ui/application.h"

#include "recharge/empacotamento.h"
#include "ui/qtinteraction.h"

#include <exception>

namespace pluvexa {

namespace {

QtMessageHandler& anterior()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

void filtra(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    if (tipo == QtWarningMsg && texto.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    anterior()(tipo, contexto, texto);
}

}  // namespace

void filtraAvisoPastaExecucao()
{
    if (anterior())
        return;  // already in place
    anterior() = qInstallMessageHandler(filtra);
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

Application::~Application() = default;

Application* Application::instance()
{
    return dynamic_cast<Application*>(QCoreApplication::instance());
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ErroArquivo& e) {
        showError(e.textoJanela());  // in the operator's words, not the command line's
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("Erro inesperado: a operação foi interrompida."));
    }
    // The event counts as handled: nothing else is to act on it.
    return true;
}

void Application::showError(const QString& text)
{
    if (m_interaction) {
        m_interaction->errorBox(text);
    } else {
        QtInteraction(activeWindow()).errorBox(text);
    }
}

}  // namespace pluvexa
