#pragma once

// The about box: product, version, size and time stamp of the program file,
// the maker's lines and an OK button. Start-up creates it hidden.

#include <QDialog>

class QLabel;
class QPushButton;

namespace pluvexa {

class Tfprincipal;

class Tfsobre : public QDialog {
    Q_OBJECT
public:
    explicit Tfsobre(const Tfprincipal& principal, QWidget* parent = nullptr);

    void FormCreate();
    void OKClick();

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Tamanho = nullptr;
    QLabel* Data = nullptr;
    QLabel* Hora = nullptr;
    QLabel* Company = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Contato = nullptr;
    // Shown only when the program was built with the demonstration keys.
    QLabel* Chaves = nullptr;
    QPushButton* OKButton = nullptr;

private:
    const Tfprincipal& m_principal;
};

}  // namespace pluvexa
