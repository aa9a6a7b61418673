#include "shell/startup.h"

#include "files/pastastrabalho.h"
#include "instance/instanciaunica.h"
#include "recharge/empacotamento.h"
#include "shell/tfprincipal.h"
#include "shell/tfsobre.h"
#include "shell/tfsplash.h"
#include "shell/tftelafundo.h"
#include "ui/application.h"
#include "ui/qtinteraction.h"
#include "ui/traducao.h"

#include <QLabel>
#include <QProgressBar>
#include <exception>
#include <memory>

namespace pluvexa {

int executaPluvexa(int& argc, char** argv)
{
    filtraAvisoPastaExecucao();
    Application app(argc, argv);
    instalaPortugues(app);
    // Read through Qt, such a name would be another folder, made anew.
    if (const QString casa = pastaPessoalInutilizavel(); !casa.isEmpty()) {
        QtInteraction().notice(
            QStringLiteral("A pasta pessoal %1 tem um nome que o Pluvexa não pode usar.").arg(casa),
            Interaction::Icon::Warning, kTituloAplicacao);
        return 1;
    }
    InstanciaUnica instancia(raizTrabalho());
    if (!instancia.toma()) {
        // The first program came to the front: nothing to say.
        if (!instancia.mensagem().isEmpty())
            QtInteraction().notice(instancia.mensagem(), Interaction::Icon::Warning, kTituloAplicacao);
        return 0;
    }
    try {
        QApplication::setApplicationName(kTituloAplicacao);

        auto fsplash = std::make_unique<Tfsplash>();
        fsplash->show();
        fsplash->Label4->setText(QStringLiteral("Módulo Pluvexa de cartões"));
        fsplash->CGauge1->setValue(1);
        QApplication::processEvents();

        Tfprincipal fprincipal;
        fprincipal.posicionaAbertura();
        // From here on a handler's exception goes to the main window's
        // dialogs, until the main window is gone.
        app.setInteraction(fprincipal.contexto().interaction);
        struct Solta {
            Application& app;
            ~Solta() { app.setInteraction(nullptr); }
        } solta{app};
        fprincipal.show();
        instancia.aoPedirFrente = [&fprincipal] {
            if (fprincipal.isMinimized())
                fprincipal.showNormal();
            fprincipal.raise();
            fprincipal.activateWindow();
        };
        Tfsobre fsobre(fprincipal, &fprincipal);
        auto* ftelafundo = new Tftelafundo(fprincipal);
        fprincipal.adicionaJanela(ftelafundo);

        fsplash->CGauge1->setValue(100);
        QApplication::processEvents();
        fsplash.reset();

        QApplication::exec();
    } catch (const ErroArquivo& e) {
        QtInteraction().errorBox(e.textoJanela());
    } catch (const std::exception& e) {
        QtInteraction().errorBox(QString::fromLocal8Bit(e.what()));
    }
    return 0;
}

}  // namespace pluvexa
