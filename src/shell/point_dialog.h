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
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace plax {

// "Point Attributes": the attributes of one point, edited on a copy.
class TPointFormDlg : public QDialog {
    Q_OBJECT
public:
    TPointFormDlg(Dialogs& ui, Pickers& pickers, HelpRequest help, QWidget* parent = nullptr);

    // Shows the dialog modally on `state`; the edited point after OK, nothing on Cancel.
    std::optional<PointType> Edit(const PointDialogState& state);
    // Fills the controls from `state` (what Edit does before showing the dialog).
    void Load(const PointDialogState& state);
    const PointDialogState& State() const { return state_; }

    QLineEdit& NameEdit() const { return *name_; }
    MarkEdit& Mark() const { return *mark_; }
    QSpinBox& TokensEdit() const { return *tokens_; }
    QLabel& TokensLabel() const { return *tokensLabel_; }
    QRadioButton& ShapeButton(int shape) const { return *shapes_[static_cast<std::size_t>(shape)]; }
    QGroupBox& CustomBox() const { return *custom_; }
    QSpinBox& RadiusEdit() const { return *radius_; }
    QCheckBox& ShowNumberBox() const { return *showNumber_; }
    QCheckBox& ShowBorderBox() const { return *showBorder_; }
    QCheckBox& FillPointBox() const { return *fillPoint_; }
    QCheckBox& DoubleBorderBox() const { return *doubleBorder_; }
    ColorChoice& Colors() const { return *color_; }

protected:
    void accept() override;

private:
    QWidget* MakeFields();
    QGroupBox* MakeShapes();
    QGroupBox* MakeCustom();
    void Connect();
    void ShapeClicked(int shape);
    void CustomToggled(bool on);
    void OptionChanged();
    // Shows the custom block (or the net's) with the enablement rules applied.
    void ShowOptions();

    PointDialogState state_;
    HelpRequest help_;
    QLabel* number_ = nullptr;
    QLabel* x_ = nullptr;
    QLabel* y_ = nullptr;
    QLineEdit* name_ = nullptr;
    MarkEdit* mark_ = nullptr;
    QLabel* tokensLabel_ = nullptr;
    QSpinBox* tokens_ = nullptr;
    QButtonGroup* shapeGroup_ = nullptr;
    std::array<QRadioButton*, 8> shapes_{};
    ColorChoice* color_ = nullptr;
    QGroupBox* custom_ = nullptr;
    QSpinBox* radius_ = nullptr;
    QCheckBox* showNumber_ = nullptr;
    QCheckBox* showBorder_ = nullptr;
    QCheckBox* fillPoint_ = nullptr;
    QCheckBox* doubleBorder_ = nullptr;
};

} // namespace plax
