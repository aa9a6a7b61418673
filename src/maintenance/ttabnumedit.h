#pragma once

// The numeric field the maintenance window's forms use: TNumEdit
// (tnumedit.h) with Enter and the arrows moving between the controls, and
// the Insert key's overwrite mode shared by every such field.

#include "maintenance/tnumedit.h"

namespace pluvexa {

enum TInsertKeyStates { iksInsert, iksOverWrite };

// The numeric edit for data-entry forms: Enter and the arrow keys move
// between the controls as Tab does, and the Insert key switches to
// overwriting digits.
class TTabNumEdit : public TNumEdit {
    Q_OBJECT
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)

public:
    explicit TTabNumEdit(QWidget* parent = nullptr);

    // Enter and Down move the focus to the next control in tab order, Up to
    // the previous one. True when created.
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool on) { tabOnEnter_ = on; }

    // The Insert key is a keyboard toggle, shared by every control of the
    // program: each press seen by one of these edits flips it.
    static TInsertKeyStates GetInsertKeyState();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void TypeChar(QChar c) override;

private:
    bool tabOnEnter_ = true;
    static inline bool overwrite_ = false;
};

} // namespace pluvexa
