#pragma once

#include "attribute_controls.h"

#include "view/attribute_dialogs.h"
#include "view/dialogs.h"
#include "view/pickers.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace plax {

// "Edge Attributes": the attributes of one edge (and of its reverse on a directed net with the
// edge both ways), edited on copies.
class TEdgeFormDlg : public QDialog {
    Q_OBJECT
public:
    TEdgeFormDlg(Dialogs& ui, Pickers& pickers, HelpRequest help, QWidget* parent = nullptr);

    // Shows the dialog modally on `state`; the edited blocks after OK, nothing on Cancel.
    std::optional<EdgeDialogState> Edit(const EdgeDialogState& state);
    void Load(const EdgeDialogState& state);
    const EdgeDialogState& State() const { return state_; }

    QLabel& EdgeLabel() const { return *edge_; }
    MarkEdit& Mark() const { return *mark_; }
    QLineEdit& NameEdit() const { return *name_; }
    QRadioButton& ShapeButton(int shape) const { return *shapes_[static_cast<std::size_t>(shape)]; }
    QSpinBox& WidthEdit() const { return *width_; }
    QComboBox& StyleList() const { return *style_; }
    QCheckBox& ReverseBox() const { return *reverse_; }
    ColorChoice& Colors() const { return *color_; }

protected:
    void accept() override;

private:
    QWidget* MakeFields();
    QGroupBox* MakeShapes();
    void Connect();
    void Reverse();
    void WidthChanged(int width);
    // Shows the block of the direction in hand.
    void ShowBlock();

    EdgeDialogState state_;
    HelpRequest help_;
    QLabel* edge_ = nullptr;
    MarkEdit* mark_ = nullptr;
    QLineEdit* name_ = nullptr;
    ColorChoice* color_ = nullptr;
    QButtonGroup* shapeGroup_ = nullptr;
    std::array<QRadioButton*, 5> shapes_{};
    QSpinBox* width_ = nullptr;
    QComboBox* style_ = nullptr;
    QCheckBox* reverse_ = nullptr;
};

} // namespace plax
