#include "ui/application.h"

#include "recharge/empacotamento.h"
#include "ui/qtinteraction.h"

#include <exception>

namespace pluvexa {

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
