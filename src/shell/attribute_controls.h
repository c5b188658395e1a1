#pragma once

#include "model/net_types.h"
#include "view/dialogs.h"
#include "view/pickers.h"

#include <QGroupBox>
#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QDialogButtonBox;
class QFrame;
class QPushButton;

namespace plax {

// Where a dialog's Help button sends its topic; the dialog is passed so that the help window
// can be used while the dialog is open.
using HelpRequest = std::function<void(QWidget& dialog, const std::string& topic)>;

// The mark edit of the attribute dialogs: the text is checked when the focus leaves it for
// another control of the dialog; a refused text shows the information box and takes the focus
// back, and the weight it is bound to stays.
class MarkEdit : public QLineEdit {
    Q_OBJECT
public:
    MarkEdit(Dialogs& ui, QWidget* parent);
    void Bind(double& weight) { weight_ = &weight; }
    // Shows the bound weight.
    void ShowWeight();
    // The check on leaving; also run before OK and Reverse Edge.
    bool Check();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    Dialogs& ui_;
    double* weight_ = nullptr;
    bool checking_ = false;
};

// A colour button with two swatches: the colour chosen now and the one the element had.
class ColorChoice : public QGroupBox {
    Q_OBJECT
public:
    ColorChoice(const QString& title, Pickers& pickers, QWidget* parent);
    void Bind(Color& now, const Color& old);
    // Shows the bound colours.
    void ShowColors();
    QPushButton& Button() const { return *button_; }

private:
    void Pick();

    Pickers& pickers_;
    Color* now_ = nullptr;
    const Color* old_ = nullptr;
    QPushButton* button_ = nullptr;
    QFrame* newSwatch_ = nullptr;
    QFrame* oldSwatch_ = nullptr;
};

// 8-bit names as the canvas shows them, and back.
// Tab goes through `fields` in the order given (top to bottom, left to right), then the
// buttons, OK last; Enter anywhere but on a button presses OK.
void ChainTabs(const std::vector<QWidget*>& fields, QDialogButtonBox& buttons);

// OK and Cancel end `dialog`; Help shows `topic` through `help` (kept by the dialog).
void ConnectDialogButtons(QDialog& dialog, QDialogButtonBox& buttons, const HelpRequest& help,
                          const char* topic);

QString NameText(const std::string& name);
std::string NameOf(const QString& text);

} // namespace plax
