#pragma once

// The background screen: fills the main window's client area whenever no
// work window covers it. Its information panel (product, version, size and
// time stamp of the program file, the maker's lines) appears when the mouse
// passes over the logo and goes away over the background picture. Closing it
// destroys it (its MDI child window deletes itself on close); nothing creates
// it again during the run.

#include <QVector>
#include <QWidget>

class QLabel;

namespace pluvexa {

class Tfprincipal;

class Tftelafundo : public QWidget {
    Q_OBJECT
public:
    explicit Tftelafundo(Tfprincipal& principal, QWidget* parent = nullptr);

    // On creation and on every activation: re-reads the program file.
    void FormCreate();
    void MostraInformacoes(bool visivel);
    void Image1MouseMove();
    void Image2MouseMove();

    // The file described; the running program unless set (tests).
    void defineArquivoPrograma(const QString& arquivo) { m_arquivo = arquivo; }

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Label1 = nullptr;

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    QLabel* rotulo(const QString& nome, const QString& texto, int x, int y, int pontos, bool negrito);

    Tfprincipal& m_principal;
    QString m_arquivo;
    QVector<QLabel*> m_informacoes;   // in the order they are shown
};

}  // namespace pluvexa
